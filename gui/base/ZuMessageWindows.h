// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"

// The editor's message overlay, the overwrite question of the preset menus
// and a one-line message component. Message thread only.

// A message laid over the whole editor: a title and an optional second line
// in a frame on black. Any click closes it through the editor.
class ZuMessageWindow : public ZuGuiBase
{
public:
    ZuMessageWindow(juce::String title, juce::String subText, float fontFactor, juce::Colour c1, juce::Colour c2,
                    juce::Colour c3, juce::Colour c4, juce::Colour c5, juce::Colour c6);

    void resized() override;
    void paint(juce::Graphics& g) override;
    // Closes (and deletes) this window through the editor: nothing may touch
    // it afterwards.
    void mouseDown(const juce::MouseEvent& e) override;

    void calcGuiBaseStuff();

    juce::Rectangle<int> getTitleArea() const noexcept { return titleArea; }
    juce::Rectangle<int> getSubTextArea() const noexcept { return subTextArea; }
    juce::Rectangle<int> getFrameArea() const noexcept { return frameArea; }
    float getFontFactor() const noexcept { return fontFactor; }

private:
    juce::Rectangle<int> titleArea, subTextArea, frameArea;
    float fontFactor;
    juce::String title, subText;
    juce::Colour c1, c2, c3, c4, c5, c6;
};

// The content of a call-out that asks whether to overwrite the current preset
// file: "Save as new" on the left, "Overwrite" on the right. A button first
// dismisses the call-out, then gives its owner the answer (0 overwrite, 1 save
// as new); an owner that is gone by then is not called.
class ZuOverWritePresetWndw : public juce::Component
{
public:
    ZuOverWritePresetWndw(ZuGuiBase& owner, juce::String message, juce::Colour c1, juce::Colour c2, juce::Colour c3,
                          juce::Colour c4, juce::Colour c5, juce::Colour c6);
    ~ZuOverWritePresetWndw() override;

    void calcGuiBaseStuff();
    void resized() override;
    void paint(juce::Graphics& g) override;
    void mouseDown(const juce::MouseEvent& e) override;
    // As a button click, for any button; only dismisses the box when button
    // is null. Nothing calls it.
    void exitWndw(juce::Button* button);

    static constexpr int overwriteCommand = 0;
    static constexpr int saveAsNewCommand = 1;

    juce::TextButton& getOverwriteButton() noexcept { return overwriteButton; }
    juce::TextButton& getSaveAsNewButton() noexcept { return saveAsNewButton; }
    juce::Rectangle<int> getTextArea() const noexcept { return textArea; }

private:
    void answer(int command);
    void dismissBox();
    void setUpButton(juce::TextButton& button, const juce::String& text, int command);

    ZuShared<ZuCLAF_DirButton> buttonLookAndFeel;
    juce::Rectangle<int> textArea;
    juce::Rectangle<int> windowBounds;
    juce::RectangleList<int> buttonAreas;
    juce::String message;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextButton overwriteButton, saveAsNewButton;
    juce::Component::SafePointer<ZuGuiBase> owner;
};

// A one-line message on a plain background.
class ZuMeessageWndw : public juce::Component
{
public:
    ZuMeessageWndw(const juce::String& text, juce::Colour background, juce::Colour textColour);
    void paint(juce::Graphics& g) override;

private:
    juce::String text;
    juce::Colour background, textColour;
};
