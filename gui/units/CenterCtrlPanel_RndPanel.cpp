// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCtrlPanel_RndPanel.h"

#include "ZuEditorAccess.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

juce::StringArray CenterCtrlPanel_RndPanel::diceLabels(int type)
{
    switch (type)
    {
    case zu::units::pitch:
        return {"N", "O", "V", "G", "P", "S", "OO"};
    case zu::units::param:
    case zu::units::cc:
        return {"S", "P", "OO"};
    case zu::units::octTp:
        return {"TP", "O", "P", "OO"};
    default:
        return {};
    }
}

CenterCtrlPanel_RndPanel::CenterCtrlPanel_RndPanel(int type, int unitInstance, juce::ValueTree tree)
    : guiTree(tree), unitType(type), instance(unitInstance), stem(zu::units::editorKeyStem(type, unitInstance)),
      numDice(diceLabels(type).size())
{
    baseColor = colorTheme->entry(31, skinIndex);
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };

    const auto labels = diceLabels(unitType);
    for (int k = 1; k <= numDice; ++k)
    {
        auto& dice = diceUnits[(size_t) k - 1];
        addAndMakeVisible(dice);
        dice.setLabelTextAndParamIdAndTree(labels[k - 1], stem + "_rndrng" + juce::String(k), unitType, instance, k,
                                           guiTree);
    }

    addAndMakeVisible(diceAllButton);
    diceAllButton.setButtonText("dice");
    diceAllButton.setLookAndFeel(&diceLook.get());
    diceAllButton.setTooltip("Randomizes all step parameters except it locked");
    diceAllButton.getProperties().set("fontsize", 1.0);
    diceAllButton.getProperties().set("focuscolor", entry(CenterCtrlPanel_DiceUnit::kindEntryOf(unitType)).toString());
    diceAllButton.getProperties().set("labeltext", "All");
    diceAllButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffc0c0c0));
    diceAllButton.setColour(juce::TextButton::buttonColourId, entry(2));
    diceAllButton.setColour(juce::TextButton::textColourOffId, entry(40));
    diceAllButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffc0c0c0));
    diceAllButton.onClick = [this] { diceAllClicked(); };
}

CenterCtrlPanel_RndPanel::~CenterCtrlPanel_RndPanel()
{
    diceAllButton.setLookAndFeel(nullptr);
}

void CenterCtrlPanel_RndPanel::diceAllClicked()
{
    // Locked properties are skipped by the processor itself.
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        ZuEditorAccess(editor->processor).rndRstCenterSqParams(unitType, instance, 0, diceAllButton.rightClick);
}

void CenterCtrlPanel_RndPanel::setSkinMode(int skin)
{
    skinIndex = skin;
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };
    baseColor = entry(31);
    for (auto& dice : diceUnits)
        dice.setSkinMode(skin);
    diceAllButton.getProperties().set("focuscolor", CenterCtrlPanel_DiceUnit::unitColourOf(*this, unitType).toString());
    diceAllButton.getProperties().set("textcolor", entry(16).toString());
    diceAllButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffc0c0c0));
    diceAllButton.setColour(juce::TextButton::buttonColourId, baseColor);
    diceAllButton.setColour(juce::TextButton::textColourOffId, entry(40));
    diceAllButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffc0c0c0));
    repaint();
}

void CenterCtrlPanel_RndPanel::resized()
{
    auto area = getLocalBounds().reduced(juce::jmax(2, (int) (0.02 * getWidth())), 1);
    area.removeFromLeft(juce::jmin(2, area.getWidth()));

    const int u = (int) (0.12 * area.getWidth());
    const int x0 = area.getX() + (int) ((area.getWidth() - 7 - 8 * 0.12 * area.getWidth()) * 0.5);
    const int h85 = area.getHeight() - (int) (0.15 * area.getHeight());
    const int diceAllTop = area.getY() + (int) (0.19 * h85);
    diceAllButton.setBounds(x0, diceAllTop, juce::jmax(0, u - 1), area.getY() + h85 - diceAllTop);
    for (int i = 0; i < (int) diceUnits.size(); ++i)
        diceUnits[(size_t) i].setBounds(x0 + u + 3 + i * (u + 1), area.getY(), u, area.getHeight());
}
