// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The step-editing operations of a sequencer unit: randomise and initialise,
// set all, and shift, over the unit's step window and honouring its step and
// parameter locks. Message thread only; every effect is a write into the live
// unit node of "param", which the processor's listener carries into the model.

#include "ZuUnitOps.h"

#include <array>
#include <optional>

namespace zu::unitops
{
// The positions (0..31) of a unit's step window in window order: from step
// "strt" on, wrapping from step 32 to step 1. The start is clamped to 1..32
// and the size to 0..32, so no stored value reaches outside the lock tables
// or loops for long.
struct StepWindow
{
    std::array<int, zu::units::numSteps> positions{};
    int size = 0;
};
StepWindow stepWindow(int strt, int size);
// The window of a live unit node from its "strt" and "size" (fallbacks 1, 16).
StepWindow stepWindowOf(const juce::ValueTree& unit, const juce::String& prefix);

using LockTable = std::array<bool, zu::units::numSteps>;
// Refreshes locks for the positions of the window: a step is locked when its
// "slk" is exactly 1.0. Other entries are left as they were.
void updateStepLockStates(const juce::ValueTree& unit, LockTable& locks, const juce::String& prefix,
                          const StepWindow& window);

// One step property of a kind: its key, value range, on/off threshold (below
// zero for values), and what a shift moves with it.
struct StepProperty
{
    const char* key;
    float min;
    float max;
    float threshold;
    int shiftPairs;
    float shiftStep;

    bool isOnOff() const noexcept { return threshold >= 0.0f; }
    bool isWhole() const noexcept { return max > 1.0f; }
};

// The property with number (1-based) of a kind; the pitch unit's property 1
// is "relpch" in relative mode. Null for numbers the kind does not have.
const StepProperty* stepProperty(int kind, int number, bool relativeMode);
// How many numbered properties a kind has (7, 3, 3, 4; 0 for the CC racks).
int numStepProperties(int kind);

// Randomises (mode 0) or initialises (any other mode) one property (1..n) or
// every property (0) of a unit. A seed makes the draws repeatable: property k
// draws from a generator seeded with seed + k; without one every property
// gets a freshly, randomly seeded generator.
void rndRstCenterSqParams(UnitTarget& target, int kind, int index, int property, int mode,
                          std::optional<juce::int64> seed = std::nullopt);
// Writes value into the set-all target's property of every unlocked step of
// the window.
void setAllCenterSqParams(UnitTarget& target, int kind, int index, int setAllTarget, float value);
// Moves the set-all target's property (the unit's "_setall_tar"): mode 0
// rotates left, 1 right, 2 up by one step of its scale, 3 down.
void shiftCenterSqParams(UnitTarget& target, int kind, int index, int mode);
} // namespace zu::unitops
