// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMidiFxControls.h"

#include "ZuStyleProps.h"

namespace
{
using Attachment = juce::AudioProcessorValueTreeState::SliderAttachment;

void attach(std::unique_ptr<Attachment>& attachment, juce::AudioProcessorValueTreeState& state,
            const juce::String& parameterID, juce::Slider& slider)
{
    attachment.reset();
    attachment = std::make_unique<Attachment>(state, parameterID, slider);
}

void setWithNotification(juce::Slider& slider, int which, float value)
{
    if (which == 0)
        slider.setValue(value, juce::sendNotificationSync);
}
} // namespace

ZuMidiFxKnob::ZuMidiFxKnob() : ZuCenterUnitPanelBase(juce::Colours::red, false)
{
    makePanelKnob(knob, knobLookAndFeel.get(), "----", "FX Knob  :  ", false, nullptr);
    knob.getProperties().set("valDispFlag", 1);
    ZuStyle::setReal(knob, ZuStyle::fontsize, 0.8f);
    ZuStyle::setReal(knob, "fontsize2", 0.7f);
    ZuStyle::setReal(knob, "textyfactor", 0.9f);
    knob.setColour(juce::Slider::thumbColourId, juce::Colour(0xffb4b4b4));
    knob.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0x0000a1e9));
    knob.setColour(juce::Slider::trackColourId, juce::Colour(0x00e4007f));
}

ZuMidiFxKnob::~ZuMidiFxKnob()
{
    attachment.reset();
    knob.setLookAndFeel(nullptr);
}

void ZuMidiFxKnob::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    attach(attachment, state, id, knob);
    parameterID = id;
}

void ZuMidiFxKnob::setModValProp(int slot, double depth)
{
    knob.getProperties().set("Mod" + juce::String(slot + 1), (double) depthCurve->calcModDep((float) depth));
    knob.repaint();
}

void ZuMidiFxKnob::setModTrackColor(int slot, juce::Colour colour, int polarity)
{
    knob.getProperties().set("mod" + juce::String(slot + 1) + "trkcolor", colour.toString());
    knob.getProperties().set("polindex" + juce::String(slot + 1), polarity);
}

void ZuMidiFxKnob::setKnobVal(int which, float value)
{
    setWithNotification(knob, which, value);
}

void ZuMidiFxKnob::initKnobUnit(float value)
{
    knob.setValue(value, juce::sendNotificationSync);
}

void ZuMidiFxKnob::setTextColor(juce::Colour colour)
{
    knob.setColour(juce::Slider::textBoxTextColourId, colour);
}

void ZuMidiFxKnob::setBgColor(juce::Colour colour)
{
    bgColour = colour;
    knob.setColour(juce::Slider::backgroundColourId, colour);
    repaint();
}

void ZuMidiFxKnob::setTrkBgColor(juce::Colour colour)
{
    knob.setColour(juce::Slider::rotarySliderOutlineColourId, colour);
}

void ZuMidiFxKnob::resize_guiBounds()
{
    knobArea = getLocalBounds();
}

void ZuMidiFxKnob::resized()
{
    resize_guiBounds();
    knob.setBounds(knobArea);
}

//==============================================================================
ZuMidiFxNumbBox::ZuMidiFxNumbBox(juce::String boxName, bool withFlag, float) : flag(withFlag), name(boxName)
{
    addAndMakeVisible(numberBox);
    numberBox.setLookAndFeel(&lookAndFeel1.get());
    numberBox.setName(name);
    numberBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    numberBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    const float pi = juce::MathConstants<float>::pi;
    numberBox.setRotaryParameters(1.3f * pi, 2.7f * pi, true);
    numberBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    numberBox.setPopupMenuEnabled(true);
    numberBox.setRange(0.0, 1.0, 0.01);
    numberBox.setColour(juce::TooltipWindow::backgroundColourId, juce::Colour(0x50ffffff));

    addAndMakeVisible(label);
    label.setLookAndFeel(&labelLookAndFeel.get());
    label.setText(name, juce::dontSendNotification);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false);
}

ZuMidiFxNumbBox::~ZuMidiFxNumbBox()
{
    attachment.reset();
    numberBox.setLookAndFeel(nullptr);
    label.setLookAndFeel(nullptr);
}

void ZuMidiFxNumbBox::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    attach(attachment, state, id, numberBox);
    parameterID = id;
}

void ZuMidiFxNumbBox::reset()
{
    numberBox.setValue(numberBox.getDoubleClickReturnValue(), juce::sendNotificationAsync);
}

void ZuMidiFxNumbBox::setValue(int which, float value)
{
    setWithNotification(numberBox, which, value);
}

void ZuMidiFxNumbBox::initKnobUnit(float value)
{
    numberBox.setValue(value, juce::sendNotificationSync);
}

void ZuMidiFxNumbBox::changeLnf(int which)
{
    if (which == 0)
        numberBox.setLookAndFeel(&lookAndFeel1.get());
    else if (which == 1)
        numberBox.setLookAndFeel(&lookAndFeel2.get());
}

void ZuMidiFxNumbBox::setNumbBoxOutlineColor(juce::Colour colour)
{
    numberBox.setColour(juce::Slider::textBoxOutlineColourId, colour);
}

void ZuMidiFxNumbBox::setTextColor(juce::Colour colour)
{
    numberBox.setColour(juce::Slider::textBoxTextColourId, colour);
}

void ZuMidiFxNumbBox::setBgColor(juce::Colour colour)
{
    bgColour = colour;
    numberBox.setColour(juce::Slider::backgroundColourId, colour);
    repaint();
}

void ZuMidiFxNumbBox::setBoxBgColor(juce::Colour colour)
{
    numberBox.setColour(juce::Slider::backgroundColourId, colour);
}

void ZuMidiFxNumbBox::resize_guiBounds()
{
    const int W = getWidth(), H = getHeight();
    int h = 0;
    if (flag)
    {
        const int m = juce::jmin((int) (0.98f * (float) H), H);
        h = juce::jmax(0, m - juce::jmin(1, m) - 2);
    }
    else
    {
        h = juce::jmax(0, H - juce::jmin(2, H) - 2);
    }
    numberBox.setBounds(1, 1, juce::jmax(0, W - 2), h);
}
