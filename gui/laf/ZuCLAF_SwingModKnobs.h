// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KnobPathHelper.h"
#include "DispShareData.h"
#include "ZuShared.h"

// The centre-zero knobs of the global panels ("Swing", "OCT", "TP"): a knob
// in the upper three quarters, a title and the signed value text below it,
// "-" and "+" marks at the ends of the travel.
class ZuCLAF_SwingKnob : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_SwingKnob();
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // The value text a knob of that name shows: "+" above 0, the integer
    // part (truncated), " %" on "Swing" (value x 100); empty for other names.
    static juce::String valueText(const juce::String& name, float value);

private:
    ZuShared<FxUnitShared> names;
    ZuShared<KnobPathHelper> paths;
    juce::Path track;
    juce::Path swingTitle, octTitle, tpTitle, signs;
};

// The modulation slot's amount knob: an add icon while no source is
// assigned, otherwise a ring for the amount around the source's number; a
// lit disc while the slot's source is pointed at ("indicator" above 0).
class ZuCLAF_ModKnob : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_ModKnob();
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // The ring for an amount at sliderPos (0..1) in the knob's rotary range,
    // around (cx, cy) at radius, for a bipolar or unipolar source; value is
    // the slider's value, whose sign turns a bipolar band to 6 o'clock.
    static juce::Path ring(float cx, float cy, float radius, float sliderPos, float start, float end, bool bipolar,
                           double value);

private:
    ZuShared<KnobPathHelper> paths;
    juce::Path addIcon;
};
