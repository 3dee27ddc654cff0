// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterOctTpSeq_StepUnit.h"

#include "ZuUnitLayout.h"
#include "ZuConvert.h"
#include "ZuUnits.h"

#include <cmath>

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
const juce::Colour pairThumb{0xff3a3a3a};
} // namespace

CenterOctTpSeq_StepUnit::CenterOctTpSeq_StepUnit()
    : CenterSeq_StepUnitBase({zu::units::octTp, 51, "Val", "Sets the step transpose +/-12st", 1.2, "Medium", "", 0.95})
{
    auto& knob = valueKnob.mainKnob;
    knob.getProperties().set("iscenter", 1);
    knob.snapOn = true;
    knob.snapTarget = 0.0;
    knob.snapLower = -0.02;
    knob.snapUpper = 0.02;

    addAndMakeVisible(octaveButtons);
    addAndMakeVisible(octavePair);
    octavePair.setBgColor(entry(2));
    octavePair.setThumbColor(pairThumb);
}

void CenterOctTpSeq_StepUnit::setStepIndex(int index)
{
    CenterSeq_StepUnitBase::setStepIndex(index);
    valueKnob.mainKnob.setName(juce::String(index + 1));
}

void CenterOctTpSeq_StepUnit::bindFirst(juce::ValueTree& unitTree, const juce::String& prefix, int index)
{
    const auto key = prefix + "soct" + juce::String(index + 1);
    octavePair.setAttachment(unitTree, key);
    octaveButtons.setAttachment(unitTree, key);
}

juce::String CenterOctTpSeq_StepUnit::transposeText(double value)
{
    const auto v = (float) zu::finiteOr(value, 0.0);
    return (v > 0.0f ? "+" : "") + juce::String(zu::toIntSaturating(std::floor(v))) + " st";
}

juce::String CenterOctTpSeq_StepUnit::valueText() const
{
    const double v = valueKnob.mainKnob.getValue();
    return transposeText(outMinMax.first + (outMinMax.second - outMinMax.first) * v);
}

void CenterOctTpSeq_StepUnit::setOutMinMax(std::pair<double, double> range)
{
    outMinMax = range;
    triggerAsyncUpdate();
}

void CenterOctTpSeq_StepUnit::colourOwnControls()
{
    octaveButtons.setSkinMode(skin);
    octavePair.setBgColor(baseColour);
    octavePair.setThumbColor(entry(35));
    repaint();
}

void CenterOctTpSeq_StepUnit::colourOwnRangeState()
{
    octaveButtons.setStepRngState(inRangeFlag);
}

void CenterOctTpSeq_StepUnit::paint(juce::Graphics& g)
{
    g.fillAll(baseColour);
}

void CenterOctTpSeq_StepUnit::resized()
{
    const int W = getWidth(), H = getHeight();
    const int m = juce::jmax(1, T((float) W * 0.025f));
    const int ix = m, iw = juce::jmax(0, W - 2 * m);
    zu::unitlayout::TopCut cut{1, juce::jmax(0, H - 2)};

    const auto [knobY, knobH] = cut.take(0.47f);
    valueKnob.setBounds(box(ix, knobY, iw, knobH));
    cut.skip(2);
    const auto [rowY, rowH] = cut.take(0.23f);
    placeLabelRow(ix, rowY, iw, rowH, 0.05f, 1.25f);
    cut.skip(2);
    const auto [octY, octH] = cut.take(0.425f);
    const int octW = juce::jmax(0, iw - 2);
    const int pairW = juce::jmin(octW, T((float) octH * 1.05f));
    octavePair.setBounds(box(ix + 1 + octW - pairW, octY, pairW, octH));
    octaveButtons.setBounds(box(ix + 1, octY, octW - pairW - 1, octH));
    cut.skip(juce::jmax(2, T((float) rowH * 0.3f)));
    const int margin = juce::jmax(2, T((float) cut.rest * 0.05f));
    placeBottomRow(0, cut.y + margin, W, cut.rest - 2 * margin);
}
