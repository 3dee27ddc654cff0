// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the models: conversions, the modulatable value and its writes,
// reading values from trees, and the hand-off helpers.
#include "ModelTestHelpers.h"

#include <cmath>
#include <limits>

using MyParamI = ZuDataModelBase::MyParam<int>;
using MyParamF = ZuDataModelBase::MyParam<float>;

TEST(ModelConversions, FloatToIntTruncatesTowardZeroAndSaturates)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double in;
        int32_t out;
    } cases[] = {{5.9, 5},
                 {-2.7, -2},
                 {0.999, 0},
                 {-0.5, 0},
                 {1e20, std::numeric_limits<int32_t>::max()},
                 {-1e20, std::numeric_limits<int32_t>::min()},
                 {inf, std::numeric_limits<int32_t>::max()},
                 {-inf, std::numeric_limits<int32_t>::min()},
                 {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(zu::toIntSaturating(c.in), c.out) << c.in;
}

TEST(ModelConversions, FlagIsStrictlyAboveOneHalf)
{
    EXPECT_FALSE(zu::toFlag(0.5));
    EXPECT_TRUE(zu::toFlag(0.5001));
    EXPECT_FALSE(zu::toFlag(-3.0));
    EXPECT_FALSE(zu::toFlag(std::nan("")));
}

TEST(ModelConversions, LeadingIntegerOfText)
{
    const struct
    {
        const char* text;
        int32_t value;
    } cases[] = {{"12ab", 12},
                 {"  -150", -150},
                 {"+7", 7},
                 {"abc", 0},
                 {"", 0},
                 {"2.7", 2},
                 {"- 5", 0},
                 {"0042", 42},
                 {"1e5", 1},
                 {"99999999999999999999", 2147483647},
                 {"-99999999999999999999", std::numeric_limits<int32_t>::min()}};
    for (const auto& c : cases)
        EXPECT_EQ(zu::parseLeadingInt(juce::String(c.text)), c.value) << c.text;
}

TEST(ModelConversions, PropertiesReadThroughTheirText)
{
    juce::ValueTree t("t");
    t.setProperty("a", 2.7, nullptr);
    t.setProperty("b", "text", nullptr);
    t.setProperty("c", std::numeric_limits<double>::quiet_NaN(), nullptr);
    t.setProperty("d", "inf", nullptr);
    t.setProperty("e", "0.25", nullptr);
    t.setProperty("f", true, nullptr);

    EXPECT_EQ(zu::readIntProperty(t, "a", 9), 2);
    EXPECT_EQ(zu::readIntProperty(t, "b", 9), 0);
    EXPECT_EQ(zu::readIntProperty(t, "c", 9), 9);
    EXPECT_EQ(zu::readIntProperty(t, "d", 9), 9);
    EXPECT_EQ(zu::readIntProperty(t, "f", 9), 1);
    EXPECT_EQ(zu::readIntProperty(t, "missing", 9), 9);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "a", 9.0f), 2.7f);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "b", 9.0f), 0.0f);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "c", 9.0f), 9.0f);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "d", 9.0f), 9.0f);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "e", 9.0f), 0.25f);
    EXPECT_FLOAT_EQ(zu::readFloatProperty(t, "missing", 9.0f), 9.0f);
}

TEST(MyParamTest, ActiveWhenSomeSlotHasSourceAndDepth)
{
    MyParamI p;
    using B = ZuDataModelBase;
    B::handleParamVals(p, B::fieldDepth1, 0.5f);
    EXPECT_FALSE(p.modActive) << "depth without source";
    B::handleParamVals(p, B::fieldSource1, 3.0f);
    EXPECT_TRUE(p.modActive);
    B::handleParamVals(p, B::fieldDepth1, 0.0f);
    EXPECT_FALSE(p.modActive) << "depth 0 again";
    B::handleParamVals(p, B::fieldDepth1, -0.2f);
    EXPECT_TRUE(p.modActive) << "negative depth counts";

    MyParamF q;
    B::handleParamVals(q, B::fieldSource2, 9.0f);
    B::handleParamVals(q, B::fieldDepth2, 1.0f);
    EXPECT_TRUE(q.modActive) << "second slot alone";
    B::handleParamVals(q, B::fieldValue, 0.25f);
    EXPECT_TRUE(q.modActive) << "a value write keeps the rule";
    EXPECT_FLOAT_EQ(q.value, 0.25f);
}

TEST(MyParamTest, NotANumberDepthCountsAsZero)
{
    MyParamI p;
    p.modSource[0] = 2;
    p.modDepth[0] = std::numeric_limits<float>::quiet_NaN();
    p.updateModActive();
    EXPECT_FALSE(p.modActive);
}

TEST(MyParamTest, FieldNumbersTruncationAndRanges)
{
    using B = ZuDataModelBase;
    MyParamI p;
    B::handleParamVals(p, B::fieldValue, 5.9f);
    EXPECT_EQ(p.value, 5);
    B::handleParamVals(p, B::fieldValue, -2.7f);
    EXPECT_EQ(p.value, -2);
    B::handleParamVals(p, B::fieldSource1, 3.9f);
    B::handleParamVals(p, B::fieldSource2, 40.0f);
    B::handleParamVals(p, B::fieldDepth2, 0.75f);
    EXPECT_EQ(p.modSource[0], 3);
    EXPECT_EQ(p.modSource[1], 16) << "sources name one of 16 channels";
    EXPECT_FLOAT_EQ(p.modDepth[1], 0.75f);
    B::handleParamVals(p, B::fieldSource1, -4.0f);
    EXPECT_EQ(p.modSource[0], 0);

    B::handleParamVals(p, B::fieldValue, 40.0f, 1, 32);
    EXPECT_EQ(p.value, 32);
    B::handleParamVals(p, B::fieldValue, 0.0f, 1, 32);
    EXPECT_EQ(p.value, 1);

    // Non-finite values and unknown field numbers change nothing.
    B::handleParamVals(p, B::fieldValue, std::numeric_limits<float>::quiet_NaN());
    B::handleParamVals(p, B::fieldDepth2, std::numeric_limits<float>::infinity());
    B::handleParamVals(p, 7, 3.0f);
    EXPECT_EQ(p.value, 1);
    EXPECT_FLOAT_EQ(p.modDepth[1], 0.75f);
}

TEST(MyParamTest, ReadFromTreeWithCompanionsAndDefaults)
{
    using B = ZuDataModelBase;
    juce::ValueTree t("snap");
    t.setProperty("x", "2.7", nullptr);
    t.setProperty("x_ms1", 3, nullptr);
    t.setProperty("x_md1", 0.5, nullptr);
    t.setProperty("x_ms2", 5, nullptr);
    t.setProperty("x_md2", 0.25, nullptr);

    MyParamI p;
    B::updateStepDataI(t, p, "x", 7, 2);
    EXPECT_EQ(p.value, 2);
    EXPECT_EQ(p.modSource[0], 3);
    EXPECT_EQ(p.modSource[1], 5);
    EXPECT_FLOAT_EQ(p.modDepth[0], 0.5f);
    EXPECT_FLOAT_EQ(p.modDepth[1], 0.25f);
    EXPECT_TRUE(p.modActive);

    // Missing properties take the defaults, not the current content.
    B::updateStepDataI(t, p, "y", 7, 2);
    EXPECT_EQ(p.value, 7);
    EXPECT_EQ(p.modSource[0], 0);
    EXPECT_FLOAT_EQ(p.modDepth[1], 0.0f);
    EXPECT_FALSE(p.modActive);

    // Slots above the count are not touched.
    MyParamF q;
    q.modSource[1] = 4;
    q.modDepth[1] = 0.5f;
    B::updateStepDataF(t, q, "x", 1.0f, 1);
    EXPECT_FLOAT_EQ(q.value, 2.7f);
    EXPECT_EQ(q.modSource[0], 3);
    EXPECT_EQ(q.modSource[1], 4);
    EXPECT_TRUE(q.modActive);

    B::updateStepDataF(t, q, "y", 100.0f, 0);
    EXPECT_FLOAT_EQ(q.value, 100.0f);
    EXPECT_EQ(q.modSource[0], 3) << "slot count 0 reads no companions";
}

TEST(ModelBase, IsContainHoldsNoNames)
{
    auto m = std::make_unique<CtrPtchSqData>();
    m->createParamMap();
    EXPECT_FALSE(m->isContain("p1m11_pwr", 0.0f));
    EXPECT_TRUE(m->units[0].pwr);
}

TEST(IntFifo, KeepsOrderAndDropsTheNewestWhenFull)
{
    ZuIntFifo<4> fifo;
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(fifo.push(i));
    EXPECT_FALSE(fifo.push(5));
    int out[8] = {};
    EXPECT_EQ(fifo.pop(out, 2), 2);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_TRUE(fifo.push(6));
    const auto rest = fifo.takeAll();
    ASSERT_EQ(rest.size(), 3);
    EXPECT_EQ(rest[0], 3);
    EXPECT_EQ(rest[1], 4);
    EXPECT_EQ(rest[2], 6);
    EXPECT_EQ(fifo.getNumReady(), 0);
}
