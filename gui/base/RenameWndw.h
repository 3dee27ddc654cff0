// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ZumiraboxAudioProcessorEditor;

// One-line text field that renames a sequencer unit, shown in a call-out over
// the editor. There is no cancel: whichever way the call-out closes (Return,
// Escape, a click outside), the window's destruction commits a non-empty
// name to the editor; an empty field keeps the old name. The field takes the
// keyboard focus, its text selected, as soon as the call-out shows.
class RenameWndw : public juce::Component
{
public:
    static constexpr int maxNameLength = 50;

    RenameWndw(ZumiraboxAudioProcessorEditor& editor, int unitId, juce::String name, juce::Colour c1, juce::Colour c2,
               juce::Colour c3, juce::Colour c4, juce::Colour c5, juce::Colour c6);
    ~RenameWndw() override;

    // The commit the destructor runs.
    void renamedNotify();
    // Closes the enclosing call-out.
    void exitWndw();

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseDown(const juce::MouseEvent&) override {}

    juce::TextEditor& getTextField() noexcept { return textField; }

private:
    int unitId;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextEditor textField;
    // The editor may close before the call-out that holds this window.
    juce::Component::SafePointer<ZumiraboxAudioProcessorEditor> editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(RenameWndw)
};
