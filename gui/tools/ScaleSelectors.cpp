// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleSelectors.h"

#include "ZuConvert.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"

namespace
{
int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

ScaleTwoWaySelector::ScaleTwoWaySelector(const Look& look)
{
    for (int i = 0; i < 2; ++i)
    {
        auto& b = buttons[(size_t) i];
        addAndMakeVisible(b);
        b.setRadioGroupId(radioGroup);
        b.setLookAndFeel(&buttonLook.get());
        zu::tools::noFocus(b);
        b.setClickingTogglesState(true);
        b.getProperties().set(ZuStyle::index, i);
        b.setButtonText(look.texts[(size_t) i]);
        b.setTooltip(look.tooltips[(size_t) i]);
        b.setConnectedEdges(look.connectedEdges[(size_t) i]);
        b.addListener(this);
    }
    slider.setName(look.sliderName);
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    slider.addListener(this);
}

ScaleTwoWaySelector::~ScaleTwoWaySelector()
{
    stopTimer(followTimer);
    attachment.reset();
    slider.removeListener(this);
    for (auto& b : buttons)
        b.removeListener(this);
}

void ScaleTwoWaySelector::setAttachment(juce::AudioProcessorValueTreeState& parameters, juce::String id)
{
    attachment.reset();
    attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(parameters, id, slider);
    currentIndex = juce::jlimit(0, 1, zu::toIntSaturating(slider.getValue()));
    buttons[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
    for (auto& b : buttons)
        b.paramId = id;
}

void ScaleTwoWaySelector::buttonClicked(juce::Button* button)
{
    if (button == nullptr || !button->getToggleState())
        return;
    const int v = (int) button->getProperties().getWithDefault(ZuStyle::index, 0);
    if (v != currentIndex && v >= 0)
    {
        currentIndex = v;
        slider.setValue(v, juce::sendNotificationSync);
    }
}

void ScaleTwoWaySelector::sliderValueChanged(juce::Slider*)
{
    startTimer(followTimer, followDelayMs);
}

void ScaleTwoWaySelector::timerCallback(int id)
{
    stopTimer(id);
    if (id != followTimer)
        return;
    const int v = zu::toIntSaturating(slider.getValue());
    if (v != currentIndex && v >= 0 && v <= 1)
    {
        currentIndex = v;
        buttons[(size_t) v].setToggleState(true, juce::dontSendNotification);
    }
}

void ScaleTwoWaySelector::setValue(float value)
{
    buttons[(size_t) juce::jlimit(0, 1, zu::toIntSaturating((double) value))].setToggleState(true,
                                                                                             juce::sendNotification);
}

void ScaleTwoWaySelector::colorMapping()
{
    baseColor = themeColour(colorTheme->panelBgColor);
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::bgcolor, baseColor);
        b.getProperties().set(ZuStyle::outlinecolor, "00000000");
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
        b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff212121));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff808080));
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
    }
    repaint();
}

void ScaleTwoWaySelector::paint(juce::Graphics& g)
{
    g.fillAll(baseColor);
}

ScaleModeButton::ScaleModeButton()
    : ScaleTwoWaySelector(
          {{"Type1", "Type2"}, {"", ""}, "KnobType", {juce::Button::ConnectedOnRight, juce::Button::ConnectedOnLeft}})
{
    baseColor = themeColour(colorTheme->unitAreaBgColor);
    for (auto& b : buttons)
        zu::tools::styleTargetToggle(b, *colorTheme, 0.88f, "SemiBold");
}

void ScaleModeButton::resized()
{
    const int w = juce::jmax(0, getWidth() - 2), h = juce::jmax(0, getHeight() - 2);
    const int bw = trunc(0.49f * (float) w);
    const int x0 = 1 + trunc((float) (w - 2 * bw - 1) * 0.5f);
    buttons[0].setBounds(x0, 1, bw, h);
    buttons[1].setBounds(x0 + bw + 1, 1, bw, h);
}

TpScaleOrderButton::TpScaleOrderButton()
    : ScaleTwoWaySelector({{"TP > Scale", "Scale > TP"},
                           {"Process order: transpose > scale. In this case, output midi notes will always in scale",
                            "Process order: scale > transpose. In this case, output midi notes cab be out of scale"},
                           "ArpMode",
                           {juce::Button::ConnectedOnBottom, juce::Button::ConnectedOnTop}})
{
    baseColor = themeColour(colorTheme->panelBgColor);
    for (auto& b : buttons)
    {
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.9f);
        ZuStyle::setColour(b, ZuStyle::bgcolor, baseColor);
        b.getProperties().set(ZuStyle::outlinecolor, "00000000");
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffb0b0b0));
        b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xffd0d0d0));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
    }
}

void TpScaleOrderButton::resized()
{
    const int w = juce::jmax(0, getWidth() - 2), h = juce::jmax(0, getHeight() - 2);
    const int bh = trunc(0.5f * (float) h);
    const int y0 = 1 + trunc((float) (h - 2 * bh) * 0.5f);
    buttons[0].setBounds(1, y0, w, bh);
    buttons[1].setBounds(1, y0 + bh, w, bh);
}
