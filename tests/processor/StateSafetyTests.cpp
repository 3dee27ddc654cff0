// SPDX-License-Identifier: GPL-3.0-or-later
// The state holds whatever the host does: damaged documents are refused before
// any recursive parser reads them, host threads save and load while the
// message thread edits and the audio thread plays, and no snapshot is lost or
// misplaced on the way.
#include "ModelTreeCompare.h"
#include "ProcessorTestHelpers.h"
#include "ProcessorWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

namespace
{
using zutest::modelsAgainstTrees;
using zutest::settle;

void setParam(ZumiraboxAudioProcessor& p, const char* id, float v)
{
    p.setValueToValueTree(p.paramProfile.getParamIndexFromString(id), v);
}

float param(ZumiraboxAudioProcessor& p, const char* id)
{
    float v = 0.0f;
    p.getValueFromValueTree(v, p.paramProfile.getParamIndexFromString(id));
    return v;
}

juce::ValueTree live(ZumiraboxAudioProcessor& p, const char* unit)
{
    return p.paramTree.getChildWithName("seqmain").getChildWithName(unit);
}

juce::MemoryBlock save(ZumiraboxAudioProcessor& p)
{
    juce::MemoryBlock chunk;
    p.getStateInformation(chunk);
    return chunk;
}

void load(ZumiraboxAudioProcessor& p, const juce::MemoryBlock& chunk)
{
    p.setStateInformation(chunk.getData(), (int) chunk.getSize());
}

// A host chunk holding the text as JUCE frames it.
juce::MemoryBlock chunkOfText(const juce::String& text)
{
    juce::MemoryBlock chunk;
    juce::MemoryOutputStream out(chunk, false);
    out.writeInt(0x21324356);
    out.writeInt((int) text.getNumBytesAsUTF8());
    out.write(text.toRawUTF8(), text.getNumBytesAsUTF8());
    out.writeByte(0);
    return chunk;
}

juce::String nested(int depth)
{
    juce::String open, close;
    open.preallocateBytes((size_t) depth * 3);
    close.preallocateBytes((size_t) depth * 4);
    for (int i = 0; i < depth; ++i)
    {
        open << "<a>";
        close << "</a>";
    }
    return open + close;
}

// Runs what a host does on a thread of its own while the message thread
// goes on with its messages, as it does in a host.
template <class Fn> bool onHostThread(Fn&& fn)
{
    std::atomic<bool> done{false};
    std::thread host(
        [&]
        {
            fn();
            done = true;
        });
    const bool finished = zutest::pumpUntil([&] { return done.load(); }, 120000);
    host.join();
    return finished;
}

// What snapshot s of a unit holds for one property: the live trees for the
// snapshot the trees hold, the stored snapshot otherwise.
juce::var snapshotValue(ZumiraboxAudioProcessor& p, const char* unit, const char* key, int s)
{
    if (s == p.liveSnapshotOfUnit(1))
        return live(p, unit).getProperty(key);
    return p.snapTree.getChildWithName(unit).getChildWithName("snap" + juce::String(s + 1)).getProperty(key);
}
} // namespace

TEST(StateSafety, DocumentsNestedDeeperThanAnyStateAreRefusedUnchanged)
{
    ZumiraboxAudioProcessor p;
    setParam(p, "p0_gch", 5.0f);
    live(p, "ptchsq1").setProperty("p1m11_pch1", 7, nullptr);
    const auto before = save(p);

    const juce::String head = "<?xml version=\"1.0\"?>\n<ZUMIRA8 pluginVersion=\"1.1.82\" p0_gch=\"9\">";
    const juce::String texts[] = {
        head + nested(30000) + "</ZUMIRA8>",
        head + "<param>" + nested(200) + "</param></ZUMIRA8>",
        // Entities expand recursively in JUCE's parser, one of them without end.
        "<!DOCTYPE ZUMIRA8 [<!ENTITY e \"&e;\">]>" + head + "<param p9=\"&e;\"/></ZUMIRA8>",
    };
    for (const auto& text : texts)
    {
        load(p, chunkOfText(text));
        EXPECT_EQ(param(p, "p0_gch"), 5.0f);
        EXPECT_EQ(save(p), before);
    }

    // A document as deep as a state gets is still read.
    load(p, chunkOfText(head + "<param>" + nested(20) + "</param></ZUMIRA8>"));
    EXPECT_EQ(param(p, "p0_gch"), 9.0f);
}

TEST(StateSafety, ASettingsFileNestedTooDeepReadsAsNoSettingsAndIsReplacedWhole)
{
    ZumiraboxAudioProcessor first;
    const auto file = first.getSettingFileLocation();
    ASSERT_TRUE(file.getParentDirectory().createDirectory());

    // Nested elements, and nested text that a value would hand on to the parser.
    juce::String escaped;
    for (int i = 0; i < 40000; ++i)
        escaped << "&lt;a&gt;";
    const juce::String bodies[] = {
        "<PROPERTIES>" + nested(40000) + "</PROPERTIES>",
        "<PROPERTIES><VALUE name=\"deep\" val=\"" + escaped + "\"/></PROPERTIES>",
    };
    for (const auto& body : bodies)
    {
        ASSERT_TRUE(file.replaceWithText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body));
        ZumiraboxAudioProcessor p;
        p.skinMode = 1;
        p.updateAndSaveSettingFile();
        ZumiraboxAudioProcessor after;
        EXPECT_EQ(after.skinMode, 1);
    }
    file.deleteFile();
}

TEST(StateSafety, LoadsUnderSnapshotAutomationNeverMisplaceASnapshot)
{
    // The song: pitch unit 1 holds s + 1 in step 1 of snapshot s.
    ZumiraboxAudioProcessor source;
    for (int s = 0; s < 8; ++s)
    {
        setParam(source, "p1m11_snp", (float) s);
        ASSERT_TRUE(settle(source));
        live(source, "ptchsq1").setProperty("p1m11_pch1", s + 1, nullptr);
    }
    setParam(source, "p1m11_snp", 2.0f);
    ASSERT_TRUE(settle(source));
    const auto song = save(source);

    ZumiraboxAudioProcessor p;
    auto* snapshot = p.getParameters()[p.kindSnapParamIndex[0][0]];
    int misplaced = 0;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::atomic<bool> loading{true};
        std::thread automation(
            [&]
            {
                std::mt19937 rng((unsigned) attempt);
                while (loading.load())
                    snapshot->setValueNotifyingHost((float) (rng() % 8) / 7.0f);
            });
        const bool loaded = onHostThread([&] { load(p, song); });
        loading = false;
        automation.join();
        ASSERT_TRUE(loaded);
        // Every switch the automation asked for is carried out.
        ASSERT_TRUE(zutest::pumpUntil(
            [&]
            { return !p.hasPendingSwitches() && !p.isTimerRunning(ZumiraboxAudioProcessor::snapshotSwitchTimer); }));

        for (int s = 0; s < 8; ++s)
            if ((int) snapshotValue(p, "ptchsq1", "p1m11_pch1", s) != s + 1)
            {
                ++misplaced;
                break;
            }
        ASSERT_EQ(modelsAgainstTrees(p), "") << "attempt " << attempt;
    }
    EXPECT_EQ(misplaced, 0);
}

TEST(StateSafety, AnEditRightAfterASwitchBelongsToTheSnapshotOnScreen)
{
    ZumiraboxAudioProcessor p;
    // The switch to B is asked for; before the trees switch, the user edits A.
    setParam(p, "p1m11_snp", 1.0f);
    live(p, "ptchsq1").setProperty("p1m11_pch1", 5, nullptr);
    live(p, "ptchsq1").setProperty("p1m11_vel1", 64.0, nullptr);
    ASSERT_TRUE(settle(p));

    EXPECT_EQ(p.liveSnapshotOfUnit(1), 1);
    const auto storedA = p.snapTree.getChildWithName("ptchsq1").getChildWithName("snap1");
    EXPECT_EQ((int) storedA.getProperty("p1m11_pch1"), 5);
    EXPECT_EQ(p.pitchSeqData.units[0].snaps[0].steps[0].pch.value.load(), 5);
    EXPECT_EQ(p.pitchSeqData.units[0].snaps[1].steps[0].pch.value.load(), 0);
    EXPECT_EQ(modelsAgainstTrees(p), "");

    // Back on A the edit is there, in the trees and in what plays.
    setParam(p, "p1m11_snp", 0.0f);
    ASSERT_TRUE(settle(p));
    EXPECT_EQ((int) live(p, "ptchsq1").getProperty("p1m11_pch1"), 5);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST(StateSafety, ABurstOfSwitchesOnEveryUnitEndsOnTheNewestOfEach)
{
    ZumiraboxAudioProcessor p;
    std::array<int, zu::units::numUnits> newest{};
    const bool done = onHostThread(
        [&]
        {
            std::mt19937 rng(7);
            auto params = p.getParameters();
            for (int i = 0; i < 1000; ++i)
            {
                const int unit = (int) (rng() % (unsigned) zu::units::numUnits);
                const int s = (int) (rng() % 8);
                const int kind = zu::units::kindOf(unit + 1);
                const int index = zu::units::indexOf(unit + 1);
                params[p.kindSnapParamIndex[kind][index]]->setValueNotifyingHost((float) s / 7.0f);
                newest[(size_t) unit] = s;
            }
        });
    ASSERT_TRUE(done);
    ASSERT_TRUE(settle(p));
    for (int unit = 1; unit <= zu::units::numUnits; ++unit)
        EXPECT_EQ(p.liveSnapshotOfUnit(unit), newest[(size_t) unit - 1]) << "unit " << unit;
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST(StateSafety, InitialiseAllResetsUnitsOnAnySnapshotInEverySnapshot)
{
    ZumiraboxAudioProcessor p;
    const auto seqMain = p.paramTree.getChildWithName("seqmain");
    // Every unit on one of B..H, with edited values stored in A and live.
    for (int unit = 1; unit <= zu::units::numUnits; ++unit)
    {
        const int kind = zu::units::kindOf(unit);
        const int index = zu::units::indexOf(unit);
        auto node = seqMain.getChildWithName(zu::units::nodeName(kind, index));
        const auto key = node.getPropertyName(node.getNumProperties() - 1);
        node.setProperty(key, 3, nullptr);
        p.setValueToValueTree(p.kindSnapParamIndex[kind][index], (float) (1 + unit % 7));
        ASSERT_TRUE(settle(p));
        node.setProperty(key, 3, nullptr);
    }

    p.initializeAllParamValues();
    ASSERT_TRUE(settle(p));

    for (int unit = 1; unit <= zu::units::numUnits; ++unit)
    {
        SCOPED_TRACE(unit);
        const int kind = zu::units::kindOf(unit);
        const int index = zu::units::indexOf(unit);
        const auto name = zu::units::nodeName(kind, index);
        EXPECT_EQ(p.liveSnapshotOfUnit(unit), 0);
        const auto unitSnaps = p.snapTree.getChildWithName(name);
        const auto defaults = unitSnaps.getChildWithName("snapdef");
        const auto liveNode = seqMain.getChildWithName(name);
        for (int i = 0; i < defaults.getNumProperties(); ++i)
        {
            const auto key = defaults.getPropertyName(i);
            EXPECT_EQ(liveNode.getProperty(key), defaults.getProperty(key)) << key.toString();
            for (int s = 0; s < 8; ++s)
                EXPECT_EQ(unitSnaps.getChildWithName("snap" + juce::String(s + 1)).getProperty(key),
                          defaults.getProperty(key))
                    << key.toString() << " in snapshot " << s;
        }
    }
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

// Run it under ThreadSanitizer (ZU_SANITIZE=thread, the "tsan" preset) to
// check that hosts, the editor and the audio thread never race on the state.
TEST(StateSafety, HostThreadsSaveAndLoadWhileTheEditorEditsAndTheAudioPlays)
{
    ZumiraboxAudioProcessor p, other;
    PlayingHead head;
    p.setPlayHead(&head);
    p.prepareToPlay(48000.0, 256);
    const juce::String units = "CT:100 500 900 1300 1400 1500 ";
    p.mainTree.setProperty("ctstate", units, nullptr);
    p.globalData.loadCenterUnitStateFromString(units);
    const auto otherSong = save(other);

    std::atomic<bool> running{true};
    std::atomic<int> blocks{0}, saves{0}, loads{0};

    std::thread audio(
        [&]
        {
            juce::AudioBuffer<float> buffer(2, 256);
            juce::MidiBuffer midi;
            while (running.load())
            {
                midi.clear();
                p.processBlock(buffer, midi);
                head.ppq = head.ppq.load() + 256.0 * 2.0 / 48000.0;
                blocks.fetch_add(1);
            }
        });

    std::thread host(
        [&]
        {
            std::mt19937 rng(99);
            auto params = p.getParameters();
            juce::MemoryBlock chunk;
            while (running.load())
            {
                params[rng() % 99]->setValueNotifyingHost((float) (rng() % 100) / 100.0f);
                params[p.kindSnapParamIndex[rng() % 5][0]]->setValueNotifyingHost((float) (rng() % 8) / 7.0f);
                p.getStateInformation(chunk);
                saves.fetch_add(1);
                if (rng() % 4 == 0)
                {
                    load(p, rng() % 2 == 0 ? chunk : otherSong);
                    loads.fetch_add(1);
                }
            }
        });

    // The message thread edits, switches and copies, and runs its timers.
    std::mt19937 rng(5);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    while (
        !(zutest::millisecondsSince(start) > 2000.0 && blocks.load() > 300 && saves.load() > 20 && loads.load() > 3) &&
        zutest::millisecondsSince(start) < 120000.0)
    {
        for (int i = 0; i < 5; ++i)
            zutest::randomEdit(p, rng);
        const int kind = (int) (rng() % 3);
        p.setValueToValueTree(p.kindSnapParamIndex[kind][rng() % 4], (float) (rng() % 8));
        const int src = zu::units::firstIdOfKind[(size_t) kind] + (int) (rng() % 4);
        p.copyPasteSnapshot(src, src, (int) (rng() % 8), (int) (rng() % 8));
        if (rng() % 8 == 0)
            p.rndRstCenterSqParams(kind, (int) (rng() % 4), 0, (int) (rng() % 2));
        zutest::pumpFor(2);
    }

    running = false;
    audio.join();
    host.join();
    ASSERT_TRUE(settle(p));
    EXPECT_GT(blocks.load(), 100);
    EXPECT_GT(saves.load(), 0);
    EXPECT_EQ(modelsAgainstTrees(p), "");
    p.setPlayHead(nullptr);
}
