// SPDX-License-Identifier: GPL-3.0-or-later
// Randomise, initialise, set all and shift over a unit's step window, with
// step and parameter locks, on the trees and models alone.
#include "UnitOpsFixture.h"

#include "ZuStepOps.h"

#include <cmath>
#include <limits>
#include <map>
#include <string>

namespace
{
using zu::unitops::stepWindow;
namespace units = zu::units;

// Step number (1..32) -> value, for the steps a case names.
using Steps = std::map<int, double>;

struct StepOps : UnitOpsFixture
{
    juce::ValueTree unit(int kind, int index) { return live(units::nodeName(kind, index).toRawUTF8()); }
    juce::Identifier id(int kind, int index, const juce::String& key, int step)
    {
        return juce::Identifier(units::unitPrefix(kind, index) + key + juce::String(step));
    }
    void setSteps(int kind, int index, const juce::String& key, const Steps& steps)
    {
        for (const auto& [step, value] : steps)
            unit(kind, index).setProperty(id(kind, index, key, step), value, nullptr);
    }
    double step(int kind, int index, const juce::String& key, int n)
    {
        return (double) unit(kind, index).getProperty(id(kind, index, key, n));
    }
    void setWindow(int kind, int index, double strt, double size)
    {
        unit(kind, index).setProperty(units::unitKey(kind, index, "strt"), strt, nullptr);
        unit(kind, index).setProperty(units::unitKey(kind, index, "size"), size, nullptr);
    }
    void setKey(int kind, int index, const juce::String& key, const juce::var& value)
    {
        mainTree.setProperty(units::editorKeyStem(kind, index) + key, value, nullptr);
    }
    // The values of steps 1..32 of a property.
    std::vector<double> all(int kind, int index, const juce::String& key)
    {
        std::vector<double> v;
        for (int n = 1; n <= units::numSteps; ++n)
            v.push_back(step(kind, index, key, n));
        return v;
    }
};

std::vector<int> positions(int strt, int size)
{
    const auto w = stepWindow(strt, size);
    return {w.positions.begin(), w.positions.begin() + w.size};
}
} // namespace

TEST(StepWindow, StartsAtStrtWrapsPastStep32AndStaysWithinTheTable)
{
    EXPECT_EQ(positions(1, 4), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(positions(30, 5), (std::vector<int>{29, 30, 31, 0, 1}));
    EXPECT_EQ(positions(32, 1), (std::vector<int>{31}));
    EXPECT_EQ(positions(0, 2), (std::vector<int>{0, 1})) << "a start below 1 is step 1";
    EXPECT_EQ(positions(-7, 2), (std::vector<int>{0, 1}));
    EXPECT_EQ(positions(99, 2), (std::vector<int>{31, 0}));
    EXPECT_EQ(positions(5, 0).size(), 0u);
    EXPECT_EQ(positions(5, -3).size(), 0u);
    EXPECT_EQ(positions(3, 1 << 30).size(), 32u) << "a huge size is the whole table";
    EXPECT_EQ(positions(3, 1 << 30).back(), 1);
}

TEST_F(StepOps, SetAllWritesTheTargetIntoUnlockedStepsOfTheWindow)
{
    struct Case
    {
        double strt, size;
        Steps locks;
        int target;
        const char* key;
        float value;
        Steps expected; // every other step keeps its value
    };
    const Case cases[] = {
        {1, 16, {}, 2, "vel", 64, {{1, 64}, {16, 64}, {17, 100}, {32, 100}}},
        {31, 4, {}, 2, "vel", 64, {{30, 100}, {31, 64}, {32, 64}, {1, 64}, {2, 64}, {3, 100}}},
        {7, 1, {}, 2, "vel", 64, {{6, 100}, {7, 64}, {8, 100}}},
        {1, 4, {{2, 1.0}, {3, 0.5}}, 2, "vel", 64, {{1, 64}, {2, 100}, {3, 64}, {4, 64}}},
        {1, 2, {}, 2, "vel", 150, {{1, 150}, {2, 150}}},
        {1, 2, {}, 7, "relpch", -5, {{1, -5}, {2, -5}, {3, 0}}},
        {1, 2, {}, 0, "pch", 3, {{1, 3}, {2, 3}, {3, 0}}},
        {-3, 2, {}, 3, "gate", 20, {{1, 20}, {2, 20}, {32, 50}}},
        {1, 1e9, {}, 3, "gate", 20, {{1, 20}, {32, 20}}},
    };
    for (const auto& c : cases)
    {
        const auto before = live("ptchsq2").createCopy();
        setWindow(units::pitch, 1, c.strt, c.size);
        setSteps(units::pitch, 1, "slk", c.locks);
        setKey(units::pitch, 1, "_prmlck3", 1); // no parameter lock holds set all back
        auto t = target();
        zu::unitops::setAllCenterSqParams(t, units::pitch, 1, c.target, c.value);
        for (const auto& [n, v] : c.expected)
            EXPECT_DOUBLE_EQ(step(units::pitch, 1, c.key, n), v) << c.key << " step " << n << " strt " << c.strt;
        live("ptchsq2").copyPropertiesFrom(before, nullptr);
    }
}

TEST_F(StepOps, SetAllOnATargetWithoutPropertyACcRackOrANonFiniteValueChangesNothing)
{
    const auto before = paramTree.createCopy();
    auto t = target();
    zu::unitops::setAllCenterSqParams(t, units::param, 0, 3, 0.5f);
    zu::unitops::setAllCenterSqParams(t, units::octTp, 0, 4, 0.5f);
    zu::unitops::setAllCenterSqParams(t, units::ccRack, 0, 0, 0.5f);
    zu::unitops::setAllCenterSqParams(t, units::pitch, 0, -1, 0.5f);
    zu::unitops::setAllCenterSqParams(t, units::pitch, 0, 2, std::numeric_limits<float>::quiet_NaN());
    zu::unitops::setAllCenterSqParams(t, units::pitch, 0, 2, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(paramTree.isEquivalentTo(before));
    EXPECT_TRUE(treeCalls.empty());
}

TEST_F(StepOps, EveryWriteReachesTheTreesListenersAsAFloatingPointNumber)
{
    setWindow(units::cc, 2, 1, 4);
    treeCalls.clear();
    auto t = target();
    zu::unitops::setAllCenterSqParams(t, units::cc, 2, 0, 0.25f);
    ASSERT_EQ(treeCalls.size(), 4u);
    EXPECT_EQ(treeCalls[3].first, "p3m33_sval4");
    EXPECT_TRUE(treeCalls[3].second.isDouble());
    EXPECT_DOUBLE_EQ((double) treeCalls[3].second, 0.25);
}

TEST_F(StepOps, ShiftRotatesAndOffsetsWithinTheWindow)
{
    struct Case
    {
        int kind;
        double strt, size;
        int setAllTarget;
        int mode;
        const char* key;
        Steps before, locks, expected;
    };
    const Case cases[] = {
        {units::pitch,
         1,
         4,
         2,
         0,
         "vel",
         {{1, 10}, {2, 20}, {3, 30}, {4, 40}},
         {},
         {{1, 20}, {2, 30}, {3, 40}, {4, 10}, {5, 100}}},
        {units::pitch,
         1,
         4,
         2,
         1,
         "vel",
         {{1, 10}, {2, 20}, {3, 30}, {4, 40}},
         {},
         {{1, 40}, {2, 10}, {3, 20}, {4, 30}}},
        {units::pitch,
         31,
         4,
         2,
         1,
         "vel",
         {{31, 1}, {32, 2}, {1, 3}, {2, 4}},
         {},
         {{31, 4}, {32, 1}, {1, 2}, {2, 3}, {3, 100}}},
        {units::pitch, 1, 4, 2, 1, "vel", {{1, 10}, {2, 20}}, {{1, 1.0}}, {{2, 10}}},
        {units::pitch, 1, 3, 2, 2, "vel", {{1, 127}, {2, 126}, {3, 5}}, {{3, 1.0}}, {{1, 127}, {2, 127}, {3, 5}}},
        {units::pitch, 1, 2, 2, 3, "vel", {{1, 0}, {2, 1}}, {}, {{1, 0}, {2, 0}}},
        {units::pitch, 32, 2, 0, 2, "pch", {{32, 12}, {1, 11}}, {}, {{32, 12}, {1, 12}}},
        {units::pitch, 1, 4, 6, 2, "spwr", {{1, 0}, {2, 0}}, {{2, 1.0}}, {{1, 1}, {2, 0}}},
        {units::pitch, 1, 4, 6, 3, "spwr", {}, {}, {{1, 0}, {4, 0}, {5, 1}}},
        {units::param, 1, 2, 0, 2, "sval", {{1, 0.5}, {2, 1.0}}, {}, {{1, 0.5078125}, {2, 1.0}}},
        {units::cc, 1, 2, 0, 3, "sval", {{1, 0.0}, {2, 0.5}}, {}, {{1, 0.0}, {2, 0.4921875}}},
        {units::octTp, 1, 2, 0, 2, "stp", {{1, 12}, {2, -12}}, {}, {{1, 12}, {2, -11}}},
        {units::pitch, 5, 1, 2, 0, "vel", {{5, 1}, {6, 2}}, {}, {{5, 1}, {6, 2}}},
        {units::pitch, 5, 1, 2, 2, "vel", {{5, 1}}, {}, {{5, 1}}},
        {units::pitch, 1, 2, 9, 0, "vel", {{1, 1}, {2, 2}}, {}, {{1, 1}, {2, 2}}},
    };
    for (const auto& c : cases)
    {
        const auto node = live(units::nodeName(c.kind, 0).toRawUTF8());
        const auto saved = node.createCopy();
        setWindow(c.kind, 0, c.strt, c.size);
        setSteps(c.kind, 0, c.key, c.before);
        setSteps(c.kind, 0, "slk", c.locks);
        setKey(c.kind, 0, "_setall_tar", c.setAllTarget);
        auto t = target();
        zu::unitops::shiftCenterSqParams(t, c.kind, 0, c.mode);
        for (const auto& [n, v] : c.expected)
            EXPECT_DOUBLE_EQ(step(c.kind, 0, c.key, n), v)
                << c.key << " step " << n << " mode " << c.mode << " strt " << c.strt << " size " << c.size;
        live(units::nodeName(c.kind, 0).toRawUTF8()).copyPropertiesFrom(saved, nullptr);
    }
}

TEST_F(StepOps, ARotationCarriesTheModulationPairsThatTravelWithTheValue)
{
    setWindow(units::pitch, 0, 1, 2);
    setSteps(units::pitch, 0, "pch", {{1, 1}, {2, 2}});
    setSteps(units::pitch, 0, "pch1_ms", {{1, 3}, {2, 0}}); // "pch1_ms1" and "pch1_ms2"
    setSteps(units::pitch, 0, "pch2_md", {{2, 0.5}});       // "pch2_md2"
    setSteps(units::pitch, 0, "slr1_ms", {{1, 4}});
    setSteps(units::pitch, 0, "slr", {{1, 1}, {2, 0}});
    setKey(units::pitch, 0, "_setall_tar", 0);
    auto t = target();
    zu::unitops::shiftCenterSqParams(t, units::pitch, 0, 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "pch", 1), 2);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "pch1_ms", 1), 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "pch2_ms", 1), 3);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "pch1_md", 2), 0.5);

    setKey(units::pitch, 0, "_setall_tar", 5);
    zu::unitops::shiftCenterSqParams(t, units::pitch, 0, 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "slr", 1), 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "slr", 2), 1);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "slr1_ms", 1), 4) << "the slur's pairs stay at their steps";
}

TEST_F(StepOps, AllMovesEveryPropertyButTheParameterLockedOnes)
{
    setWindow(units::pitch, 0, 1, 2);
    for (const char* key : {"pch", "oct", "vel", "gate", "prob", "slr", "spwr", "slk"})
        setSteps(units::pitch, 0, key, {{1, 1}, {2, 0}});
    setKey(units::pitch, 0, "_setall_tar", 7);
    setKey(units::pitch, 0, "_prmlck3", 1.0);
    auto t = target();
    zu::unitops::shiftCenterSqParams(t, units::pitch, 0, 1);
    for (const char* key : {"pch", "oct", "gate", "prob", "slr", "spwr", "slk"})
        EXPECT_DOUBLE_EQ(step(units::pitch, 0, key, 2), 1) << key << " moved with its lock";
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "vel", 2), 0) << "the locked parameter stays";

    setKey(units::pitch, 0, "_setall_tar", 2);
    zu::unitops::shiftCenterSqParams(t, units::pitch, 0, 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "vel", 1), 1);

    setWindow(units::param, 0, 1, 2);
    setSteps(units::param, 0, "emenu", {{1, 3}});
    setKey(units::param, 0, "_setall_tar", 3);
    zu::unitops::shiftCenterSqParams(t, units::param, 0, 2);
    EXPECT_DOUBLE_EQ(step(units::param, 0, "sval", 1), 0.0078125);
    EXPECT_DOUBLE_EQ(step(units::param, 0, "prob", 1), 100);
    EXPECT_DOUBLE_EQ(step(units::param, 0, "emenu", 1), 3);
    zu::unitops::shiftCenterSqParams(t, units::param, 0, 0);
    EXPECT_DOUBLE_EQ(step(units::param, 0, "emenu", 1), 0);
    EXPECT_DOUBLE_EQ(step(units::param, 0, "emenu", 2), 3);
}

TEST_F(StepOps, RelativeModeShiftsAndInitialisesTheRelativePitch)
{
    unit(units::pitch, 0).setProperty("p1m11_relmode", 1.0, nullptr);
    setWindow(units::pitch, 0, 1, 2);
    setSteps(units::pitch, 0, "relpch", {{1, -12}, {2, 5}});
    auto t = target();
    zu::unitops::shiftCenterSqParams(t, units::pitch, 0, 0);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "relpch", 1), 5);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "pch", 1), 0);

    setKey(units::pitch, 0, "_setall_val1", 7.0);
    setKey(units::pitch, 0, "_setall_val8", 3.0);
    zu::unitops::rndRstCenterSqParams(t, units::pitch, 0, 1, 1);
    EXPECT_DOUBLE_EQ(step(units::pitch, 0, "relpch", 2), 7);
}

TEST_F(StepOps, InitialiseSetsEachPropertysSetAllValueOnUnlockedWindowSteps)
{
    const double pitchValues[] = {0, 2, 100, 50, 100, 0, 1, 0};
    for (int k = 1; k <= 8; ++k)
        setKey(units::pitch, 0, "_setall_val" + juce::String(k), pitchValues[k - 1]);
    const char* keys[] = {"pch", "oct", "vel", "gate", "prob", "slr", "spwr"};
    setWindow(units::pitch, 0, 30, 5);
    for (const char* key : keys)
        for (int n = 1; n <= 32; ++n)
            setSteps(units::pitch, 0, key, {{n, 0.5}});
    setSteps(units::pitch, 0, "slk", {{31, 1.0}});
    setKey(units::pitch, 0, "_prmlck4", 1);

    auto t = target();
    zu::unitops::rndRstCenterSqParams(t, units::pitch, 0, 0, 1);
    for (int k = 0; k < 7; ++k)
        for (int n = 1; n <= 32; ++n)
        {
            const bool written = (n >= 30 || n <= 2) && n != 31 && k != 3;
            EXPECT_DOUBLE_EQ(step(units::pitch, 0, keys[k], n), written ? pitchValues[k] : 0.5) << keys[k] << n;
        }
}

TEST_F(StepOps, RandomiseWithASeedChangesOnlyUnlockedWindowStepsWithinRange)
{
    setWindow(units::pitch, 0, 30, 5);
    setSteps(units::pitch, 0, "slk", {{32, 1.0}, {1, 0.5}});
    const auto before = live("ptchsq1").createCopy();
    auto t = target();
    zu::unitops::rndRstCenterSqParams(t, units::pitch, 0, 0, 0, 42);

    struct Range
    {
        const char* key;
        double min, max;
        bool whole;
    };
    const Range ranges[] = {{"pch", 0, 12, true},   {"oct", 0, 4, true}, {"vel", 0, 127, true}, {"gate", 0, 100, true},
                            {"prob", 0, 100, true}, {"slr", 0, 1, true}, {"spwr", 0, 1, true}};
    int changed = 0;
    for (const auto& r : ranges)
        for (int n = 1; n <= 32; ++n)
        {
            const auto v = step(units::pitch, 0, r.key, n);
            const auto old = (double) before.getProperty(id(units::pitch, 0, r.key, n));
            const bool inWindow = (n >= 30 || n <= 2) && n != 32;
            if (!inWindow)
            {
                EXPECT_DOUBLE_EQ(v, old) << r.key << n;
            }
            changed += v != old ? 1 : 0;
            EXPECT_GE(v, r.min);
            EXPECT_LE(v, r.max);
            EXPECT_EQ(v, std::round(v)) << r.key << n << " is whole (the on/off ones 0 or 1)";
        }
    EXPECT_GT(changed, 5);

    // The same seed gives the same values.
    const auto first = live("ptchsq1").createCopy();
    live("ptchsq1").copyPropertiesFrom(before, nullptr);
    zu::unitops::rndRstCenterSqParams(t, units::pitch, 0, 0, 0, 42);
    EXPECT_TRUE(live("ptchsq1").isEquivalentTo(first));
}

TEST_F(StepOps, NudgingStaysWithinTheSpreadAndARangeOfZeroChangesNothing)
{
    setWindow(units::pitch, 0, 1, 32);
    setSteps(units::pitch, 0, "vel", {{1, 0}, {2, 127}});
    setKey(units::pitch, 0, "_rndrng3", 0.5);
    setKey(units::pitch, 0, "_rndrng4", 0.0);
    setKey(units::pitch, 0, "_prmlck2", 1);
    const auto before = all(units::pitch, 0, "vel");
    auto t = target();
    for (juce::int64 seed = 1; seed < 20; ++seed)
    {
        const auto previous = all(units::pitch, 0, "vel");
        zu::unitops::rndRstCenterSqParams(t, units::pitch, 0, 0, 0, seed);
        const auto now = all(units::pitch, 0, "vel");
        for (size_t i = 0; i < now.size(); ++i)
        {
            EXPECT_LE(std::abs(now[i] - previous[i]), 32.0);
            EXPECT_GE(now[i], 0.0);
            EXPECT_LE(now[i], 127.0);
            EXPECT_EQ(now[i], std::round(now[i]));
        }
    }
    EXPECT_NE(all(units::pitch, 0, "vel"), before);
    EXPECT_EQ(all(units::pitch, 0, "gate"), std::vector<double>(32, 50.0)) << "range 0";
    EXPECT_EQ(all(units::pitch, 0, "oct"), std::vector<double>(32, 2.0)) << "parameter lock";
}

TEST_F(StepOps, FullRandomisationOfValuesKeepsFractionsAndOnOffGivesZeroOrOne)
{
    setWindow(units::param, 1, 1, 32);
    auto t = target();
    zu::unitops::rndRstCenterSqParams(t, units::param, 1, 0, 0, 7);
    bool fraction = false;
    for (int n = 1; n <= 32; ++n)
    {
        const auto sval = step(units::param, 1, "sval", n);
        EXPECT_GE(sval, 0.0);
        EXPECT_LT(sval, 1.0);
        fraction = fraction || sval != std::round(sval);
        const auto spwr = step(units::param, 1, "spwr", n);
        EXPECT_TRUE(spwr == 0.0 || spwr == 1.0);
    }
    EXPECT_TRUE(fraction);

    const auto before = paramTree.createCopy();
    zu::unitops::rndRstCenterSqParams(t, units::ccRack, 0, 0, 0, 7);
    zu::unitops::rndRstCenterSqParams(t, units::param, 1, 4, 0, 7);
    zu::unitops::rndRstCenterSqParams(t, units::param, 1, -1, 1);
    EXPECT_TRUE(paramTree.isEquivalentTo(before));
}
