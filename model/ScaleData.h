// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKeyMap.h"

#include "ZuDataModelBase.h"

#include <juce_events/juce_events.h>

// Scale quantisation: twelve key flags become a scale table (for every pitch
// class the pitch class a note of that class is moved to), which the pitch
// engines copy and apply to every note. The table is rebuilt on the message
// thread a short time after the key flags change, so that a burst of key
// changes (a scale preset writes all twelve) leads to one rebuild.
//
// Hand-off of the table: the rebuild writes a back buffer, publishes it and
// only then raises scaleTableChanged. The audio thread lowers the flag before
// it copies, and always copies the newest published table, so it never takes
// a half-written table and never lowers the flag of a table it did not get.
class ScaleData : public ZuDataModelBase, public juce::MultiTimer
{
public:
    using Table = std::array<int, 12>;

    static constexpr int numPitchClasses = 12;
    static constexpr int numTargets = 4;
    static constexpr int numParams = 33;
    static constexpr int rebuildTimerId = 0;
    static constexpr int keyChangeDelayMs = 30;
    static constexpr int refreshDelayMs = 100;

    // Name map indices.
    enum ParamIndex
    {
        idxPwr = 1,
        idxType = 2,
        idxOrder = 3,
        idxRoot = 4,
        idxRootShift = 5,
        idxCmap1 = 6,    // 6..17
        idxTarget1 = 18, // 18..21
        idxKey1 = 22     // 22..33, chromatic order
    };

    ScaleData();
    ~ScaleData() override;

    void createParamMap() override;
    // Host parameters (power, type, order, root, root shift, targets) may
    // arrive on any thread; key flags come from the tree and only schedule a
    // rebuild, which reads all twelve from the key tree.
    void setParamVal(const juce::String& name, float value) override;
    // String-free write of a name map index. Key indices start the rebuild
    // timer, so they must not be written from the audio thread (they are tree
    // properties, never host parameters).
    void setParamValAt(int index, float value);
    int getParamIndex(const juce::String& name) const;

    // Message thread: the tree whose properties hold the twelve key flags.
    void setKeyTree(juce::ValueTree tree);

    // Message thread. Settings back to their defaults, the table to 0..11,
    // then a rebuild from the key tree 100 ms later.
    void init();
    // Message thread: a rebuild 100 ms from now.
    void type1KeyStatesChanged();
    void timerCallback(int timerID) override;
    // Message thread: rebuilds the table from the key tree and publishes it.
    void updateType1ScaleList();

    // Display functions (message thread).
    // Note name shown for a step pitch value.
    juce::String getScaledDispNoteString(int pitch) const;
    // Whether each pitch class is a note of the scale as the engine plays it.
    void getActiveNoteListForScaleDisp(std::array<bool, 12>& out) const;
    // The pitch after the scale mapping, 0..127 (the pitch itself while the
    // scale is off).
    int getScaledPitchValForDisp(int pitch) const;
    // The last published table.
    Table getScaleTable() const;

    // Audio thread (one reader thread). Allocation-free and lock-free.
    // When a new table was published since the flag was last lowered: lowers
    // the flag, copies the newest table into dest and returns true.
    bool copyTableIfChanged(Table& dest) noexcept;
    // Copies the newest published table into dest, leaving the flag alone
    // (a unit engine that is new, or one of several that follow one flag).
    void copyTable(Table& dest) noexcept;

    // The table of twelve key flags (pitch class 0..11): a key that is on
    // maps to itself, one that is off to the nearest key on at distance 1..6,
    // upward first (12 or more across the top of the octave, below 0 across
    // the bottom); no key on gives 0..11.
    static Table buildScaleTable(const std::array<bool, 12>& keys) noexcept;
    // Message thread (the one writer): publishes a table and raises the flag.
    void publishTable(const Table& table);
    // Tables published so far.
    uint32_t getPublishCount() const noexcept { return publishCount.load(); }

    // Pitch class of any pitch, negative ones included.
    static int pitchClass(int pitch) noexcept { return ((pitch % 12) + 12) % 12; }

    ZuKeyMap paramMap;
    ZuAtomic<bool> scalePower{true};
    ZuAtomic<int32_t> scaleRoot{0}; // pitch class 0..11
    ZuAtomic<bool> rootShift{false};
    ZuAtomic<int32_t> scaleOrder{0}; // 0 transpose then scale, 1 scale then transpose
    std::array<ZuAtomic<bool>, numTargets> scaleTargets{true, true, true, true};
    // Held on the message thread while a table is published; the audio thread
    // never takes it.
    juce::CriticalSection tableLock;
    const std::array<juce::String, numPitchClasses> keyNames;
    // Raised after a table is published; lowered by the engine's copy.
    ZuAtomic<bool> scaleTableChanged{false};
    const std::array<juce::String, numPitchClasses> noteNames;
    // A second pitch-class table written by the "cmap" keys; no scale type
    // uses it, so the engine never reads it.
    std::array<ZuAtomic<int32_t>, numPitchClasses> type2Table{};

private:
    static Table identityTable() noexcept;
    // The scale mapping of a pitch with the message side's table.
    int64_t mapPitch(int pitch, const Table& t) const noexcept;

    juce::ValueTree keyTree;
    Table scaleTable; // message side, under tableLock

    // Three buffers: one the writer fills, one the reader copies from, one in
    // between. The index in the middle carries a bit that says it is newer
    // than the reader's.
    static constexpr int freshBit = 4;
    static constexpr int indexMask = 3;
    std::array<Table, 3> buffers;
    int backIndex = 0;  // writer only
    int frontIndex = 2; // reader only
    std::atomic<int> middleIndex{1};
    std::atomic<uint32_t> publishCount{0};

    JUCE_DECLARE_NON_COPYABLE(ScaleData)
};
