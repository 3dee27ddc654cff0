// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChordUnitsMainPanel.h"

#include "ZuToolsCommon.h"

ChordUnitsMainPanel::ChordUnitsMainPanel(juce::AudioProcessorValueTreeState&, juce::ValueTree paramTree)
{
    panelColor = colorTheme->chordBgColor;
    dividers.setFill(colorTheme->chordDarkColor);
    drawables.addAndMakeVisible(dividers);
    drawables.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(drawables);
    drawables.toBack();
    for (int i = 0; i < numUnits; ++i)
    {
        auto& unit = units[(size_t) i];
        addAndMakeVisible(unit);
        unit.setUnitIndexAndNoteStr(i, zu::tools::noteName(i), zu::tools::isWhiteKey(i));
        unit.setAttachments(paramTree);
    }
}

ChordUnitsMainPanel::~ChordUnitsMainPanel()
{
    drawables.removeAllChildren();
}

void ChordUnitsMainPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChordUnitsMainPanel::resized()
{
    const int iw = juce::jmax(getWidth() - 2, 0);
    const int ih = juce::jmax(getHeight() - 2, 0);
    const float c = 0.0833f * (float) iw;
    const float x0 = 1.0f + ((float) iw - 12.0f * c) / 2.0f;
    juce::Path lines;
    for (int i = 0; i < numUnits; ++i)
    {
        units[(size_t) i].setBounds(juce::roundToInt(x0 + (float) i * c) + 2, 3, juce::jmax(juce::roundToInt(c) - 4, 0),
                                    juce::jmax(ih - 4, 0));
        if (i < numUnits - 1)
            lines.addRectangle(x0 + (float) (i + 1) * c - 0.5f, 1.0f, 1.0f, (float) ih);
    }
    dividers.setPath(lines);
    drawables.setBounds(getLocalBounds());
}

void ChordUnitsMainPanel::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    dividers.setFill(colorTheme->chordDarkColor);
    for (auto& unit : units)
        unit.setSkinMode(skinMode);
    repaint();
}

void ChordUnitsMainPanel::initialize()
{
    for (auto& unit : units)
        unit.initialize();
}

void ChordUnitsMainPanel::getCurUnitsState(juce::ValueTree setTree)
{
    for (int i = 0; i < numUnits && i < setTree.getNumChildren(); ++i)
        units[(size_t) i].getCurState(setTree.getChild(i));
}

void ChordUnitsMainPanel::updateUnitsStateFromVt(juce::ValueTree setTree)
{
    for (int i = 0; i < numUnits && i < setTree.getNumChildren(); ++i)
        units[(size_t) i].updateStateFromVt(setTree.getChild(i));
}
