// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MirabelGlobalData.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// The running-step light over a row of 16 step columns: it polls the step
// that the unit's engine plays (a plain atomic field of the global data) and
// lights its cell when the step lies in the row's window of 16 steps.
// Message thread only; the poll takes no lock and draws only on a change.
class CenterPitchSeq_StepLed : public juce::Component, public juce::MultiTimer
{
public:
    static constexpr int numCells = 16;
    static constexpr int pollPeriodMs = 45;

    // unitType: 0 pitch, 1 parameter, 2 CC, 3 octave-transpose; instance
    // within the type. A unit that does not exist never lights.
    CenterPitchSeq_StepLed(int unitType, int instance, MirabelGlobalData& globalData);
    ~CenterPitchSeq_StepLed() override;

    // Page 0 shows steps 0..15, any other page steps 16..31.
    void setCurPageIndex(int page);
    void setSkinMode(int skin);
    // On (the default): each cell is a short segment with a gap after it; off:
    // the cells take their full width.
    void setSegmentStyle(bool on);
    bool getSegmentStyle() const noexcept { return segmentStyle; }

    void resized() override;
    void timerCallback(int timerID) override;

    int getLastLitStep() const noexcept { return lastLitStep; }
    int getWindowStart() const noexcept { return windowStart; }
    int getWindowEnd() const noexcept { return windowEnd; }
    const juce::RectangleList<float>& getCellRectangles() const noexcept { return cellRectangles; }
    const juce::Path& getCellPath(int cell) const;
    const juce::DrawablePath& getLightLayer() const noexcept { return lightLayer; }
    juce::Colour getLightColour() const noexcept { return lightColour; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    juce::RectangleList<float> cellRectangles;
    int skin = 0;
    int unitType;
    int instance;
    // The entry of the global data's current steps, -1 for no unit.
    int stepIndex;
    int lastLitStep = -1;
    int windowStart = 0, windowEnd = numCells;
    bool segmentStyle = true;
    juce::Path cellsPath;
    juce::DrawablePath cellsLayer, lightLayer;
    std::array<juce::Path, numCells> cellPaths;
    juce::Colour lightColour{0xffffffff};
    MirabelGlobalData& globalData;

    void clearLight();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_StepLed)
};
