// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FloatUnitPanel.h"
#include "ZuCLAF_TabbedComp.h"

#include <array>
#include <memory>
#include <vector>

// Tabs of slot editors that re-check the shown editor's bipolar display when
// the tab changes inside a floating slot window.
class CustomTabbedComp : public juce::TabbedComponent
{
public:
    CustomTabbedComp() : juce::TabbedComponent(juce::TabbedButtonBar::TabsAtTop) {}
    void currentTabChanged(int newIndex, const juce::String& name) override;
};

// A floating window of the eight slot editors of one unit, one per tab.
// Kept for a floating slot view; no panel of the editor builds it.
class ModFloatWndw : public ZuGuiBase
{
public:
    ModFloatWndw(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree, LfoData& data, juce::Value polarity,
                 juce::Value hoveredSource);
    ~ModFloatWndw() override;

    // One tab "Mod" + (slot + 1) per listed slot (0..7; others are skipped).
    void setActiveUnitList(std::vector<int> slots);
    // Stores the index and shows its tab where there is one.
    void setUnitIndex(int index);
    void activeTabChanged();
    void resized() override;

    CustomTabbedComp& getTabs() noexcept { return tabs; }
    FloatUnitPanel& getSlotEditor(int slot) { return *slots[(size_t) juce::jlimit(0, 7, slot)]; }

private:
    ZuCLAF_TabbedComp tabLook;
    CustomTabbedComp tabs;
    juce::TextButton closeButton{"Close"};
    std::array<std::unique_ptr<FloatUnitPanel>, 8> slots;
    int unitIndex = 0;
};
