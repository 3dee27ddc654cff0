// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuKern_TooltipPanel.h"

TooltipComponent::TooltipComponent(const juce::String& name, const juce::String& initialText)
    : juce::Label(name, initialText)
{
    if (juce::Desktop::getInstance().getMainMouseSource().canHover())
        startTimer(pollIntervalMs);
}

TooltipComponent::~TooltipComponent()
{
    stopTimer();
}

juce::String TooltipComponent::getTipFor(juce::Component* c)
{
    if (c == nullptr)
        return {};
    if (auto* client = dynamic_cast<juce::TooltipClient*>(c);
        client != nullptr && !c->isCurrentlyBlockedByAnotherModalComponent())
        return client->getTooltip();
    return {};
}

void TooltipComponent::timerCallback()
{
    auto source = juce::Desktop::getInstance().getMainMouseSource();
    auto* under = source.isMouse() ? source.getComponentUnderMouse() : nullptr;
    setText(getTipFor(under), juce::dontSendNotification);
}

ZuKern_TooltipPanel::ZuKern_TooltipPanel()
{
    const auto background = themeColour(colorTheme->mainBgColor);

    addAndMakeVisible(icon);
    icon.setLookAndFeel(&infoLookAndFeel.get());
    icon.setEditable(false, false, false);
    icon.setColour(juce::Label::backgroundColourId, background);
    icon.setColour(juce::Label::textColourId, juce::Colour(0xffafafaf));

    addAndMakeVisible(text);
    text.setLookAndFeel(&tooltipLookAndFeel.get());
    text.setJustificationType(juce::Justification::centredLeft);
    text.setColour(juce::Label::backgroundColourId, background);
    text.setColour(juce::Label::textColourId, juce::Colour(0xffd5d5d5));
}

ZuKern_TooltipPanel::~ZuKern_TooltipPanel()
{
    icon.setLookAndFeel(nullptr);
    text.setLookAndFeel(nullptr);
}

void ZuKern_TooltipPanel::resize_guiBounds()
{
    const auto area = getLocalBounds();
    const int f = (int) ((float) area.getHeight() * 0.13f);
    const int d = juce::jmax(area.getHeight() - 2 * f, 0);
    iconBounds = {area.getX() + f, area.getY() + f, d, d};
    textBounds = {area.getX() + f + d + (int) ((float) d * 0.7f), area.getY() + f,
                  juce::jmax((int) ((float) area.getWidth() * 0.68f), 0), d};
}

void ZuKern_TooltipPanel::resized()
{
    resize_guiBounds();
    icon.setBounds(iconBounds);
    text.setBounds(textBounds);
}
