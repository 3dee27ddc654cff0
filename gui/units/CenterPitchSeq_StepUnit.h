// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterOctButton.h"
#include "CenterPanelNumBoxUnit.h"
#include "DispShareData.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuCLAF_Sliders.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <array>

class ZuMirabox_CenterPitchSeqPanel;

// One step column of a pitch sequencer unit: the pitch knob (in relative
// mode the relative-pitch bar), the note name with invisible drag areas
// behind it, the octave selector, the lock, on/off and slur buttons, the
// velocity, gate and probability boxes and the modulation slots. Every
// control edits one property of the unit's data tree; the processor's tree
// listener carries it on. The relative, V/G/P and in-range flags are display
// state the owning panel re-applies after every binding.
//
// Message thread only.
class CenterPitchSeq_StepUnit : public juce::Component, public juce::AsyncUpdater, public juce::Value::Listener
{
public:
    static constexpr int numNoteNames = DispShareData::numNoteNames;
    using NoteNames = std::array<juce::String, numNoteNames>;

    CenterPitchSeq_StepUnit();
    ~CenterPitchSeq_StepUnit() override;

    // Binds every control to its property of step stepIndex (0..31) in the
    // unit tree, writing missing defaults.
    void setAttachment(juce::ValueTree unitTree, juce::String prefix, int stepIndex);
    void setStepIndex(int index);
    void setRelMode(bool relative);
    void setDispNoteList(NoteNames& names);

    void vgpButtonClicked(bool on);
    void relChordButtonClicked();
    void updateExtendState(bool expanded);
    void setStepRngState(bool inRange);
    void updateNoteDisp();
    void updateCompColor();
    void setSkinMode(int skin);

    void resized() override;
    void valueChanged(juce::Value& value) override;
    void handleAsyncUpdate() override;

    // The unit panel the step belongs to; a step on the page not shown is
    // outside the panel's component tree, so it cannot search for it.
    void setOwnerPanel(ZuMirabox_CenterPitchSeqPanel* panel) noexcept { ownerPanel = panel; }

    bool isRelative() const noexcept { return relativeFlag; }
    bool isVgpMode() const noexcept { return vgpFlag; }
    bool isInRange() const noexcept { return inRangeFlag; }
    int getStepIndex() const noexcept { return stepIndex; }

private:
    ZuMirabox_CenterPitchSeqPanel* findPanel() const;
    bool panelExpanded() const;
    void setUpKnob(ZuModulatableKnob& knob, const juce::String& name, const juce::String& tooltip);
    void setUpStepButton(DraggableButton& button, const juce::String& text, const juce::String& tooltip);
    void setUpDragArea(juce::Slider& area);
    void setVelocityMode(juce::Slider& slider);
    void showControls(bool controls, bool boxes);

    ZuShared<ZuMirabox_ColorTheme> theme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SEQ1SvgButton> lockLook;
    ZuShared<ZuCLAF_NormKnob> normKnobLook;
    ZuShared<ZuCLAF_CenterSqButton> stepButtonLook;
    ZuShared<ZuCLAF_TranspBox> transpBoxLook;
    ZuShared<ZuCLAF_CenterRelSlider> relSliderLook;
    ZuShared<ZuParamAttacher> attacher;

    ZuMirabox_CenterPitchSeqPanel* ownerPanel = nullptr;
    int stepIndex = 0;
    bool relativeFlag = false;
    bool vgpFlag = false;
    bool inRangeFlag = true;
    int skin = 0;
    juce::Colour backgroundColour{0xff000000};
    juce::Colour unitColour{0xffffffff};

public:
    ZuModulatableKnob pitchKnob{2};
    ZuModulatableKnob relKnob{2};
    juce::Label noteLabel;
    CenterOctButton octaveSelector;
    ZuPairOfModKnobs octSlots{true, 1};
    juce::TextButton lockButton;
    DraggableButton onOffButton, slurButton;
    CenterPanelNumBoxUnit vBox, gBox, pBox;
    ZuPairOfModKnobs onOffSlots{true, 1}, slurSlots{true, 1};
    juce::Slider pitchDragArea, relDragArea;
    ZuShared<DispShareData> dispShare;
    NoteNames noteNames{dispShare->noteNames};

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_StepUnit)
};
