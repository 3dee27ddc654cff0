// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuGuiBase.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// A unit's Start, Size, octave or transpose box: a number box bound to one
// property of the unit's data tree with two modulation slots beside it. Its
// tooltip and value text follow from the default and range it is bound with.
class SEQ1CtrlPanel_StrtSizeBox : public ZuGuiBase
{
public:
    SEQ1CtrlPanel_StrtSizeBox(bool centreStyle, bool secondFlag);
    ~SEQ1CtrlPanel_StrtSizeBox() override;

    void setAttachment(juce::ValueTree data, juce::String id, float defaultValue,
                       juce::NormalisableRange<double> range);
    void resized() override;
    void colorMapping() override;

    // Controls that no running panel builds.
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String caption, juce::String parameterId);
    void setTextSizeFactor(float factor);
    void setBaseColor(juce::Colour& colour) override;

    // "+" above 0, the whole number, then the unit (" oct", " st").
    static juce::String signedText(double value, const juce::String& unit);

private:
    ZuShared<ZuCLAF_SEQ1Label> captionLook;
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;
    ZuShared<ZuParamAttacher> attacher;

public:
    const bool centreStyle;
    const bool secondFlag;
    float modPairWidthFactor = 2.1f;
    juce::Label captionLabel;
    juce::Slider valueBox;
    ZuPairOfModKnobs modKnobs;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> hostAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1CtrlPanel_StrtSizeBox)
};

// The four shift arrows of a unit: each click (and each auto-repeat while
// held) asks the processor to shift the unit's step values one way. Inert
// until setCenterFlag names the unit.
class SEQ1ArrowButton : public ZuGuiBase
{
public:
    SEQ1ArrowButton();
    ~SEQ1ArrowButton() override;

    void setCenterFlag(int unitType, int unitIndex);
    void resized() override;
    void colorMapping() override;
    // What a click of button i (0 left, 1 right, 2 up, 3 down) does.
    void shiftClicked(int direction);

private:
    ZuShared<ZuCLAF_ArrowButton> arrowLook;

public:
    bool isCenter = false;
    int unitType = 0;
    int unitIndex = 0;
    std::array<juce::TextButton, 4> arrowButtons;
    const juce::StringArray arrowTexts{"left", "right", "up", "down"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1ArrowButton)
};

// The reset-count control: it is never dragged; a left press opens an entry
// window next to it.
class ResetKnob : public juce::Slider
{
public:
    ResetKnob();

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent&) override {}
    void mouseMove(const juce::MouseEvent&) override {}
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseEnter(const juce::MouseEvent&) override { repaint(); }
    void mouseExit(const juce::MouseEvent&) override { repaint(); }

    void openResetCountWndw();
    // The value an entry sets: 0 below 0 or not a number, 1024 from 1024 up.
    static double clampedCount(float v);
    void setResultOfTextEditor(float v);

private:
    ZuShared<ZuMirabox_ColorTheme> theme;

public:
    int skinIndex = 0;
};

// The entry window of the reset count, shown in a call-out box on the
// desktop. It holds its knob weakly: a knob that went meanwhile (unit
// removed, editor closed) takes nothing, the window only closes.
class ZuResetCountWndw : public juce::Component
{
public:
    ZuResetCountWndw(const juce::String& text, juce::Colour background, juce::Colour textColour, ResetKnob& owner);

    void paint(juce::Graphics& g) override;
    void resized() override;
    // The return key: an empty entry only closes; otherwise sets the knob.
    void commit();

    juce::Rectangle<float> textArea;
    juce::Rectangle<int> editorArea;
    juce::String text;
    juce::Colour background;
    juce::Colour textColour;
    juce::TextEditor editor;
    juce::Component::SafePointer<ResetKnob> owner;

private:
    void dismiss();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuResetCountWndw)
};
