// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordPoolPanel.h"
#include "ChordUnitsMainPanel.h"
#include "EffectUnitPanelBae.h"
#include "ZuCLAF_MenuStripButtons.h"

#include <array>

// The chord set editor's menu strip: the ".chordset" files of the chord set
// folder (list, previous, next), the panel menu, Save and Save as.
class ChordEditMenuPanel : public EffectUnitPanelBae
{
    // Shares first: the buttons below go before it.
    ZuShared<ZuCLAF_ModOpenButton> buttonLook;

public:
    ChordEditMenuPanel();

    void paint(juce::Graphics& g) override;
    void resized() override;
    void initialize() override;
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override;
    void newPresetFolderPathIsSelected() override;
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName) override;

    // What the buttons do.
    void showMenu(bool filesOnly);
    void presetArrow(bool next);
    void saveClicked();
    void saveAsClicked();

    juce::TextButton presetButton, previousButton, nextButton, menuButton, saveButton, saveAsButton;

private:
    // Copies the processor's chord set folder into the panel (nothing
    // without an editor); true when an editor was found.
    bool takeFolderFromSettings();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordEditMenuPanel)
};

// The content of the floating chord window: menu strip, chord pool and the
// twelve chord units, saved and loaded together as a chord set file.
class ChordEditPanel : public EffectUnitPanelBae
{
public:
    ChordEditPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree paramTree);
    ~ChordEditPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;
    void initialize() override;
    // Applies a chord set tree to the units; the name is not used.
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override;
    void newPresetFolderPathIsSelected() override;
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName) override;

    ChordPoolPanel& getPool() noexcept { return pool; }
    ChordEditMenuPanel& getMenuPanel() noexcept { return menuPanel; }
    ChordUnitsMainPanel& getUnitsPanel() noexcept { return unitsPanel; }

private:
    juce::DrawableComposite drawables;
    juce::DrawablePath dividerLines, menuBackground, frameLines;
    juce::Rectangle<int> lastBounds;
    int menuHeight = 0;
    ChordPoolPanel pool;
    ChordEditMenuPanel menuPanel;
    ChordUnitsMainPanel unitsPanel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordEditPanel)
};
