// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The unit editing operations: functions over the plug-in's trees and the
// data models, for the processor's members that the editor calls and for
// tests, without the processor. Message thread only. Units are addressed by
// kind and index (zu::units) or by unit id 1..15; invalid units and snapshots
// change nothing.

#include "ZuData.h"
#include "ZuParamTrees.h"

#include <functional>

namespace zu::unitops
{
// The models the operations keep in step with the trees.
struct UnitModels
{
    CtrPtchSqData& pitch;
    CtrPrmSqData& param;
    CtrCcSqData& cc;
    CtrOctSqData& octTp;
    CtrCcRackData& ccRack;
    LfoData& lfo;

    // The model of a kind, null for other kinds.
    SeqDataBase* ofKind(int kind) const noexcept;
    // Back to a new unit's values in the kind's model.
    void initUnit(int kind, int index) const;
    // The unit's eight snapshots read again from "snapmain" (snapTree).
    void reloadStoredSnapshots(const juce::ValueTree& snapTree, int kind, int index) const;
};

// What the operations work on: handles to the "param" and "snapmain" trees
// (the operations write through them), the models, and the reader of a
// unit's current snapshot (its host parameter "snp").
struct UnitTarget
{
    juce::ValueTree paramTree;
    juce::ValueTree snapTree;
    UnitModels models;
    std::function<int(int kind, int index)> currentSnapshot;
    // The editor's "maintree": the step-editing keys of each unit.
    juce::ValueTree mainTree{};
};

// Stores the live unit (its "seqmain" and "modmain" children) into snapshot s
// of "snapmain"; slot properties are stored without their slot prefix.
void updateSeqSnapVt(const juce::ValueTree& paramTree, juce::ValueTree& snapTree, int kind, int index, int snapshot);
// Loads snapshot s of "snapmain" (its default when it is empty) into the live
// unit; every change notifies the "param" tree's listeners.
void loadSeqSnapVt(juce::ValueTree& paramTree, const juce::ValueTree& snapTree, int kind, int index, int snapshot);
// Copies source's properties onto destination, renamed to prefix + the part
// after the 6-character unit prefix.
void copyPasteVtBtwSeqUnits(const juce::ValueTree& source, juce::ValueTree& destination, const juce::String& prefix);

// A snapshot switch of one unit: stores the live values into oldSnapshot and
// loads newSnapshot.
void switchSnapshot(UnitTarget& target, int unitId, int oldSnapshot, int newSnapshot);
// Copies snapshot ss of unit si onto snapshot ds of unit di of one kind, in
// the trees and the models, with the modulation slots. A unit playing the
// source stores its live values first; a unit playing the destination loads it.
void copyPasteSeqSnapVt(UnitTarget& target, ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si, int di,
                        int ss, int ds);
// By unit id (1..15): the units must be of one kind; a source 0 does nothing.
void copyPasteSnapshot(UnitTarget& target, int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot);
// A unit back to a new instance's values: its modulation slots, its live
// values, its eight snapshots and its models.
void initUnitParams(UnitTarget& target, int kind, int index);
// Whether a unit's modulation slot (0..7) is bipolar.
bool getModSrcPolarity(const juce::ValueTree& paramTree, int kind, int index, int slot);
} // namespace zu::unitops
