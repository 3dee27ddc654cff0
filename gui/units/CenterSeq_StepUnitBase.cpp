// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterSeq_StepUnitBase.h"

#include "ZuUnitLayout.h"
#include "ZuUnitKindColours.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
const juce::Colour labelText{0xffcccccc};
const juce::Colour labelBackground{0xff1a1a1a};
const juce::Colour knobFill{0xffeaeae1};
const juce::Colour dimThumb{0xff303030};
const juce::Colour pairThumb{0xff3a3a3a};
const juce::Colour invisibleOutline{0x003f3f3f};
} // namespace

CenterSeq_StepUnitBase::CenterSeq_StepUnitBase(const Style& style) : kind(style.kind)
{
    baseColour = entry(2);
    const auto accent = entry(style.accentEntry);

    addAndMakeVisible(valueKnob);
    auto& knob = valueKnob.mainKnob;
    knob.setName(style.knobName);
    knob.setTooltip(style.knobTooltip);
    valueKnob.setBgColor(entry(2));
    valueKnob.setTextColor(juce::Colour(0xffa0a0a0));
    knob.setColour(juce::Slider::thumbColourId, entry(48).brighter(0.5f));
    for (int k = 0; k < valueKnob.numSlots; ++k)
        valueKnob.slots[(size_t) k].setOutlineColor(entry(35));
    valueKnob.modKnobRatio = 0.25f;
    valueKnob.layoutMode = 1;
    valueKnob.resized();
    knob.setLookAndFeel(&knobLook.get());
    knob.setColour(juce::Slider::rotarySliderOutlineColourId, theme->entry(48, 0).withAlpha(0.5f));
    knob.getProperties().set("fontface", "SemiBold");
    knob.getProperties().set("fontsize", 1.8);

    addAndMakeVisible(valueLabel);
    valueLabel.setLookAndFeel(&labelLook.get());
    valueLabel.setJustificationType(juce::Justification::centred);
    valueLabel.setEditable(false, false, false);
    valueLabel.setInterceptsMouseClicks(false, true);
    valueLabel.setText("0", juce::dontSendNotification);
    valueLabel.getProperties().set("bgcolor", labelBackground.toString());
    valueLabel.setColour(juce::Label::backgroundColourId, labelBackground);
    valueLabel.setColour(juce::Label::textColourId, labelText);
    valueLabel.getProperties().set("fontsize", style.labelFontSize);
    valueLabel.getProperties().set("fontface", style.labelFontFace);

    addAndMakeVisible(onOffButton);
    onOffButton.setButtonText({});
    onOffButton.setLookAndFeel(&toggleLook.get());
    onOffButton.setClickingTogglesState(true);
    onOffButton.setTooltip("Toggles the step on/off");
    onOffButton.getProperties().set("fontsize", 0.9);
    onOffButton.getProperties().set("bgcolor", entry(2).toString());
    onOffButton.getProperties().set("outlinecolor", entry(23).toString());
    onOffButton.setColour(juce::TextButton::buttonColourId, entry(2));
    onOffButton.setColour(juce::TextButton::buttonOnColourId, accent);
    onOffButton.setColour(juce::TextButton::textColourOffId, entry(22));
    onOffButton.setColour(juce::TextButton::textColourOnId, entry(21));

    addAndMakeVisible(lockButton);
    lockButton.setButtonText("lock");
    lockButton.setLookAndFeel(&lockLook.get());
    lockButton.setClickingTogglesState(true);
    lockButton.setTooltip("Locks the step values, when locked this step will ignore randomize action");
    lockButton.getProperties().set("outlinecolor", invisibleOutline.toString());
    lockButton.getProperties().set("focuscolor", accent.withAlpha(0.7f).toString());
    lockButton.getProperties().set("reducefactor", 0.05);
    lockButton.setColour(juce::TextButton::buttonColourId, entry(2));
    lockButton.setColour(juce::TextButton::buttonOnColourId, accent);
    lockButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff606060));
    lockButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));

    addAndMakeVisible(probBox);
    probBox.setLookAndFeel(&numbBoxLook.get());
    probBox.setName(style.probName);
    probBox.setTooltip("Sets the step trigger probability");
    probBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    setVelocityMode(probBox);
    probBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    probBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    probBox.getProperties().set("barflag", 1);
    probBox.getProperties().set("maxval", 100);
    probBox.getProperties().set("fontsize", style.probFontSize);
    probBox.setColour(juce::Slider::backgroundColourId, entry(2));
    probBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(2));
    probBox.setColour(juce::Slider::textBoxTextColourId, entry(38));
    probBox.setColour(juce::Slider::trackColourId, accent.withAlpha(0.2f));
    probBox.setColour(juce::Slider::textBoxOutlineColourId, entry(37));

    addAndMakeVisible(valueDragArea);
    valueDragArea.setName({});
    valueDragArea.setTooltip({});
    valueDragArea.setLookAndFeel(&transpLook.get());
    valueDragArea.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    setVelocityMode(valueDragArea);
    valueDragArea.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    valueDragArea.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    valueDragArea.getProperties().set("fontsize", 0.9);
    valueDragArea.setColour(juce::Slider::backgroundColourId, juce::Colours::transparentBlack);
    valueDragArea.setColour(juce::Slider::textBoxBackgroundColourId, entry(2));
    valueDragArea.setColour(juce::Slider::textBoxTextColourId, entry(38));
    valueDragArea.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
    valueDragArea.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    valueDragArea.toBack();

    for (auto* pair : {&onOffPair, &probPair})
    {
        addAndMakeVisible(*pair);
        pair->setBgColor(entry(2));
        pair->setThumbColor(pairThumb);
    }
}

CenterSeq_StepUnitBase::~CenterSeq_StepUnitBase()
{
    cancelPendingUpdate();
    valueKnob.mainKnob.getValueObject().removeListener(this);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&valueKnob.mainKnob, &valueLabel, &onOffButton,
                                                                      &lockButton, &probBox, &valueDragArea})
        c->setLookAndFeel(nullptr);
}

void CenterSeq_StepUnitBase::setVelocityMode(juce::Slider& slider) const
{
    slider.setVelocityModeParameters(
        1.0, 1, theme->velocityOffset, true,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
}

void CenterSeq_StepUnitBase::setStepIndex(int index)
{
    stepIndex = index;
}

void CenterSeq_StepUnitBase::setAttachment(juce::ValueTree unitTree, juce::String prefix, int index)
{
    stepIndex = index;
    const auto number = juce::String(index + 1);
    const auto key = [&prefix, &number](const char* name) { return prefix + name + number; };

    bindFirst(unitTree, prefix, index);

    const auto range = valueRange();
    valueKnob.setAttachment(unitTree, key(valueKey()), 0.0f, range);
    valueKnob.mainKnob.setName(number);
    setVelocityMode(valueKnob.mainKnob);
    valueKnob.mainKnob.getValueObject().addListener(this);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(key(valueKey())), 0.0f, range, valueDragArea);

    ZuParamAttacher::attachToButton(unitTree, juce::Identifier(key("slk")), false, lockButton);
    ZuParamAttacher::attachToButton(unitTree, juce::Identifier(key("spwr")), true, onOffButton);
    onOffPair.setAttachment(unitTree, key("spwr"));
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(key("prob")), 100.0f, {0.0, 100.0, 1.0}, probBox);
    probPair.setAttachment(unitTree, key("prob"));

    bindLast(unitTree, prefix, index);
}

void CenterSeq_StepUnitBase::valueChanged(juce::Value&)
{
    triggerAsyncUpdate();
}

void CenterSeq_StepUnitBase::handleAsyncUpdate()
{
    valueLabel.setText(valueText(), juce::dontSendNotification);
}

void CenterSeq_StepUnitBase::setSkinMode(int newSkin)
{
    skin = newSkin;
    baseColour = entry(31);
    if (const auto fromSettings = settingsColourOfKind(*this, kind))
        unitColour = *fromSettings;

    valueKnob.setBgColor(baseColour);
    for (int k = 0; k < valueKnob.numSlots; ++k)
        valueKnob.slots[(size_t) k].setOutlineColor(entry(35));
    auto& knob = valueKnob.mainKnob;
    knob.setColour(juce::Slider::rotarySliderOutlineColourId, unitColour.withAlpha(0.5f));
    knob.setColour(juce::Slider::textBoxBackgroundColourId, entry(34));

    if (usesBoxColour())
    {
        probBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
        onOffButton.setColour(juce::TextButton::buttonColourId, entry(39));
    }
    lockButton.getProperties().set("bgcolor", baseColour.toString());
    lockButton.getProperties().set("outlinecolor", invisibleOutline.toString());
    lockButton.getProperties().set("focuscolor", unitColour.withAlpha(0.7f).toString());
    lockButton.setColour(juce::TextButton::buttonColourId, baseColour);
    for (auto* pair : {&onOffPair, &probPair})
    {
        pair->setBgColor(baseColour);
        pair->setThumbColor(entry(35));
    }
    colourOwnControls();
    colourRangeState();
}

void CenterSeq_StepUnitBase::setStepRngState(bool inRange)
{
    inRangeFlag = inRange;
    colourRangeState();
}

void CenterSeq_StepUnitBase::colourRangeState()
{
    const bool in = inRangeFlag;
    const auto dim = [in](juce::Colour c, float amount) { return in ? c : c.darker(amount); };
    auto& knob = valueKnob.mainKnob;
    knob.setColour(juce::Slider::thumbColourId, in ? entry(33) : dimThumb);
    knob.setColour(juce::Slider::rotarySliderFillColourId, dim(knobFill, 0.9f));
    probBox.setColour(juce::Slider::trackColourId, unitColour.withAlpha(in ? 0.25f : 0.05f));
    probBox.setColour(juce::Slider::textBoxTextColourId, dim(entry(38), 0.7f));
    probBox.setColour(juce::Slider::textBoxOutlineColourId, dim(entry(37), 0.7f));
    lockButton.setColour(juce::TextButton::buttonOnColourId, dim(unitColour, 0.8f));
    onOffButton.getProperties().set("outlinecolor", dim(entry(23), 0.8f).toString());
    onOffButton.setColour(juce::TextButton::buttonOnColourId, dim(unitColour, 0.8f));
    valueLabel.setColour(juce::Label::textColourId, dim(labelText, 0.8f));
    colourOwnRangeState();
    repaint();
}

void CenterSeq_StepUnitBase::placeLabelRow(int x, int rowY, int width, int rowHeight, float insetFraction,
                                           float lockFactor)
{
    const int inset = T((float) width * insetFraction);
    const int rowX = x + inset;
    const int rowW = juce::jmax(0, width - 2 * inset);
    const int lockW = juce::jmin(rowW, T((float) rowHeight * lockFactor));
    lockButton.setBounds(box(rowX + rowW - lockW, rowY, lockW, rowHeight));
    const int left = rowW - lockW;
    const int gap = juce::jmin(2, left);
    const auto labelBox = box(rowX + 1, rowY, left - gap - 2, rowHeight);
    valueLabel.setBounds(labelBox);
    valueDragArea.setBounds(labelBox);
}

void CenterSeq_StepUnitBase::placeBottomRow(int x, int rowY, int W, int rowHeight)
{
    const int Wb = juce::jmax(0, W - 2);
    const int left = x + 1;
    const int D = T((float) Wb * 0.485f);
    const int onPairW = T((float) D * 0.41f);
    onOffPair.setBounds(box(left + D - onPairW, rowY, onPairW, rowHeight));
    onOffButton.setBounds(box(left, rowY, D - onPairW - 1, rowHeight));
    const int rightW = juce::jmin(Wb - D, D);
    const int rightX = left + Wb - rightW;
    const int probPairW = T((float) rightW * 0.41f);
    probPair.setBounds(box(rightX + rightW - probPairW, rowY, probPairW, rowHeight));
    probBox.setBounds(box(rightX, rowY, rightW - probPairW - 1, rowHeight));
}
