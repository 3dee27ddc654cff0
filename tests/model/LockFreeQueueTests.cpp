// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuLockFree.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(LockFreeQueues, SpscKeepsOrderAndDropsWhenFull)
{
    ZuSpscQueue<int, 4> q;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(q.push(i));
    EXPECT_FALSE(q.push(99)) << "a full queue drops the newest item";
    int v = -1;
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_TRUE(q.pop(v));
        EXPECT_EQ(v, i);
    }
    EXPECT_FALSE(q.pop(v));
}

TEST(LockFreeQueues, MpscTakesEveryItemFromConcurrentProducers)
{
    ZuMpscQueue<int, 1024> q;
    constexpr int perThread = 200;
    std::vector<std::thread> producers;
    for (int t = 0; t < 4; ++t)
        producers.emplace_back(
            [&q, t]
            {
                for (int i = 0; i < perThread; ++i)
                    while (!q.push(t * 1000 + i))
                        std::this_thread::yield();
            });

    std::vector<int> lastPerThread(4, -1);
    int received = 0;
    while (received < 4 * perThread)
    {
        int v = 0;
        if (!q.pop(v))
            continue;
        const int t = v / 1000, i = v % 1000;
        EXPECT_GT(i, lastPerThread[(size_t) t]) << "each producer's items stay in order";
        lastPerThread[(size_t) t] = i;
        ++received;
    }
    for (auto& p : producers)
        p.join();
    EXPECT_EQ(q.size(), 0);

    ZuMpscQueue<int, 2> small;
    EXPECT_TRUE(small.push(1));
    EXPECT_TRUE(small.push(2));
    EXPECT_FALSE(small.push(3));
}
