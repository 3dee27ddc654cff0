// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

// The two CC racks (ids 14 and 15, model racks 0 and 1): per rack a header and
// eight snapshots of eight knobs, read in place by the rack engines. A knob
// sends one controller; its fields are named after their keys.
class CtrCcRackData : public SeqDataBase
{
public:
    static constexpr int numUnits = 2;
    static constexpr int numKnobs = 8;
    static constexpr int numParams = 16;
    // Controller numbers are stored as the editor's menu value: 0 none,
    // 1..128 controller 0..127.
    static constexpr int maxTargetCc = 128;

    // Name map indices.
    enum ParamIndex
    {
        idxPwr = 1,
        idxSnp = 2,
        idxKval = 3, // 3..7: value, _ms1, _ms2, _md1, _md2
        idxKpwr = 8,
        idxKtarcc = 9,
        idxKmin = 10,
        idxKmax = 11,
        idxKch = 12,
        idxEndingMs1 = 13, // 13..16: the companion endings ms1, ms2, md1, md2
        idxEndingMd2 = 16
    };

    struct KnobData
    {
        ZuAtomic<bool> kpwr{true};
        ZuAtomic<int32_t> ktarcc{0};
        ZuAtomic<int32_t> kch{0};
        ZuAtomic<float> kmin{0.0f};
        ZuAtomic<float> kmax{127.0f};
        MyParam<float> kval{0.0f};
    };

    struct SnapData
    {
        std::array<KnobData, numKnobs> knobs;
    };

    struct UnitData
    {
        ZuAtomic<bool> pwr{true};
        // Raised by a knob power write and by a snapshot copy into the rack;
        // the rack engine lowers it and sends every knob again.
        ZuAtomic<bool> resendRequest{false};
        ZuAtomic<int32_t> currentSnapshot{0};
        ZuAtomic<int32_t> pendingSnapshot{-1};
        // As SeqUnitHeader::liveTreeSnapshot.
        ZuAtomic<int32_t> liveTreeSnapshot{-1};
        std::array<SnapData, numSnapshots> snaps;
    };

    CtrCcRackData();
    ~CtrCcRackData() override = default;

    using ZuDataModelBase::snapCopyPaste;

    void createParamMap() override;
    // id: "p5m5" + rack digit + "_" + a header key ("pwr", "snp"), a knob key
    // with its knob number ("kval3") or a knob value's companion ("kval3_ms1").
    // A rack digit other than 1 or 2 changes nothing.
    void setParamVal(const juce::String& id, float value) override;
    // String-free write of a name map index: header indices, or the knob
    // fields of knob 1 (setKnobParamAt addresses any knob).
    void setParamValAt(int rack, int index, float value) override;
    // knob 0..7; index: idxKval..idxKch, or a companion ending idxEndingMs1..idxEndingMd2.
    void setKnobParamAt(int rack, int knob, int index, float value);
    // Loads the stored snapshots of rack 0 or 1 from a tree shaped like
    // "snapmain", or of both racks when rack is 2.
    void setSnapshotStatesFromValueTree(juce::ValueTree tree, int rack);
    void loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot) override;
    void init(int rack);
    // Also raises the destination rack's resend request.
    void snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap) override;

    // The snapshot the rack engine plays: the pending one while it is 0..7,
    // else the current one (always a valid index).
    int getPlaySnapshotIndex(int rack) const noexcept { return playSnapshotIndexOf(units, rack); }
    // Sets a rack's pending snapshot; anything outside 0..7 means none (-1).
    void setPendingSnapshot(int rack, int snapshot) noexcept { setPendingSnapshotOf(units, rack, snapshot); }

    std::array<UnitData, numUnits> units;
    const UnitData defaultUnit;
    std::array<std::vector<std::pair<juce::String, int>>, numUnits> knobPropLists;

private:
    void loadSnapshot(const juce::ValueTree& stored, const juce::String& prefix, int rack, SnapData& snap) const;

    JUCE_DECLARE_NON_COPYABLE(CtrCcRackData)
};
