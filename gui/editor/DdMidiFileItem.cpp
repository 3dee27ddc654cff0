// SPDX-License-Identifier: GPL-3.0-or-later
#include "DdMidiFileItem.h"

#include "ZuGlobalPanelParts.h"
#include "ZuIcons.h"
#include "ZuMidiRecEngine.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zu::midifiles
{
namespace
{
constexpr const char* tempFolderPrefix = "ZU-MIRA8-";
constexpr int maxNameAttempts = 64;

// A folder at path that only this user can enter: made with mode 0700 when
// missing; an existing entry qualifies only as a real folder (not a link) of
// this user, whose group and other bits are then cleared.
bool makePrivateFolder(const juce::File& folder)
{
    const auto path = folder.getFullPathName().toRawUTF8();
    if (::mkdir(path, 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st
    {
    };
    if (::lstat(path, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path, 0700) != 0)
        return false;
    return true;
}
} // namespace

juce::File privateFolder()
{
    const auto temp = juce::File::getSpecialLocation(juce::File::tempDirectory);
    const auto inTemp = temp.getChildFile(tempFolderPrefix + juce::String((juce::int64)::geteuid()));
    if (makePrivateFolder(inTemp))
        return inTemp;

    const auto cache = juce::File::getSpecialLocation(juce::File::userHomeDirectory)
                           .getChildFile(".cache")
                           .getChildFile("Zurvana")
                           .getChildFile("ZU-MIRA8");
    if (!cache.createDirectory())
        return {};
    const auto inCache = cache.getChildFile("midi-drag");
    return makePrivateFolder(inCache) ? inCache : juce::File();
}

juce::File writeNewFile(const juce::File& folder, const juce::String& stem, const juce::MemoryBlock& bytes)
{
    if (!folder.isDirectory())
        return {};
    const auto stamp = juce::Time::getCurrentTime().formatted("%Y%m%d-%H%M%S");
    auto& random = juce::Random::getSystemRandom();
    for (int attempt = 0; attempt < maxNameAttempts; ++attempt)
    {
        const auto suffix = juce::String::toHexString(random.nextInt()).paddedLeft('0', 8);
        const auto file = folder.getChildFile(stem + "-" + stamp + "-" + suffix + ".mid");
        const int fd =
            ::open(file.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
        {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const auto* data = static_cast<const char*>(bytes.getData());
        size_t left = bytes.getSize();
        bool ok = true;
        while (left > 0)
        {
            const auto written = ::write(fd, data, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
            {
                ok = false;
                break;
            }
            data += written;
            left -= (size_t) written;
        }
        ok = (::close(fd) == 0) && ok;
        if (ok)
            return file;
        ::unlink(file.getFullPathName().toRawUTF8());
        return {};
    }
    return {};
}

void removeOldFiles(const juce::File& folder, const juce::File& keep, juce::RelativeTime maxAge)
{
    const auto now = juce::Time::getCurrentTime();
    for (const auto& entry : juce::RangedDirectoryIterator(folder, false, "MidiRec*.mid", juce::File::findFiles))
    {
        const auto& file = entry.getFile();
        if (file != keep && !file.isSymbolicLink() && now - entry.getModificationTime() > maxAge)
            file.deleteFile();
    }
}
} // namespace zu::midifiles

DdMidiFileItem::DdMidiFileItem(juce::String name, juce::Colour colour) : itemName(name), iconColour(colour)
{
    laneOfName = {{"midifile1", 0}, {"midifile2", 1}, {"midifile3", 2}, {"midifile4", 3}, {"midifile5", 4}};
    setName(name);
    zu::global::keepFocusAway(*this);
    addAndMakeVisible(drawables);
    drawables.setInterceptsMouseClicks(false, false);
    iconDrawable.setFill(iconColour);
    textDrawable.setFill(iconColour);
    setTooltip("Drag and drop this component to the host Midi track");

    startDrag = [](const juce::File& file)
    { return juce::DragAndDropContainer::performExternalDragDropOfFiles({file.getFullPathName()}, false); };
}

DdMidiFileItem::~DdMidiFileItem()
{
    drawables.removeAllChildren();
}

int DdMidiFileItem::getLane() const
{
    const auto found = laneOfName.find(itemName);
    return juce::jlimit(0, ZuMidiRecEngine::numLanes - 1, found != laneOfName.end() ? found->second : 0);
}

juce::String DdMidiFileItem::getTrackName() const
{
    const int lane = getLane();
    return "MidiRec" + (lane == 0 ? juce::String("All") : juce::String(lane));
}

juce::MidiMessageSequence DdMidiFileItem::buildTrack() const
{
    juce::MidiMessageSequence track;
    if (const auto access = zu::global::editorAccess(*this))
        track = access->getRecorder(getLane()).getFinishedSequence();
    // Inserted at tick 0, after every event already there (the tempo first).
    track.addEvent(juce::MidiMessage::textMetaEvent(3, getTrackName()), 0.0);
    return track;
}

juce::MemoryBlock DdMidiFileItem::fileBytes(const juce::MidiMessageSequence& track)
{
    juce::MidiFile file;
    file.setTicksPerQuarterNote(960);
    file.addTrack(track);
    juce::MemoryOutputStream out;
    file.writeTo(out, 1);
    return out.getMemoryBlock();
}

juce::File DdMidiFileItem::writeMidiFile() const
{
    const auto folder = zu::midifiles::privateFolder();
    const auto file = zu::midifiles::writeNewFile(folder, getTrackName(), fileBytes(buildTrack()));
    if (file.existsAsFile())
        zu::midifiles::removeOldFiles(folder, file, juce::RelativeTime::days(1.0));
    return file;
}

void DdMidiFileItem::mouseDown(const juce::MouseEvent&)
{
    const auto file = writeMidiFile();
    if (file.existsAsFile() && startDrag)
        startDrag(file);
}

void DdMidiFileItem::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
}

void DdMidiFileItem::resized()
{
    drawables.setBounds(getLocalBounds());
    innerArea = getLocalBounds().reduced(1);
    innerArea.setSize(juce::jmax(innerArea.getWidth(), 0), juce::jmax(innerArea.getHeight(), 0));

    iconOutline = ZU_ICON(svgMidiFile);
    if (!innerArea.isEmpty())
        iconOutline.applyTransform(iconOutline.getTransformToScaleToFit(innerArea.toFloat(), false));
    iconDrawable.setPath(iconOutline);

    const float inset = (float) innerArea.getHeight() * 0.1f;
    auto textBox = innerArea.toFloat().reduced(inset);
    textBox.setSize(juce::jmax(textBox.getWidth(), 0.0f), juce::jmax(textBox.getHeight(), 0.0f));
    juce::Path text;
    const bool all = getLane() == 0;
    if (!textBox.isEmpty())
        textLook->createTextPath(text, all ? "all" : juce::String(getLane()), all ? "Medium" : "Numb2", textBox,
                                 all ? 0.95f : 0.98f, juce::Justification::centred);
    textDrawable.setPath(text);

    drawables.removeAllChildren();
    drawables.addAndMakeVisible(iconDrawable);
    drawables.addAndMakeVisible(textDrawable);
}
