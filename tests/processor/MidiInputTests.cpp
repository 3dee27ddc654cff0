// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI input filter: chord note entry, keyboard transpose, MIDI learn and
// learnt controllers, and the block's MIDI thru.
#include "ProcessorWait.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

struct MidiInput : ::testing::Test
{
    void SetUp() override
    {
        processor = std::make_unique<ZumiraboxAudioProcessor>();
        processor->prepareToPlay(48000.0, 256);
    }

    // Runs one block with the given events and returns what leaves the plug-in.
    juce::MidiBuffer run(std::initializer_list<std::pair<juce::MidiMessage, int>> events, int numSamples = 256)
    {
        juce::MidiBuffer midi;
        for (const auto& [message, position] : events)
            midi.addEvent(message, position);
        juce::AudioBuffer<float> audio(2, numSamples);
        processor->processBlock(audio, midi);
        return midi;
    }

    float param(const char* id)
    {
        float v = 0.0f;
        processor->getValueFromValueTree(v, processor->paramProfile.getParamIndexFromString(id));
        return v;
    }

    std::unique_ptr<ZumiraboxAudioProcessor> processor;
};

juce::MidiMessage noteOn(int key)
{
    return juce::MidiMessage::noteOn(1, key, (juce::uint8) 100);
}
juce::MidiMessage cc(int number, int value)
{
    return juce::MidiMessage::controllerEvent(1, number, value);
}
} // namespace

TEST_F(MidiInput, ThruOffGivesOnlyEngineOutputThruOnPassesEverything)
{
    auto out = run({{noteOn(60), 3}, {cc(7, 10), 4}});
    EXPECT_TRUE(out.isEmpty());

    processor->globalData.midiThru = true;
    processor->chordNoteTarget = 2; // even notes taken for chords pass through
    out = run({{noteOn(60), 3}, {cc(7, 10), 4}});
    EXPECT_EQ(out.getNumEvents(), 2);

    // A block of 0 samples leaves the host's MIDI as it came.
    processor->globalData.midiThru = false;
    juce::MidiBuffer midi;
    midi.addEvent(noteOn(61), 0);
    juce::AudioBuffer<float> empty(2, 0);
    processor->processBlock(empty, midi);
    EXPECT_EQ(midi.getNumEvents(), 1);
}

TEST_F(MidiInput, ChordNoteEntryTakesNoteOnsAwayFromTheEngine)
{
    processor->chordNoteTarget = 3;
    run({{noteOn(60), 0}, {noteOn(64), 1}, {noteOn(67), 2}, {noteOn(64), 3}, {juce::MidiMessage::noteOff(1, 60), 4}});
    EXPECT_EQ(processor->globalData.capturedChordNotes.takeAll(), juce::Array<int>({60, 64, 67, 64}));
}

TEST_F(MidiInput, KeyboardTransposeRecordsKeysInsideTwoOctaves)
{
    processor->globalData.midiTp = true;
    processor->midiTpNote = 48;
    run({{noteOn(47), 0}, {noteOn(48), 1}, {noteOn(60), 2}, {noteOn(72), 3}, {noteOn(73), 4}});
    ASSERT_EQ(processor->inputNoteRecords.size(), 3u);
    EXPECT_EQ(processor->inputNoteRecords[0], std::make_tuple(48, 1, 1, 0));
    EXPECT_EQ(processor->inputNoteRecords[2], std::make_tuple(72, 1, 3, 0));
    EXPECT_TRUE(pumpUntil([&] { return param("p0_gtp") == 12.0f; })) << "the last key wins";
    EXPECT_TRUE(processor->keyTransposeQueue.isEmpty());

    processor->globalData.midiTp = false;
    run({{noteOn(60), 0}});
    EXPECT_TRUE(processor->inputNoteRecords.empty());
}

TEST_F(MidiInput, LearnThenControlAParameter)
{
    auto& p = *processor;
    p.midiMap[5] = "p1m11_snp"; // an older duplicate from the settings file

    p.startMidiLearn("p1m11_snp");
    EXPECT_TRUE(p.learnArmed.load());
    run({{cc(20, 99), 0}});
    EXPECT_FALSE(p.learnArmed.load());
    EXPECT_EQ(param("p1m11_snp"), 0.0f) << "the learning message's value is not applied";
    EXPECT_TRUE(pumpUntil([&] { return p.midiMap[20] == "p1m11_snp"; }));
    EXPECT_TRUE(p.midiMap[5].isEmpty()) << "a parameter keeps only its newest controller";
    EXPECT_TRUE(p.getSettingFileLocation().existsAsFile()) << "the settings are saved";

    // 127 gives H at once in the unit's pending snapshot, the host value follows.
    run({{cc(20, 127), 0}});
    EXPECT_EQ(p.pitchSeqData.units[0].pendingSnapshot.load(), 7);
    EXPECT_TRUE(pumpUntil([&] { return param("p1m11_snp") == 7.0f; }));
    ASSERT_TRUE(zutest::settle(p));
    EXPECT_EQ(p.pitchSeqData.units[0].pendingSnapshot.load(), -1) << "the switch clears it";

    run({{cc(20, 10), 0}, {cc(20, 64), 5}});
    EXPECT_EQ(p.pitchSeqData.units[0].pendingSnapshot.load(), 4) << "the last value of a block counts";
    EXPECT_TRUE(pumpUntil([&] { return param("p1m11_snp") == 4.0f; }));

    p.midiUnLearn("p1m11_snp");
    EXPECT_TRUE(p.midiMap[20].isEmpty());
    run({{cc(20, 0), 0}});
    zutest::pumpFor(200);
    EXPECT_EQ(param("p1m11_snp"), 4.0f) << "unlearnt: the controller moves nothing";
}

TEST_F(MidiInput, LearntRackSnapshotSetsOnlyThatRack)
{
    auto& p = *processor;
    p.startMidiLearn("p5m52_snp");
    run({{cc(21, 1), 0}});
    run({{cc(21, 127), 0}});
    EXPECT_EQ(p.ccRackData.units[1].pendingSnapshot.load(), 7);
    for (int u = 0; u < 4; ++u)
        EXPECT_EQ(p.ccSeqData.units[(size_t) u].pendingSnapshot.load(), -1);
}
