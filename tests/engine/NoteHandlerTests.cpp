// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
NoteInfo note(int unit, int number, int start, int end, bool slur = false, int channel = 1)
{
    NoteInfo n;
    n.noteNumber = number;
    n.startSample = start;
    n.endSample = end;
    n.slur = slur;
    n.velocity = 0.5f;
    n.channel = channel;
    n.unitNumber = unit;
    return n;
}

constexpr int C4 = 60, D4 = 62, E4 = 64, G3 = 55;

struct NoteRig
{
    NoteHandler handler;
    juce::MidiBuffer output;
    NoteHandler::Lanes lanes;
    NoteHandler::LaneTargets targets;
    std::array<bool, 5> unitOn{false, true, true, true, true};

    // One playing block: the new notes, then the gates.
    std::vector<MidiEvent> block(std::vector<NoteInfo> notes, int numSamples)
    {
        output.clear();
        for (auto& lane : lanes)
            lane.clear();
        handler.handleNoteOn(output, lanes, targets, notes, numSamples);
        handler.processGate(output, lanes, targets, unitOn, numSamples);
        return notesOf(output);
    }
};

MidiEvent on(int sample, int n, int channel = 1)
{
    return {sample, true, channel, n};
}
MidiEvent off(int sample, int n, int channel = 1)
{
    return {sample, false, channel, n};
}
using Events = std::vector<MidiEvent>;
} // namespace

TEST(NoteHandler, EndsANoteInTheBlockWhereItsGateRunsOut)
{
    NoteRig r;
    EXPECT_EQ(r.block({note(1, C4, 100, 400)}, 512), (Events{on(100, C4), off(400, C4)}));
    EXPECT_TRUE(r.handler.isEmpty());

    EXPECT_EQ(r.block({note(1, C4, 0, 1000)}, 512), (Events{on(0, C4)}));
    EXPECT_EQ(r.block({}, 512), (Events{off(488, C4)}));
}

TEST(NoteHandler, ANewNoteOfTheUnitEndsItsSoundingNoteJustBefore)
{
    NoteRig r;
    r.block({note(1, C4, 0, 5000)}, 512);
    EXPECT_EQ(r.block({note(1, E4, 0, 400)}, 512), (Events{off(0, C4), on(1, E4), off(400, E4)}));

    // A chord ends the sounding note once per chord note.
    r.block({note(1, C4, 0, 5000)}, 512);
    EXPECT_EQ(r.block({note(1, E4, 0, 5000), note(1, G3, 0, 5000), note(1, D4, 0, 5000)}, 512),
              (Events{off(0, C4), off(0, C4), off(0, C4), on(1, E4), on(1, G3), on(1, D4)}));
}

TEST(NoteHandler, ASlurredNoteTiesToTheSamePitch)
{
    NoteRig r;
    r.block({note(1, C4, 0, 300, true)}, 512);
    EXPECT_EQ(r.block({note(1, C4, 0, 900)}, 512), (Events{}));
    EXPECT_EQ(r.block({}, 512), (Events{off(388, C4)}));
}

TEST(NoteHandler, ASlurredNoteOverlapsTheNextPitch)
{
    struct Case
    {
        int frozenEnd;
        int endsAt;
    };
    const Case cases[] = {{2000, 599}, {250, 300}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.frozenEnd);
        NoteRig r;
        r.block({note(1, C4, 0, c.frozenEnd, true)}, 1024);
        EXPECT_EQ(r.block({note(1, D4, 0, 600)}, 1024), (Events{on(0, D4), off(c.endsAt, C4), off(600, D4)}));
    }
}

TEST(NoteHandler, ASlurredNoteOfAUnitThatStoppedCountsDownFromTheNextBlock)
{
    NoteRig r;
    r.block({note(1, C4, 0, 700, true)}, 512);
    EXPECT_EQ(r.block({}, 512), (Events{})) << "frozen while the unit runs";
    r.unitOn[1] = false;
    EXPECT_EQ(r.block({}, 512), (Events{})) << "released, not yet counted";
    EXPECT_EQ(r.block({}, 512), (Events{}));
    EXPECT_EQ(r.block({}, 512), (Events{off(188, C4)}));
}

TEST(NoteHandler, AnotherUnitTakesOverTheSamePitchAndChannel)
{
    NoteRig r;
    r.block({note(1, G3, 0, 5000)}, 512);
    EXPECT_EQ(r.block({note(2, G3, 10, 600)}, 512), (Events{on(10, G3)}));
    EXPECT_EQ(r.block({}, 512), (Events{off(88, G3)}));
    EXPECT_TRUE(r.handler.isEmpty());
}

TEST(NoteHandler, CopiesEventsIntoLaneZeroAndTheLanesOfTheUnit)
{
    NoteRig r;
    r.targets[2] = {0}; // lane 3 takes unit 1
    r.block({note(1, C4, 10, 100), note(2, E4, 20, 200)}, 512);
    EXPECT_EQ(notesOf(r.lanes[0]), (Events{on(10, C4), on(20, E4), off(100, C4), off(200, E4)}));
    EXPECT_EQ(notesOf(r.lanes[3]), (Events{on(10, C4), off(100, C4)}));
    EXPECT_TRUE(r.lanes[1].isEmpty());
}

TEST(NoteHandler, AllNotesOffEndsEverythingAtTheLastSampleInTheOutputOnly)
{
    NoteRig r;
    r.targets[0] = {0, 1};
    r.block({note(1, C4, 0, 5000), note(2, E4, 0, 5000)}, 512);
    for (auto& lane : r.lanes)
        lane.clear();
    juce::MidiBuffer out;
    r.handler.allActiveNotesOff(out, 256);
    EXPECT_EQ(notesOf(out), (Events{off(255, C4), off(255, E4)}));
    EXPECT_TRUE(r.handler.isEmpty());
    for (const auto& lane : r.lanes)
        EXPECT_TRUE(lane.isEmpty());
}

TEST(NoteHandler, OutOfRangeRecordsAreLimited)
{
    NoteRig r;
    auto wild = note(3, 200, 5000, 10, false, 40);
    wild.velocity = 7.0f;
    // Events sort by sample: the early gate end comes first.
    EXPECT_EQ(r.block({wild}, 512), (Events{off(10, 127, 16), on(511, 127, 16)}));
}

TEST(NoteHandler, APositiveVelocityNeverBecomesMidiVelocityZero)
{
    struct Case
    {
        float velocity;
        int expected;
    };
    const Case cases[] = {
        {0.001f, 1}, {0.5f / 127.0f, 1}, {1.6f / 127.0f, 2}, {0.5f, 64}, {100.0f * 0.00787401013f, 100},
        {1.0f, 127}, {3.0f, 127},        {0.0f, 0},          {-1.0f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(NoteHandler::velocityByte(c.velocity), c.expected) << c.velocity;

    NoteRig r;
    auto quiet = note(1, C4, 10, 100);
    quiet.velocity = 0.002f;
    r.block({quiet}, 512);
    for (const auto metadata : r.output)
        if (metadata.getMessage().isNoteOn(true))
        {
            EXPECT_EQ(metadata.getMessage().getVelocity(), 1);
            EXPECT_TRUE(metadata.getMessage().isNoteOn());
        }
    EXPECT_EQ(notesOf(r.output), (Events{on(10, C4), off(100, C4)}));
}
