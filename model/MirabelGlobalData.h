// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKeyMap.h"

#include "ZuDataModelBase.h"

// The ids (1..15) of the center units that exist, ascending; duplicates stay
// as the unit-list text gives them. A plain value: copy it freely.
struct CenterUnitList
{
    static constexpr int capacity = 15;

    std::array<int, capacity> ids{};
    int count = 0;

    int size() const noexcept { return count; }
    bool isEmpty() const noexcept { return count == 0; }
    int operator[](int i) const noexcept { return i >= 0 && i < count ? ids[(size_t) i] : 0; }
    const int* begin() const noexcept { return ids.data(); }
    const int* end() const noexcept { return ids.data() + count; }
    bool contains(int id) const noexcept
    {
        for (int i = 0; i < count; ++i)
            if (ids[(size_t) i] == id)
                return true;
        return false;
    }
    bool operator==(const CenterUnitList& other) const noexcept
    {
        if (count != other.count)
            return false;
        for (int i = 0; i < count; ++i)
            if (ids[(size_t) i] != other.ids[(size_t) i])
                return false;
        return true;
    }
};

// Hands the unit list from the message thread to the audio thread without a
// lock: the writer bumps a sequence number around its write, the reader
// copies and checks that the number did not move. The reader never waits; a
// read that overlapped a write reports failure and leaves its target alone.
class CenterUnitListExchange
{
public:
    // Writers (message thread, the thread of a state load); writers exclude
    // each other, the reader is never held up.
    void publish(const CenterUnitList& list) noexcept;
    // Any thread, the audio thread included.
    bool read(CenterUnitList& out) const noexcept;

private:
    std::atomic<uint32_t> sequence{0};
    std::array<std::atomic<int>, CenterUnitList::capacity> ids{};
    std::atomic<int> count{0};
};

// Everything that belongs to no single unit: global settings, the unit list,
// swing, octave and transpose, the reset and resync requests, the recorder,
// the MIDI switches and the snapshot chainer, plus the fields through which
// the engine and the editor's panels exchange transport, step and recorder
// state. Every field the threads share is atomic.
class MirabelGlobalData : public ZuDataModelBase
{
public:
    static constexpr int numParams = 240;
    static constexpr int numSeqUnits = 13;
    static constexpr int numRecLanes = 5;
    static constexpr int numRecTracks = 4;
    static constexpr int numRecTargets = 10;
    static constexpr int numChainerRows = 8;
    static constexpr int numChainerSteps = 16;
    static constexpr int numChainerTargets = 15;
    static constexpr int maxRecLength = 128;

    MirabelGlobalData();
    ~MirabelGlobalData() override = default;

    using ZuDataModelBase::updateModActiveStates;

    void createParamMap() override;
    void setParamVal(const juce::String& name, float value) override;
    void updateModActiveStates(int) override {}

    // The key's index in the name map (0 when the map lacks it) and the write
    // by index: no lock, no string, no allocation, so host parameters may be
    // routed through it on any thread.
    int getParamIndex(const juce::String& name) const;
    void setParamValAt(int index, float value) noexcept;

    // Replaces the unit list from the editor's "ctstate" text ("CT:" and one
    // token per unit) and raises centerUnitsChanged. Message thread.
    void loadCenterUnitStateFromString(juce::String text);
    // Chainer off, size 4, speed 4, every step and target 0; the chainer's
    // current step is left alone.
    void initChainerData();

    // Audio thread: lowers centerUnitsChanged and copies the list into dest.
    // When the copy overlapped a replacement, dest stays as it was, the flag
    // goes up again (the next block copies) and the result is false.
    bool takeCenterUnits(CenterUnitList& dest) noexcept;
    // Any other thread: the list as it is now.
    CenterUnitList getCenterUnits() const;

    // The keyboard transpose root, kept within 0..127.
    void setMidiTpNote(int note) noexcept { midiTpNote = zu::clampInt(note, 0, 127); }

    // Written by the engine's prepare step.
    ZuAtomic<double> sampleRate{44100.0};
    ZuAtomic<uint32_t> maxBlockSize{0};
    ZuAtomic<uint32_t> numChannels{0};
    // Transport as the engine last saw it.
    ZuAtomic<double> ppq{-1.0};
    ZuAtomic<double> bpm{60.0};
    ZuAtomic<double> invBpm{1.0 / 60.0};
    ZuAtomic<bool> isPlaying{false};
    // "p0_gch": the global MIDI channel, 1..16.
    ZuAtomic<int32_t> gch{1};
    ZuAtomic<double> samplesPerBeat{0.0};
    // "p0_swing" and "p0_swgtar1".."p0_swgtar13" (units: pitch 1-4,
    // parameter 1-4, CC 1-4, octave-transpose).
    MyParam<float> swing{0.0f};
    std::array<ZuAtomic<bool>, numSeqUnits> swgTar;
    // The unit list: raised after every replacement, lowered by the engine's
    // unit handler when it has copied the list (takeCenterUnits).
    ZuAtomic<bool> centerUnitsChanged{false};
    CenterUnitListExchange centerUnits;
    // Step each sequencer unit plays (kind x 4 + instance), -1 = idle.
    std::array<ZuAtomic<int32_t>, numSeqUnits> curSteps;
    // "p0_goct", "p0_gtp" and the pitch units they apply to ("p0_gocttptar1..4").
    MyParam<int> goct{0};
    MyParam<int> gtp{0};
    std::array<ZuAtomic<bool>, 4> goctTpTar;
    // "p0_miditp" and its root note.
    ZuAtomic<bool> midiTp{false};
    ZuAtomic<int32_t> midiTpNote{0};
    // The octave-transpose unit runs (written by its engine every block).
    ZuAtomic<bool> octTpOn{false};
    // One-shot requests of "p0_clk_reset" and "p0_clk_resync" and their
    // targets "p0_rebtntar1..13" (same unit order as the swing targets).
    ZuAtomic<bool> clkReset{false};
    ZuAtomic<bool> clkResync{false};
    std::array<ZuAtomic<bool>, numSeqUnits> rebtnTar;
    // Raised by the processor after a state load; the engine lowers it.
    ZuAtomic<bool> forceResync{false};
    // Recorder: "p0_recleng" in bars (0 = 128), lane flags (lanes 0..4), the
    // targets of tracks 1..4 (lanes 1..4) over the ten MIDI-producing units
    // (pitch 1-4, CC 1-4, racks 1-2) from "p0_rectrk" + t + "tarunit" + u.
    ZuAtomic<int32_t> recLength{1};
    std::array<ZuAtomic<bool>, numRecLanes> recArmed;
    std::array<ZuAtomic<bool>, numRecLanes> recHasTake;
    std::array<ZuAtomic<bool>, numRecLanes> recRunning;
    // The lane's take ran out of room and lost events after its first ones
    // (cleared when the next take starts).
    std::array<ZuAtomic<bool>, numRecLanes> recTakeCut;
    std::array<std::array<ZuAtomic<bool>, numRecTargets>, numRecTracks> recTargets;
    ZuAtomic<bool> recStateChanged{false};
    ZuAtomic<int32_t> recAnchor{0};

    ZuKeyMap paramMap;

    // "p0_midimute", "p0_midithru", "p0_midichlock", "p0_scalelock".
    ZuAtomic<bool> midiMute{false};
    ZuAtomic<bool> midiThru{false};
    ZuAtomic<bool> midiChLock{false};
    ZuAtomic<bool> scaleLock{false};
    // Notes the MIDI input collects while chord note entry is on (audio
    // thread in), taken by the processor's timer (message thread out).
    ZuIntFifo<128> capturedChordNotes;
    // Snapshot chainer: "p0_chrpwr", "p0_chrsize" (2..16), "p0_chrspd"
    // (0..6), "p0_chrt" + row + "stp" + step (0..7 snapshot, 8 restart),
    // "p0_chrtar" + target (row 1..8, 0 = none), and the step it played last
    // (-1 while off).
    ZuAtomic<bool> chrPwr{false};
    ZuAtomic<int32_t> chrSize{4};
    ZuAtomic<int32_t> chrSpd{4};
    std::array<std::array<ZuAtomic<int32_t>, numChainerSteps>, numChainerRows> chrSteps{};
    std::array<ZuAtomic<int32_t>, numChainerTargets> chrTargets{};
    ZuAtomic<int32_t> chrCurStep{-1};

private:
    JUCE_DECLARE_NON_COPYABLE(MirabelGlobalData)
};
