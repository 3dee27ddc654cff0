// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockTypeButton.h"
#include "ZuCLAF_IconButtons.h"

// The rate-sync block of a modulation slot: the sync switch ("csync") and,
// only while sync is on, the clock-type choice ("clktyp"). Either path that
// changes sync (a click or the property changing underneath) shows the
// matching rate knob in the enclosing LFO editor.
class ModSyncPanel : public juce::Component, public juce::Value::Listener
{
public:
    ModSyncPanel();
    ~ModSyncPanel() override;

    void setAttachment(juce::ValueTree tree, juce::String prefix);
    void syncButtonClicked();
    void valueChanged(juce::Value& v) override;
    void setBaseColor(juce::Colour c);
    void resized() override;

    bool isSyncOn() const { return syncButton.getToggleState(); }
    int getClockTypeIndex() const noexcept { return clockType.getCurrentIndex(); }
    // 0 while sync is off, else the clock type + 1.
    int getCurSyncIndex() const { return isSyncOn() ? getClockTypeIndex() + 1 : 0; }

    MappableButton& getSyncButton() noexcept { return syncButton; }
    ClockTypeButton& getClockTypeButton() noexcept { return clockType; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_SEQ1SvgButton> svgLook;
    ZuShared<ZuParamAttacher> attacher;
    juce::Colour bgColour{0xff000000};
    ClockTypeButton clockType{false};
    MappableButton syncButton;
};
