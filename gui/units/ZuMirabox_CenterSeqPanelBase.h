// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterPitchSeq_CtrlPanel2.h"
#include "CenterPitchSeq_StepLed.h"
#include "CenterSeq_CtrlPanel1Base.h"
#include "CenterSeq_StepUnitBase.h"
#include "SeqUnitModPanelMain.h"
#include "SnapButton.h"
#include "UnitBg.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuCenterUnitPanelCommon.h"
#include "ZuParamAttacher.h"

#include "ZuData.h"

#include <array>

// The editor panel of one parameter, CC or octave-transpose sequencer unit,
// inside the unit frame: 32 steps shown 16 at a time (the block page), two
// control pages (the kind's first page and the shared set-all and randomise
// page, switched by "R"), the snapshot column, the running-step light and
// the unit's modulation panel. The three kinds differ only in their Kind
// values, their step class and their first control page
// (ZuMirabox_CenterParamSeqPanel, ZuMirabox_CenterCcSeqPanel,
// ZuMirabox_CenterOctTpSeqPanel).
//
// The panel keeps no state of its own: the block page lives in the unit's
// data tree (key stem + "_page"), the control page and the header name in
// the GUI tree, power and snapshot in host parameters. Every display follows
// them whatever changed them. Steps outside the unit's play window (Start,
// Size) keep their values and dim.
//
// Message thread only.
class ZuMirabox_CenterSeqPanelBase : public ZuCenterUnitPanelCommon
{
public:
    ~ZuMirabox_CenterSeqPanelBase() override;

    // The frame's hooks.
    void resized() override;
    void valueChanged(juce::Value& value) override;
    void colorMapping() override;
    void setAttachments(juce::AudioProcessorValueTreeState& state) override;
    void onoffButtonStateChange(bool on) override;
    void updateDrawable() override;

    // Binds the control page, the steps and the block page to the unit's
    // data tree (the unit's child of "seqmain") with the unit prefix.
    void setAttachment(juce::ValueTree unitData, juce::String prefix);

    void stepPageButtonClicked();
    // Shows "Ctrl2" while "R" is on, "Ctrl1" otherwise.
    virtual void ctrlPageButtonClicked();
    // Marks the steps (start + k) mod 32, k < size, as inside the window;
    // start is 0-based, size is taken within 0..32.
    void setStepRange(int start, int size);
    void stepStrtSizeChanged();

    // Operations no running panel calls.
    void updateCurSnapIndex() { snapshotChanged(); }
    void targetParamChanged();

    CenterSeq_StepUnitBase& getStep(int k) const { return *stepUnits[(size_t) juce::jlimit(0, 31, k)]; }
    CenterSeq_CtrlPanel1Base& getCtrlPanel1() const noexcept { return *ctrlPanel1Page; }
    bool isMinimised() const { return minimizeButton.getToggleState(); }
    const juce::Path& getCtrlSeparator() const noexcept { return ctrlSeparator; }

protected:
    // What sets the kinds apart.
    struct Kind
    {
        int kind;
        juce::String shortName, longName;
        int colourEntry;
        int deepHeaderSingle;
        bool numberOnPowerButton;
        bool fullWidthLight;
        bool lightFollowsPower;
        int backgroundEntry;
    };

    ZuMirabox_CenterSeqPanelBase(const Kind& kind, int unitIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                                 juce::Colour unitColour, MirabelGlobalData& globalData, LfoData& lfoData);

    // stem + the unit number (index clamped to the kind's units).
    static juce::String numberedName(const char* stem, int kind, int index);
    template <typename Step> static std::array<CenterSeq_StepUnitBase*, 32> pointersTo(std::array<Step, 32>& steps)
    {
        std::array<CenterSeq_StepUnitBase*, 32> pointers{};
        for (size_t k = 0; k < steps.size(); ++k)
            pointers[k] = &steps[k];
        return pointers;
    }

    // Called last by each kind's constructor, once its page and steps exist.
    void finishConstruction(CenterSeq_CtrlPanel1Base& page, std::array<CenterSeq_StepUnitBase*, 32> steps);
    // Shows the control page that "R" chooses; the hidden page stays in the
    // panel (hidden), so its widgets keep following the trees.
    void applyCtrlPage();
    void refreshStepTexts();
    // The kind's step of binding host controls of its first page.
    virtual void bindPageHostControls(juce::AudioProcessorValueTreeState&) {}
    // The kind's end of host binding and of tree binding.
    virtual void afterHostBinding() {}
    virtual void afterTreeBinding() {}

    const Kind kindInfo;

private:
    ZuShared<ZuCLAF_PageButton2> pageButtonLook;
    ZuShared<ZuCLAF_DirButton> unusedDirLook;
    ZuShared<ZuCLAF_CtrlPageButton> ctrlPageButtonLook;
    ZuShared<ZuParamAttacher> attacher;

public:
    juce::TabbedComponent ctrlTabs{juce::TabbedButtonBar::TabsAtTop};
    CenterPitchSeq_CtrlPanel2 ctrlPanel2;
    CenterPitchSeq_StepLed stepLed;
    juce::TextButton stepPageButton;
    juce::TextButton ctrlPageButton;
    SeqUnitModPanelMain modPanel;
    juce::ValueTree guiState;

private:
    juce::Path ctrlSeparator;
    juce::Identifier controlPageKey;
    CenterSeq_CtrlPanel1Base* ctrlPanel1Page = nullptr;
    std::array<CenterSeq_StepUnitBase*, 32> stepUnits{};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterSeqPanelBase)
};
