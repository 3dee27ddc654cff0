// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

namespace
{
struct HandlerRig
{
    EngineModels m;
    CenterUnitHandler handler{m.global, m.pitch, m.param, m.cc, m.octTp, m.rack, m.scale, m.chord, m.lfo};
    juce::MidiBuffer input, output;
    CenterUnitHandler::Lanes lanes;
    SwingHandler swing;
    std::vector<NoteInfo> noteInfos;
    std::array<bool, 5> pitchUnitOn{};
    std::vector<float> modSamples = std::vector<float>(16 * 64, 0.0f);
    std::array<float*, 16> modChannels{};
    juce::dsp::AudioBlock<float> modBlock;
    PrmSqTargetEvents targetEvents;
    CenterUnitHandler::SnapshotRequests requests{};
    juce::Point<int> octTp;

    HandlerRig()
    {
        for (size_t ch = 0; ch < 16; ++ch)
            modChannels[ch] = modSamples.data() + ch * 64;
        modBlock = juce::dsp::AudioBlock<float>(modChannels.data(), 16, 64);
        requests.fill(-1);
        handler.prepare({48000.0, 64, 0});
    }

    void run(bool recording = false)
    {
        handler.processBlock(input, output, recording, lanes, swing, noteInfos, pitchUnitOn, modBlock, targetEvents,
                             requests, octTp, 0.0, 0.0, false, true, false, -1, 64);
    }
};
} // namespace

TEST(CenterUnitHandler, NumbersUnitsByKindIndexAndRequestElement)
{
    struct Case
    {
        int id, type, index, request;
    };
    const Case cases[] = {{1, 0, 0, 0},   {4, 0, 3, 3},    {5, 1, 0, 4},    {8, 1, 3, 7},
                          {9, 2, 0, 8},   {12, 2, 3, 11},  {13, 3, 0, 14},  {14, 4, 0, 12},
                          {15, 4, 1, 13}, {0, -1, -1, -1}, {16, -1, -1, -1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(CenterUnitHandler::unitTypeOf(c.id), c.type);
        EXPECT_EQ(CenterUnitHandler::unitIndexOf(c.id), c.index);
        EXPECT_EQ(CenterUnitHandler::requestIndexOf(c.id), c.request);
    }
}

TEST(CenterUnitHandler, CopiesTheListAndAsksAgainWhileListedUnitsHaveNoEngine)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 500 1300");
    r.run();
    EXPECT_EQ(r.handler.getUnits().size(), 3);
    EXPECT_TRUE(r.handler.getUnits().contains(13));
    EXPECT_TRUE(r.handler.hasEngine(1));
    // Parameter and octave-transpose units have no engine kind yet: the next
    // block reads the list again.
    EXPECT_FALSE(r.handler.hasEngine(5));
    EXPECT_FALSE(r.handler.hasEngine(13));
    EXPECT_TRUE(r.m.global.centerUnitsChanged.load());
}

TEST(CenterUnitHandler, AnEmptyListRunsNothingAndLowersTheOctaveTransposeFlag)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT:");
    r.m.global.octTpOn = true;
    r.run();
    EXPECT_TRUE(r.handler.getUnits().isEmpty());
    EXPECT_FALSE(r.m.global.centerUnitsChanged.load());
    EXPECT_FALSE(r.m.global.octTpOn.load());
    EXPECT_TRUE(r.output.isEmpty());
    EXPECT_TRUE(r.noteInfos.empty());
}

TEST(CenterUnitHandler, AListedOctaveTransposeUnitKeepsItsFlag)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 1300");
    r.m.global.octTpOn = true;
    r.run();
    EXPECT_TRUE(r.m.global.octTpOn.load());
}

TEST(CenterUnitHandler, TakesAndLowersTheClockOneShotsEveryBlock)
{
    HandlerRig r;
    r.m.global.clkReset = true;
    r.run();
    EXPECT_EQ(r.handler.getClockResetResync(), std::make_pair(true, false));
    EXPECT_FALSE(r.m.global.clkReset.load());
    r.m.global.clkResync = true;
    r.run();
    EXPECT_EQ(r.handler.getClockResetResync(), std::make_pair(false, true));
    r.run();
    EXPECT_EQ(r.handler.getClockResetResync(), std::make_pair(false, false));
}

TEST(CenterUnitHandler, StoppedBlocksCopyTheListOnlyAfterABlockHasRun)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 300");
    r.handler.checkAndDeleteInactiveUnits();
    EXPECT_TRUE(r.m.global.centerUnitsChanged.load()) << "nothing has run yet";
    EXPECT_TRUE(r.handler.getUnits().isEmpty());

    r.run();
    r.m.global.loadCenterUnitStateFromString("CT: 300 900");
    r.handler.checkAndDeleteInactiveUnits();
    EXPECT_FALSE(r.m.global.centerUnitsChanged.load());
    EXPECT_EQ(r.handler.getUnits().size(), 2);
}

TEST(CenterUnitHandler, RebuildsTheControllerLaneTargetsWhileRecording)
{
    HandlerRig r;
    r.m.global.setParamVal("p0_rectrk1tarunit5", 1.0f);
    r.m.global.setParamVal("p0_rectrk1tarunit9", 1.0f);
    r.m.global.setParamVal("p0_rectrk4tarunit10", 1.0f);
    r.run(false);
    EXPECT_TRUE(r.handler.getCcLaneTargets()[0].empty());
    r.run(true);
    EXPECT_EQ(r.handler.getCcLaneTargets()[0], (std::vector<int>{4, 8}));
    EXPECT_EQ(r.handler.getCcLaneTargets()[3], (std::vector<int>{9}));
}
