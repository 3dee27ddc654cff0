// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

// Builders of the "param" tree's unit and modulation slot nodes. Each fills the
// tree it is given (a handle to the caller's tree) without an undo manager.
void createPtchSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createPrmSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createCcSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createOctSqUnitParams(juce::ValueTree tree, const juce::String& prefix);
void createCcRackUnitParams(juce::ValueTree tree, const juce::String& prefix);

// A kind index of this value gives the slot's bare keys, without a prefix.
constexpr int zuBareSlotKind = 10000;
void createModUnitParams(juce::ValueTree tree, int kindIndex, int unitIndex, int slotIndex);
