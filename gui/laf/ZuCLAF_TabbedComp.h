// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

// Tab bar of the floating modulation window: flat tabs with an outline on
// every side but the one facing the content, and a bold text. Held as a plain
// member by its window, not shared.
//
// Tabs at the left edge are drawn like tabs at the top for the line behind
// the front tab, with the text untransformed.
class ZuCLAF_TabbedComp : public ZuCLAF_Base
{
public:
    int getTabButtonSpaceAroundImage() override;
    int getTabButtonOverlap(int depth) override;
    int getTabButtonBestWidth(juce::TabBarButton& button, int depth) override;
    void drawTabButton(juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;
    void drawTabButtonText(juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;
    void drawTabAreaBehindFrontButton(juce::TabbedButtonBar& bar, juce::Graphics& g, int w, int h) override;

    static void createTabTextLayout(const juce::TabBarButton& button, float length, float depth, juce::Colour colour,
                                    juce::TextLayout& layout);
};
