// SPDX-License-Identifier: GPL-3.0-or-later
#include "OscOctButton.h"

#include "ZuRadioRow.h"
#include "ZuStyleProps.h"

namespace
{
using Attachment = juce::AudioProcessorValueTreeState::SliderAttachment;

// The radio-button row both selectors share: look-and-feel, toggling,
// "fontsize" 0.8, its text and "index", connected edges, tooltip.
template <size_t N>
void buildRow(juce::Component& parent, std::array<MappableButton, N>& buttons, juce::LookAndFeel& lookAndFeel,
              const char* const (&texts)[N], const juce::String& tooltip, std::function<void(juce::Button*)> onClick)
{
    for (size_t i = 0; i < N; ++i)
    {
        auto& b = buttons[i];
        parent.addAndMakeVisible(b);
        b.setRadioGroupId(1000);
        b.setLookAndFeel(&lookAndFeel);
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.8f);
        b.setButtonText(texts[i]);
        b.getProperties().set(ZuStyle::index, (int) i);
        b.onClick = [onClick, &b] { onClick(&b); };
        b.setTooltip(tooltip);
    }
    zu::radiorow::connectEdges(buttons, false);
}

// Binds the hidden slider to the parameter (replacing an earlier binding)
// and lights the button it names.
template <size_t N>
void attachRow(std::unique_ptr<Attachment>& attachment, juce::AudioProcessorValueTreeState& state,
               const juce::String& parameterID, juce::Slider& slider, std::array<MappableButton, N>& buttons,
               int& current)
{
    attachment.reset();
    attachment = std::make_unique<Attachment>(state, parameterID, slider);
    for (auto& b : buttons)
        b.paramId = parameterID;
    current = juce::jlimit(0, (int) N - 1, (int) slider.getValue());
    buttons[(size_t) current].setToggleState(true, juce::dontSendNotification);
}

template <size_t N> void selectWithNotification(std::array<MappableButton, N>& buttons, float value)
{
    buttons[(size_t) juce::jlimit(0, (int) N - 1, (int) value)].setToggleState(true, juce::sendNotification);
}

const char* const octTexts[] = {"-2", "-1", "0", "+1", "+2"};
const char* const oct2Texts[] = {"0", "-1", "-2"};
} // namespace

OscOctButton::OscOctButton()
{
    buildRow(*this, buttons, lookAndFeel.get(), octTexts, "Controls the octave of the oscillator (-2 to +2)",
             [this](juce::Button* b) { buttonClicked(b); });
    zu::radiorow::prepareHiddenSlider(hiddenSlider, "ClockType");
    hiddenSlider.addListener(this);
}

OscOctButton::~OscOctButton()
{
    stopTimer(0);
    attachment.reset();
    hiddenSlider.removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void OscOctButton::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID)
{
    attachRow(attachment, state, parameterID, hiddenSlider, buttons, currentIndex);
}

void OscOctButton::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, currentIndex, hiddenSlider);
}

void OscOctButton::sliderValueChanged(juce::Slider*)
{
    startTimer(0, 100);
}

void OscOctButton::timerCallback(int)
{
    zu::radiorow::followSlider(hiddenSlider, currentIndex, buttons);
    stopTimer(0);
}

void OscOctButton::setValue(float value)
{
    selectWithNotification(buttons, value);
}

void OscOctButton::setSkinMode(int newSkin)
{
    skin = newSkin;
    repaint();
}

void OscOctButton::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff202020));
}

void OscOctButton::resized()
{
    const int w = juce::jmax(0, getWidth() - 6);
    const int bw = (int) (0.2f * (float) w);
    const int firstX = 3 + (int) ((float) (w - numButtons * bw) * 0.5f);
    for (int i = 0; i < numButtons; ++i)
        buttons[(size_t) i].setBounds(firstX + i * bw, 3, bw, juce::jmax(0, getHeight() - 6));
}

//==============================================================================
OscOctButton2::OscOctButton2()
{
    buildRow(*this, buttons, lookAndFeel.get(), oct2Texts, "Controls the octave of the oscillator (-2 to 0)",
             [this](juce::Button* b) { buttonClicked(b); });
    zu::radiorow::prepareHiddenSlider(hiddenSlider, "Osctave");
    hiddenSlider.addListener(this);
}

OscOctButton2::~OscOctButton2()
{
    stopTimer(0);
    attachment.reset();
    hiddenSlider.removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void OscOctButton2::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID)
{
    attachRow(attachment, state, parameterID, hiddenSlider, buttons, currentIndex);
}

void OscOctButton2::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, currentIndex, hiddenSlider);
}

void OscOctButton2::sliderValueChanged(juce::Slider*)
{
    startTimer(0, 100);
}

void OscOctButton2::timerCallback(int)
{
    zu::radiorow::followSlider(hiddenSlider, currentIndex, buttons);
    stopTimer(0);
}

void OscOctButton2::setValue(float value)
{
    selectWithNotification(buttons, value);
}

void OscOctButton2::paint(juce::Graphics& g)
{
    g.fillAll(bgColour);
}

void OscOctButton2::resized()
{
    const int w = juce::jmax(0, getWidth() - 2);
    const int bw = (int) (0.33f * (float) w);
    const int firstX = 1 + (int) ((float) (w - numButtons * bw) * 0.5f);
    for (int i = 0; i < numButtons; ++i)
        buttons[(size_t) i].setBounds(firstX + i * bw, 1, bw, juce::jmax(0, getHeight() - 2));
}

void OscOctButton2::setMasterButtonFlag()
{
    const char* const texts[] = {"---", "Osc1", "Osc2"};
    for (int i = 0; i < numButtons; ++i)
    {
        buttons[(size_t) i].setButtonText(texts[i]);
        buttons[(size_t) i].setTooltip("Sets the master oscillator");
    }
}

void OscOctButton2::setFontSize(float size)
{
    for (auto& b : buttons)
        ZuStyle::setReal(b, ZuStyle::fontsize, size);
}

void OscOctButton2::setBgColor(juce::Colour colour)
{
    bgColour = colour;
    for (auto& b : buttons)
        ZuStyle::setColour(b, ZuStyle::bgcolor, colour);
}

void OscOctButton2::setOutlineColor(juce::Colour colour)
{
    for (auto& b : buttons)
        ZuStyle::setColour(b, ZuStyle::outlinecolor, colour);
}

void OscOctButton2::setFocusColor(juce::Colour colour)
{
    for (auto& b : buttons)
        ZuStyle::setColour(b, ZuStyle::focuscolor, colour);
}

void OscOctButton2::setButtonColour(int colourId, juce::Colour colour)
{
    for (auto& b : buttons)
        b.setColour(colourId, colour);
}

void OscOctButton2::setButtonOffColor(juce::Colour colour)
{
    setButtonColour(juce::TextButton::buttonColourId, colour);
}

void OscOctButton2::setButtonOnColor(juce::Colour colour)
{
    setButtonColour(juce::TextButton::buttonOnColourId, colour);
}

void OscOctButton2::setTextOffColor(juce::Colour colour)
{
    setButtonColour(juce::TextButton::textColourOffId, colour);
}

void OscOctButton2::setTextOnColor(juce::Colour colour)
{
    setButtonColour(juce::TextButton::textColourOnId, colour);
}
