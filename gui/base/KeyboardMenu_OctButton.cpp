// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardMenu_OctButton.h"

#include "KeyboardMenu_PopupWndw.h"
#include "ZuHostType.h"
#include "ZuRadioRow.h"
#include "ZuStyleProps.h"

KeyboardMenu_OctButton::KeyboardMenu_OctButton(juce::Colour colour)
{
    baseColor = colour;
    const int offset = zu::host::octaveCaptionOffset(zu::host::description());
    const auto popupBg = themeColour(colorTheme->popupBgColor);

    for (int i = 0; i < numOctaves; ++i)
    {
        auto& b = buttons[(size_t) i];
        addAndMakeVisible(b);
        b.setRadioGroupId(1000, juce::sendNotification);
        b.setLookAndFeel(&buttonLookAndFeel.get());
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.95f);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff454545));
        ZuStyle::setColour(b, ZuStyle::bgcolor, popupBg);
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffbbbbbb));
        b.setColour(juce::TextButton::buttonColourId, popupBg);
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa0a0a0));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff121212));
        b.setButtonText(juce::String(i + offset));
        b.getProperties().set(ZuStyle::index, i);
        b.onClick = [this, &b] { buttonClicked(&b); };
    }
    zu::radiorow::connectEdges(buttons, false);

    zu::radiorow::prepareHiddenSlider(slider, "ClockType");
    slider.addListener(this);
    slider.setRange(0.0, (double) maxOctave, 1.0);

    addAndMakeVisible(caption);
    caption.setLookAndFeel(&labelLookAndFeel.get());
    ZuStyle::setColour(caption, ZuStyle::bgcolor, popupBg);
    caption.setColour(juce::Label::backgroundColourId, popupBg);
    caption.setColour(juce::Label::textColourId, juce::Colour(0xff787878));
    caption.setJustificationType(juce::Justification::centred);
    ZuStyle::setReal(caption, ZuStyle::fontsize, 0.9f);
    caption.setText("Octave", juce::dontSendNotification);
}

KeyboardMenu_OctButton::~KeyboardMenu_OctButton()
{
    stopTimer(0);
    slider.removeListener(this);
    caption.setLookAndFeel(nullptr);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void KeyboardMenu_OctButton::buttonClicked(juce::Button* button)
{
    if (!zu::radiorow::selectFromClick(button, currentOctave, slider))
        return;

    if (auto* picker = findParentComponentOfClass<KeyboardMenu_PopupWndw>())
        picker->updateMenuSelectedIndex();
}

void KeyboardMenu_OctButton::sliderValueChanged(juce::Slider*)
{
    startTimer(0, 100);
}

void KeyboardMenu_OctButton::timerCallback(int)
{
    zu::radiorow::followSlider(slider, currentOctave, buttons);
    stopTimer(0);
}

void KeyboardMenu_OctButton::setOctShift(bool up)
{
    if (up && currentOctave <= maxOctave)
        buttons[(size_t) juce::jmin(currentOctave + 1, maxOctave)].setToggleState(true, juce::sendNotification);
    else if (!up && currentOctave > 0)
        buttons[(size_t) (currentOctave - 1)].setToggleState(true, juce::sendNotification);
}

void KeyboardMenu_OctButton::setValue(float value)
{
    const int i = juce::jlimit(0, maxOctave, (int) value);
    buttons[(size_t) i].setToggleState(true, juce::dontSendNotification);
    slider.setValue(i, juce::dontSendNotification);
    currentOctave = i;
}

void KeyboardMenu_OctButton::setTrkIndex(int)
{
    for (auto& b : buttons)
        b.setColour(juce::TextButton::buttonOnColourId, baseColor);
}

void KeyboardMenu_OctButton::paint(juce::Graphics& g)
{
    g.fillAll(themeColour(colorTheme->popupBgColor));
}

void KeyboardMenu_OctButton::resize_guiBounds()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY();
    auto inner = juce::Rectangle<int>(x + 1, y + 1, juce::jmax(b.getWidth() - 2, 0), juce::jmax(b.getHeight() - 2, 0));
    const int W = inner.getWidth();
    caption.setBounds(inner.removeFromTop(juce::jmin((int) ((float) inner.getHeight() * 0.39f), inner.getHeight())));
    inner.removeFromTop(juce::jmin(2, inner.getHeight()));
    const int bw = (int) ((float) W * 0.09f);
    const int firstX = x + 1 + (int) ((float) (W - numOctaves * bw) * 0.5f);
    for (int i = 0; i < numOctaves; ++i)
        buttons[(size_t) i].setBounds(firstX + i * bw, inner.getY(), bw, inner.getHeight());
}
