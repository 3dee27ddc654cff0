// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModSyncPanel.h"

#include "LfoDrawParams.h"

ModSyncPanel::ModSyncPanel()
{
    addAndMakeVisible(clockType);
    clockType.setCenterPanelFlag();
    addAndMakeVisible(syncButton);
    syncButton.setButtonText("sync");
    syncButton.setLookAndFeel(&svgLook.get());
    syncButton.setClickingTogglesState(true);
    syncButton.setTooltip({});
    syncButton.getProperties().set("outlinecolor", colorTheme->entry(23, 0).toString());
    syncButton.getProperties().set("reducefactor", 0.1f);
    syncButton.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(19, 0));
    syncButton.setColour(juce::TextButton::buttonColourId, colorTheme->entry(56, 0));
    syncButton.setColour(juce::TextButton::textColourOffId, colorTheme->entry(20, 0));
    syncButton.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, 0));
    syncButton.onClick = [this] { syncButtonClicked(); };
}

ModSyncPanel::~ModSyncPanel()
{
    syncButton.getToggleStateValue().removeListener(this);
    syncButton.setLookAndFeel(nullptr);
}

void ModSyncPanel::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    attacher->attachToButton(tree, prefix + "csync", false, syncButton);
    clockType.setAttachment(tree, prefix);
    syncButton.getToggleStateValue().addListener(this);
    syncButtonClicked();
}

void ModSyncPanel::syncButtonClicked()
{
    clockType.setVisible(isSyncOn());
    if (auto* editor = findParentComponentOfClass<LfoEditorHooks>())
        editor->syncMenuChanged();
}

void ModSyncPanel::valueChanged(juce::Value&)
{
    clockType.setVisible(isSyncOn());
    if (auto* editor = findParentComponentOfClass<LfoEditorHooks>())
        editor->showRateKnobFor(isSyncOn());
}

void ModSyncPanel::setBaseColor(juce::Colour c)
{
    bgColour = colorTheme->entry(56, 1);
    syncButton.getProperties().set("outlinecolor", c.darker(0.9f).toString());
    syncButton.getProperties().set("focuscolor", c.toString());
    syncButton.setColour(juce::TextButton::buttonOnColourId, c);
    syncButton.setColour(juce::TextButton::buttonColourId, bgColour);
    syncButton.setColour(juce::TextButton::textColourOffId, c);
    syncButton.setColour(juce::TextButton::textColourOnId, bgColour);
    clockType.setBaseColor(c);
    clockType.setBgColor(bgColour);
}

void ModSyncPanel::resized()
{
    const auto b = getLocalBounds();
    const int w2 = std::max(0, b.getWidth() - 2), h2 = std::max(0, b.getHeight() - 2);
    const int dx = (int) (0.1 * w2), hs = std::min(h2, (int) (0.41 * h2));
    syncButton.setBounds(b.getX() + 1 + dx, b.getY() + 1, std::max(0, w2 - 2 * dx), hs);
    const int hc = std::min(hs, h2 - hs);
    clockType.setBounds(b.getX() + 1, b.getY() + 1 + h2 - hc, w2, hc);
}
