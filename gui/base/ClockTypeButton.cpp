// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClockTypeButton.h"

#include "ZuCenterUnitPanelBase.h"
#include "ZuRadioRow.h"
#include "ZuStyleProps.h"

namespace
{
const char* const tooltips[] = {"The clock becomes normal notes", "The clock becomes triplet notes",
                                "The clock becomes dotted notes"};
}

ClockTypeButton::ClockTypeButton(bool vertical) : verticalFlag(vertical)
{
    for (int i = 0; i < numTypes; ++i)
    {
        auto& b = buttons[(size_t) i];
        addAndMakeVisible(b);
        b.setRadioGroupId(1000);
        b.setLookAndFeel(&dirButtonLookAndFeel.get());
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, 1.0f);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
        b.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->selectorOnColor));
        b.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->selectorOffColor));
        b.setColour(juce::TextButton::textColourOffId, themeColour(colorTheme->selectorTextOffColor));
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
        b.setButtonText(buttonTexts[i]);
        b.getProperties().set(ZuStyle::index, i);
        b.onClick = [this, &b] { buttonClicked(&b); };
        b.setTooltip(tooltips[i]);
    }
    zu::radiorow::connectEdges(buttons, verticalFlag);
    zu::radiorow::prepareHiddenSlider(hiddenSlider, "ClockType");
}

ClockTypeButton::~ClockTypeButton()
{
    stopTimer(followTimer);
    hiddenSlider.getValueObject().removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void ClockTypeButton::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    const juce::Identifier id(prefix + "clktyp");
    attacher->attachToSlider(tree, id, 0.0f, juce::NormalisableRange<double>(0.0, 2.0, 1.0, 1.0), hiddenSlider);
    currentIndex = juce::jlimit(0, numTypes - 1, (int) hiddenSlider.getValue());
    buttons[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
    hiddenSlider.getValueObject().addListener(this);
}

void ClockTypeButton::setValue(float value)
{
    buttons[(size_t) juce::jlimit(0, numTypes - 1, (int) value)].setToggleState(true, juce::sendNotification);
}

void ClockTypeButton::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, currentIndex, hiddenSlider);
}

void ClockTypeButton::valueChanged(juce::Value&)
{
    startTimer(followTimer, followDelayMs);
}

void ClockTypeButton::sliderValueChanged(juce::Slider*)
{
    startTimer(followTimer, followDelayMs);
}

void ClockTypeButton::timerCallback(int)
{
    zu::radiorow::followSlider(hiddenSlider, currentIndex, buttons);
    stopTimer(followTimer);
}

void ClockTypeButton::colorMapping()
{
    panelColor = themeColour(colorTheme->unitBgColor);
    auto unitColour = themeColour(colorTheme->pitchUnitColor);
    if (const auto frameColour = enclosingUnitColour())
        unitColour = *frameColour;
    for (auto& b : buttons)
    {
        if (centerPanelFlag)
        {
            ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff707070));
            b.setColour(juce::TextButton::buttonOnColourId, unitColour);
            b.setColour(juce::TextButton::buttonColourId, panelColor);
            b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff959595));
        }
        else
        {
            ZuStyle::setColour(b, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
            b.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->selectorOnColor));
            b.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->selectorOffColor));
            b.setColour(juce::TextButton::textColourOffId, themeColour(colorTheme->selectorTextOffColor));
        }
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
    }
    repaint();
}

std::optional<juce::Colour> ClockTypeButton::enclosingUnitColour() const
{
    if (auto* frame = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        return frame->unitColor;
    return std::nullopt;
}

void ClockTypeButton::setCenterPanelFlag()
{
    centerPanelFlag = true;
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff454545));
        b.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->pitchUnitColor));
        b.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->unitAreaBgColor));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
    }
}

void ClockTypeButton::setBaseColor(const juce::Colour& c)
{
    baseColor = c;
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::outlinecolor, c.darker(0.5f));
        b.setColour(juce::TextButton::buttonOnColourId, c);
        b.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->unitAreaBgColor));
        b.setColour(juce::TextButton::textColourOffId, c);
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->unitAreaBgColor));
    }
}

void ClockTypeButton::setBgColor(juce::Colour c)
{
    panelColor = c;
    for (auto& b : buttons)
    {
        b.setColour(juce::TextButton::buttonColourId, c);
        b.setColour(juce::TextButton::textColourOnId, c);
    }
    repaint();
}

void ClockTypeButton::resized()
{
    const int w = juce::jmax(0, getWidth() - 2), h = juce::jmax(0, getHeight() - 2);
    if (!verticalFlag)
    {
        const int bw = (int) (0.315f * (float) w);
        const int firstX = 1 + (int) ((float) (w - 3 * bw - 4) * 0.5f);
        for (int i = 0; i < numTypes; ++i)
            buttons[(size_t) i].setBounds(firstX + i * (bw + 1), 1, bw, h);
    }
    else
    {
        const int bh = (int) (0.33f * (float) h);
        const int firstY = 1 + (int) ((float) (h - 3 * bh) * 0.5f);
        for (int i = 0; i < numTypes; ++i)
            buttons[(size_t) i].setBounds(1, firstY + i * bh, w, bh);
    }
}
