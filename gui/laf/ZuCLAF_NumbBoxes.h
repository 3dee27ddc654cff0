// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

#include <array>

// Number boxes: rotary sliders (dragged, no text box) drawn as flat boxes
// that show their value as text, with an optional value bar. The value text
// comes from the slider's getTextFromValue, so each panel decides it.

// The unit panels' value boxes: name at the left, value at the right, and
// with "barflag" a bar from the left (or from the centre with "bipolar").
class ZuCLAF_CenterNumbBox : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // The value bar inside area for value v, or an empty rectangle when none
    // is drawn (no "barflag", a unipolar box at its minimum, a bipolar box at
    // its centre, a "maxval" of 0).
    static juce::Rectangle<float> valueBar(const juce::Slider& slider, juce::Rectangle<float> area);
};

// The control strips' boxes: a right slice for the value beside the name.
class ZuCLAF_Seq1NumbBox : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};

// The value centred, framed only under the mouse.
class ZuCLAF_CenterNumbBox2 : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};

// The target CC number box with a menu arrow at its right.
class ZuCLAF_CcNumbBox : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};

// The output channel box: "M" for 0 (and below), "1" to "16", from prepared
// outlines.
class ZuCLAF_ChNumbBox : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_ChNumbBox();
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    // The index of the prepared text for a value: truncated, clamped to 0..16.
    static int channelIndex(double value);

private:
    std::array<juce::Path, 17> channelPaths;
};

// The global MIDI channel box: "1" to "16", shown also while disabled.
class ZuCLAF_GMidiChBox : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    static int channelNumber(double value);
};

// The chainer's step boxes: a tag pointing right with the snapshot text.
// Each box draws from its own scaled copy of the prepared tag, so the shared
// shape never drifts.
class ZuCLAF_ChainerStepNumbBoxSliderl : public ZuCLAF_Base
{
public:
    ZuCLAF_ChainerStepNumbBoxSliderl();
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    const juce::Path& tagPath() const { return tag; }

private:
    juce::Path tag;
};

// An invisible drag surface.
class ZuCLAF_TranspBox : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};

// The dice unit's random range: a bar from the left for a value 0..1.
class ZuCLAF_RndRngSlider : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
};
