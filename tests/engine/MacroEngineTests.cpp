// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <limits>

TEST(MacroEngine, FillsEachMacroChannelWithItsValueLimitedToZeroToOne)
{
    struct Case
    {
        float value;
        float expected;
    };
    const Case cases[] = {{0.25f, 0.25f},
                          {0.0f, 0.0f},
                          {1.0f, 1.0f},
                          {1.7f, 1.0f},
                          {-0.2f, 0.0f},
                          {std::numeric_limits<float>::quiet_NaN(), 0.0f},
                          {std::numeric_limits<float>::infinity(), 1.0f}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        EnginePlayer p(48000.0, 512);
        // Macro 3 feeds channel 10 (source number 11); the others stay 0.
        p.models.macros.macroValues[2] = c.value;
        p.fillModBlock(-5.0f);
        p.play(0.0, 512);
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ(p.modSample(10, i), c.expected) << "sample " << i;
        for (int ch = 8; ch < 16; ++ch)
        {
            if (ch != 10)
            {
                EXPECT_EQ(p.modSample(ch, 300), 0.0f) << "channel " << ch;
            }
        }
    }
}

TEST(MacroEngine, WritesOnlyTheBlocksSamplesAndOnlyTheMacroChannels)
{
    EnginePlayer p(48000.0, 512);
    for (int j = 0; j < 8; ++j)
        p.models.macros.macroValues[(size_t) j] = 0.1f * static_cast<float>(j + 1);
    p.fillModBlock(-5.0f);
    p.play(0.0, 100);
    for (int ch = 8; ch < 16; ++ch)
    {
        EXPECT_FLOAT_EQ(p.modSample(ch, 0), 0.1f * static_cast<float>(ch - 7));
        EXPECT_FLOAT_EQ(p.modSample(ch, 99), 0.1f * static_cast<float>(ch - 7));
        EXPECT_EQ(p.modSample(ch, 100), -5.0f) << "past the block, channel " << ch;
    }
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(p.modSample(ch, 0), -5.0f) << "the units' channels, channel " << ch;
}

TEST(MacroEngine, StoppedBlocksLeaveTheModulationBlockAlone)
{
    EnginePlayer p(48000.0, 512);
    p.models.macros.macroValues[0] = 0.5f;
    p.fillModBlock(-5.0f);
    p.stop(512);
    EXPECT_EQ(p.modSample(8, 0), -5.0f);
}

TEST(MacroEngine, AMissingOrTooSmallModulationBlockFallsBackToTheEnginesOwn)
{
    EnginePlayer p(48000.0, 512);
    p.models.macros.macroValues[0] = 0.5f;
    p.engine.setModulationBlock({});
    p.play(0.0, 512);
    EXPECT_TRUE(p.models.global.isPlaying.load());

    // Eight channels only: nothing is written into it.
    std::vector<float> samples(8 * 512, -5.0f);
    std::vector<float*> channels;
    for (int ch = 0; ch < 8; ++ch)
        channels.push_back(samples.data() + ch * 512);
    p.engine.setModulationBlock(juce::dsp::AudioBlock<float>(channels.data(), 8, 512));
    p.play(0.0213, 512);
    for (const float v : samples)
        ASSERT_EQ(v, -5.0f);
}

TEST(MacroEngine, DirectFillSkipsChannelsTheViewLacks)
{
    EngineModels m;
    m.macros.macroValues[0] = 0.3f;
    m.macros.macroValues[1] = 0.6f;
    MacroEngine engine(m.macros);
    std::vector<float> samples(2 * 16, 0.0f);
    float* channels[] = {samples.data(), samples.data() + 16};
    juce::dsp::AudioBlock<float> block(channels, 2, 16);
    engine.processBlock(block, 999);
    EXPECT_FLOAT_EQ(block.getSample(0, 15), 0.3f);
    EXPECT_FLOAT_EQ(block.getSample(1, 15), 0.6f);

    juce::dsp::AudioBlock<float> ignored;
    engine.processBlock(ignored, block, 0, 0);
    EXPECT_FLOAT_EQ(block.getSample(1, 0), 0.6f);
}
