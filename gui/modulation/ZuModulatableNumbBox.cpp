// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuModulatableNumbBox.h"

namespace
{
constexpr float arcStart = 4.08407021f; // 1.3 pi
constexpr float arcEnd = 8.48230076f;   // 2.7 pi
} // namespace

ZuModNumbBoxBase::ZuModNumbBoxBase(const juce::String& name, bool isVertical, float ratio)
    : knobRatio(ratio), vertical(isVertical), parameterId(name)
{
    addAndMakeVisible(numbBox);
    numbBox.setLookAndFeel(&boxLook0.get());
    numbBox.setName(name);
    numbBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    numbBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    numbBox.setRotaryParameters(arcStart, arcEnd, true);
    numbBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    numbBox.setColour(juce::TooltipWindow::backgroundColourId, juce::Colour(0x50ffffff));

    addAndMakeVisible(label);
    label.setLookAndFeel(&labelLook.get());
    label.setText(name, juce::dontSendNotification);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false, false, false);
}

ZuModNumbBoxBase::~ZuModNumbBoxBase()
{
    sliderAttachment.reset();
    numbBox.setLookAndFeel(nullptr);
    label.setLookAndFeel(nullptr);
}

void ZuModNumbBoxBase::attachBoxAndSlots(juce::AudioProcessorValueTreeState& state, const juce::String& id)
{
    sliderAttachment.reset();
    if (state.getParameter(id) != nullptr)
        sliderAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, id, numbBox);
    parameterId = id;
    for (int k = 1; k <= 2; ++k)
        slots[(size_t) (k - 1)].setAttachments(state, id + "_modsrc" + juce::String(k),
                                               id + "_moddep" + juce::String(k));
}

void ZuModNumbBoxBase::reset()
{
    numbBox.setValue(numbBox.getDoubleClickReturnValue(), juce::sendNotificationAsync);
    for (auto& slot : slots)
        slot.reset();
}

void ZuModNumbBoxBase::initKnobUnit(float value)
{
    numbBox.setValue(value, juce::sendNotification);
    for (auto& slot : slots)
        slot.reset();
}

void ZuModNumbBoxBase::setValue(int what, float value)
{
    if (what == 0)
        numbBox.setValue(value, juce::sendNotification);
    else if (what == 1 || what == 2)
        slots[(size_t) (what - 1)].setValue(value);
    else if (what == 3 || what == 4)
        slots[(size_t) (what - 3)].setSrcVal(value);
}

void ZuModNumbBoxBase::changeLnf(int index)
{
    if (index == 0)
        numbBox.setLookAndFeel(&boxLook0.get());
    else if (index == 1)
        numbBox.setLookAndFeel(&boxLook1.get());
}

void ZuModNumbBoxBase::setNumbBoxOutlineColor(juce::Colour colour)
{
    numbBox.setColour(juce::Slider::textBoxOutlineColourId, colour);
}

void ZuModNumbBoxBase::setTextColor(juce::Colour colour)
{
    numbBox.setColour(juce::Slider::textBoxTextColourId, colour);
}

void ZuModNumbBoxBase::setLabelTextColor(juce::Colour colour)
{
    label.setColour(juce::Label::textColourId, colour);
}

void ZuModNumbBoxBase::setBoxBgColor(juce::Colour colour)
{
    numbBox.setColour(juce::Slider::backgroundColourId, colour);
}

void ZuModNumbBoxBase::setBgColor(juce::Colour colour)
{
    bgColour = colour;
    numbBox.setColour(juce::Slider::backgroundColourId, colour);
    for (auto& slot : slots)
        slot.setBgColor(colour);
    repaint();
}

void ZuModNumbBoxBase::setModknobOutColor(juce::Colour colour)
{
    for (auto& slot : slots)
        slot.setOutlineColor(colour);
}

void ZuModNumbBoxBase::setModknobOutlineColor(juce::Colour colour)
{
    setModknobOutColor(colour);
}

void ZuModNumbBoxBase::layOut(bool labelOnTop, float labelFraction, float boxFraction)
{
    auto area = getLocalBounds();
    if (vertical)
    {
        if (labelOnTop)
            label.setBounds(area.removeFromTop(juce::jmax(0, (int) ((float) area.getHeight() * labelFraction) - 1)));
        numbBox.setBounds(area.removeFromTop((int) ((float) area.getHeight() * boxFraction)));
        const int side = juce::jmin(area.getHeight(), area.getWidth() / 2);
        const int gap = (area.getWidth() - 2 * side) / 3;
        for (int k = 0; k < 2; ++k)
            slots[(size_t) k].setBounds(area.getX() + gap + k * (side + gap), area.getY(), side, side);
        return;
    }
    auto column = area.removeFromRight((int) ((float) area.getWidth() * knobRatio));
    column = column.reduced((int) ((float) column.getWidth() * 0.15f), 0);
    const int side = juce::jmin(column.getWidth(), column.getHeight() / 2);
    for (int k = 0; k < 2; ++k)
        slots[(size_t) k].setBounds(column.getX(), column.getY() + k * (column.getHeight() / 2), side, side);
    label.setBounds(area.removeFromTop(juce::jmax(0, (int) ((float) area.getHeight() * 0.36f) - 1)));
    numbBox.setBounds(area);
}

ZuModulatableNumbBox::ZuModulatableNumbBox(juce::String name, bool onTop, bool isVertical, float ratio,
                                           bool withModKnobs)
    : ZuModNumbBoxBase(name, isVertical, ratio), labelOnTop(onTop)
{
    numbBox.setPopupMenuEnabled(true);
    numbBox.setRange(0.0, 1.0, 0.01);
    if (withModKnobs)
        for (auto& slot : slots)
        {
            addAndMakeVisible(slot);
            slot.setLnf(1);
        }
}

void ZuModulatableNumbBox::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    attachBoxAndSlots(state, id);
}

void ZuModulatableNumbBox::resized()
{
    resize_guiBounds();
}

void ZuModulatableNumbBox::resize_guiBounds()
{
    layOut(labelOnTop, 0.265f, 1.0f - knobRatio);
}
