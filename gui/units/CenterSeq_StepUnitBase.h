// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

#include <memory>

// What the step columns of the parameter, CC and octave-transpose sequencer
// units share: the value knob with its two modulation slots, the value text
// with an invisible drag area behind it, the lock and on/off toggles and the
// probability box, with their modulation slots. Every control edits one
// property of the step in the unit's data tree (prefix + name + step
// number); the value text is rebuilt in one asynchronous update however many
// changes asked for it, so a drag never builds strings. A step outside the
// unit's play window keeps its values and only dims.
//
// The kinds add their own controls and value text (CenterParamSeq_StepUnit,
// CenterCcSeq_StepUnit, CenterOctTpSeq_StepUnit). Message thread only.
class CenterSeq_StepUnitBase : public juce::Component, public juce::AsyncUpdater, public juce::Value::Listener
{
public:
    ~CenterSeq_StepUnitBase() override;

    // Binds every control to step index (0..31) of the unit tree, writing the
    // missing defaults.
    virtual void setAttachment(juce::ValueTree unitTree, juce::String prefix, int index);
    virtual void setStepIndex(int index);
    void setSkinMode(int skin);
    void setStepRngState(bool inRange);

    void handleAsyncUpdate() override;
    void valueChanged(juce::Value& value) override;

    // The step's value as the unit shows it.
    virtual juce::String valueText() const = 0;

    int getKind() const noexcept { return kind; }
    int getStepIndex() const noexcept { return stepIndex; }
    bool isInRange() const noexcept { return inRangeFlag; }
    juce::Colour getUnitColour() const noexcept { return unitColour; }

    ZuModulatableKnob valueKnob{2};
    juce::Label valueLabel;
    DraggableButton onOffButton;
    juce::TextButton lockButton;
    juce::Slider probBox;
    juce::Slider valueDragArea;
    ZuPairOfModKnobs onOffPair{true, 1};
    ZuPairOfModKnobs probPair{true, 1};

protected:
    // The kind's construction values.
    struct Style
    {
        int kind;
        int accentEntry;
        const char* knobName;
        const char* knobTooltip;
        double labelFontSize;
        const char* labelFontFace;
        const char* probName;
        double probFontSize;
    };

    explicit CenterSeq_StepUnitBase(const Style& style);

    juce::Colour entry(int e) const { return theme->entry(e, skin); }
    // The kind's value range: the knob and the drag area.
    virtual juce::NormalisableRange<double> valueRange() const { return {0.0, 1.0}; }
    virtual const char* valueKey() const { return "sval"; }
    // What a kind binds before the value knob and after the probability box.
    virtual void bindFirst(juce::ValueTree&, const juce::String&, int) {}
    virtual void bindLast(juce::ValueTree&, const juce::String&, int) {}
    // The kind's own colours of a skin, and those that follow the window.
    virtual void colourOwnControls() {}
    virtual void colourOwnRangeState() {}
    void colourRangeState();
    // Whether the on/off toggle and the probability box take the skin's box
    // colour (the octave-transpose toggle keeps its construction colour).
    virtual bool usesBoxColour() const { return true; }

    // Places the value text, the drag area and the lock in a row.
    void placeLabelRow(int x, int rowY, int width, int rowHeight, float insetFraction, float lockFactor);
    // Places the on/off toggle and the probability box with their slots in
    // one row from x + 1 to x + W - 1.
    void placeBottomRow(int x, int rowY, int W, int rowHeight);

    ZuShared<ZuMirabox_ColorTheme> theme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SEQ1SvgButton> lockLook;
    ZuShared<ZuCLAF_NormKnob> knobLook;
    ZuShared<ZuCLAF_CenterSqButton> toggleLook;
    ZuShared<ZuCLAF_CenterNumbBox> numbBoxLook;
    ZuShared<ZuCLAF_TranspBox> transpLook;
    ZuShared<ZuParamAttacher> attacher;

    const int kind;
    int skin = 0;
    int stepIndex = 0;
    bool inRangeFlag = true;
    juce::Colour baseColour;
    juce::Colour unitColour{0xffffffff};

    void setVelocityMode(juce::Slider& slider) const;

    // Binds widget to host parameter id when the host has such a parameter.
    template <typename Attachment, typename Widget>
    static void attachIfPresent(std::unique_ptr<Attachment>& holder, juce::AudioProcessorValueTreeState& state,
                                const juce::String& id, Widget& widget)
    {
        holder.reset();
        if (state.getParameter(id) != nullptr)
            holder = std::make_unique<Attachment>(state, id, widget);
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterSeq_StepUnitBase)
};
