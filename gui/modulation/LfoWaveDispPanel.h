// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LfoData.h"
#include "LfoDrawParams.h"
#include "LfoSharedTable.h"
#include "ModDispCommon.h"

#include <utility>

// The LFO-mode display of a modulation slot: one cycle of the slot's wave as
// its editor's shape settings make it, and a narrow meter at the right edge
// with the slot's current output, polled from the model every 55 ms while the
// display is showing and enabled (a 1000 ms watchdog starts and stops the
// polling). Drawn with child drawables only.
class LfoWaveDispPanel : public ZuModDispBase
{
public:
    LfoWaveDispPanel(LfoDrawParamSource& owner, LfoData& data, std::pair<int, int> unitAndSlot, juce::Colour colour);
    ~LfoWaveDispPanel() override;

    void resized() override;
    void timerCallback(int id) override;

    using ZuModDispBase::setBaseColor;
    void setBaseColor(const juce::Colour& c) override;
    // Rebuilds the wave from the owner's shape settings.
    void updatePath();
    void updateBgPath();
    // Starts or stops the polling by whether the display is active.
    void handleDispTimer() override;

    static constexpr int meterTimer = 0;
    static constexpr int watchdogTimer = 2;

    const juce::Path& getWavePath() const noexcept { return wavePath; }
    const juce::Path& getMeterPath() const noexcept { return meterDrawable.getPath(); }
    juce::Rectangle<float> getWaveArea() const noexcept { return waveArea; }
    juce::Rectangle<int> getMeterStrip() const noexcept { return meterStrip; }
    bool hasCentreLine() const noexcept { return centreShown; }

private:
    juce::Path buildMeterPath(float v, bool bipolar) const;

    ZuShared<LfoSharedTable> sharedTable;
    juce::Rectangle<float> waveArea;
    juce::Rectangle<int> meterStrip;
    juce::Path wavePath;
    juce::Colour baseColour{0xffffffff};
    juce::Path framePath, centreLine;
    const juce::Colour bgFillColour{0x00000000};
    juce::dsp::LookupTableTransform<float> saturation;
    juce::DrawablePath waveDrawable, meterDrawable;
    LfoDrawParamSource& owner;
    float lastMeterValue = 0.0f;
    std::pair<int, int> unitAndSlot;
    bool active = false, lastBipolar = false, centreShown = false;
    juce::DrawablePath bgFill, bgOutline;
    juce::DrawableComposite bgLayer;
    juce::Rectangle<float> frameRect;
    LfoData& lfoData;
};
