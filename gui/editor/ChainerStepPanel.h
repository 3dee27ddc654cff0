// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuGuiBase.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"

#include "ZuData.h"

#include <array>
#include <memory>

// The marker over the step the snapshot chainer plays: the chainer's current
// step polled every 55 ms; it moves only when that step changes, and not at
// all while the bar is hidden or disabled. It only follows the engine.
class ChainerPlayPosBar : public juce::Component, public juce::MultiTimer
{
public:
    explicit ChainerPlayPosBar(MirabelGlobalData& globalData);
    ~ChainerPlayPosBar() override;

    // One background cell per cell of the list.
    void createBgPath();
    void paint(juce::Graphics& g) override;
    void resized() override;
    void timerCallback(int timerId) override;

    static constexpr int pollTimer = 0;
    static constexpr int pollMs = 55;

    juce::Array<juce::Rectangle<float>> cells;
    // The marker's area (empty while none is shown).
    juce::Rectangle<float> getMarkerArea() const { return marker.getPath().getBounds(); }
    int getLastShownStep() const noexcept { return lastShownStep; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    int lastShownStep = -1;
    float x0 = 0.0f, y0 = 0.0f, cellWidth = 0.0f, cellHeight = 0.0f;
    juce::Colour backgroundColour;
    juce::DrawablePath backgroundCells, marker;
    MirabelGlobalData& globalData;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerPlayPosBar)
};

// One chainer track: sixteen step boxes, each naming the snapshot ("A".."H")
// or the rest ("-") its followers take at that step.
class ChainerStepPanel : public ZuGuiBase
{
public:
    explicit ChainerStepPanel(MirabelGlobalData& globalData);
    ~ChainerStepPanel() override;

    // Binds box k to "p0_chrt" + (trackIndex + 1) + "stp" + (k + 1).
    void setAttachments(juce::ValueTree tree, int trackIndex);
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int numSteps = 16;
    juce::Slider& getBox(int k) { return boxes[(size_t) juce::jlimit(0, numSteps - 1, k)]; }
    juce::RectangleList<float> cells;

private:
    ZuShared<ZuCLAF_ChainerStepNumbBoxSliderl> boxLook;
    ZuShared<ZuParamAttacher> attacher;
    std::array<juce::Slider, numSteps> boxes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerStepPanel)
};

// The chainer's step area: four of its eight tracks at a time under the play
// position bar, tracks 1..4 or 5..8 in the same places.
class ChainerStepPanelMain : public ZuGuiBase
{
public:
    explicit ChainerStepPanelMain(MirabelGlobalData& globalData);
    ~ChainerStepPanelMain() override;

    void setAttachments(juce::ValueTree paramTree);
    // 0 shows tracks 1..4, 1 tracks 5..8, anything else none.
    void setTrkSelIndex(int sel);
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int numTracks = 8;
    ChainerStepPanel& getRow(int j) { return *rows[(size_t) juce::jlimit(0, numTracks - 1, j)]; }
    juce::Label& getLabel(int j) { return labels[(size_t) juce::jlimit(0, numTracks - 1, j)]; }
    ChainerPlayPosBar& getPlayPosBar() { return *playPosBar; }

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    std::array<juce::Label, numTracks> labels;
    std::array<std::unique_ptr<ChainerStepPanel>, numTracks> rows;
    std::unique_ptr<ChainerPlayPosBar> playPosBar;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerStepPanelMain)
};
