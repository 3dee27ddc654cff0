// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KnobPathHelper.h"
#include "ZuShared.h"
#include "DispShareData.h"

// Rotary knobs that show their value and the arcs of up to two modulation
// slots, read from the slider's properties "Mod1"/"Mod2", "polindex1"/
// "polindex2" and "mod1trkcolor"/"mod2trkcolor". A knob named "----" or
// disabled is drawn unassigned: track and body only.
//
// The caching members keep the geometry of the last knob drawn and rebuild it
// when anything it depends on differs (radius, centre, stroke width, frame
// box, thumb colour), so knobs of one size at other places or in other
// colours never draw each other's shapes.

// What a cached knob geometry was built for.
struct ZuKnobCacheKey
{
    float r = 0.0f, cx = 0.0f, cy = 0.0f, sw = 0.0f;
    juce::Rectangle<float> frame;
    juce::Colour thumb;

    bool operator==(const ZuKnobCacheKey& o) const
    {
        return r == o.r && cx == o.cx && cy == o.cy && sw == o.sw && frame == o.frame && thumb == o.thumb;
    }
    bool operator!=(const ZuKnobCacheKey& o) const { return !(*this == o); }
};

// The step knobs of every sequencer unit: double track, name label, end
// labels ("L"/"R" on "Pan").
class ZuCLAF_NormKnob : public ZuCLAF_Base
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

private:
    ZuShared<KnobPathHelper> paths;
    juce::Path track;
};

// The LFO editor's knobs: flat disc, small name in a 6.5 pt face.
class ZuCLAF_ModFlatKnob : public ZuCLAF_Base
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;
    juce::Font getSliderPopupFont(juce::Slider& slider) override;

private:
    ZuShared<FxUnitShared> names;
    ZuShared<KnobPathHelper> paths;
    ZuKnobCacheKey key;
    juce::Path track, disc, smallDisc, pointer;
};

// The macro knobs, numbered "1" to "8" from their names.
class ZuCLAF_MacroKnob : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

private:
    ZuShared<FxUnitShared> names;
    ZuShared<KnobPathHelper> paths;
    juce::Path track;
    ZuKnobCacheKey key;
};

// A modulatable knob's main slider before its owner gives it its own member.
class ZuCLAF_Knob : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

private:
    ZuShared<FxUnitShared> names;
    ZuShared<KnobPathHelper> paths;
    juce::Path body, innerDisc, track, frame;
    ZuKnobCacheKey key;
    juce::ColourGradient gradient;
};

// Flat knob drawn from the x, y, width and height arguments, with its own
// frame and number paths.
class ZuCLAF_FlatKnob : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_FlatKnob();
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

private:
    ZuShared<FxUnitShared> names;
    KnobPathHelper ownPaths;
    std::array<juce::Path, KnobPathHelper::numNumbers> numberPaths;
    juce::Path track, disc, frame;
    ZuKnobCacheKey key;
};

// Knob with a chord-closed track and unipolar arcs only.
class ZuCLAF_Seq1Knob : public ZuCLAF_BaseBase
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

private:
    ZuShared<FxUnitShared> names;
    ZuShared<KnobPathHelper> paths;
    double trackStart = 1.25, trackEnd = 2.75; // in units of pi
};
