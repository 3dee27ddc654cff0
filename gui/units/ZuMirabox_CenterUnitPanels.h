// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SnapButton.h"
#include "UnitBg.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuMirabox_CenterCcSeqPanel.h"
#include "ZuMirabox_CenterOctTpSeqPanel.h"
#include "ZuMirabox_CenterParamSeqPanel.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"

// The five unit panels of the center column, one per unit kind. So far each
// holds what the shared widgets ask of it: the unit frame, its background
// and its snapshot selector, whose picks it keeps as the frame's
// currentSnapshot. Their step and control widgets come with their own panels.
class ZuMirabox_CenterUnitPanelShared : public ZuCenterUnitPanelBase
{
public:
    // kind 0 pitch .. 4 CC rack; index the instance within the kind.
    ZuMirabox_CenterUnitPanelShared(int kind, int index, bool expandable);
    ~ZuMirabox_CenterUnitPanelShared() override;

    // Takes the snapshot the selector shows (clamped to 0..7).
    void snapshotChanged();

    void setAttachments(juce::AudioProcessorValueTreeState& state) override;
    void parentHierarchyChanged() override;
    void updateDrawable() override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    SnapButton& getSnapButton() noexcept { return snapButton; }
    UnitBg& getUnitBg() noexcept { return unitBg; }

protected:
    UnitBg unitBg{juce::Colour(0xff000000)};
    SnapButton snapButton;

private:
    juce::Colour kindColour() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterUnitPanelShared)
};

class ZuMirabox_CenterCcRackPanel : public ZuMirabox_CenterUnitPanelShared
{
public:
    explicit ZuMirabox_CenterCcRackPanel(int index = 0) : ZuMirabox_CenterUnitPanelShared(4, index, false) {}
};
