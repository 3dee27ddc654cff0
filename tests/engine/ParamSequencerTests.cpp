// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter sequencer engine: which entry it holds, when it sends it and
// to which pitch units.
#include "EnginePlayer.h"
#include "PrmSEQ_Engine.h"
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
using Entry = PrmSqTargetEntry;
using Lists = std::vector<std::vector<Entry>>;

// One block of the engine: the step it shows and what reached the four lists.
struct ParamBlock
{
    int display = -2;
    Lists lists;
};

struct ParamRig
{
    EngineModels m;
    ScurveShared scurve;
    juce::SharedResourcePointer<DispShareData> dispShare;
    PrmSEQ_Engine engine{m.global, m.param, m.scale, m.chord, m.lfo, *scurve, *dispShare, zu::units::param, 0, 4};
    enginetest::ModBuffer mod{512};
    enginetest::Transport transport;
    SwingHandler swing;
    PrmSqTargetEvents events;
    juce::MidiBuffer input, output;
    UnitBlockContext::Lanes lanes;
    std::vector<NoteInfo> noteInfos;
    std::array<bool, 5> pitchUnitOn{};
    UnitBlockContext::SnapshotRequests requests{};
    OctTpShift octTp;
    std::pair<bool, bool> resetResync{false, false};
    int request = -1;

    ParamRig()
    {
        m.global.sampleRate = 48000.0;
        m.global.bpm = 120.0;
        m.global.invBpm = 1.0 / 120.0;
        m.global.samplesPerBeat = 24000.0;
        for (auto& list : events)
            list.reserve(8);
        engine.prepare(enginetest::specFor(48000.0, 512));
        engine.seedRandom(7);
        engine.setStartFlag();
    }

    CtrPrmSqData::UnitData& unit() { return m.param.units[0]; }
    CtrPrmSqData::SnapData& snap(int s = 0) { return unit().snaps[(size_t) s]; }
    CtrPrmSqData::StepData& step(int k, int s = 0) { return snap(s).steps[(size_t) k]; }

    ParamBlock block()
    {
        for (auto& list : events)
            list.clear();
        auto modBlock = mod.block(512);
        requests.fill(-1);
        requests[4] = request; // unit id 5
        UnitBlockContext context{input,       output,   false,  lanes,    swing, noteInfos,
                                 pitchUnitOn, modBlock, events, requests, octTp, transport.ppq(),
                                 false,       true,     false,  -1,       512};
        context.clockResetResync = resetResync;
        engine.processBlock(context);
        transport.sample += 512;
        ParamBlock b;
        b.display = m.global.curSteps[4];
        for (const auto& list : events)
            b.lists.push_back(list);
        return b;
    }

    // Blocks until the unit shows the given step (at most two bars).
    ParamBlock playUntilStep(int s)
    {
        for (int i = 0; i < 400; ++i)
        {
            auto b = block();
            if (b.display == s)
                return b;
        }
        ADD_FAILURE() << "step " << s << " never began";
        return {};
    }
};

const Lists none(4);

Lists only(std::initializer_list<int> pitchUnits, Entry e)
{
    Lists l(4);
    for (const int u : pitchUnits)
        l[(size_t) (u - 1)].push_back(e);
    return l;
}
} // namespace

TEST(ParamEngine, AStepEventReachesItsTargetsInEveryBlockUntilTheNextStep)
{
    ParamRig r;
    r.snap().tar = {true, false, true, false};
    r.step(0).emenu = 5;
    r.step(0).sval.value = 0.3f;
    r.step(1).emenu = 0; // "None"
    r.step(2).emenu = 8;
    r.step(2).sval.value = 0.9f;
    r.step(3).emenu = -1; // no item chosen

    int blocksOfStep0 = 0;
    auto b = r.block();
    ASSERT_EQ(b.display, 0);
    while (b.display == 0)
    {
        EXPECT_EQ(b.lists, only({1, 3}, {5, 0.3f}));
        ++blocksOfStep0;
        b = r.block();
    }
    EXPECT_EQ(blocksOfStep0, 11); // step 1 begins at sample 6000, in block 11
    EXPECT_EQ(r.engine.getLastOutput().size(), 0u);
    while (b.display == 1)
    {
        EXPECT_EQ(b.lists, none) << "a step without an event ends the held entry";
        b = r.block();
    }
    while (b.display == 2)
    {
        EXPECT_EQ(b.lists, only({1, 3}, {8, 0.9f}));
        b = r.block();
    }
    ASSERT_EQ(b.display, 3);
    EXPECT_EQ(b.lists, none);
    EXPECT_EQ(r.engine.getUnitNumber(), 1);
}

TEST(ParamEngine, ARestartIsSentOnlyInTheBlockOfItsStep)
{
    ParamRig r;
    r.step(0).emenu = 13;
    r.step(0).sval.value = 1.0f;
    EXPECT_EQ(r.block().lists, only({1}, {13, 1.0f}));
    EXPECT_EQ(r.block().lists, none);
}

TEST(ParamEngine, StepsThatDoNotPlayEndTheHeldEntry)
{
    ParamRig r;
    for (auto& step : r.snap().steps)
    {
        step.emenu = 4;
        step.sval.value = 1.0f;
    }
    r.step(1).spwr.value = 0;
    r.step(2).prob.value = 0.0f;
    EXPECT_EQ(r.playUntilStep(0).lists, only({1}, {4, 1.0f}));
    EXPECT_EQ(r.playUntilStep(1).lists, none) << "switched off";
    EXPECT_EQ(r.playUntilStep(2).lists, none) << "lost its draw";
    EXPECT_EQ(r.playUntilStep(3).lists, only({1}, {4, 1.0f}));
}

TEST(ParamEngine, PowerOffSendsNothingAndDropsTheEntryAtTheNextStep)
{
    ParamRig r;
    for (auto& step : r.snap().steps)
    {
        step.emenu = 6;
        step.sval.value = 0.5f;
    }
    EXPECT_EQ(r.block().lists, only({1}, {6, 0.5f}));
    r.unit().pwr = false;
    EXPECT_EQ(r.block().lists, none);
    EXPECT_EQ(r.m.global.curSteps[4], -1);
    r.unit().pwr = true;
    EXPECT_EQ(r.block().lists, only({1}, {6, 0.5f})) << "on again before the next step: the entry is still held";

    r.unit().pwr = false;
    while (r.engine.getCurStep() == 0)
        r.block();
    // Step 1 began while off: nothing is held any more.
    r.unit().pwr = true;
    EXPECT_EQ(r.block().lists, none);
}

TEST(ParamEngine, TargetTogglesAreReadEveryBlock)
{
    ParamRig r;
    r.snap().tar = {false, false, false, false};
    r.step(0).emenu = 5;
    r.step(0).sval.value = 0.2f;
    EXPECT_EQ(r.block().lists, none);
    EXPECT_EQ(r.engine.getLastOutput().size(), 1u) << "held though nothing is targeted";
    r.snap().tar[3] = true;
    EXPECT_EQ(r.block().lists, only({4}, {5, 0.2f}));
    r.snap().tar = {true, true, true, true};
    EXPECT_EQ(r.block().lists, only({1, 2, 3, 4}, {5, 0.2f}));
}

TEST(ParamEngine, TheChainersRestartDropsTheEntryAndSendsNothingInThatBlock)
{
    ParamRig r;
    for (auto& step : r.snap().steps)
        step.emenu = 5;
    r.unit().currentSnapshot = 3;
    r.snap(3).steps[0].emenu = 9;
    EXPECT_EQ(r.block().lists, only({1}, {9, 0.0f}));
    EXPECT_EQ(r.engine.getSnapIndex(), 3);
    r.request = 8;
    EXPECT_EQ(r.block().lists, none);
    EXPECT_EQ(r.engine.getLastOutput().size(), 0u);
    EXPECT_EQ(r.engine.getSnapIndex(), 0);
    EXPECT_EQ(r.m.global.curSteps[4], -1);
}

TEST(ParamEngine, ClearLastOutputAndResetStopTheSending)
{
    ParamRig r;
    r.step(0).emenu = 5;
    r.block();
    r.engine.clearLastOutput();
    EXPECT_EQ(r.block().lists, none);

    ParamRig s;
    s.step(0).emenu = 5;
    s.block();
    s.engine.reset();
    EXPECT_TRUE(s.engine.getLastOutput().empty());
}

TEST(ParamEngine, TheSentValueCarriesItsModulation)
{
    ParamRig r;
    r.step(0).emenu = 5;
    r.step(0).sval = enginetest::modulated(0.2f, 9);
    r.mod.fill(8, 0.5f);
    const float d = r.scurve->calcModDep(1.0f);
    const auto b = r.block();
    ASSERT_EQ(b.lists[0].size(), 1u);
    EXPECT_FLOAT_EQ(std::get<1>(b.lists[0][0]), 0.2f + d * 0.5f);
}

TEST(ParamEngine, AStepValueThatIsNotANumberSendsNothing)
{
    ParamRig r;
    r.step(0).emenu = 5;
    r.step(0).sval.value = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(r.block().lists, none);
    EXPECT_TRUE(r.engine.getLastOutput().empty());
}

TEST(ParamEngine, ClockResetAndResyncReachItAsUnit5)
{
    ParamRig r;
    r.playUntilStep(3);
    r.m.global.rebtnTar[4] = true;
    r.resetResync = {true, false};
    auto b = r.block();
    r.resetResync = {false, false};
    while (b.display == 3)
        b = r.block();
    EXPECT_EQ(b.display, 0) << "the order restarts at its next step";

    r.unit().resyncRequest = true;
    r.block();
    EXPECT_FALSE(r.unit().resyncRequest.load()) << "the engine takes the model's request";
    EXPECT_TRUE(r.engine.isStartFlagSet());
}
