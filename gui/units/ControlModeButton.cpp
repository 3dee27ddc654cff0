// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlModeButton.h"

#include "ZuCenterUnitPanelBase.h"
#include "ZuConvert.h"

ControlModeButton::ControlModeButton(ZuMirabox_CenterParamSeqPanel& owner) : ownerPanel(owner)
{
    hiddenSlider.setName("KnobType");
    hiddenSlider.setSliderStyle(juce::Slider::LinearHorizontal);
    hiddenSlider.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    hiddenSlider.setRange(0.0, 1.0, 1.0);
    hiddenSlider.addListener(this);

    const char* texts[] = {"Replace", "Modulate"};
    const char* tips[] = {"Target value will be replaced by a knob value",
                          "Target value will be modulated by a knob value"};
    for (int i = 0; i < 2; ++i)
    {
        auto& toggle = toggles[(size_t) i];
        addAndMakeVisible(toggle);
        toggle.setButtonText(texts[i]);
        toggle.setTooltip(tips[i]);
        toggle.setLookAndFeel(&toggleLook.get());
        toggle.setClickingTogglesState(true);
        toggle.setRadioGroupId(1000);
        toggle.getProperties().set("index", i);
        toggle.addListener(this);
    }
    toggles[0].setToggleState(true, juce::dontSendNotification);
}

ControlModeButton::~ControlModeButton()
{
    stopTimer(followTimer);
    attachment.reset();
    hiddenSlider.removeListener(this);
    for (auto& toggle : toggles)
    {
        toggle.removeListener(this);
        toggle.setLookAndFeel(nullptr);
    }
}

void ControlModeButton::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    attachment.reset();
    if (state.getParameter(id) != nullptr)
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, id, hiddenSlider);
    currentIndex = juce::jlimit(0, 1, zu::toIntSaturating(hiddenSlider.getValue()));
    toggles[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
    for (auto& toggle : toggles)
        toggle.paramId = id;
}

void ControlModeButton::setValue(float value)
{
    toggles[(size_t) juce::jlimit(0, 1, zu::toIntSaturating(value))].setToggleState(true, juce::sendNotification);
}

void ControlModeButton::buttonClicked(juce::Button* button)
{
    if (button == nullptr || !button->getToggleState())
        return;
    const int index = (int) button->getProperties()["index"];
    if (index == currentIndex)
        return;
    currentIndex = index;
    hiddenSlider.setValue(index, juce::sendNotification);
}

void ControlModeButton::sliderValueChanged(juce::Slider*)
{
    startTimer(followTimer, followDelayMs);
}

void ControlModeButton::timerCallback(int timerId)
{
    if (timerId != followTimer)
        return;
    stopTimer(followTimer);
    const int v = zu::toIntSaturating(hiddenSlider.getValue());
    if (v == currentIndex || v < 0 || v > 1)
        return;
    currentIndex = v;
    toggles[(size_t) v].setToggleState(true, juce::dontSendNotification);
}

void ControlModeButton::setSkinMode(int newSkin)
{
    skin = newSkin;
    auto on = theme->entry(47, skin);
    if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        on = unit->unitColor;
    for (auto& toggle : toggles)
    {
        toggle.getProperties().set("outlinecolor", theme->entry(37, skin).toString());
        toggle.setColour(juce::TextButton::buttonOnColourId, on);
        toggle.setColour(juce::TextButton::buttonColourId, theme->entry(2, skin));
        toggle.setColour(juce::TextButton::textColourOffId, theme->entry(20, skin));
        toggle.setColour(juce::TextButton::textColourOnId, theme->entry(21, skin));
    }
    repaint();
}

void ControlModeButton::resized()
{
    const int w = (int) (0.48f * (float) juce::jmax(0, getWidth() - 2));
    const int h = juce::jmax(0, getHeight() - 2);
    const int x0 = (getWidth() - (2 * w + 1)) / 2;
    toggles[0].setBounds(x0, 1, w, h);
    toggles[1].setBounds(x0 + w + 1, 1, w, h);
}
