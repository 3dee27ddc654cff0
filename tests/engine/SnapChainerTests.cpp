// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

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
