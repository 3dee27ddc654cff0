// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCenterUnitPanelCommon.h"

#include "ZuConvert.h"
#include "ZuUnitKindColours.h"
#include "ZuUnitPanelSupport.h"

void ZuCenterUnitPanelCommon::paint(juce::Graphics& g)
{
    dDFocusPaint(g);
}

void ZuCenterUnitPanelCommon::initialize()
{
    zu::unitpanel::initializeFrame(*this);
}

void ZuCenterUnitPanelCommon::getPresetFolderPath()
{
    zu::unitpanel::copyPresetFolder(*this);
}

juce::XmlElement ZuCenterUnitPanelCommon::getXmlStateForSaveingPreset(const juce::String& name)
{
    return zu::unitpanel::unitPresetXml(*this, name);
}

int ZuCenterUnitPanelCommon::getCurSnapIndex()
{
    return juce::jlimit(0, 7, zu::toIntSaturating(snapButton.getHiddenSlider().getValue()));
}

void ZuCenterUnitPanelCommon::snapshotChanged()
{
    currentSnapshot = getCurSnapIndex();
}

void ZuCenterUnitPanelCommon::takeUnitColours(SeqUnitModPanelMain& modPanel, int backgroundEntry)
{
    if (const auto colour = settingsColourOfKind(*this, unitType))
    {
        unitColor = *colour;
        minimizedHeaderColor = unitColor.darker(0.6f);
        modPanel.setSkinMode(skinMode, unitColor);
        headerColor = unitColor.darker(0.4f);
    }
    panelColor = colorTheme->entry(31, skinMode);
    unitBg.setBackgroundColour(colorTheme->entry(backgroundEntry, skinMode));
    unitBg.repaint();
}

void ZuCenterUnitPanelCommon::colourSnapshotColumn()
{
    snapButton.setColor(panelColor, colorTheme->entry(37, skinMode), unitColor, panelColor, panelColor,
                        colorTheme->entry(36, skinMode), 1.05f);
}
