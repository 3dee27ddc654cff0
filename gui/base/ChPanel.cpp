// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChPanel.h"

#include "ZuStyleProps.h"

#include "ZuConvert.h"

ChPanel::ChPanel()
{
    addAndMakeVisible(label);
    label.setLookAndFeel(&labelLookAndFeel.get());
    label.setText("CH", juce::dontSendNotification);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false);
    label.setColour(juce::Label::backgroundColourId, themeColour(colorTheme->panelBgColor));
    label.setColour(juce::Label::textColourId, juce::Colour(0xff303030));
    ZuStyle::setReal(label, ZuStyle::fontsize, 0.96f);
    label.getProperties().set(ZuStyle::fontface, "Medium");

    addAndMakeVisible(numberBox);
    numberBox.setName({});
    numberBox.setLookAndFeel(&numberBoxLookAndFeel.get());
    numberBox.setTooltip("Sets the output midi channel");
    numberBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    ZuStyle::setReal(numberBox, ZuStyle::fontsize, 0.73f);
    numberBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    numberBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    const auto panelBg = themeColour(colorTheme->panelBgColor);
    numberBox.setColour(juce::Slider::backgroundColourId, panelBg);
    numberBox.setColour(juce::Slider::textBoxBackgroundColourId, panelBg.brighter(0.05f));
    numberBox.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xff282828));
    numberBox.setColour(juce::Slider::trackColourId, themeColour(colorTheme->accentColor).withAlpha(0.4f));
    numberBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff202020));
}

ChPanel::~ChPanel()
{
    attachment.reset();
    label.setLookAndFeel(nullptr);
    numberBox.setLookAndFeel(nullptr);
}

juce::String ChPanel::channelText(double value)
{
    // A damaged value (NaN counts as 0) must not reach an undefined cast.
    const int channel = zu::toIntSaturating(value);
    return channel == 0 ? juce::String("M") : juce::String(channel);
}

void ChPanel::setTextFromValue()
{
    numberBox.textFromValueFunction = [](double v) { return channelText(v); };
    numberBox.updateText();
}

void ChPanel::setAttachment(juce::ValueTree tree, juce::String propertyID)
{
    attacher->attachToSlider(tree, juce::Identifier(propertyID), 0.0f,
                             juce::NormalisableRange<double>(0.0, 16.0, 1.0, 1.0), numberBox);
    setTextFromValue();
}

void ChPanel::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID)
{
    attachment.reset();
    attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, parameterID, numberBox);
    setTextFromValue();
}

void ChPanel::setCenterPanelFlag()
{
    centerPanelFlag = true;
    const auto areaBg = themeColour(colorTheme->unitAreaBgColor);
    label.setColour(juce::Label::backgroundColourId, areaBg);
    label.setColour(juce::Label::textColourId, themeColour(colorTheme->unitLabelTextColor));
    numberBox.setColour(juce::Slider::backgroundColourId, areaBg);
    numberBox.setColour(juce::Slider::textBoxBackgroundColourId, areaBg);
    numberBox.setColour(juce::Slider::textBoxTextColourId, themeColour(colorTheme->unitBoxTextColor));
    numberBox.setColour(juce::Slider::trackColourId, themeColour(colorTheme->accentColor).withAlpha(0.2f));
    numberBox.setColour(juce::Slider::textBoxOutlineColourId, themeColour(colorTheme->unitBoxOutlineColor));
}

void ChPanel::colorMapping()
{
    panelColor = themeColour(colorTheme->unitBgColor);
    label.setColour(juce::Label::backgroundColourId, panelColor);
    label.setColour(juce::Label::textColourId, themeColour(colorTheme->labelTextColor));
    ZuStyle::setColour(numberBox, ZuStyle::focuscolor, themeColour(colorTheme->boxFocusColor));
    numberBox.setColour(juce::Slider::backgroundColourId, panelColor);
    numberBox.setColour(juce::Slider::textBoxBackgroundColourId, themeColour(colorTheme->unitBoxBgColor));
    numberBox.setColour(juce::Slider::textBoxTextColourId, themeColour(colorTheme->boxTextColor));
    numberBox.setColour(juce::Slider::trackColourId, themeColour(colorTheme->accentColor).withAlpha(0.2f));
    numberBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff585858));
    repaint();
}

void ChPanel::resized()
{
    const int x = 2, y = 1;
    const int w = juce::jmax(0, getWidth() - 4), h = juce::jmax(0, getHeight() - 2);
    const int lh = juce::jmin((int) (0.45f * (float) h), h);
    label.setBounds(x, y, w, lh);
    const int g = juce::jmin(2, h - lh);
    const int mx = (int) (0.1f * (float) w);
    numberBox.setBounds(x + mx, y + lh + g, juce::jmax(0, w - 2 * mx), juce::jmax(0, h - lh - g));
}
