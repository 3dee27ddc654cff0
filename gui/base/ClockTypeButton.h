// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <optional>

// Chooses how a unit's (or a modulation slot's) clock division is read:
// "N" normal, "T" triplet, "D" dotted notes. The choice is the tree property
// prefix + "clktyp" (0, 1, 2), mirrored by a hidden slider; the three radio
// buttons follow the property 100 ms after it changes, wherever the change
// came from.
class ClockTypeButton : public ZuGuiBase
{
public:
    static constexpr int numTypes = 3;
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;

    explicit ClockTypeButton(bool vertical);
    ~ClockTypeButton() override;

    void setAttachment(juce::ValueTree tree, juce::String prefix);
    void setAttachment(juce::AudioProcessorValueTreeState&, juce::String) {}

    // Colour variants. setBaseColor colours the buttons in one colour (a
    // modulation slot's), whichever overload is reached.
    void setBaseColor(const juce::Colour& colour);
    void setBaseColor(juce::Colour& colour) override { setBaseColor(static_cast<const juce::Colour&>(colour)); }
    void setBgColor(juce::Colour colour);
    void setCenterPanelFlag();
    void setValue(float value);

    void colorMapping() override;
    void buttonClicked(juce::Button* button) override;
    void timerCallback(int timerID) override;
    void valueChanged(juce::Value& value) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void resized() override;

    int getCurrentIndex() const noexcept { return currentIndex; }
    MappableButton& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, numTypes - 1, i)]; }
    juce::Slider& getHiddenSlider() noexcept { return hiddenSlider; }

private:
    // The colour of the unit frame this selector sits in, if any.
    std::optional<juce::Colour> enclosingUnitColour() const;

    ZuShared<ZuCLAF_DirButton> dirButtonLookAndFeel;
    ZuShared<ZuParamAttacher> attacher;
    bool verticalFlag;
    int currentIndex = 0;
    bool centerPanelFlag = false;
    juce::Slider hiddenSlider;
    std::array<MappableButton, numTypes> buttons;
    const juce::StringArray buttonTexts{"N", "T", "D"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ClockTypeButton)
};
