// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FxModKnob.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_Sliders.h"
#include "ZuSmallWidgets.h"

#include <array>

// A main rotary knob bound to one tree property with up to three modulation
// slots under it (layout 0) or at its right (any other layout). The main knob
// shows each slot's shaped depth, colour and polarity as the properties
// "Mod" + k, "mod" + k + "trkcolor" and "polindex" + k that its look draws as
// modulation arcs. Message thread only.
class ZuModulatableKnob : public juce::Component
{
public:
    explicit ZuModulatableKnob(int numSlots);
    ~ZuModulatableKnob() override;

    void enablementChanged() override;
    void resized() override;

    void setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                       juce::NormalisableRange<double> range);
    void makePanelKnob(juce::Slider& knob, juce::LookAndFeel_V4& look, juce::String name, juce::String tooltip, bool,
                       juce::Component*);
    void setModValProp(int slot, double depth);
    void setModTrackColor(int slot, juce::Colour colour, int polarity);
    // 0 the main value; 1, 3, 5 the depth and 2, 4, 6 the source of slot 1, 2, 3.
    void setKnobVal(int which, float value);
    void setTextColor(juce::Colour colour);
    void setBgColor(juce::Colour colour);

    // Controls that no running panel builds.
    void setTrkBgColor(juce::Colour colour);
    void setPopupDispState(bool on);
    void setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hovered);
    void initKnobUnit(float value);
    void getModKnobState(std::array<double, 4>& state);
    void setValues(std::array<double, 5>& values);
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id);
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id, juce::String modId);
    void setRelMode(bool on);

    FxKnob mainKnob;

private:
    ZuShared<ZuParamAttacher> attacher;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Knob> knobLook;
    ZuShared<ZuCLAF_Seq1Knob> seq1KnobLook;
    ZuShared<ZuCLAF_RelSlider> relSliderLook;
    ZuShared<ZuCLAF_CenterRelSlider> centerRelSliderLook;
    ScurveShared scurve;
    ZuShared<ZuCLAF_SEQ1SvgButton> svgButtonLook;

public:
    double velocityOffset = 0.033;
    int skinIndex = 0;
    float modKnobRatio = 0.25f;
    int layoutMode = 0;
    const int numSlots;
    bool hasModeButton = false;
    int labelMode = -1;
    juce::Label valueLabel;
    juce::TextButton modeButton;
    std::array<FxModKnob, 3> slots;
    juce::Colour bgColor{0xff202020};

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> mainParamAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> modeParamAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuModulatableKnob)
};

// One or two modulation slots without a main knob, for a control placed
// beside them (a number box, a row of buttons). Message thread only.
class ZuPairOfModKnobs : public juce::Component
{
public:
    ZuPairOfModKnobs(bool inRow, int count);

    void resized() override;
    void setAttachment(juce::ValueTree tree, juce::String id);
    void setBgColor(juce::Colour colour);
    void setThumbColor(juce::Colour colour);
    void setSkinMode(int) {}

    // Controls that no running panel builds.
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id);
    void getModKnobState(std::array<double, 4>& state);
    void setStates(std::array<double, 4>& state);

private:
    ZuShared<ZuCLAF_Base> baseLook;

public:
    const bool inRow;
    const int count;
    juce::Array<juce::Rectangle<int>> rects;
    std::array<FxModKnob, 2> slots;
    juce::Colour bgColor{0xff202020};

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> hostAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuPairOfModKnobs)
};
