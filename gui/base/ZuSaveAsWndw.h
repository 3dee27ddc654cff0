// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

class ZumiraboxAudioProcessorEditor;

// Edits the name, author, category and rating of a preset description tree
// in a call-out. "Save as" writes the four values into the tree and closes;
// "Cancel" only closes. It writes no file.
class ZuSaveAsWndw : public juce::Component
{
public:
    static constexpr int categoryOffset = 100000;
    static constexpr int ratingOffset = 400001;
    static const juce::StringArray categories;
    static const juce::StringArray ratings;

    ZuSaveAsWndw(ZumiraboxAudioProcessorEditor& editor, juce::ValueTree presetInfo, juce::String text,
                 juce::String defaultAuthor, juce::Colour c1, juce::Colour c2, juce::Colour c3, juce::Colour c4,
                 juce::Colour c5, juce::Colour c6);
    ~ZuSaveAsWndw() override;

    void calcGuiBaseStuff();
    void resized() override;
    void paint(juce::Graphics& g) override;
    void mouseDown(const juce::MouseEvent&) override {}
    void exitWndw(juce::Button* button);

    // The name with the characters a file name cannot hold removed.
    static juce::String legalName(const juce::String& name);

    juce::TextEditor& getNameField() noexcept { return nameField; }
    juce::TextEditor& getAuthorField() noexcept { return authorField; }
    juce::ComboBox& getCategoryBox() noexcept { return categoryBox; }
    juce::ComboBox& getRatingBox() noexcept { return ratingBox; }
    juce::Button& getSaveButton() noexcept { return saveButton; }
    juce::Button& getCancelButton() noexcept { return cancelButton; }

private:
    void save();
    void styleField(juce::TextEditor& field);

    ZuShared<ZuCLAF_Base> lookAndFeel;
    juce::RectangleList<int> buttonAreas;
    juce::Rectangle<int> nameCaptionArea, nameFieldArea, authorCaptionArea, authorFieldArea, categoryCaptionArea,
        categoryBoxArea, ratingCaptionArea, ratingBoxArea;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextButton saveButton{"Save as"}, cancelButton{"Cancel"};
    juce::Label nameCaption, authorCaption, categoryCaption, ratingCaption;
    juce::TextEditor nameField, authorField;
    juce::ComboBox categoryBox, ratingBox;
    juce::ValueTree presetInfo;
    juce::String text;
    juce::Component::SafePointer<ZumiraboxAudioProcessorEditor> editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuSaveAsWndw)
};
