// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The snapshot chainer: switches the snapshots of the units that follow a
// chain row, one chain step at a time, on its own clock locked to the host
// position. Runs once per playing block before the units and fills the
// request array that the unit handler hands to the unit engines.

#include "SeqClock.h"

#include <juce_dsp/juce_dsp.h>

#include <array>

class MirabelGlobalData;

class SnapChainerEngine
{
public:
    static constexpr int numTargets = 15;
    static constexpr int numSpeeds = 7;
    static constexpr int noRequest = -1;

    // Request array: index = chain target number - 1 (0..11 unit ids 1..12,
    // 12 and 13 the CC racks, 14 the octave-transpose unit); -1 keep, 0..7
    // snapshot, 8 restart the unit.
    using Requests = std::array<int, numTargets>;

    explicit SnapChainerEngine(MirabelGlobalData& globalData);

    // Sizes the phase buffer for the given block size. Not the audio thread,
    // except when the host hands a larger block than prepared.
    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Transport start and loop restarts: the chain recounts from the host position.
    void reset() noexcept;
    void processBlock(double ppq, bool nearLoopEnd, int wrapSample, Requests& requests, int numSamples) noexcept;
    // The counter as processBlock derives it from a host position on its first block.
    void calcCounterFromMasterPpq(double ppq, double stepsPerBarOfSpeed) noexcept;

    int getChainCounter() const noexcept { return chainCounter; }
    int getLastClockIdx() const noexcept { return lastClockIdx; }

private:
    static int counterFromPpq(double ppq, double stepsPerBarOfSpeed) noexcept;

    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    int lastClockIdx = -1;
    int chainCounter = -1;
    bool firstBlock = false;
    const std::array<double, numSpeeds> stepsPerBar{1.0 / 16.0, 1.0 / 8.0, 1.0 / 4.0, 1.0 / 2.0, 1.0, 2.0, 4.0};
    SeqClock<double> clock;
    juce::HeapBlock<double> phaseStorage;
    size_t phaseCapacity = 0;
    MirabelGlobalData& globalData;

    JUCE_DECLARE_NON_COPYABLE(SnapChainerEngine)
};
