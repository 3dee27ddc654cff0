// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <map>

// Small waveform outlines for the LFO waveform buttons, plus further shape
// sets and value-dependent fillable "slider" shapes, laid out once in a
// 100 x 100 box (y downwards) and scaled by their users. One instance per
// process (ZuShared<LfoWavePath>).
class LfoWavePath
{
public:
    using Builder = void (*)(juce::Path&, juce::Rectangle<float>&, float&);
    using SliderMaker = void (*)(juce::Path&, const float&, juce::Rectangle<float>&);

    LfoWavePath();

    static constexpr int numWavePaths = 21;
    static constexpr int numButtonWaves = 8;
    static constexpr int numSliderTypes = 13;

    // Entries 0..7 are the waveform buttons' icons; an index outside the
    // table gives an empty path.
    juce::Path getWavePath(int index) const;
    // Entry 8 + index, index 0..12; outside: an empty path.
    juce::Path getSLfoWavePath(int index) const;
    // The fillable shape of slider type 0..12 for value in area; any other
    // type gives an empty path.
    juce::Path getPathForWaveSlider(int type, float value, juce::Rectangle<float>& area) const;

    // Shape builders: each clears out first; only drawRandomPath sets
    // strokeWidth.
    static void drawSinPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawSinRevPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawTriPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawTriRevPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawUpPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawDownPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawUpCurve1Path(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawDownCurve1Path(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawUpDownLin(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawDownUpLin(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawRectUpPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawRectDownPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void draw3StepsPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void draw4StepsPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawBiasPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawHypTriPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawExpLogPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawUpCurve2Path(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawDownCurve2Path(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawUpDownCurv(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);
    static void drawRandomPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth);

    // Slider shape makers; "level" is (1 - v) x h.
    static void makeSinSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeSinRevSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeTriSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeTriRevSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeUpC3Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeDownC3Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeUpDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeDownUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeRectUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeRectDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeBiasSlider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeUpC1Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeUpC2Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeDownC1Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);
    static void makeDownC2Slider(juce::Path& out, const float& v, juce::Rectangle<float>& a);

private:
    void createWaveformPath();

    std::array<juce::Path, numWavePaths> wavePaths;
    std::map<int, SliderMaker> sliderMakers;

    JUCE_DECLARE_NON_COPYABLE(LfoWavePath)
};
