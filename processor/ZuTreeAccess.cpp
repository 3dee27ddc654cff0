// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuTreeAccess.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

bool ZuTreeAccess::isHeldByThisThread() noexcept
{
    auto* mm = juce::MessageManager::getInstanceWithoutCreating();
    return mm == nullptr || mm->currentThreadHasLockedMessageManager();
}

ZuTreeAccess::ZuTreeAccess(int maxWaitMs)
{
    if (isHeldByThisThread())
    {
        isGranted = true;
        return;
    }

    // The lock's own wait has no deadline; a watchdog aborts it when the
    // message thread does not answer in time.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog(
        [&]
        {
            std::unique_lock<std::mutex> hold(mutex);
            if (!finished.wait_for(hold, std::chrono::milliseconds(maxWaitMs), [&] { return done; }))
                lock.abort();
        });
    locked = lock.tryEnter();
    {
        const std::lock_guard<std::mutex> hold(mutex);
        done = true;
    }
    finished.notify_all();
    watchdog.join();
    isGranted = locked;
}

ZuTreeAccess::~ZuTreeAccess()
{
    if (locked)
        lock.exit();
}
