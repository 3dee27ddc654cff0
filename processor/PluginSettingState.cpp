// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginSettingState.h"

#include "ZuConvert.h"
#include "ZuXmlGuard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <sys/stat.h>

namespace
{
const juce::String productName{"ZU-MIRA8"};

// Keys of the unit preset folders, by unit kind.
const char* const unitFolderKeys[PluginSettingState::numUnitKinds] = {"preset_pchseq", "preset_prmseq", "preset_ccseq",
                                                                      "preset_octseq", "preset_ccrk"};
const char* const unitFolderNames[PluginSettingState::numUnitKinds] = {
    "/ZU-MIRA8/SEQ Unit/Pitch SEQ", "/ZU-MIRA8/SEQ Unit/Param SEQ", "/ZU-MIRA8/SEQ Unit/CC SEQ",
    "/ZU-MIRA8/SEQ Unit/OctTp SEQ", "/ZU-MIRA8/SEQ Unit/CC Rack"};

juce::String midiMapKey(int entry)
{
    return "midimap" + juce::String(entry + 1);
}
juce::String colorKey(int index)
{
    return "color" + juce::String(index + 1);
}

// Numbers are stored as text: a value that is not a finite number counts as
// missing.
bool readFiniteNumber(const juce::PropertySet& settings, const juce::String& key, double& result)
{
    if (!settings.containsKey(key))
        return false;
    // A text without any digit ("", "nan", "inf", garbage) is no number at all.
    const auto text = settings.getValue(key);
    if (!text.containsAnyOf("0123456789"))
        return false;
    const double value = text.getDoubleValue();
    if (!std::isfinite(value))
        return false;
    result = value;
    return true;
}

int readInt(const juce::PropertySet& settings, const juce::String& key, int defaultValue)
{
    double value = 0.0;
    return readFiniteNumber(settings, key, value) ? zu::toIntSaturating(value) : defaultValue;
}

double readDouble(const juce::PropertySet& settings, const juce::String& key, double defaultValue)
{
    double value = 0.0;
    return readFiniteNumber(settings, key, value) ? value : defaultValue;
}

bool readBool(const juce::PropertySet& settings, const juce::String& key, bool defaultValue)
{
    if (!settings.containsKey(key))
        return defaultValue;
    if (settings.getValue(key).trim().equalsIgnoreCase("true"))
        return true;
    double value = 0.0;
    return readFiniteNumber(settings, key, value) ? zu::toIntSaturating(value) != 0 : defaultValue;
}

// A stored folder replaces the current one only when it is a usable absolute
// path; an empty or relative text is ignored.
juce::String readFolder(const juce::PropertySet& settings, const juce::String& key, const juce::String& current)
{
    const auto text = settings.getValue(key, current);
    return juce::File::isAbsolutePath(text) ? text : current;
}

juce::Colour readColour(const juce::PropertySet& settings, const juce::String& key, juce::Colour current)
{
    const auto text = settings.getValue(key, current.toString());
    // A text without a single hexadecimal digit is damaged: keep the colour
    // rather than turning the unit kind transparent.
    if (!text.containsAnyOf("0123456789abcdefABCDEF"))
        return current;
    return juce::Colour(text.getHexValue32());
}

// The settings file's keys and values as this process last parsed them. A
// host creates many instances at once (a scan, a session): each new one whose
// file is the very version already parsed (same device, inode, size and
// change times) takes these values instead of parsing the file again. A file
// replaced or rewritten since is parsed anew, and so is any file after this
// process has written one.
class SharedSettingsRead
{
    using FileStatus = struct stat;

public:
    static juce::StringPairArray read(const juce::PropertiesFile::Options& options)
    {
        auto& shared = instance();
        const auto file = options.getDefaultFile();
        FileStatus info{};
        // A missing file reads as no keys at all, as JUCE reads it.
        if (::stat(file.getFullPathName().toRawUTF8(), &info) != 0)
            return juce::StringPairArray(options.ignoreCaseOfKeyNames);

        const std::lock_guard<std::mutex> hold(shared.mutex);
        if (!shared.known || shared.path != file.getFullPathName() || !sameVersion(shared.info, info))
        {
            // A file nested deeper than settings can be would overflow the
            // stack of JUCE's parser: it reads as no keys, like any unreadable file.
            if (zu::isXmlNestingWithin(file.loadFileAsString()))
            {
                juce::PropertiesFile parsed(options);
                shared.values = parsed.getAllProperties();
            }
            else
            {
                shared.values = juce::StringPairArray(options.ignoreCaseOfKeyNames);
            }
            shared.path = file.getFullPathName();
            shared.info = info;
            shared.known = true;
        }
        return shared.values;
    }

    static void forget()
    {
        auto& shared = instance();
        const std::lock_guard<std::mutex> hold(shared.mutex);
        shared.known = false;
    }

private:
    static SharedSettingsRead& instance()
    {
        static SharedSettingsRead shared;
        return shared;
    }

    static bool sameTime(const timespec& a, const timespec& b) noexcept
    {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    }
    static bool sameVersion(const FileStatus& a, const FileStatus& b) noexcept
    {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
               sameTime(a.st_mtim, b.st_mtim) && sameTime(a.st_ctim, b.st_ctim);
    }

    std::mutex mutex;
    bool known = false;
    juce::String path;
    FileStatus info{};
    juce::StringPairArray values;
};

float clampScaleFactor(double factor)
{
    if (!std::isfinite(factor))
        return 1.0f;
    return static_cast<float>(std::clamp(factor, static_cast<double>(PluginSettingState::minScaleFactor),
                                         static_cast<double>(PluginSettingState::maxScaleFactor)));
}
} // namespace

PluginSettingState::PluginSettingState()
    : makerFolder(juce::File::getSpecialLocation(juce::File::userHomeDirectory).getFullPathName() + "/.config/Zurvana")
{
    if (!makerFolder.isDirectory())
        makerFolder.createDirectory();

    const auto maker = makerFolder.getFullPathName();
    scalePresetFolder = maker + "/ZU-MIRA8/Scale";
    chordPresetFolder = maker + "/ZU-MIRA8/Chord";
    customChordPresetFolder = maker + "/ZU-MIRA8/Custom Chord";
    for (int kind = 0; kind < numUnitKinds; ++kind)
        unitPresetFolders[(size_t) kind] = maker + unitFolderNames[kind];

    presetInfo.setProperty("preset_name", juce::var(), nullptr);
    presetInfo.setProperty("preset_author", juce::var(), nullptr);
    presetInfo.setProperty("preset_cate", 100000, nullptr);
    presetInfo.setProperty("preset_rating", 400003, nullptr);
    presetInfo.setProperty("preset_folder", juce::var(), nullptr);

    unitColors = {juce::Colour(0xff89c997), juce::Colour(0xffeed202), juce::Colour(0xfff892bd),
                  juce::Colour(0xffb17fed).brighter(0.07f), juce::Colour(0xff54bfee).brighter(0.07f)};
}

PluginSettingState::~PluginSettingState()
{
    folderChooser.reset();
}

void PluginSettingState::setPresetFolderPath(juce::String path)
{
    presetLocation = path;
    updateAndSaveSettingFile();
}

void PluginSettingState::setCurPresetPath(juce::String path)
{
    curPresetPath = path;
}

void PluginSettingState::setPresetName(juce::String name)
{
    presetName = name;
}

juce::String PluginSettingState::getPresetName() const
{
    return {};
}

juce::PropertiesFile::Options PluginSettingState::getSettingFileOptions() const
{
    juce::PropertiesFile::Options options;
    options.applicationName = productName;
    options.filenameSuffix = "ini";
    options.folderName = makerFolder.getFullPathName() + "/ZU-MIRA8";
    options.osxLibrarySubFolder = "Application Support";
    // The file is written only by writeSettingFileReplacing: JUCE's own save
    // deletes the old file before moving the new one in, and a crash between
    // the two would lose every setting.
    options.doNotSave = true;
    return options;
}

juce::File PluginSettingState::getSettingFileLocation() const
{
    return getSettingFileOptions().getDefaultFile();
}

juce::String PluginSettingState::getDefaultPresetFolder() const
{
    return makerFolder.getFullPathName() + "/ZU-MIRA8/MIRA8 Preset";
}

PluginSettingState::SettingValues* PluginSettingState::openedSettingFile()
{
    // Before getSettingFile there is no file to write.
    if (settingFilePath == juce::File())
        return nullptr;
    // Opened on the first save only; it then holds what getSettingFile read,
    // as if it had stayed open since.
    if (settingValues == nullptr)
    {
        settingValues = std::make_unique<SettingValues>(getSettingFileOptions().ignoreCaseOfKeyNames);
        settingValues->getAllProperties() = settingsRead;
        settingValues->changed = false;
    }
    return settingValues.get();
}

void PluginSettingState::getSettingFile()
{
    // Reopen so that a second call reads what is on disk now.
    const auto options = getSettingFileOptions();
    settingFilePath = options.getDefaultFile();
    settingValues.reset();
    settingsRead = SharedSettingsRead::read(options);
    juce::PropertySet read(options.ignoreCaseOfKeyNames);
    read.getAllProperties() = settingsRead;
    const auto* settings = &read;

    // A fresh installation, or a stored location that is empty or unusable,
    // gets the default folder.
    presetLocation = readFolder(*settings, "presetLocation", getDefaultPresetFolder());

    openGlOnOff = readBool(*settings, "openglonoff", false);

    // The editor keeps a fixed aspect ratio, so the width decides: a stored
    // width equal to the current one keeps the current height as well.
    int width = readInt(*settings, "window_width", defaultWidth);
    int height = readInt(*settings, "window_height", defaultHeight);
    if (width <= 0)
        width = defaultWidth;
    if (height <= 0)
        height = defaultHeight;
    if (width != lastWidth)
    {
        lastWidth = width;
        lastHeight = height;
    }

    scaleFactor = clampScaleFactor(readDouble(*settings, "window_scalefactor", 1.0));
    rightCornerResize = readBool(*settings, "resize_rightcorner", true);

    scalePresetFolder = readFolder(*settings, "preset_scale", scalePresetFolder);
    chordPresetFolder = readFolder(*settings, "preset_chord", chordPresetFolder);
    customChordPresetFolder = readFolder(*settings, "preset_customchord", customChordPresetFolder);
    for (int kind = 0; kind < numUnitKinds; ++kind)
        unitPresetFolders[(size_t) kind] =
            readFolder(*settings, unitFolderKeys[kind], unitPresetFolders[(size_t) kind]);

    for (int entry = 0; entry < numMidiMapEntries; ++entry)
        midiMap[(size_t) entry] = settings->getValue(midiMapKey(entry), {});
    midiMapChanged();

    skinMode = std::clamp(readInt(*settings, "skinmode", 0), 0, maxSkinMode);
    modPanelByDefault = readInt(*settings, "modpanelbydef", 0) == 1;
    pitchPanelByDefault = readInt(*settings, "pseqpanelbydef", 0) == 1;
    midiTpNote = std::clamp(readInt(*settings, "miditpnote", 0), 0, maxMidiTpNote);

    for (int index = 0; index < numUnitColors; ++index)
        unitColors[(size_t) index] = readColour(*settings, colorKey(index), unitColors[(size_t) index]);
}

void PluginSettingState::updateAndSaveSettingFile()
{
    auto* settings = openedSettingFile();
    if (settings == nullptr)
        return;

    const auto size = getLastWidthHeight();
    settings->setValue("presetLocation", presetLocation.toString());
    settings->setValue("openglonoff", openGlOnOff);
    settings->setValue("window_width", size.x);
    settings->setValue("window_height", size.y);
    settings->setValue("window_scalefactor", static_cast<double>(clampScaleFactor(scaleFactor)));
    settings->setValue("resize_rightcorner", rightCornerResize);
    settings->setValue("skinmode", skinMode);

    settings->setValue("preset_scale", scalePresetFolder);
    settings->setValue("preset_chord", chordPresetFolder);
    settings->setValue("preset_customchord", customChordPresetFolder);
    for (int kind = 0; kind < numUnitKinds; ++kind)
        settings->setValue(unitFolderKeys[kind], unitPresetFolders[(size_t) kind]);

    settings->setValue("modpanelbydef", modPanelByDefault ? 1 : 0);
    settings->setValue("pseqpanelbydef", pitchPanelByDefault ? 1 : 0);
    settings->setValue("miditpnote", midiTpNote.load());

    midiMapDuplicationCheck();
    midiMapChanged();
    for (int entry = 0; entry < numMidiMapEntries; ++entry)
        settings->setValue(midiMapKey(entry), midiMap[(size_t) entry]);

    for (int index = 0; index < numUnitColors; ++index)
        settings->setValue(colorKey(index), unitColors[(size_t) index].toString());

    if (settings->changed)
        writeSettingFileReplacing(*settings, settingFilePath);
}

bool PluginSettingState::writeSettingFileReplacing(SettingValues& settings, const juce::File& target)
{
    if (target == juce::File() || target.isDirectory() || !target.getParentDirectory().createDirectory())
        return false;

    // JUCE's XML properties format, as PropertiesFile itself writes it.
    juce::XmlElement doc("PROPERTIES");
    const auto& props = settings.getAllProperties();
    for (int i = 0; i < props.size(); ++i)
    {
        auto* e = doc.createNewChildElement("VALUE");
        e->setAttribute("name", props.getAllKeys()[i]);
        if (auto child = zu::parseXmlGuarded(props.getAllValues()[i]))
            e->addChildElement(child.release());
        else
            e->setAttribute("val", props.getAllValues()[i]);
    }

    // Write a temporary file beside the old one and rename it over the old
    // one, so that a crash or a full disk never leaves a truncated file. The
    // temporary file is removed if anything fails.
    const auto text = doc.toString();
    const auto numBytes = text.getNumBytesAsUTF8();
    juce::TemporaryFile temporary(target, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out(temporary.getFile());
        if (!out.openedOk())
            return false;
        out.setPosition(0);
        out.truncate();
        if (!out.write(text.toRawUTF8(), numBytes))
            return false;
        out.flush();
        if (out.getStatus().failed())
            return false;
    }
    // A short write is not always reported by the stream: check what landed on disk.
    if (temporary.getFile().getSize() != static_cast<juce::int64>(numBytes))
        return false;

    if (std::rename(temporary.getFile().getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        return false;

    settings.changed = false;
    SharedSettingsRead::forget();
    return true;
}

void PluginSettingState::selectPresetFolderLocation()
{
    const auto current = presetLocation.toString();
    const auto start = juce::File::isAbsolutePath(current) ? juce::File(current).getParentDirectory() : makerFolder;

    folderChooser =
        std::make_unique<juce::FileChooser>("Choose a Patch to open...", start, juce::String(), true, false, nullptr);
    folderChooser->launchAsync(juce::FileBrowserComponent::canSelectDirectories,
                               [this](const juce::FileChooser& chooser) { presetFolderChosen(chooser.getResult()); });
}

bool PluginSettingState::presetFolderChosen(const juce::File& folder)
{
    const auto path = folder.getFullPathName();
    if (path.isEmpty() || !folder.isDirectory())
        return false;

    presetLocation = path;
    updateAndSaveSettingFile();
    return true;
}

void PluginSettingState::midiMapDuplicationCheck()
{
    for (size_t j = 0; j < midiMap.size(); ++j)
    {
        if (midiMap[j].isEmpty())
            continue;
        for (size_t k = 0; k < midiMap.size(); ++k)
            if (k != j && midiMap[k].isNotEmpty() && midiMap[k] == midiMap[j])
                midiMap[k] = juce::String();
    }
}

void PluginSettingState::presetIsTweaked()
{
    auto name = presetName.toString();
    if (name.containsChar('*'))
        return;
    if (name.isEmpty())
        name = "Preset";
    presetName = name + "*";
}

void PluginSettingState::setLastWidthHeight(juce::Point<int> size)
{
    if (size.x != lastWidth)
    {
        lastWidth = size.x;
        lastHeight = size.y;
    }
}

juce::Point<int> PluginSettingState::getLastWidthHeight() const
{
    return {lastWidth > 0 ? lastWidth : defaultWidth, lastHeight > 0 ? lastHeight : defaultHeight};
}

void PluginSettingState::setScaleFactor(float factor)
{
    if (!std::isfinite(factor) || factor == scaleFactor)
        return;
    scaleFactor = factor;
    updateAndSaveSettingFile();
}

void PluginSettingState::setRightCornerResizeState(bool state)
{
    if (state == rightCornerResize)
        return;
    rightCornerResize = state;
    updateAndSaveSettingFile();
}

void PluginSettingState::setWidthModeState(bool state)
{
    if (state == widthMode)
        return;
    widthMode = state;
    updateAndSaveSettingFile();
}

void PluginSettingState::setLoadedPresetModifiedFlag(bool flag)
{
    presetModified = flag;
}
