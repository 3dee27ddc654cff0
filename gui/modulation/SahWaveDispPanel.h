// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LfoData.h"
#include "LfoDrawParams.h"
#include "ModDispCommon.h"

#include <utility>

// The sample-and-hold display of a modulation slot: a slow trace of the held
// value that sweeps from the left edge to the right in 127 ticks of 55 ms and
// starts again, like an oscilloscope. It polls the model only while showing
// and enabled (a 1000 ms watchdog starts and stops the polling) and shows no
// trace until the slot's phase has moved once.
class SahWaveDispPanel : public ZuModDispBase
{
public:
    SahWaveDispPanel(LfoDrawParamSource& owner, LfoData& data, std::pair<int, int> unitAndSlot, juce::Colour colour);
    ~SahWaveDispPanel() override;

    void resized() override;
    void timerCallback(int id) override;

    using ZuModDispBase::setBaseColor;
    void setBaseColor(const juce::Colour& c) override;
    // One trace tick.
    void updatePath();
    void updateBgPath();
    void handleDispTimer() override;

    static constexpr int traceTimer = 0;
    static constexpr int watchdogTimer = 1;

    const juce::Path& getTracePath() const noexcept { return tracePath; }
    const juce::Path& getShownTrace() const noexcept { return traceDrawable.getPath(); }
    float getSweepPosition() const noexcept { return sweepPos; }
    juce::Rectangle<float> getTraceArea() const noexcept { return traceArea; }
    bool hasCentreLine() const noexcept { return centreShown; }

private:
    juce::Rectangle<float> traceArea;
    juce::Path tracePath;
    juce::Colour baseColour{0xffffffff};
    juce::Path framePath, centreLine;
    const juce::Colour bgFillColour{0x00000000};
    LfoDrawParamSource& owner;
    float lastPhase = 0.0f;
    std::pair<int, int> unitAndSlot;
    bool shownOnce = false, restart = false, lastBipolar = false, active = false, centreShown = false;
    juce::Rectangle<float> frameRect;
    juce::Point<float> origin;
    float heldValue = 1.0f;
    const float sweepStep = 1.0f / 128.0f;
    float sweepPos = 0.0f;
    juce::DrawablePath traceDrawable, bgFill, bgOutline;
    juce::DrawableComposite bgLayer;
    LfoData& lfoData;
};
