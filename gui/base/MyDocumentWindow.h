// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A floating window inside the editor (never on the desktop) that remembers
// its place and height as fractions of its parent in a value tree: 100 ms
// after the last move, and when it closes. Its close button and Backspace
// close it through the editor; its owner keeps it for the next showing.
// Message thread only.
class MyDocumentWindow : public juce::DocumentWindow, public juce::KeyListener, public juce::MultiTimer
{
public:
    // The int and bool arguments are not used.
    MyDocumentWindow(const juce::String& title, juce::Colour background, juce::ValueTree tree, int, bool);
    ~MyDocumentWindow() override;

    // Writes the height, x and y factors. Nothing is written while the window
    // has no parent of some size, nor under an identifier the owner left empty.
    void updateVtState();

    void moved() override;
    void childBoundsChanged(juce::Component* child) override;
    void closeButtonPressed() override;
    void timerCallback(int timerId) override;
    // Backspace, with any modifiers, closes the window; the key is never
    // consumed.
    bool keyPressed(const juce::KeyPress& key, juce::Component* originatingComponent) override;
    using juce::DocumentWindow::keyPressed;

    static constexpr int stateTimer = 0;
    static constexpr int stateDelayMs = 100;

    juce::ValueTree windowState;
    juce::Identifier heightFactorId;
    juce::Identifier xFactorId;
    juce::Identifier yFactorId;
    bool isChordWindow = false;
};

// A menu-bar model without menus.
class MyWndwBar : public juce::MenuBarModel
{
public:
    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex(int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected(int menuItemID, int topLevelMenuIndex) override;
};
