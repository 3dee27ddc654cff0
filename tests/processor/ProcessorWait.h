// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessagePump.h"
#include "PluginProcessor.h"

namespace zutest
{
// Waits until the processor has carried out every queued snapshot switch and
// its pending "Dummy" flip, so that what a test compares no longer moves.
inline bool settle(ZumiraboxAudioProcessor& p)
{
    return pumpUntil(
        [&]
        {
            return !p.hasPendingSwitches() && !p.isTimerRunning(ZumiraboxAudioProcessor::snapshotSwitchTimer) &&
                   !p.isTimerRunning(ZumiraboxAudioProcessor::dummyFlipTimer);
        });
}
} // namespace zutest
