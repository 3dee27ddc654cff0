// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterCcRackPanel.h"

#include "ZuConvert.h"
#include "ZuUnitKindColours.h"
#include "ZuUnitLayout.h"
#include "ZuUnitPanelSupport.h"
#include "ZuUnits.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
int rackIndexOf(int index)
{
    return juce::jlimit(0, zu::units::unitsOfKind[zu::units::ccRack] - 1, index);
}
} // namespace

ZuMirabox_CenterCcRackPanel::ZuMirabox_CenterCcRackPanel(int index, juce::ValueTree gui, juce::ValueTree unitModTree,
                                                         juce::Colour colour, LfoData& lfoData)
    : ZuCenterUnitPanelCommon(colour, false), modPanel(unitModTree, lfoData, zu::units::ccRack, rackIndexOf(index)),
      guiState(gui)
{
    for (auto& knob : knobs)
        knob = std::make_unique<CenterCcRack_StepUnit>(*this);

    unitIndex = rackIndexOf(index);
    unitType = zu::units::ccRack;
    unitId = zu::units::unitIdOf(unitType, unitIndex);
    powerButton.getProperties().set("uniti", unitIndex);
    panelColor = colorTheme->entry(2, 0);

    unitColor = colorTheme->entry(50, 0);
    minimizedHeaderColor = colorTheme->single(3);
    headerColor = unitColor.darker(0.4f);
    nameLabel.setText("CC-Rack " + juce::String(unitIndex + 1), juce::dontSendNotification);
    zu::unitpanel::bindHeaderLabel(*this, guiState);

    addAndMakeVisible(snapButton);
    snapButton.setVerFlag();
    addChildComponent(modPanel);
    modPanel.setSeqTypeIndex(3);
    for (int k = 0; k < numKnobs; ++k)
    {
        addAndMakeVisible(getKnob(k));
        getKnob(k).setStepIndex(k);
    }
    colorMapping();
    addAndMakeVisible(unitBg);
    unitBg.toBack();
}

ZuMirabox_CenterCcRackPanel::~ZuMirabox_CenterCcRackPanel()
{
    stopTimer(copyTimer);
}

void ZuMirabox_CenterCcRackPanel::timerCallback(int timerId)
{
    if (timerId == copyTimer)
        stopTimer(copyTimer);
}

void ZuMirabox_CenterCcRackPanel::setAttachments(juce::AudioProcessorValueTreeState& state)
{
    const auto prefix = zu::units::unitPrefix(unitId);
    setPowerButtonAttach(state, prefix + "pwr");
    onoffButtonStateChange(powerButton.getToggleState());
    snapButton.setAttachment(unitId, state, prefix + "snp");
    for (int k = 0; k < numKnobs; ++k)
    {
        getKnob(k).setAttachment(state, guiState, unitIndex, k);
        getKnob(k).setSkinMode(skinMode);
    }
    snapshotChanged();
}

void ZuMirabox_CenterCcRackPanel::setAttachment(juce::ValueTree unitData, juce::String prefix)
{
    for (int k = 0; k < numKnobs; ++k)
    {
        getKnob(k).setAttachment(guiState, unitData, prefix, unitIndex, k);
        getKnob(k).setSkinMode(skinMode);
    }
    snapshotChanged();
}

void ZuMirabox_CenterCcRackPanel::onoffButtonStateChange(bool on)
{
    for (auto& knob : knobs)
        knob->setEnabled(on);
    snapButton.setEnabled(on);
    modPanel.setEnabled(on);
}

void ZuMirabox_CenterCcRackPanel::resized()
{
    resizeGlobalStuff();
    placeMenuButton();
    unitBg.setBounds(getLocalBounds());
    const bool minimised = minimizeButton.getToggleState();
    for (auto& knob : knobs)
        knob->setVisible(!minimised);
    snapButton.setVisible(!minimised);

    if (minimised)
    {
        modPanel.setVisible(false);
        updateDrawable();
        return;
    }
    const bool modShown = modButton.getToggleState();
    modPanel.setVisible(modShown);
    if (modShown)
        modPanel.setBounds(modArea);

    // The knobs, centred as a row in the step area.
    auto S = contentArea;
    S.removeFromTop(juce::jmin(S.getHeight(), juce::jlimit(2, 8, T((float) S.getHeight() * 0.05f))));
    const int w = S.getWidth(), h = S.getHeight();
    const float kwf = (float) juce::jmax(w - 4, 0) * 0.11f;
    const int kw = T(kwf);
    const float gf = (float) juce::jlimit(1, 12, T((float) w * 0.07f));
    const int step = kw + T(gf);
    const int x0 = T(((float) w - 8.0f * kwf - 7.0f * gf) * 0.5f) + T((float) S.getX() + 2.0f) + 2;
    for (int i = 0; i < numKnobs; ++i)
        getKnob(i).setBounds(box(x0 + i * step, S.getY() + 1, kw - 4, juce::jmax(h - 2, 0)));

    // The snapshot column at the right of the control area; the rest of it
    // stays empty.
    const auto K = nameArea;
    const int a = juce::jmin(K.getWidth(), T((float) K.getWidth() * 0.11f));
    const int kw2 = K.getWidth() - a;
    snapButton.setBounds(box(K.getX() + kw2, K.getY() + 2, a - juce::jmin(2, a), K.getHeight() - 4));
    snapSeparator.clear();
    snapSeparator.addRectangle((float) (K.getX() + kw2 - 2), (float) (K.getY() + 1), 1.0f,
                               (float) juce::jmax(0, K.getHeight() - 2));
    updateDrawable();
}

void ZuMirabox_CenterCcRackPanel::updateDrawable()
{
    zu::unitpanel::paintUnitBackground(unitBg, *this, panelColor, snapSeparator);
}

void ZuMirabox_CenterCcRackPanel::colorMapping()
{
    takeUnitColours(modPanel, 31);
    modPanel.setSkinMode(skinMode, unitColor);
    colourSnapshotColumn();
    for (auto& knob : knobs)
        knob->setSkinMode(skinMode);
    colorMappingGlobalStuff();
    updateDrawable();
    repaint();
}
