// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterPanelQuickBar.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuGuiBase.h"
#include "ZuMirabox_CenterContent.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The viewport of the unit column. The wheel does nothing over it: the column
// scrolls only through the bars and the quick bar. Every move of the view is
// kept in the GUI tree's "c_scl_p" as a fraction of the visible height, except
// while an opened editor waits for its first rebuild of the units (the stored
// position is read back then).
class MyViewport : public juce::Viewport
{
public:
    void visibleAreaChanged(const juce::Rectangle<int>& newVisibleArea) override;
    void mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    // Writes "c_scl_p".
    void updateVt();

    juce::ValueTree guiTree;
    bool suppressWrites = false;
};

// The left scroll bar: the wheel over it moves the viewport's own bar.
class CustomScrollbar : public juce::ScrollBar
{
public:
    CustomScrollbar() : juce::ScrollBar(true) {}
    void mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
};

// The center area of the main panel: a top bar with the quick bar between the
// edit-order and scrollbar toggles, and below it the viewport that scrolls the
// unit column vertically, with a second bar on the left ("left") that mirrors
// the viewport's own bar ("right"). With the scrollbar toggle off both bars
// go and the units take the whole width. Message thread only.
class ZuMirabox_CenterPanelMain : public ZuGuiBase, public juce::ScrollBar::Listener
{
public:
    ZuMirabox_CenterPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree,
                              juce::ValueTree paramTree, MirabelGlobalData& globalData, ScaleData& scaleData,
                              ChordData& chordData, CtrPtchSqData& pitchData, LfoData& lfoData);
    ~ZuMirabox_CenterPanelMain() override;

    void resized() override;
    void timerCallback(int timerId) override;
    void colorMapping() override;
    void scrollBarMoved(juce::ScrollBar* bar, double newRangeStart) override;

    // After a preset or state load: rebuilds the units from "ctstate".
    void presetIsChanged();
    void setKeyboardFocusToTabPanel();
    // The quick bar takes the unit labels from the GUI tree again.
    void unitLabelChanged();
    // Hands the column's unit order to the quick bar.
    void updateQuickBar();
    // Scrolls the column so that the unit with that id shows, with the add
    // slot above it; a unit without a panel scrolls to the top.
    void quickAccessButtonClicked(int unitId);
    // Restores the view from "c_scl_p" and lets the view write it from then on.
    void recallCenterPanelPos();
    // Writes "c_scl_p".
    void updateScrollPosVt();

    // The unit column this container scrolls.
    ZuMirabox_CenterContent* getCenterContent() noexcept { return &content; }
    MyViewport& getViewport() noexcept { return viewport; }
    CustomScrollbar& getLeftBar() noexcept { return leftBar; }
    juce::TextButton& getEditOrderButton() noexcept { return editOrderButton; }
    juce::TextButton& getScrollbarButton() noexcept { return scrollbarButton; }
    CenterPanelQuickBar& getQuickBar() noexcept { return quickBar; }

    // How many layout passes ran (a unit's state change asks for one).
    int getNumLayouts() const noexcept { return numLayouts; }

    static constexpr int syncTimer = 0;
    static constexpr int syncDelayMs = 200;

private:
    ZuShared<ZuCLAF_Base> baseLookAndFeel;
    ZuShared<ZuCLAF_EditButton> buttonLookAndFeel;
    juce::DrawablePath topBarBackground;
    CenterPanelQuickBar quickBar;
    juce::TextButton editOrderButton, scrollbarButton;
    MyViewport viewport;
    CustomScrollbar leftBar;
    ZuMirabox_CenterContent content;
    juce::ValueTree guiTree;
    int numLayouts = 0;

    void setUpBar(juce::ScrollBar& bar, const juce::String& name);
    void setUpButton(juce::TextButton& button, const juce::String& name, const juce::String& tooltip);
    void focusViewport();
    juce::ScrollBar& rightBar() noexcept { return viewport.getVerticalScrollBar(); }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterPanelMain)
};
