// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The plug-in reads its settings file from HOME: keep it away from the real one.
    char pattern[] = "/tmp/zu-host-home-XXXXXX";
    if (const char* dir = mkdtemp(pattern))
        setenv("HOME", dir, 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
