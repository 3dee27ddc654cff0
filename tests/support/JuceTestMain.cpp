// SPDX-License-Identifier: GPL-3.0-or-later
#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Settings and preset folders live under HOME: keep them away from the real one.
void useFreshHome()
{
    char pattern[] = "/tmp/zu-test-home-XXXXXX";
    if (const char* dir = mkdtemp(pattern))
        setenv("HOME", dir, 1);
}

class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { juce.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
};
} // namespace

int main(int argc, char** argv)
{
    useFreshHome();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new JuceEnvironment());
    return RUN_ALL_TESTS();
}
