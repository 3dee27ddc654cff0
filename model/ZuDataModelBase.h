// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuAtomic.h"
#include "ZuConvert.h"
#include "ZuKeyMap.h"
#include "ZuUnits.h"

#include <juce_data_structures/juce_data_structures.h>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

// The base of every data model: the processor mirrors host parameters and
// tree properties into the models by name, the engines read the typed fields.
class ZuDataModelBase
{
public:
    // One value that the modulation of its unit can move: two slots, each a
    // source (0 none, n = 1..16 reads channel n - 1 of the modulation block)
    // and a depth. modActive is kept equal to "some slot has a source and a
    // depth other than 0" by every write.
    template <typename T> struct MyParam
    {
        MyParam() noexcept = default;
        MyParam(T initial) noexcept : value(initial) {}

        ZuAtomic<T> value{};
        ZuAtomic<float> modDepth[2]{};
        ZuAtomic<int32_t> modSource[2]{};
        ZuAtomic<bool> modActive{};

        static bool slotActive(int32_t source, float depth) noexcept
        {
            // A depth that is not a number counts as 0.
            return source > 0 && depth != 0.0f && depth == depth;
        }

        void updateModActive() noexcept
        {
            modActive = slotActive(modSource[0], modDepth[0]) || slotActive(modSource[1], modDepth[1]);
        }
    };

    // Field numbers of handleParamVals.
    enum ParamField
    {
        fieldValue = 0,
        fieldSource1 = 1,
        fieldSource2 = 2,
        fieldDepth1 = 3,
        fieldDepth2 = 4
    };

    static constexpr int maxModSource = 16;

    ZuDataModelBase() = default;
    virtual ~ZuDataModelBase() = default;

    virtual void createParamMap() = 0;
    virtual bool isContain(const juce::String& name, float value);
    virtual void snapCopyPaste(int, int, int, int) {}
    virtual void snapCopyPaste(int, int, int, int, int) {}
    virtual void setParamVal(const juce::String& name, float value) = 0;
    virtual void updateModActiveStates(int) {}
    virtual void updateModActiveStates(int, int) {}

    // Writes one field of a modulatable value (field numbers above), then
    // re-derives modActive. Integer fields truncate toward zero; sources are
    // kept within 0..16; a non-finite value changes nothing. The overload
    // with a range clamps the integer value into it.
    static void handleParamVals(MyParam<int>& param, int field, float v) noexcept;
    static void handleParamVals(MyParam<int>& param, int field, float v, int lo, int hi) noexcept;
    static void handleParamVals(MyParam<float>& param, int field, float v) noexcept;

    // Reads one value and its first slotCount modulation slots from the
    // tree's properties id, id + "_ms" + k (integer) and id + "_md" + k
    // (float), each with its default when missing, then re-derives modActive.
    // Slots above slotCount are not touched.
    static void updateStepDataI(const juce::ValueTree& tree, MyParam<int>& param, const juce::Identifier& id, int def,
                                int slotCount);
    static void updateStepDataI(const juce::ValueTree& tree, MyParam<int>& param, const juce::Identifier& id, int def,
                                int slotCount, int lo, int hi);
    static void updateStepDataF(const juce::ValueTree& tree, MyParam<float>& param, const juce::Identifier& id,
                                float def, int slotCount);

    // Names that isContain routes to setParamVal. Every model of this system
    // leaves it empty.
    juce::StringArray nameList;
    // Kept for models that guard tables of their own; the unit models never take it.
    juce::CriticalSection lock;

private:
    static void readSlots(const juce::ValueTree& tree, int32_t* sources, float* depths, const juce::String& id,
                          int slotCount);

    JUCE_DECLARE_NON_COPYABLE(ZuDataModelBase)
};

// The base of the five unit models: per unit a header and eight snapshots.
class SeqDataBase : public ZuDataModelBase
{
public:
    static constexpr int numSnapshots = 8;
    static constexpr int numSteps = 32;
    static constexpr int maxUnits = 4;

    // unitCount: the model's units (1..maxUnits).
    explicit SeqDataBase(int unitCount = maxUnits);

    // The header every sequencer unit has (the CC racks keep their own).
    struct SeqUnitHeader
    {
        ZuAtomic<int32_t> currentSnapshot{0};
        ZuAtomic<int32_t> pendingSnapshot{-1};
        // The snapshot whose values the unit's live trees hold, which tree
        // writes go to; -1 while it is the current one. Between a change of
        // the snapshot parameter and the switch of the trees the two differ,
        // and an edit made then belongs to the snapshot still on screen.
        ZuAtomic<int32_t> liveTreeSnapshot{-1};
        ZuAtomic<bool> pwr{true};
        ZuAtomic<bool> resyncRequest{false};
        ZuAtomic<bool> clockChanged{false};
    };

    // The clock and play-window values every sequencer snapshot has.
    struct SeqClockFields
    {
        ZuAtomic<int32_t> rst{0};
        ZuAtomic<bool> csync{true};
        ZuAtomic<float> fclk{0.3f};
        ZuAtomic<int32_t> clktyp{0};
        MyParam<int> dir{0};
        MyParam<int> strt{1};
        MyParam<int> size{16};
        MyParam<int> sclk{11};
    };

    // id: "p" + kind digit + "m" + kind digit + unit digit + "_" + key; the
    // key's index in the name map and the unit digit lead to setParamValAt.
    void setParamVal(const juce::String& id, float value) override;

    const juce::String msSuffix{"_ms"};
    const juce::String mdSuffix{"_md"};

    // Value u follows unit u's current snapshot (an integer). The modulation
    // slot model and the editor refer to these values on the message thread.
    // A snapshot write on another thread (host automation, the audio thread)
    // is published here by syncSnapValues, which the processor calls on the
    // message thread; on the message thread it is published at once. The audio
    // thread reads the unit header's currentSnapshot instead.
    std::array<juce::Value, maxUnits> snapValues;

    // Message thread: brings snapValues up to date with snapshot writes that
    // arrived on other threads. Returns true when a value was set.
    bool syncSnapValues();

    using ParamMap = ZuKeyMap::Map;

    // Key (identifier without the unit prefix) to index, shared by
    // createParamMap; indices run from 1, 0 stands for a key the model lacks.
    ZuKeyMap paramMap;

    // Key lookup for callers that route without strings at run time (the
    // processor builds a table from host parameter index to model index at
    // construction): the key's index in the name map, 0 when it has none.
    int getParamIndex(const juce::String& key) const { return lookup(paramMap, key); }

    // The write of setParamVal once unit and index are known. Takes no lock,
    // builds no string and allocates nothing, so it may run on any thread;
    // an index the model lacks, a unit out of range and a non-finite value
    // change nothing.
    virtual void setParamValAt(int unit, int index, float value) = 0;

    // Reads snapshot (0..7) of a unit completely from one node whose
    // properties carry the unit prefix: a stored snapshot, "snapdef" or the
    // live unit node. A property the node lacks takes its loader default, so
    // afterwards the snapshot holds exactly what the node says. Out-of-range
    // indices change nothing. Not for the audio thread.
    virtual void loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot) = 0;

protected:
    const int numModelUnits;

    // The digit at character 4 of an identifier (the unit digit of
    // "p1m11_pwr"), or -1 when there is no digit there.
    static int unitDigitOfId(const juce::String& id) noexcept;
    // Unit digit minus one, clamped to 0..numUnits - 1 (no digit addresses
    // the first unit).
    static int unitFromId(const juce::String& id, int numUnits) noexcept;
    // The identifier without its six-character unit prefix.
    static juce::String keyFromId(const juce::String& id);
    static int lookup(const ParamMap& map, const juce::String& key);

    // Adds key with index, then its companions in the order _ms1, _ms2, _md1,
    // _md2 (one slot: _ms1, _md1). Returns the next free index.
    static int addKey(ParamMap& map, int index, const juce::String& key, int slots);

    static int toSnapshotIndex(float v) noexcept { return zu::clampInt(zu::toIntSaturating(v), 0, numSnapshots - 1); }
    static bool isSnapshotIndex(int s) noexcept { return s >= 0 && s < numSnapshots; }

    // Field number of the n-th key of a one-slot value (value, _ms1, _md1).
    static constexpr int oneSlotField(int offset) noexcept
    {
        return offset == 0 ? fieldValue : (offset == 1 ? fieldSource1 : fieldDepth1);
    }

    // Publishes a unit's new current snapshot to its juce::Value (see snapValues).
    void publishSnapshotValue(int unit, int snapshot);

    // Header writes shared by the unit kinds.
    template <class Unit> static void writePower(Unit& unit, float v) noexcept { unit.pwr = zu::toFlag(v); }
    template <class Unit> static void writeChannel(Unit& unit, float v) noexcept
    {
        unit.ch = zu::clampInt(zu::toIntSaturating(v), 0, 16);
    }
    // Stores a unit's new current snapshot (clamped to 0..7) and publishes it
    // to the unit's snapshot value; raises nothing.
    template <class Unit> int storeCurrentSnapshot(int unitIndex, Unit& unit, float v)
    {
        const int s = toSnapshotIndex(v);
        unit.currentSnapshot = s;
        publishSnapshotValue(unitIndex, s);
        return s;
    }
    // The sequencers' "snp" write. The new current snapshot is stored before
    // the resync request goes up, so that an engine seeing the request reads
    // the new snapshot.
    template <class Unit> void writeSnapshot(int unitIndex, Unit& unit, float v)
    {
        storeCurrentSnapshot(unitIndex, unit, v);
        unit.resyncRequest = true;
    }

    // The clock and play-window block every sequencer snapshot has, addressed
    // by its position in the name map: 0..4 "dir" and companions, 5 "fclk",
    // 6..10 "sclk" and companions, 11 "csync", 12 "clktyp", 13 "rst",
    // 14..18 "strt" and companions, 19..23 "size" and companions.
    static constexpr int clockBlockSize = 24;
    template <class Unit, class Snap> static void writeClockBlock(Unit& unit, Snap& snap, int rel, float v) noexcept
    {
        if (rel < 5)
            handleParamVals(snap.dir, rel, v, 0, 5);
        else if (rel == 5)
            snap.fclk = v;
        else if (rel < 11)
        {
            handleParamVals(snap.sclk, rel - 6, v, 0, 13);
            if (rel == 6)
                unit.clockChanged = true;
        }
        else if (rel == 11)
        {
            const bool on = zu::toFlag(v);
            snap.csync = on;
            if (on)
            {
                unit.resyncRequest = true;
                unit.clockChanged = true;
            }
        }
        else if (rel == 12)
        {
            snap.clktyp = zu::clampInt(zu::toIntSaturating(v), 0, 2);
            unit.clockChanged = true;
        }
        else if (rel == 13)
            snap.rst = zu::toIntSaturating(v);
        else if (rel < 19)
            handleParamVals(snap.strt, rel - 14, v, 1, numSteps);
        else if (rel < clockBlockSize)
            handleParamVals(snap.size, rel - 19, v, 1, numSteps);
    }

    // Adds the clock block's keys in map order from index; returns the next.
    static int addClockBlockKeys(ParamMap& map, int index);
    // From index 1: "pwr", the clock block and "snp", as the parameter, CC and
    // octave-transpose models start.
    static int addHeadKeys(ParamMap& map);
    // Each step key of list for steps 1..steps, key by key.
    static int addStepKeys(ParamMap& map, int index, const std::vector<std::pair<juce::String, int>>& list, int steps);

    // Loader pieces of the clock block (defaults: dir 0, fclk 0.3, sclk 11,
    // csync 1, clktyp 0, rst 0, strt 1, size 16).
    template <class Snap> void loadDir(const juce::ValueTree& t, const juce::String& prefix, Snap& snap) const
    {
        updateStepDataI(t, snap.dir, prefix + "dir", 0, 2, 0, 5);
    }
    template <class Snap> void loadClock(const juce::ValueTree& t, const juce::String& prefix, Snap& snap) const
    {
        snap.fclk = zu::readFloatProperty(t, prefix + "fclk", 0.3f);
        updateStepDataI(t, snap.sclk, prefix + "sclk", 11, 2, 0, 13);
        snap.csync = zu::readIntProperty(t, prefix + "csync", 1) > 0;
        snap.clktyp = zu::clampInt(zu::readIntProperty(t, prefix + "clktyp", 0), 0, 2);
        snap.rst = zu::readIntProperty(t, prefix + "rst", 0);
    }
    template <class Snap> void loadWindow(const juce::ValueTree& t, const juce::String& prefix, Snap& snap) const
    {
        updateStepDataI(t, snap.strt, prefix + "strt", 1, 2, 1, numSteps);
        updateStepDataI(t, snap.size, prefix + "size", 16, 2, 1, numSteps);
    }

    // Unit operations shared by the kinds; every index is checked first.
    template <class Units> static int playSnapshotIndexOf(const Units& units, int unit) noexcept
    {
        if (unit < 0 || unit >= (int) units.size())
            return 0;
        const int pending = units[(size_t) unit].pendingSnapshot;
        if (isSnapshotIndex(pending))
            return pending;
        return zu::clampInt(units[(size_t) unit].currentSnapshot, 0, numSnapshots - 1);
    }
    template <class Units> static bool setPendingSnapshotOf(Units& units, int unit, int snapshot) noexcept
    {
        if (unit < 0 || unit >= (int) units.size())
            return false;
        units[(size_t) unit].pendingSnapshot = isSnapshotIndex(snapshot) ? snapshot : -1;
        return true;
    }
    template <class Units, class Unit> static bool initUnitOf(Units& units, const Unit& defaults, int unit)
    {
        if (unit < 0 || unit >= (int) units.size())
            return false;
        units[(size_t) unit] = defaults;
        return true;
    }
    template <class Units> static bool copySnapshotOf(Units& units, int srcUnit, int dstUnit, int srcSnap, int dstSnap)
    {
        if (srcUnit < 0 || srcUnit >= (int) units.size() || dstUnit < 0 || dstUnit >= (int) units.size() ||
            !isSnapshotIndex(srcSnap) || !isSnapshotIndex(dstSnap))
            return false;
        if (srcUnit != dstUnit || srcSnap != dstSnap)
            units[(size_t) dstUnit].snaps[(size_t) dstSnap] = units[(size_t) srcUnit].snaps[(size_t) srcSnap];
        return true;
    }
    // The snapshot that setParamVal writes: the one the unit's live trees
    // hold, else its current one, or none while that index lies outside 0..7
    // (the write is then refused).
    template <class Unit> static auto* writeSnapshotOf(Unit& unit) noexcept
    {
        const int live = unit.liveTreeSnapshot;
        const int s = live >= 0 ? live : (int) unit.currentSnapshot;
        return isSnapshotIndex(s) ? &unit.snaps[(size_t) s] : nullptr;
    }

    // The stored snapshot s (0..7) of a unit child, or an invalid tree when it
    // is missing or holds no properties (the model's snapshot then stays).
    static juce::ValueTree storedSnapshot(const juce::ValueTree& unitChild, int s);

    // The loader shared by the unit kinds: reads the stored snapshots of one
    // unit (0..n-1), or of every unit of the kind when unit is n, from the
    // unit children of "snapmain". loadOne(stored, prefix, u, snapshot) reads
    // one stored snapshot into the model's snapshot.
    template <class Units, class LoadOne>
    static void loadStoredSnapshots(const juce::ValueTree& snapmain, int unit, Units& units, zu::units::Kind kind,
                                    LoadOne&& loadOne)
    {
        const int n = (int) units.size();
        if (unit < 0 || unit > n)
            return;
        const int first = unit == n ? 0 : unit;
        const int last = unit == n ? n - 1 : unit;
        for (int u = first; u <= last; ++u)
        {
            const auto child = snapmain.getChildWithName(zu::units::nodeName(kind, u));
            if (!child.isValid())
                continue;
            const auto prefix = zu::units::unitPrefix(kind, u);
            for (int s = 0; s < numSnapshots; ++s)
            {
                const auto stored = storedSnapshot(child, s);
                if (stored.isValid())
                    loadOne(stored, prefix, u, units[(size_t) u].snaps[(size_t) s]);
            }
        }
    }

private:
    std::array<ZuAtomic<int32_t>, maxUnits> snapValueToPublish{};
    std::array<ZuAtomic<bool>, maxUnits> snapValueDirty{};
};
