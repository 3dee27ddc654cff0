// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCcRack_StepUnit.h"
#include "SeqUnitModPanelMain.h"
#include "SnapButton.h"
#include "UnitBg.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuCenterUnitPanelCommon.h"
#include "ZuParamAttacher.h"

#include "ZuData.h"

#include <array>
#include <memory>

// The editor panel of one CC rack (two instances, unit ids 14 and 15), in
// the unit frame: eight controller knobs in a row, the snapshot column and
// the rack's modulation panel. The rack has no steps, clock or pages.
//
// The rack's power switches the whole rack; each knob's own power switch is
// independent of it, so a rack switched back on shows every knob as its own
// switch says. Everything persistent lives in the rack's data tree ("ccrack1",
// "ccrack2" with prefix "p5m51_", "p5m52_"), the GUI tree (its header name)
// and two host parameters (power and snapshot).
//
// Message thread only.
class ZuMirabox_CenterCcRackPanel : public ZuCenterUnitPanelCommon
{
public:
    static constexpr int numKnobs = 8;
    static constexpr int copyTimer = 0;

    ZuMirabox_CenterCcRackPanel(int rackIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                                juce::Colour unitColour, LfoData& lfoData);
    ~ZuMirabox_CenterCcRackPanel() override;

    // The frame's hooks.
    void resized() override;
    // Timer 0 (started by a confirmed snapshot copy) only stops itself.
    void timerCallback(int timerId) override;
    void colorMapping() override;
    void setAttachments(juce::AudioProcessorValueTreeState& state) override;
    void onoffButtonStateChange(bool on) override;
    void updateDrawable() override;

    // Binds the eight knobs to the rack's data tree.
    void setAttachment(juce::ValueTree unitData, juce::String prefix);

    // Operations no running panel calls.
    void updateCurSnapIndex() { snapshotChanged(); }
    void stepPageButtonClicked() {}

    CenterCcRack_StepUnit& getKnob(int k) const { return *knobs[(size_t) juce::jlimit(0, numKnobs - 1, k)]; }
    const juce::Path& getSnapSeparator() const noexcept { return snapSeparator; }

private:
    ZuShared<ZuCLAF_PageButton> pageButtonLook;
    ZuShared<ZuCLAF_DirButton> unusedDirLook;
    ZuShared<ZuCLAF_CtrlPageButton> ctrlPageButtonLook;
    ZuShared<ZuParamAttacher> attacher;

public:
    std::array<std::unique_ptr<CenterCcRack_StepUnit>, numKnobs> knobs;

private:
    juce::Path snapSeparator;

public:
    SeqUnitModPanelMain modPanel;
    juce::ValueTree guiState;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterCcRackPanel)
};
