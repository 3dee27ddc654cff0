// SPDX-License-Identifier: GPL-3.0-or-later
// What a host hears of the CC sequencer units, the CC racks and the
// octave-transpose unit, alone and with all fifteen units playing at once.
#include "HostSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
using namespace hostsession;

using Path = std::vector<std::string>;
const Path maintree{"maintree"};

Path unitNode(const std::string& name)
{
    return {"param", "seqmain", name};
}

std::string numbered(const std::string& key, int n)
{
    return key + std::to_string(n);
}

// The sixteenths of a CC unit: it notices a new step on the coarse scale of
// its cycle and starts it at the sample where the fine scale reached the
// step, within the block it noticed it in.
int64_t ccStepStart(int64_t k)
{
    const int64_t noticed = sixteenthStart(k, 15.995);
    return std::max(noticed - noticed % blockSize, sixteenthStart(k, 15.999991));
}

int roundHalfAway(double x)
{
    return (int) (x >= 0.0 ? std::floor(x + 0.5) : -std::floor(0.5 - x));
}

// Every unit list entry is the unit id x 100.
std::string unitList(const std::vector<int>& ids)
{
    std::string list = "CT:";
    for (const int id : ids)
        list += std::to_string(id * 100) + " ";
    return list;
}
} // namespace

TEST(HostControllers, ACcUnitSendsOneControllerPerPlayingStepAtTheStepStarts)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    // CC unit 1 to controller 74 ("tarcc" stores the number + 1), output range
    // 10..110, step k of 16 at value (5k mod 16) / 15, step 7 off.
    auto state = ChunkText::fromChunk(host->getChunk());
    const auto unit = unitNode("ccsq1");
    ASSERT_TRUE(state.setAttribute(unit, "p3m31_tarcc", "75"));
    ASSERT_TRUE(state.setAttribute(unit, "p3m31_omin", "10"));
    ASSERT_TRUE(state.setAttribute(unit, "p3m31_omax", "110"));
    std::vector<double> values;
    for (int k = 1; k <= 16; ++k)
    {
        values.push_back((double) ((5 * k) % 16) / 15.0);
        ASSERT_TRUE(state.setAttribute(unit, numbered("p3m31_sval", k), std::to_string(values.back())));
    }
    ASSERT_TRUE(state.setAttribute(unit, "p3m31_spwr7", "0"));
    ASSERT_TRUE(state.setAttribute(maintree, "ctstate", unitList({9})));
    ASSERT_TRUE(restoreState(*host, state));
    setPlainParameter(*host, "CcSQ1 CH", 2.0f, 0.0f, 16.0f);

    host->transport.playing = true;
    Session session(*host);
    session.run((int) (2 * samplesPerBar / blockSize));

    const auto sent = session.controllers(74);
    int controllers = 0;
    for (const auto& e : session.events)
        controllers += e.isController() ? 1 : 0;
    EXPECT_EQ(controllers, (int) sent.size()) << "only controller 74";

    std::vector<int64_t> playedSteps;
    for (int64_t k = 0; k < 32; ++k)
        if (k % 16 != 6)
            playedSteps.push_back(k);
    ASSERT_EQ(sent.size(), playedSteps.size());
    for (size_t i = 0; i < sent.size(); ++i)
    {
        const int64_t k = playedSteps[i];
        SCOPED_TRACE(k);
        EXPECT_EQ(sent[i].channel, 2);
        EXPECT_EQ(sent[i].data2, roundHalfAway(10.0 + 100.0 * values[(size_t) (k % 16)]));
        EXPECT_NEAR((double) sent[i].sample, (double) ccStepStart(k), 1.0);
    }
}

TEST(HostControllers, ARackKnobSendsOnlyWhenItsSevenBitValueChanges)
{
    // The knob is turned by the host through macro 1 (a host parameter), or
    // by the rack's own first modulation slot, a free-running LFO.
    enum class Turn
    {
        byHostParameter,
        byModulationSlot
    };
    for (const auto turn : {Turn::byHostParameter, Turn::byModulationSlot})
    {
        SCOPED_TRACE(turn == Turn::byHostParameter ? "host parameter" : "modulation slot");
        auto host = openPlugin();
        ASSERT_NE(host->effect(), nullptr) << host->error();

        auto state = ChunkText::fromChunk(host->getChunk());
        const auto rack = unitNode("ccrack1");
        ASSERT_TRUE(state.setAttribute(rack, "p5m51_ktarcc1", "8")); // controller 7
        ASSERT_TRUE(state.setAttribute(rack, "p5m51_kval1", "0.2"));
        // Source 9 is macro 1, source 1 the rack's first slot.
        ASSERT_TRUE(state.setAttribute(rack, "p5m51_kval1_ms1", turn == Turn::byHostParameter ? "9" : "1"));
        ASSERT_TRUE(state.setAttribute(rack, "p5m51_kval1_md1", "0.5"));
        ASSERT_TRUE(state.setAttribute(maintree, "ctstate", unitList({14})));
        ASSERT_TRUE(restoreState(*host, state));

        // The macro holds still for ten blocks at a time, then moves; its
        // second move is too small to change the 7-bit value.
        const float macroSteps[] = {0.0f, 0.5f, 0.5001f, 1.0f, 0.25f};
        host->transport.playing = true;
        Session session(*host);
        session.run(turn == Turn::byHostParameter ? 50 : 400,
                    [&](int block)
                    {
                        if (turn == Turn::byHostParameter && block % 10 == 0)
                            setPlainParameter(*host, "Macro1", macroSteps[block / 10], 0.0f, 1.0f);
                    });

        const auto sent = session.controllers(7);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front().block, 0) << "the first block sends the knob's value";
        for (size_t i = 0; i < sent.size(); ++i)
        {
            EXPECT_EQ(sent[i].delta, 0) << i;
            EXPECT_EQ(sent[i].channel, 1) << i;
            if (i > 0)
            {
                EXPECT_GT(sent[i].block, sent[i - 1].block) << "at most one message a block";
                EXPECT_NE(sent[i].data2, sent[i - 1].data2) << "a message only for a new value, at " << i;
            }
        }
        if (turn == Turn::byHostParameter)
        {
            std::vector<int> blocks;
            for (const auto& e : sent)
                blocks.push_back(e.block);
            EXPECT_EQ(blocks, (std::vector<int>{0, 10, 30, 40}));
        }
        else
        {
            // The LFO moves the value often, but not in every block.
            EXPECT_GT(sent.size(), 10u);
            EXPECT_LT(sent.size(), 400u);
        }
        host->close();
    }
}

TEST(HostControllers, TheOctaveTransposeUnitMovesPitchUnitOneByItsStepsOctaveAndTranspose)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    // Step k: octave (k mod 5) - 2, transpose (7k mod 25) - 12; step 4 off,
    // where the global transpose of 3 holds instead.
    auto state = ChunkText::fromChunk(host->getChunk());
    const auto unit = unitNode("octtpsq");
    std::vector<int> shifts;
    for (int k = 1; k <= 16; ++k)
    {
        const int octave = k % 5;
        const int transpose = (7 * k) % 25 - 12;
        ASSERT_TRUE(state.setAttribute(unit, numbered("p4m41_soct", k), std::to_string(octave)));
        ASSERT_TRUE(state.setAttribute(unit, numbered("p4m41_stp", k), std::to_string(transpose)));
        shifts.push_back(k == 4 ? 3 : 12 * (octave - 2) + transpose);
    }
    ASSERT_TRUE(state.setAttribute(unit, "p4m41_spwr4", "0"));
    ASSERT_TRUE(state.setAttribute(maintree, "ctstate", unitList({1, 13})));
    ASSERT_TRUE(restoreState(*host, state));
    setPlainParameter(*host, "Global TP", 3.0f, -12.0f, 12.0f);
    setPlainParameter(*host, "G-OctTp Center PitchSQ0", 1.0f, 0.0f, 1.0f);

    host->transport.playing = true;
    Session session(*host);
    session.run((int) (samplesPerBar / blockSize));

    const auto ons = session.noteOns();
    ASSERT_EQ(ons.size(), 16u);
    for (size_t k = 0; k < ons.size(); ++k)
        EXPECT_EQ(ons[k].data1, 48 + shifts[k]) << "step " << k + 1;
}

TEST(HostControllers, AllFifteenUnitsPlayTogetherInRunOrderAndTheOutputStaysSorted)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    auto state = ChunkText::fromChunk(host->getChunk());
    // CC units 1..4 send controllers 20..23, the racks' first knobs 30 and 31.
    for (int u = 1; u <= 4; ++u)
    {
        const auto prefix = "p3m3" + std::to_string(u) + "_";
        ASSERT_TRUE(state.setAttribute(unitNode(numbered("ccsq", u)), prefix + "tarcc", std::to_string(20 + u)));
    }
    for (int r = 1; r <= 2; ++r)
    {
        const auto prefix = "p5m5" + std::to_string(r) + "_";
        const auto rack = unitNode(numbered("ccrack", r));
        ASSERT_TRUE(state.setAttribute(rack, prefix + "ktarcc1", std::to_string(30 + r)));
        ASSERT_TRUE(state.setAttribute(rack, prefix + "kval1_ms1", "9"));
        ASSERT_TRUE(state.setAttribute(rack, prefix + "kval1_md1", "1"));
    }
    // The octave-transpose unit lifts pitch unit 1 by an octave from its first step.
    for (int k = 1; k <= 16; ++k)
        ASSERT_TRUE(state.setAttribute(unitNode("octtpsq"), numbered("p4m41_soct", k), "3"));
    // Parameter unit 1 switches every step of pitch unit 2 off (event "step
    // on/off", menu value 13, at value 0), from its first step.
    const auto param = unitNode("prmsq1");
    ASSERT_TRUE(state.setAttribute(param, "p2m21_tar1", "0"));
    ASSERT_TRUE(state.setAttribute(param, "p2m21_tar2", "1"));
    for (int k = 1; k <= 16; ++k)
        ASSERT_TRUE(state.setAttribute(param, numbered("p2m21_emenu", k), "13"));
    std::vector<int> ids;
    for (int id = 1; id <= 15; ++id)
        ids.push_back(id);
    ASSERT_TRUE(state.setAttribute(maintree, "ctstate", unitList(ids)));
    ASSERT_TRUE(restoreState(*host, state));
    for (int u = 1; u <= 4; ++u)
    {
        setPlainParameter(*host, "PitchSQ" + std::to_string(u) + " CH", (float) u, 0.0f, 16.0f);
        setPlainParameter(*host, "G-OctTp Center PitchSQ" + std::to_string(u - 1), u == 1 ? 1.0f : 0.0f, 0.0f, 1.0f);
    }

    // The host moves macro 1 every 20 blocks: the racks send again.
    host->transport.playing = true;
    Session session(*host);
    const int blocks = (int) (samplesPerBar / blockSize);
    session.run(blocks,
                [&](int block)
                {
                    if (block % 20 == 0)
                        setPlainParameter(*host, "Macro1", 0.05f * (float) (block / 20), 0.0f, 1.0f);
                });

    // Sorted by position within every block.
    for (size_t i = 1; i < session.events.size(); ++i)
    {
        const auto& e = session.events[i];
        const auto& before = session.events[i - 1];
        EXPECT_TRUE(e.block > before.block || e.delta >= before.delta) << "event " << i;
    }

    // Every CC unit steps through its sixteen steps, every rack follows the macro.
    for (int u = 1; u <= 4; ++u)
        EXPECT_EQ(session.controllers(19 + u).size(), 16u) << "CC unit " << u;
    for (int r = 1; r <= 2; ++r)
        EXPECT_EQ(session.controllers(29 + r).size(), (size_t) (blocks + 19) / 20) << "rack " << r;

    // Where controllers share a position, the CC units come first in id
    // order, then the racks: the order the units ran in.
    const auto& events = session.events;
    ASSERT_GE(events.size(), 6u);
    std::vector<int> first;
    for (size_t i = 0; i < events.size() && events[i].block == 0 && events[i].delta == 0; ++i)
        if (events[i].isController())
            first.push_back(events[i].data1);
    EXPECT_EQ(first, (std::vector<int>{20, 21, 22, 23, 30, 31}));

    // The pitch units heard the units that ran before them from the first
    // step on: unit 1 an octave up, unit 2 silenced by the parameter unit.
    std::vector<int> onsPerChannel(17, 0);
    for (const auto& e : session.noteOns())
    {
        ++onsPerChannel[(size_t) e.channel];
        if (e.channel == 1)
            EXPECT_EQ(e.data1, 60) << "at " << e.sample;
        else
            EXPECT_EQ(e.data1, 48) << "at " << e.sample;
    }
    EXPECT_EQ(onsPerChannel[1], 16);
    EXPECT_EQ(onsPerChannel[2], 0);
    EXPECT_EQ(onsPerChannel[3], 16);
    EXPECT_EQ(onsPerChannel[4], 16);
    host->close();
}
