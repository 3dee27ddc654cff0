// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

namespace
{
struct RecorderRig
{
    MirabelGlobalData global;
    ZuMidiRecEngine recorder{global, 0};
    std::vector<double> ticks = std::vector<double>(512, 0.0);
    double* channels[1] = {ticks.data()};
    juce::dsp::AudioBlock<double> tickBlock{channels, 1, 512};
    juce::MidiBuffer lane;

    RecorderRig()
    {
        recorder.prepare({48000.0, 512, 0});
        recorder.setBpm(120.0);
    }
};
} // namespace

TEST(Recorder, AnArmedStartOpensATakeOfTheChosenLength)
{
    struct Case
    {
        int bars;
        double noteCut, end;
    };
    const Case cases[] = {{2, 1.9945 * 3840.0, 1.9997 * 3840.0}, {0, 127.9945 * 3840.0, 127.9999 * 3840.0}};
    for (const auto& c : cases)
    {
        RecorderRig r;
        r.global.recLength = c.bars;
        r.global.recArmed[0] = true;
        r.recorder.reset();
        EXPECT_TRUE(r.recorder.isRecording());
        EXPECT_DOUBLE_EQ(r.recorder.getNoteCutTick(), c.noteCut);
        EXPECT_DOUBLE_EQ(r.recorder.getEndTick(), c.end);
        EXPECT_TRUE(r.global.recRunning[0].load());
        EXPECT_TRUE(r.global.recStateChanged.load());
        EXPECT_EQ(r.recorder.getSequence().getNumEvents(), 1) << "the tempo event";
    }
}

TEST(Recorder, AnUnarmedStartOnlyMarksTheLaneRunning)
{
    RecorderRig r;
    r.recorder.reset();
    EXPECT_FALSE(r.recorder.isRecording());
    EXPECT_TRUE(r.global.recRunning[0].load());
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    EXPECT_FALSE(r.global.recHasTake[0].load());
}

TEST(Recorder, TheFirstEventOfATakeStartedMidBeatSitsOnTheBeatGrid)
{
    RecorderRig r;
    r.global.recArmed[0] = true;
    r.recorder.reset();
    r.lane.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f), 0);
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 2.5, 512);
    ASSERT_EQ(r.recorder.getSequence().getNumEvents(), 2);
    EXPECT_DOUBLE_EQ(r.recorder.getSequence().getEventPointer(1)->message.getTimeStamp(), 480.0);
}

TEST(Recorder, AnEmptyTakeLeavesNoTakeAndDisarms)
{
    RecorderRig r;
    r.global.recLength = 1;
    r.global.recArmed[0] = true;
    r.recorder.reset();
    // A bar at 120 bpm is 96000 samples: run past the end tick.
    for (int b = 0; b < 200; ++b)
        r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    EXPECT_FALSE(r.recorder.isRecording());
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    EXPECT_FALSE(r.global.recHasTake[0].load());
    EXPECT_FALSE(r.global.recArmed[0].load());
    EXPECT_FALSE(r.recorder.isTakeOpen());
}

TEST(Recorder, AFinishedTakeBecomesTheFinishedSequence)
{
    RecorderRig r;
    r.global.recLength = 1;
    r.global.recArmed[0] = true;
    r.recorder.reset();
    r.lane.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f), 0);
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    r.lane.clear();
    for (int b = 0; b < 200 && r.recorder.isRecording(); ++b)
        r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    EXPECT_TRUE(r.global.recHasTake[0].load());
    EXPECT_FALSE(r.global.recArmed[0].load());
    EXPECT_FALSE(r.global.recRunning[0].load());
    EXPECT_EQ(r.recorder.getFinishedSequence().getNumEvents(), 2);
}

TEST(Recorder, ATakeKeepsTimeOrderAndNeverOutgrowsItsStore)
{
    RecorderRig r;
    r.global.recLength = 0; // 128 bars
    r.global.recArmed[0] = true;
    r.recorder.reset();

    // Events of one block arrive in buffer order; two at the same sample keep it.
    r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 7, 1), 10);
    r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 7, 2), 10);
    r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    const auto sequence = r.recorder.getSequence();
    ASSERT_EQ(sequence.getNumEvents(), 3);
    EXPECT_TRUE(sequence.getEventPointer(0)->message.isTempoMetaEvent());
    EXPECT_EQ(sequence.getEventPointer(1)->message.getControllerValue(), 1);
    EXPECT_EQ(sequence.getEventPointer(2)->message.getControllerValue(), 2);

    // A dense take fills its store and then drops events instead of growing.
    r.lane.clear();
    for (int i = 0; i < 512; ++i)
        r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 1, i % 128), i);
    for (int b = 0; b < ZuMidiRecEngine::takeCapacity / 512 + 4; ++b)
        r.recorder.processBlock(r.lane, r.tickBlock, false, -1, 0, 0.0, 512);
    EXPECT_EQ(r.recorder.getNumTakeEvents(), ZuMidiRecEngine::takeCapacity);
}
