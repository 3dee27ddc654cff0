// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Turns the notes that the pitch units start into note-on and note-off
// events: keeps every sounding note until its gate runs out, ends, ties or
// overlaps (legato) a unit's sounding note when the unit starts a new one, and
// copies every event into recorder lane 0 and the lanes that select the
// note's unit. Audio thread only.

#include "NoteInfo.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <vector>

class NoteHandler
{
public:
    static constexpr int numLists = 5;
    static constexpr int numLanes = 5;
    // Sounding notes per pitch unit before a list has to grow.
    static constexpr size_t notesPerUnitCapacity = 256;

    using Lanes = std::array<juce::MidiBuffer, numLanes>;
    using LaneTargets = std::array<std::vector<int>, numLanes - 1>;

    NoteHandler();

    // Resolves the block's new notes against the sounding ones and sends the
    // note-ons; changes the records in noteInfos.
    void handleNoteOn(juce::MidiBuffer& output, Lanes& lanes, LaneTargets& recorderLaneTargets,
                      std::vector<NoteInfo>& noteInfos, int numSamples);
    // Counts the sounding notes down and sends the note-offs of this block.
    void processGate(juce::MidiBuffer& output, Lanes& lanes, LaneTargets& recorderLaneTargets,
                     std::array<bool, numLists>& pitchUnitOn, int numSamples);
    // Ends every sounding note at the block's last sample, in output only.
    void allActiveNotesOff(juce::MidiBuffer& output, int numSamples);
    // Forgets every sounding note without sending anything.
    void reset() noexcept;
    bool isEmpty() const noexcept;

    // The MIDI velocity of a note-on: round(velocity x 127) within 1..127
    // for any positive velocity, 0 otherwise.
    static juce::uint8 velocityByte(float velocity) noexcept;

    // List u holds the sounding notes of pitch unit u (1..4), oldest first.
    const std::array<std::vector<NoteInfo>, numLists>& getActiveNotes() const noexcept { return activeNotes; }

private:
    std::array<std::vector<NoteInfo>, numLists> activeNotes;
};
