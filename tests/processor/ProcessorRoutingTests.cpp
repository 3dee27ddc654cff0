// SPDX-License-Identifier: GPL-3.0-or-later
// The processor keeps the models in step with host parameters and the "param"
// tree, and finishes on the message thread what other threads hand over.
#include "ProcessorWait.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
using zutest::pumpUntil;
using zutest::settle;

struct Processor : ::testing::Test
{
    void SetUp() override { processor = std::make_unique<ZumiraboxAudioProcessor>(); }
    void TearDown() override { processor.reset(); }

    void setParam(const char* id, float plainValue)
    {
        const int index = processor->paramProfile.getParamIndexFromString(id);
        ASSERT_GE(index, 0) << id;
        processor->setValueToValueTree(index, plainValue);
    }
    float param(const char* id)
    {
        float v = 0.0f;
        processor->getValueFromValueTree(v, processor->paramProfile.getParamIndexFromString(id));
        return v;
    }
    juce::ValueTree live(const char* unit)
    {
        return processor->paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }
    juce::ValueTree stored(const char* unit, int snapshot)
    {
        return processor->snapTree.getChildWithName(unit).getChildWithName(zu::units::snapNodeName(snapshot));
    }

    std::unique_ptr<ZumiraboxAudioProcessor> processor;
};
} // namespace

TEST_F(Processor, ConstructionPushesDefaultsAndStartsClean)
{
    auto& p = *processor;
    EXPECT_EQ(p.chordNoteTarget.load(), -1);
    EXPECT_EQ(p.snapshotParamUnits.size(), 15u);
    EXPECT_EQ(p.snapshotParamUnits.at("p4m41_snp"), 13);
    EXPECT_EQ(p.snapshotParamUnits.count("p1m11_pwr"), 0u);
    EXPECT_FLOAT_EQ(p.snapshotRange.convertFrom0to1(1.0f), 7.0f);
    EXPECT_FALSE(p.stateTransferFlag.load());
    EXPECT_TRUE(p.startUpFlag.load());
    EXPECT_EQ(p.globalData.gch.load(), 1) << "host defaults reach the models";
    EXPECT_EQ(p.mainTree.getProperty("ctstate").toString(), "CT:");
    EXPECT_EQ(p.getName(), "ZU-MIRA8");
    EXPECT_TRUE(std::isinf(p.getTailLengthSeconds()));
    EXPECT_TRUE(p.hasEditor());
}

TEST_F(Processor, SnapshotValuesFollowTheirUnits)
{
    auto& p = *processor;
    setParam("p5m51_snp", 3.0f);
    EXPECT_TRUE(pumpUntil([&] { return (int) p.lfoData.snapValues[13].getValue() == 3; }))
        << "entry 13 follows CC rack 1";
    setParam("p4m41_snp", 6.0f);
    EXPECT_TRUE(pumpUntil([&] { return (int) p.lfoData.snapValues[12].getValue() == 6; }))
        << "entry 12 follows the octave-transpose unit";
}

TEST_F(Processor, HostParametersReachTheirModels)
{
    auto& p = *processor;
    setParam("p1m12_ch", 9.0f);
    setParam("p3m34_ch", 4.0f);
    setParam("p4m41_pwr", 0.0f);
    setParam("p0_gch", 12.0f);
    setParam("p0_midithru", 1.0f);
    setParam("p7_macro3", 0.25f);
    setParam("p8_scale_root", 5.0f);
    setParam("p9_chord_pwr", 0.0f);
    setParam("p5m52_pwr", 0.0f);

    EXPECT_EQ(p.pitchSeqData.units[1].ch.load(), 9);
    EXPECT_EQ(p.ccSeqData.units[3].ch.load(), 4);
    EXPECT_FALSE(p.octTpSeqData.units[0].pwr.load());
    EXPECT_EQ(p.globalData.gch.load(), 12);
    EXPECT_TRUE(p.globalData.midiThru.load());
    EXPECT_FLOAT_EQ(p.macroData.macroValues[2].load(), 0.25f);
    EXPECT_EQ(p.scaleData.scaleRoot.load(), 5);
    EXPECT_FALSE(p.chordData.chordPower.load());
    EXPECT_FALSE(p.ccRackData.units[1].pwr.load());
}

TEST_F(Processor, TreePropertiesReachTheirModels)
{
    auto& p = *processor;
    live("ptchsq1").setProperty("p1m11_pch3", 7.0, nullptr);
    p.paramTree.getChildWithName("modmain")
        .getChildWithName("ptchsq1mod")
        .getChild(0)
        .setProperty("p6m111_pwr", 0, nullptr);
    p.paramTree.setProperty("p9_chord_root3", 9, nullptr);
    p.paramTree.setProperty("p0_chrsize", 8, nullptr);

    EXPECT_EQ(p.pitchSeqData.units[0].snaps[0].steps[2].pch.value.load(), 7);
    EXPECT_FALSE(p.lfoData.unitSnaps[0][0].slots[0].pwr.load());
    EXPECT_EQ(p.globalData.chrSize.load(), 8);

    // A tree property with the macro digit reaches no model and breaks nothing.
    p.paramTree.setProperty("p7_macro1", 1.0, nullptr);
    EXPECT_FLOAT_EQ(p.macroData.macroValues[0].load(), 0.0f);
}

TEST_F(Processor, HostSnapshotChangeQueuesASwitchCarriedOutByTimer2)
{
    auto& p = *processor;
    // Parameter unit 3 plays snapshot 2 with its own edits.
    setParam("p2m23_snp", 2.0f);
    ASSERT_TRUE(settle(p));
    live("prmsq3").setProperty("p2m23_sval1", 0.5, nullptr);
    p.paramSeqData.setPendingSnapshot(2, 6);

    setParam("p2m23_snp", 5.0f);
    EXPECT_EQ(p.paramSeqData.units[2].currentSnapshot.load(), 5) << "the model switches at once";
    EXPECT_EQ(p.paramSeqData.units[2].pendingSnapshot.load(), -1);
    EXPECT_DOUBLE_EQ((double) live("prmsq3").getProperty("p2m23_sval1"), 0.5) << "the trees follow later";

    ASSERT_TRUE(settle(p));
    EXPECT_DOUBLE_EQ((double) stored("prmsq3", 2).getProperty("p2m23_sval1"), 0.5) << "old snapshot stored";
    EXPECT_DOUBLE_EQ((double) live("prmsq3").getProperty("p2m23_sval1"), 0.0) << "never-stored snapshot loads defaults";

    // A pitch unit keeps its pending snapshot until the switch clears it.
    p.pitchSeqData.setPendingSnapshot(1, 6);
    setParam("p1m12_snp", 3.0f);
    EXPECT_EQ(p.pitchSeqData.units[1].pendingSnapshot.load(), 6);
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(p.pitchSeqData.units[1].pendingSnapshot.load(), -1);
}

TEST_F(Processor, TwoQueuedSwitchesRunInOrder)
{
    live("ccsq1").setProperty("p3m31_sval4", 0.25, nullptr);
    setParam("p3m31_snp", 1.0f);
    live("ccsq1").setProperty("p3m31_sval4", 0.75, nullptr); // edits made while 1 is current in the model
    setParam("p3m31_snp", 2.0f);
    ASSERT_TRUE(settle(*processor));
    // One switch from the snapshot the trees hold to the one named last: store 0, load 2.
    EXPECT_DOUBLE_EQ((double) stored("ccsq1", 0).getProperty("p3m31_sval4"), 0.75);
    EXPECT_DOUBLE_EQ((double) stored("ccsq1", 1).getProperty("p3m31_sval4"), 0.0);
    EXPECT_EQ(stored("ccsq1", 2).getNumProperties(), 0);
}

TEST_F(Processor, SnapshotChangeFromAnotherThreadIsQueuedToo)
{
    live("ptchsq4").setProperty("p1m14_vel1", 64.0, nullptr);
    std::thread host([this] { setParam("p1m14_snp", 4.0f); });
    host.join();
    EXPECT_EQ(processor->pitchSeqData.units[3].currentSnapshot.load(), 4);
    ASSERT_TRUE(settle(*processor));
    EXPECT_DOUBLE_EQ((double) stored("ptchsq4", 0).getProperty("p1m14_vel1"), 64.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq4").getProperty("p1m14_vel1"), 100.0);
}

TEST_F(Processor, BurstOfTreeEditsFlipsDummyOnce)
{
    auto& p = *processor;
    const float before = param("dummy");
    for (int i = 0; i < 20; ++i)
        p.paramTree.setProperty("p0_chrsize", 2 + (i % 5), nullptr);
    const double lastEdit = juce::Time::getMillisecondCounterHiRes();
    zutest::pumpFor(100);
    const float early = param("dummy");
    if (zutest::millisecondsSince(lastEdit) < 290.0) // a loaded machine may have slept past the debounce
    {
        EXPECT_EQ(early, before) << "not before 300 ms after the last edit";
    }
    EXPECT_TRUE(pumpUntil([&] { return param("dummy") == 1.0f - before; }));
    zutest::pumpFor(400);
    EXPECT_EQ(param("dummy"), 1.0f - before) << "one flip for the whole burst";
    p.paramTree.setProperty("p0_chrsize", 9, nullptr);
    EXPECT_TRUE(pumpUntil([&] { return param("dummy") == before; })) << "0 -> 1 -> 0";
}

TEST_F(Processor, TimerJobsChordCaptureKeyTransposeLearntValuesAndResync)
{
    auto& p = *processor;

    // Chord capture: notes 64, 60, 67, 60, 72, 71, 65 for slot 0.
    p.chordNoteTarget = 0;
    for (int note : {64, 60, 67, 60, 72, 71, 65})
        p.globalData.capturedChordNotes.push(note);
    p.timerCallback(ZumiraboxAudioProcessor::chordCaptureTimer);
    const int expected[] = {62, 66, 67, 69, 73};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ((int) p.paramTree.getProperty("p9_chord1_cn" + juce::String(i)), expected[i - 1]);

    p.chordNoteTarget = 11;
    p.globalData.capturedChordNotes.push(62);
    p.timerCallback(ZumiraboxAudioProcessor::chordCaptureTimer);
    EXPECT_EQ((int) p.paramTree.getProperty("p9_chord12_cn1"), 64);
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ((int) p.paramTree.getProperty("p9_chord12_cn" + juce::String(i)), 0);

    // Key transpose with root 60: keys 60, 72, 84 end at +12.
    p.midiTpNote = 60;
    for (int key : {60, 72, 84})
        p.keyTransposeQueue.push({key, 1, 0, 0});
    p.timerCallback(ZumiraboxAudioProcessor::keyTransposeTimer);
    EXPECT_EQ(param("p0_gtp"), 12.0f);

    // Learnt values: macro 1 to 0.25; a snapshot parameter at 1.0 gives 7.
    p.learntValueQueue.push({38, 0.25f});
    p.learntValueQueue.push({2, 1.0f});
    p.learntValueQueue.push({-1, 0.5f});
    p.timerCallback(ZumiraboxAudioProcessor::learntValueTimer);
    EXPECT_FLOAT_EQ(param("p7_macro1"), 0.25f);
    EXPECT_EQ(param("p1m11_snp"), 7.0f);
    EXPECT_EQ(p.pitchSeqData.units[0].currentSnapshot.load(), 7);

    // Timer 20 asks the engine to resync every unit.
    p.globalData.forceResync = false;
    p.timerCallback(ZumiraboxAudioProcessor::forceResyncTimer);
    EXPECT_TRUE(p.globalData.forceResync.load());

    // Timer 11 ends the start-up phase.
    p.timerCallback(ZumiraboxAudioProcessor::startUpEndTimer);
    EXPECT_FALSE(p.startUpFlag.load());
}

TEST_F(Processor, PrepareKeepsALargerPreparationAndRepreparesForANewRate)
{
    auto& p = *processor;
    p.prepareToPlay(44100.0, 512);
    EXPECT_EQ(p.modBlock.getNumSamples(), 512u);
    EXPECT_EQ(p.modBlock.getNumChannels(), 16u);
    p.prepareToPlay(44100.0, 256);
    EXPECT_EQ(p.modBlock.getNumSamples(), 512u);
    EXPECT_EQ(p.preparedBlockSize, 512);
    p.prepareToPlay(48000.0, 256);
    EXPECT_EQ(p.modBlock.getNumSamples(), 256u);
    EXPECT_EQ(p.globalData.sampleRate.load(), 48000.0);
    for (size_t ch = 0; ch < 16; ++ch)
        for (size_t s = 0; s < 256; ++s)
            ASSERT_EQ(p.modBlock.getSample((int) ch, (int) s), 0.0f);

    // Bus layouts.
    juce::AudioProcessor::BusesLayout layout;
    layout.outputBuses.add(juce::AudioChannelSet::stereo());
    EXPECT_TRUE(p.isBusesLayoutSupported(layout));
    layout.inputBuses.add(juce::AudioChannelSet::disabled());
    EXPECT_TRUE(p.isBusesLayoutSupported(layout));
    layout.inputBuses.getReference(0) = juce::AudioChannelSet::stereo();
    EXPECT_FALSE(p.isBusesLayoutSupported(layout));
    layout.inputBuses.clear();
    layout.outputBuses.getReference(0) = juce::AudioChannelSet::mono();
    EXPECT_FALSE(p.isBusesLayoutSupported(layout));
    layout.outputBuses.clear();
    EXPECT_FALSE(p.isBusesLayoutSupported(layout));
}
