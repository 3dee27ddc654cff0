// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModKnob.h"

double ModKnob::snapValue(double value, juce::Slider::DragMode)
{
    if (!curveFilled || value == 0.0)
        return value;
    const double magnitude = curve(std::abs(value));
    return value > 0.0 ? magnitude : -magnitude;
}

void ModKnob::setCurve(const std::function<double(double)>& fn, double minInput, double maxInput, size_t numPoints)
{
    if (numPoints < 2 || !(maxInput > minInput))
        return;
    curve.initialise(fn, minInput, maxInput, numPoints);
    curveFilled = true;
}
