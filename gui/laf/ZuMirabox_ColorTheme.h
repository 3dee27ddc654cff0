// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// The one colour table of the editor, shared by every panel through
// juce::SharedResourcePointer (see ZuShared.h).
//
// A skin is a column: every per-skin entry holds 16 colours indexed by a
// panel's skin. Only skin 0 (light) and skin 1 (dark, the one the user sees)
// are filled; the other columns stay transparent black. The table is written
// once, in the constructor, and read-only afterwards.
//
// The panels also address the per-skin entries by number (0..61), the single
// colours by number (0..10) and the doubles by number (0..3); the numbered
// readers below check every index, so a bad index reads transparent black or 0
// instead of faulting.
class ZuMirabox_ColorTheme
{
public:
    static constexpr int numSkins = 16;
    using SkinColours = std::array<juce::Colour, numSkins>;

    ZuMirabox_ColorTheme();

    // Panel entries (numbers 0..51).
    SkinColours mainBgColor;
    SkinColours panelBgColor;
    SkinColours unitAreaBgColor;
    SkinColours popupBgColor;
    SkinColours accentColor;
    SkinColours knobTextColor;
    SkinColours knobThumbColor;
    SkinColours knobThumb2Color;
    SkinColours knobTrackColor;
    SkinColours knobBoxOutlineColor;
    SkinColours boxBgColor;
    SkinColours boxTextColor;
    SkinColours labelTextColor;
    SkinColours boxFocusColor;
    SkinColours comboOutlineColor;
    SkinColours comboTextColor;
    SkinColours diceTextColor;
    SkinColours modKnobThumbColor;
    SkinColours selectorOffColor;
    SkinColours selectorOnColor;
    SkinColours selectorTextOffColor;
    SkinColours buttonTextOnColor;
    SkinColours stepButtonTextOffColor;
    SkinColours buttonOutlineColor;
    SkinColours snapTextOffColor;
    SkinColours ledOffColor;
    SkinColours pageTextOffColor;
    SkinColours toggleTextOffColor;
    SkinColours iconFillColor;
    // Two entries of the single-sequencer panel set (numbers 29 and 30): a
    // line colour and the fill of its separators.
    SkinColours seq1LineColor;
    SkinColours seq1SeparatorColor;
    SkinColours unitBgColor;
    SkinColours ctrlIconColor;
    SkinColours stepKnobThumbColor;
    SkinColours stepBoxBgColor;
    SkinColours unitModKnobColor;
    SkinColours unitLabelTextColor;
    SkinColours unitBoxOutlineColor;
    SkinColours unitBoxTextColor;
    SkinColours unitBoxBgColor;
    SkinColours diceButtonTextOffColor;
    SkinColours diceButtonTextOff2Color;
    SkinColours stepLedOffColor;
    SkinColours dirButtonTextOnColor;
    SkinColours dirButtonTextOffColor;
    SkinColours arrowButtonOnColor;
    SkinColours dirButtonColor;
    SkinColours pitchUnitColor;
    SkinColours paramUnitColor;
    SkinColours ccUnitColor;
    SkinColours ccRackUnitColor;
    SkinColours octTpUnitColor;

    // Darkened unit-kind colours (single colours 0..4).
    juce::Colour pitchUnitDarkColor;
    juce::Colour paramUnitDarkColor;
    juce::Colour ccUnitDarkColor;
    juce::Colour ccRackUnitDarkColor;
    juce::Colour octTpUnitDarkColor;

    // Modulation and macro entries (numbers 52..61).
    SkinColours addMenuBgColor;
    SkinColours macroColor;
    SkinColours macroLabelBgColor;
    SkinColours macroLabelTextColor;
    SkinColours modPanelBgColor;
    SkinColours waveButtonColor;
    SkinColours waveButtonOnColor;
    SkinColours waveButtonTextOffColor;
    SkinColours waveButtonTextOnColor;
    SkinColours lfoKnobTextColor;

    // Chord tool, settings panel and top strip (single colours 5..10).
    juce::Colour chordBgColor;
    juce::Colour chordDarkColor;
    juce::Colour chordLightColor;
    juce::Colour settingsFillColor;
    juce::Colour highlightTextColor;
    juce::Colour darkBlueColor;

    // Drag-velocity offsets (doubles 0..3), the offset argument of
    // juce::Slider::setVelocityModeParameters.
    double velocityOffset = 0.033;
    double velocityOffsetClock = 0.041;
    double velocityOffsetMid = 0.038;
    double velocityOffsetStartSize = 0.031;

    static constexpr int numEntries = 62;
    static constexpr int numSingleColours = 11;
    static constexpr int numDoubles = 4;

    // Per-skin entry number e at skin s; transparent black outside the table.
    juce::Colour entry(int e, int skin) const noexcept;
    // Single colour number k; transparent black outside the table.
    juce::Colour single(int k) const noexcept;
    // Double number i; 0 outside the table.
    double dragValue(int i) const noexcept;

private:
    static const std::array<SkinColours ZuMirabox_ColorTheme::*, numEntries> entryTable;
    static const std::array<juce::Colour ZuMirabox_ColorTheme::*, numSingleColours> singleTable;
    static const std::array<double ZuMirabox_ColorTheme::*, numDoubles> doubleTable;
};
