// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DraggableItemBase2.h"
#include "LfoPanel.h"
#include "ModModeButton.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"

class FloatUnitPanel;

// The narrow header of a slot editor: slot number, power switch ("pwr"),
// engine selector and the slot's drag handle, which a switched-off slot
// hides so that it cannot be dragged onto a target.
class ModMenuPanel : public juce::Component, public juce::Value::Listener
{
public:
    ModMenuPanel(FloatUnitPanel& owner, std::pair<int, int> unitAndSlot);
    ~ModMenuPanel() override;

    void setAttachment(juce::ValueTree slotTree, juce::String prefix);
    void powerButtonClicked();
    void valueChanged(juce::Value& v) override;
    void enablementChanged() override;
    void setSkinMode(int skin, juce::Colour unitColour);
    void setBaseColor(juce::Colour colour);
    void resized() override;

    // Prepends a unit head to the handle's text.
    void setDdIdHead(juce::String head);
    double getCurOnOffAndModeState(std::pair<bool, int>& state) const;

    bool isPowerOn() const { return powerButton.getToggleState(); }
    double getModeButtonValue() const { return modeButton.getStoredValue(); }

    juce::Label& getSlotLabel() noexcept { return slotLabel; }
    juce::TextButton& getPowerButton() noexcept { return powerButton; }
    ModModeButton& getModeButton() noexcept { return modeButton; }
    DraggableItemBase2& getHandle() noexcept { return handle; }

private:
    void applyHandleVisibility();

    ZuShared<ZuCLAF_PowerButton> powerLook;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    std::pair<int, int> unitAndSlot;
    juce::Colour bgColour;
    juce::Label slotLabel;
    juce::TextButton powerButton;
    ModModeButton modeButton;
    DraggableItemBase2 handle;
    FloatUnitPanel& owner;
};

// The editor of one modulation slot: its header and its LFO editor.
class FloatUnitPanel : public juce::Component, public ModSlotHooks
{
public:
    FloatUnitPanel(LfoData& data, std::pair<int, int> unitAndSlot);

    void setAttachment(juce::ValueTree slotTree, juce::String prefix);
    void setSkinMode(int skin, juce::Colour unitColour);
    void setBaseColor(juce::Colour colour);
    double getCurOnOffAndModeState(std::pair<bool, int>& state) const;
    std::pair<bool, int> getCurOnOffAndModeState() const override;
    void modeButtonClicked() override;
    void powerButtonClicked();
    void setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hoveredSource);
    void resized() override;

    ModMenuPanel& getHeader() noexcept { return header; }
    LfoPanel& getLfoPanel() noexcept { return lfoPanel; }
    juce::Colour getBgColour() const noexcept { return bgColour; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    int unit, slot;
    juce::Colour bgColour;
    ModMenuPanel header;
    LfoPanel lfoPanel;
};
