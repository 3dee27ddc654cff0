// SPDX-License-Identifier: GPL-3.0-or-later
// Pitch units through the main engine: notes reach the output and the
// recorder lanes, and no note is left sounding.
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>

namespace
{
constexpr int blockSize = 512;
constexpr double ppqPerSample = 120.0 / (60.0 * 48000.0);

// Plays a steady host from position 0 and keeps track of what sounds.
struct Playback
{
    EnginePlayer p{48000.0, blockSize};
    int64_t sample = 0;
    std::map<std::pair<int, int>, int> sounding;
    int noteOns = 0;

    std::vector<MidiEvent> block(bool looping = false, double loopEnd = 0.0)
    {
        double ppq = (double) sample * ppqPerSample;
        if (looping)
            ppq = std::fmod(ppq, loopEnd);
        const auto& out = looping ? p.playLooping(ppq, 0.0, loopEnd, blockSize) : p.play(ppq, blockSize);
        sample += blockSize;
        return track(out);
    }

    std::vector<MidiEvent> stop() { return track(p.stop(blockSize)); }

    std::vector<MidiEvent> track(const juce::MidiBuffer& out)
    {
        const auto events = notesOf(out);
        for (const auto& e : events)
        {
            auto& c = sounding[{e.channel, e.note}];
            if (e.noteOn)
            {
                ++c;
                ++noteOns;
            }
            else
                c = 0;
        }
        return events;
    }

    int soundingCount() const
    {
        int total = 0;
        for (const auto& [key, c] : sounding)
            total += c;
        return total;
    }

    // Every step of pitch unit u slurred, with a pitch that changes each step.
    void slurAll(int u)
    {
        auto& snap = p.models.pitch.units[(size_t) u].snaps[0];
        for (int k = 0; k < 32; ++k)
        {
            snap.steps[(size_t) k].slr.value = 1;
            snap.steps[(size_t) k].pch.value = k % 12;
        }
    }
};
} // namespace

TEST(PitchPlayback, NotesReachTheOutputAndTheRecorderLanes)
{
    Playback pb;
    auto& g = pb.p.models.global;
    g.loadCenterUnitStateFromString("CT:100 200 ");
    // Track t records pitch unit t unless changed: track 2 takes unit 1 instead.
    g.setParamVal("p0_rectrk1tarunit1", 0.0f);
    g.setParamVal("p0_rectrk2tarunit2", 0.0f);
    g.setParamVal("p0_rectrk2tarunit1", 1.0f);
    g.recArmed[0] = true;
    pb.p.models.pitch.units[1].ch = 2;

    const auto first = pb.block();
    EXPECT_EQ(first, (std::vector<MidiEvent>{{0, true, 1, 48}, {0, true, 2, 48}}));
    const auto& lanes = pb.p.engine.getLanes();
    EXPECT_EQ(notesOf(lanes[0]), first);
    EXPECT_EQ(notesOf(lanes[2]), (std::vector<MidiEvent>{{0, true, 1, 48}}));
    EXPECT_TRUE(lanes[1].isEmpty());

    // The gate of 50 % ends both notes 3000 samples later, in the sixth block.
    for (int b = 1; b < 5; ++b)
        EXPECT_TRUE(pb.block().empty()) << b;
    EXPECT_EQ(pb.block(), (std::vector<MidiEvent>{{440, false, 1, 48}, {440, false, 2, 48}}));
    EXPECT_EQ(notesOf(pb.p.engine.getLanes()[2]), (std::vector<MidiEvent>{{440, false, 1, 48}}));
}

TEST(PitchPlayback, TheFirstStoppedBlockEndsEverySoundingNote)
{
    Playback pb;
    pb.p.models.global.loadCenterUnitStateFromString("CT:100 300 ");
    pb.slurAll(2);
    for (int b = 0; b < 30; ++b)
        pb.block();
    ASSERT_GT(pb.soundingCount(), 0);
    const auto offs = pb.stop();
    ASSERT_FALSE(offs.empty());
    for (const auto& e : offs)
    {
        EXPECT_FALSE(e.noteOn);
        EXPECT_EQ(e.sample, blockSize - 1);
    }
    EXPECT_EQ(pb.soundingCount(), 0);
    EXPECT_TRUE(pb.stop().empty());
}

TEST(PitchPlayback, MutingReleasesAHeldSlurredNote)
{
    Playback pb;
    pb.p.models.global.loadCenterUnitStateFromString("CT:100 ");
    pb.slurAll(0);
    for (int b = 0; b < 14; ++b)
        pb.block();
    ASSERT_EQ(pb.soundingCount(), 1) << "a slurred note held for the next step";

    pb.p.models.global.midiMute = true;
    const int onsBefore = pb.noteOns;
    for (int b = 0; b < 20; ++b)
        pb.block();
    EXPECT_EQ(pb.noteOns, onsBefore) << "muted: no new notes";
    EXPECT_EQ(pb.soundingCount(), 0) << "the held note ended while playing";
}

TEST(PitchPlayback, FourChordUnitsLeaveNothingSoundingAcrossLoopsRemovalAndStop)
{
    Playback pb;
    auto& m = pb.p.models;
    m.global.loadCenterUnitStateFromString("CT:100 200 300 400 ");
    m.chord.chordPower = true;
    for (int u = 0; u < 4; ++u)
    {
        m.chord.chordTargets[(size_t) u] = true;
        m.pitch.units[(size_t) u].ch = u + 1;
        auto& snap = m.pitch.units[(size_t) u].snaps[0];
        snap.dir.value = u; // forward, backward and both ping-pongs
        for (int k = 0; k < 32; ++k)
        {
            snap.steps[(size_t) k].pch.value = (k * 5 + u) % 13;
            snap.steps[(size_t) k].slr.value = (k + u) % 3 == 0 ? 1 : 0;
            snap.steps[(size_t) k].gate.value = (float) ((k * 37) % 101);
        }
    }
    for (int pc = 0; pc < 12; ++pc)
        m.chord.chordSlots[(size_t) pc].chordType = (pc * 7) % 20;

    // Two bars looped at 120 bpm: the host jumps back every 192000 samples.
    for (int b = 0; b < 1200; ++b)
    {
        pb.block(true, 8.0);
        ASSERT_LE(pb.soundingCount(), 4 * 5 * 2) << b;
    }
    EXPECT_GT(pb.noteOns, 400);

    // Units 2 and 4 leave the list while playing: their notes end, slurred or not.
    m.global.loadCenterUnitStateFromString("CT:100 300 ");
    for (int b = 0; b < 100; ++b)
        pb.block(true, 8.0);
    for (const auto& [key, c] : pb.sounding)
    {
        if (key.first == 2 || key.first == 4)
        {
            EXPECT_EQ(c, 0) << "channel " << key.first << " note " << key.second;
        }
    }

    pb.stop();
    EXPECT_EQ(pb.soundingCount(), 0);
    EXPECT_FALSE(pb.p.engine.getUnitHandler().hasEngine(2));
    EXPECT_TRUE(pb.p.engine.getUnitHandler().hasEngine(1));
}

TEST(PitchPlayback, AHostLoopShorterThanHalfABeatRestartsOncePerPassAtTheLoopStart)
{
    // Loop 4.0 .. 4.25 quarters: 6000 samples per pass at 120 bpm and 48 kHz.
    for (const int block : {512, 600, 64})
    {
        SCOPED_TRACE(block);
        EnginePlayer p(48000.0, block);
        p.models.global.loadCenterUnitStateFromString("CT:100 ");
        constexpr int passLength = 6000;
        constexpr int numPasses = 6;
        std::vector<int64_t> noteOnSamples;
        for (int64_t start = 0; start < (int64_t) numPasses * passLength; start += block)
        {
            const double ppq = 4.0 + (double) (start % passLength) * ppqPerSample;
            for (const auto& e : notesOf(p.playLooping(ppq, 4.0, 4.25, block)))
                if (e.noteOn)
                    noteOnSamples.push_back(start + e.sample);
        }
        ASSERT_EQ(noteOnSamples.size(), (size_t) numPasses);
        for (int pass = 0; pass < numPasses; ++pass)
        {
            // The first block of the pass: the one that holds its start, or the
            // next one when the host wraps inside a block.
            const int64_t passStart = (int64_t) pass * passLength;
            EXPECT_GE(noteOnSamples[(size_t) pass], passStart) << pass;
            EXPECT_LT(noteOnSamples[(size_t) pass], passStart + block) << pass;
        }
    }
}

TEST(PitchPlayback, StepsFollowThePitchUnitsCycleScaleAndEveryBarStartsOnTheHostGrid)
{
    // The pitch engine numbers the sixteen steps of its cycle with the scale
    // 15.995, not 16: step k of a bar starts where the phase reaches
    // k / 15.995, k x 6001.875 samples into a 96000-sample bar at 120 bpm and
    // 48 kHz. The cycle wraps at the bar line, which puts every bar's first
    // step back on the host grid.
    Playback pb;
    pb.p.models.global.loadCenterUnitStateFromString("CT:100 ");
    std::vector<int64_t> onsets;
    for (int b = 0; b < 3 * 96000 / blockSize; ++b)
    {
        const int64_t start = pb.sample;
        for (const auto& e : pb.block())
            if (e.noteOn)
                onsets.push_back(start + e.sample);
    }
    ASSERT_GE(onsets.size(), 47u);
    for (size_t i = 0; i < 47; ++i)
    {
        const int64_t bar = (int64_t) (i / 16) * 96000;
        const double k = (double) (i % 16);
        EXPECT_NEAR((double) (onsets[i] - bar), k * 96000.0 / 15.995, 1.0) << "step " << i;
    }
}
