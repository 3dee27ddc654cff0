// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoWaveDispPanel.h"

#include "ModDispCommon.h"

#include <cmath>

namespace
{
// Makes tanh(1.5 x) reach 1 at x = 1.
constexpr float saturationGain = 1.1047914f;
// The wave's x step: the last of the 128 points lies just short of the right
// edge.
constexpr float waveStep = 0.007874f;
} // namespace

LfoWaveDispPanel::LfoWaveDispPanel(LfoDrawParamSource& ownerPanel, LfoData& data, std::pair<int, int> slot,
                                   juce::Colour)
    : owner(ownerPanel), unitAndSlot(slot), lfoData(data)
{
    addAndMakeVisible(bgLayer);
    waveDrawable.setFill(bgFillColour);
    waveDrawable.setStrokeThickness(1.0f);
    addAndMakeVisible(waveDrawable);
    meterDrawable.setFill(juce::Colour(0xffa5a5a5));
    addAndMakeVisible(meterDrawable);
    saturation.initialise([](float x) { return std::tanh(1.5f * x) * saturationGain; }, -1.0f, 1.0f, 128);
    startTimer(watchdogTimer, 1000);
}

LfoWaveDispPanel::~LfoWaveDispPanel()
{
    // The layer would delete the drawables it holds, which are members.
    bgLayer.removeAllChildren();
    cancelPendingUpdate();
    for (int id = 0; id < 4; ++id)
        stopTimer(id);
}

void LfoWaveDispPanel::setBaseColor(const juce::Colour& c)
{
    baseColour = c;
    meterDrawable.setFill(c);
    resized();
}

void LfoWaveDispPanel::resized()
{
    const auto b = getLocalBounds().toFloat();
    const float x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    const float sw = std::min(std::max(0.02f * w, 4.0f), w);
    meterStrip = juce::Rectangle<float>(x + w - sw, y, sw, h).toNearestInt();
    const float mw = (w - sw) - std::min(w - sw, 2.0f);
    frameRect = {x + 1.0f, y + 1.0f, std::max(mw - 2.0f, 0.0f), std::max(h - 2.0f, 0.0f)};
    framePath.clear();
    framePath.addRoundedRectangle(frameRect, 2.0f);
    waveArea = zumoddisp::insetDrawArea(x, y, mw, h);
    centreLine = zumoddisp::centreLinePath(frameRect);
    updateBgPath();
    updatePath();
}

void LfoWaveDispPanel::updatePath()
{
    if (waveArea.getWidth() > 0.0f)
    {
        const auto p = owner.getPramStatesForDrawPath();
        const float off = (p.offset - 0.5f) * 2.0f;
        const float base = p.bipolar ? (1.0f - p.level) * 0.5f : 0.0f;
        juce::Path path;
        for (int j = 0; j < 128; ++j)
        {
            const float t = std::min((float) j * waveStep, 1.0f);
            const float ph = std::fmod(p.phase + t, 1.0f);
            float v = sharedTable->lookup(p.waveform, ph);
            if (p.invert)
                v = 1.0f - v;
            if (p.square)
                v = v * v;
            if (p.saturate)
                v = saturation(v);
            const float yv = juce::jlimit(0.0f, 1.0f, (v + off) * p.level + base);
            const juce::Point<float> pt(t * waveArea.getWidth() + waveArea.getX(),
                                        (1.0f - yv) * waveArea.getHeight() + waveArea.getY());
            if (j == 0)
                path.startNewSubPath(pt);
            else
                path.lineTo(pt);
        }
        wavePath = path;
    }
    waveDrawable.setStrokeFill(baseColour.brighter(0.1f));
    waveDrawable.setPath(wavePath);
}

void LfoWaveDispPanel::updateBgPath()
{
    const bool bipolar = !framePath.isEmpty() && zumoddisp::displayedSlot(lfoData, unitAndSlot).bbi.load();
    centreShown = bipolar;
    zumoddisp::rebuildBackground(bgLayer, bgFill, bgOutline, framePath, centreLine, bipolar, bgFillColour,
                                 baseColour.darker(1.3f));
}

juce::Path LfoWaveDispPanel::buildMeterPath(float v, bool bipolar) const
{
    juce::Path p;
    if (bipolar)
        p.addRectangle(zumoddisp::bipolarBar(meterStrip, v));
    else
        p.addRectangle(juce::Rectangle<int>(
            meterStrip.getX(), meterStrip.getY() + (int) (std::min(1.0f - v, 1.0f) * (float) meterStrip.getHeight()),
            meterStrip.getWidth(), meterStrip.getHeight()));
    return p;
}

void LfoWaveDispPanel::handleDispTimer()
{
    active = zumoddisp::isActive(*this);
    waveDrawable.setVisible(active);
    meterDrawable.setVisible(active);
    if (active)
    {
        if (!isTimerRunning(meterTimer))
            startTimer(meterTimer, 55);
        updatePath();
    }
    else if (isTimerRunning(meterTimer))
        stopTimer(meterTimer);
}

void LfoWaveDispPanel::timerCallback(int id)
{
    if (id == watchdogTimer)
    {
        active = zumoddisp::isActive(*this);
        waveDrawable.setVisible(active);
        if (active && !isTimerRunning(meterTimer))
            startTimer(meterTimer, 55);
        else if (!active && isTimerRunning(meterTimer))
            stopTimer(meterTimer);
        return;
    }
    if (id != meterTimer)
        return;
    const auto& slot = zumoddisp::displayedSlot(lfoData, unitAndSlot);
    const float v = slot.dispValue.load();
    const bool b = slot.bbi.load();
    // Ordered: a NaN never counts as a change.
    if (!(v < lastMeterValue || v > lastMeterValue))
        return;
    if (b != lastBipolar)
    {
        lastBipolar = b;
        updateBgPath();
    }
    lastMeterValue = v;
    // Built here on the message thread: a few rectangles need no worker.
    meterDrawable.setPath(buildMeterPath(v, b));
}
