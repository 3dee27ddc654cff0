// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Base of every panel and of most composite widgets of the editor.
//
// It holds a share of the colour theme and the panel's skin (the theme column
// it draws with), a base colour an owner may tint it with, and one fixed set of
// hooks through which the editor and parent panels recolour, re-lay and notify
// their children. A panel is the direct listener of its own sliders, buttons,
// combo boxes and values, and runs its own timers and asynchronous updates.
//
// Skin handling: setSkinMode stores the skin and runs colorMapping(); a
// colorMapping() reads the theme at skinMode, sets its widgets' colours and
// style properties, passes the skin on to its child panels with
// setSkinMode(skinMode) and repaints.
//
// Message thread only.
class ZuGuiBase : public juce::Component,
                  public juce::AsyncUpdater,
                  public juce::MultiTimer,
                  public juce::Slider::Listener,
                  public juce::Button::Listener,
                  public juce::ComboBox::Listener,
                  public juce::Value::Listener
{
public:
    ZuGuiBase() = default;
    ~ZuGuiBase() override = default;

    // Hooks, in this order. The base does nothing unless said otherwise.
    void timerCallback(int timerID) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void buttonClicked(juce::Button* button) override;
    void comboBoxChanged(juce::ComboBox* box) override;
    void valueChanged(juce::Value& value) override;
    // Stores the skin, then runs colorMapping(), even for the same skin.
    virtual void setSkinMode(int skin);
    // Stores the colour, then runs updateCompColor().
    virtual void setBaseColor(juce::Colour& colour);
    virtual void tryToGetDispSrcValue();
    // The overwrite confirmation's answer: 0 "Overwrite", 1 "Save as new".
    virtual void calloutBoxButtonIsClicked(int choice);
    virtual void colorMapping();
    virtual void setPopupValDispState(bool state);
    // Makes sure tree has a child of type id holding "mod1" to "mod8": adds
    // what is missing, in order, and never removes or reorders children.
    virtual void checkModUnitParamTree(juce::ValueTree tree, juce::Identifier& id, int, int);
    virtual void panelInit();
    virtual void updateCompColor();
    virtual void resize_guiBounds();
    void handleAsyncUpdate() override;
    // Adds slider as this panel's rotary knob over 0..1 without a text box.
    virtual void makePanelKnob(juce::Slider& slider, juce::LookAndFeel_V4& lookAndFeel, juce::String name,
                               juce::String tooltip, bool, juce::Component*);
    // The same for any owner: adds slider to owner and shapes it so.
    static void shapePanelKnob(juce::Component& owner, juce::Slider& slider, juce::LookAndFeel_V4& knobLookAndFeel,
                               const juce::String& name, const juce::String& tooltip);

    // Asks in a call-out next to anchor whether to overwrite the current
    // preset file; the answer comes back through calloutBoxButtonIsClicked.
    void openOverWritePresetWndw(juce::Component& anchor);

    // The per-panel "Initialize" menu (item 5000 runs panelInit()).
    static constexpr int initializeItemId = 5000;
    void openPanelMenu(juce::Button* button);
    juce::PopupMenu getMyPanelMenu(bool);
    void panelMenuHandler(int itemId, juce::Component*);

    // The first step cell of a row of count cells centred in area (single
    // precision, as the single-sequencer panels lay their rows out).
    void calcSeq1StepBaseRect(juce::Rectangle<int>& area, juce::Rectangle<int>& cell, int count);

    int getSkinMode() const noexcept { return skinMode; }

    // A centre-detented slider: values just around the middle snap to 0.5.
    class SnapSlider_Center : public juce::Slider
    {
    public:
        // Bounds of the detent: the single-precision 0.47 and 0.53 widened,
        // exclusive.
        static constexpr double detentLow = (double) 0.47f;
        static constexpr double detentHigh = (double) 0.53f;

        double snapValue(double value, juce::Slider::DragMode mode) override;
    };

protected:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    juce::Colour baseColor{0xffffffff};
    int skinMode = 0;
    juce::Colour panelColor{0x00000000};

    // The theme entry of this panel's skin; transparent black for a skin
    // outside the table.
    juce::Colour themeColour(const ZuMirabox_ColorTheme::SkinColours& entry) const noexcept
    {
        return (skinMode >= 0 && skinMode < ZuMirabox_ColorTheme::numSkins) ? entry[(size_t) skinMode] : juce::Colour();
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuGuiBase)
};
