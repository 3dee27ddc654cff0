// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKeyMap.h"

#include "ZuDataModelBase.h"

// The chord settings: chord power, the pitch units chords apply to, and twelve
// chord slots, one per pitch class, which the pitch engines read when a
// target unit plays a step.
class ChordData : public ZuDataModelBase
{
public:
    static constexpr int numSlots = 12;
    static constexpr int numTargets = 4;
    static constexpr int numCustomNotes = 5;
    static constexpr int numParams = 113;
    static constexpr int numChordTypes = 20;
    // Inversions 0..3; 4 (the editor's "---") plays as root position.
    static constexpr int maxInversion = 4;
    // Custom notes are stored as the editor's item id minus one: 0 or less
    // is no note, v = 1..128 plays note v - 1.
    static constexpr int minCustomNote = -1;
    static constexpr int maxCustomNote = 128;

    // Name map indices.
    enum ParamIndex
    {
        idxPwr = 1,
        idxTarget1 = 2, // 2..5
        idxFirstSlot = 6,
        keysPerSlot = 9 // type, root, inversion, custom, five custom notes
    };

    struct ChordSlot
    {
        ZuAtomic<int32_t> chordType{0}; // 0..19, the shared chord table
        ZuAtomic<int32_t> chordRoot{0}; // 0..11 semitones
        ZuAtomic<int32_t> inversion{0}; // 0..4
        ZuAtomic<bool> custom{false};
        std::array<ZuAtomic<int32_t>, numCustomNotes> customNotes{};
    };

    ChordData();
    ~ChordData() override = default;

    void createParamMap() override;
    // Slot settings arrive as the editor's item id and are stored as id - 1
    // within their ranges; a name the map lacks and a non-finite value change
    // nothing.
    void setParamVal(const juce::String& name, float value) override;
    // String-free write of a name map index (1..113).
    void setParamValAt(int index, float value) noexcept;
    int getParamIndex(const juce::String& name) const;

    // Chord power on, targets off, and every slot as the chord tree holds it
    // after "initialise all": chord type 0, root = its own pitch class,
    // root position, no custom notes. The display names stay.
    void init();

    ZuAtomic<bool> chordPower{false};
    std::array<ZuAtomic<bool>, numTargets> chordTargets{};
    std::array<ChordSlot, numSlots> chordSlots;
    // Shown for step pitch values 0..12 while chords are active (pitch 12
    // triggers slot 0). Never changed after construction.
    const std::array<juce::String, numSlots + 1> chordDisplayNames;
    ZuKeyMap paramMap;

private:
    static std::array<juce::String, numSlots + 1> makeDisplayNames();

    JUCE_DECLARE_NON_COPYABLE(ChordData)
};
