// SPDX-License-Identifier: GPL-3.0-or-later
#include "SahWaveDispPanel.h"

#include "ModDispCommon.h"

SahWaveDispPanel::SahWaveDispPanel(LfoDrawParamSource& ownerPanel, LfoData& data, std::pair<int, int> slot,
                                   juce::Colour)
    : owner(ownerPanel), unitAndSlot(slot), lfoData(data)
{
    addAndMakeVisible(bgLayer);
    bgLayer.toBack();
    traceDrawable.setFill(baseColour.brighter(0.1f));
    addAndMakeVisible(traceDrawable);
    startTimer(watchdogTimer, 1000);
}

SahWaveDispPanel::~SahWaveDispPanel()
{
    // The layer would delete the drawables it holds, which are members.
    bgLayer.removeAllChildren();
    cancelPendingUpdate();
    stopTimer(traceTimer);
    stopTimer(watchdogTimer);
}

void SahWaveDispPanel::setBaseColor(const juce::Colour& c)
{
    baseColour = c;
    traceDrawable.setFill(c.brighter(0.1f));
    resized();
}

void SahWaveDispPanel::resized()
{
    const auto b = getLocalBounds().toFloat();
    frameRect = {b.getX() + 1.0f, b.getY() + 1.0f, std::max(b.getWidth() - 2.0f, 0.0f),
                 std::max(b.getHeight() - 2.0f, 0.0f)};
    framePath.clear();
    framePath.addRoundedRectangle(frameRect, 2.0f);
    traceArea = zumoddisp::insetDrawArea(b.getX(), b.getY(), b.getWidth(), b.getHeight());
    centreLine = zumoddisp::centreLinePath(frameRect);
    origin = traceArea.getTopLeft();
    updatePath();
    restart = true;
    updateBgPath();
}

void SahWaveDispPanel::updateBgPath()
{
    const bool bipolar = !framePath.isEmpty() && zumoddisp::displayedSlot(lfoData, unitAndSlot).bbi.load();
    centreShown = bipolar;
    zumoddisp::rebuildBackground(bgLayer, bgFill, bgOutline, framePath, centreLine, bipolar, bgFillColour,
                                 baseColour.darker(1.3f));
}

void SahWaveDispPanel::updatePath()
{
    const auto& slot = zumoddisp::displayedSlot(lfoData, unitAndSlot);
    const float ph = slot.dispValue.load();
    const float hv = slot.dispHeldValue.load();
    const bool b = slot.bbi.load();
    if (b != lastBipolar)
    {
        lastBipolar = b;
        updateBgPath();
    }
    if (ph != lastPhase)
    {
        lastPhase = juce::jlimit(1e-8f, 1.0f, ph);
        shownOnce = true;
        heldValue = hv;
    }

    // Advanced here on the message thread: one point per tick needs no worker.
    if (restart)
    {
        restart = false;
        sweepPos = 2.0f;
    }
    sweepPos += sweepStep;
    const float y = (1.0f - heldValue) * traceArea.getHeight() + origin.y;
    if (sweepPos > 0.99f)
    {
        sweepPos = 0.0f;
        tracePath.clear();
        tracePath.startNewSubPath(origin.x, y);
    }
    else
        tracePath.lineTo(sweepPos * traceArea.getWidth() + origin.x, y);

    if (shownOnce)
    {
        juce::Path stroked;
        juce::PathStrokeType(1.0f).createStrokedPath(stroked, tracePath, {}, 1.0f);
        traceDrawable.setPath(stroked);
    }
}

void SahWaveDispPanel::handleDispTimer()
{
    active = zumoddisp::isActive(*this);
    traceDrawable.setVisible(active);
    if (active)
    {
        if (!isTimerRunning(traceTimer))
        {
            startTimer(traceTimer, 55);
            sweepPos = 1.1f;
        }
        if (!isTimerRunning(watchdogTimer))
            startTimer(watchdogTimer, 1000);
    }
    else if (isTimerRunning(traceTimer))
        stopTimer(traceTimer);
}

void SahWaveDispPanel::timerCallback(int id)
{
    if (id == traceTimer)
    {
        updatePath();
        return;
    }
    if (id != watchdogTimer)
        return;
    active = zumoddisp::isActive(*this);
    traceDrawable.setVisible(active);
    if (active && !isTimerRunning(traceTimer))
        startTimer(traceTimer, 55);
    else if (!active && isTimerRunning(traceTimer))
        stopTimer(traceTimer);
}
