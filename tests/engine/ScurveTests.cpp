// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <thread>

namespace
{
using CurveFn = std::function<float(float)>;

float curve1(float x)
{
    return 3.0f * std::pow(x, 2.3f) - 2.0f * std::pow(x, 3.3f);
}
float curve2(float x)
{
    return 3.0f * std::pow(x, 3.1f) - 2.0f * (std::sqrt(x) * ((x * x) * (x * x)));
}
float curve3(float x)
{
    return 3.0f * std::pow(x, 3.8f) - 2.0f * (std::sqrt(x) * ((x * x) * (x * x)));
}
float curve4(float x)
{
    return 3.0f * std::pow(x, 1.6f) - 2.0f * std::pow(x, 2.4f);
}
float curve5(float x)
{
    return 3.0f * std::pow(x, 3.2f) - 2.0f * std::pow(x, 4.8f);
}

// 128 points at x = i / 127, read by linear interpolation, all in single precision.
float tableRead(const CurveFn& curve, float t)
{
    const float index = 127.0f * t;
    const int i = static_cast<int>(index);
    const float y0 = curve(static_cast<float>(i) / 127.0f);
    const float y1 = i < 127 ? curve(static_cast<float>(i + 1) / 127.0f) : y0;
    return y0 + (index - static_cast<float>(i)) * (y1 - y0);
}

constexpr float nanF = std::numeric_limits<float>::quiet_NaN();
constexpr float infF = std::numeric_limits<float>::infinity();
} // namespace

TEST(Scurve, EndpointsAndClamps)
{
    ScurveShared curve;

    EXPECT_EQ(curve->calcModDep(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(1.5f), 1.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(-1.0f), -1.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(-2.0f), -1.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(infF), 1.0f);
    EXPECT_FLOAT_EQ(curve->calcModDep(-infF), -1.0f);

    EXPECT_EQ(curve->calcModDep(0.0), 0.0);
    EXPECT_DOUBLE_EQ(curve->calcModDep(1.0), 1.0);
    EXPECT_DOUBLE_EQ(curve->calcModDep(7.0), 1.0);
    EXPECT_DOUBLE_EQ(curve->calcModDep(-7.0), -1.0);
}

TEST(Scurve, KnownDepths)
{
    ScurveShared curve;
    struct Case
    {
        float depth;
        float shaped;
    };
    for (const auto c : {Case{0.5f, 0.406f}, Case{-0.5f, -0.406f}, Case{0.25f, 0.103f}, Case{0.1f, 0.014f},
                         Case{0.75f, 0.774f}, Case{0.9f, 0.942f}})
    {
        EXPECT_NEAR(curve->calcModDep(c.depth), c.shaped, 5e-4f) << c.depth;
        EXPECT_NEAR(curve->calcModDep(static_cast<double>(c.depth)), c.shaped, 5e-4) << c.depth;
    }
}

TEST(Scurve, ReadsThe128PointTableWithLinearInterpolation)
{
    ScurveShared curve;
    for (int k = 0; k <= 1000; ++k)
    {
        const float t = static_cast<float>(k) / 1000.0f;
        ASSERT_NEAR(curve->calcModDep(t), tableRead(curve1, t), 2e-6f) << t;
    }
    // At the table's own points the curve itself comes back.
    for (int i = 0; i < 128; ++i)
    {
        const float x = static_cast<float>(i) / 127.0f;
        ASSERT_NEAR(curve->calcModDep(x), curve1(x), 2e-6f) << i;
    }
    // Between points it is the straight line, not the curve: 0.5 lies at index 63.5.
    EXPECT_NEAR(curve->calcModDep(0.5f), 0.5f * (curve1(63.0f / 127.0f) + curve1(64.0f / 127.0f)), 2e-6f);
}

TEST(Scurve, IsOddSymmetric)
{
    ScurveShared curve;
    for (int k = 1; k <= 400; ++k)
    {
        const float x = static_cast<float>(k) / 200.0f; // up to 2, past the clamp
        ASSERT_EQ(curve->calcModDep(-x), -curve->calcModDep(x)) << x;
        ASSERT_EQ(curve->calcModDep(static_cast<double>(-x)), -curve->calcModDep(static_cast<double>(x))) << x;
        for (int c = 0; c < Scurve::numCurves; ++c)
            ASSERT_EQ(curve->calcModDepSwitch(-x, c), -curve->calcModDepSwitch(x, c)) << x << " curve " << c;
    }
}

TEST(Scurve, RisesMonotonicallyFromZeroToOne)
{
    ScurveShared curve;
    float last = 0.0f;
    for (int k = 1; k <= 1000; ++k)
    {
        const float y = curve->calcModDep(static_cast<float>(k) / 1000.0f);
        ASSERT_GE(y, last) << k;
        last = y;
    }
    EXPECT_FLOAT_EQ(last, 1.0f);
}

TEST(Scurve, DoubleCurveAgreesToSinglePrecision)
{
    ScurveShared curve;
    for (int k = -1100; k <= 1100; ++k)
    {
        const float x = static_cast<float>(k) / 1000.0f;
        ASSERT_NEAR(curve->calcModDep(static_cast<double>(x)), static_cast<double>(curve->calcModDep(x)), 2e-6) << x;
    }
}

TEST(Scurve, OtherCurvesAndTheSwitch)
{
    ScurveShared curve;
    const Scurve& s = *curve;
    struct Variant
    {
        CurveFn reference;
        std::function<float(float)> direct;
        int switchIndex;
    };
    const Variant variants[] = {
        {curve1, [&s](float x) { return s.calcModDep(x); }, 0},
        {curve2, [&s](float x) { return s.calcModDep2(x); }, 1},
        {curve3, [&s](float x) { return s.calcModDep3(x); }, 2},
        {curve4, [&s](float x) { return s.calcModDep4(x); }, 3},
        {curve5, [&s](float x) { return s.calcModDep5(x); }, 4},
    };

    for (const auto& v : variants)
    {
        EXPECT_EQ(v.direct(0.0f), 0.0f) << v.switchIndex;
        EXPECT_FLOAT_EQ(v.direct(1.0f), 1.0f) << v.switchIndex;
        EXPECT_FLOAT_EQ(v.direct(3.0f), 1.0f) << v.switchIndex;
        EXPECT_FLOAT_EQ(v.direct(-3.0f), -1.0f) << v.switchIndex;
        for (int k = 0; k <= 200; ++k)
        {
            const float t = static_cast<float>(k) / 200.0f;
            ASSERT_NEAR(v.direct(t), tableRead(v.reference, t), 2e-6f) << v.switchIndex << " at " << t;
            ASSERT_EQ(s.calcModDepSwitch(t, v.switchIndex), v.direct(t));
            ASSERT_EQ(s.calcModDepSwitch(-t, v.switchIndex), v.direct(-t));
        }
    }

    // The curves differ: the flattest near zero is curve 3, the steepest curve 4.
    EXPECT_LT(s.calcModDep3(0.3f), s.calcModDep(0.3f));
    EXPECT_GT(s.calcModDep4(0.3f), s.calcModDep(0.3f));

    // Any other curve number leaves the depth as it is.
    for (int other : {-1, 5, 1000})
    {
        EXPECT_EQ(s.calcModDepSwitch(0.3f, other), 0.3f);
        EXPECT_EQ(s.calcModDepSwitch(-1.7f, other), -1.7f);
    }
}

TEST(Scurve, NotANumberCountsAsNoDepth)
{
    ScurveShared curve;
    EXPECT_EQ(curve->calcModDep(nanF), 0.0f);
    EXPECT_EQ(curve->calcModDep(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(curve->calcModDep2(nanF), 0.0f);
    EXPECT_EQ(curve->calcModDep5(-nanF), 0.0f);
    for (int c : {0, 3, 4, 9})
        EXPECT_EQ(curve->calcModDepSwitch(nanF, c), 0.0f) << c;
}

TEST(Scurve, HoldersShareOneObject)
{
    const float expected = tableRead(curve1, 0.25f);
    auto first = std::make_unique<ScurveShared>();
    const int base = first->getReferenceCount();
    {
        ScurveShared second;
        EXPECT_EQ(&second.get(), &first->get());
        EXPECT_EQ(second.getReferenceCount(), base + 1);
        EXPECT_NEAR(second->calcModDep(0.25f), expected, 2e-6f);
    }
    // The first holder still works after the second is gone...
    EXPECT_EQ(first->getReferenceCount(), base);
    EXPECT_NEAR((*first)->calcModDep(0.25f), expected, 2e-6f);

    // ...and after the first is gone, a new holder builds working tables again.
    ScurveShared second;
    first.reset();
    EXPECT_NEAR(second->calcModDep(0.25f), expected, 2e-6f);
}

// Built by one thread, then read by another through a plain reference, as the
// audio thread reads the curve that the processor's engine took when it was built.
TEST(Scurve, ReadsFromAnotherThreadWithoutTakingAShare)
{
    ScurveShared holder;
    const Scurve& curve = holder.get();
    const int shares = holder.getReferenceCount();

    float fromOtherThread = -1.0f;
    std::thread reader([&curve, &fromOtherThread] { fromOtherThread = curve.calcModDep(-0.75f); });
    reader.join();

    EXPECT_EQ(fromOtherThread, holder->calcModDep(-0.75f));
    EXPECT_EQ(holder.getReferenceCount(), shares);
}
