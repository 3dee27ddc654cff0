// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstddef>
#include <optional>

// Where a widget inside a unit finds its unit's kind and the colour the user
// gave that kind in the settings. Both look up the component hierarchy, so
// they answer only once the widget sits in a unit frame inside an editor.

// Where the settings keep a unit kind's colour (zu::units kind numbers): they
// keep their own order, pitch, parameter, CC, CC rack, octave-transpose.
size_t settingsColourIndex(int kind);
// The colour the settings give a unit kind (zu::units kind numbers), when an
// editor encloses the component; nothing otherwise.
std::optional<juce::Colour> settingsColourOfKind(const juce::Component& component, int kind);
// The kind of the nearest enclosing unit frame; -1 for none.
int enclosingUnitKind(const juce::Component& component);
