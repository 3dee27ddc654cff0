// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
struct ChainerRig
{
    MirabelGlobalData global;
    SnapChainerEngine chainer{global};
    SnapChainerEngine::Requests requests{};

    ChainerRig()
    {
        global.createParamMap();
        global.bpm = 120.0;
        global.invBpm = 1.0 / 120.0;
        chainer.prepare({48000.0, 512, 0});
        global.chrPwr = true;
        global.chrSpd = 4;
        global.chrSize = 4;
        // Row 1 plays snapshots 0, 1, 2, 3 ... down its sixteen steps (8 = restart).
        for (int s = 0; s < 16; ++s)
            global.chrSteps[0][(size_t) s] = s % 9;
        requests.fill(-7);
    }

    void start(double ppq, bool nearLoopEnd = false)
    {
        chainer.reset();
        chainer.processBlock(ppq, nearLoopEnd, -1, requests, 512);
    }
};
} // namespace

TEST(SnapChainer, StartsFromTheChainStepOfTheHostPosition)
{
    struct Case
    {
        int speed;
        int length;
        double ppq;
        int step;
    };
    const Case cases[] = {
        {4, 4, 20.0, 1},   // one bar per step: counter 4, +1 -> 5 mod 4
        {4, 4, 19.95, 1},  // just before a beat counts as that beat
        {4, 4, 19.5, 0},   // quarter 19: counter 3, +1 -> 4 mod 4
        {6, 16, 5.0, 5},   // a quarter note per step
        {0, 16, 100.0, 1}, // sixteen bars per step: (int) 1.5625 - 1, +1
        {4, 1, 20.0, 1},   // length 1 acts as 2: 5 mod 2
        {4, 20, 20.0, 5},  // length 20 acts as 16
        {9, 16, 5.0, 5},   // speeds above 6 act as 6
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "speed " << c.speed << " length " << c.length << " at " << c.ppq);
        ChainerRig r;
        r.global.chrSpd = c.speed;
        r.global.chrSize = c.length;
        r.start(c.ppq);
        EXPECT_EQ(r.global.chrCurStep.load(), c.step);
    }
}

TEST(SnapChainer, RequestsTheRowValueForEveryChainedTargetAndNothingForOthers)
{
    ChainerRig r;
    r.global.chrTargets[0] = 1;  // pitch unit 1
    r.global.chrTargets[13] = 2; // CC rack 2 (unit id 15)
    r.global.chrTargets[14] = 1; // the octave-transpose unit (unit id 13)
    r.global.chrSteps[1][1] = 8; // row 2 restarts at step 2
    // Rows outside the table (a damaged value that bypassed the model) name no row.
    r.global.chrTargets[5] = 9;
    r.global.chrTargets[6] = -4;
    r.global.chrTargets[7] = 1000;
    r.start(20.0);
    ASSERT_EQ(r.global.chrCurStep.load(), 1);
    for (size_t t = 0; t < r.requests.size(); ++t)
    {
        const int expected = t == 0 || t == 14 ? 1 : (t == 13 ? 8 : -1);
        EXPECT_EQ(r.requests[t], expected) << "target " << t + 1;
    }
    EXPECT_EQ(r.requests[(size_t) zu::units::requestIndexOf(13)], 1);
    EXPECT_EQ(r.requests[(size_t) zu::units::requestIndexOf(15)], 8);
}

TEST(SnapChainer, OffRequestsNothingAndShowsNoStep)
{
    ChainerRig r;
    r.global.chrTargets[0] = 1;
    r.start(20.0);
    ASSERT_EQ(r.requests[0], 1);
    r.global.chrPwr = false;
    r.chainer.processBlock(20.02, false, -1, r.requests, 512);
    for (const int request : r.requests)
        EXPECT_EQ(request, -1);
    EXPECT_EQ(r.global.chrCurStep.load(), -1);
}

TEST(SnapChainer, AStartRightBeforeALoopEndLeavesTheRequestsAsTheyWere)
{
    ChainerRig r;
    r.global.chrTargets[0] = 1;
    r.start(7.99, true);
    for (const int request : r.requests)
        EXPECT_EQ(request, -7);
    EXPECT_EQ(r.chainer.getLastClockIdx(), -1);
}

TEST(SnapChainer, CountsOneStepWhenItsClockEntersANewStep)
{
    ChainerRig r;
    r.global.chrSpd = 6; // a quarter note per step
    r.global.chrSize = 16;
    r.start(3.5);
    EXPECT_EQ(r.global.chrCurStep.load(), 3);
    // 512 samples are 0.0213 quarter notes at 120 bpm and 48 kHz: the step
    // changes in the block that reaches quarter 4.
    const double perBlock = 512.0 / 24000.0;
    double ppq = 3.5 + perBlock;
    for (; ppq + perBlock < 4.0; ppq += perBlock)
    {
        r.chainer.processBlock(ppq, false, -1, r.requests, 512);
        ASSERT_EQ(r.global.chrCurStep.load(), 3) << ppq;
    }
    r.chainer.processBlock(ppq, false, -1, r.requests, 512);
    EXPECT_EQ(r.global.chrCurStep.load(), 4);
}

TEST(SnapChainer, PositionsBeforeZeroStillGiveAStepWithinTheChain)
{
    ChainerRig r;
    r.global.chrSize = 4;
    r.start(-9.0);
    EXPECT_GE(r.global.chrCurStep.load(), 0);
    EXPECT_LT(r.global.chrCurStep.load(), 4);
}

//==============================================================================
// The chainer through the main engine

TEST(SnapChainerPlayback, SwitchesTheSnapshotsOfTheRacksAndTheOctaveTransposeUnitAtItsSteps)
{
    using namespace zu::units;
    const int pitchId = unitIdOf(pitch, 0);
    const int rackIds[] = {unitIdOf(ccRack, 0), unitIdOf(ccRack, 1)};

    EnginePlayer p;
    auto& m = p.models;
    juce::String list = "CT:";
    for (const int id : {pitchId, octTpUnitId, rackIds[0], rackIds[1]})
        list << id * 100 << " ";
    m.global.loadCenterUnitStateFromString(list);

    // A quarter note per chain step, four steps; row 1 plays snapshots 1, 2,
    // 3, 0, row 2 snapshots 3, 0, 1, 2.
    m.global.chrPwr = true;
    m.global.chrSpd = 6;
    m.global.chrSize = 4;
    const int rows[2][4] = {{1, 2, 3, 0}, {3, 0, 1, 2}};
    for (size_t r = 0; r < 2; ++r)
        for (size_t s = 0; s < 4; ++s)
            m.global.chrSteps[r][s] = rows[r][s];
    m.global.chrTargets[(size_t) requestIndexOf(octTpUnitId)] = 1;
    m.global.chrTargets[(size_t) requestIndexOf(rackIds[0])] = 1;
    m.global.chrTargets[(size_t) requestIndexOf(rackIds[1])] = 2;

    // Snapshot s: the octave-transpose unit transposes by s semitones, each
    // rack's first knob (controller 10 + rack) sends s / 7 of its range.
    m.global.goctTpTar[0] = true;
    for (int s = 0; s < numSnapshots; ++s)
    {
        for (auto& step : m.octTp.units[0].snaps[(size_t) s].steps)
            step.stp.value = s;
        for (size_t r = 0; r < 2; ++r)
        {
            auto& knob = m.rack.units[r].snaps[(size_t) s].knobs[0];
            knob.ktarcc = 11 + (int) r;
            knob.kval.value = (float) s / 7.0f;
        }
    }

    struct Sent
    {
        int block;
        int controller;
        int value;
    };
    std::vector<Sent> controllers;
    std::vector<int> notes;
    const double ppqPerBlock = 512.0 * 120.0 / (60.0 * 48000.0);
    // Seven quarter notes: 28 sixteenths.
    for (int b = 0; b < 7 * 24000 / 512; ++b)
        for (const auto meta : p.play(b * ppqPerBlock, 512))
        {
            const auto msg = meta.getMessage();
            if (msg.isController())
                controllers.push_back({b, msg.getControllerNumber(), msg.getControllerValue()});
            else if (msg.isNoteOn())
                notes.push_back(msg.getNoteNumber());
        }

    // One message per chain step and rack, in the block where the quarter begins.
    for (int r = 0; r < 2; ++r)
    {
        SCOPED_TRACE(r);
        std::vector<Sent> sent;
        for (const auto& c : controllers)
            if (c.controller == 10 + r)
                sent.push_back(c);
        ASSERT_EQ(sent.size(), 7u);
        for (int q = 0; q < 7; ++q)
        {
            EXPECT_EQ(sent[(size_t) q].block, q * 24000 / 512) << q;
            const double value = 127.0 * (double) (float) ((float) rows[r][q % 4] / 7.0f);
            EXPECT_EQ(sent[(size_t) q].value, (int) std::floor(value + 0.5)) << q;
        }
    }

    // The pitch unit's notes follow the octave-transpose unit's snapshot of each quarter.
    ASSERT_EQ(notes.size(), 28u);
    for (size_t k = 0; k < notes.size(); ++k)
        EXPECT_EQ(notes[k], 48 + rows[0][(k / 4) % 4]) << "sixteenth " << k;
}
