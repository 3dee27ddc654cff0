// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuConvert.h"
#include "ZuGuiBase.h"
#include "ZuStyleProps.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>

// Layout and style steps that the single-sequencer widgets share. Message
// thread only.
namespace zu::seq1
{
constexpr int stepsPerPage = 16;
constexpr int numSteps = 32;

// A single-precision product truncated toward zero, as the layouts take it.
inline int trunc(float v) noexcept
{
    return (int) v;
}

// The 1-based step number of widget k of page p (0 steps 1..16, 1 steps 17..32).
inline int stepNumber(int page, int k) noexcept
{
    return stepsPerPage * page + k + 1;
}

// The four colours of a text button: on, off, text off, text on.
inline void setButtonColours(juce::Button& b, juce::Colour on, juce::Colour off, juce::Colour textOff,
                             juce::Colour textOn)
{
    b.setColour(juce::TextButton::buttonOnColourId, on);
    b.setColour(juce::TextButton::buttonColourId, off);
    b.setColour(juce::TextButton::textColourOffId, textOff);
    b.setColour(juce::TextButton::textColourOnId, textOn);
}

// A slider drawn as a number box by look: range 0..1, dragged up and down,
// no text box, with its bar ("barflag") and text size.
inline void shapeNumberBox(juce::Slider& box, juce::LookAndFeel& look, int barFlag, float fontSize)
{
    box.setLookAndFeel(&look);
    box.setRange(0.0, 1.0, 0.0);
    box.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    box.getProperties().set(ZuStyle::barflag, barFlag);
    ZuStyle::setReal(box, ZuStyle::fontsize, fontSize);
    box.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    box.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
}

// A number box's five colours.
inline void setNumberBoxColours(juce::Slider& box, juce::Colour background, juce::Colour textBoxBackground,
                                juce::Colour text, juce::Colour track, juce::Colour outline)
{
    box.setColour(juce::Slider::backgroundColourId, background);
    box.setColour(juce::Slider::textBoxBackgroundColourId, textBoxBackground);
    box.setColour(juce::Slider::textBoxTextColourId, text);
    box.setColour(juce::Slider::trackColourId, track);
    box.setColour(juce::Slider::textBoxOutlineColourId, outline);
}

// A number stored in a snapshot or GUI tree, read through its text: the
// default when the property is missing or its number is not finite; text
// that is no number reads as 0.
inline double readDouble(const juce::ValueTree& tree, const juce::Identifier& id, double def)
{
    const auto* v = tree.getPropertyPointer(id);
    if (v == nullptr)
        return def;
    const double d = v->toString().getDoubleValue();
    return std::isfinite(d) ? d : def;
}

// The child of tree that holds snapshot s (0..7) of the single sequencer:
// "seq1snapmain", then "seq1snap_c" + (s + 1). Invalid when either is missing.
inline juce::ValueTree snapshotNode(const juce::ValueTree& tree, int s)
{
    if (s < 0 || s > 7)
        return {};
    return tree.getChildWithName("seq1snapmain").getChildWithName("seq1snap_c" + juce::String(s + 1));
}

// Lays count widgets out in the step cells of panel's row, left to right.
template <typename Units> void placeStepRow(ZuGuiBase& panel, Units& units)
{
    auto area = panel.getLocalBounds();
    juce::Rectangle<int> cell;
    panel.calcSeq1StepBaseRect(area, cell, (int) std::size(units));
    for (auto& unit : units)
    {
        unit.setBounds(cell);
        cell.translate(cell.getWidth(), 0);
    }
}
} // namespace zu::seq1
