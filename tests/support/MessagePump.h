// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Waiting on the message thread in tests. Timers and asynchronous updates run
// only while the message loop is pumped; a loaded CI machine can delay them by
// far more than their nominal period, so tests wait for the condition they
// need, with a generous deadline, and never for a fixed time.

#include <juce_events/juce_events.h>

namespace zutest
{
// Pumps the message loop until done() holds or timeoutMs have passed; returns
// done() at the end.
template <typename Condition> bool pumpUntil(Condition done, int timeoutMs = 20000)
{
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + timeoutMs;
    while (!done())
    {
        if (juce::Time::getMillisecondCounterHiRes() > deadline)
            return done();
        juce::MessageManager::getInstance()->runDispatchLoopUntil(5);
    }
    return true;
}

// Pumps for about ms milliseconds. Only for checks that something does NOT
// happen: a slow machine can make such a check pass wrongly, never fail.
inline void pumpFor(int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(ms);
}

// Milliseconds since an earlier reading of getMillisecondCounterHiRes().
inline double millisecondsSince(double start)
{
    return juce::Time::getMillisecondCounterHiRes() - start;
}
} // namespace zutest
