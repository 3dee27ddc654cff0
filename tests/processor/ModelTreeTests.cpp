// SPDX-License-Identifier: GPL-3.0-or-later
// The data models never drift from the trees: after switches, copies, resets,
// saves and loads into an instance in use, every snapshot of every unit's
// model and of its modulation slots holds what the trees say.
#include "ModelTreeCompare.h"
#include "ProcessorWait.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>

namespace
{
using zutest::modelsAgainstTrees;
using zutest::randomEdit;
using zutest::settle;

using zu::units::firstIdOfKind;
using zu::units::unitsOfKind;

struct ModelsAndTrees : ::testing::Test
{
    // Runs what a host does on a thread of its own while the message thread
    // goes on with its messages, as it does in a host.
    template <class Fn> static void onHostThread(Fn&& fn)
    {
        std::atomic<bool> done{false};
        std::thread host(
            [&]
            {
                fn();
                done = true;
            });
        const bool finished = zutest::pumpUntil([&] { return done.load(); }, 60000);
        host.join();
        ASSERT_TRUE(finished);
    }

    static void setParam(ZumiraboxAudioProcessor& p, const juce::String& id, float v)
    {
        p.setValueToValueTree(p.paramProfile.getParamIndexFromString(id), v);
    }
    static juce::ValueTree live(ZumiraboxAudioProcessor& p, const char* unit)
    {
        return p.paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }
    static juce::MemoryBlock save(ZumiraboxAudioProcessor& p)
    {
        juce::MemoryBlock chunk;
        p.getStateInformation(chunk);
        return chunk;
    }
    static void load(ZumiraboxAudioProcessor& p, const juce::MemoryBlock& chunk)
    {
        p.setStateInformation(chunk.getData(), (int) chunk.getSize());
    }
};

} // namespace

TEST_F(ModelsAndTrees, ANewInstanceStartsEqual)
{
    ZumiraboxAudioProcessor p;
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ALoadResetsSnapshotsTheDocumentNeverStored)
{
    ZumiraboxAudioProcessor p, blank;
    // Snapshot C of pitch unit 1 holds a note; back on A.
    setParam(p, "p1m11_snp", 2.0f);
    ASSERT_TRUE(settle(p));
    live(p, "ptchsq1").setProperty("p1m11_pch5", 7.0, nullptr);
    setParam(p, "p1m11_snp", 0.0f);
    ASSERT_TRUE(settle(p));
    ASSERT_EQ(p.pitchSeqData.units[0].snaps[2].steps[4].pch.value.load(), 7);

    load(p, save(blank));
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");

    // Switching to C plays the loaded song's C, not the old note.
    setParam(p, "p1m11_snp", 2.0f);
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(live(p, "ptchsq1").getProperty("p1m11_pch5").toString().getIntValue(), 0);
    EXPECT_EQ(p.pitchSeqData.units[0].snaps[2].steps[4].pch.value.load(), 0);
}

TEST_F(ModelsAndTrees, SlotModelFollowsASwitchToANeverStoredSnapshot)
{
    ZumiraboxAudioProcessor p;
    setParam(p, "p2m22_snp", 3.0f);
    ASSERT_TRUE(settle(p));
    const auto slot3 = p.paramTree.getChildWithName("modmain").getChildWithName("prmsq2mod").getChildWithName("mod3");
    const bool treeOn = slot3.getProperty("p6m223_pwr").toString().getIntValue() > 0;
    EXPECT_EQ(p.lfoData.unitSnaps[5][3].slots[2].pwr.load(), treeOn);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, CopyOfANeverStoredSnapshotAndInitialiseAllKeepThemEqual)
{
    ZumiraboxAudioProcessor p;
    auto modSlot = [&](int slot)
    {
        return p.paramTree.getChildWithName("modmain")
            .getChildWithName("ccsq1mod")
            .getChildWithName("mod" + juce::String(slot));
    };
    modSlot(4).setProperty("p6m314_kfr", 0.25, nullptr);
    p.copyPasteSnapshot(9, 9, 6, 0); // G was never stored; A is current
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");

    modSlot(2).setProperty("p6m312_pwr", 0, nullptr);
    live(p, "ccsq1").setProperty("p3m31_sval3", 0.5, nullptr);
    p.initializeAllParamValues();
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, RandomEditsSwitchesCopiesResetsSavesAndLoads)
{
    ZumiraboxAudioProcessor p, other;
    std::mt19937 rng(13);
    juce::MemoryBlock earlier = save(other);
    for (int step = 0; step < 60; ++step)
    {
        const int op = (int) (rng() % 10);
        std::string what;
        if (op < 4)
        {
            what = "edit";
            for (int i = 0; i < 5; ++i)
                randomEdit(p, rng);
        }
        else if (op < 6)
        {
            what = "switch";
            const int kind = (int) (rng() % 5);
            const int index = (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            p.setValueToValueTree(p.kindSnapParamIndex[kind][index], (float) (rng() % 8));
        }
        else if (op == 6)
        {
            what = "copy";
            const int kind = (int) (rng() % 5);
            const int src = firstIdOfKind[(size_t) kind] + (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            const int dst = firstIdOfKind[(size_t) kind] + (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            p.copyPasteSnapshot(src, dst, (int) (rng() % 8), (int) (rng() % 8));
        }
        else if (op == 7)
        {
            what = "initialise all";
            p.initializeAllParamValues();
        }
        else if (op == 8)
        {
            what = "save, then load into an instance in use";
            const auto chunk = save(p);
            load(other, chunk);
            ASSERT_TRUE(settle(other));
            ASSERT_EQ(modelsAgainstTrees(other), "") << "step " << step << ": " << what;
            earlier = chunk;
        }
        else
        {
            what = "load an earlier state";
            load(p, earlier);
        }
        ASSERT_TRUE(settle(p));
        ASSERT_EQ(modelsAgainstTrees(p), "") << "step " << step << ": " << what;
    }
}

TEST_F(ModelsAndTrees, ALoadClearsPendingSnapshotsAndCurrentOneIsNeverPending)
{
    ZumiraboxAudioProcessor p, source;
    p.prepareToPlay(48000.0, 256);
    p.startMidiLearn("p1m11_snp");
    auto run = [&](int value)
    {
        juce::MidiBuffer midi;
        midi.addEvent(juce::MidiMessage::controllerEvent(1, 20, value), 0);
        juce::AudioBuffer<float> audio(2, 256);
        p.processBlock(audio, midi);
    };
    run(1); // learns controller 20
    run(0); // names snapshot A, already current
    EXPECT_EQ(p.pendingSnapshotOfUnit(1), -1);

    run(127);
    ASSERT_EQ(p.pendingSnapshotOfUnit(1), 7);
    setParam(source, "p1m11_snp", 3.0f);
    ASSERT_TRUE(settle(source));
    load(p, save(source));
    EXPECT_EQ(p.pendingSnapshotOfUnit(1), -1);
    EXPECT_EQ(p.pitchSeqData.getPlaySnapshotIndex(0), 3);
}

TEST_F(ModelsAndTrees, UnitIdsOutsideTheRangeReadAsNoUnit)
{
    ZumiraboxAudioProcessor p;
    for (int id : {-1, 0, 16, 1000})
    {
        EXPECT_EQ(p.currentSnapshotOfUnit(id), 0);
        EXPECT_EQ(p.pendingSnapshotOfUnit(id), -1);
    }
}

TEST_F(ModelsAndTrees, ASaveOnAHostThreadHoldsACompletedStateWhereverTheSwitchesStand)
{
    ZumiraboxAudioProcessor p;
    live(p, "prmsq1").setProperty("p2m21_sval1", 0.5, nullptr);
    ASSERT_TRUE(settle(p));

    juce::MemoryBlock chunk;
    onHostThread(
        [&]
        {
            setParam(p, "p2m21_snp", 1.0f);
            p.getStateInformation(chunk);
        });

    // The switch to B may have been carried out before the save or not; the
    // document names the snapshot its live values belong to either way, and
    // A's values are stored.
    auto doc = juce::AudioProcessor::getXmlFromBinary(chunk.getData(), (int) chunk.getSize());
    ASSERT_NE(doc, nullptr);
    const auto snp = doc->getDoubleAttribute("p2m21_snp");
    EXPECT_TRUE(snp == 0.0 || snp == 1.0);
    auto* snaps = doc->getChildByName("snapmain")->getChildByName("prmsq1");
    EXPECT_EQ(snaps->getChildByName("snap1")->getStringAttribute("p2m21_sval1").getDoubleValue(), 0.5);
    const auto liveValue = doc->getChildByName("param")
                               ->getChildByName("seqmain")
                               ->getChildByName("prmsq1")
                               ->getStringAttribute("p2m21_sval1")
                               .getDoubleValue();
    EXPECT_EQ(liveValue, snp == 0.0 ? 0.5 : 0.0);

    ASSERT_TRUE(settle(p));
    EXPECT_EQ(p.liveSnapshotOfUnit(5), 1);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ASaveChangesNoParameter)
{
    ZumiraboxAudioProcessor p;
    ASSERT_TRUE(settle(p));
    std::vector<float> before;
    for (auto* param : p.getParameters())
        before.push_back(param->getValue());
    save(p);
    EXPECT_FALSE(p.isTimerRunning(ZumiraboxAudioProcessor::dummyFlipTimer));
    zutest::pumpFor(400);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(p.getParameters()[(int) i]->getValue(), before[i]) << i;
}

TEST_F(ModelsAndTrees, ASwitchQueuedBeforeALoadIsCarriedOutOnTheLoadedState)
{
    ZumiraboxAudioProcessor p, source;
    // The loaded song: snapshot B of CC unit 2 holds a value, A is live.
    setParam(source, "p3m32_snp", 1.0f);
    ASSERT_TRUE(settle(source));
    live(source, "ccsq2").setProperty("p3m32_sval2", 0.75, nullptr);
    setParam(source, "p3m32_snp", 0.0f);
    ASSERT_TRUE(settle(source));
    const auto chunk = save(source);

    // Automation from the host queues a switch to B, then the host loads.
    live(p, "ccsq2").setProperty("p3m32_sval2", 0.25, nullptr);
    onHostThread(
        [&]
        {
            setParam(p, "p3m32_snp", 1.0f);
            load(p, chunk);
        });
    ASSERT_TRUE(settle(p));

    // The loaded snapshot B is intact and the replaced song's values went nowhere.
    EXPECT_EQ(p.liveSnapshotOfUnit(10), 0);
    const auto storedB = p.snapTree.getChildWithName("ccsq2").getChildWithName("snap2");
    EXPECT_EQ(storedB.getProperty("p3m32_sval2").toString().getDoubleValue(), 0.75);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ClearedDuplicateControllersNoLongerMoveTheirParameter)
{
    ZumiraboxAudioProcessor p;
    p.prepareToPlay(48000.0, 256);
    p.midiMap[5] = "p0_gch";
    p.midiMap[7] = "p0_gch";
    p.midiMapChanged();
    p.updateAndSaveSettingFile(); // clears controller 7, a duplicate
    ASSERT_TRUE(p.midiMap[7].isEmpty());

    juce::MidiBuffer midi;
    midi.addEvent(juce::MidiMessage::controllerEvent(1, 7, 127), 0);
    juce::AudioBuffer<float> audio(2, 256);
    p.processBlock(audio, midi);
    zutest::pumpFor(100);
    float gch = 0.0f;
    p.getValueFromValueTree(gch, p.paramProfile.getParamIndexFromString("p0_gch"));
    EXPECT_EQ(gch, 1.0f);
}

TEST_F(ModelsAndTrees, OutputMidiIsCopiedIntoTheHostsBuffer)
{
    ZumiraboxAudioProcessor p;
    p.prepareToPlay(48000.0, 256);
    p.globalData.midiThru = true;
    juce::MidiBuffer hostBuffer;
    hostBuffer.ensureSize(8192);
    const auto* storage = hostBuffer.data.begin();
    for (int block = 0; block < 4; ++block)
    {
        hostBuffer.clear();
        for (int i = 0; i < 50; ++i)
            hostBuffer.addEvent(juce::MidiMessage::noteOn(1, 40 + i, (juce::uint8) 90), i);
        juce::AudioBuffer<float> audio(2, 256);
        p.processBlock(audio, hostBuffer);
        EXPECT_EQ(hostBuffer.getNumEvents(), 50);
        EXPECT_EQ(hostBuffer.data.begin(), storage) << "the host keeps its own buffer; ours keeps its capacity";
    }
}
