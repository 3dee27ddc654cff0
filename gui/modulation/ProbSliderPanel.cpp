// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbSliderPanel.h"

#include "ModDispCommon.h"

namespace
{
// The icon's x step in its 256 box: the last sample lies just below 1.
constexpr float iconStep = 0.00392156f;
} // namespace

ProbSliderPanel::ProbSliderPanel(std::pair<int, int> slot, LfoData& data) : unitAndSlot(slot), lfoData(data)
{
    addAndMakeVisible(iconLayer);
    iconLayer.toBack();
    indicator.setFill(juce::Colour(0xffa0a0a0));
    addAndMakeVisible(indicator);
    addAndMakeVisible(slider);
    for (int k = 0; k < 8; ++k)
    {
        iconDrawables[(size_t) k].setFill(juce::Colour(0xff606060));
        juce::Path curve;
        for (int j = 0; j < 256; ++j)
        {
            const float t = (float) j * iconStep;
            const float v = juce::jlimit(0.0f, 1.0f, sharedTable->lookup(k, t));
            const juce::Point<float> p(t * 256.0f, 256.0f * (1.0f - v));
            if (j == 0)
                curve.startNewSubPath(p);
            else
                curve.lineTo(p);
        }
        juce::PathStrokeType(24.0f).createStrokedPath(iconPaths[(size_t) k], curve, {}, 1.0f);
    }
}

ProbSliderPanel::~ProbSliderPanel()
{
    iconLayer.removeAllChildren();
    stopTimer(pollTimer);
    stopTimer(watchdogTimer);
}

void ProbSliderPanel::setAttachment(juce::ValueTree slotNode, juce::String prefix)
{
    slider.setAttachment(slotNode, prefix);
}

void ProbSliderPanel::setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree, int n)
{
    slider.setAttachment(state, "p6_mod" + juce::String(n + 1) + "_prbslider");
}

void ProbSliderPanel::setBaseColor(juce::Colour c)
{
    baseColour = c;
    slider.setBaseColor(c);
    indicator.setFill(c.brighter(0.2f));
    for (auto& d : iconDrawables)
        d.setFill(c.darker(0.2f));
    resized();
}

void ProbSliderPanel::resized()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY();
    const int W = std::max(b.getWidth() - 2, 0), H = std::max(b.getHeight() - 2, 0);
    const int e = std::min(std::max((int) ((float) W * 0.013f), 2), W);
    meterStrip = juce::Rectangle<int>(W + x + 1 - e, y + 1, e, H).toFloat();
    const int m = std::max(std::min((int) ((float) H * 0.07f), 12), 1);
    const int L = std::max(W - e, 0);
    const int top = y + 1 + m;
    const int S = std::max(H - 2 * m, 0);
    const int t = std::min((int) ((float) S * 0.16f), S);
    const int A = S - t;
    const int iconTop = top + A;
    const int L2 = std::max(L - 2, 0);
    const int c = (int) ((float) L2 * 0.125f);
    const int x0 = x + 2 + (int) ((double) (L2 - 8 * c) * 0.5);
    const int p = (int) (0.05f * (float) c);
    const int a = std::min(t, 2), bb = std::min(2, t - a);
    for (int k = 0; k < 8; ++k)
    {
        const int X = x0 + k * c;
        markerBars[(size_t) k].clear();
        markerBars[(size_t) k].addRectangle(juce::Rectangle<int>(X + p, iconTop + t - a, std::max(c - 2 * p, 0), a));
        juce::Path icon = k == 0 ? iconPaths[0].createPathWithRoundedCorners(16.0f) : iconPaths[(size_t) k];
        const juce::Rectangle<float> fit((float) X, (float) iconTop, (float) c, (float) (t - a - bb));
        if (!fit.isEmpty())
            icon.applyTransform(icon.getTransformToScaleToFit(fit, true));
        iconDrawables[(size_t) k].setPath(icon);
    }
    const int D = std::min(std::max(std::min((int) ((float) A * 0.055f), 12), 2), A);
    slider.setBounds(x + 1, top, L, A - D);
    iconLayer.removeAllChildren();
    for (auto& d : iconDrawables)
        iconLayer.addAndMakeVisible(d);
}

juce::Path ProbSliderPanel::buildIndicatorPath(const LfoData::ModUnitData& slot) const
{
    const int k = juce::jlimit(0, 7, (int) slot.dispWaveIndex.load());
    float v = slot.dispValue.load();
    v = std::isnan(v) ? 0.0f : juce::jlimit(0.0f, 1.0f, v);
    juce::Path p;
    if (slot.bbi.load())
        p.addRectangle(zumoddisp::bipolarBar(meterStrip.toNearestInt(), v));
    else
        p.addRectangle(meterStrip.getX(), meterStrip.getY() + (1.0f - v) * meterStrip.getHeight(),
                       meterStrip.getWidth(), meterStrip.getHeight());
    p.addPath(markerBars[(size_t) k]);
    return p;
}

void ProbSliderPanel::visibilityChanged()
{
    handleDispTimer();
}

void ProbSliderPanel::parentHierarchyChanged()
{
    handleDispTimer();
}

void ProbSliderPanel::enablementChanged()
{
    handleDispTimer();
}

void ProbSliderPanel::handleDispTimer()
{
    if (zumoddisp::isActive(*this))
    {
        if (!isTimerRunning(pollTimer))
            startTimer(pollTimer, 55);
        if (!isTimerRunning(watchdogTimer))
            startTimer(watchdogTimer, 1000);
    }
    else if (isTimerRunning(pollTimer))
        stopTimer(pollTimer);
}

void ProbSliderPanel::timerCallback(int id)
{
    if (id == watchdogTimer)
    {
        const bool active = zumoddisp::isActive(*this);
        if (active && !isTimerRunning(pollTimer))
            startTimer(pollTimer, 55);
        else if (!active && isTimerRunning(pollTimer))
            stopTimer(pollTimer);
        return;
    }
    if (id != pollTimer)
        return;
    // Built here on the message thread: two rectangles need no worker.
    const LfoData::ModUnitData copy = zumoddisp::displayedSlot(lfoData, unitAndSlot);
    indicator.setPath(buildIndicatorPath(copy));
}
