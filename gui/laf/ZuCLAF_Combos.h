// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

#include <array>

// Combo boxes: the closed face (background, frame, arrow), the place and
// font of the box's text label (which each member sets on every layout,
// replacing a justification the owner gave), and a few popup-list options.
// The label has no look-and-feel of its own, so members that draw its text
// do so through the box's.

// Flat rounded box with a double arrow.
class ZuCLAF_FlatMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    juce::PopupMenu::Options getOptionsForComboBoxPopupMenu(juce::ComboBox& box, juce::Label& label) override;
};

// The face of ZuCLAF_FlatMenu, its own text placement and its own text for
// no selection.
class ZuCLAF_EventMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    void drawComboBoxTextWhenNothingSelected(juce::Graphics& g, juce::ComboBox& box, juce::Label& label) override;
};

// Flat box with one down-pointing triangle placed by "arrowsize".
class ZuCLAF_FlatMenu2 : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    juce::PopupMenu::Options getOptionsForComboBoxPopupMenu(juce::ComboBox& box, juce::Label& label) override;
};

// Outlined box whose corners are square on the sides "corner_l", "corner_r",
// "corner_t" and "corner_b" set to exactly 1.
class ZuCLAF_CornerFlatMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;

    // The frame's corners: upper left, upper right, lower left, lower right
    // rounded?
    static std::array<bool, 4> roundedCorners(const juce::Component& box);
};

// Filled rounded box without an arrow.
class ZuCLAF_BaseNoteMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
};

// Filled rounded box without an arrow, the text over the whole box.
class ZuCLAF_CcNumbMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
};

// Square box with a colour layer and an optional double arrow.
class ZuCLAF_SeqStepMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    juce::PopupMenu::Options getOptionsForComboBoxPopupMenu(juce::ComboBox& box, juce::Label& label) override;
};

// Square box with an optional double arrow.
class ZuCLAF_RootMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    juce::PopupMenu::Options getOptionsForComboBoxPopupMenu(juce::ComboBox& box, juce::Label& label) override;
};

// Outlined box; the label's text in the "Medium" face.
class ZuCLAF_ChordNoteMenu : public ZuCLAF_Base
{
public:
    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;
    void positionComboBoxText(juce::ComboBox& box, juce::Label& label) override;
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// As ZuCLAF_ChordNoteMenu, the note name over its octave on two lines.
class ZuCLAF_ChordNoteMenu2 : public ZuCLAF_ChordNoteMenu
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;

    // The text above and below the split line for a note text: "C#3" gives
    // "C#" over "3", "C#-1" gives "C#" over "-1"; lower only for one
    // character; both empty for no text or five and more characters.
    struct Lines
    {
        juce::String upper, lower;
        bool whole = false; // one character over the whole bounds
    };
    static Lines splitLines(const juce::String& text);
};
