// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the parameter sequencer units send to the pitch units within one block.

#include <array>
#include <tuple>
#include <vector>

// One entry: (event code, value). The code is the step's event menu item minus
// one (1 = direction ... 13 = restart), the value the step value, nominally 0..1.
using PrmSqTargetEntry = std::tuple<int, float>;

// Four entry lists, list k for the pitch unit with id k + 1. The main engine
// empties them at the start of every playing block, the parameter units append,
// the pitch units read in the same block. Capacity is reserved once, so the
// per-block clear and the few appends of a block never allocate.
using PrmSqTargetEvents = std::array<std::vector<PrmSqTargetEntry>, 4>;

// The texts of a parameter step's event menu, index = menu item - 1 = event
// code: "None" sends nothing, and the ten spare items at the end change nothing.
inline constexpr int numPrmSqEventMenuItems = 24;
inline constexpr std::array<const char*, numPrmSqEventMenuItems> prmSqEventMenuTexts{
    "None",     "Direction", "Start",    "Size",     "Octave",   "TP",       "S-Pitch",  "S-Oct",
    "S-Velo",   "S-Gate",    "S-Prob",   "S-Slur",   "S-OnOff",  "ReStrt",   "--------", "--------",
    "--------", "--------",  "--------", "--------", "--------", "--------", "--------", "--------"};
