// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LfoData.h"
#include "LfoSharedTable.h"
#include "Mslider.h"
#include "ZuCLAF_Switches.h"

#include <array>
#include <utility>

// The probability-LFO editor of a modulation slot: eight weights ("prb1" to
// "prb8") painted on a row of sliders, under each an icon of the curve it
// weights, a marker under the curve the slot plays now and a level meter at
// the right edge. Polls the model every 55 ms while showing and enabled; a
// 1000 ms watchdog starts and stops the polling.
class ProbSliderPanel : public juce::Component, public juce::MultiTimer
{
public:
    ProbSliderPanel(std::pair<int, int> unitAndSlot, LfoData& data);
    ~ProbSliderPanel() override;

    void visibilityChanged() override;
    void parentHierarchyChanged() override;
    void enablementChanged() override;
    void resized() override;
    void timerCallback(int id) override;

    void setAttachment(juce::ValueTree slotNode, juce::String prefix);
    void setBaseColor(juce::Colour c);
    void handleDispTimer();

    // Kept for host-parameter bindings ("p6_mod" + (n + 1) + "_prbslider").
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree slotNode, int n);

    static constexpr int pollTimer = 0;
    static constexpr int watchdogTimer = 1;

    Mslider& getSliders() noexcept { return slider; }
    const juce::Path& getIndicatorPath() const noexcept { return indicator.getPath(); }
    juce::Rectangle<float> getMeterStrip() const noexcept { return meterStrip; }
    const juce::Path& getMarkerBar(int k) const { return markerBars[(size_t) k]; }
    const juce::Path& getIcon(int k) const { return iconDrawables[(size_t) k].getPath(); }

    // The indicator for one polled slot record: the level bar, then the
    // marker of the picked curve (clamped to 0..7).
    juce::Path buildIndicatorPath(const LfoData::ModUnitData& slot) const;

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<LfoSharedTable> sharedTable;
    // Held for the look of the row's power state; nothing applies it here.
    ZuShared<ZuCLAF_PowerButton> powerLook;
    std::pair<int, int> unitAndSlot;
    juce::Rectangle<float> meterStrip;
    juce::Colour baseColour{0xffffffff};
    Mslider slider;
    std::array<juce::DrawablePath, 8> iconDrawables;
    std::array<juce::Path, 8> iconPaths;
    std::array<juce::Path, 8> markerBars;
    juce::DrawableComposite iconLayer;
    juce::DrawablePath indicator;
    LfoData& lfoData;
};
