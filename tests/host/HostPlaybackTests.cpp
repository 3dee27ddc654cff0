// SPDX-License-Identifier: GPL-3.0-or-later
// What a host hears of a pitch unit: notes in time with its transport, and no
// note left sounding after a stop, a loop jump or the removal of the unit.
#include "ChunkText.h"
#include "VstHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

// One note event with its position counted from the start of play.
struct NoteEvent
{
    int64_t sample = 0;
    bool on = false;
    int channel = 0;
    int note = 0;
    int velocity = 0;
};

std::unique_ptr<VstHost> openPlugin()
{
    auto host = std::make_unique<VstHost>(ZU_PLUGIN_PATH);
    if (host->effect() != nullptr)
    {
        host->open(sampleRate, blockSize);
        host->resume();
    }
    return host;
}

// Lists the units of "ctstate" through the state chunk, as a restored song would.
void setUnitList(VstHost& host, const std::string& ctstate)
{
    auto state = ChunkText::fromChunk(host.getChunk());
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", ctstate));
    host.setChunk(state.toChunk());
    ASSERT_TRUE(host.idleUntil(
        [&] { return ChunkText::fromChunk(host.getChunk()).attribute({"maintree"}, "ctstate") == ctstate; }));
}

class Session
{
public:
    explicit Session(VstHost& h) : host(h) {}

    // Runs blocks and collects the note events with their session positions.
    void run(int numBlocks, int numSamples = blockSize)
    {
        for (int b = 0; b < numBlocks; ++b)
        {
            host.clearReceived();
            host.process(numSamples);
            for (const auto& e : host.receivedEvents())
            {
                const int status = e.bytes[0] & 0xF0;
                if (status != 0x90 && status != 0x80)
                    continue;
                NoteEvent n;
                n.sample = position + e.deltaFrames;
                n.on = status == 0x90 && e.bytes[2] > 0;
                n.channel = (e.bytes[0] & 0x0F) + 1;
                n.note = e.bytes[1];
                n.velocity = e.bytes[2];
                events.push_back(n);
                EXPECT_GE(e.deltaFrames, 0);
                EXPECT_LT(e.deltaFrames, numSamples);
            }
            host.advance(numSamples);
            position += numSamples;
        }
    }

    // Notes sounding after everything received so far (per channel and note).
    int soundingNotes() const
    {
        std::map<std::pair<int, int>, int> count;
        for (const auto& e : events)
        {
            auto& c = count[{e.channel, e.note}];
            c = e.on ? c + 1 : 0;
        }
        int total = 0;
        for (const auto& [key, c] : count)
            total += c;
        return total;
    }

    std::vector<NoteEvent> ons() const
    {
        std::vector<NoteEvent> out;
        for (const auto& e : events)
            if (e.on)
                out.push_back(e);
        return out;
    }

    VstHost& host;
    std::vector<NoteEvent> events;
    int64_t position = 0;
};

// Where step k of a sixteenth-note unit starts at 120 bpm and 48 kHz: the
// first sample whose phase ((s + 1) / 96000 of the bar) times 15.995 reaches k.
int64_t stepStart(int64_t k)
{
    const int64_t bar = k / 16;
    const int64_t index = k % 16;
    const int64_t s = (int64_t) std::ceil((double) index * 96000.0 / 15.995) - 1;
    return bar * 96000 + std::max<int64_t>(s, 0);
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

    const auto ons = session.ons();
    ASSERT_GE(ons.size(), 20u);
    for (size_t k = 0; k < ons.size(); ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(ons[k].note, 48);
        EXPECT_EQ(ons[k].velocity, 100);
        EXPECT_EQ(ons[k].channel, 1);
        EXPECT_NEAR((double) ons[k].sample, (double) stepStart((int64_t) k), 1.0);
    }

    // Each note-off follows its note-on after half a step (the gate of 50 %).
    std::vector<NoteEvent> offs;
    for (const auto& e : session.events)
        if (!e.on)
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
    EXPECT_FALSE(off.on);
    EXPECT_EQ(off.note, 48);
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
    host->setChunk(state.toChunk());
    ASSERT_TRUE(host->idleUntil(
        [&] { return ChunkText::fromChunk(host->getChunk()).attribute({"maintree"}, "ctstate") == "CT:100 "; }));

    // A loop of one beat: the host jumps back every 24000 samples.
    host->transport.playing = true;
    host->transport.looping = true;
    host->transport.loopStart = 0.0;
    host->transport.loopEnd = 1.0;
    Session session(*host);
    session.run(260);
    EXPECT_GE(session.ons().size(), 16u);
    EXPECT_LE(session.soundingNotes(), 1) << "each slurred note ends when the next begins";

    // The unit leaves the list while playing: its engine goes idle, and the
    // note it held ends without waiting for the host to stop.
    state = ChunkText::fromChunk(host->getChunk());
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", "CT:"));
    host->setChunk(state.toChunk());
    ASSERT_TRUE(host->idleUntil(
        [&] { return ChunkText::fromChunk(host->getChunk()).attribute({"maintree"}, "ctstate") == "CT:"; }));
    const auto onsBefore = session.ons().size();
    session.run(40);
    EXPECT_EQ(session.ons().size(), onsBefore) << "an unlisted unit starts no note";
    EXPECT_EQ(session.soundingNotes(), 0);
    host->close();
}
