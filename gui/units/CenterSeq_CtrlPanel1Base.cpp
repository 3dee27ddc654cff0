// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterSeq_CtrlPanel1Base.h"

#include "ZuConvert.h"

#include <cmath>

CenterSeq_CtrlPanel1Base::CenterSeq_CtrlPanel1Base(int index, float modPairWidthFactor) : unitIndex(index)
{
    baseColor = entry(2);
    addCommonWidgets(modPairWidthFactor);
}

CenterSeq_CtrlPanel1Base::~CenterSeq_CtrlPanel1Base()
{
    startBox.valueBox.getValueObject().removeListener(this);
    sizeBox.valueBox.getValueObject().removeListener(this);
}

void CenterSeq_CtrlPanel1Base::addCommonWidgets(float modPairWidthFactor)
{
    addAndMakeVisible(dirButton);
    addAndMakeVisible(clockPanel);
    for (auto* box : {&startBox, &sizeBox})
    {
        addAndMakeVisible(*box);
        box->modPairWidthFactor = modPairWidthFactor;
        box->resized();
    }
    addAndMakeVisible(resetPanel);
}

juce::String CenterSeq_CtrlPanel1Base::wholeText(double value)
{
    return juce::String(zu::toIntSaturating(zu::finiteOr(value, 0.0)));
}

void CenterSeq_CtrlPanel1Base::bindStartAndSize(juce::ValueTree unitTree, const juce::String& prefix, double fontSize)
{
    startBox.setAttachment(unitTree, prefix + "strt", 1.0f, {1.0, 32.0, 1.0});
    sizeBox.setAttachment(unitTree, prefix + "size", 16.0f, {1.0, 32.0, 1.0});
    startBox.valueBox.setName("Start");
    sizeBox.valueBox.setName("Size");
    for (auto* box : {&startBox, &sizeBox})
    {
        box->valueBox.getValueObject().removeListener(this);
        box->valueBox.getValueObject().addListener(this);
        box->valueBox.getProperties().set("fontsize", fontSize);
        box->valueBox.textFromValueFunction = [](double v) { return wholeText(v); };
        box->valueBox.updateText();
    }
}

void CenterSeq_CtrlPanel1Base::valueChanged(juce::Value&)
{
    if (onStepRangeChanged)
        onStepRangeChanged();
}

int CenterSeq_CtrlPanel1Base::getStartValue() const
{
    return zu::toIntSaturating(startBox.valueBox.getValue());
}

int CenterSeq_CtrlPanel1Base::getSizeValue() const
{
    return zu::toIntSaturating(sizeBox.valueBox.getValue());
}

void CenterSeq_CtrlPanel1Base::recolourCommonWidgets()
{
    dirButton.setSkinMode(skinMode);
    clockPanel.setSkinMode(skinMode);
    startBox.setSkinMode(skinMode);
    sizeBox.setSkinMode(skinMode);
}

void CenterSeq_CtrlPanel1Base::setUpCaption(juce::Label& label, const juce::String& text, double fontSize)
{
    addAndMakeVisible(label);
    label.setLookAndFeel(&captionLook.get());
    label.setText(text, juce::dontSendNotification);
    label.setJustificationType(juce::Justification::centred);
    label.getProperties().set("bgcolor", entry(2).toString());
    label.getProperties().set("fontsize", fontSize);
    label.setColour(juce::Label::textColourId, entry(36));
}

void CenterSeq_CtrlPanel1Base::setUpNumberBox(juce::Slider& box)
{
    addAndMakeVisible(box);
    box.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    box.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    box.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    box.setVelocityModeParameters(1.0, 1, colorTheme->velocityOffset, true,
                                  juce::ModifierKeys::ctrlAltCommandModifiers);
    box.setColour(juce::Slider::textBoxBackgroundColourId, entry(2));
    box.setColour(juce::Slider::textBoxTextColourId, entry(38));
    box.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
}
