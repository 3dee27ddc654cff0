// SPDX-License-Identifier: GPL-3.0-or-later
// What a parameter unit's entries do to a pitch unit: the event codes, the
// mapping of a value onto each target, which entry wins, and what is ignored.
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

using namespace enginetest;

namespace
{
using Base = SeqEngineBase;
using List = std::vector<PrmSqTargetEntry>;

// The receiving side's values of one step, as a pitch unit hands them in.
struct Received
{
    int dir = -1, strt = -1, size = -1;
    bool on = false;
    int unitOctave = 99, transpose = 99, pitch = 99, stepOctave = 99;
    float velocity = -1.0f, gate = -1.0f, probability = -1.0f;
    bool slur = false;
};

struct Receiver
{
    EngineModels m;
    TestUnitEngine engine{m, zu::units::pitch};

    Receiver()
    {
        engine.curDir = 2;
        engine.curStrt = 7;
        engine.curSize = 9;
    }

    Received apply(const List& list, bool on = false, bool slur = false)
    {
        Received r;
        r.on = on;
        r.slur = slur;
        engine.updatePrmSqTarStates(list);
        engine.handlePrmSqToDirStrtSize(list);
        engine.handlePrmSqToStepOnOff(list, r.on);
        engine.handlePrmSqToStepParams(list, r.unitOctave, r.transpose, r.pitch, r.stepOctave, r.velocity, r.gate,
                                       r.probability, r.slur);
        r.dir = engine.curDir;
        r.strt = engine.curStrt;
        r.size = engine.curSize;
        return r;
    }
};

// The one value a code changes, read from what the receiver left.
float propertyOf(int code, const Received& r)
{
    switch (code)
    {
    case 1:
        return (float) r.dir;
    case 2:
        return (float) r.strt;
    case 3:
        return (float) r.size;
    case 4:
        return (float) r.unitOctave;
    case 5:
        return (float) r.transpose;
    case 6:
        return (float) r.pitch;
    case 7:
        return (float) r.stepOctave;
    case 8:
        return r.velocity;
    case 9:
        return r.gate;
    case 10:
        return r.probability;
    case 11:
        return r.slur ? 1.0f : 0.0f;
    case 12:
        return r.on ? 1.0f : 0.0f;
    default:
        return 0.0f;
    }
}
} // namespace

TEST(PrmSqRouting, EachEventCodeSetsItsPitchUnitPropertyWithItsMapping)
{
    struct Case
    {
        int code;
        Base::PRMSQTARGET target;
        const char* menuText;
        float at0, atHalf, at1; // the value the property takes for an entry of 0, 0.5 and 1
    };
    const Case cases[] = {
        {1, Base::Direction, "Direction", 0, 3, 5}, {2, Base::Start, "Start", 0, 16, 31},
        {3, Base::Size, "Size", 1, 17, 32},         {4, Base::Octave, "Octave", -36, 0, 36},
        {5, Base::Transpose, "TP", -12, 0, 12},     {6, Base::StepPitch, "S-Pitch", 0, 6, 12},
        {7, Base::StepOctave, "S-Oct", -24, 0, 24}, {8, Base::StepVelocity, "S-Velo", 0, 0.5f, 1},
        {9, Base::StepGate, "S-Gate", 0, 0.5f, 1},  {10, Base::StepProbability, "S-Prob", 0, 0.5f, 1},
        {11, Base::StepSlur, "S-Slur", 0, 1, 1},    {12, Base::StepOnOff, "S-OnOff", 0, 1, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.menuText);
        EXPECT_EQ(Base::prmSqEventCode(c.target), c.code);
        EXPECT_STREQ(prmSqEventMenuTexts[(size_t) c.code], c.menuText);
        const float values[] = {0.0f, 0.5f, 1.0f};
        const float expected[] = {c.at0, c.atHalf, c.at1};
        for (int i = 0; i < 3; ++i)
        {
            Receiver r;
            const Received untouched = r.apply({});
            const Received got = r.apply({{c.code, values[i]}});
            EXPECT_FLOAT_EQ(propertyOf(c.code, got), expected[i]) << "value " << values[i];
            // Nothing else moves.
            for (int other = 1; other <= 12; ++other)
            {
                if (other != c.code)
                {
                    EXPECT_FLOAT_EQ(propertyOf(other, got), propertyOf(other, untouched)) << "code " << other;
                }
            }
        }
    }

    // The restart needs more than one half; the menu's first and spare items name nothing.
    EXPECT_EQ(Base::prmSqEventCode(Base::Restart), 13);
    EXPECT_STREQ(prmSqEventMenuTexts[13], "ReStrt");
    EXPECT_FALSE(Base::prmSqToRestart(0.0f));
    EXPECT_FALSE(Base::prmSqToRestart(0.5f));
    EXPECT_TRUE(Base::prmSqToRestart(1.0f));
    EXPECT_STREQ(prmSqEventMenuTexts[0], "None");
    for (int code = 14; code <= 23; ++code)
        EXPECT_STREQ(prmSqEventMenuTexts[(size_t) code], "--------");
}

TEST(PrmSqRouting, MappingsAtTheirEdges)
{
    EXPECT_EQ(Base::prmSqToStart(0.99f), 31) << "32 x 0.99 + 0.5 = 32.18, truncated and clamped";
    EXPECT_EQ(Base::prmSqToSize(0.0f), 1);
    EXPECT_EQ(Base::prmSqToTranspose(0.5f), 0);
    EXPECT_EQ(Base::prmSqToOctave(0.5f), 0);
    EXPECT_EQ(Base::prmSqToOctave(-0.01f), -36);
    EXPECT_EQ(Base::prmSqToStepOctave(-3.0f), -24);
    EXPECT_EQ(Base::prmSqToTranspose(-1.0f), -12);
    EXPECT_EQ(Base::prmSqToDirection(2.0f), 5);
    EXPECT_EQ(Base::prmSqToStepPitch(-0.5f), 0);
    EXPECT_FLOAT_EQ(Base::prmSqToUnit(1.5f), 1.0f);
    EXPECT_EQ(Base::prmSqToTranspose(0.52f), 1);
}

TEST(PrmSqRouting, OfSeveralEntriesWithOneCodeTheLastWins)
{
    Receiver r;
    const auto got = r.apply({{5, 0.0f}, {1, 1.0f}, {5, 1.0f}, {2, 0.5f}, {3, 0.0f}, {12, 0.0f}, {12, 0.9f}});
    EXPECT_EQ(got.transpose, 12);
    EXPECT_EQ(got.dir, 5);
    EXPECT_EQ(got.strt, 16);
    EXPECT_EQ(got.size, 1);
    EXPECT_TRUE(got.on);
}

TEST(PrmSqRouting, CodesWithoutAFlagAndValuesThatAreNotNumbersAreIgnored)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Receiver r;
    const Received untouched = r.apply({});
    // Codes outside 1..20 have no flag: once written at index code - 1, codes
    // 21..23 reached past the end of the table.
    const List noFlag{{0, 1.0f}, {-1, 1.0f}, {21, 1.0f}, {23, 1.0f}, {24, 1.0f}, {INT_MAX, 1.0f}, {INT_MIN, 1.0f}};
    const auto got = r.apply(noFlag);
    for (int code = 1; code <= 12; ++code)
        EXPECT_FLOAT_EQ(propertyOf(code, got), propertyOf(code, untouched)) << code;
    for (int code = -2; code <= 25; ++code)
        EXPECT_FALSE(r.engine.isPrmSqTarStateSet(code)) << code;

    // Spare codes 14..20 raise their flags but change nothing.
    const auto spare = r.apply({{14, 1.0f}, {20, 1.0f}});
    EXPECT_TRUE(r.engine.isPrmSqTarStateSet(14));
    EXPECT_TRUE(r.engine.isPrmSqTarStateSet(20));
    for (int code = 1; code <= 12; ++code)
        EXPECT_FLOAT_EQ(propertyOf(code, spare), propertyOf(code, untouched)) << code;

    // A value that is not a number neither wins nor raises a flag.
    Receiver n;
    const auto kept = n.apply({{5, 1.0f}, {5, nan}, {1, 0.0f}, {1, inf}, {12, 1.0f}, {12, -inf}});
    EXPECT_EQ(kept.transpose, 12);
    EXPECT_EQ(kept.dir, 0);
    EXPECT_TRUE(kept.on);
    n.apply({{4, nan}});
    EXPECT_FALSE(n.engine.isPrmSqTarStateSet(4));
}

TEST(PrmSqRouting, TheFlagsFollowTheLatestList)
{
    Receiver r;
    r.apply({{5, 1.0f}});
    EXPECT_TRUE(r.engine.isPrmSqTarStateSet(5));
    const auto got = r.apply({{6, 1.0f}});
    EXPECT_FALSE(r.engine.isPrmSqTarStateSet(5));
    EXPECT_EQ(got.transpose, 99);
    EXPECT_EQ(got.pitch, 12);
}

TEST(PrmSqRouting, TheUnusedOperationsKeepTheirOwnRules)
{
    // Octaves in octaves, switches as 1 or 0, nothing for a target past the restart.
    struct Case
    {
        Base::PRMSQTARGET target;
        float value, expected;
    };
    const Case cases[] = {{Base::Octave, 1.0f, 3.0f},      {Base::Octave, -0.1f, -3.0f},
                          {Base::StepOctave, 0.0f, -2.0f}, {Base::StepOctave, 1.0f, 2.0f},
                          {Base::Transpose, 1.0f, 12.0f},  {Base::Size, 0.0f, 1.0f},
                          {Base::Restart, 0.5f, 1.0f},     {Base::StepSlur, 0.49f, 0.0f},
                          {Base::StepGate, 0.3f, 0.3f},    {(Base::PRMSQTARGET) 13, 1.0f, 0.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(Base::getPrmSqRepModVal(c.target, c.value), c.expected) << (int) c.target << " " << c.value;

    Receiver r;
    r.engine.procPrmSqToParam({{1, 1.0f}, {2, 0.25f}, {3, 0.1f}, {2, 0.5f}}, Base::Start);
    EXPECT_EQ(r.engine.curStrt, 16);
    EXPECT_EQ(r.engine.curDir, 2) << "only the named target";
    r.engine.procPrmSqToParam({{1, 1.0f}}, Base::Direction);
    EXPECT_EQ(r.engine.curDir, 5);
    r.engine.procPrmSqToParam({{13, 0.6f}}, Base::Restart);
    EXPECT_TRUE(r.engine.restartPending);
    r.engine.procPrmSqToParam({{5, 1.0f}}, Base::Transpose);

    // A later restart entry below one half cancels an earlier one.
    r.engine.restartPending = false;
    const List restarts{{13, 1.0f}, {13, 0.2f}};
    r.engine.updatePrmSqTarStates(restarts);
    r.engine.handlePrmSqToRestart(restarts);
    EXPECT_FALSE(r.engine.restartPending);
    const List one{{13, 0.5f}};
    r.engine.updatePrmSqTarStates(one);
    r.engine.handlePrmSqToRestart(one);
    EXPECT_TRUE(r.engine.restartPending);
}

TEST(PrmSqRouting, TheSendersStepValueIsModulatedAtTheStepSampleButNotBefore65)
{
    EngineModels m;
    TestUnitEngine engine{m, zu::units::param};
    ModBuffer mod(512);
    mod.set(8, 65, 0.25f);
    mod.set(8, 100, -0.5f);
    mod.set(9, 65, 2.0f);
    auto block = mod.block(512);
    const float d = m.scurve->calcModDep(1.0f);

    float v = 0.3f;
    engine.handleParamModPrmSqStepVal(block, v, ZuDataModelBase::MyParam<float>(0.3f), 0, 512);
    EXPECT_FLOAT_EQ(v, 0.3f) << "not modulated";

    v = 0.3f;
    engine.handleParamModPrmSqStepVal(block, v, modulated(0.3f, 9), 0, 512);
    EXPECT_FLOAT_EQ(v, 0.3f + d * 0.25f);

    v = 0.3f;
    engine.handleParamModPrmSqStepVal(block, v, modulated(0.3f, 9), 100, 512);
    EXPECT_FLOAT_EQ(v, 1.0e-7f) << "kept above 0";

    v = 0.3f;
    engine.handleParamModPrmSqStepVal(block, v, modulated(0.3f, 10), 0, 512);
    EXPECT_FLOAT_EQ(v, 0.999999f) << "kept below 1";

    // The second slot adds to the first.
    auto both = modulated(0.3f, 9);
    both.modSource[1] = 9;
    both.modDepth[1] = 1.0f;
    both.updateModActive();
    v = 0.1f;
    engine.handleParamModPrmSqStepVal(block, v, both, 0, 512);
    EXPECT_FLOAT_EQ(v, 0.1f + juce::jlimit(-0.999999f, 0.999999f, 2.0f * d * 0.25f));
}
