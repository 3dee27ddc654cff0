// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <unordered_set>

// Keeps the host's keys with the host. JUCE buttons, combo boxes and the like
// take the keyboard focus when clicked, and a focused button fires again on
// Return: in a plug-in that turns the host's shortcuts into clicks on
// whatever the user touched last. Attached to a root (the editor, a call-out
// on the desktop), the policy watches every component below it, also the ones
// added later at any depth, and gives each control, as it joins:
// - no keyboard focus from a mouse click, and
// - no keyboard focus at all (so neither focus traversal nor a parent that
//   looks for a focus holder can land on it).
// Typing fields (juce::TextEditor, including the one a label opens while it is
// edited) keep their focus rules; components that are no controls (panels,
// the unit column's viewport, windows) keep theirs too, so a click on a
// panel still moves the focus to the nearest holder above it. Should a control
// get the focus anyway (JUCE resets a combo box's flag when its look changes),
// it is given away again before a key can reach it.
//
// A panel gets all this by being placed under the editor; nothing is needed
// in its own code. Message thread only.
class ZuFocusPolicy : private juce::ComponentListener, private juce::FocusChangeListener
{
public:
    ZuFocusPolicy() = default;
    ~ZuFocusPolicy() override;

    // Starts watching root and everything below it; root must outlive the
    // policy or be deleted while it watches.
    void attachTo(juce::Component& root);

    // Whether the policy counts c as a control (no keyboard focus), as a
    // typing field, or as neither.
    static bool isControl(const juce::Component& c);
    static bool isTypingField(const juce::Component& c);
    // What the policy does to one component.
    static void apply(juce::Component& c);

    // Gives field the keyboard focus once it shows and the window can take
    // it, trying again for a while: a call-out opened from a popup menu comes
    // up while the menu's window still has the focus.
    static void focusWhenShown(juce::TextEditor& field);

private:
    void watch(juce::Component& c);
    void componentChildrenChanged(juce::Component& c) override;
    void componentBeingDeleted(juce::Component& c) override;
    void globalFocusChanged(juce::Component* focused) override;

    juce::Component::SafePointer<juce::Component> root;
    std::unordered_set<juce::Component*> watched;

    JUCE_DECLARE_NON_COPYABLE(ZuFocusPolicy)
};
