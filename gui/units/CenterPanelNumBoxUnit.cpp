// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPanelNumBoxUnit.h"

#include "ZuCenterUnitPanelBase.h"
#include "ZuStyleProps.h"

#include <cmath>

namespace
{
struct ParamKind
{
    const char* name;
    double maxValue;
    const char* tooltip;
};

const ParamKind paramKinds[] = {
    {"V", 127.0, "Sets the step velocity"},
    {"G", 100.0, "Sets the step gate value (0~100%)"},
    {"P", 100.0, "Sets the step trigger probability value (0~100%)"},
};
} // namespace

void shapeUnitNumberBox(juce::Slider& slider, juce::LookAndFeel& look, double velocityOffset)
{
    slider.setLookAndFeel(&look);
    slider.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    slider.setVelocityModeParameters(1.0, 1, velocityOffset, true, juce::ModifierKeys::ctrlAltCommandModifiers);
    slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
}

juce::String roundedDownText(double value)
{
    return juce::String(std::floor(value));
}

CenterPanelNumBoxUnit::CenterPanelNumBoxUnit()
{
    baseColor = entry(31);
    addAndMakeVisible(modKnob);
    modKnob.setBgColor(baseColor);
    modKnob.setThumbColor(juce::Colour(0xff3a3a3a));

    addAndMakeVisible(valueBox);
    valueBox.setName({});
    valueBox.setTooltip({});
    shapeUnitNumberBox(valueBox, lookAndFeel.get(), colorTheme->dragValue(0));
    valueBox.getProperties().set(ZuStyle::barflag, 1);
    ZuStyle::setReal(valueBox, ZuStyle::fontsize, 0.82f);
    valueBox.setColour(juce::Slider::backgroundColourId, baseColor);
    valueBox.setColour(juce::Slider::textBoxBackgroundColourId, baseColor);
    valueBox.setColour(juce::Slider::textBoxTextColourId, entry(38));
    valueBox.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
    valueBox.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
}

CenterPanelNumBoxUnit::~CenterPanelNumBoxUnit()
{
    valueBox.setLookAndFeel(nullptr);
}

void CenterPanelNumBoxUnit::setParamName(juce::String name)
{
    valueBox.setName(name);
    for (const auto& kind : paramKinds)
        if (name == kind.name)
        {
            valueBox.getProperties().set(ZuStyle::maxval, kind.maxValue);
            valueBox.setTooltip(kind.tooltip);
            valueBox.textFromValueFunction = roundedDownText;
            valueBox.updateText();
        }
}

void CenterPanelNumBoxUnit::setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                                          juce::NormalisableRange<double> range)
{
    attacher->attachToSlider(tree, juce::Identifier(id), defaultValue, range, valueBox);
    modKnob.setAttachment(tree, id);
}

void CenterPanelNumBoxUnit::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    unitColor = entry(47);
    if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        unitColor = unit->unitColor;
    modKnob.setBgColor(baseColor);
    modKnob.setThumbColor(entry(35));
    valueBox.setColour(juce::Slider::backgroundColourId, baseColor);
    valueBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
    valueBox.setColour(juce::Slider::textBoxHighlightColourId, unitColor.brighter(5.0f));
    applyRangeColours();
    repaint();
}

void CenterPanelNumBoxUnit::setStepRngState(bool stepInRange)
{
    inRange = stepInRange;
    applyRangeColours();
    repaint();
}

void CenterPanelNumBoxUnit::applyRangeColours()
{
    const auto dimmed = [this](juce::Colour c) { return inRange ? c : c.darker(0.7f); };
    valueBox.setColour(juce::Slider::textBoxTextColourId, dimmed(entry(38)));
    valueBox.setColour(juce::Slider::trackColourId, unitColor.withAlpha(inRange ? 0.25f : 0.05f));
    valueBox.setColour(juce::Slider::textBoxOutlineColourId, dimmed(entry(37)));
}

void CenterPanelNumBoxUnit::resized()
{
    const int w = juce::jmax(0, getWidth() - 1), H = getHeight();
    const int knobWidth = juce::jmin(w, knobColumnWidth);
    modKnob.setBounds(w - knobWidth, 0, knobWidth, H);
    valueBox.setBounds(0, 0, juce::jmax(0, w - knobWidth - 1), H);
}
