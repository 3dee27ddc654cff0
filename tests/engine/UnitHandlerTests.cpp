// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <vector>

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
    OctTpShift octTp;

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
        UnitBlockContext block{input,       output,   recording,    lanes,    swing, noteInfos,
                               pitchUnitOn, modBlock, targetEvents, requests, octTp, 0.0,
                               false,       true,     false,        -1,       64};
        handler.processBlock(block);
    }
};
} // namespace

TEST(CenterUnitHandler, CopiesTheListAndAsksAgainWhileListedUnitsHaveNoEngine)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 500 1300");
    r.run();
    EXPECT_EQ(r.handler.getUnits().size(), 3);
    EXPECT_TRUE(r.handler.getUnits().contains(13));
    EXPECT_TRUE(r.handler.hasEngine(1));
    EXPECT_TRUE(r.handler.hasEngine(5));
    ASSERT_NE(r.handler.getParamEngine(5), nullptr);
    EXPECT_EQ(r.handler.getParamEngine(5)->getEngineId(), 4);
    // The octave-transpose unit has no engine kind yet: the next block reads the list again.
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

TEST(CenterUnitHandler, RunsTheOctaveTransposeUnitThenParameterUnitsThenTheOthers)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 500 1300");
    for (int block = 0; block < 3; ++block)
    {
        r.run();
        const auto& order = r.handler.getLastRunOrder();
        ASSERT_EQ(order.size(), 3);
        EXPECT_EQ(order[0], 13);
        EXPECT_EQ(order[1], 5);
        EXPECT_EQ(order[2], 1);
    }

    r.m.global.loadCenterUnitStateFromString("CT: 1500 900 400 600 100 1300");
    r.run();
    const auto& order = r.handler.getLastRunOrder();
    const std::vector<int> expected{13, 6, 1, 4, 9, 15};
    EXPECT_EQ(std::vector<int>(order.begin(), order.end()), expected);
}

TEST(CenterUnitHandler, APitchUnitGetsItsEngineAndPlays)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 200");
    r.run();
    EXPECT_TRUE(r.handler.hasEngine(2));
    EXPECT_FALSE(r.handler.hasEngine(1));
    EXPECT_FALSE(r.m.global.centerUnitsChanged.load());
    ASSERT_EQ(r.noteInfos.size(), 1u);
    EXPECT_EQ(r.noteInfos[0].unitNumber, 2);
    EXPECT_TRUE(r.pitchUnitOn[2]);
    EXPECT_FALSE(r.pitchUnitOn[1]);
}

TEST(CenterUnitHandler, APitchUnitReadsItsOwnChainerRequest)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 200");
    r.requests[1] = 3;
    r.run();
    EXPECT_EQ(r.handler.getPitchEngine(1)->getSnapIndex(), 0);
    EXPECT_EQ(r.handler.getPitchEngine(2)->getSnapIndex(), 3);
}

TEST(CenterUnitHandler, ParameterUnitsFillThePitchUnitsListsAndStopAtOnceWhenRemoved)
{
    HandlerRig r;
    auto& snap = r.m.param.units[1].snaps[4];
    snap.tar = {false, true, false, false};
    snap.steps[0].emenu = 5;
    snap.steps[0].sval.value = 0.7f;
    r.requests[5] = 4; // unit 6 plays the chainer's snapshot 4
    r.m.global.loadCenterUnitStateFromString("CT: 200 600");
    r.run();
    EXPECT_EQ(r.handler.getParamEngine(6)->getSnapIndex(), 4);
    EXPECT_EQ(r.targetEvents[1], (std::vector<PrmSqTargetEntry>{{5, 0.7f}}));
    EXPECT_TRUE(r.targetEvents[0].empty());

    r.m.global.loadCenterUnitStateFromString("CT: 200");
    r.targetEvents[1].clear();
    r.run();
    EXPECT_TRUE(r.targetEvents[1].empty()) << "a removed unit stops sending in the next block";
    ASSERT_TRUE(r.handler.hasEngine(6)) << "its engine idles until the host stops";
    EXPECT_TRUE(r.handler.getParamEngine(6)->getLastOutput().empty());
    EXPECT_TRUE(r.handler.getParamEngine(6)->isStartFlagSet());
}

TEST(CenterUnitHandler, ARemovedUnitIdlesUntilTheFirstStoppedBlock)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 300");
    r.run();
    auto* engine = r.handler.getPitchEngine(3);
    ASSERT_NE(engine, nullptr);

    // A table that the engine has, and a newer one it would take only if it were built anew.
    ScaleData::Table first{0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
    ScaleData::Table second{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    r.m.scale.publishTable(first);
    r.handler.updateScaleTableType1();
    r.m.scale.publishTable(second);

    r.m.global.loadCenterUnitStateFromString("CT: 100");
    for (int block = 0; block < 3; ++block)
    {
        r.noteInfos.clear();
        r.pitchUnitOn.fill(false);
        r.m.global.curSteps[2] = 99;
        r.run();
        EXPECT_TRUE(r.handler.hasEngine(3)) << "idle, not deleted, while playing";
        EXPECT_TRUE(engine->isStartFlagSet());
        EXPECT_FALSE(r.pitchUnitOn[3]);
        EXPECT_EQ(r.m.global.curSteps[2].load(), 99) << "it runs no block";
        for (const auto& n : r.noteInfos)
            EXPECT_NE(n.unitNumber, 3);
    }

    // Listed again before the stop: the same engine carries on.
    r.m.global.loadCenterUnitStateFromString("CT: 100 300");
    r.run();
    EXPECT_EQ(r.handler.getPitchEngine(3), engine);
    EXPECT_EQ(engine->getScaleTable(), first);

    r.m.global.loadCenterUnitStateFromString("CT: 100");
    r.run();
    r.handler.checkAndDeleteInactiveUnits();
    EXPECT_FALSE(r.handler.hasEngine(3));
    EXPECT_TRUE(r.handler.hasEngine(1));

    // Back in the list after its deletion: a new engine, with the table as it is now.
    r.m.global.loadCenterUnitStateFromString("CT: 100 300");
    r.run();
    ASSERT_TRUE(r.handler.hasEngine(3));
    EXPECT_EQ(r.handler.getPitchEngine(3)->getScaleTable(), second);
}

TEST(CenterUnitHandler, AUnitAddedWhileStoppedGetsItsEngineWhenPlayStarts)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100");
    r.run();
    r.handler.checkAndDeleteInactiveUnits(); // the first stopped block
    r.m.global.loadCenterUnitStateFromString("CT: 100 300");
    r.handler.checkAndDeleteInactiveUnits();
    EXPECT_FALSE(r.handler.hasEngine(3));
    EXPECT_TRUE(r.m.global.centerUnitsChanged.load());

    r.handler.updateUnitStates(); // the start of play
    EXPECT_TRUE(r.handler.hasEngine(3));
    r.run();
    EXPECT_TRUE(r.pitchUnitOn[3]);
}

TEST(CenterUnitHandler, ScaleTablesAndResyncReachEveryPitchEngine)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100 200 400");
    r.run();

    ScaleData::Table table{0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
    r.m.scale.publishTable(table);
    r.handler.updateScaleTableType1();
    EXPECT_FALSE(r.m.scale.scaleTableChanged.load());
    for (const int id : {1, 2, 4})
        EXPECT_EQ(r.handler.getPitchEngine(id)->getScaleTable(), table) << id;

    r.handler.forceAllToResync();
    for (const int id : {1, 2, 4})
        EXPECT_TRUE(r.handler.getPitchEngine(id)->isResyncFlagSet()) << id;
    EXPECT_EQ(r.handler.getPitchEngine(3), nullptr);
}

TEST(CenterUnitHandler, ANewEngineTakesTheScaleWithoutHidingTheChangeFromTheOthers)
{
    HandlerRig r;
    r.m.global.loadCenterUnitStateFromString("CT: 100");
    r.run();
    ScaleData::Table table{0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
    r.m.scale.publishTable(table);

    r.m.global.loadCenterUnitStateFromString("CT: 100 200");
    r.handler.updateUnitStates();
    EXPECT_EQ(r.handler.getPitchEngine(2)->getScaleTable(), table);
    EXPECT_TRUE(r.m.scale.scaleTableChanged.load()) << "unit 1 has still to copy it";
}
