// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scurve.h"

#include <cmath>

namespace
{
// x^4.5 as sqrt(x) * (x^2)^2, which rounds differently from pow(x, 4.5f); the
// curves keep this form so that their values do not move.
float powFourAndHalf(float x)
{
    const float square = x * x;
    return std::sqrt(x) * (square * square);
}
} // namespace

Scurve::Scurve()
{
    constexpr auto points = numPoints;
    table1.initialise([](float x) { return 3.0f * std::pow(x, 2.3f) - 2.0f * std::pow(x, 3.3f); }, 0.0f, 1.0f, points);
    table2.initialise([](float x) { return 3.0f * std::pow(x, 3.1f) - 2.0f * powFourAndHalf(x); }, 0.0f, 1.0f, points);
    table3.initialise([](float x) { return 3.0f * std::pow(x, 3.8f) - 2.0f * powFourAndHalf(x); }, 0.0f, 1.0f, points);
    table4.initialise([](float x) { return 3.0f * std::pow(x, 1.6f) - 2.0f * std::pow(x, 2.4f); }, 0.0f, 1.0f, points);
    table5.initialise([](float x) { return 3.0f * std::pow(x, 3.2f) - 2.0f * std::pow(x, 4.8f); }, 0.0f, 1.0f, points);
    table6.initialise([](double x) { return 3.0 * std::pow(x, 2.3) - 2.0 * std::pow(x, 3.3); }, 0.0, 1.0, points);
}

// Odd-symmetric read, clamped to +-1. The table covers 0..1.
template <typename T> T Scurve::read(const juce::dsp::LookupTableTransform<T>& table, T x) noexcept
{
    if (x > T(0))
        return table.processSample(std::min(x, T(1)));
    if (x < T(0))
        return -table.processSample(std::min(-x, T(1)));
    if (x == T(0))
        return x;
    // Not a number: a missing depth, that is no modulation.
    return T(0);
}

float Scurve::calcModDep(float x) const noexcept
{
    return read(table1, x);
}

double Scurve::calcModDep(double x) const noexcept
{
    return read(table6, x);
}

float Scurve::calcModDepSwitch(float x, int curve) const noexcept
{
    switch (curve)
    {
    case 0:
        return read(table1, x);
    case 1:
        return read(table2, x);
    case 2:
        return read(table3, x);
    case 3:
        return read(table4, x);
    case 4:
        return read(table5, x);
    default:
        return std::isnan(x) ? 0.0f : x;
    }
}

float Scurve::calcModDep2(float x) const noexcept
{
    return read(table2, x);
}

float Scurve::calcModDep3(float x) const noexcept
{
    return read(table3, x);
}

float Scurve::calcModDep4(float x) const noexcept
{
    return read(table4, x);
}

float Scurve::calcModDep5(float x) const noexcept
{
    return read(table5, x);
}
