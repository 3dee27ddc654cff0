// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI recorder box and its drag items, inside a real editor on a real
// processor that plays: arming, the take, the files written for a drag (read
// back as MIDI files), the target call-out and the length box.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_BottomPanel.h"

#include "ZuEditorAccess.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int blockSize = 512;
constexpr double sampleRate = 48000.0;

// A host at 120 bpm whose transport the test starts and stops.
class Transport : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setIsPlaying(playing);
        info.setBpm(120.0);
        info.setPpqPosition((double) sample * 120.0 / (60.0 * sampleRate));
        return info;
    }
    bool playing = false;
    juce::int64 sample = 0;
};

struct Recorder : ::testing::Test
{
    Recorder()
    {
        processor.setPlayHead(&transport);
        processor.prepareToPlay(sampleRate, blockSize);
        editor = zutest::makeEditor(processor);
    }
    ~Recorder() override
    {
        editor.reset();
        processor.setPlayHead(nullptr);
    }

    RecPanel& panel() { return editor->getMainPanel()->bottomPanel.mainPagePanel.recPanel; }

    // Pitch unit 1 on channel 1 plays a note on every step.
    void addPitchUnit()
    {
        const juce::String units = "CT:100 ";
        processor.mainTree.setProperty("ctstate", units, nullptr);
        processor.globalData.loadCenterUnitStateFromString(units);
        auto node = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1");
        for (int k = 1; k <= 32; ++k)
            node.setProperty("p1m11_pch" + juce::String(k), k % 12, nullptr);
    }

    // Plays blocks while the message loop runs, as a host would.
    void play(int blocks)
    {
        juce::AudioBuffer<float> audio(2, blockSize);
        for (int b = 0; b < blocks; ++b)
        {
            juce::MidiBuffer midi;
            processor.processBlock(audio, midi);
            if (transport.playing)
                transport.sample += blockSize;
            if (b % 8 == 0)
                zutest::pumpFor(1);
        }
    }

    bool visibleItems(std::initializer_list<int> lanes)
    {
        for (int k = 0; k < 5; ++k)
            if (panel().items[(size_t) k]->isVisible() != (std::find(lanes.begin(), lanes.end(), k) != lanes.end()))
                return false;
        return true;
    }

    ZumiraboxAudioProcessor processor;
    Transport transport;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
};

// The bytes of the header chunk: format, tracks, division.
struct Header
{
    int format = -1, tracks = -1, division = -1;
};
Header readHeader(const juce::File& file)
{
    juce::MemoryBlock data;
    file.loadFileAsData(data);
    Header h;
    if (data.getSize() < 14 || std::memcmp(data.getData(), "MThd", 4) != 0)
        return h;
    const auto* b = static_cast<const juce::uint8*>(data.getData());
    h.format = (b[8] << 8) | b[9];
    h.tracks = (b[10] << 8) | b[11];
    h.division = (b[12] << 8) | b[13];
    return h;
}

TEST_F(Recorder, TextsTooltipsAndTheLengthBox)
{
    auto& p = panel();
    EXPECT_EQ(p.titleLabel.getText(), "5 Track Midi Recorder");
    EXPECT_EQ(p.lengthLabel.getText(), "Rec Leng");
    EXPECT_EQ(p.editButton.getButtonText(), "EDIT");
    EXPECT_EQ(p.editButton.getTooltip(), "Edits the recording target units");
    EXPECT_EQ(p.lengthBox.getTooltip(), "Sets the recording bar length. 1~128");
    EXPECT_EQ(p.recordButton.getTooltip(),
              "Record the midi out of the sequencer. To procede: with the host clock idle, first select the length, "
              "then activate this button. The recording will begin as soon as the host clock is restarted.");
    for (int k = 0; k < 5; ++k)
    {
        EXPECT_EQ(p.items[(size_t) k]->getName(), "midifile" + juce::String(k + 1));
        EXPECT_EQ(p.items[(size_t) k]->getTooltip(), "Drag and drop this component to the host Midi track");
    }
    EXPECT_EQ(p.items[0]->getTrackName(), "MidiRecAll");
    EXPECT_EQ(p.items[3]->getTrackName(), "MidiRec3");
    EXPECT_EQ(p.lengthBox.getMinimum(), 1.0);
    EXPECT_EQ(p.lengthBox.getMaximum(), 128.0);
    // The record button shows once the editor has settled.
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.recordButton.isVisible(); }));
}

TEST_F(Recorder, AMissingLengthIsOneBarAndADoubleClickReturnsToIt)
{
    auto other = processor.paramTree.getChildWithName("otherparams");
    other.removeProperty("p0_recleng", nullptr);
    RecPanel panel(processor.paramState, processor.paramTree, processor.globalData);
    EXPECT_EQ((double) other.getProperty("p0_recleng"), 1.0);
    panel.lengthBox.setValue(16.0, juce::sendNotificationSync);
    EXPECT_EQ((double) other.getProperty("p0_recleng"), 16.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return processor.globalData.recLength.load() == 16; }));
    EXPECT_TRUE(panel.lengthBox.isDoubleClickReturnEnabled());
    EXPECT_EQ(panel.lengthBox.getDoubleClickReturnValue(), 1.0);
}

TEST_F(Recorder, ATakeEndsByItselfAndItsLanesOfferMidiFiles)
{
    addPitchUnit();
    auto& p = panel();
    p.lengthBox.setValue(2.0, juce::sendNotificationSync);
    ASSERT_TRUE(zutest::pumpUntil([&] { return p.recordButton.isVisible(); }));
    p.recordButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return p.recordButton.getToggleState(); }));
    for (auto& armed : processor.globalData.recArmed)
        EXPECT_TRUE(armed.load());

    // Past two bars (4 s at 120 bpm) and a little more.
    transport.playing = true;
    play((int) (4.2 * sampleRate) / blockSize);
    EXPECT_FALSE(processor.globalData.recArmed[0].load());
    ASSERT_TRUE(zutest::pumpUntil([&] { return !p.recordButton.getToggleState(); }));
    // Lane 0 takes every unit, lane 1 pitch unit 1; the other lanes caught nothing.
    EXPECT_TRUE(zutest::pumpUntil([&] { return visibleItems({0, 1}); }));
    for (auto& armed : processor.globalData.recArmed)
        EXPECT_FALSE(armed.load());

    // A press (any button) writes the lane's file and starts its drag.
    juce::File dragged;
    p.items[0]->startDrag = [&](const juce::File& f)
    {
        dragged = f;
        return true;
    };
    {
        zutest::HeldModifiers right(juce::ModifierKeys::rightButtonModifier);
        p.items[0]->mouseDown(zutest::mouseEventOn(*p.items[0], juce::ModifierKeys::rightButtonModifier));
    }
    ASSERT_TRUE(dragged.existsAsFile());

    const auto header = readHeader(dragged);
    EXPECT_EQ(header.format, 1);
    EXPECT_EQ(header.tracks, 1);
    EXPECT_EQ(header.division, 960);

    juce::FileInputStream in(dragged);
    juce::MidiFile midi;
    ASSERT_TRUE(midi.readFrom(in));
    ASSERT_EQ(midi.getNumTracks(), 1);
    EXPECT_EQ(midi.getTimeFormat(), 960);
    const auto& track = *midi.getTrack(0);
    ASSERT_GT(track.getNumEvents(), 3);
    const auto& first = track.getEventPointer(0)->message;
    ASSERT_TRUE(first.isTempoMetaEvent());
    EXPECT_EQ(first.getTimeStamp(), 0.0);
    EXPECT_EQ(juce::roundToInt(first.getTempoSecondsPerQuarterNote() * 1.0e6), 500000);

    // The track name sits at tick 0 after every event at tick 0.
    int nameIndex = -1, notes = 0;
    for (int i = 0; i < track.getNumEvents(); ++i)
    {
        const auto& m = track.getEventPointer(i)->message;
        if (m.isTextMetaEvent() && m.getMetaEventType() == 3)
            nameIndex = i;
        notes += m.isNoteOn() ? 1 : 0;
    }
    ASSERT_GE(nameIndex, 1);
    EXPECT_EQ(track.getEventPointer(nameIndex)->message.getTextFromTextMetaEvent(), "MidiRecAll");
    EXPECT_EQ(track.getEventTime(nameIndex), 0.0);
    for (int i = nameIndex + 1; i < track.getNumEvents(); ++i)
        EXPECT_GT(track.getEventTime(i), 0.0);
    EXPECT_GE(notes, 8);

    // The next press writes a file of its own; the first stays for its drop.
    juce::File second;
    p.items[1]->startDrag = [&](const juce::File& f)
    {
        second = f;
        return true;
    };
    p.items[1]->mouseDown(zutest::mouseEventOn(*p.items[1], juce::ModifierKeys::leftButtonModifier));
    ASSERT_TRUE(second.existsAsFile());
    EXPECT_NE(second, dragged);
    EXPECT_TRUE(dragged.existsAsFile());
    EXPECT_TRUE(second.getFileName().startsWith("MidiRec1"));

    // Playing on without arming hides the record button; stopping shows it.
    transport.playing = false;
    play(8);
    transport.sample = 0;
    transport.playing = true;
    play(16);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !p.recordButton.isVisible(); }));
    transport.playing = false;
    play(8);
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.recordButton.isVisible(); }));
}

TEST_F(Recorder, DragFilesLiveInAPrivateFolderUnderNamesOfTheirOwn)
{
    const auto folder = zu::midifiles::privateFolder();
    ASSERT_TRUE(folder.isDirectory());
    struct stat st
    {
    };
    ASSERT_EQ(::lstat(folder.getFullPathName().toRawUTF8(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());

    juce::MemoryBlock bytes("abc", 3);
    const auto a = zu::midifiles::writeNewFile(folder, "MidiRecAll", bytes);
    const auto b = zu::midifiles::writeNewFile(folder, "MidiRecAll", bytes);
    ASSERT_TRUE(a.existsAsFile());
    ASSERT_TRUE(b.existsAsFile());
    EXPECT_NE(a, b);
    EXPECT_EQ(a.loadFileAsString(), "abc");

    // Old files go at a later drag; the one just written never does.
    a.setLastModificationTime(juce::Time::getCurrentTime() - juce::RelativeTime::days(2.0));
    zu::midifiles::removeOldFiles(folder, b, juce::RelativeTime::days(1.0));
    EXPECT_FALSE(a.existsAsFile());
    EXPECT_TRUE(b.existsAsFile());
    b.setLastModificationTime(juce::Time::getCurrentTime() - juce::RelativeTime::days(2.0));
    zu::midifiles::removeOldFiles(folder, b, juce::RelativeTime::days(1.0));
    EXPECT_TRUE(b.existsAsFile());
    b.deleteFile();
}

TEST_F(Recorder, AFolderNameTakenByALinkIsNeverWrittenThrough)
{
    // Someone else's link where the folder would be: the files go to the
    // user's own cache folder and the link's target stays untouched.
    const auto root = zutest::uniqueTempFolder("zu-drag");
    const auto temp = root.getChildFile("tmp");
    const auto victim = root.getChildFile("victim");
    ASSERT_TRUE(temp.createDirectory());
    ASSERT_TRUE(victim.createDirectory());
    const auto link = temp.getChildFile("ZU-MIRA8-" + juce::String((juce::int64)::geteuid()));
    ASSERT_TRUE(victim.createSymbolicLink(link, true));

    const juce::String savedTmp = juce::SystemStats::getEnvironmentVariable("TMPDIR", {});
    ::setenv("TMPDIR", temp.getFullPathName().toRawUTF8(), 1);
    const auto folder = zu::midifiles::privateFolder();
    if (savedTmp.isEmpty())
        ::unsetenv("TMPDIR");
    else
        ::setenv("TMPDIR", savedTmp.toRawUTF8(), 1);

    ASSERT_TRUE(folder.isDirectory());
    EXPECT_FALSE(folder.isAChildOf(temp));
    EXPECT_TRUE(folder.isAChildOf(juce::File::getSpecialLocation(juce::File::userHomeDirectory)));
    EXPECT_EQ(victim.getNumberOfChildFiles(juce::File::findFilesAndDirectories), 0);
    root.deleteRecursively();
}

TEST_F(Recorder, WithoutAnEditorTheFileHoldsOnlyTheTrackName)
{
    DdMidiFileItem item("midifile4", juce::Colour(0xffb0b0b0));
    const auto track = item.buildTrack();
    ASSERT_EQ(track.getNumEvents(), 1);
    EXPECT_EQ(track.getEventPointer(0)->message.getTextFromTextMetaEvent(), "MidiRec3");
    const auto file = item.writeMidiFile();
    ASSERT_TRUE(file.existsAsFile());
    EXPECT_EQ(readHeader(file).format, 1);
    file.deleteFile();
}

TEST_F(Recorder, TheEditCallOutSetsTheTargetsOfEachTrackAndForgetsThePanel)
{
    auto& p = panel();
    p.editButtonClicked();
    auto* content = zutest::openCallOutContent<RecEditPanel>(*editor);
    ASSERT_NE(content, nullptr);
    // A fifth of the editor wide, three tenths high.
    EXPECT_EQ(content->getWidth(), 200);
    EXPECT_EQ(content->getHeight(), 174);
    EXPECT_EQ(content->heading.getText(), "Set the target units of each recording track");
    auto other = processor.paramTree.getChildWithName("otherparams");
    for (int t = 0; t < 4; ++t)
    {
        auto& track = *content->tracks[(size_t) t];
        EXPECT_EQ(track.label.getText(), "Track " + juce::String(t + 1));
        for (int k = 0; k < 10; ++k)
        {
            const auto id = "p0_rectrk" + juce::String(t + 1) + "tarunit" + juce::String(k + 1);
            EXPECT_EQ(track.buttons[(size_t) k].getToggleState(), k == t) << id;
            EXPECT_EQ(track.buttons[(size_t) k].getButtonText(), juce::String(k < 8 ? k % 4 + 1 : k - 7));
        }
    }
    content->tracks[2]->buttons[8].triggerClick();
    EXPECT_TRUE(zutest::pumpUntil([&] { return (int) other.getProperty("p0_rectrk3tarunit9") == 1; }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return processor.globalData.recTargets[2][8].load(); }));

    // Closing the call-out returns the EDIT button to its normal look.
    auto* box = p.getEditCallOut();
    ASSERT_NE(box, nullptr);
    p.editButton.setState(juce::Button::buttonDown);
    box->dismiss();
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.getEditCallOut() == nullptr; }));
    EXPECT_EQ(p.editButton.getState(), juce::Button::buttonNormal);

    // A call-out still open when the editor closes outlives the panel for a
    // moment; it closes and, going, never reaches the deleted panel.
    p.editButtonClicked();
    juce::Component::SafePointer<juce::CallOutBox> orphan(p.getEditCallOut());
    ASSERT_NE(orphan, nullptr);
    editor.reset();
    ASSERT_NE(orphan, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return orphan == nullptr; }));
}

TEST_F(Recorder, AnEditorOpenedAgainShowsTheTakesAndAnUnarmedButton)
{
    addPitchUnit();
    auto& first = panel();
    ASSERT_TRUE(zutest::pumpUntil([&] { return first.recordButton.isVisible(); }));
    first.recordButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return first.recordButton.getToggleState(); }));
    transport.playing = true;
    // One bar (the length of a new instance) and a little more.
    play((int) (2.2 * sampleRate) / blockSize);
    ASSERT_TRUE(zutest::pumpUntil([&] { return visibleItems({0, 1}); }));
    transport.playing = false;
    play(8);

    // Lanes still armed from elsewhere: the new panel's button starts off
    // and leaves them armed; the finished takes show their items.
    for (auto& armed : processor.globalData.recArmed)
        armed = true;
    editor.reset();
    editor = zutest::makeEditor(processor);
    auto& again = panel();
    EXPECT_FALSE(again.recordButton.getToggleState());
    EXPECT_TRUE(zutest::pumpUntil([&] { return visibleItems({0, 1}); }));
    for (auto& armed : processor.globalData.recArmed)
        EXPECT_TRUE(armed.load());

    // Stopped before the end: the button goes off by itself and the earlier
    // takes are gone.
    ASSERT_TRUE(zutest::pumpUntil([&] { return again.recordButton.isVisible(); }));
    again.recordButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return again.recordButton.getToggleState(); }));
    transport.sample = 0;
    transport.playing = true;
    play((int) (0.5 * sampleRate) / blockSize);
    EXPECT_TRUE(zutest::pumpUntil([&] { return visibleItems({}); }));
    EXPECT_TRUE(again.recordButton.getToggleState());
    transport.playing = false;
    play(8);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !again.recordButton.getToggleState(); }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return again.recordButton.isVisible(); }));
    zutest::pumpFor(300);
    EXPECT_TRUE(visibleItems({}));
    EXPECT_FALSE(processor.globalData.recHasTake[0].load());
}
} // namespace

namespace
{
TEST_F(Recorder, TheMacroPageTurnsWhatMacroOneModulates)
{
    auto& bottom = editor->getMainPanel()->bottomPanel;
    bottom.menuButtons.getButton(1).triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == 1; }));
    ASSERT_EQ(bottom.tabs.getCurrentContentComponent(), &bottom.modPagePanel);
    ASSERT_TRUE(bottom.modPagePanel.isVisible());
    auto& knob = bottom.modPagePanel.macroPanel.units[0]->knob;

    // Pitch unit 1 plays; its transpose follows macro 1 (source 9) at full depth.
    addPitchUnit();
    auto node = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1");
    for (int k = 1; k <= 32; ++k)
        node.setProperty("p1m11_pch" + juce::String(k), 0, nullptr);
    node.setProperty("p1m11_tp_ms1", 9, nullptr);
    node.setProperty("p1m11_tp_md1", 1.0, nullptr);
    transport.playing = true;

    const auto notesOfABar = [this]
    {
        std::set<int> notes;
        juce::AudioBuffer<float> audio(2, blockSize);
        for (int b = 0; b < (int) (2.0 * sampleRate) / blockSize; ++b)
        {
            juce::MidiBuffer midi;
            processor.processBlock(audio, midi);
            transport.sample += blockSize;
            for (const auto m : midi)
                if (m.getMessage().isNoteOn())
                    notes.insert(m.getMessage().getNoteNumber());
        }
        return notes;
    };
    knob.setValue(0.0, juce::sendNotificationSync);
    notesOfABar();
    const auto before = notesOfABar();
    ASSERT_EQ(before.size(), 1u);

    // Turning the knob in the editor moves the host parameter the engine reads.
    knob.setValue(1.0, juce::sendNotificationSync);
    EXPECT_EQ(zutest::hostParameter(processor, "p7_macro1"), 1.0f);
    notesOfABar();
    const auto after = notesOfABar();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_GT(*after.begin(), *before.begin());
}
} // namespace
