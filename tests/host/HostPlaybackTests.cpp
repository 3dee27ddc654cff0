// SPDX-License-Identifier: GPL-3.0-or-later
// What a host hears of a pitch unit: notes in time with its transport, and no
// note left sounding after a stop, a loop jump or the removal of the unit.
#include "HostSession.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
using namespace hostsession;

// Lists the units of "ctstate" through the state chunk, as a restored song would.
void setUnitList(VstHost& host, const std::string& ctstate)
{
    auto state = ChunkText::fromChunk(host.getChunk());
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", ctstate));
    ASSERT_TRUE(restoreState(host, state));
}

// Where step k of a sixteenth-note pitch unit starts.
int64_t stepStart(int64_t k)
{
    return sixteenthStart(k, 15.995);
}
} // namespace

TEST(HostPlayback, APitchUnitPlaysItsStepsInTimeWithTheHost)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    setUnitList(*host, "CT:100 ");

    host->transport.playing = true;
    Session session(*host);
    session.run(240); // 2.56 s: 20 steps

    const auto ons = session.noteOns();
    ASSERT_GE(ons.size(), 20u);
    for (size_t k = 0; k < ons.size(); ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(ons[k].data1, 48);
        EXPECT_EQ(ons[k].data2, 100);
        EXPECT_EQ(ons[k].channel, 1);
        EXPECT_NEAR((double) ons[k].sample, (double) stepStart((int64_t) k), 1.0);
    }

    // Each note-off follows its note-on after half a step (the gate of 50 %).
    std::vector<HostEvent> offs;
    for (const auto& e : session.events)
        if (e.isNoteOff())
            offs.push_back(e);
    ASSERT_GE(offs.size(), ons.size() - 1);
    for (size_t k = 0; k + 1 < ons.size(); ++k)
        EXPECT_EQ(offs[k].sample - ons[k].sample, 3000) << k;
}

TEST(HostPlayback, StoppingEndsEverySoundingNoteInTheFirstStoppedBlock)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    setUnitList(*host, "CT:100 ");

    host->transport.playing = true;
    Session session(*host);
    session.run(3); // the first note sounds (it ends at sample 3000)
    ASSERT_EQ(session.soundingNotes(), 1);

    host->transport.playing = false;
    const auto before = session.events.size();
    session.run(1);
    ASSERT_EQ(session.events.size(), before + 1);
    const auto& off = session.events.back();
    EXPECT_TRUE(off.isNoteOff());
    EXPECT_EQ(off.data1, 48);
    EXPECT_EQ(off.sample, session.position - 1) << "the last sample of the stopped block";
    EXPECT_EQ(session.soundingNotes(), 0);

    session.run(4);
    EXPECT_EQ(session.events.size(), before + 1) << "nothing more while stopped";
}

TEST(HostPlayback, NoNoteHangsAfterALoopJumpOrTheRemovalOfTheUnit)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    // Slurred steps of changing pitch: each holds its note until the unit's
    // next note ends it.
    auto state = ChunkText::fromChunk(host->getChunk());
    for (int step = 1; step <= 16; ++step)
    {
        const auto n = std::to_string(step);
        ASSERT_TRUE(state.setAttribute({"param", "seqmain", "ptchsq1"}, "p1m11_slr" + n, "1"));
        ASSERT_TRUE(state.setAttribute({"param", "seqmain", "ptchsq1"}, "p1m11_pch" + n, std::to_string(step % 12)));
    }
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", "CT:100 "));
    ASSERT_TRUE(restoreState(*host, state));

    // A loop of one beat: the host jumps back every 24000 samples.
    host->transport.playing = true;
    host->transport.looping = true;
    host->transport.loopStart = 0.0;
    host->transport.loopEnd = 1.0;
    Session session(*host);
    session.run(260);
    EXPECT_GE(session.noteOns().size(), 16u);
    EXPECT_LE(session.soundingNotes(), 1) << "each slurred note ends when the next begins";

    // The unit leaves the list while playing: its engine goes idle, and the
    // note it held ends without waiting for the host to stop.
    state = ChunkText::fromChunk(host->getChunk());
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", "CT:"));
    ASSERT_TRUE(restoreState(*host, state));
    const auto onsBefore = session.noteOns().size();
    session.run(40);
    EXPECT_EQ(session.noteOns().size(), onsBefore) << "an unlisted unit starts no note";
    EXPECT_EQ(session.soundingNotes(), 0);
    host->close();
}
