// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModModeButton.h"

#include "LfoDrawParams.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const char* const engineTexts[] = {"LFO", "S&H", "PLFO"};
const char* const engineTips[] = {"LFO engine", "Sample & Hold engine", "Probability LFO engine"};

void askSlotForMode(juce::Component& c)
{
    if (auto* slot = c.findParentComponentOfClass<ModSlotHooks>())
        slot->modeButtonClicked();
}
} // namespace

ModModeButton::ModModeButton()
{
    bgColour = colorTheme->entry(56, 0);
    slider.setName("ArpMode");
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    const int edges[] = {juce::Button::ConnectedOnBottom,
                         juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom, juce::Button::ConnectedOnTop};
    for (int k = 0; k < numEngines; ++k)
    {
        auto& b = buttons[(size_t) k];
        addAndMakeVisible(b);
        b.setRadioGroupId(1000);
        b.setClickingTogglesState(true);
        b.setLookAndFeel(&dirLook.get());
        b.getProperties().set("fontsize", 0.6f);
        b.getProperties().set("istextdisp", 1);
        b.getProperties().set("bgcolor", bgColour.toString());
        b.getProperties().set("index", k);
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffb0b0b0));
        b.setColour(juce::TextButton::buttonColourId, bgColour);
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
        b.setConnectedEdges(edges[k]);
        b.setButtonText(engineTexts[k]);
        b.setTooltip(engineTips[k]);
        b.addListener(this);
    }
}

ModModeButton::~ModModeButton()
{
    stopTimer(0);
    slider.getValueObject().removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void ModModeButton::setAttachment(juce::ValueTree slotTree, juce::String prefix)
{
    attacher->attachToSlider(slotTree, prefix + "engn", 0.0f, {0.0, 2.0, 1.0}, slider);
    slider.onValueChange = [this] { askSlotForMode(*this); };
    const double v = slider.getValue();
    curIndex = std::isfinite(v) ? juce::jlimit(0, numEngines - 1, (int) v) : 0;
    buttons[(size_t) curIndex].setToggleState(true, juce::dontSendNotification);
    slider.getValueObject().addListener(this);
    sliderValueChanged(&slider);
}

void ModModeButton::buttonClicked(juce::Button* b)
{
    if (b == nullptr || !b->getToggleState())
        return;
    const int idx = (int) b->getProperties().getWithDefault("index", 0);
    if (idx != curIndex && idx >= 0)
    {
        curIndex = idx;
        slider.setValue(idx, juce::sendNotificationAsync);
    }
}

void ModModeButton::sliderValueChanged(juce::Slider*)
{
    startTimer(0, 100);
}

void ModModeButton::valueChanged(juce::Value&)
{
    startTimer(0, 100);
}

void ModModeButton::timerCallback(int)
{
    stopTimer(0);
    const double stored = slider.getValue();
    if (std::isfinite(stored) && stored >= 0.0)
    {
        // A value past the last engine (a damaged snapshot) lights the last.
        const int v = juce::jmin(numEngines - 1, (int) stored);
        if (v != curIndex)
        {
            curIndex = v;
            buttons[(size_t) v].setToggleState(true, juce::dontSendNotification);
        }
    }
    askSlotForMode(*this);
}

void ModModeButton::setValue(float v)
{
    const int idx = std::isfinite(v) ? juce::jlimit(0, numEngines - 1, (int) v) : 0;
    buttons[(size_t) idx].setToggleState(true, juce::sendNotification);
}

void ModModeButton::setSkinMode(int skin)
{
    skinMode = skin;
    bgColour = colorTheme->entry(56, skin);
    for (auto& b : buttons)
    {
        b.getProperties().set("bgcolor", bgColour.toString());
        b.setColour(juce::TextButton::buttonColourId, bgColour);
    }
    repaint();
}

void ModModeButton::setBaseColor(int unit, juce::Colour colour)
{
    auto c = colour;
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const auto kind = (size_t) unitKind[juce::jlimit(0, 14, unit)];
        if (kind < editor->processor.unitColors.size())
            c = editor->processor.unitColors[kind];
    }
    const auto off = colorTheme->entry(56, 1);
    for (auto& b : buttons)
    {
        b.getProperties().set("outlinecolor", c.darker(0.5f).toString());
        b.setColour(juce::TextButton::buttonOnColourId, c);
        b.setColour(juce::TextButton::buttonColourId, off);
        b.setColour(juce::TextButton::textColourOffId, c.darker(0.2f));
        b.setColour(juce::TextButton::textColourOnId, off);
    }
}

void ModModeButton::resized()
{
    const int H = std::max(0, getHeight() - 2);
    const int c = (int) ((float) H * 0.33333334f);
    const int o = (int) ((H - 3 * c) * 0.5);
    for (int k = 0; k < numEngines; ++k)
        buttons[(size_t) k].setBounds(1, 1 + o + k * c, std::max(0, getWidth() - 2), c);
}
