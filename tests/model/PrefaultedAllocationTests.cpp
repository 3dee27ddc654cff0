// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuPrefaulted.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <utility>

namespace
{
// Sanitizer builds give these objects to the ordinary allocator, which keeps
// no block for reuse and reports impossible sizes itself.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool mapped = false;
#else
constexpr bool mapped = true;
#endif

struct Large
{
    ZU_PREFAULTED_ALLOCATION

    unsigned char bytes[300 * 1024]{};
    int marker = 7;
};

struct Small
{
    ZU_PREFAULTED_ALLOCATION

    int values[16]{};
};
} // namespace

TEST(PrefaultedAllocation, LargeAndSmallBlocksAreWritableWholeAndFreedBySize)
{
    for (const std::size_t bytes : {std::size_t(1), std::size_t(4096), std::size_t(64 * 1024 - 1),
                                    std::size_t(64 * 1024), std::size_t(1000 * 1000 + 3)})
    {
        void* block = zu::allocatePrefaulted(bytes);
        ASSERT_NE(block, nullptr) << bytes;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u) << bytes;
        std::memset(block, 0xa5, bytes);
        EXPECT_EQ(static_cast<unsigned char*>(block)[bytes - 1], 0xa5) << bytes;
        zu::freePrefaulted(block, bytes);
    }
    zu::freePrefaulted(nullptr, 1 << 20);
}

TEST(PrefaultedAllocation, ClassesBuiltWithNewAreInitialisedAndAnImpossibleSizeThrows)
{
    for (int round = 0; round < 3; ++round)
    {
        auto large = std::make_unique<Large>();
        EXPECT_EQ(large->bytes[sizeof(large->bytes) - 1], 0);
        EXPECT_EQ(large->marker, 7);
        auto small = std::make_unique<Small>();
        EXPECT_EQ(small->values[15], 0);
    }
    if (!mapped)
        return;
    for (const std::size_t impossible :
         {std::numeric_limits<std::size_t>::max() / 2, std::numeric_limits<std::size_t>::max()})
        EXPECT_THROW(zu::allocatePrefaulted(impossible), std::bad_alloc);
}

TEST(PrefaultedAllocation, AFreedLargeBlockServesTheNextObjectOfItsSizeAndLiveOnesStayApart)
{
    if (!mapped)
        GTEST_SKIP() << "the ordinary allocator decides on reuse";
    constexpr std::size_t size = 200 * 1024;
    void* first = zu::allocatePrefaulted(size);
    void* second = zu::allocatePrefaulted(size);
    EXPECT_NE(first, second);
    static_cast<unsigned char*>(first)[size - 1] = 1;
    zu::freePrefaulted(first, size);

    void* other = zu::allocatePrefaulted(size + 64 * 1024);
    void* again = zu::allocatePrefaulted(size);
    EXPECT_EQ(again, first);
    EXPECT_NE(other, first);
    std::memset(again, 0, size);
    std::memset(other, 0, size + 64 * 1024);
    for (auto [block, bytes] : {std::pair{again, size}, std::pair{second, size}, std::pair{other, size + 64 * 1024}})
        zu::freePrefaulted(block, bytes);
}
