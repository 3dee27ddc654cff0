// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

// The layout of the "param" and "snapmain" trees: the builders of the unit and
// modulation slot nodes and the whole trees as a new instance holds them. The
// unit operations rebuild defaults from the same builders. Each builder fills
// the tree it is given (a handle to the caller's tree) without an undo manager.
void createPtchSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createPrmSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createCcSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createOctSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createCcRackUnitParams(juce::ValueTree tree, const juce::String& prefix);

// A kind index of this value gives the slot's bare keys, without a prefix.
constexpr int zuBareSlotKind = 10000;
void createModUnitParams(juce::ValueTree tree, int kindIndex, int unitIndex, int slotIndex);

namespace zu::unitops
{
// Fills the empty "param" tree (its own properties reach its listeners as
// they are set; the children are built detached and appended) and replaces
// snapTree with a new "snapmain" tree holding the default of every unit.
void createParamTree(juce::ValueTree& paramTree, juce::ValueTree& snapTree);

// The properties of "param" itself, in layout order, with their defaults.
struct ParamDefault
{
    juce::String id;
    juce::var value;
    // Resetting all values leaves it: the channel and scale locks and the
    // scale preset name stay as the user set them.
    bool keptOnReset;
};
const std::vector<ParamDefault>& paramTreeDefaults();
// Sets the properties of "param" that resetting all values restores, in
// layout order but the preset name ("presetname", the first) last.
void resetParamTreeDefaults(juce::ValueTree& paramTree);

// Copies the values of source onto the matching properties of destination,
// recursively, matching children by type; destination never gains a property
// or a child. Each change notifies destination's listeners.
void syncTrees(const juce::ValueTree& source, juce::ValueTree& destination);
// Resets a unit's child of "modmain" (page and eight slots) to its defaults.
void initModUnit(juce::ValueTree& unitModTree, int kindIndex, int unitIndex);
} // namespace zu::unitops
