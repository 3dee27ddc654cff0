// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

// The four CC sequencer units (ids 9 to 12, model units 0 to 3): per unit a
// header with its MIDI channel and eight snapshots, each with a target
// controller, an output range, clock values and 32 value steps. Fields are
// named after their keys.
class CtrCcSqData : public SeqDataBase
{
public:
    static constexpr int numUnits = 4;
    static constexpr int numParams = 382;
    // "tarcc": 0 = none, n = 1..128 sends controller n - 1.
    static constexpr int maxTargetCc = 128;

    struct StepData
    {
        MyParam<float> sval{0.0f};
        MyParam<float> prob{100.0f};
        MyParam<int> spwr{1};
    };

    struct SnapData : SeqClockFields
    {
        ZuAtomic<int32_t> tarcc{0};
        ZuAtomic<float> omin{0.0f};
        ZuAtomic<float> omax{127.0f};
        std::array<StepData, numSteps> steps;
    };

    struct UnitData : SeqUnitHeader
    {
        // 0 = the global MIDI channel, 1..16 the unit's own.
        ZuAtomic<int32_t> ch{0};
        std::array<SnapData, numSnapshots> snaps;
    };

    CtrCcSqData();
    ~CtrCcSqData() override = default;

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

    std::array<UnitData, numUnits> units;
    const UnitData defaultUnit;
    std::array<std::vector<std::pair<juce::String, int>>, numUnits> stepPropLists;

private:
    void loadSnapshot(const juce::ValueTree& stored, const juce::String& prefix, int unit, SnapData& snap) const;

    JUCE_DECLARE_NON_COPYABLE(CtrCcSqData)
};
