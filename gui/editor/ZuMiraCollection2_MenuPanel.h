// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_MenuStripButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"

// The top strip's menu bar: product label, version, Menu, the preset button
// (opens the preset menu and shows the preset name), previous and next, Save,
// Save As and the maker label. The buttons act through the editor they sit in;
// outside an editor they do nothing.
class ZuMiraCollection2_MenuPanel : public ZuGuiBase
{
public:
    explicit ZuMiraCollection2_MenuPanel(juce::ValueTree paramTree);
    ~ZuMiraCollection2_MenuPanel() override;

    void resized() override;
    void resize_guiBounds() override;
    void updateCompColor() override;
    // The save confirmation's answer: 0 saves over the current preset, 1 saves as new.
    void calloutBoxButtonIsClicked(int answer) override;
    void valueChanged(juce::Value& value) override;

    // The Save As button's bounds in the editor's coordinates (unchanged
    // outside an editor).
    void getSaveAsButtonPos(juce::Rectangle<int>& area);
    void setPresetButtonText(const juce::String& text) { presetButton.setButtonText(text); }

    // Asks "Overwrite existing file?" next to the Save button; false when no
    // editor could host the call-out.
    bool openSaveConfirmation();

    // The strip's buttons, left to right: product, version, Menu, preset,
    // previous, next, Save, Save As, maker.
    static constexpr int numButtons = 9;
    juce::TextButton& getButton(int index);

private:
    // Shares before the buttons they are given to.
    ZuShared<ZuCLAF_PresetButton> buttonLookAndFeel;
    ZuShared<ZuParamAttacher> attacher;
    juce::Rectangle<int> productArea, makerArea;
    juce::RectangleList<int> buttonRow;
    juce::Colour stripColour;

public:
    juce::TextButton versionButton, menuButton, presetButton, previousButton, nextButton, saveButton, saveAsButton,
        productLabel, makerLabel;

    // What the Save confirmation reads.
    static constexpr const char* saveQuestion = "Overwrite existing file?";

private:
    juce::Label presetNameLabel;

    void setUpButton(juce::TextButton& button, const juce::String& text, const juce::String& id,
                     const juce::String& tooltip, int connectedEdges);
    void buttonClicked(juce::Button* button) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMiraCollection2_MenuPanel)
};
