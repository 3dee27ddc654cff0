// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <array>

// The one home of unit addressing: the five unit kinds, how many units each
// has, the unit ids 1 to 15 (the editor's and the processor's numbering), the
// engine and model numbering 0 to 14, and the names the trees and the
// identifiers give a unit, its modulation slots and its steps. Everything
// else asks this module; nothing writes its own table.
//
//   id 1-4 pitch, 5-8 parameter, 9-12 CC, 13 octave-transpose, 14-15 CC racks
//
// The numbers are constexpr and allocation-free (the audio thread may use
// them); the name builders return juce::String and are for the message thread.
namespace zu::units
{
// Kind index, as the trees, the models, the engines and the panels use it; the
// kind digit of an identifier is the kind index + 1.
enum Kind : int
{
    pitch = 0,
    param = 1,
    cc = 2,
    octTp = 3,
    ccRack = 4
};

constexpr int numKinds = 5;
constexpr int numUnits = 15;
// The sequencer units (the CC racks have no steps): ids 1 to 13.
constexpr int numSequencers = 13;
constexpr int numSteps = 32;
constexpr int numSnapshots = 8;
constexpr int numSlots = 8;
constexpr int numRackKnobs = 8;
constexpr int octTpUnitId = 13;

constexpr std::array<int, numKinds> unitsOfKind{4, 4, 4, 1, 2};
constexpr std::array<int, numKinds> firstIdOfKind{1, 5, 9, 13, 14};

// "p1m11_": "p" + owner digit + "m" + kind digit + unit digit + "_".
constexpr int unitPrefixLength = 6;
// "p6m111_": "p6m" + kind digit + unit digit + slot digit + "_".
constexpr int slotPrefixLength = 7;

constexpr bool isKind(int kind) noexcept
{
    return kind >= 0 && kind < numKinds;
}

constexpr bool isUnitId(int unitId) noexcept
{
    return unitId >= 1 && unitId <= numUnits;
}

constexpr bool isUnit(int kind, int index) noexcept
{
    return isKind(kind) && index >= 0 && index < unitsOfKind[(size_t) kind];
}

// Kind of a unit id, -1 for other ids.
constexpr int kindOf(int unitId) noexcept
{
    for (int k = numKinds - 1; k >= 0; --k)
        if (isUnitId(unitId) && unitId >= firstIdOfKind[(size_t) k])
            return k;
    return -1;
}

// Index within the kind of a unit id, -1 for other ids.
constexpr int indexOf(int unitId) noexcept
{
    const int kind = kindOf(unitId);
    return kind < 0 ? -1 : unitId - firstIdOfKind[(size_t) kind];
}

// The unit id of a kind and index, 0 when there is no such unit.
constexpr int unitIdOf(int kind, int index) noexcept
{
    return isUnit(kind, index) ? firstIdOfKind[(size_t) kind] + index : 0;
}

// The number the models and engines give a unit (engine id, model unit,
// modulation snapshot tree "seqmodtree" + (number + 1)): the id minus one.
constexpr int unitNumberOf(int kind, int index) noexcept
{
    return unitIdOf(kind, index) - 1;
}

// The element of the chainer's snapshot requests (the chainer target order):
// ids 1-12 -> 0-11, CC racks 14, 15 -> 12, 13, octave-transpose 13 -> 14;
// -1 for other ids.
constexpr int requestIndexOf(int unitId) noexcept
{
    if (!isUnitId(unitId))
        return -1;
    if (unitId == octTpUnitId)
        return numUnits - 1;
    return unitId > octTpUnitId ? unitId - 2 : unitId - 1;
}

// The unit id of a chainer request element 0..14, 0 for others.
constexpr int unitIdOfRequestIndex(int request) noexcept
{
    if (request < 0 || request >= numUnits)
        return 0;
    if (request == numUnits - 1)
        return octTpUnitId;
    return request >= octTpUnitId - 1 ? request + 2 : request + 1;
}

// The entry of a sequencer unit in the current-step display and the swing
// targets (kind x 4 + index, 0..12); -1 for the CC racks.
constexpr int displayIndexOf(int kind, int index) noexcept
{
    return isUnit(kind, index) && kind != ccRack ? kind * 4 + index : -1;
}

//==============================================================================
// Names (message thread).

// "ptchsq", "prmsq", "ccsq", "octtpsq", "ccrack"; empty for other kinds.
juce::String nodeStem(int kind);
// The unit's child of "seqmain" and "snapmain": "ptchsq1".."ptchsq4",
// "prmsq1".., "ccsq1".., "octtpsq" (no number), "ccrack1", "ccrack2".
juce::String nodeName(int kind, int index);
juce::String nodeName(int unitId);
// The unit's child of "modmain": node name + "mod".
juce::String modNodeName(int kind, int index);
// The unit's modulation snapshot child of "modsnapmain": "seqmodtree" + id.
juce::String modSnapNodeName(int kind, int index);
juce::String modSnapNodeName(int unitId);
// "snap1".."snap8" for snapshot 0..7.
juce::String snapNodeName(int snapshot);
// A slot's child of the unit's "modmain" node: "mod1".."mod8" for slot 0..7.
juce::String slotNodeName(int slot);
// A slot's child of a stored modulation snapshot: "unit1".."unit8" for slot 0..7.
juce::String storedSlotNodeName(int slot);

// The stem of a sequencer unit's editor keys in "maintree": "c_pchsq1"..,
// "c_prmsq1"..,"c_ccsq1".., "c_octsq1"; empty for the CC racks. The one
// octave-transpose unit always answers "c_octsq1", whatever index it is given.
juce::String editorKeyStem(int kind, int index);
// The editor key of a sequencer unit's control page in "maintree":
// "c_pchsq1_tab".., "p2_prmsq1_tab".., "p3_ccsq1_tab".., "c_octsq_tab"; empty
// for the CC racks.
juce::String controlPageKey(int kind, int index);
// The editor key of a unit's header name in "maintree": "unitlabel" + id.
juce::String unitLabelKey(int unitId);
// "p1m11_".."p5m52_".
juce::String unitPrefix(int kind, int index);
juce::String unitPrefix(int unitId);
// "p6m111_".."p6m528_" for slot 0..7.
juce::String slotPrefix(int kind, int index, int slot);
// The unit's modulation area: "p6m110_".
juce::String modAreaPrefix(int kind, int index);
// prefix + key + number: a step (1..32), a knob (1..8) or any numbered key.
juce::String numberedKey(const juce::String& prefix, const char* key, int number);
// A unit-level key: "p1m11_dir".
juce::String unitKey(int kind, int index, const char* key);
// A step key, step 0..31: "p1m11_pch1".."p1m11_pch32".
juce::String stepKey(int kind, int index, const char* key, int step);
// A slot key, slot 0..7: "p6m111_ksr".
juce::String slotKey(int kind, int index, int slot, const char* key);
} // namespace zu::units
