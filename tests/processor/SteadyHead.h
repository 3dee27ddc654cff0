// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstdint>

namespace zutest
{
// A host that plays at 120 bpm and 48 kHz from sample 0; the test moves
// sample on after each block.
class SteadyHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setIsPlaying(true);
        info.setBpm(120.0);
        info.setPpqPosition((double) sample * 120.0 / (60.0 * 48000.0));
        return info;
    }
    int64_t sample = 0;
};
} // namespace zutest
