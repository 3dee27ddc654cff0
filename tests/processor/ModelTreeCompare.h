// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PluginProcessor.h"

#include <random>
#include <string>

namespace zutest
{
// Every model snapshot of every unit and of its modulation slots against
// what the trees say (the live trees for the snapshot the unit's parameter
// names, the stored snapshot, or the trees' defaults), and each unit's model
// playing the snapshot its parameter names. Returns the first difference,
// empty when there is none.
std::string modelsAgainstTrees(ZumiraboxAudioProcessor& p);

// The snapshot a unit's host parameter names.
int snapshotParameter(ZumiraboxAudioProcessor& p, int kind, int index);

// Sets a random value on a random numeric property of a unit's live trees.
void randomEdit(ZumiraboxAudioProcessor& p, std::mt19937& rng);
} // namespace zutest
