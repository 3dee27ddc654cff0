// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKeyMap.h"

#include "ZuDataModelBase.h"

// The modulation slots: every centre unit has eight, kept separately in each of
// its eight snapshots, so 15 units x 8 snapshots x 8 slots. The modulation
// engines read the slot records of each unit's current snapshot in place on
// the audio thread and leave their outputs and display values here for the
// editors.
//
// Units are numbered 0..14 (the centre unit id minus one): 0..3 pitch, 4..7
// parameter, 8..11 CC sequencers, 12 the octave-transpose unit, 13 and 14 the
// CC racks.
class LfoData : public ZuDataModelBase
{
public:
    static constexpr int numUnits = 15;
    static constexpr int numSnapshots = 8;
    static constexpr int numSlots = 8;
    static constexpr int numWaveforms = 8;
    static constexpr int numParams = 48;

    // Name map indices.
    enum ParamIndex
    {
        idxPwr = 1,
        idxEngn = 2,
        idxBsahm = 3,
        idxBwf = 4,
        idxCsync = 5,
        idxClktyp = 6,
        idxBbi = 7,
        idxBphi = 8,
        idxBexp = 9,
        idxBsat = 10,
        idxKsr = 11, // 11..15: value, _ms1, _ms2, _md1, _md2
        idxKfr = 16,
        idxKph = 21,
        idxKos = 26,
        idxKsm = 31,
        idxKlv = 36,
        idxPrb1 = 41, // 41..48
    };

    // One slot. Fields with a key are named after it.
    struct ModUnitData
    {
        ZuAtomic<bool> pwr{false};
        ZuAtomic<int32_t> engn{0};  // 0 LFO, 1 sample-and-hold, 2 probability LFO
        ZuAtomic<int32_t> bsahm{0}; // 0 hold, 1 glide
        ZuAtomic<int32_t> bwf{0};   // waveform 0..7
        ZuAtomic<bool> bbi{false};
        ZuAtomic<bool> csync{false};
        ZuAtomic<int32_t> clktyp{0}; // 0 normal, 1 triplet, 2 dotted
        ZuAtomic<bool> bphi{false};
        ZuAtomic<bool> bexp{false};
        ZuAtomic<bool> bsat{false};
        MyParam<int> ksr{8}; // synced rate, clock division 0..13
        MyParam<float> kfr{0.5f};
        MyParam<float> kph{0.0f};
        MyParam<float> kos{0.5f};
        MyParam<float> ksm{0.0f};
        MyParam<float> klv{1.0f};
        // Raised whenever the weights below change; the modulator lowers it
        // (exchange) when it rebuilds its weight table.
        ZuAtomic<bool> weightsChanged{true};
        std::array<ZuAtomic<float>, numWaveforms> prb{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        // Written by the modulator on the audio thread, polled by the editors.
        ZuAtomic<float> dispValue{0.0f};
        ZuAtomic<float> dispHeldValue{0.5f};
        ZuAtomic<int32_t> dispWaveIndex{0};
    };

    // The eight slots of one unit in one snapshot.
    struct SnapData
    {
        // A new snapshot has slots 1 and 2 on.
        SnapData() noexcept;

        ModUnitData& operator[](size_t slot) noexcept { return slots[slot]; }
        const ModUnitData& operator[](size_t slot) const noexcept { return slots[slot]; }

        std::array<ModUnitData, numSlots> slots;
    };

    LfoData();
    ~LfoData() override = default;

    using ZuDataModelBase::snapCopyPaste;

    void createParamMap() override;
    // name: "p6m" + kind digit + instance digit + slot digit + "_" + key.
    // Writes into the snapshot the unit's live trees hold (its current one
    // unless a switch is under way); a name that leads to no unit, or a
    // snapshot outside 0..7, changes nothing.
    void setParamVal(const juce::String& name, float value) override;
    // The write once unit (0..14), slot (0..7) and name map index are known;
    // builds no string and allocates nothing.
    void setParamValAt(int unit, int slot, int index, float value);
    // The key's index in the name map, 0 when it has none.
    int getParamIndex(const juce::String& key) const;

    // Reloads every unit's snapshots from the child "modsnapmain" of states.
    void setSnapshotStatesFromValueTree(juce::ValueTree states);
    // Fills the eight slots of one snapshot from a tree with children "unit1"
    // to "unit8"; a missing child leaves its slot as it was, an empty one (a
    // slot never stored) takes the stored-slot default.
    void loadSnapDataFromVt(juce::ValueTree snap, SnapData& dest);
    // The slot a snapshot holds where nothing was stored: the trees fill a
    // never-stored slot from their slot default, which is on.
    static ModUnitData storedSlotDefault() noexcept;
    // A slot record read from a node as loadSlotFromTree reads it.
    static ModUnitData readSlotFromTree(const juce::ValueTree& node, const juce::String& prefix);
    // Sets one slot of one snapshot to a record (message thread).
    void setSlot(int unit, int snapshot, int slot, const ModUnitData& record) noexcept;
    // Copies one snapshot of one unit onto a snapshot of a unit of the same
    // kind (type 0 pitch, 1 parameter, 2 CC, 3 octave-transpose, 4 CC rack).
    void snapCopyPaste(int type, int srcIndex, int dstIndex, int srcSnap, int dstSnap) override;
    // Every snapshot of every unit becomes a copy of defaultSnap.
    void init();

    // Unit number of a kind digit (1..5) and instance digit as identifiers
    // carry them, -1 when it leads outside 0..14.
    static int unitFromDigits(int kindDigit, int instanceDigit) noexcept;
    // Unit number of a unit kind (0..4) and index within the kind, -1 when
    // the pair names no unit.
    static int unitFromKindIndex(int kind, int index) noexcept;

    // Following the units' current snapshots. The unit models keep each unit's
    // current snapshot in an atomic header field; the model reads that field
    // itself (the audio thread must not read a juce::Value), and the editor's
    // value of the unit refers to the unit model's snapshot value. Wired once
    // by the processor's constructor, before any other thread runs.
    // Tree writes of a unit's slots go to the snapshot its live trees hold
    // (liveTreeSnapshot, -1 for the current one), as the unit's own values do.
    void followUnitSnapshot(int unit, const ZuAtomic<int32_t>& currentSnapshot,
                            const ZuAtomic<int32_t>& liveTreeSnapshot, const juce::Value& snapValue);
    // Wires all units of one unit model, the first of them as unit firstUnit.
    template <class UnitModel> void followUnitModel(int firstUnit, UnitModel& model)
    {
        for (size_t u = 0; u < model.units.size(); ++u)
            followUnitSnapshot(firstUnit + (int) u, model.units[u].currentSnapshot, model.units[u].liveTreeSnapshot,
                               model.snapValues[u]);
    }
    // A unit's current snapshot as its unit model holds it (0 for a unit not
    // wired yet); the raw value, which setParamVal refuses outside 0..7.
    int getCurrentSnapshotRaw(int unit) const noexcept;
    // The snapshot tree writes of a unit's slots go to (raw, as above).
    int getWriteSnapshotRaw(int unit) const noexcept;
    // Audio thread: a unit's current snapshot, always a valid index.
    int getCurrentSnapshot(int unit) const noexcept;
    // Audio thread: the slot records the modulation host runs for a unit.
    SnapData& getCurrentSnapData(int unit) noexcept;

    ZuKeyMap paramMap;
    std::array<std::array<SnapData, numSnapshots>, numUnits> unitSnaps;
    const SnapData defaultSnap;
    // Raised by every "bbi" write; the processor's timer lowers it and tells
    // the editor.
    ZuAtomic<bool> polarityChanged{false};
    // Each slot's last output of the block (0 for a slot that is off), written
    // by the modulation host, read by the editors.
    std::array<std::array<ZuAtomic<float>, numSlots>, numUnits> lastOutputs{};
    // Message thread: value n follows unit n's current snapshot for the editors.
    std::array<juce::Value, numUnits> snapValues;

private:
    // Copies a slot record and keeps the weights flag honest: a destination
    // whose weights change has it raised, a raised one stays raised.
    static void assignSlot(ModUnitData& dst, const ModUnitData& src) noexcept;
    static void assignSnap(SnapData& dst, const SnapData& src) noexcept;
    static SnapData makeDefaultSnap() noexcept;
    static void loadSlot(const juce::ValueTree& t, const juce::String& prefix, ModUnitData& rec);

    std::array<ZuAtomic<const ZuAtomic<int32_t>*>, numUnits> currentSnapshotSources{};
    std::array<ZuAtomic<const ZuAtomic<int32_t>*>, numUnits> liveTreeSnapshotSources{};

    JUCE_DECLARE_NON_COPYABLE(LfoData)
};
