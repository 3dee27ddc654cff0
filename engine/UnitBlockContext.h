// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the unit handler and every unit engine receive for one playing block,
// gathered once per block by the main engine: the shared buffers and records
// it owns and the block's transport values. The unit handler adds the block's
// clock requests and its recorder lane lists before it runs the units; each
// engine picks its own entries (its target event list, its snapshot request)
// by its unit id.
//
// Audio thread only; building one allocates nothing.

#include "NoteInfo.h"
#include "PrmSqTargetEvents.h"

#include "ZuUnits.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <utility>
#include <vector>

class SwingHandler;

// The global octave (x) and transpose (y) in semitones that the pitch units
// add, as the octave-transpose unit and the global settings leave them.
struct OctTpShift
{
    int x = 0;
    int y = 0;

    bool operator==(const OctTpShift& other) const noexcept { return x == other.x && y == other.y; }
    bool operator!=(const OctTpShift& other) const noexcept { return !(*this == other); }
};

struct UnitBlockContext
{
    static constexpr int numLanes = 5;
    static constexpr int numRecTracks = 4;
    using Lanes = std::array<juce::MidiBuffer, numLanes>;
    using LaneTargets = std::array<std::vector<int>, numRecTracks>;
    // One request per unit in chainer target order (zu::units::requestIndexOf):
    // -1 keep, 0..7 switch to that snapshot, 8 restart.
    using SnapshotRequests = std::array<int, zu::units::numUnits>;

    // The host note-ons; no engine reads them.
    juce::MidiBuffer& engineInput;
    // Controller messages of the CC units and racks.
    juce::MidiBuffer& output;
    // Recorder lane 1 is armed: controllers also go to the lanes.
    bool recording;
    Lanes& lanes;
    SwingHandler& swing;
    // The block's note records, appended to by the pitch units.
    std::vector<NoteInfo>& noteInfos;
    // Element id of pitch unit id 1..4: the unit ran and is not muted.
    std::array<bool, 5>& pitchUnitOn;
    // 16 channels: 0..7 the running unit's modulators, 8..15 the macros.
    juce::dsp::AudioBlock<float>& modBlock;
    PrmSqTargetEvents& prmSqTargetEvents;
    SnapshotRequests& snapshotRequests;
    OctTpShift& octTp;
    // Host position in quarter notes at the block start.
    double ppq;
    // "p0_midimute": no note records while set.
    bool midiMute;
    // Passed to the modulation slots; the main engine always passes true.
    bool playing;
    bool nearLoopEnd;
    // Sample of the host loop wrap in this block, -1 if none.
    int wrapSample;
    int numSamples;

    // Set by the unit handler at the start of its block: the one-shot reset
    // and resync requests ("p0_clk_reset", "p0_clk_resync") and the lists of
    // CC units and racks whose controllers also go to recorder lane t + 1.
    std::pair<bool, bool> clockResetResync{false, false};
    const LaneTargets* ccLaneTargets = nullptr;
};
