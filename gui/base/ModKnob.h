// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_dsp/juce_dsp.h>
#include <juce_gui_basics/juce_gui_basics.h>

// A knob whose values pass through a curve: a positive value v snaps to
// T(v), a negative one to -T(|v|), where T reads the lookup table with linear
// interpolation (input clamped to the table's range). No panel builds it and
// nothing fills the table; while the table is empty the value stays as it is.
class ModKnob : public juce::Slider
{
public:
    double snapValue(double value, juce::Slider::DragMode dragMode) override;

    // Fills the table with numPoints samples of fn over minInput..maxInput.
    void setCurve(const std::function<double(double)>& fn, double minInput, double maxInput, size_t numPoints);
    bool hasCurve() const noexcept { return curveFilled; }

private:
    juce::dsp::LookupTableTransform<double> curve;
    bool curveFilled = false;
};

// A plain viewport that keeps a number it was given. No panel builds it.
class CustomViewPort : public juce::Viewport
{
public:
    explicit CustomViewPort(int id) : juce::Viewport(juce::String()), viewId(id) {}

    int viewId;
    int second = 0;
};
