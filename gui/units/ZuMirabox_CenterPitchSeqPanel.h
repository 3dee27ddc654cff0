// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterPitchSeq_CtrlPanel1.h"
#include "CenterPitchSeq_CtrlPanel2.h"
#include "CenterPitchSeq_PageUnit.h"
#include "SeqUnitModPanelMain.h"
#include "SnapButton.h"
#include "UnitBg.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuParamAttacher.h"

#include "ZuData.h"

#include <array>
#include <functional>

// The editor panel of one pitch sequencer unit: its 32 steps on two pages of
// 16, the control pages, the snapshot column, the unit's modulation panel and
// the page, V/G/P and control-page toggles, inside the unit frame.
//
// Display toggles live in the trees (page and V/G/P in the unit's data tree,
// the control page in the GUI tree), so a reloaded state reopens the unit as
// it was left. The panel never edits steps itself: its widgets edit the
// unit's tree and whole-unit edits go through the processor's operations.
//
// Message thread only.
class ZuMirabox_CenterPitchSeqPanel : public ZuCenterUnitPanelBase
{
public:
    ZuMirabox_CenterPitchSeqPanel(int unitIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                                  juce::Colour unitColour, MirabelGlobalData& globalData, ScaleData& scaleData,
                                  ChordData& chordData, CtrPtchSqData& pitchData, LfoData& lfoData);
    ~ZuMirabox_CenterPitchSeqPanel() override;

    // The frame's hooks.
    void paint(juce::Graphics& g) override;
    void resized() override;
    void valueChanged(juce::Value& value) override;
    void colorMapping() override;
    void initialize() override;
    void setAttachments(juce::AudioProcessorValueTreeState& state) override;
    void scaleParamChanged() override;
    void chordParamChanged() override;
    void getPresetFolderPath() override;
    void onoffButtonStateChange(bool on) override;
    void updateDrawable() override;
    // The processor's unit preset tree of this unit, named name: the one tree
    // the unit preset loader reads, whichever save asks for it.
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& name) override;

    // Binds the steps, control panel 1 and the page and V/G/P toggles to the
    // unit's data tree; prefix is "p1m1" + n + "_".
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);

    void stepPageButtonClicked();
    void ctrlPageButtonClicked();
    void vgpButtonClicked();
    void relModeButtonClicked();
    void stepStrtSizeChanged();
    void snapshotChanged();

    bool isExpanded() const { return expandButton.getToggleState(); }
    bool isMinimised() const { return minimizeButton.getToggleState(); }
    // The unit's relative-pitch mode as its control page shows it.
    bool isRelativeMode() const;

    CenterPitchSeq_PageUnit& getPage(int p) { return p == 0 ? page1 : page2; }
    // Step 0..31.
    CenterPitchSeq_StepUnit& getStep(int step);
    SnapButton& getSnapButton() noexcept { return snapButton; }
    UnitBg& getUnitBg() noexcept { return background; }
    juce::TabbedComponent& getPageTabs() noexcept { return pageTabs; }
    SeqUnitModPanelMain& getModPanel() noexcept { return modPanel; }

private:
    void setUpToggle(juce::TextButton& button, const juce::String& text, const juce::String& tooltip,
                     juce::LookAndFeel& look);
    void applyToSteps(const std::function<void(CenterPitchSeq_StepUnit&)>& fn);
    void layoutStepArea(juce::Rectangle<int> area, bool expanded);
    void layoutControlArea(juce::Rectangle<int> area, bool expanded);
    void setNoteNames(CenterPitchSeq_StepUnit::NoteNames& names);
    bool isChordTarget() const;

    ZuShared<ZuCLAF_PageButton2> pageButtonLook;
    ZuShared<ZuCLAF_DirButton> vgpLook;
    ZuShared<ZuCLAF_CtrlPageButton> ctrlPageLook;
    ZuShared<ZuParamAttacher> attacher;
    bool laidOut = false;
    UnitBg background{juce::Colour(0xff000000)};

public:
    CenterPitchSeq_CtrlPanel1 ctrlPanel1;
    CenterPitchSeq_CtrlPanel2 ctrlPanel2;

private:
    juce::TabbedComponent pageTabs{juce::TabbedButtonBar::TabsAtTop};
    CenterPitchSeq_PageUnit page1, page2;

public:
    juce::TextButton stepPageButton, vgpButtonLeft, vgpButtonRight;

private:
    SnapButton snapButton;
    SeqUnitModPanelMain modPanel;
    juce::Path snapSeparatorPath;

public:
    juce::TextButton ctrlPageButton;

private:
    juce::Path ctrlSeparatorPath;
    juce::ValueTree guiTree;
    juce::ValueTree unitModTree;
    ScaleData& scaleData;
    ChordData& chordData;
    ZuShared<DispShareData> dispShare;
    // The unit's data tree once bound (the relative mode, Start and Size
    // the control page edits live there).
    juce::ValueTree unitTree;
    juce::String shortName, longName;
    juce::Colour darkUnitColor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterPitchSeqPanel)
};
