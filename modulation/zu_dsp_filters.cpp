// SPDX-License-Identifier: GPL-3.0-or-later
#include "zu_dsp_filters.h"

namespace zu::zudsp
{
Tables::Tables()
{
    expCurve.initialise([](float x) { return (juce::dsp::FastMathApproximations::exp(ln20 * x) - 1.0f) / 19.0f; }, 0.0f,
                        1.0f, numPoints);
    squareRoot.initialise([](float x) { return std::sqrt(x); }, 0.0f, 1.0f, numPoints);
    tangent.initialise([](float x) { return std::tan(x); }, 0.0f, 1.0f, numPoints);
}

namespace
{
// A rate that is not above 0, or not finite, counts as missing.
float usableSampleRate(float rate) noexcept
{
    return detail::isPositiveFinite(rate) ? rate : EnvDetectorForLimiter::defaultSampleRate;
}
} // namespace

EnvDetectorForLimiter::EnvDetectorForLimiter(float timeConstant, float sampleRateToUse)
    : sampleRate(usableSampleRate(sampleRateToUse))
{
    // Virtual calls from a constructor reach this class's own versions.
    EnvDetectorForLimiter::setTc(timeConstant);
}

// A negative time constant would give a coefficient above 1, an envelope
// that grows without end; a non-finite one counts as missing.
void EnvDetectorForLimiter::setTc(float timeConstant)
{
    if (std::isfinite(timeConstant))
        tc = std::max(timeConstant, 0.0f);
    setCoef();
}

void EnvDetectorForLimiter::setSampleRate(float newSampleRate)
{
    sampleRate = usableSampleRate(newSampleRate);
    setCoef();
}

// The product in single precision, the exponential in double. A time
// constant of 0 gives a coefficient of 0: the envelope follows at once.
void EnvDetectorForLimiter::setCoef()
{
    const float samples = tc * sampleRate;
    coef = samples > 0.0f ? static_cast<float>(std::exp(-1.0 / static_cast<double>(samples))) : 0.0f;
}

AttRelEnvelope::AttRelEnvelope(float attackSeconds, float releaseSeconds, float sampleRateToUse)
    : attack(attackSeconds, usableSampleRate(sampleRateToUse)),
      release(releaseSeconds, usableSampleRate(sampleRateToUse)), sampleRate(usableSampleRate(sampleRateToUse))
{
}

void AttRelEnvelope::setSampleRate(float newSampleRate)
{
    attack.setSampleRate(newSampleRate);
    release.setSampleRate(newSampleRate);
}

template class LpLin<float>;
template class LpLin<double>;
template class ApLin<float>;
template class ApLin<double>;
template class ZuHighShelf<float>;
template class ZuHighShelf<double>;
template class ZuLowShelf<float>;
template class ZuLowShelf<double>;
} // namespace zu::zudsp
