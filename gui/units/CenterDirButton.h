// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// The two radio strips of a sequencer unit: a unit's play direction and a
// step's octave. Each strip mirrors a hidden slider that is bound to one
// property of the unit's data tree. A click writes the property at once; any
// change of the property, whoever made it (a click, a state load, a unit
// operation), lights the matching button 100 ms later, so a burst of changes
// settles into one update. A value that names no button lights none.
// Message thread only.

// The part both strips share: the buttons, the hidden slider, the click and
// the delayed follow.
template <int N, typename Look>
class CenterRadioStrip : public juce::Component,
                         public juce::Button::Listener,
                         public juce::Slider::Listener,
                         public juce::Value::Listener,
                         public juce::MultiTimer
{
public:
    static constexpr int numButtons = N;
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;

    ~CenterRadioStrip() override
    {
        stopTimer(followTimer);
        hiddenSlider.getValueObject().removeListener(this);
        hiddenSlider.removeListener(this);
        for (auto& b : buttons)
            b.setLookAndFeel(nullptr);
    }

    // A click on a button that is now on selects its "index" at once.
    void buttonClicked(juce::Button* button) override;
    // Any change of the value lights its button followDelayMs later.
    void sliderValueChanged(juce::Slider*) override { startTimer(followTimer, followDelayMs); }
    void valueChanged(juce::Value&) override { startTimer(followTimer, followDelayMs); }
    void timerCallback(int) override;

    int getCurrentIndex() const noexcept { return currentIndex; }
    MappableButton& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, N - 1, i)]; }
    juce::Slider& getHiddenSlider() noexcept { return hiddenSlider; }

protected:
    CenterRadioStrip(const std::array<const char*, N>& texts, float fontSize, const juce::String& sliderName);

    juce::Colour entry(int e) const { return colorTheme->entry(e, skinMode); }
    // Binds the hidden slider (writing the default when missing) and lights
    // the button of the bound value, kept within the row.
    void bindValue(juce::ValueTree tree, const juce::String& id, float defaultValue);

    ZuShared<Look> lookAndFeel;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    int currentIndex = 0;
    int skinMode = 0;
    juce::Colour baseColor;
    juce::Slider hiddenSlider;
    std::array<MappableButton, N> buttons;

    JUCE_DECLARE_NON_COPYABLE(CenterRadioStrip)
};

// The play direction: ">", "<", "><1", "><2", "?", "??" over prefix + "dir"
// (0..5, default 0), with the direction's two modulation slots at the right.
class CenterDirButton : public CenterRadioStrip<6, ZuCLAF_DirButton>
{
public:
    CenterDirButton();

    // Binds prefix + "dir" (writing 0 when missing) and its modulation slots.
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);
    void setSkinMode(int skin);
    void resized() override;

    ZuPairOfModKnobs& getModPair() noexcept { return modPair; }

    static const std::array<const char*, numButtons> texts;
    static const std::array<const char*, numButtons> tooltips;

private:
    ZuPairOfModKnobs modPair{true, 2};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterDirButton)
};

// A step's octave: "-2".."+2" over one property (0..4, default 2, shift
// value - 2). Dimmed while the step lies outside the unit's play window.
class CenterOctButton : public CenterRadioStrip<5, ZuCLAF_OctButton>
{
public:
    CenterOctButton();

    // Binds the full property id (writing 2 when missing).
    void setAttachment(juce::ValueTree unitTree, juce::String id);
    void setSkinMode(int skin);
    void setStepRngState(bool inRange);
    void resized() override;

    bool isInRange() const noexcept { return inRange; }
    juce::Colour getUnitColour() const noexcept { return unitColor; }

    static const std::array<const char*, numButtons> texts;
    static constexpr const char* tooltip = "Sets the step octave (+/-2 octaves)";

private:
    // The selection colour: the unit colour, much darker out of range.
    juce::Colour focusColour() const { return inRange ? unitColor : unitColor.darker(0.8f); }
    void applyFocusColour();

    bool inRange = true;
    juce::Colour unitColor{0xffffffff};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterOctButton)
};
