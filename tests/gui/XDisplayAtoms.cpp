// SPDX-License-Identifier: GPL-3.0-or-later
// The EWMH atoms a window manager would make, before JUCE connects.

#include <gtest/gtest.h>

#include "XAtomsEnvironment.h"

namespace
{
// Registered before the shared main adds JUCE's environment, so it runs first.
[[maybe_unused]] auto* const registered = ::testing::AddGlobalTestEnvironment(new zutest::XAtomsEnvironment());
} // namespace
