// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuGuiBase.h"

#include <juce_gui_extra/juce_gui_extra.h>

#include <array>

// A button that stands for one unit colour (its button colour) and edits it
// in a colour selector in a call-out on the desktop. Every change of the
// selector recolours the button and tells its page (command 1000). The
// call-out may outlive the editor: the button stops listening to it and
// closes it when the button goes. Message thread only.
class ColourChangeButton : public juce::TextButton, public juce::ChangeListener
{
public:
    static constexpr int colourChangedCommand = 1000;

    ColourChangeButton();
    ~ColourChangeButton() override;

    void clicked() override;
    void changeListenerCallback(juce::ChangeBroadcaster* source) override;

    // The open selector and its call-out, if any.
    juce::ColourSelector* getSelector() const noexcept { return selector.getComponent(); }
    juce::CallOutBox* getCallOut() const noexcept { return callOut.getComponent(); }

private:
    juce::Component::SafePointer<juce::ColourSelector> selector;
    juce::Component::SafePointer<juce::CallOutBox> callOut;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ColourChangeButton)
};

// The bottom area's "Color" page: the colours of the five unit kinds, kept in
// the user's settings ("color1".."color5"). A chosen colour is stored and
// saved at once, and the editor re-applies its skin 100 ms later so that
// every unit, selector and target shows it. Message thread only.
class ColorEditPanel : public ZuGuiBase
{
public:
    ColorEditPanel();
    ~ColorEditPanel() override;

    // The buttons take the enclosing editor's stored colours (nothing
    // outside an editor).
    void updateColor();
    void visibilityChanged() override;
    // Stores the buttons' colours (any command).
    void handleCommandMessage(int commandId) override;
    void resized() override;

    static constexpr int numColours = 5;
    static constexpr int skinDelayMs = 100;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    juce::DrawablePath background;

public:
    std::array<juce::Label, numColours> labels;
    std::array<ColourChangeButton, numColours> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ColorEditPanel)
};
