// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuKernTables.h"

#include <cmath>

namespace
{
constexpr double ln20 = 2.995732273553991;
constexpr double ln300 = 5.703782474656201;
constexpr double ln64 = 4.1588830833596715;

// The (4,4) Padé approximation of e^a.
double pade(double a)
{
    const double a2 = a * a, a3 = a2 * a, a4 = a3 * a;
    return (a4 + 20.0 * a3 + 180.0 * a2 + 840.0 * a + 1680.0) / (a4 - 20.0 * a3 + 180.0 * a2 - 840.0 * a + 1680.0);
}

// The gain of d decibels; nothing at or below -100 dB.
double gainOf(double decibels)
{
    return decibels <= -100.0 ? 0.0 : std::pow(10.0, decibels / 20.0);
}

double signOf(double x)
{
    return x < 0.0 ? -1.0 : 1.0;
}
} // namespace

double ZuKernTables::curve(int k, double x)
{
    switch (k)
    {
    case 1:
        return std::sqrt(juce::jmax(0.0, x));
    case 2:
        return (pade(ln20 * x) - 1.0) * (1.0 / 19.0);
    case 3:
        return std::pow(juce::jmax(0.0, x), 1.65);
    case 4:
        return signOf(x) * (3.0 * x * x - 2.0 * x * x * std::abs(x));
    case 5:
        return (std::exp(ln300 * x) - 1.0) * (1.0 / 299.0);
    case 6:
    {
        const double a = std::abs(x);
        return signOf(x) * (3.0 * std::pow(a, 1.55) - 2.0 * std::pow(a, 2.3257));
    }
    case 7:
        if (x <= 0.0)
            return 0.0;
        if (x == 0.5)
            return 1.0;
        if (x < 0.5)
            return gainOf(60.0 * (std::pow(2.0 * x, 0.2) - 1.0));
        return gainOf(12.0 * std::pow(2.0 * x - 1.0, 1.8));
    case 8:
        return 3.5 * (std::exp(ln64 * x) - 1.0) * (1.0 / 63.0);
    case 9:
        return std::sin(juce::MathConstants<double>::twoPi * x);
    case 10:
        return x <= 0.5 ? 0.33 * std::pow(juce::jmax(0.0, x), 0.3333) + 0.67 : 0.33333 * x * x * x + 1.0;
    case 11:
        return std::pow(juce::jmax(0.0, x), 1.12);
    case 12:
        return x <= 0.0 ? 0.0 : juce::jmax(std::pow(x, 1.5), 0.011);
    case 13:
    case 14:
    case 15:
    case 16:
    {
        if (x <= 0.5)
            return x;
        const double c = 2.0 * (x - 0.5);
        const double s = 1.5 + (double) (k - 13);
        return 0.5 + s * c * c * (3.0 - 2.0 * c);
    }
    case 17:
        return x * x * (3.0 - 2.0 * x);
    default:
        return 0.0;
    }
}

ZuKernTables::ZuKernTables()
{
    for (int k = 1; k <= numCurves; ++k)
        tables[(size_t) (k - 1)].initialise([k](float x) { return (float) curve(k, (double) x); },
                                            (float) rangeStart(k), 1.0f, (size_t) numPoints(k));
}

const juce::dsp::LookupTableTransform<float>& ZuKernTables::table(int k) const
{
    return tables[(size_t) juce::jlimit(1, numCurves, k) - 1];
}

float ZuKernTables::lookup(int k, float x) const
{
    return table(k)(x);
}
