// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter unit steering a pitch unit through the processor: edits reach
// the models through the trees and the host parameters, the host's transport
// plays, the notes come out of processBlock.
#include "PluginProcessor.h"
#include "SteadyHead.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using zutest::SteadyHead;

struct PlayingProcessor
{
    static constexpr int blockSize = 512;

    ZumiraboxAudioProcessor processor;
    SteadyHead head;
    juce::AudioBuffer<float> audio{2, blockSize};
    juce::MidiBuffer midi;

    PlayingProcessor()
    {
        processor.setPlayHead(&head);
        processor.prepareToPlay(48000.0, blockSize);
    }

    void listUnits(const char* units)
    {
        processor.mainTree.setProperty("ctstate", units, nullptr);
        processor.globalData.loadCenterUnitStateFromString(units);
    }

    juce::ValueTree liveUnit(const char* name)
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(name);
    }

    void setHostParam(const char* id, float plainValue)
    {
        const int index = processor.paramProfile.getParamIndexFromString(id);
        ASSERT_GE(index, 0) << id;
        processor.setValueToValueTree(index, plainValue);
    }

    std::vector<int> nextNotes(int count)
    {
        std::vector<int> notes;
        for (int guard = 0; guard < 4000 && (int) notes.size() < count; ++guard)
        {
            midi.clear();
            processor.processBlock(audio, midi);
            head.sample += blockSize;
            for (const auto metadata : midi)
                if (metadata.getMessage().isNoteOn())
                    notes.push_back(metadata.getMessage().getNoteNumber());
        }
        return notes;
    }
};
} // namespace

TEST(ParamRoutingProcessor, AParameterUnitTransposesAPitchUnitStepByStepUntilPoweredOff)
{
    PlayingProcessor pp;
    auto unit = pp.liveUnit("prmsq1");
    std::vector<int> expected;
    for (int k = 1; k <= 16; ++k)
    {
        const int t = (k * 5) % 11 - 5;
        // Menu item 6 is "TP"; the value that maps to t semitones.
        unit.setProperty("p2m21_emenu" + juce::String(k), 6, nullptr);
        unit.setProperty("p2m21_sval" + juce::String(k), ((double) t + 12.5) / 25.0, nullptr);
        if (k <= 8)
            expected.push_back(48 + t);
    }
    pp.listUnits("CT:100 500 ");
    EXPECT_EQ(pp.nextNotes(8), expected);

    pp.setHostParam("p2m21_pwr", 0.0f);
    EXPECT_EQ(pp.nextNotes(4), std::vector<int>(4, 48));
}
