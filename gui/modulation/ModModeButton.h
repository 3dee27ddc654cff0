// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <array>

// The engine selector of a modulation slot: "LFO", "S&H" and "PLFO" stacked
// over a hidden slider bound to the slot's "engn". A change of the property
// lights its button 100 ms later and re-applies the slot editor's mode.
class ModModeButton : public ZuGuiBase
{
public:
    static constexpr int numEngines = 3;

    ModModeButton();
    ~ModModeButton() override;

    void setAttachment(juce::ValueTree slotTree, juce::String prefix);
    void buttonClicked(juce::Button* b) override;
    void sliderValueChanged(juce::Slider* s) override;
    void valueChanged(juce::Value& v) override;
    void timerCallback(int id) override;
    void setSkinMode(int skin) override;
    void resized() override;
    // The unit's colour where an editor encloses the selector, else colour.
    void setBaseColor(int unit, juce::Colour colour);
    using ZuGuiBase::setBaseColor;
    // Lights engine clamp(v, 0, 2) with notification.
    void setValue(float v);

    int getCurIndex() const noexcept { return curIndex; }
    double getStoredValue() const { return slider.getValue(); }
    MappableButton& getButton(int k) { return buttons[(size_t) k]; }
    juce::Slider& getHiddenSlider() noexcept { return slider; }

    static constexpr int unitKind[15] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 4, 3, 3};

private:
    ZuShared<ZuCLAF_DirButton> dirLook;
    ZuShared<ZuParamAttacher> attacher;
    int curIndex = 0;
    juce::Colour bgColour;
    juce::Slider slider;
    std::array<MappableButton, numEngines> buttons;
};
