// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterParamSeq_StepUnit.h"

#include "ZuUnitLayout.h"
#include "ZuConvert.h"
#include "ZuUnits.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
const juce::Colour menuText{0xffc3c3c3};
const juce::Colour menuArrow{0xffa0a0a0};
const juce::Colour menuOutline{0xff505050};
const juce::Colour menuOutlineSkinned{0xff606060};
} // namespace

const std::array<double, CenterParamSeq_StepUnit::numEvents> CenterParamSeq_StepUnit::eventIntervals{
    0.0, 0.2, 0.034, 0.034, 0.166666666, 0.041666666, 0.083333333, 0.25, 0.0078125, 0.01, 0.01, 1.0,
    1.0, 1.0, 0.0,   0.0,   0.0,         0.0,         0.0,         0.0,  0.0,       0.0,  0.0,  0.0};

const std::array<const char*, CenterParamSeq_StepUnit::numEvents> CenterParamSeq_StepUnit::eventNames{
    "None",     "Direction", "Start",    "Size",     "Octave",   "TP",       "S-Pitch",  "S-Oct",
    "S-Velo",   "S-Gate",    "S-Prob",   "S-Slur",   "S-OnOff",  "ReStrt",   "--------", "--------",
    "--------", "--------",  "--------", "--------", "--------", "--------", "--------", "--------"};

CenterParamSeq_StepUnit::CenterParamSeq_StepUnit()
    : CenterSeq_StepUnitBase({zu::units::param, 48, "Pitch", "Sets the step value", 1.0, "SemiBold", "", 0.89})
{
    addAndMakeVisible(eventMenu);
    eventMenu.setLookAndFeel(&menuLook.get());
    eventMenu.getProperties().set("corner", 1);
    eventMenu.getProperties().set("fontsize", 0.62);
    eventMenu.getProperties().set("bgcolor", entry(2).toString());
    eventMenu.setColour(juce::ComboBox::backgroundColourId, entry(2));
    eventMenu.setColour(juce::ComboBox::outlineColourId, menuOutline);
    eventMenu.setColour(juce::ComboBox::textColourId, menuText);
    eventMenu.setColour(juce::ComboBox::arrowColourId, menuArrow);
    eventMenu.setTextWhenNothingSelected("None");
    eventMenu.setTooltip("Sets the target parameter of this step");
    for (int i = 0; i < numEvents; ++i)
        eventMenu.addItem(eventNames[(size_t) i], i + 1);
    getLabelValue(valueLabel);
}

CenterParamSeq_StepUnit::~CenterParamSeq_StepUnit()
{
    boundTree.removeListener(this);
    eventMenu.setLookAndFeel(nullptr);
}

void CenterParamSeq_StepUnit::bindLast(juce::ValueTree& unitTree, const juce::String& prefix, int index)
{
    boundTree.removeListener(this);
    eventKey = juce::Identifier(prefix + "emenu" + juce::String(index + 1));
    ZuParamAttacher::attachToComboBox(unitTree, eventKey, 1, eventMenu);
    eventMenu.onChange = [this]
    {
        eventMenuChanged();
        triggerAsyncUpdate();
    };
    boundTree = unitTree;
    boundTree.addListener(this);
    eventMenuChanged();
    getLabelValue(valueLabel);
}

void CenterParamSeq_StepUnit::valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property)
{
    // The grid follows the stored event at once: a value stored with the
    // event then arrives in the knob under the grid it belongs to.
    if (property == eventKey && tree == boundTree)
        eventMenuChanged();
}

int CenterParamSeq_StepUnit::storedEventIndex() const
{
    // The menu shows the property a moment after it changed; the tree has it
    // at once.
    if (!boundTree.isValid())
        return eventMenu.getSelectedItemIndex();
    const int id = zu::readIntProperty(boundTree, eventKey, 0);
    return id >= 1 && id <= numEvents ? id - 1 : -1;
}

void CenterParamSeq_StepUnit::eventMenuChanged()
{
    const int i = juce::jlimit(0, numEvents - 1, storedEventIndex());
    const auto interval = eventIntervals[(size_t) i];
    for (juce::Slider* slider : {(juce::Slider*) &valueKnob.mainKnob, &valueDragArea})
        slider->setNormalisableRange(juce::NormalisableRange<double>(0.0, 1.0, interval));
}

juce::String CenterParamSeq_StepUnit::valueText() const
{
    const int i = storedEventIndex();
    if (i <= 0)
        return {};
    return dispShare->getParamSeqString(i, false, (float) valueKnob.mainKnob.getValue());
}

void CenterParamSeq_StepUnit::getLabelValue(juce::Label& label)
{
    label.setText(valueText(), juce::dontSendNotification);
}

void CenterParamSeq_StepUnit::handleAsyncUpdate()
{
    getLabelValue(valueLabel);
}

void CenterParamSeq_StepUnit::setRelMode(bool relative)
{
    relativeMode = relative;
    getLabelValue(valueLabel);
}

void CenterParamSeq_StepUnit::modeButtonClicked()
{
    getLabelValue(valueLabel);
}

void CenterParamSeq_StepUnit::setAttachment(juce::AudioProcessorValueTreeState& state, int unitIndex, int index)
{
    const auto id = [unitIndex, index](const char* key)
    { return "p2_prmsq" + juce::String(unitIndex + 1) + "_" + key + juce::String(index + 1); };
    attachIfPresent(knobHostAttachment, state, id("sval"), valueKnob.mainKnob);
    attachIfPresent(powerHostAttachment, state, id("spwr"), onOffButton);
    attachIfPresent(lockHostAttachment, state, id("slk"), lockButton);
    attachIfPresent(eventHostAttachment, state, id("emenu"), eventMenu);
    attachIfPresent(probHostAttachment, state, id("prob"), probBox);
    getLabelValue(valueLabel);
}

void CenterParamSeq_StepUnit::colourOwnControls()
{
    eventMenu.getProperties().set("bgcolor", baseColour.toString());
    eventMenu.setColour(juce::ComboBox::backgroundColourId, baseColour.darker(0.2f));
}

void CenterParamSeq_StepUnit::colourOwnRangeState()
{
    const bool in = inRangeFlag;
    eventMenu.setColour(juce::ComboBox::outlineColourId, in ? menuOutlineSkinned : menuOutlineSkinned.darker(0.8f));
    eventMenu.setColour(juce::ComboBox::textColourId, in ? menuText : menuText.darker(0.7f));
    eventMenu.setColour(juce::ComboBox::arrowColourId, in ? menuArrow : menuArrow.darker(0.7f));
}

void CenterParamSeq_StepUnit::resized()
{
    const int W = getWidth(), H = getHeight();
    const int m = juce::jmax(1, T((float) W * 0.025f));
    const int ix = m, iw = juce::jmax(0, W - 2 * m);
    zu::unitlayout::TopCut cut{1, juce::jmax(0, H - 2)};

    const auto [menuY, menuH] = cut.take(0.19f);
    eventMenu.setBounds(box(ix, menuY, iw, menuH));
    cut.skip(2);
    const auto [knobY, knobH] = cut.take(0.54f);
    valueKnob.setBounds(box(ix, knobY, iw, knobH));
    cut.skip(1);
    const auto [rowY, rowH] = cut.take(0.35f);
    placeLabelRow(ix, rowY, iw, rowH, 0.03f, 1.4f);
    cut.skip(juce::jmax(2, T((float) rowH * 0.3f)));
    const int margin = juce::jmax(2, T((float) cut.rest * 0.07f));
    placeBottomRow(0, cut.y + margin, W, cut.rest - 2 * margin);
}
