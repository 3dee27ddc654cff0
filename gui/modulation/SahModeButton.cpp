// SPDX-License-Identifier: GPL-3.0-or-later
#include "SahModeButton.h"

#include "LfoDrawParams.h"

SahModeButton::Style SahModeButton::sahStyle()
{
    const auto off = ZuShared<ZuMirabox_ColorTheme>()->entry(56, 1);
    return {{"Mode1", "Mode2"},
            {"No interpolation", "Linear interpolation"},
            0.99f,
            off,
            juce::Colour(0xffb0b0b0),
            juce::Colour(0xff909090),
            off};
}

SahModeButton::SahModeButton() : SahModeButton(sahStyle()) {}

SahModeButton::SahModeButton(const Style& style)
{
    offColour = colorTheme->entry(56, 1);
    slider.setName("ArpMode");
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    slider.addListener(this);
    for (int k = 0; k < 2; ++k)
    {
        auto& t = toggles[(size_t) k];
        addAndMakeVisible(t);
        t.setRadioGroupId(1000);
        t.setLookAndFeel(&dirLook.get());
        t.setClickingTogglesState(true);
        t.getProperties().set("fontsize", style.fontSize);
        t.getProperties().set("outlinecolor", juce::Colour(0xffffffff).toString());
        t.getProperties().set("index", k);
        t.setColour(juce::TextButton::buttonOnColourId, style.on);
        t.setColour(juce::TextButton::buttonColourId, style.off);
        t.setColour(juce::TextButton::textColourOffId, style.textOff);
        t.setColour(juce::TextButton::textColourOnId, style.textOn);
        t.setButtonText(style.texts[k]);
        t.addListener(this);
        t.setTooltip(style.tooltips[k]);
    }
    toggles[0].setConnectedEdges(juce::Button::ConnectedOnRight);
    toggles[1].setConnectedEdges(juce::Button::ConnectedOnLeft);
}

SahModeButton::~SahModeButton()
{
    stopTimer(0);
    hostAttachment.reset();
    for (auto& t : toggles)
        t.setLookAndFeel(nullptr);
}

void SahModeButton::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    attacher->attachToSlider(tree, prefix + "bsahm", 0.0f, {0.0, 1.0, 1.0}, slider);
    const double v = slider.getValue();
    curIndex = std::isfinite(v) ? juce::jlimit(0, 1, (int) v) : 0;
    toggles[(size_t) curIndex].setToggleState(true, juce::dontSendNotification);
    sliderValueChanged(&slider);
}

void SahModeButton::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId)
{
    if (state.getParameter(paramId) == nullptr)
        return;
    hostAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, paramId, slider);
    setValue((float) slider.getValue());
    for (auto& t : toggles)
        t.paramId = paramId;
}

void SahModeButton::setValue(float value)
{
    const int v = std::isfinite(value) ? juce::jlimit(0, 1, (int) value) : 0;
    toggles[(size_t) v].setToggleState(true, juce::sendNotification);
}

void SahModeButton::buttonClicked(juce::Button* b)
{
    if (b == nullptr || !b->getToggleState())
        return;
    const int v = (int) b->getProperties().getWithDefault("index", 0);
    if (v != curIndex && v >= 0)
    {
        curIndex = v;
        slider.setValue(v, juce::sendNotificationSync);
    }
}

void SahModeButton::sliderValueChanged(juce::Slider*)
{
    startTimer(0, 100);
}

void SahModeButton::timerCallback(int)
{
    stopTimer(0);
    const double stored = slider.getValue();
    if (!std::isfinite(stored) || stored < 0.0)
        return;
    // A stored value past the last toggle shows the last one.
    const int v = juce::jmin(1, (int) stored);
    if (v != curIndex)
    {
        curIndex = v;
        toggles[(size_t) v].setToggleState(true, juce::dontSendNotification);
    }
}

void SahModeButton::setBaseColor(const juce::Colour& c)
{
    for (auto& t : toggles)
    {
        t.getProperties().set("outlinecolor", c.darker(0.5f).toString());
        t.setColour(juce::TextButton::buttonOnColourId, c);
        t.setColour(juce::TextButton::textColourOffId, c.darker(0.3f));
    }
}

void SahModeButton::resized()
{
    const auto b = getLocalBounds();
    const int w2 = std::max(0, b.getWidth() - 2), bw = (int) (0.5 * w2);
    const int x0 = b.getX() + 1 + (int) ((w2 - 2 * bw) * 0.5), h2 = std::max(0, b.getHeight() - 2);
    toggles[0].setBounds(x0, b.getY() + 1, bw, h2);
    toggles[1].setBounds(x0 + bw, b.getY() + 1, bw, h2);
}

LfoSahButton::LfoSahButton()
    : SahModeButton(Style{{"LFO", "S&H"},
                          {"Selects the mod engine", "Selects the mod engine"},
                          0.9f,
                          ZuShared<ZuMirabox_ColorTheme>()->entry(2, 0),
                          juce::Colour(0xffb0b0b0),
                          juce::Colour(0xff909090),
                          juce::Colour(0xff000000)})
{
}

void LfoSahButton::buttonClicked(juce::Button* b)
{
    SahModeButton::buttonClicked(b);
    if (auto* editor = findParentComponentOfClass<LfoEditorHooks>())
        editor->modeButtonClicked();
}

void LfoSahButton::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId)
{
    SahModeButton::setAttachment(state, paramId);
    slider.onValueChange = [this]
    {
        if (auto* slot = findParentComponentOfClass<ModSlotHooks>())
            slot->modeButtonClicked();
    };
}
