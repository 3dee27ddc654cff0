// SPDX-License-Identifier: GPL-3.0-or-later
// What the recorder lanes hold after a take recorded while the processor
// plays pitch and CC units, read as the editor reads a take to drag it out.
#include "SteadyHead.h"

#include "PluginProcessor.h"
#include "ZuEditorAccess.h"
#include "ZuMidiRecEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace
{
constexpr int blockSize = 512;
// 960 ticks per quarter note at 120 bpm and 48 kHz.
constexpr double ticksPerSample = 960.0 / 24000.0;
constexpr int takeBars = 2;

struct Sent
{
    double tick = 0.0;
    int channel = 0;
    bool noteOn = false;
    int controller = -1;
};
} // namespace

TEST(RecorderTake, ATwoBarTakeOfFourPitchAndTwoCcUnitsClosesEveryNoteAndKeepsItsLanesControllers)
{
    auto processor = std::make_unique<ZumiraboxAudioProcessor>();
    zutest::SteadyHead head;
    processor->setPlayHead(&head);
    processor->prepareToPlay(48000.0, blockSize);
    ZuEditorAccess access(*processor);

    // Pitch units 1 to 4 on channels 1 to 4, unit 1 slurred (each note lasts
    // until the next, the last one past the end of the take); CC units 1 and
    // 2 (ids 9 and 10) send controllers 20 and 21 on every step.
    const juce::String units = "CT:100 200 300 400 900 1000 ";
    processor->mainTree.setProperty("ctstate", units, nullptr);
    processor->globalData.loadCenterUnitStateFromString(units);
    auto seqmain = processor->paramTree.getChildWithName("seqmain");
    for (int u = 1; u <= 4; ++u)
    {
        const auto prefix = "p1m1" + juce::String(u) + "_";
        processor->setValueToValueTree(processor->paramProfile.getParamIndexFromString(prefix + "ch"), (float) u);
        auto node = seqmain.getChildWithName("ptchsq" + juce::String(u));
        for (int k = 1; k <= 32; ++k)
        {
            node.setProperty(prefix + "pch" + juce::String(k), (k * 5 + u) % 12, nullptr);
            if (u == 1)
                node.setProperty(prefix + "slr" + juce::String(k), 1, nullptr);
        }
    }
    seqmain.getChildWithName("ccsq1").setProperty("p3m31_tarcc", 21, nullptr);
    seqmain.getChildWithName("ccsq2").setProperty("p3m32_tarcc", 22, nullptr);

    // Lane 1 records pitch unit 1 and CC unit 1, lane 2 only CC unit 2;
    // lanes 3 and 4 keep pitch units 3 and 4. Every lane is armed.
    auto other = processor->paramTree.getChildWithName("otherparams");
    other.setProperty("p0_recleng", takeBars, nullptr);
    other.setProperty("p0_rectrk1tarunit5", 1, nullptr);
    other.setProperty("p0_rectrk2tarunit2", 0, nullptr);
    other.setProperty("p0_rectrk2tarunit6", 1, nullptr);
    auto& global = access.getGlobalData();
    for (auto& armed : global.recArmed)
        armed = true;

    // The take ends at (bars - 1 + 0.9997) bars; note-ons stop at 0.9945.
    const double endTick = (takeBars - 1 + 0.9997) * 3840.0;
    const double noteCutTick = (takeBars - 1 + 0.9945) * 3840.0;
    std::vector<Sent> sent;
    juce::AudioBuffer<float> audio(2, blockSize);
    for (int b = 0; b < takeBars * 96000 / blockSize + 4; ++b)
    {
        juce::MidiBuffer midi;
        processor->processBlock(audio, midi);
        for (const auto m : midi)
        {
            const auto msg = m.getMessage();
            Sent s;
            s.tick = (double) (head.sample + m.samplePosition) * ticksPerSample;
            s.channel = msg.getChannel();
            s.noteOn = msg.isNoteOn();
            s.controller = msg.isController() ? msg.getControllerNumber() : -1;
            if ((s.noteOn && s.tick < noteCutTick) || (s.controller >= 0 && s.tick < endTick))
                sent.push_back(s);
        }
        head.sample += blockSize;
    }
    processor->setPlayHead(nullptr);

    // What each lane should hold: the note-ons of its pitch units (by
    // channel) and the controllers of its CC units.
    struct Lane
    {
        std::vector<int> channels;
        std::vector<int> controllers;
    };
    const Lane lanes[] = {{{1, 2, 3, 4}, {20, 21}}, {{1}, {20}}, {{}, {21}}, {{3}, {}}, {{4}, {}}};
    auto contains = [](const std::vector<int>& list, int v)
    { return std::find(list.begin(), list.end(), v) != list.end(); };

    for (int lane = 0; lane < ZuMidiRecEngine::numLanes; ++lane)
    {
        SCOPED_TRACE(lane);
        ASSERT_TRUE(global.recHasTake[(size_t) lane].load());
        auto& recorder = access.getRecorder(lane);
        auto take = recorder.getFinishedSequence();
        EXPECT_EQ(recorder.getFinishedLengthTicks(), takeBars * 3840.0);
        ASSERT_GT(take.getNumEvents(), 0);
        EXPECT_TRUE(take.getEventPointer(take.getNumEvents() - 1)->message.isEndOfTrackMetaEvent());
        EXPECT_EQ(take.getEndTime(), takeBars * 3840.0);

        int expectedOns = 0, expectedControllers = 0;
        for (const auto& s : sent)
        {
            expectedOns += s.noteOn && contains(lanes[lane].channels, s.channel) ? 1 : 0;
            expectedControllers += contains(lanes[lane].controllers, s.controller) ? 1 : 0;
        }

        // Every note-on ends, after it and before the end of the take.
        take.updateMatchedPairs();
        int ons = 0, offs = 0, controllers = 0;
        for (int i = 0; i < take.getNumEvents(); ++i)
        {
            const auto& msg = take.getEventPointer(i)->message;
            if (msg.isNoteOn())
            {
                ++ons;
                EXPECT_TRUE(contains(lanes[lane].channels, msg.getChannel()));
                const int off = take.getIndexOfMatchingKeyUp(i);
                ASSERT_GE(off, 0) << "note " << msg.getNoteNumber() << " at tick " << msg.getTimeStamp() << " is open";
                EXPECT_GE(take.getEventTime(off), msg.getTimeStamp());
                EXPECT_LT(take.getEventTime(off), endTick);
            }
            offs += msg.isNoteOff() ? 1 : 0;
            if (msg.isController())
            {
                ++controllers;
                EXPECT_TRUE(contains(lanes[lane].controllers, msg.getControllerNumber()));
            }
        }
        EXPECT_EQ(ons, expectedOns);
        EXPECT_EQ(offs, ons);
        EXPECT_EQ(controllers, expectedControllers);
        EXPECT_EQ(controllers > 0, !lanes[lane].controllers.empty());
        EXPECT_EQ(ons > 0, !lanes[lane].channels.empty());
    }
}
