// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCLAF_StripMembers.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include "DispShareData.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The small button, slider and combo-box variants that the panels use in
// place of the plain JUCE widgets. Each changes one or two mouse behaviours
// and has no layout of its own. Message thread only.

// Where the widgets read the mouse buttons and keys held right now. JUCE asks
// the window system; a test without a pointer sets its own state here.
struct ZuRealtimeModifiers
{
    static juce::ModifierKeys get();
    static std::function<juce::ModifierKeys()>& source();
    static bool rightButtonDown() { return get().isRightButtonDown(); }
};

// A button that a right press does not press, so that its owner may open a
// context menu (MIDI learn) from its own mouse handler.
class MappableButton : public juce::TextButton
{
public:
    MappableButton() = default;

    void mouseDown(const juce::MouseEvent& e) override;

    // The host parameter the button stands for, where an owner notes one.
    juce::String paramId;

private:
    ZuShared<ZuCLAF_Base> commonLookAndFeel;
};

// A step toggle whose Alt-drag paints its on/off state onto the other
// draggable buttons the pointer enters.
class DraggableButton : public juce::TextButton, public juce::DragAndDropContainer, public juce::DragAndDropTarget
{
public:
    DraggableButton() = default;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    bool isInterestedInDragSource(const SourceDetails& details) override;
    void itemDropped(const SourceDetails& details) override;
    void itemDragEnter(const SourceDetails& details) override;
    void itemDragExit(const SourceDetails& details) override;
    bool shouldDrawDragImageWhenOver() override;

    // The description of the drags it starts and the only one it accepts.
    juce::String groupId;

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
};

// A toggle handled on press and release: latching, or on only while held
// when momentary is set.
class MomentaryButton : public juce::TextButton
{
public:
    explicit MomentaryButton(int id) : buttonId(id) {}

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;

    bool momentary = false;

private:
    ZuShared<ZuCLAF_MidiLearnPopMenu> popMenuLookAndFeel;
    int buttonId;
};

// A button that notes whether its last click came from the right button.
class RndButton : public juce::TextButton
{
public:
    void clicked(const juce::ModifierKeys& modifiers) override;

    // 1 when the right button made the click, else 0; set before the click
    // handlers run.
    int rightClick = 0;
};

// A slider that ignores the right button.
class ZuSlider : public juce::Slider
{
public:
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
};

// A knob whose values inside a window snap to a target.
class FxKnob : public ZuSlider, public juce::Value::Listener
{
public:
    void mouseDown(const juce::MouseEvent& e) override;
    double snapValue(double value, juce::Slider::DragMode mode) override;
    void valueChanged(juce::Value& value) override;

private:
    ZuShared<ZuCLAF_Base> commonLookAndFeel;
    ZuShared<FxUnitShared> knobNames;

public:
    bool snapOn = false;
    double snapTarget = 0.5;
    // The window is lower <= value < upper, in double precision so that an
    // edge such as -0.02 snaps exactly.
    double snapLower = 0.49;
    double snapUpper = 0.51;
    juce::Value value1, value2, value3;
};

// A controller-number box: a press opens a menu of "--" and "0" to "127";
// its value is 0 for "--" and controller + 1. It cannot be dragged.
class CcBox : public juce::Slider
{
public:
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;

    // The menu the press opens: item 1 "--", items 2..129 the controllers.
    static juce::PopupMenu buildMenu();
    // What a menu result does: r > 0 sets the value r - 1; 0 changes nothing.
    void menuChosen(int result);
    // The text of a value: "--" for 0, otherwise the controller (value - 1).
    static juce::String valueText(double value);
};

// A combo box with its own popup layout; a mouse press does not open it.
class ZuComboBox : public juce::ComboBox
{
public:
    void mouseDown(const juce::MouseEvent& e) override;
    void showPopup() override;

    // The minimum number of popup columns for a number of items.
    static int minimumColumns(int numItems) noexcept;
    // Makes the popup menu's items ready to show: an empty box gets a
    // disabled "----"; otherwise only the selected id is ticked.
    void prepareItems();
    // The popup options for an editor of that size.
    juce::PopupMenu::Options popupOptions(int editorWidth, int editorHeight);

private:
    ZuShared<ZuCLAF_Base> commonLookAndFeel1;
    ZuShared<ZuCLAF_Base> commonLookAndFeel2;
};
