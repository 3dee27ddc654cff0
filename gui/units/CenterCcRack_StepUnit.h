// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChPanel.h"
#include "DispShareData.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>
#include <utility>

class ZuMirabox_CenterCcRackPanel;

// One of the eight controller knobs of a CC rack: the knob (with two
// modulation slots), the output value 0..127 it sends (shown, and typed in),
// its name, target controller, MIDI channel, output range Min..Max and its
// own power switch. Every control edits one property of the rack's data tree,
// prefix + key + knob number ("kval", "kpwr", "kmin", "kmax", "ktarcc",
// "kch", "kname").
//
// The value text follows the knob at once; a change of Min or Max shows 50 ms
// later (timer 0), so a burst of range changes redraws once. A knob switched
// off greys its controls but keeps its power switch and its drag area.
// Message thread only.
class CenterCcRack_StepUnit : public juce::Component,
                              public juce::AsyncUpdater,
                              public juce::MultiTimer,
                              public juce::Value::Listener,
                              public juce::Button::Listener
{
public:
    static constexpr int rangeTimer = 0;
    static constexpr int rangeDelayMs = 50;

    explicit CenterCcRack_StepUnit(ZuMirabox_CenterCcRackPanel& panel);
    ~CenterCcRack_StepUnit() override;

    // Binds every control to knob knobIndex (0..7) of the rack's data tree.
    void setAttachment(juce::ValueTree guiState, juce::ValueTree unitData, juce::String prefix, int unitIndex,
                       int knobIndex);
    // Names the knob 1..8.
    void setStepIndex(int index);
    void setSkinMode(int skin);

    void paint(juce::Graphics& g) override;
    void resized() override;
    void timerCallback(int timerId) override;
    void handleAsyncUpdate() override;
    void valueChanged(juce::Value& value) override;
    void buttonClicked(juce::Button* button) override;

    // The output value of knob value v (0..1) in the range lo..hi, 0..127.
    static int outputValue(double v, double lo, double hi);
    // The knob position that sends typed value t (clamped to 0..127) in the
    // range lo..hi; with lo equal to hi, 1 from lo up and 0 below.
    static float knobValueOf(float t, float lo, float hi);
    // What a typed entry into the value label does.
    void valueEntered();
    // Enables the knob's controls as its power switch says.
    void applyKnobPower();

    // Operations no running panel calls.
    void setAttachment(juce::AudioProcessorValueTreeState&, juce::ValueTree, int, int) {}
    void setOutMinMax(std::pair<double, double> range);
    void updateLabelSnapVt(int) {}
    void loadLabelSnapVt(int) {}

    int getKnobIndex() const noexcept { return knobIndex; }
    juce::Colour getAccentColour() const noexcept { return accentColour; }

private:
    ZuShared<ZuMirabox_ColorTheme> theme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SEQ1SvgButton> svgButtonLook;
    ZuShared<ZuCLAF_FlatKnob> flatKnobLook;
    ZuShared<ZuCLAF_CenterSqButton> toggleLook;
    ZuShared<DispShareData> dispShare;
    ZuShared<ZuCLAF_BaseNoteMenu> baseNoteMenuLook;
    ZuShared<ZuCLAF_FlatMenu> flatMenuLook;
    ZuShared<ZuCLAF_CenterNumbBox> numbBoxLook;
    ZuShared<ZuCLAF_ValLabel> valLabelLook;
    ZuShared<ZuParamAttacher> attacher;
    ZuShared<ZuCLAF_ChNumbBox> chNumbBoxLook;
    ZuShared<ZuCLAF_TranspBox> transpLook;
    ZuShared<ZuCLAF_NormKnob> knobLook;
    ZuShared<ZuCLAF_FlatMenu2> flatMenu2Look;
    ZuShared<ZuCLAF_CcNumbBox> ccBoxLook;

    int knobIndex = 0;
    int skinIndex = 0;
    juce::Colour unitBgColour;
    juce::Colour accentColour{0xffffffff};

    juce::Colour entry(int e) const { return theme->entry(e, skinIndex); }
    void setVelocityMode(juce::Slider& slider) const;
    void setUpLabel(juce::Label& label);
    void setUpBox(juce::Slider& box);

public:
    ZuModulatableKnob knob{2};

private:
    std::pair<double, double> outMinMax{0.0, 1.0};

public:
    juce::Label valueLabel, nameLabel, ccLabel;
    juce::Slider minBox, maxBox;
    CcBox ccBox;
    ChPanel channelBox;
    juce::Slider dragBox;
    DraggableButton powerButton;

private:
    std::array<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>, 4> hostAttachments;
    juce::ValueTree guiState;
    ZuMirabox_CenterCcRackPanel& panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCcRack_StepUnit)
};
