// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCcSeq_StepUnit.h"

#include "ZuUnitLayout.h"
#include "ZuConvert.h"
#include "ZuUnits.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

CenterCcSeq_StepUnit::CenterCcSeq_StepUnit()
    : CenterSeq_StepUnitBase({zu::units::cc, 49, "Val", "Sets the step value", 1.05, "SemiBold", "P", 0.94})
{
}

void CenterCcSeq_StepUnit::setStepIndex(int index)
{
    CenterSeq_StepUnitBase::setStepIndex(index);
    valueKnob.mainKnob.setName(juce::String(index + 1));
}

void CenterCcSeq_StepUnit::setOutMinMax(std::pair<double, double> range)
{
    outMinMax = range;
    triggerAsyncUpdate();
}

juce::String CenterCcSeq_StepUnit::ccText(double value, std::pair<double, double> range)
{
    const auto v = (float) (range.first + (range.second - range.first) * value);
    return juce::String(zu::clampInt(zu::toIntSaturating(v + 0.5f), 0, 127));
}

juce::String CenterCcSeq_StepUnit::valueText() const
{
    return ccText(valueKnob.mainKnob.getValue(), outMinMax);
}

void CenterCcSeq_StepUnit::setAttachment(juce::AudioProcessorValueTreeState& state, int unitIndex, int index)
{
    const auto id = [unitIndex, index](const char* key)
    { return "p3_ccsq" + juce::String(unitIndex + 1) + "_" + key + juce::String(index + 1); };
    attachIfPresent(knobHostAttachment, state, id("sv"), valueKnob.mainKnob);
    attachIfPresent(powerHostAttachment, state, id("spwr"), onOffButton);
    attachIfPresent(lockHostAttachment, state, id("slk"), lockButton);
}

void CenterCcSeq_StepUnit::resized()
{
    const int W = getWidth();
    const int h = juce::jmax(0, getHeight());
    const int m = juce::jmax(1, T((float) W * 0.025f));
    const int ix = m, iw = juce::jmax(0, W - 2 * m);

    const int knobH = juce::jmin(h, T((float) h * 0.465f));
    valueKnob.setBounds(box(ix, 1, iw, knobH - 1));
    zu::unitlayout::TopCut cut{knobH, h - knobH};
    cut.skip(2);
    const int rowH = juce::jmin(cut.rest, T((float) cut.rest * 0.22f));
    placeLabelRow(ix, cut.y, iw, rowH, 0.05f, 1.25f);
    cut.skip(rowH);
    cut.skip(juce::jlimit(1, 8, T((float) cut.rest * 0.12f)));

    // Probability over on/off, each 0.44 of what is left, up to 4 px apart.
    const int inset = juce::jmax(1, T((float) iw * 0.03f));
    const int ax = ix + inset, aw = juce::jmax(0, iw - 2 * inset);
    const int A = cut.rest - juce::jmin(2, cut.rest);
    const int rowsH = T((float) A * 0.44f);
    const int gapBetween = juce::jmin(4, juce::jmax(0, A - 2 * rowsH));
    const int onH = juce::jmax(0, juce::jmin(rowsH, A - rowsH - gapBetween));
    const int indent = T((float) iw * 0.07f);
    const int g = juce::jlimit(1, 10, T((float) aw * 0.05f));

    const int probPairW = juce::jmin(aw, T((float) rowsH * 1.05f));
    probPair.setBounds(box(ax + aw - probPairW, cut.y, probPairW - 1, rowsH));
    probBox.setBounds(box(ax + indent, cut.y, aw - probPairW - 2 * indent - g, rowsH));

    const int onY = cut.y + A - onH;
    const int onW = aw - 1;
    const int onPairW = juce::jmin(onW, T((float) onH * 1.1f));
    onOffPair.setBounds(box(ax + onW - onPairW, onY, onPairW - 1, onH));
    onOffButton.setBounds(box(ax + indent, onY, onW - onPairW - 2 * indent - g, onH));
}
