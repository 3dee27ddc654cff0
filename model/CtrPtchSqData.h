// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

// The four pitch sequencer units (ids 1 to 4, model units 0 to 3): per unit a
// header and eight snapshots of unit values and 32 steps, read in place by
// the pitch engines. Fields are named after their keys.
class CtrPtchSqData : public SeqDataBase
{
public:
    static constexpr int numUnits = 4;
    static constexpr int numParams = 939;
    // The editor's tree builds every unit with base note 49 (a menu value:
    // note 48); the model starts, resets and loads with the same value, so
    // that the engine plays the note the editor shows.
    static constexpr int relBaseNoteDefault = 49;

    struct StepData
    {
        MyParam<int> pch{0};
        MyParam<int> relpch{0};
        MyParam<int> oct{2};
        MyParam<float> vel{100.0f};
        MyParam<float> gate{50.0f};
        MyParam<float> prob{100.0f};
        MyParam<int> slr{0};
        MyParam<int> spwr{1};
    };

    struct SnapData : SeqClockFields
    {
        ZuAtomic<bool> relmode{false};
        MyParam<int> relbn{relBaseNoteDefault};
        MyParam<int> goct{0};
        MyParam<int> tp{0};
        std::array<StepData, numSteps> steps;
    };

    struct UnitData : SeqUnitHeader
    {
        ZuAtomic<int32_t> ch{0};
        std::array<SnapData, numSnapshots> snaps;
    };

    CtrPtchSqData();
    ~CtrPtchSqData() override = default;

    using ZuDataModelBase::snapCopyPaste;

    void createParamMap() override;
    void setParamValAt(int unit, int index, float value) override;
    // Loads the stored snapshots of unit 0..3 from a tree shaped like
    // "snapmain", or of all four units when unit is 4.
    void setSnapshotStatesFromValueTree(juce::ValueTree tree, int unit);
    void loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot) override;
    void init(int unit);
    void snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap) override;

    // The snapshot an engine plays: the pending one while it is 0..7, else
    // the current one (always a valid index).
    int getPlaySnapshotIndex(int unit) const noexcept { return playSnapshotIndexOf(units, unit); }
    // Sets a unit's pending snapshot; anything outside 0..7 means none (-1).
    void setPendingSnapshot(int unit, int snapshot) noexcept { setPendingSnapshotOf(units, unit, snapshot); }

    std::array<UnitData, numUnits> units;
    const UnitData defaultUnit;
    std::array<std::vector<std::pair<juce::String, int>>, numUnits> stepPropLists;

private:
    void loadSnapshot(const juce::ValueTree& stored, const juce::String& prefix, int unit, SnapData& snap) const;

    JUCE_DECLARE_NON_COPYABLE(CtrPtchSqData)
};
