// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

// The four parameter sequencer units (ids 5 to 8, model units 0 to 3): per
// unit a header and eight snapshots of unit values and 32 value steps, each
// step aimed at a target of the pitch units the unit drives. Fields are named
// after their keys.
class CtrPrmSqData : public SeqDataBase
{
public:
    static constexpr int numUnits = 4;
    static constexpr int numParams = 414;
    // Step targets are the editor's menu item id minus one: below 1 nothing,
    // 1 direction .. 13 restart, 14..23 spare items.
    static constexpr int maxStepTarget = 23;

    struct StepData
    {
        MyParam<float> sval{0.0f};
        // No target, as the trees' default item 0 reads (item id minus one).
        ZuAtomic<int32_t> emenu{-1};
        MyParam<float> prob{100.0f};
        MyParam<int> spwr{1};
    };

    struct SnapData : SeqClockFields
    {
        std::array<ZuAtomic<bool>, 4> tar{{true, false, false, false}};
        std::array<StepData, numSteps> steps;
    };

    struct UnitData : SeqUnitHeader
    {
        std::array<SnapData, numSnapshots> snaps;
    };

    CtrPrmSqData();
    ~CtrPrmSqData() override = default;

    using ZuDataModelBase::snapCopyPaste;

    void createParamMap() override;
    void setParamValAt(int unit, int index, float value) override;
    // Loads the stored snapshots of unit 0..3 from a tree shaped like
    // "snapmain", or of all four units when unit is 4.
    void setSnapshotStatesFromValueTree(juce::ValueTree tree, int unit);
    void loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot) override;
    void init(int unit);
    void snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap) override;

    int getPlaySnapshotIndex(int unit) const noexcept { return playSnapshotIndexOf(units, unit); }
    void setPendingSnapshot(int unit, int snapshot) noexcept { setPendingSnapshotOf(units, unit, snapshot); }

    // A step target from the editor's menu item id.
    static int32_t stepTargetFromItemId(int32_t itemId) noexcept
    {
        return zu::clampInt(itemId, 0, maxStepTarget + 1) - 1;
    }

    std::array<UnitData, numUnits> units;
    const UnitData defaultUnit;
    std::array<std::vector<std::pair<juce::String, int>>, numUnits> stepPropLists;

private:
    void loadSnapshot(const juce::ValueTree& stored, const juce::String& prefix, int unit, SnapData& snap) const;

    JUCE_DECLARE_NON_COPYABLE(CtrPrmSqData)
};
