// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterDirButton.h"
#include "CenterPitchSeq_ClockPanel.h"
#include "SEQ1CtrlPanel_StrtSizeBox.h"
#include "ZuCLAF_Labels.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"

#include <functional>

// What the first control pages of the parameter, CC and octave-transpose
// units share: the play direction, the clock, the reset count and the play
// window (Start, Size) of the unit, bound to the unit's data tree, and the
// report of a changed window to the unit panel (onStepRangeChanged), which
// reaches the panel whichever control page it shows. The kinds add their
// own controls (CenterOctTpSeq_CtrlPanel1, CenterCcSeq_CtrlPanel1,
// CenterParamSeq_CtrlPanel1). Message thread only.
class CenterSeq_CtrlPanel1Base : public ZuGuiBase
{
public:
    ~CenterSeq_CtrlPanel1Base() override;

    // Binds every widget of the page to the unit's data tree.
    virtual void setAttachment(juce::ValueTree unitTree, juce::String prefix) = 0;

    // Binds the unit's Start (1..32, default 1) and Size (1..32, default 16),
    // names them, writes their value texts as whole numbers and listens to
    // them; fontSize is the kind's text size of both.
    void bindStartAndSize(juce::ValueTree unitTree, const juce::String& prefix, double fontSize);
    // Any change of Start or Size, whoever made it.
    void valueChanged(juce::Value& value) override;

    // The start and size of the window as the panel holds them, truncated.
    int getStartValue() const;
    int getSizeValue() const;
    // The whole-number text of Start, Size, Min and Max.
    static juce::String wholeText(double value);

    // Called on every change of Start or Size; nothing while empty.
    std::function<void()> onStepRangeChanged;

    const int unitIndex;
    CenterDirButton dirButton;
    CenterPitchSeq_ClockPanel clockPanel;
    CenterPanel_Reset resetPanel;
    SEQ1CtrlPanel_StrtSizeBox startBox{true, false};
    SEQ1CtrlPanel_StrtSizeBox sizeBox{true, false};

protected:
    CenterSeq_CtrlPanel1Base(int unitIndex, float modPairWidthFactor);

    juce::Colour entry(int e) const { return colorTheme->entry(e, skinMode); }
    // Adds the five common widgets, in the order the kinds share.
    void addCommonWidgets(float modPairWidthFactor);
    // Direction, clock, Start and Size for the panel's skin.
    void recolourCommonWidgets();
    // The caption style of the kinds' labels.
    void setUpCaption(juce::Label& label, const juce::String& text, double fontSize);
    // The number-box style of Min, Max and the target controller.
    void setUpNumberBox(juce::Slider& box);

    ZuShared<ZuCLAF_Label2> captionLook;
    ZuShared<ZuParamAttacher> attacher;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterSeq_CtrlPanel1Base)
};
