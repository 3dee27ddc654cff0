// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

class ZumiraboxAudioProcessorEditor;

// Asks, in a call-out over the editor, what to do when a whole-plug-in preset
// is saved onto a file that exists: "Overwrite" (answer 0) or "Save as new"
// (answer 1). The answer goes to the editor, then the call-out closes.
// Closing it without a button gives no answer.
class ZuOverWritePresetWndw2 : public juce::Component
{
public:
    ZuOverWritePresetWndw2(ZumiraboxAudioProcessorEditor& editor, juce::String fileName, juce::Colour c1,
                           juce::Colour c2, juce::Colour c3, juce::Colour c4, juce::Colour c5, juce::Colour c6);
    ~ZuOverWritePresetWndw2() override;

    void calcGuiBaseStuff();
    void resized() override;
    void paint(juce::Graphics& g) override;
    void mouseDown(const juce::MouseEvent&) override {}
    // Answers with the button's command id, then closes the call-out.
    void exitWndw(juce::Button* button);

    // The one-line message: the quoted file name, a blank and the suffix.
    juce::String getMessage() const;
    juce::Rectangle<int> getMessageArea() const noexcept { return messageArea; }
    juce::Button& getOverwriteButton() noexcept { return overwriteButton; }
    juce::Button& getSaveAsNewButton() noexcept { return saveAsNewButton; }

private:
    ZuShared<ZuCLAF_Base> lookAndFeel;
    juce::Rectangle<int> messageArea, windowBounds;
    juce::RectangleList<int> buttonAreas;
    juce::String fileName;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextButton overwriteButton{"Overwrite"}, saveAsNewButton{"Save as new"};
    juce::String messageSuffix{" already exists."};
    juce::Component::SafePointer<ZumiraboxAudioProcessorEditor> editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuOverWritePresetWndw2)
};
