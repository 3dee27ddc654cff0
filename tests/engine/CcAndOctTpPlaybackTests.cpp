// SPDX-License-Identifier: GPL-3.0-or-later
// CC sequencer units, CC racks and the octave-transpose unit through the
// main engine: what they send, when, and what they do to the pitch units.
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr int blockSize = 512;
constexpr double ppqPerSample = 120.0 / (60.0 * 48000.0);

struct Controller
{
    int64_t sample;
    int channel;
    int number;
    int value;
};

// Plays a steady host from position 0 and collects controllers and note-ons.
struct Host
{
    EnginePlayer p{48000.0, blockSize};
    int64_t sample = 0;
    std::vector<Controller> controllers;
    std::vector<int> notes;

    void play(int numBlocks)
    {
        for (int b = 0; b < numBlocks; ++b)
        {
            for (const auto m : p.play((double) sample * ppqPerSample, blockSize))
            {
                const auto msg = m.getMessage();
                if (msg.isController())
                    controllers.push_back({sample + m.samplePosition, msg.getChannel(), msg.getControllerNumber(),
                                           msg.getControllerValue()});
                else if (msg.isNoteOn())
                    notes.push_back(msg.getNoteNumber());
            }
            sample += blockSize;
        }
    }
};

constexpr int blocksPerBar = 96000 / blockSize + 1;
} // namespace

TEST(CcPlayback, ACcUnitSendsOneControllerPerStepScaledIntoItsRange)
{
    Host h;
    auto& m = h.p.models;
    m.global.loadCenterUnitStateFromString("CT:900 ");
    auto& unit = m.cc.units[0];
    unit.ch = 2;
    auto& snap = unit.snaps[0];
    snap.tarcc = 75; // controller 74
    snap.omin = 10.0f;
    snap.omax = 110.0f;
    for (int k = 0; k < 32; ++k)
        snap.steps[(size_t) k].sval.value = (float) k / 15.0f;
    h.play(blocksPerBar - 1);

    ASSERT_EQ(h.controllers.size(), 16u);
    for (size_t k = 0; k < 16; ++k)
    {
        const auto& c = h.controllers[k];
        EXPECT_EQ(c.channel, 2);
        EXPECT_EQ(c.number, 74);
        const double x = 10.0 + 100.0 * std::min(1.0, (double) (float) ((float) k / 15.0f));
        EXPECT_EQ(c.value, (int) std::floor(x + 0.5)) << k;
        // At the step's start: the step's sixteenth on the host grid, or the
        // first sample of the block in which the unit's cycle index moves on.
        EXPECT_GE(c.sample, (int64_t) k * 6000) << k;
        EXPECT_LT(c.sample, (int64_t) k * 6000 + blockSize) << k;
    }
}

TEST(CcPlayback, AMissingOrDamagedTargetControllerSendsNothingWhileTheStepsAdvance)
{
    // A CC unit's "tarcc" and a rack knob's "ktarcc": 0 is "--"; values no
    // menu item stores (a damaged state) are no controller either.
    for (const bool rack : {false, true})
        for (const int tarcc : {0, -1, -200, 129, 100000})
        {
            SCOPED_TRACE(testing::Message() << (rack ? "rack knob " : "CC unit ") << tarcc);
            Host h;
            h.p.models.global.loadCenterUnitStateFromString(rack ? "CT:1400 " : "CT:900 ");
            if (rack)
                h.p.models.rack.units[0].snaps[0].knobs[0].ktarcc = tarcc;
            else
                h.p.models.cc.units[0].snaps[0].tarcc = tarcc;
            h.play(20);
            EXPECT_TRUE(h.controllers.empty());
            if (!rack)
            {
                EXPECT_GE(h.p.models.global.curSteps[8].load(), 1);
            }
        }
}

TEST(CcPlayback, AFreeClockRateAtOrBelowZeroKeepsAFiniteStep)
{
    for (const float fclk : {0.0f, -1.0f, -1000.0f})
    {
        SCOPED_TRACE(fclk);
        Host h;
        h.p.models.global.loadCenterUnitStateFromString("CT:900 ");
        auto& snap = h.p.models.cc.units[0].snaps[0];
        snap.tarcc = 8;
        snap.csync = false;
        snap.fclk = fclk;
        h.play(2 * blocksPerBar);
        // The rate floors at 0.01 Hz: the first step and no other in two bars.
        EXPECT_EQ(h.controllers.size(), 1u);
    }
}

TEST(CcPlayback, ARackKnobSendsOnlyWhenItsSevenBitValueChanges)
{
    Host h;
    auto& m = h.p.models;
    m.global.loadCenterUnitStateFromString("CT:1400 ");
    m.global.gch = 10;
    auto& knob = m.rack.units[0].snaps[0].knobs[0];
    knob.ktarcc = 1; // controller 0
    knob.kval.value = 0.5f;
    h.play(10);
    ASSERT_EQ(h.controllers.size(), 1u);
    EXPECT_EQ(h.controllers[0].value, 64);
    EXPECT_EQ(h.controllers[0].channel, 10);
    EXPECT_EQ(h.controllers[0].number, 0);
    EXPECT_EQ(h.controllers[0].sample % blockSize, 0);

    // A macro channel moves the knob: a message for each new 7-bit value only.
    knob.kval.modSource[0] = 9; // modulation channel 8: macro 1
    knob.kval.modDepth[0] = 1.0f;
    knob.kval.modActive = true;
    m.macros.macroValues[0] = 0.25f;
    h.play(5);
    ASSERT_EQ(h.controllers.size(), 2u);
    EXPECT_GT(h.controllers[1].value, 64);
    m.macros.macroValues[0] = 0.2501f; // the same 7-bit value
    h.play(5);
    EXPECT_EQ(h.controllers.size(), 2u);

    // Muted: nothing; unmuted: the current value once more.
    m.global.midiMute = true;
    h.play(5);
    EXPECT_EQ(h.controllers.size(), 2u);
    m.global.midiMute = false;
    h.play(5);
    ASSERT_EQ(h.controllers.size(), 3u);
    EXPECT_EQ(h.controllers[2].value, h.controllers[1].value);
}

TEST(OctTpPlayback, TheOctaveTransposeUnitMovesItsTargetPitchUnitsNotes)
{
    auto firstNote = [](bool withOctTp)
    {
        Host h;
        auto& m = h.p.models;
        m.global.loadCenterUnitStateFromString(withOctTp ? "CT:100 1300 " : "CT:100 ");
        m.global.goctTpTar[0] = true;
        for (auto& step : m.octTp.units[0].snaps[0].steps)
        {
            step.soct.value = 3; // one octave up
            step.stp.value = 2;
        }
        h.play(3);
        return h.notes.empty() ? -1 : h.notes.front();
    };
    const int plain = firstNote(false);
    ASSERT_GE(plain, 0);
    EXPECT_EQ(firstNote(true), plain + 14);
}

TEST(CcPlayback, EveryUnitKindPlaysTogetherAndTheRecorderTakesTheControllers)
{
    Host h;
    auto& m = h.p.models;
    m.global.loadCenterUnitStateFromString("CT:100 200 300 400 500 600 700 800 900 1000 1100 1200 1300 1400 1500 ");
    for (auto& unit : m.cc.units)
        unit.snaps[0].tarcc = 20;
    for (auto& rack : m.rack.units)
        rack.snaps[0].knobs[0].ktarcc = 30;
    m.global.recLength = 1;
    m.global.recArmed[0] = true;
    h.play(blocksPerBar + 4);

    EXPECT_GE(h.controllers.size(), 4u * 16u + 2u);
    ASSERT_TRUE(m.global.recHasTake[0].load());
    const auto take = h.p.engine.getRecorder(0).getFinishedSequence();
    int controllers = 0;
    for (const auto* e : take)
        controllers += e->message.isController() ? 1 : 0;
    // Every controller sent before the end of the take's bar.
    int sentInTake = 0;
    for (const auto& c : h.controllers)
        sentInTake += c.sample < (int64_t) (0.9997 * 96000.0) ? 1 : 0;
    EXPECT_EQ(controllers, sentInTake);
    EXPECT_GE(sentInTake, 4 * 16 + 2);
}
