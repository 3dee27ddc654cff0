// SPDX-License-Identifier: GPL-3.0-or-later
// Modulation slots through the processor with a playing host: a slot moves a
// pitch unit's notes, and switching it off brings them back.
#include "PluginProcessor.h"
#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <vector>

namespace
{
constexpr int blockSize = 512;
constexpr double sampleRate = 48000.0;
constexpr double beatsPerBlock = blockSize * 2.0 / sampleRate; // 120 bpm

struct Player
{
    Player()
    {
        processor.setPlayHead(&head);
        processor.prepareToPlay(sampleRate, blockSize);
        processor.mainTree.setProperty("ctstate", "CT:100 ", nullptr);
        processor.globalData.loadCenterUnitStateFromString("CT:100 ");
    }
    ~Player() { processor.setPlayHead(nullptr); }

    juce::ValueTree unitNode() { return processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1"); }
    juce::ValueTree slotNode()
    {
        return processor.paramTree.getChildWithName("modmain").getChildWithName("ptchsq1mod").getChildWithName("mod1");
    }
    void setUnit(const char* key, float v) { unitNode().setProperty(juce::String("p1m11_") + key, v, nullptr); }
    void setSlot(const char* key, float v) { slotNode().setProperty(juce::String("p6m111_") + key, v, nullptr); }

    // Plays one block; returns the note-ons with the beat they start on.
    std::vector<std::pair<double, int>> block()
    {
        juce::AudioBuffer<float> audio(2, blockSize);
        juce::MidiBuffer midi;
        processor.processBlock(audio, midi);
        std::vector<std::pair<double, int>> notes;
        for (const auto m : midi)
            if (m.getMessage().isNoteOn())
                notes.emplace_back(head.ppq.load() + m.samplePosition * 2.0 / sampleRate,
                                   m.getMessage().getNoteNumber());
        head.ppq = head.ppq.load() + beatsPerBlock;
        return notes;
    }

    ZumiraboxAudioProcessor processor;
    PlayingHead head;
};
} // namespace

TEST(ModulationSlots, ASquareSlotAlternatesThePitchBeatByBeatUntilSwitchedOff)
{
    Player p;
    p.setUnit("sclk", 9.0f); // a step per beat
    // Slot 1 of the unit: a square, synced to two beats a cycle (one beat
    // high, one low), a quarter cycle ahead so that each beat's note reads
    // the middle of its half.
    p.setSlot("pwr", 1.0f);
    p.setSlot("engn", 0.0f);
    p.setSlot("bwf", 5.0f);
    p.setSlot("csync", 1.0f);
    p.setSlot("ksr", 8.0f);
    p.setSlot("kph", 0.25f);
    // The unit's transpose follows slot 1 at full depth.
    p.setUnit("tp_ms1", 1.0f);
    p.setUnit("tp_md1", 1.0f);

    std::map<int, int> pitchByBeat;
    for (int b = 0; b < 950; ++b) // about twenty beats
        for (const auto& [beat, note] : p.block())
            pitchByBeat[(int) std::lround(beat)] = note;
    ASSERT_GE(pitchByBeat.size(), 16u);
    std::set<int> pitches;
    for (const auto& [beat, note] : pitchByBeat)
    {
        pitches.insert(note);
        const auto next = pitchByBeat.find(beat + 1);
        const auto afterNext = pitchByBeat.find(beat + 2);
        EXPECT_TRUE(next == pitchByBeat.end() || next->second != note) << "beat " << beat;
        EXPECT_TRUE(afterNext == pitchByBeat.end() || afterNext->second == note) << "beat " << beat;
    }
    ASSERT_EQ(pitches.size(), 2u);
    const int low = *pitches.begin();
    EXPECT_EQ(*pitches.rbegin(), low + 12);

    // Switched off: the slot's channel is 0 from the next block on, so every
    // later note is the unmodulated one.
    p.setSlot("pwr", 0.0f);
    std::set<int> after;
    for (int b = 0; b < 300; ++b) // six beats
        for (const auto& [beat, note] : p.block())
            after.insert(note);
    EXPECT_EQ(after, std::set<int>{low});
}
