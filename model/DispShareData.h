// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <vector>

// Process-wide display and chord tables shared by the engines and the editor
// through juce::SharedResourcePointer<DispShareData>. Filled by the
// constructor, read-only afterwards, so any thread may read it.
class DispShareData
{
public:
    static constexpr int numDirections = 6;
    static constexpr int numNoteNames = 13;
    static constexpr int numClockDivisions = 14;
    static constexpr int numChordTypes = 20;
    static constexpr int maxChordNotes = 5;

    // The intervals of one chord type in semitones above its root, ascending,
    // in fixed storage so the audio thread can read them without allocating.
    struct ChordIntervals
    {
        std::array<int, maxChordNotes> notes{};
        int count = 0;

        const int* begin() const noexcept { return notes.data(); }
        const int* end() const noexcept { return notes.data() + count; }
        int size() const noexcept { return count; }
    };

    DispShareData();

    // ">", "<", "><1", "><2", "?", "??" (direction 0..5).
    std::array<juce::String, numDirections> dirNames;
    // "C" .. "B", "C" (step pitch 0..12).
    std::array<juce::String, numNoteNames> noteNames;
    // "128/1" .. "1/64" (synced clock division 0..13).
    std::array<juce::String, numClockDivisions> clockDivNames;
    // "Dummy", "MOD1".."MOD8", "MACRO1".."MACRO4".
    juce::StringArray modSourceNames;
    std::array<juce::String, numChordTypes> chordNames;
    std::array<ChordIntervals, numChordTypes> chordIntervals;

    // The chord name of type index 0..19; empty for any other index.
    juce::String getChordNameStr(int index) const;
    // A copy of the interval list of chord type index 0..19; empty for any
    // other index. Allocates: the audio thread uses getChordIntervals.
    std::vector<int> getChordNotesFromIndex(int index) const;
    // The same list without a copy; an index outside 0..19 gives an empty list.
    const ChordIntervals& getChordIntervals(int index) const noexcept;

    // The text of a parameter sequencer step value 0..1 for step target
    // 0..13 (0 none, 1 direction, 2 start, 3 size, 4 octave, 5 transpose,
    // 6 step pitch, 7 step octave, 8 velocity, 9 gate, 10 probability,
    // 11 slur, 12 on/off, 13 restart), absolute or relative.
    juce::String getParamSeqString(int target, bool relative, float value) const;

    // Table index of a value: floor, then kept within 0..size - 1 (a non-finite
    // value reads as 0).
    static int listIndex(double x, int size) noexcept;

    // The free clock or modulation rate a knob value 0..1 shows, in Hz: e^(v ln 20)
    // in its [4/4] Pade form, mapped onto 0.01..20 and floored to 0.01 Hz
    // (0.01 at 0, 1.54 at 0.3, 20 at 1). A non-finite value reads as 0.
    static double freeRateHz(double value) noexcept;

private:
    const ChordIntervals noChord{};

    JUCE_DECLARE_NON_COPYABLE(DispShareData)
};

// Six short knob names and text helpers for delay, rate, tap and vowel values.
// Shared through juce::SharedResourcePointer<FxUnitShared>.
class FxUnitShared
{
public:
    FxUnitShared();

    // "Oct", "TP", "Shift", "Shuffle", "P-Shift", "Clk Mul".
    juce::StringArray knobNames;

    // A note value for a synced delay time 0..1 (22 values, "1/128D" at 0 to "1/1" at 1).
    juce::String getSyncedDelayTImeDisp(double value) const;
    // Synced: as above; free: 30 to 1000 ms, floored to 0.1 ms, then " ms".
    juce::String getDelayTimeDisp(double value, bool synced) const;
    // A note value for a synced modulation rate 0..1 ("1/32T" .. "4/1T").
    juce::String getLfoSyncedRateDisp(double value) const;
    // Synced: as above; free: 0.01 to 20 Hz, truncated to 0.001 Hz, then " Hz".
    juce::String getLfoRateDisp(double value, bool synced) const;
    // One of ten tap patterns ("o x x x" ..).
    juce::String getTapModeDisp(double value) const;
    // One of nine vowel names ("A" .. "o").
    juce::String getVowelDisp(double value) const;

    static const juce::StringArray& syncedDelayNames();
    static const juce::StringArray& syncedRateNames();
    static const juce::StringArray& tapModeNames();
    static const juce::StringArray& vowelNames();

private:
    JUCE_DECLARE_NON_COPYABLE(FxUnitShared)
};
