// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCLAF_MenuStripButtons.h"
#include "ZuGuiBase.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// A narrow add slot with a plus icon between the units of the center column:
// a click opens the add menu in a call-out, and a unit picked there is
// inserted at this slot's index. The slots are rebuilt after every change of
// the unit list, so an index is a position, not a unit. Message thread only.
class AddComp : public juce::Component, public juce::SettableTooltipClient, public juce::MultiTimer
{
public:
    explicit AddComp(int slotIndex);
    ~AddComp() override;

    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent& e) override;
    void resized() override;
    void timerCallback(int timerId) override;

    // Opens the add menu over the editor, the units present disabled.
    void OpenPopupMenu();

    int getSlotIndex() const noexcept { return slotIndex; }
    bool isHovered() const noexcept { return hover; }
    const juce::Component& getAnchor() const noexcept { return anchor; }

    static constexpr int hoverTimer = 0;
    static constexpr int hoverCheckMs = 500;

private:
    ZuShared<ZuCLAF_Base> baseLookAndFeel;
    ZuShared<ZuMirabox_ColorTheme> theme;
    juce::Path iconPath;
    bool hover = false;
    const int slotIndex;
    juce::Component anchor;
    juce::DrawablePath outline, icon;
    juce::DrawableComposite drawing;

    void calcGuiBaseStuff();
    void updateDrawable();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AddComp)
};

// The add menu: one button per unit id in a 4 x 4 grid (pitch, parameter and
// CC units by column, then the octave-transpose unit and the two CC racks),
// in the settings' unit colours. A click adds the unit at the slot that opened
// the menu and closes the call-out; when that slot is gone meanwhile (the
// list changed under the open menu) the click only closes it.
class AddMenuContent : public ZuGuiBase
{
public:
    // colours: the settings' unit colours (pitch, parameter, CC, CC rack,
    // octave-transpose); present: flag id - 1 for every unit already there.
    AddMenuContent(AddComp& owner, const std::array<bool, 15>& present, std::array<juce::Colour, 5> colours);
    ~AddMenuContent() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;

    juce::TextButton& getButton(int index) { return buttons[(size_t) juce::jlimit(0, 14, index)]; }

private:
    ZuShared<ZuCLAF_Base> baseLookAndFeel;
    ZuShared<ZuCLAF_CenterUnitAddButton> addButtonLookAndFeel;
    std::array<juce::TextButton, 15> buttons;
    juce::Component::SafePointer<AddComp> owner;

    void buttonPicked(int unitId);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AddMenuContent)
};
