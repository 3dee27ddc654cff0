// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

// The one octave-transpose sequencer unit (id 13, model unit 0): a header and
// eight snapshots of clock values and 32 steps, each a transpose and an octave
// that the unit hands to the pitch units. Fields are named after their keys.
class CtrOctSqData : public SeqDataBase
{
public:
    static constexpr int numUnits = 1;
    static constexpr int numParams = 474;

    struct StepData
    {
        MyParam<int> stp{0};
        // Octave index 0..4 for -2..+2 octaves; 2 is no shift.
        MyParam<int> soct{2};
        MyParam<float> prob{100.0f};
        MyParam<int> spwr{1};
    };

    struct SnapData : SeqClockFields
    {
        std::array<StepData, numSteps> steps;
    };

    struct UnitData : SeqUnitHeader
    {
        std::array<SnapData, numSnapshots> snaps;
    };

    CtrOctSqData();
    ~CtrOctSqData() override = default;

    using ZuDataModelBase::snapCopyPaste;

    void createParamMap() override;
    // id: "p4m41_" + key; the unit digit is not read.
    // The unit argument must be 0.
    void setParamValAt(int unit, int index, float value) override;
    // Loads the unit's stored snapshots from a tree shaped like "snapmain".
    void setSnapshotStatesFromValueTree(juce::ValueTree tree);
    // Both refuse any unit but 0 (and snapshots outside 0..7) and change nothing then.
    void loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot) override;
    void init(int unit);
    void snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap) override;

    int getPlaySnapshotIndex() const noexcept { return playSnapshotIndexOf(units, 0); }
    void setPendingSnapshot(int snapshot) noexcept { setPendingSnapshotOf(units, 0, snapshot); }

    std::array<UnitData, numUnits> units;
    const UnitData defaultUnit;
    std::vector<std::pair<juce::String, int>> stepPropList;

private:
    void loadSnapshot(const juce::ValueTree& stored, const juce::String& prefix, SnapData& snap) const;

    JUCE_DECLARE_NON_COPYABLE(CtrOctSqData)
};
