// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Unit presets: one unit, its eight stored snapshots and its eight live
// modulation slots as a tree without the unit's prefixes, loadable into any
// unit of the same kind. Message thread only.

#include "ZuUnitOps.h"

namespace zu::unitops
{
// Appends "mainparams", "snapmain" and "modmain" to root, after storing the
// live unit into its current snapshot.
void createVtForUnitPreset(UnitTarget& target, juce::ValueTree& root, int kind, int index);

// Loads a preset into a unit. Returns an empty text when loaded, else the
// message to show; a refused preset changes nothing. A preset of another
// kind, or a tree that is no unit preset, is refused; a damaged value is
// replaced by the unit's default and a missing one takes it.
juce::String loadUnitStateFromVt(UnitTarget& target, const juce::ValueTree& tree, int kind, int index);

// The messages of a refused preset.
extern const char* const notAUnitPresetMessage;
extern const char* const otherKindPresetMessage;
} // namespace zu::unitops
