// SPDX-License-Identifier: GPL-3.0-or-later
#include "zuWavetableHandler.h"

#include <algorithm>
#include <cmath>

namespace
{
// 2^1.8: the factor that makes both halves of the S-curve meet at 0.5.
constexpr double sCurveFactor = 3.482202253184496;
constexpr float sCurveFactorF = 3.4822023f;
constexpr float twoPi = 6.2831855f;
constexpr float fourPi = 12.566371f;

float bellTable(float x) noexcept
{
    const float b = 0.04f * std::cos(fourPi * x) - 0.5f * std::cos(twoPi * x);
    return b >= -0.46f ? std::min(b + 0.46f, 1.0f) : 0.0f;
}

float triangleWave(float x) noexcept
{
    return x <= 0.5f ? 2.0f * x : 2.0f - 2.0f * x;
}

float sCurveTable(float x) noexcept
{
    if (x < 0.5f)
        return (float) (std::pow((double) x, 2.8) * sCurveFactor);
    return (float) (1.0 - std::pow((double) (1.0f - x), 2.8) * sCurveFactor);
}

float upDownUpWave(float x) noexcept
{
    if (x < 0.35f)
        return 1.85714f * x;
    if (x < 0.65f)
        return 1.0f - x;
    return 1.85714f * x - 0.85714f;
}

float squareTable(float x) noexcept
{
    return x > 0.5f ? 1.0f : 0.0f;
}

float threeStepWave(float x) noexcept
{
    if (x <= 0.333333f)
        return 0.0f;
    return x <= 0.666666f ? 0.5f : 1.0f;
}

float fourStepWave(float x) noexcept
{
    if (x <= 0.25f)
        return 0.0f;
    if (x <= 0.5f)
        return 0.333333f;
    return x <= 0.75f ? 0.666666f : 1.0f;
}

float rampWave(float x) noexcept
{
    return x;
}

using WaveFn = float (*)(float) noexcept;
constexpr WaveFn tableFunctions[zuWavetableHandler::numWaveforms] = {
    bellTable, triangleWave, rampWave, sCurveTable, upDownUpWave, squareTable, threeStepWave, fourStepWave};

int validIndex(int index) noexcept
{
    return index >= 0 && index < zuWavetableHandler::numWaveforms ? index : (int) zuWavetableHandler::rampUp;
}
} // namespace

std::function<float(float)> zuWavetableHandler::getWavetableFunc(int index) const
{
    return tableFunctions[validIndex(index)];
}

float zuWavetableHandler::waveValue(int index, float x) noexcept
{
    return tableFunctions[validIndex(index)](x);
}

float zuWavetableHandler::directValue(int index, float x) noexcept
{
    switch (validIndex(index))
    {
    case bell:
        return 0.46f - 0.5f * std::cos(twoPi * x) + 0.04f * std::cos(fourPi * x);
    case sCurve:
        return x < 0.5f ? std::pow(x, 2.8f) * sCurveFactorF : 1.0f - std::pow(1.0f - x, 2.8f) * sCurveFactorF;
    case square:
        return x >= 0.5f ? 1.0f : 0.0f;
    default:
        return tableFunctions[validIndex(index)](x);
    }
}
