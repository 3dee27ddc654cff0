// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Combo boxes that hold a MIDI note as their selected item but open a piano
// key note picker in a call-out instead of the list menu. The owner fills
// the items and styles the box; the picker writes the chosen note back as
// the selected item index, so owners see it as an ordinary selection.
//
// KeyboardMenu: index 0 = no note, index k (1..128) = note k - 1.
// KeyboardMenu2: index k (0..127) = note k.
class KeyboardMenu : public juce::ComboBox, public juce::Timer
{
public:
    // The picker leaves the box in its popup-active state; this long after
    // opening, the box leaves it so the next click opens a new picker.
    static constexpr int popupActiveMs = 1000;

    KeyboardMenu();
    ~KeyboardMenu() override;

    void showPopup() override;
    void timerCallback() override;

    // The call-out of the last opening, while it is open.
    juce::CallOutBox* getOpenCallOut() const noexcept { return openCallOut.getComponent(); }

    ZuShared<ZuMirabox_ColorTheme> theme;
    int skinIndex = 0;
    juce::Colour colour{0xff000000};

protected:
    juce::Component::SafePointer<juce::CallOutBox> openCallOut;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(KeyboardMenu)
};

class KeyboardMenu2 : public juce::ComboBox, public juce::Timer
{
public:
    static constexpr int popupActiveMs = 1000;

    KeyboardMenu2();
    ~KeyboardMenu2() override;

    void showPopup() override;
    void timerCallback() override;

    juce::CallOutBox* getOpenCallOut() const noexcept { return openCallOut.getComponent(); }

    ZuShared<ZuMirabox_ColorTheme> theme;
    int skinIndex = 0;
    juce::Colour colour{0xffe0e0e0};

private:
    juce::Component::SafePointer<juce::CallOutBox> openCallOut;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(KeyboardMenu2)
};

namespace zu::notepicker
{
// Opens picker in a call-out over host pointing at box, sized by the factors
// of host's bounds, outlined in colour.darker(0.5); returns the call-out.
juce::CallOutBox& open(juce::ComboBox& box, juce::Component& host, std::unique_ptr<juce::Component> picker,
                       float widthFactor, float heightFactor, juce::Colour fill, juce::Colour colour);
} // namespace zu::notepicker
