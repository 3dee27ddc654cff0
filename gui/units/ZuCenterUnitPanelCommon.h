// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SeqUnitModPanelMain.h"
#include "SnapButton.h"
#include "UnitBg.h"
#include "ZuCenterUnitPanelBase.h"

// What the parameter, CC, octave-transpose and CC rack panels answer alike
// to the unit frame: the drop highlight as their whole painting, initialise,
// the unit preset hooks, and the snapshot column that sets the frame's
// current snapshot. Message thread only.
class ZuCenterUnitPanelCommon : public ZuCenterUnitPanelBase
{
public:
    void paint(juce::Graphics& g) override;
    void initialize() override;
    void addLocalVtToParentVt(juce::ValueTree&) override {}
    void updateFxStateFromVt(const juce::ValueTree&) override {}
    void getPresetFolderPath() override;
    // The processor's unit preset tree of this unit, named name: the tree
    // the unit preset loader reads back, whichever save asks for it.
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& name) override;

    // The frame's current snapshot becomes the selector's, within 0..7.
    void snapshotChanged();
    int getCurSnapIndex();

    SnapButton& getSnapButton() noexcept { return snapButton; }
    UnitBg& getUnitBg() noexcept { return unitBg; }

    UnitBg unitBg{juce::Colour(0xff000000)};
    SnapButton snapButton;

protected:
    using ZuCenterUnitPanelBase::ZuCenterUnitPanelBase;

    // The first steps of every colour mapping: inside an editor the unit
    // colour of the settings and the header shades from it (the modulation
    // panel recoloured with it); the panel colour of the skin; the unit
    // background's fill (theme entry backgroundEntry).
    void takeUnitColours(SeqUnitModPanelMain& modPanel, int backgroundEntry);
    // The snapshot column in the panel and unit colours.
    void colourSnapshotColumn();
};
