// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCLAF_StripMembers.h"
#include "ZuDsLayer.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>
#include <vector>

class CenterPanelQuickBar;

// The quick bar's toolbar. A button dragged out of the bar stays on it, and
// the end of every drag makes the enclosing quick bar report the order.
// Its destructor leaves the process-wide default look-and-feel alone: the
// editors count who still uses it.
class ZuDraggableToolbar : public juce::Toolbar
{
public:
    ZuDraggableToolbar() = default;

    void resized() override;
    void itemDropped(const SourceDetails& details) override;
    void itemDragExit(const SourceDetails& details) override;

    // Every button's text := "unitlabel" + its id from guiTree, "----" when missing.
    void updateButtonText(juce::ValueTree guiTree);

private:
    void reportOrderSoon();
};

// One button per unit of the center column, in the column's order, coloured
// by unit kind and named by the unit's label. A click scrolls the column to
// the unit; in edit mode the buttons are dragged to reorder the units; a
// right click offers "Delete" and "Rename". The order travels as the
// toolbar's string: "TB:" then the unit ids separated by single blanks.
// Message thread only.
class CenterPanelQuickBar : public juce::Component, public juce::Button::Listener, public juce::MultiTimer
{
public:
    // Kind colour indices, in the order of the settings' unit colours.
    enum KindColour : int
    {
        pitchColour = 0,
        paramColour = 1,
        ccColour = 2,
        ccRackColour = 3,
        octTpColour = 4,
        numKindColours = 5
    };

    // Right-click menu items.
    static constexpr int deleteItemId = 1000;
    static constexpr int renameItemId = 2000;
    // Reorder report delay and the blink timers' periods.
    static constexpr int reorderDelayMs = 50;
    static constexpr int blinkPeriodMs = 50;
    static constexpr int blinkEndDelayMs = 60;

    class DemoToolbarItemFactory : public juce::ToolbarItemFactory
    {
    public:
        class CustomToolbarButton : public juce::ToolbarItemComponent
        {
        public:
            CustomToolbarButton(int unitId, CenterPanelQuickBar& bar);
            ~CustomToolbarButton() override;

            bool getToolbarItemSizes(int depth, bool isVertical, int& preferred, int& minimum, int& maximum) override;
            void paintButtonArea(juce::Graphics&, int, int, bool, bool) override {}
            void contentAreaChanged(const juce::Rectangle<int>&) override {}
            void mouseDown(const juce::MouseEvent& e) override;
            void handleCommandMessage(int commandId) override;

            int getKindIndex() const noexcept { return kindIndex; }
            // What the right-click menu's answer runs. It holds the unit id read
            // now and weak references only, so it may run after this button
            // (or the whole bar) is gone.
            std::function<void(int)> makeMenuCallback();

        private:
            ZuShared<ZuMirabox_ColorTheme> colorTheme;
            ZuShared<ZuCLAF_ToolbarButton> toolbarLookAndFeel;
            CenterPanelQuickBar& quickBar;
            int kindIndex = 0;
        };

        explicit DemoToolbarItemFactory(CenterPanelQuickBar& bar) : quickBar(bar) {}

        void getAllToolbarItemIds(juce::Array<int>& ids) override;
        void getDefaultItemSet(juce::Array<int>& ids) override;
        juce::ToolbarItemComponent* createItem(int itemId) override;

    private:
        ZuShared<ZuMirabox_ColorTheme> colorTheme;
        CenterPanelQuickBar& quickBar;
    };
    using CustomToolbarButton = DemoToolbarItemFactory::CustomToolbarButton;

    explicit CenterPanelQuickBar(juce::ValueTree guiTree);
    ~CenterPanelQuickBar() override;

    // Shows exactly these units (ids 1..15) in this order.
    void update(std::vector<int>& ids);
    void setSkinMode(int skin);
    void setEditMode(bool on);
    void unitLabelChanged();
    void buttonClicked(juce::Button* button) override;
    void timerCallback(int timerID) override;
    void resized() override;
    void updateDrawable();

    // The right-click menu's answer for the unit with that id; button is the
    // clicked button while it still exists.
    void unitMenuChosen(int result, int unitId, juce::Component::SafePointer<CustomToolbarButton> button);

    // Kind colour k (clamped to 0..4).
    juce::Colour kindColour(int k) const noexcept;
    int getSkinMode() const noexcept { return skinMode; }
    juce::Colour getBaseColour() const noexcept { return baseColour; }
    float getBlinkLevel() const noexcept { return blinkLevel; }
    juce::Colour getBlinkColour() const noexcept { return blinkColour; }

    ZuDraggableToolbar& getToolbar() noexcept { return toolbar; }
    CustomToolbarButton* getButton(int index) const;

private:
    ZuShared<ZuCLAF_Base> commonLookAndFeel;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    juce::Path backgroundPath;
    juce::DrawablePath background, outline;
    ZuDraggableToolbar toolbar;
    DemoToolbarItemFactory factory{*this};
    ZuDsLayer shadowLayer;
    juce::Colour baseColour;
    int skinMode = 0;
    // Edit-mode blink state; the timers keep it, the outline does not show it.
    juce::Colour blinkColour{0xff686868};
    float blinkStep = 0.05f;
    float blinkLevel = 1.0f;
    float blinkCurrentStep = 0.1f;
    juce::ValueTree guiTree;
    std::array<juce::Colour, numKindColours> kindColours;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPanelQuickBar)
};
