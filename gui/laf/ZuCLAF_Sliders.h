// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KnobPathHelper.h"
#include "ZuShared.h"

// Sliders drawn as bars or strips.

// The LFO display's vertical bars, filled from the bottom to the value.
class ZuCLAF_MSlider : public ZuCLAF_BaseBase
{
public:
    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float minSliderPos,
                          float maxSliderPos, juce::Slider::SliderStyle style, juce::Slider& slider) override;
};

// A step value as a vertical strip with a thumb showing the semitones
// ("+3 st"), the step number at the foot.
class ZuCLAF_RelSlider : public ZuCLAF_BaseBase
{
public:
    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float minSliderPos,
                          float maxSliderPos, juce::Slider::SliderStyle style, juce::Slider& slider) override;
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // "+" above 0 (from the unrounded value), the value rounded down, " st".
    static juce::String semitoneText(double value);

private:
    void drawStrip(juce::Graphics& g, int x, int y, int width, int height, float thumbPos, juce::Slider& slider,
                   const juce::String& text);

    ZuShared<KnobPathHelper> paths;
};

// The pitch step's relative strip: the step number at the top, the ranges of
// the two modulation slots as lines beside the thumb.
class ZuCLAF_CenterRelSlider : public ZuCLAF_BaseBase
{
public:
    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float minSliderPos,
                          float maxSliderPos, juce::Slider::SliderStyle style, juce::Slider& slider) override;
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // The thumb's vertical position in the rotary form for value v (-12 at
    // the bottom).
    static float rotaryPosition(double v) { return 1.0f - ((float) v + 12.0f) * 0.04f; }

private:
    // Draws the strip with the thumb centred at yt (a function of the
    // thumb height k).
    template <typename ThumbY> void drawStrip(juce::Graphics& g, juce::Slider& slider, ThumbY thumbY);

    ZuShared<KnobPathHelper> paths;
};
