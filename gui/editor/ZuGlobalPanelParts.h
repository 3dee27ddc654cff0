// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuEditorAccess.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <optional>

// What the global panels of the bottom pages share: the way to the processor
// through the enclosing editor, the five unit colours the user chose, and the
// caption style of their boxes. Message thread only.
namespace zu::global
{
// The unit colours in the order the settings keep them: pitch, parameter,
// CC, CC rack, octave-transpose.
using UnitColours = std::array<juce::Colour, 5>;

// The processor of the editor that encloses component; nothing when the
// component is not (or no longer) inside an editor.
std::optional<ZuEditorAccess> editorAccess(const juce::Component& component);
std::optional<UnitColours> unitColours(const juce::Component& component);

// A control whose click leaves the keyboard focus where it was (the host
// keeps its shortcuts, Return and Space never fire the last clicked control).
void keepFocusAway(juce::Component& control);

// A box caption: added to owner, centred, drawn by look on background with
// the text colour 0xffcccccc in the face "Medium" at fontSize.
void addCaption(juce::Component& owner, juce::Label& label, juce::LookAndFeel& look, juce::Colour background,
                const juce::String& text, float fontSize);
// The caption after a skin change: its background and text colours.
void recolourCaption(juce::Label& label, juce::Colour background, juce::Colour text);

// The settings and colour pages' layout base for a page of w x h: their
// rounded background (corner 2) and, inside it, the area their columns use.
struct RoundedPageArea
{
    juce::Path rounded;
    juce::Rectangle<int> usable;
};
RoundedPageArea roundedPageArea(int w, int h);
} // namespace zu::global
