// SPDX-License-Identifier: GPL-3.0-or-later
// A unit's modulation slots through their host: which slots run, the
// sub-blocks, resync and snapshot switches, and what each engine mode plays.
#include "ModEngineHandler2.h"

#include "CtrPtchSqData.h"
#include "LfoData.h"
#include "MirabelGlobalData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <set>
#include <thread>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int maxBlock = 512;

// The host of pitch unit 1 (engine index 0) with all slots off, the unit's
// snapshot followed through a pitch model, a 16-channel modulation block and
// a steady host transport.
struct SlotFixture
{
    SlotFixture()
    {
        lfo.followUnitModel(0, pitch);
        for (auto& snap : lfo.unitSnaps[0])
            for (auto& slot : snap.slots)
                slot.pwr = false;
        global.bpm = 120.0;
        global.ppq = 0.0;
        host.prepare({sampleRate, (juce::uint32) maxBlock, 1});
        for (int j = 0; j < 8; ++j)
            host.getSlotEngine(j).seedRandom(100 + j);
        buffer.clear();
    }

    LfoData::ModUnitData& slot(int j, int snapshot = 0) { return lfo.unitSnaps[0][(size_t) snapshot][(size_t) j]; }

    // A slot on with a free or synced rate.
    LfoData::ModUnitData& lfoSlot(int j, int wave, bool synced, int division = 9, float freeRate = 0.5f)
    {
        auto& s = slot(j);
        s.pwr = true;
        s.engn = 0;
        s.bwf = wave;
        s.csync = synced;
        s.ksr.value = division;
        s.kfr.value = freeRate;
        return s;
    }

    // One host block: the transport moves on by n samples at 120 bpm.
    void run(int n)
    {
        juce::dsp::AudioBlock<float> block(buffer);
        host.processBlock(block, (float) global.ppq.load(), true, -1, false, n);
        global.ppq = global.ppq.load() + n * 2.0 / sampleRate;
    }

    // Runs blocks of n samples and collects channel c.
    std::vector<float> collect(int c, int blocks, int n)
    {
        std::vector<float> out;
        for (int b = 0; b < blocks; ++b)
        {
            run(n);
            for (int i = 0; i < n; ++i)
                out.push_back(buffer.getSample(c, i));
        }
        return out;
    }

    MirabelGlobalData global;
    CtrPtchSqData pitch;
    LfoData lfo;
    ModEngineHandler2 host{global, lfo, 0};
    juce::AudioBuffer<float> buffer{16, maxBlock};
};

int countChanges(const std::vector<float>& v)
{
    int changes = 0;
    for (size_t i = 1; i < v.size(); ++i)
        if (v[i] != v[i - 1])
            ++changes;
    return changes;
}
} // namespace

//==============================================================================
// The host

TEST(ModSlotHost, AllSlotsOffGiveExactZeroAndLeaveTheMacros)
{
    SlotFixture f;
    for (int c = 0; c < 16; ++c)
        juce::FloatVectorOperations::fill(f.buffer.getWritePointer(c), 0.7f, maxBlock);
    for (int j = 0; j < 8; ++j)
        f.lfo.lastOutputs[0][(size_t) j] = 0.3f;
    f.run(300);
    for (int c = 0; c < 16; ++c)
    {
        EXPECT_EQ(f.buffer.getSample(c, 0), c < 8 ? 0.0f : 0.7f) << c;
        EXPECT_EQ(f.buffer.getSample(c, 299), c < 8 ? 0.0f : 0.7f) << c;
        EXPECT_EQ(f.buffer.getSample(c, 300), 0.7f) << c;
    }
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(f.lfo.lastOutputs[0][(size_t) j].load(), 0.0f) << j;
}

TEST(ModSlotHost, CutsBlocksInto32ThenBlocksOf64)
{
    // A ramp whose rate glides one step per sub-block: its increment changes
    // exactly where a sub-block begins.
    struct Case
    {
        int n;
        std::vector<int> starts;
    };
    const Case cases[] = {{20, {0}}, {96, {0, 32}}, {97, {0, 32, 96}}, {100, {0, 32, 96}}, {200, {0, 32, 96, 160}}};
    for (const auto& c : cases)
    {
        SlotFixture f;
        f.lfoSlot(0, 2, false, 9, 1.0f);
        f.run(c.n);
        const auto& phasor = f.host.getSlotEngine(0).getPhasor();
        const float target = phasor.getFrequency();
        const float step = (target - 0.1f) / 14.0f;
        EXPECT_NEAR(phasor.getCurrentFrequency(), 0.1f + step * (float) c.starts.size(), 1.0e-3f) << c.n;
        for (size_t k = 0; k < c.starts.size(); ++k)
        {
            const int from = c.starts[k];
            const int to = k + 1 < c.starts.size() ? c.starts[k + 1] : c.n;
            const float inc = (0.1f + step * (float) (k + 1)) / (float) sampleRate;
            for (int i = juce::jmax(from, 1); i < to; ++i)
                EXPECT_NEAR(f.buffer.getSample(0, i) - f.buffer.getSample(0, i - 1), inc, 1.0e-6f)
                    << c.n << " sample " << i;
        }
        EXPECT_EQ(f.lfo.lastOutputs[0][0].load(), f.buffer.getSample(0, c.n - 1));
    }
}

TEST(ModSlotHost, ResyncRealignsExactlyTheSlotsThatAreOn)
{
    SlotFixture f;
    for (int j = 0; j < 8; ++j)
        f.lfoSlot(j, 2, false, 9, 0.3f);
    f.run(512);
    for (int j = 0; j < 8; ++j)
        if (j != 2 && j != 5)
            f.slot(j).pwr = false;
    f.run(512);

    // A jump of the host position, then a resync request.
    f.global.ppq = 7.3;
    std::array<float, 8> before{};
    for (int j = 0; j < 8; ++j)
        before[(size_t) j] = f.host.getSlotEngine(j).getPhasor().getCurPhasePos();
    f.host.setResyncRequest();
    f.run(64);
    EXPECT_FALSE(f.host.isResyncRequested());
    for (int j = 0; j < 8; ++j)
    {
        const auto& phasor = f.host.getSlotEngine(j).getPhasor();
        if (j == 2 || j == 5)
        {
            // The phase a free slot would have had since position 0, before the first sample.
            const double inc = (double) (phasor.getFrequency() / (float) sampleRate);
            const double x = 7.3 * (double) (float) inc * 24000.0;
            const float expectedFirst = (float) (x - std::floor(x) + inc);
            EXPECT_NEAR(f.buffer.getSample(j, 0), expectedFirst, 1.0e-4f) << j;
        }
        else
        {
            EXPECT_EQ(phasor.getCurPhasePos(), before[(size_t) j]) << j;
            EXPECT_EQ(f.buffer.getSample(j, 0), 0.0f) << j;
        }
    }
}

TEST(ModSlotHost, SnapshotSwitchSilencesASlotFromTheNextBlock)
{
    SlotFixture f;
    f.lfoSlot(3, 1, false, 9, 0.8f);
    f.slot(3, 1).pwr = false;
    f.run(256);
    f.run(256);
    EXPECT_GT(f.buffer.getSample(3, 255), 0.0f);

    // The model's atomic mirror decides, whatever the editor's value shows.
    f.pitch.units[0].currentSnapshot = 1;
    f.lfo.snapValues[0] = 0;
    f.run(256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(f.buffer.getSample(3, i), 0.0f) << i;
    EXPECT_EQ(f.lfo.lastOutputs[0][3].load(), 0.0f);
}

//==============================================================================
// The modulator

TEST(LfoSlot, FreeAndSyncedRates)
{
    struct Case
    {
        bool synced;
        int division;
        int type;
        float freeRate;
        float hz;
    };
    const Case cases[] = {{false, 9, 0, 0.0f, 0.01f}, {false, 9, 0, 1.0f, 20.0f},  {true, 9, 0, 0.5f, 2.0f},
                          {true, 9, 1, 0.5f, 3.0f},   {true, 9, 2, 0.5f, 1.3333f}, {true, 7, -3, 0.5f, 0.5f},
                          {true, 13, 0, 0.5f, 32.0f}, {true, 20, 0, 0.5f, 1.0f}};
    for (const auto& c : cases)
    {
        SlotFixture f;
        f.lfoSlot(0, 2, c.synced, c.division, c.freeRate).clktyp = c.type;
        f.run(64);
        EXPECT_NEAR(f.host.getSlotEngine(0).getPhasor().getFrequency(), c.hz, c.hz * 1.0e-4f) << c.division;
    }
}

TEST(LfoSlot, UnipolarOutputIsTheWaveformOfThePhase)
{
    for (int wave = 0; wave < 8; ++wave)
    {
        if (wave == 5)
            continue;
        SlotFixture f;
        f.lfoSlot(0, 2, false, 9, 0.9f); // the ramp shows the phase
        f.lfoSlot(1, wave, false, 9, 0.9f);
        for (int b = 0; b < 20; ++b)
        {
            f.run(512);
            for (int i = 0; i < 512; i += 7)
                ASSERT_NEAR(f.buffer.getSample(1, i),
                            juce::jlimit(0.0f, 1.0f, zuWavetableHandler::directValue(wave, f.buffer.getSample(0, i))),
                            1.0e-6f)
                    << wave << " at " << b << ":" << i;
        }
    }
}

TEST(LfoSlot, SquareSwitchesOncePerSubBlock)
{
    SlotFixture f;
    f.lfoSlot(0, 2, true, 13);
    f.lfoSlot(1, 5, true, 13); // 32 Hz: a cycle of 1500 samples
    int highs = 0;
    for (int b = 0; b < 10; ++b)
    {
        f.run(512);
        for (int i = 0; i < 512; ++i)
        {
            ASSERT_EQ(f.buffer.getSample(1, i), f.buffer.getSample(0, i) >= 0.5f ? 1.0f : 0.0f) << b << ":" << i;
            highs += f.buffer.getSample(1, i) == 1.0f ? 1 : 0;
        }
    }
    EXPECT_GT(highs, 1000);
    EXPECT_LT(highs, 5120 - 1000);
}

TEST(LfoSlot, BipolarStaysWithinHalfAndShowsItsFirstSample)
{
    for (const int mode : {0, 2})
    {
        SlotFixture f;
        auto& s = f.lfoSlot(0, 3, false, 9, 0.95f);
        s.engn = mode;
        s.bbi = true;
        s.kos.value = 0.9f; // pushes the waveform past the top
        for (auto& w : s.prb)
            w = 0.3f;
        s.weightsChanged = true;
        const auto out = f.collect(0, 30, 512);
        for (const float v : out)
            ASSERT_TRUE(v >= -0.5f && v <= 0.5f) << v;
        // The last sub-block of the last block began at sample 480.
        EXPECT_EQ(s.dispValue.load(), f.buffer.getSample(0, 480) + 0.5f);
    }
}

TEST(LfoSlot, HostSyncedPhaseFollowsALoopJump)
{
    SlotFixture f;
    f.lfoSlot(0, 2, true, 9); // a ramp of one beat
    f.collect(0, 10, 512);
    f.global.ppq = 1.3; // the host loops back
    f.run(512);
    EXPECT_NEAR(f.buffer.getSample(0, 0), 0.3f + 1.0f / 24000.0f, 1.0e-4f);
    f.global.ppq = 17.85;
    f.run(512);
    EXPECT_NEAR(f.buffer.getSample(0, 0), 0.85f + 1.0f / 24000.0f, 1.0e-4f);
    EXPECT_TRUE(f.host.getSlotEngine(0).isResyncEachBlock());

    // A synced rate with an active source runs freely.
    auto& s = f.slot(0);
    s.ksr.modSource[0] = 9;
    s.ksr.modDepth[0] = 0.5f;
    s.ksr.updateModActive();
    f.run(512);
    const float next = f.buffer.getSample(0, 511);
    f.global.ppq = 3.1;
    f.run(512);
    EXPECT_FALSE(f.host.getSlotEngine(0).isResyncEachBlock());
    EXPECT_NEAR(f.buffer.getSample(0, 0), std::fmod(next + 1.0f / 24000.0f, 1.0f), 1.0e-4f);
}

TEST(LfoSlot, GlideReachesTheNewRateAfterFourteenSubBlocks)
{
    SlotFixture f;
    auto& s = f.lfoSlot(0, 2, true, 9); // 2 Hz
    for (int b = 0; b < 20; ++b)
        f.run(32);
    s.ksr.value = 11; // 8 Hz
    const auto& phasor = f.host.getSlotEngine(0).getPhasor();
    for (int b = 1; b <= 14; ++b)
    {
        f.run(32);
        EXPECT_NEAR(phasor.getCurrentFrequency(), b < 14 ? 2.0f + 6.0f * (float) b / 14.0f : 8.0f, 1.0e-4f) << b;
    }
}

TEST(SampleHoldSlot, DrawsOncePerCycle)
{
    SlotFixture f;
    auto& s = f.lfoSlot(0, 0, true, 11); // 8 Hz at 120 bpm: 6000 samples a cycle
    s.engn = 1;
    const auto out = f.collect(0, 94, 512); // just over a second
    // Nothing before the first wrap (late by the glide from the phasor's
    // initial rate), then one new value per cycle, on the host's beat grid.
    for (int i = 0; i < 5990; ++i)
        ASSERT_EQ(out[(size_t) i], 0.0f) << i;
    EXPECT_EQ(countChanges(out), 8);
    int changes = 0;
    for (size_t i = 1; i < out.size(); ++i)
    {
        if (out[i] != out[i - 1] && ++changes > 1)
        {
            EXPECT_LE(std::abs((int) (i % 6000) - (i % 6000 > 3000 ? 6000 : 0)), 2) << i;
        }
    }
}

TEST(SampleHoldSlot, GlideMovesToEachNewValueOverOneCycle)
{
    SlotFixture f;
    auto& s = f.lfoSlot(0, 0, true, 11);
    s.engn = 1;
    s.bsahm = 1;
    const auto out = f.collect(0, 40, 512);
    // Linear between draws: equal steps within a cycle.
    const int from = 12100; // after the second draw
    const float d = out[(size_t) from + 1] - out[(size_t) from];
    for (int i = from; i < from + 5000; ++i)
        ASSERT_NEAR(out[(size_t) i + 1] - out[(size_t) i], d, 1.0e-6f) << i;
    EXPECT_NE(d, 0.0f);
}

TEST(SampleHoldSlot, HoldOffSpacesDrawsAndNeverRunsAway)
{
    SlotFixture f;
    f.global.bpm = 960.0;
    auto& s = f.lfoSlot(0, 0, true, 13); // about 188 samples a cycle
    s.engn = 1;
    std::vector<float> out = f.collect(0, 200, 512);
    int last = -100000;
    int draws = 0;
    for (size_t i = 1; i < out.size(); ++i)
        if (out[i] != out[i - 1])
        {
            EXPECT_GE((int) i - last, 512 - 64) << i;
            last = (int) i;
            ++draws;
        }
    EXPECT_GT(draws, 100);
    // Without draws for a long time the hold-off stays at 0 instead of
    // counting down towards the end of the int range.
    s.csync = false;
    s.kfr.value = 0.0f; // 0.01 Hz
    for (int b = 0; b < 1000; ++b)
        f.run(512);
    EXPECT_EQ(f.host.getSlotEngine(0).getDrawHoldoff(), 0);
}

TEST(ProbabilitySlot, PicksWaveformsByTheirWeights)
{
    SlotFixture f;
    auto& s = f.slot(0);
    auto& engine = f.host.getSlotEngine(0);
    const auto draw = [&](int times)
    {
        std::array<int, 8> counts{};
        for (int i = 0; i < times; ++i)
            ++counts[(size_t) engine.probWaveform(s)];
        return counts;
    };

    for (auto& w : s.prb)
        w = 0.0f;
    s.prb[3] = 1.0f;
    s.weightsChanged = true;
    EXPECT_EQ(draw(200)[3], 200);
    EXPECT_FALSE(s.weightsChanged.load());

    s.prb[3] = 0.0f;
    s.prb[1] = 0.25f;
    s.prb[6] = 0.75f;
    s.weightsChanged = true;
    const auto weighted = draw(8000);
    EXPECT_EQ(weighted[1] + weighted[6], 8000);
    EXPECT_NEAR(weighted[6] / 8000.0, 0.75, 0.03);

    // All weights 0: uniform among the eight.
    s.prb[1] = 0.0f;
    s.prb[6] = 0.0f;
    s.weightsChanged = true;
    for (const int c : draw(8000))
        EXPECT_NEAR(c / 8000.0, 0.125, 0.03);
}

TEST(ProbabilitySlot, ANewCycleStartsTheChosenWaveform)
{
    SlotFixture f;
    auto& s = f.lfoSlot(0, 0, true, 11);
    s.engn = 2;
    for (auto& w : s.prb)
        w = 0.0f;
    s.prb[2] = 1.0f; // the ramp only
    s.weightsChanged = true;
    const auto out = f.collect(0, 40, 512);
    EXPECT_EQ(s.dispWaveIndex.load(), 2);
    // After the first draw the ramp plays: rising, falling only at the wraps.
    int falls = 0;
    for (size_t i = 6100; i < out.size(); ++i)
        if (out[i] < out[i - 1])
            ++falls;
    EXPECT_LE(falls, 4);
}

//==============================================================================
// Bad values

TEST(LfoSlot, KnobValuesThatAreNotNumbersTakeTheirDefaults)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const int mode : {0, 1, 2})
    {
        SlotFixture f;
        auto& s = f.lfoSlot(0, 1, false);
        s.engn = mode;
        s.kfr.value = nan;
        s.kph.value = inf;
        s.kos.value = -inf;
        s.ksm.value = nan;
        s.klv.value = nan;
        s.prb[0] = nan;
        s.kph.modSource[0] = 1;
        s.kph.modDepth[0] = inf;
        s.kph.updateModActive();
        const auto out = f.collect(0, 20, 512);
        for (const float v : out)
            ASSERT_TRUE(std::isfinite(v));
        EXPECT_NEAR(f.host.getSlotEngine(0).getPhasor().getFrequency(),
                    f.host.getSlotEngine(0).readFreeRateCurve(0.5f) * 19.99f + 0.01f, 1.0e-5f);
        EXPECT_TRUE(std::isfinite(s.dispValue.load()));
    }
}

TEST(LfoSlot, SourcesPastTheBlocksChannelsReadNothing)
{
    MirabelGlobalData global;
    global.bpm = 120.0;
    LfoData lfo;
    ModEngineHandler2 host(global, lfo, 4);
    host.prepare({sampleRate, 64, 1});
    auto& s = lfo.unitSnaps[4][0][0];
    s.pwr = true;
    s.kos.value = 0.5f;
    s.klv.value = 0.5f;
    s.klv.modSource[0] = 12; // a macro channel this block does not have
    s.klv.modDepth[0] = 1.0f;
    s.klv.modSource[1] = 40; // beyond any block
    s.klv.modDepth[1] = 1.0f;
    s.klv.updateModActive();
    lfo.unitSnaps[4][0][1].pwr = false;
    juce::AudioBuffer<float> buffer(8, 64);
    juce::dsp::AudioBlock<float> block(buffer);
    host.processBlock(block, 0.0f, true, -1, false, 64);
    // The level stays at its own value: half the bell.
    for (int i = 0; i < 64; ++i)
        EXPECT_LE(buffer.getSample(0, i), 0.5f);
}

//==============================================================================
// Display values

TEST(LfoSlot, DisplayValuesReachAnotherThread)
{
    SlotFixture f;
    f.lfoSlot(0, 2, false, 9, 0.7f);
    auto& sah = f.lfoSlot(1, 0, true, 13);
    sah.engn = 1;
    auto& prob = f.lfoSlot(2, 0, true, 13);
    prob.engn = 2;
    for (auto& w : prob.prb)
        w = 0.0f;
    prob.prb[4] = 1.0f;
    prob.weightsChanged = true;

    std::atomic<bool> running{true};
    std::thread audio(
        [&]
        {
            while (running.load())
                f.run(512);
        });

    // The editor's side: polls until it has seen each value move.
    bool seenValue = false, seenHeld = false, seenWave = false, seenOutput = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!(seenValue && seenHeld && seenWave && seenOutput) && std::chrono::steady_clock::now() < deadline)
    {
        seenValue = seenValue || f.slot(0).dispValue.load() > 0.0f;
        seenHeld = seenHeld || sah.dispHeldValue.load() != 0.5f;
        seenWave = seenWave || prob.dispWaveIndex.load() == 4;
        seenOutput = seenOutput || f.lfo.lastOutputs[0][0].load() > 0.0f;
        std::this_thread::yield();
    }
    running = false;
    audio.join();
    EXPECT_TRUE(seenValue);
    EXPECT_TRUE(seenHeld);
    EXPECT_TRUE(seenWave);
    EXPECT_TRUE(seenOutput);
    EXPECT_EQ(f.lfo.lastOutputs[0][0].load(), f.buffer.getSample(0, 511));
}
