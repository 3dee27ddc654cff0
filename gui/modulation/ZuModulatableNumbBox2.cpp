// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuModulatableNumbBox2.h"

#include <cmath>

namespace
{
const juce::Colour switchTextOn{0xff101010};
} // namespace

ZuModulatableNumbBox2::ZuModulatableNumbBox2(juce::String name, bool isVertical, float ratio)
    : ZuModNumbBoxBase(name, isVertical, ratio)
{
    numbBox.getProperties().set("barflag", 1);
    numbBox.getProperties().set("fontsize", 0.72);
    numbBox.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffcccccc));
    numbBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff000000));
    label.getProperties().set("fontface", "Medium");

    std::array<juce::Value*, 2> depths{&numbBox.value1, &numbBox.value2};
    for (size_t k = 0; k < slots.size(); ++k)
    {
        addAndMakeVisible(slots[k]);
        slots[k].setLnf(1);
        // The box repaints when a slot's depth changes.
        depths[k]->referTo(slots[k].amountKnob.getValueObject());
        depths[k]->addListener(&numbBox);
    }
}

ZuModulatableNumbBox2::~ZuModulatableNumbBox2()
{
    buttonAttachment.reset();
    numbBox.value1.removeListener(&numbBox);
    numbBox.value2.removeListener(&numbBox);
    if (curveButton != nullptr)
        curveButton->setLookAndFeel(nullptr);
}

void ZuModulatableNumbBox2::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    attachBoxAndSlots(state, id);
    buttonAttachment.reset();
    if (curveButton != nullptr && state.getParameter(id + "_exp") != nullptr)
        buttonAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(state, id + "_exp", *curveButton);
}

void ZuModulatableNumbBox2::setCurveButtonFlag()
{
    hasCurveButton = true;
    if (curveButton != nullptr)
        curveButton->setLookAndFeel(nullptr);
    buttonAttachment.reset();
    curveButton = std::make_unique<juce::TextButton>();
    addAndMakeVisible(*curveButton);
    curveButton->setButtonText("expcurve");
    curveButton->setLookAndFeel(&switchLook.get());
    curveButton->setClickingTogglesState(true);
    curveButton->setTooltip("Turn on this button, dry/wet control becomes an exponential increase. Use this for "
                            "subtle control");
    curveButton->getProperties().set("fontsize", 0.8);
    curveButton->setColour(juce::TextButton::textColourOnId, switchTextOn);
    curveButton->onClick = [this] { curveButtonClicked(); };
    curveButtonClicked();
    resize_guiBounds();
}

void ZuModulatableNumbBox2::curveButtonClicked()
{
    numbBox.textFromValueFunction = [this](double v) { return valueText(v); };
    numbBox.updateText();
    numbBox.repaint();
}

juce::String ZuModulatableNumbBox2::valueText(double v) const
{
    if (!hasCurveButton || curveButton == nullptr)
        return {};
    if (!curveButton->getToggleState())
    {
        const int f = juce::roundToInt(100.0 * v);
        return juce::String(100 - f) + " / " + juce::String(f);
    }
    const auto dry = std::floor(100.0f * kernTables->lookup(1, (float) (1.0 - v)));
    const auto wet = std::floor(100.0f * kernTables->lookup(12, (float) v));
    return juce::String((int) dry) + " / " + juce::String((int) wet);
}

void ZuModulatableNumbBox2::setBgColor(juce::Colour colour)
{
    ZuModNumbBoxBase::setBgColor(colour);
    if (curveButton != nullptr)
        curveButton->getProperties().set("bgcolor", colour.toString());
}

void ZuModulatableNumbBox2::colorMapping()
{
    numbBox.setColour(juce::TooltipWindow::backgroundColourId, juce::Colour(0x50ffffff));
    numbBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff000000));
    if (curveButton != nullptr)
    {
        curveButton->getProperties().set("bgcolor", bgColour.toString());
        curveButton->setColour(juce::TextButton::textColourOnId, switchTextOn);
    }
    repaint();
}

void ZuModulatableNumbBox2::resized()
{
    resize_guiBounds();
}

void ZuModulatableNumbBox2::resize_guiBounds()
{
    layOut(true, 0.265f, 0.6f);
    if (curveButton == nullptr)
        return;
    // The switch takes the right end of the label row, a pixel taller.
    auto row = label.getBounds();
    const int w = juce::jmin(getWidth(), (int) ((float) row.getHeight() * 1.5f));
    curveButton->setBounds(row.getRight() - w, row.getY(), w, row.getHeight() + 1);
    label.setBounds(row.withTrimmedRight(w));
}
