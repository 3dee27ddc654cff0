// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the CC sequencer units and the CC racks share when they send a
// controller: the target controller of a stored menu value, the channel, the
// 7-bit value of a knob or step value in an output range, and the send into
// the block's output and, while recording, the recorder lanes.
//
// Audio thread; nothing here allocates (a MIDI buffer reserved by the main
// engine takes the message in place).

#include "UnitBlockContext.h"

#include "ZuConvert.h"

#include <algorithm>
#include <cmath>

namespace zu::ccoutput
{
// Recorder lane target numbers: 4..7 the CC units, 8 and 9 the racks.
constexpr int firstCcUnitLaneTarget = 4;
constexpr int firstRackLaneTarget = 8;

constexpr int laneTargetOfCcUnit(int index) noexcept
{
    return firstCcUnitLaneTarget + index;
}

constexpr int laneTargetOfRack(int index) noexcept
{
    return firstRackLaneTarget + index;
}

// A stored target menu value: 0 "--", n = controller n - 1. Anything below 1
// or above 128 (a damaged state) is no controller either: -1.
constexpr int controllerOfMenuValue(int menuValue) noexcept
{
    return menuValue >= 1 && menuValue <= 128 ? menuValue - 1 : -1;
}

// A unit or knob channel 1..16, 0 following the global channel; values
// outside the range are brought into it.
inline int channelOf(int channel, int globalChannel) noexcept
{
    if (channel == 0)
        return zu::clampInt(globalChannel, 1, 16);
    return zu::clampInt(channel, 1, 16);
}

// lo + (hi - lo) x value, rounded half away from zero, kept to 0..127. A
// bound that is not a number counts as its default (0 and 127).
inline int scaledValue(float value, float lo, float hi) noexcept
{
    const double l = std::isfinite(lo) ? (double) lo : 0.0;
    const double h = std::isfinite(hi) ? (double) hi : 127.0;
    const double v = std::isfinite(value) ? (double) value : 0.0;
    const double x = l + (h - l) * v;
    const double rounded = x >= 0.0 ? std::floor(x + 0.5) : -std::floor(0.5 - x);
    return (int) std::clamp(rounded, 0.0, 127.0);
}

// Into the output at samplePos; while recording also into lane 0 and into
// each lane k = 1..4 whose target list holds laneTarget.
inline void send(UnitBlockContext& block, const juce::MidiMessage& message, int samplePos, int laneTarget)
{
    block.output.addEvent(message, samplePos);
    if (!block.recording)
        return;
    block.lanes[0].addEvent(message, samplePos);
    if (block.ccLaneTargets == nullptr)
        return;
    for (size_t t = 0; t < block.ccLaneTargets->size(); ++t)
    {
        const auto& targets = (*block.ccLaneTargets)[t];
        if (std::find(targets.begin(), targets.end(), laneTarget) != targets.end())
            block.lanes[t + 1].addEvent(message, samplePos);
    }
}
} // namespace zu::ccoutput
