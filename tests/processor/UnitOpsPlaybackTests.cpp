// SPDX-License-Identifier: GPL-3.0-or-later
// The unit editing operations through the processor while a host plays: after
// each one the engine plays the new step values of pitch unit 1.
#include "ProcessorWait.h"
#include "SteadyHead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int blockSize = 512;
constexpr int samplesPerStep = 6000; // a sixteenth at 120 bpm, 48 kHz

using zutest::SteadyHead;

struct UnitOpsPlayback : ::testing::Test
{
    void SetUp() override
    {
        processor = std::make_unique<ZumiraboxAudioProcessor>();
        processor->setPlayHead(&head);
        processor->prepareToPlay(48000.0, blockSize);
        processor->mainTree.setProperty("ctstate", "CT:100 ", nullptr);
        processor->globalData.loadCenterUnitStateFromString("CT:100 ");
        // Pitch unit 1 plays steps 1 to 4 with pitch 0..3 at octave 2.
        auto unit = live("ptchsq1");
        unit.setProperty("p1m11_size", 4, nullptr);
        for (int n = 1; n <= 4; ++n)
            unit.setProperty("p1m11_pch" + juce::String(n), n - 1, nullptr);
    }
    void TearDown() override
    {
        processor->setPlayHead(nullptr);
        processor.reset();
    }

    juce::ValueTree live(const char* unit)
    {
        return processor->paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }

    // The sorted notes of the next four steps: one pass over the window.
    std::vector<int> nextPass()
    {
        std::vector<int> notes;
        juce::AudioBuffer<float> audio(2, blockSize);
        for (int b = 0; b < 16 * samplesPerStep / blockSize && notes.size() < 4; ++b)
        {
            juce::MidiBuffer midi;
            processor->processBlock(audio, midi);
            for (const auto m : midi)
                if (m.getMessage().isNoteOn())
                    notes.push_back(m.getMessage().getNoteNumber());
            head.sample += blockSize;
        }
        std::sort(notes.begin(), notes.end());
        return notes;
    }

    SteadyHead head;
    std::unique_ptr<ZumiraboxAudioProcessor> processor;
};
} // namespace

TEST_F(UnitOpsPlayback, SetAllIsHeard)
{
    ASSERT_EQ(nextPass(), (std::vector<int>{48, 49, 50, 51}));
    live("ptchsq1").setProperty("p1m11_slk2", 1.0, nullptr);
    processor->setAllCenterSqParams(zu::units::pitch, 0, 0, 7.0f);
    EXPECT_EQ(nextPass(), (std::vector<int>{49, 55, 55, 55}));
}

TEST_F(UnitOpsPlayback, ShiftIsHeard)
{
    ASSERT_EQ(nextPass(), (std::vector<int>{48, 49, 50, 51}));
    processor->shiftCenterSqParams(zu::units::pitch, 0, 2);
    processor->shiftCenterSqParams(zu::units::pitch, 0, 2);
    EXPECT_EQ(nextPass(), (std::vector<int>{50, 51, 52, 53}));
    processor->shiftCenterSqParams(zu::units::pitch, 0, 1);
    EXPECT_EQ((int) live("ptchsq1").getProperty("p1m11_pch1"), 5);
    EXPECT_EQ(processor->pitchSeqData.units[0].snaps[0].steps[0].pch.value.load(), 5);
}

TEST_F(UnitOpsPlayback, RandomiseAndInitialiseAreHeard)
{
    ASSERT_EQ(nextPass(), (std::vector<int>{48, 49, 50, 51}));
    processor->rndRstCenterSqParams(zu::units::pitch, 0, 1, 0);
    std::vector<int> expected;
    for (int n = 1; n <= 4; ++n)
    {
        const double pch = live("ptchsq1").getProperty("p1m11_pch" + juce::String(n));
        EXPECT_GE(pch, 0.0);
        EXPECT_LE(pch, 12.0);
        expected.push_back(48 + (int) pch);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(nextPass(), expected);

    processor->mainTree.setProperty("c_pchsq1_setall_val1", 4.0, nullptr);
    processor->rndRstCenterSqParams(zu::units::pitch, 0, 0, 1);
    EXPECT_EQ(nextPass(), (std::vector<int>(4, 52)));
    EXPECT_DOUBLE_EQ((double) live("ptchsq1").getProperty("p1m11_vel3"), 100.0) << "velocity's set-all value";
    EXPECT_DOUBLE_EQ((double) live("ptchsq1").getProperty("p1m11_gate3"), 50.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq1").getProperty("p1m11_oct3"), 2.0);
}

TEST_F(UnitOpsPlayback, ALoadedUnitPresetIsHeard)
{
    ASSERT_EQ(nextPass(), (std::vector<int>{48, 49, 50, 51}));
    auto unit2 = live("ptchsq2");
    unit2.setProperty("p1m12_size", 4, nullptr);
    for (int n = 1; n <= 4; ++n)
        unit2.setProperty("p1m12_pch" + juce::String(n), 9, nullptr);
    juce::ValueTree preset("Preset");
    processor->createVtForUnitPreset(preset, zu::units::pitch, 1);

    EXPECT_EQ(processor->loadUnitStateFromVt(preset, zu::units::pitch, 0), "");
    EXPECT_EQ(nextPass(), (std::vector<int>(4, 57)));

    juce::ValueTree ccPreset("Preset");
    processor->createVtForUnitPreset(ccPreset, zu::units::cc, 0);
    EXPECT_NE(processor->loadUnitStateFromVt(ccPreset, zu::units::pitch, 0), "");
    EXPECT_EQ(nextPass(), (std::vector<int>(4, 57)));
}
