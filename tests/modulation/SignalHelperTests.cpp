// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform table, the synced-rate table, the tempo phasor and the slide
// and smoother of the signal module.
#include "ZuKolt_ModEngineBase.h"
#include "ZuSsePhasor.h"
#include "zuWavetableHandler.h"
#include "zu_dsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
using Phasor = ZuSsePhasor<float>;

juce::dsp::ProcessSpec specAt(double sampleRate)
{
    return {sampleRate, 512, 1};
}

// A one-channel float buffer whose first sample sits on a 16-byte boundary,
// or one float past it.
struct PhaseOut
{
    explicit PhaseOut(bool aligned, int n = 512) : storage((size_t) n + 8, -1.0f)
    {
        auto address = reinterpret_cast<std::uintptr_t>(storage.data());
        data = storage.data() + ((16u - (address & 15u)) & 15u) / sizeof(float) + (aligned ? 0 : 1);
        channel[0] = data;
        block = juce::dsp::AudioBlock<float>(channel, 1, (size_t) n);
    }
    std::vector<float> storage;
    float* data = nullptr;
    float* channel[1]{};
    juce::dsp::AudioBlock<float> block;
};
} // namespace

//==============================================================================
TEST(WaveformTable, EachWaveformAtATableOfPhases)
{
    struct Case
    {
        int wave;
        float x;
        float expected;
    };
    const Case cases[] = {
        {0, 0.0f, 0.0f},  {0, 0.25f, 0.42f},     {0, 0.5f, 1.0f},        {0, 0.75f, 0.42f},     {1, 0.0f, 0.0f},
        {1, 0.25f, 0.5f}, {1, 0.5f, 1.0f},       {1, 0.75f, 0.5f},       {2, 0.0f, 0.0f},       {2, 0.3f, 0.3f},
        {2, 0.9f, 0.9f},  {3, 0.0f, 0.0f},       {3, 0.25f, 0.0717936f}, {3, 0.5f, 0.5f},       {3, 0.75f, 0.9282064f},
        {4, 0.0f, 0.0f},  {4, 0.25f, 0.464285f}, {4, 0.5f, 0.5f},        {4, 0.75f, 0.535715f}, {5, 0.0f, 0.0f},
        {5, 0.5f, 0.0f},  {5, 0.75f, 1.0f},      {6, 0.0f, 0.0f},        {6, 0.333f, 0.0f},     {6, 0.5f, 0.5f},
        {6, 0.9f, 1.0f},  {7, 0.0f, 0.0f},       {7, 0.25f, 0.0f},       {7, 0.4f, 0.333333f},  {7, 0.7f, 0.666666f},
        {7, 0.8f, 1.0f},
    };
    juce::SharedResourcePointer<zuWavetableHandler> handler;
    for (const auto& c : cases)
    {
        EXPECT_NEAR(zuWavetableHandler::waveValue(c.wave, c.x), c.expected, 1.0e-5f) << c.wave << " at " << c.x;
        EXPECT_NEAR(handler->getWavetableFunc(c.wave)(c.x), c.expected, 1.0e-5f) << c.wave << " at " << c.x;
    }
    // Both S-curve formulas meet at 0.5; the bell reaches exactly 1 through its clamp.
    EXPECT_EQ(zuWavetableHandler::waveValue(zuWavetableHandler::bell, 0.5f), 1.0f);
    EXPECT_NEAR(zuWavetableHandler::directValue(zuWavetableHandler::sCurve, 0.5f), 0.5f, 1.0e-6f);
}

TEST(WaveformTable, TheRenderedFormsDifferOnlyWhereIntended)
{
    // The square is high from 0.5 on when rendered, above 0.5 in the table.
    EXPECT_EQ(zuWavetableHandler::directValue(zuWavetableHandler::square, 0.5f), 1.0f);
    EXPECT_EQ(zuWavetableHandler::waveValue(zuWavetableHandler::square, 0.5f), 0.0f);
    for (int w = 0; w < zuWavetableHandler::numWaveforms; ++w)
        for (float x = 0.01f; x < 1.0f; x += 0.0731f)
        {
            if (w != zuWavetableHandler::square || x != 0.5f)
            {
                EXPECT_NEAR(zuWavetableHandler::directValue(w, x), zuWavetableHandler::waveValue(w, x), 2.0e-5f)
                    << w << " at " << x;
            }
        }
}

//==============================================================================
TEST(SyncedRates, EveryDivisionAt120Bpm)
{
    const float beatsPerCycle[] = {512, 256, 128, 64, 32, 16, 8, 4, 2, 1, 0.5f, 0.25f, 0.125f, 0.0625f};
    for (int d = 0; d < 14; ++d)
    {
        const float hz = 2.0f / beatsPerCycle[d]; // two beats per second
        EXPECT_NEAR(ZuKolt_ModEngineBase::getSyncedRateHz(d, 0, 120.0f), hz, hz * 1.0e-6f) << d;
        EXPECT_NEAR(ZuKolt_ModEngineBase::getSyncedRateHz(d, 1, 120.0f), hz * 1.5f, hz * 1.0e-5f) << d;
        EXPECT_NEAR(ZuKolt_ModEngineBase::getSyncedRateHz(d, 2, 120.0f), hz / 1.5f, hz * 1.0e-6f) << d;
        EXPECT_EQ(ZuKolt_ModEngineBase::getSyncedRateHz(d, 3, 120.0f),
                  ZuKolt_ModEngineBase::getSyncedRateHz(d, 0, 120.0f));
    }
    EXPECT_NEAR(ZuKolt_ModEngineBase::getSyncedRateHz(9, 1, 120.0f), 3.0f, 1.0e-5f);
    EXPECT_FLOAT_EQ(ZuKolt_ModEngineBase::getSyncedRateHz(7, 0, 120.0f), 0.5f);
    EXPECT_FLOAT_EQ(ZuKolt_ModEngineBase::getSyncedRateHz(13, 0, 120.0f), 32.0f);
    EXPECT_EQ(ZuKolt_ModEngineBase::getSyncedRateHz(14, 0, 77.0f), 1.0f);
    EXPECT_EQ(ZuKolt_ModEngineBase::getSyncedRateHz(-1, 0, 300.0f), 1.0f);
}

//==============================================================================
TEST(TempoPhasor, AdvancesBeforeItWrites)
{
    Phasor p;
    p.prepare(specAt(48000.0));
    p.setFrequency(1.0f); // glides from its default rate ...
    for (int i = 0; i < 14; ++i)
    {
        PhaseOut scratch(true);
        p.process(scratch.block, 0);
    }
    p.reset(); // ... and stands at 1 Hz from phase 0
    PhaseOut out(true);
    p.process(out.block, 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_NEAR(out.data[i], (float) (i + 1) / 48000.0f, 1.0e-7f) << i;
    EXPECT_NEAR(p.getCurPhasePos(), 32.0f / 48000.0f, 1.0e-7f);
}

TEST(TempoPhasor, OffsetIsAddedAfterTheWrap)
{
    Phasor p; // not prepared: 48 kHz and no glide
    p.setFrequency(0.2f * 48000.0f);
    p.setPos(0.9f);
    p.setPhaseOffset(0.25f);
    PhaseOut out(false);
    p.process(out.block, 1);
    EXPECT_NEAR(out.data[0], 0.35f, 1.0e-5f);
    EXPECT_NEAR(p.getCurPhasePos(), 0.1f, 1.0e-5f);
}

TEST(TempoPhasor, GlideTakesOneStepPerCall)
{
    Phasor p;
    p.setFrequency(1.0f); // before prepare: at once
    EXPECT_EQ(p.getCurrentFrequency(), 1.0f);
    p.prepare(specAt(48000.0));
    EXPECT_EQ(p.getGlideLength(), 14);
    p.setFrequency(15.0f);
    PhaseOut out(true);
    for (int call = 1; call <= 14; ++call)
    {
        // A call of no samples still advances the glide and leaves the phase.
        const float before = p.getCurPhasePos();
        p.process(out.block, call == 5 ? 0 : 32);
        if (call == 5)
        {
            EXPECT_EQ(p.getCurPhasePos(), before);
        }
        EXPECT_NEAR(p.getCurrentFrequency(), call < 14 ? 1.0f + (float) call : 15.0f, 1.0e-4f) << call;
    }
    // The same target, or its negative, starts no glide.
    p.setFrequency(-15.0f);
    p.process(out.block, 32);
    EXPECT_EQ(p.getCurrentFrequency(), 15.0f);

    Phasor at44;
    at44.prepare(specAt(44100.0));
    Phasor at96;
    at96.prepare(specAt(96000.0));
    EXPECT_EQ(at44.getGlideLength(), 13);
    EXPECT_EQ(at96.getGlideLength(), 28);
}

TEST(TempoPhasor, ClampsWhereValuesEnter)
{
    Phasor p;
    p.setBpm(5.0f);
    EXPECT_EQ(p.getBpm(), 10.0f);
    p.setPhaseOffset(1.5f);
    EXPECT_EQ(p.getPhaseOffset(), 0.9999f);
    p.setPhaseOffset(-0.2f);
    EXPECT_EQ(p.getPhaseOffset(), 0.0f);
    // Values that are not numbers are ignored.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    p.setFrequency(3.0f);
    p.setFrequency(nan);
    p.setFrequency(inf);
    p.setBpm(nan);
    p.setPhaseOffset(nan);
    p.setPos(inf);
    p.syncToHost(nan);
    EXPECT_EQ(p.getFrequency(), 3.0f);
    EXPECT_EQ(p.getBpm(), 10.0f);
    EXPECT_EQ(p.getPhaseOffset(), 0.0f);
    EXPECT_TRUE(std::isfinite(p.getCurPhasePos()));
}

TEST(TempoPhasor, HostSyncFollowsTheQuarterNotePosition)
{
    Phasor p;
    p.prepare(specAt(48000.0));
    p.setBpm(120.0f);
    p.setFrequency(0.5f);
    PhaseOut out(true);
    for (int i = 0; i < 15; ++i)
        p.process(out.block, 64);
    const float before = p.getCurPhasePos();
    p.syncToHost(3.0f); // not synced: nothing changes
    EXPECT_EQ(p.getCurPhasePos(), before);

    p.setSyncedState(1.0f);
    p.syncToHost(3.0f); // 0.5 Hz at 120 bpm: four beats a cycle
    EXPECT_NEAR(p.getCurPhasePos(), 0.75f, 1.0e-4f);
    p.syncToHost(-2.0f);
    const float negative = p.getCurPhasePos();
    p.syncToHost(2.0f);
    EXPECT_EQ(p.getCurPhasePos(), negative);
    EXPECT_NEAR(negative, 0.5f, 1.0e-4f);
}

TEST(TempoPhasor, OneShotStopsAtTheTop)
{
    for (const bool aligned : {true, false})
    {
        Phasor p;
        p.setFrequency(0.01f * 48000.0f);
        p.setOneshotState(true);
        p.setPos(0.99f);
        PhaseOut out(aligned);
        p.process(out.block, 64);
        for (int i = 0; i < 64; ++i)
            EXPECT_EQ(out.data[i], 0.9999f) << i << (aligned ? " aligned" : " unaligned");
        EXPECT_EQ(p.getCurPhasePos(), 0.9999f);
        p.setPos(0.2f);
        p.process(out.block, 1);
        EXPECT_NEAR(out.data[0], 0.21f, 1.0e-5f);
    }
}

TEST(TempoPhasor, AlignedAndUnalignedBlocksAgree)
{
    for (const int n : {3, 64, 61})
    {
        Phasor a;
        Phasor b;
        for (auto* p : {&a, &b})
        {
            p->setFrequency(7.3f * 48000.0f / 1000.0f);
            p->setPos(0.37f);
            p->setPhaseOffset(0.6f);
        }
        PhaseOut alignedOut(true);
        PhaseOut unalignedOut(false);
        a.process(alignedOut.block, n);
        b.process(unalignedOut.block, n);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(alignedOut.data[i], unalignedOut.data[i], 2.0e-6f) << n << " " << i;
        EXPECT_EQ(alignedOut.data[n], -1.0f) << "wrote past " << n;
        EXPECT_NEAR(a.getCurPhasePos(), b.getCurPhasePos(), 2.0e-6f);
    }
}

TEST(TempoPhasor, StereoFormShiftsOrCopiesTheSecondChannel)
{
    juce::AudioBuffer<float> buffer(2, 16);
    juce::dsp::AudioBlock<float> block(buffer);
    Phasor p;
    p.setFrequency(480.0f); // 0.01 per sample
    p.processStereo(block, 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(buffer.getSample(1, i), buffer.getSample(0, i));
    p.setWidth2(0.5f);
    p.processStereo(block, 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(buffer.getSample(1, i), buffer.getSample(0, i) + 0.5f, 1.0e-6f);
}

//==============================================================================
TEST(Slide, CoefficientsFollowTheTimeInSamples)
{
    zu::zudsp::ZuSlide<float> slide;
    slide.setSlideUp(1.0f); // before prepare: 1000 Hz
    EXPECT_FLOAT_EQ(slide.getRiseCoefficient(), 1.0f / 1000.0f);
    slide.prepare(specAt(48000.0));
    slide.setSlideUp(0.01f);
    EXPECT_FLOAT_EQ(slide.getRiseCoefficient(), 1.0f / 480.0f);
    slide.setSlideUp(0.0f);
    slide.setSlideDown(0.0001f);
    EXPECT_FLOAT_EQ(slide.getRiseCoefficient(), 0.1f);
    EXPECT_FLOAT_EQ(slide.getFallCoefficient(), 0.1f);
}

TEST(Slide, SlewsTowardsItsInputAndFlushesTinyStates)
{
    zu::zudsp::ZuSlide<float> slide;
    slide.setSlideUp(0.0f);
    juce::AudioBuffer<float> buffer(1, 3);
    juce::dsp::AudioBlock<float> block(buffer);
    block.fill(1.0f);
    slide.processBlock(block, 3);
    EXPECT_NEAR(buffer.getSample(0, 0), 0.1f, 1.0e-7f);
    EXPECT_NEAR(buffer.getSample(0, 1), 0.19f, 1.0e-7f);
    EXPECT_NEAR(buffer.getSample(0, 2), 0.271f, 1.0e-6f);

    // An input equal to the state leaves it unchanged.
    slide.setState(0.5f, 0);
    block.fill(0.5f);
    slide.processBlock(block, 3);
    EXPECT_EQ(buffer.getSample(0, 2), 0.5f);

    slide.setState(5.0e-9f, 0);
    slide.setState(-5.0e-9f, 1);
    slide.processBlock(block, 0);
    EXPECT_EQ(slide.getState(0), 0.0f);
    EXPECT_EQ(slide.getState(1), 0.0f);
}

TEST(DynSmoother, CoefficientAndStages)
{
    zu::zudsp::ZuDynSmoother<float> s;
    s.prepare(specAt(48000.0));
    const double t = std::tan((double) (juce::MathConstants<float>::pi * 2.0f * (1.0f / 48000.0f)));
    EXPECT_FLOAT_EQ(s.getCoefficient(), (float) (2.0 * t / (1.0 + t)));

    juce::AudioBuffer<float> a(1, 32);
    juce::AudioBuffer<float> b(1, 32);
    a.clear();
    b.clear();
    a.setSample(0, 0, 1.0f);
    b.setSample(0, 0, 1.0f);
    juce::dsp::AudioBlock<float> blockA(a);
    juce::dsp::AudioBlock<float> blockB(b);
    zu::zudsp::ZuDynSmoother<float> other;
    other.prepare(specAt(48000.0));
    other.setSens(3.0f); // no output depends on it
    s.process(blockA);
    other.process(blockB);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(a.getSample(0, i), b.getSample(0, i));

    // Between a quarter and a half of the sample rate each stage follows its input.
    s.setBaseFreqHz(18000.0f);
    EXPECT_GT(s.getCoefficient(), 1.0f);
    EXPECT_EQ(s.processSample(0.7f, 0), 0.7f);

    s.setState(0.3f, 0);
    s.fixHistDif();
    EXPECT_EQ(s.getFirstStage()[1], 0.3f);
    EXPECT_EQ(s.getSecondStage()[1], 0.3f);
}
