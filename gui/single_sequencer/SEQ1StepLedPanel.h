// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MirabelGlobalData.h"
#include "Seq1Data.h"
#include "Seq1Style.h"
#include "ZuCLAF_Labels.h"
#include "ZuGuiBase.h"

#include <array>

// The 16 step lights of one single-sequencer page: a dim frame per step and
// one lit light on the step that the sequencer plays. It polls the model's
// current step every 50 ms and changes the lit shape only when the step
// moved; the shapes are built once per layout. Message thread only.
class SEQ1StepLedPanel : public ZuGuiBase
{
    ZuShared<ZuCLAF_Label2> labelLook;

public:
    static constexpr int pollTimer = 0;
    static constexpr int pollPeriodMs = 50;
    static constexpr int numLights = zu::seq1::stepsPerPage;

    // firstPage: steps 1..16, otherwise 17..32.
    SEQ1StepLedPanel(MirabelGlobalData& globalData, Seq1Data& data, bool firstPage);
    ~SEQ1StepLedPanel() override;

    void resized() override;
    void timerCallback(int timerID) override;
    // Lights the step (0-based) a value holds, or none when it lies outside
    // the page or there are no lights.
    void valueChanged(juce::Value& value) override;
    void colorMapping() override;
    void handleAsyncUpdate() override { repaint(); }
    void updateDrawable() {}
    void paint(juce::Graphics& g) override { g.fillAll(panelColor); }

    const juce::RectangleList<float>& getLedRects() const noexcept { return ledRects; }
    const juce::Path& getLedPath(int k) const noexcept { return ledPaths[(size_t) juce::jlimit(0, numLights, k)]; }
    const juce::DrawablePath& getLitLed() const noexcept { return litLed; }
    const juce::DrawablePath& getLedFrames() const noexcept { return ledFrames; }
    // The light shown (0..15), -1 for none; and how often the lit shape was
    // replaced (a poll that finds the same step replaces nothing).
    int getLitLight() const noexcept { return litLight; }
    int getLitChanges() const noexcept { return litChanges; }
    int getFirstStep() const noexcept { return firstStep; }
    int getEndStep() const noexcept { return endStep; }
    // The vertical inset of the lights for a cell of that height.
    static float verticalInset(int cellHeight) noexcept;

private:
    void showLight(int light, const juce::Path& path);

    juce::RectangleList<float> ledRects;
    int firstStep, endStep;
    juce::Path framePath;
    juce::DrawablePath litLed, ledFrames;
    // One shape per light and a spare one that stays empty.
    std::array<juce::Path, numLights + 1> ledPaths;
    int lastStep = -1;
    int litLight = -1;
    int litChanges = 0;
    MirabelGlobalData& globalData;
    Seq1Data& data;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1StepLedPanel)
};
