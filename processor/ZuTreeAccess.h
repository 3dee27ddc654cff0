// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_events/juce_events.h>

// The value trees belong to the message thread: the editor, the unit
// operations and the processor's timers all write them there. Another thread
// (a host saving or restoring the state on its own thread, as JUCE's VST2
// wrapper lets it on Linux) touches them only while it holds the message
// manager's lock, which the message thread grants between two messages, so
// the two sides never overlap. The audio thread never touches the trees and
// never takes this lock.
//
// On the message thread, or on a thread that already holds the lock, access
// is granted at once: a host calling from the message thread itself cannot
// deadlock. Elsewhere the wait is bounded: a message thread that does not
// come round within maxWaitMs is blocked (most likely on the very thread that
// calls), and the caller must then do without the trees.
class ZuTreeAccess
{
public:
    static constexpr int defaultMaxWaitMs = 10000;

    explicit ZuTreeAccess(int maxWaitMs = defaultMaxWaitMs);
    ~ZuTreeAccess();

    bool granted() const noexcept { return isGranted; }

    // Whether the calling thread may touch the trees right now.
    static bool isHeldByThisThread() noexcept;

private:
    juce::MessageManager::Lock lock;
    bool locked = false;
    bool isGranted = false;

    JUCE_DECLARE_NON_COPYABLE(ZuTreeAccess)
};
