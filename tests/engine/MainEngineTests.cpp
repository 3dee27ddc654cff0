// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr double nanValue = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

NoteInfo longNote(int unit, int note, int startSample = 0)
{
    NoteInfo n;
    n.noteNumber = note;
    n.endSample = 100000;
    n.startSample = startSample;
    n.velocity = 0.8f;
    n.channel = 1;
    n.unitNumber = unit;
    return n;
}

// Starts two notes in the engine's note handler, as two pitch units would.
void soundTwoNotes(EnginePlayer& p)
{
    std::vector<NoteInfo> notes{longNote(1, 60), longNote(2, 64)};
    juce::MidiBuffer out;
    NoteHandler::Lanes lanes;
    NoteHandler::LaneTargets targets;
    p.engine.getNoteHandler().handleNoteOn(out, lanes, targets, notes, 512);
    ASSERT_FALSE(p.engine.getNoteHandler().isEmpty());
}

void expectTempo(const EnginePlayer& p, double bpm, double invBpm, double samplesPerBeat)
{
    EXPECT_DOUBLE_EQ(p.models.global.bpm.load(), bpm);
    EXPECT_DOUBLE_EQ(p.models.global.invBpm.load(), invBpm);
    EXPECT_DOUBLE_EQ(p.models.global.samplesPerBeat.load(), samplesPerBeat);
}
} // namespace

//==============================================================================
// Transport and tempo

TEST(MainEngineTempo, WritesTempoInverseTempoAndSamplesPerBeatOnAChange)
{
    EnginePlayer p(48000.0, 512);
    p.play(0.0, 512, 120.0);
    expectTempo(p, 120.0, 1.0 / 120.0, 24000.0);

    p.play(0.02, 512, 90.0);
    expectTempo(p, 90.0, 1.0 / 90.0, 32000.0);
    for (int k = 0; k < MainEngine::numRecorders; ++k)
        EXPECT_DOUBLE_EQ(p.engine.getRecorder(k).getTempoBpm(), 90.0) << "recorder " << k;
    EXPECT_TRUE(p.models.global.isPlaying.load());
    EXPECT_DOUBLE_EQ(p.models.global.ppq.load(), 0.02);
}

TEST(MainEngineTempo, PushesTheTempoOnlyWhenItChangesWhilePlaying)
{
    EnginePlayer p(48000.0, 512);
    p.play(0.0, 512, 120.0);
    // A mark that only a new push would overwrite.
    p.models.global.samplesPerBeat = -1.0;
    p.play(0.0213, 512, 120.0);
    p.play(0.0427, 512, 120.0);
    EXPECT_DOUBLE_EQ(p.models.global.samplesPerBeat.load(), -1.0);

    p.play(0.064, 512, 100.0);
    EXPECT_DOUBLE_EQ(p.models.global.samplesPerBeat.load(), 28800.0);
    for (int k = 0; k < MainEngine::numRecorders; ++k)
        EXPECT_DOUBLE_EQ(p.engine.getRecorder(k).getTempoBpm(), 100.0);
}

TEST(MainEngineTempo, AHostAtTheInitialTempoStillGetsItsDerivedValues)
{
    // The model starts at 60 bpm with no samples per beat: prepare and the start
    // of play push the derived values although the tempo never changes.
    EnginePlayer p(48000.0, 512);
    ASSERT_DOUBLE_EQ(p.models.global.bpm.load(), 60.0);
    expectTempo(p, 60.0, 1.0 / 60.0, 48000.0);

    p.models.global.samplesPerBeat = 0.0;
    p.play(0.0, 512, 60.0);
    expectTempo(p, 60.0, 1.0 / 60.0, 48000.0);
    for (int k = 0; k < MainEngine::numRecorders; ++k)
        EXPECT_DOUBLE_EQ(p.engine.getRecorder(k).getTempoBpm(), 60.0);
}

TEST(MainEngineTempo, FloorsSlowAndInvalidTempos)
{
    struct Case
    {
        const char* name;
        std::optional<double> hostBpm;
        double bpm, invBpm, samplesPerBeat;
    };
    const Case cases[] = {
        {"3 bpm", 3.0, 3.0, 0.1, 12.0 * 48000.0},
        {"7 bpm", 7.0, 7.0, 0.1, 60.0 * 48000.0 / 7.0},
        {"zero", 0.0, 5.0, 0.1, 12.0 * 48000.0},
        {"negative", -30.0, 5.0, 0.1, 12.0 * 48000.0},
        // Missing or not a number: the tempo stays at the previous block's 120.
        {"NaN", nanValue, 120.0, 1.0 / 120.0, 24000.0},
        {"infinite", inf, 120.0, 1.0 / 120.0, 24000.0},
        {"missing", std::nullopt, 120.0, 1.0 / 120.0, 24000.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnginePlayer p(48000.0, 512);
        p.play(0.0, 512, 120.0);
        HostTransport t;
        t.ppq = 0.0213;
        t.bpm = c.hostBpm;
        p.run(t, 512);
        expectTempo(p, c.bpm, c.invBpm, c.samplesPerBeat);
        EXPECT_TRUE(p.models.global.isPlaying.load());
        EXPECT_TRUE(std::isfinite(p.engine.getTickBlock().getSample(0, 511)));
    }
}

TEST(MainEngineTempo, InvalidSampleRatesTakeTheFloorAndNothingDividesByZero)
{
    for (const double rate : {nanValue, 0.0, -44100.0, inf})
    {
        SCOPED_TRACE(rate);
        EnginePlayer p(rate, 64);
        EXPECT_DOUBLE_EQ(p.models.global.sampleRate.load(), MainEngine::defaultSampleRate);
        p.playLooping(3.99, 0.0, 4.0, 64, 120.0);
        EXPECT_TRUE(p.models.global.isPlaying.load());
        EXPECT_DOUBLE_EQ(p.models.global.samplesPerBeat.load(), 500.0);
        EXPECT_TRUE(std::isfinite(p.engine.getTickBlock().getSample(0, 63)));
    }
}

TEST(MainEngineTempo, PrepareWritesSampleRateAndBlockSize)
{
    EnginePlayer p(44100.0, 256);
    EXPECT_DOUBLE_EQ(p.models.global.sampleRate.load(), 44100.0);
    EXPECT_EQ(p.models.global.maxBlockSize.load(), 256u);
}

TEST(MainEngineTempo, MasterClockGivesTicksWithinTheBar)
{
    // 120 bpm, 48 kHz: 24000 samples per quarter, 960 ticks per quarter.
    EnginePlayer p(48000.0, 512);
    p.play(2.5, 512, 120.0);
    const auto& ticks = p.engine.getTickBlock();
    EXPECT_NEAR(ticks.getSample(0, 0), 2.5 * 960.0 + 960.0 / 24000.0, 1e-3);
    EXPECT_NEAR(ticks.getSample(0, 511) - ticks.getSample(0, 0), 511.0 * 960.0 / 24000.0, 1e-3);
}

TEST(MainEngineTempo, AMissingPositionContinuesFromThePreviousBlock)
{
    EnginePlayer p(48000.0, 480);
    p.play(1.0, 480, 120.0);
    HostTransport t;
    t.ppq.reset();
    p.run(t, 480);
    EXPECT_TRUE(p.models.global.isPlaying.load());
    EXPECT_DOUBLE_EQ(p.models.global.ppq.load(), 1.02);
}

//==============================================================================
// Loops

TEST(MainEngineLoop, FindsTheWrapSampleNearTheLoopEndAndRestartsInTheNextBlock)
{
    struct Case
    {
        double ppq;
        bool nearEnd;
        int wrapSample;
    };
    // Loop 4..8 at 120 bpm, 48 kHz, 512-sample blocks: 1/24000 quarter per sample.
    const Case cases[] = {{7.99, true, 240}, {7.9375, true, -1}, {7.5, false, -1}, {6.0, false, -1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ppq);
        EnginePlayer p(48000.0, 512);
        // The chainer at one chain step per quarter note shows where the chain recounted.
        p.models.global.chrPwr = true;
        p.models.global.chrSpd = 6;
        p.models.global.chrSize = 16;

        p.playLooping(c.ppq, 4.0, 8.0, 512);
        EXPECT_EQ(p.engine.nearLoopEnd, c.nearEnd);
        EXPECT_EQ(p.engine.getLastWrapSample(), c.wrapSample);

        // A start this close to the loop end leaves the chain requests alone.
        if (c.nearEnd)
        {
            EXPECT_EQ(p.models.global.chrCurStep.load(), -1);
        }

        // Back at the loop start: the chainer and the units restart, the flag clears.
        p.playLooping(4.0113, 4.0, 8.0, 512);
        EXPECT_FALSE(p.engine.nearLoopEnd);
        EXPECT_EQ(p.engine.getLastWrapSample(), -1);
        if (c.nearEnd)
        {
            EXPECT_EQ(p.models.global.chrCurStep.load(), 4);
        }
    }
}

TEST(MainEngineLoop, ARestartRecountsTheChainFromTheHostPosition)
{
    EnginePlayer p(48000.0, 512);
    p.models.global.chrPwr = true;
    p.models.global.chrSpd = 6;
    p.models.global.chrSize = 16;
    // Chain step 6 inside the loop; near the loop end the chain keeps its count ...
    p.playLooping(6.5, 4.0, 8.0, 512);
    EXPECT_EQ(p.models.global.chrCurStep.load(), 6);
    p.playLooping(7.99, 4.0, 8.0, 512);
    EXPECT_EQ(p.models.global.chrCurStep.load(), 6);
    // ... and the restart at the loop start recounts from the host position.
    p.playLooping(4.0113, 4.0, 8.0, 512);
    EXPECT_EQ(p.models.global.chrCurStep.load(), 4);
}

TEST(MainEngineLoop, ABackwardJumpWhileNearTheEndRestarts)
{
    EnginePlayer p(48000.0, 512);
    p.playLooping(7.9375, 4.0, 8.0, 512);
    ASSERT_TRUE(p.engine.nearLoopEnd);
    p.playLooping(7.0, 4.0, 8.0, 512);
    EXPECT_FALSE(p.engine.nearLoopEnd);
}

TEST(MainEngineLoop, NearEndStaysSetUntilTheRestart)
{
    EnginePlayer p(48000.0, 512);
    p.playLooping(7.9375, 4.0, 8.0, 512);
    p.playLooping(7.9588, 4.0, 8.0, 512);
    EXPECT_TRUE(p.engine.nearLoopEnd);
    p.playLooping(7.9801, 4.0, 8.0, 512);
    EXPECT_TRUE(p.engine.nearLoopEnd);
    EXPECT_EQ(p.engine.getLastWrapSample(), 477);
}

TEST(MainEngineLoop, LeavingTheLoopClearsTheNearEndFlag)
{
    struct Case
    {
        const char* name;
        HostTransport next;
    };
    HostTransport loopOff;
    loopOff.ppq = 8.0113;
    HostTransport outside;
    outside.ppq = 20.0;
    outside.looping = true;
    outside.loopStart = 4.0;
    outside.loopEnd = 8.0;
    HostTransport noPoints;
    noPoints.ppq = 8.0113;
    noPoints.looping = true;
    HostTransport nanPoints = outside;
    nanPoints.ppq = 6.0;
    nanPoints.loopEnd = nanValue;
    const Case cases[] = {{"loop switched off", loopOff},
                          {"jump out of the loop", outside},
                          {"loop without points", noPoints},
                          {"loop end not a number", nanPoints}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnginePlayer p(48000.0, 512);
        p.playLooping(7.9375, 4.0, 8.0, 512);
        ASSERT_TRUE(p.engine.nearLoopEnd);
        p.run(c.next, 512);
        EXPECT_FALSE(p.engine.nearLoopEnd);
        EXPECT_EQ(p.engine.getLastWrapSample(), -1);
    }
}

TEST(MainEngineLoop, TheStartOfPlayClearsTheNearEndFlag)
{
    EnginePlayer p(48000.0, 512);
    p.playLooping(7.9375, 4.0, 8.0, 512);
    ASSERT_TRUE(p.engine.nearLoopEnd);
    p.stop(512);
    // A new loop far from its end, later than the old position and away from its start.
    p.playLooping(10.0, 0.0, 32.0, 512);
    EXPECT_FALSE(p.engine.nearLoopEnd);
}

//==============================================================================
// Stopped path

TEST(MainEngineStop, TheFirstStoppedBlockEndsEverySoundingNoteAndDisarmsTheRecorders)
{
    struct Case
    {
        const char* name;
        HostTransport stop;
    };
    HostTransport notPlaying;
    notPlaying.playing = false;
    HostTransport noPosition;
    noPosition.present = false;
    HostTransport preRoll;
    preRoll.ppq = -0.5;
    const Case cases[] = {{"not playing", notPlaying}, {"no position", noPosition}, {"pre-roll", preRoll}};

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnginePlayer p(48000.0, 512);
        for (auto& armed : p.models.global.recArmed)
            armed = true;
        p.play(0.0, 512);
        for (size_t k = 0; k < 5; ++k)
            ASSERT_TRUE(p.models.global.recRunning[k].load());
        p.models.global.recStateChanged = false;
        soundTwoNotes(p);

        const auto events = notesOf(p.run(c.stop, 300));
        const std::vector<MidiEvent> expected{{299, false, 1, 60}, {299, false, 1, 64}};
        EXPECT_EQ(events, expected);
        EXPECT_TRUE(p.engine.getNoteHandler().isEmpty());
        EXPECT_FALSE(p.models.global.isPlaying.load());
        for (size_t k = 0; k < 5; ++k)
        {
            EXPECT_FALSE(p.models.global.recArmed[k].load()) << k;
            EXPECT_FALSE(p.models.global.recRunning[k].load()) << k;
        }
        EXPECT_TRUE(p.models.global.recStateChanged.load());

        // Later stopped blocks send nothing more and leave the flags alone.
        p.models.global.recStateChanged = false;
        p.models.global.recArmed[2] = true;
        EXPECT_TRUE(p.run(c.stop, 300).isEmpty());
        EXPECT_TRUE(p.models.global.recArmed[2].load());
        EXPECT_FALSE(p.models.global.recStateChanged.load());
    }
}

TEST(MainEngineStop, APreRollIsStoppedAndPlayStartsAtPositionZero)
{
    EnginePlayer p(48000.0, 512);
    p.play(-0.5, 512);
    EXPECT_FALSE(p.models.global.isPlaying.load());
    EXPECT_TRUE(p.engine.needsStartReset);
    EXPECT_FALSE(p.models.global.recRunning[0].load());

    p.play(0.0, 512);
    EXPECT_TRUE(p.models.global.isPlaying.load());
    EXPECT_FALSE(p.engine.needsStartReset);
    // The start of play ran: every recorder lane is running.
    for (size_t k = 0; k < 5; ++k)
        EXPECT_TRUE(p.models.global.recRunning[k].load());
}

TEST(MainEngineStop, TheStartOfPlayForgetsNotesWithoutNoteOffs)
{
    EnginePlayer p(48000.0, 512);
    soundTwoNotes(p);
    EXPECT_TRUE(p.play(0.0, 512).isEmpty());
    EXPECT_TRUE(p.engine.getNoteHandler().isEmpty());
}

TEST(MainEngineStop, NothingPlaysBeforeTheEngineIsPrepared)
{
    EngineModels m;
    MainEngine engine(m.global, m.pitch, m.param, m.cc, m.octTp, m.rack, m.lfo, m.macros, m.scale, m.chord);
    juce::MidiBuffer in, out;
    MainEngine::InputNotes notes;
    HostTransport t;
    auto position = t.toPosition();
    engine.processBlock(in, out, notes, position, 512);
    EXPECT_FALSE(m.global.isPlaying.load());
}

TEST(MainEngineStop, ABlockLargerThanPreparedPlaysOnlyThePreparedPart)
{
    EnginePlayer p(48000.0, 64);
    p.play(0.0, 512);
    EXPECT_TRUE(p.models.global.isPlaying.load());
    EXPECT_EQ(p.engine.getTickBlock().getNumSamples(), 64u);
}

//==============================================================================
// Start on the beat

TEST(MainEngineStartOnBeat, WaitsUntilABlockBeginsJustAfterABeat)
{
    EnginePlayer p(48000.0, 512);
    p.engine.startOnBeat = true;
    const double perBlock = 512.0 / 24000.0;
    double ppq = 3.5;
    int blocks = 0;
    while (true)
    {
        p.play(ppq, 512);
        if (p.models.global.isPlaying.load())
            break;
        EXPECT_TRUE(p.engine.needsStartReset);
        ppq += perBlock;
        ASSERT_LT(++blocks, 100);
    }
    // The block that reaches beat 4 from before it still waits; the first
    // one that begins after it plays.
    EXPECT_GE(ppq, 4.0);
    EXPECT_LT(ppq - 4.0, 0.09);
    EXPECT_TRUE(p.engine.startedOnBeat);
    EXPECT_FALSE(p.engine.needsStartReset);

    // Once started, later blocks are not tested again.
    p.play(4.3, 512);
    EXPECT_TRUE(p.models.global.isPlaying.load());
}

TEST(MainEngineStartOnBeat, BlocksLongerThanTheWindowStartOnTheBlockThatReachesABeat)
{
    // A quarter of a beat per block from 3.1 never begins within 0.09 of a beat.
    EnginePlayer p(48000.0, 6000);
    p.engine.startOnBeat = true;
    double ppq = 3.1;
    int blocks = 0;
    while (true)
    {
        p.play(ppq, 6000);
        if (p.models.global.isPlaying.load())
            break;
        ppq += 0.25;
        ASSERT_LT(++blocks, 100);
    }
    EXPECT_NEAR(ppq, 3.85, 1e-9);
}

TEST(MainEngineStartOnBeat, StartsAtOnceJustAfterABeatAndNotOtherwise)
{
    struct Case
    {
        double ppq;
        bool plays;
    };
    const Case cases[] = {{4.02, true}, {4.0, true}, {4.089, true}, {4.1, false}, {3.5, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ppq);
        EnginePlayer p(48000.0, 512);
        p.engine.startOnBeat = true;
        p.play(c.ppq, 512);
        EXPECT_EQ(p.models.global.isPlaying.load(), c.plays);
    }
}

TEST(MainEngineStartOnBeat, QuarterBeatBlocksDoNotStallTheWait)
{
    // 6000 samples are a quarter beat at 120 bpm and 48 kHz: blocks starting at
    // 3.1, 3.35, 3.6, 3.85, 4.1 ... never begin just after a beat.
    EnginePlayer p(48000.0, 6000);
    p.engine.startOnBeat = true;
    const double starts[] = {3.1, 3.35, 3.6};
    for (const double ppq : starts)
    {
        p.play(ppq, 6000);
        EXPECT_FALSE(p.models.global.isPlaying.load()) << ppq;
    }
    p.play(3.85, 6000);
    EXPECT_TRUE(p.models.global.isPlaying.load());
}

TEST(MainEngineStartOnBeat, WithoutTheFlagPlayStartsAnywhere)
{
    EnginePlayer p(48000.0, 512);
    p.play(3.5, 512);
    EXPECT_TRUE(p.models.global.isPlaying.load());
}

//==============================================================================
// Global octave and transpose

TEST(MainEngineOctTp, TheLastKeyPressOfTheBlockTransposes)
{
    struct Case
    {
        const char* name;
        bool keyboardTranspose;
        std::vector<std::tuple<int, int, int, int>> records;
        int transpose;
    };
    const Case cases[] = {
        {"last of two presses", true, {{55, 1, 10, 0}, {62, 1, 20, 0}}, 2},
        {"lowest key", true, {{48, 1, 0, 0}}, -12},
        {"highest key", true, {{72, 1, 0, 0}}, 12},
        {"other kinds ignored", true, {{55, 1, 10, 0}, {70, 1, 20, 1}}, -5},
        {"no press keeps the parameter", true, {}, 3},
        {"keyboard transpose off", false, {{62, 1, 0, 0}}, 3},
        {"out-of-range press is limited", true, {{127, 1, 0, 0}}, 12},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnginePlayer p(48000.0, 512);
        p.models.global.setParamVal("p0_miditp", c.keyboardTranspose ? 1.0f : 0.0f);
        p.models.global.setMidiTpNote(48);
        p.models.global.setParamVal("p0_gtp", 3.0f);
        p.inputNotes = c.records;
        p.play(0.0, 512);
        EXPECT_EQ(p.engine.getGlobalOctTp().y, c.transpose);
        EXPECT_EQ(p.models.global.gtp.value.load(), 3) << "the parameter itself is not changed";
    }
}

TEST(MainEngineOctTp, OctaveModulatedByAMacroIsClamped)
{
    // Octave 1 with macro 1 (source 9) at depth 1 reading 0.6: 12 + 12 x round(2.4) = 36 -> 24.
    EnginePlayer p(48000.0, 512);
    p.models.global.setParamVal("p0_goct", 1.0f);
    p.models.global.setParamVal("p0_goct_modsrc1", 9.0f);
    p.models.global.setParamVal("p0_goct_moddep1", 1.0f);
    p.models.macros.macroValues[0] = 0.6f;
    p.play(0.0, 512);
    EXPECT_EQ(p.engine.getGlobalOctTp().x, 24);
    EXPECT_EQ(p.engine.getGlobalOctTp().y, 0);
}

TEST(MainEngineOctTp, ModulationRoundsHalfAwayFromZeroAndClamps)
{
    struct Case
    {
        const char* name;
        bool octave; // else transpose
        int value;
        float channelValue;
        int expected;
    };
    // Depth 1 shapes to 1: the channel value is the modulation sum.
    const Case cases[] = {
        {"transpose 5 moved by -6", false, 5, -0.25f, -1},
        {"transpose 4.5 semitones round away", false, 0, 0.1875f, 5},
        {"transpose -4.5 semitones round away", false, 0, -0.1875f, -5},
        {"transpose 4.32 semitones round down", false, 0, 0.18f, 4},
        {"transpose clamps high", false, 10, 0.5f, 12},
        {"transpose clamps low", false, -10, -0.5f, -12},
        {"octave +0.5 octave rounds away", true, 0, 0.125f, 12},
        {"octave -0.5 octave rounds away", true, 0, -0.125f, -12},
        {"octave full swing clamps", true, -2, -1.0f, -24},
        {"octave channel not a number reads 0", true, 1, std::numeric_limits<float>::quiet_NaN(), 12},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EnginePlayer p(48000.0, 128);
        std::vector<float> samples(16 * 128, 0.0f);
        std::vector<float*> channels;
        for (int ch = 0; ch < 16; ++ch)
            channels.push_back(samples.data() + ch * 128);
        juce::dsp::AudioBlock<float> block(channels.data(), 16, 128);
        // Source 3 reads channel 2 at sample 65; other samples must not matter.
        block.getSingleChannelBlock(2).fill(0.9f);
        block.setSample(2, 65, c.channelValue);

        ZuDataModelBase::MyParam<int> param{c.value};
        param.modSource[0] = 3;
        param.modDepth[0] = 1.0f;
        param.updateModActive();
        ZuDataModelBase::MyParam<int> idle{0};

        OctTpShift point{c.octave ? c.value * 12 : 0, c.octave ? 0 : c.value};
        if (c.octave)
            p.engine.handleParamModGlbOctTp(block, point, param, idle, 128);
        else
            p.engine.handleParamModGlbOctTp(block, point, idle, param, 128);
        EXPECT_EQ(c.octave ? point.x : point.y, c.expected);
    }
}

TEST(MainEngineOctTp, WithoutModulationTheValueIsNotClampedHere)
{
    EnginePlayer p(48000.0, 64);
    std::vector<float> samples(16 * 64, 0.0f);
    std::vector<float*> channels;
    for (int ch = 0; ch < 16; ++ch)
        channels.push_back(samples.data() + ch * 64);
    juce::dsp::AudioBlock<float> block(channels.data(), 16, 64);
    ZuDataModelBase::MyParam<int> idle{0};
    OctTpShift point{36, -20};
    p.engine.handleParamModGlbOctTp(block, point, idle, idle, 64);
    EXPECT_EQ(point, (OctTpShift{36, -20}));
}

TEST(MainEngineOctTp, ShortBlocksReadTheLastSampleAndNoLengthReadsTheMaximum)
{
    EnginePlayer p(48000.0, 64);
    std::vector<float> samples(16 * 64, 0.0f);
    std::vector<float*> channels;
    for (int ch = 0; ch < 16; ++ch)
        channels.push_back(samples.data() + ch * 64);
    juce::dsp::AudioBlock<float> block(channels.data(), 16, 64);
    block.setSample(0, 31, 0.25f);
    block.setSample(0, 10, 0.5f);
    ZuDataModelBase::MyParam<int> transpose{0};
    transpose.modSource[0] = 1;
    transpose.modDepth[0] = 1.0f;
    transpose.updateModActive();
    ZuDataModelBase::MyParam<int> idle{0};

    OctTpShift point;
    p.engine.handleParamModGlbOctTp(block, point, idle, transpose, 32);
    EXPECT_EQ(point.y, 6);

    point = {};
    p.engine.handleParamModGlbOctTp(block, point, idle, transpose, 0);
    EXPECT_EQ(point.y, 12);
}

//==============================================================================
// Flags, resync and recorder targets

TEST(MainEngineFlags, APlayingBlockConsumesTheOneShots)
{
    EnginePlayer p(48000.0, 512);
    p.models.global.forceResync = true;
    p.models.global.setParamVal("p0_clk_reset", 1.0f);
    p.models.global.setParamVal("p0_clk_resync", 1.0f);
    p.stop(512);
    EXPECT_TRUE(p.models.global.forceResync.load()) << "stopped blocks leave them";
    EXPECT_TRUE(p.models.global.clkReset.load());

    p.play(0.0, 512);
    EXPECT_FALSE(p.models.global.forceResync.load());
    EXPECT_FALSE(p.models.global.clkReset.load());
    EXPECT_FALSE(p.models.global.clkResync.load());
    EXPECT_EQ(p.engine.getUnitHandler().getClockResetResync(), std::make_pair(true, true));
}

TEST(MainEngineFlags, RecorderLaneTargetsFollowTheTrackTargetsWhileRecording)
{
    EnginePlayer p(48000.0, 512);
    p.models.global.setParamVal("p0_rectrk1tarunit1", 0.0f);
    p.models.global.setParamVal("p0_rectrk1tarunit3", 1.0f);
    p.models.global.setParamVal("p0_rectrk1tarunit4", 1.0f);
    p.models.global.setParamVal("p0_rectrk3tarunit7", 1.0f);
    p.models.global.setParamVal("p0_rectrk2tarunit10", 1.0f);
    p.models.global.recArmed[0] = true;
    p.play(0.0, 512);

    const auto& pitchTargets = p.engine.getRecorderLaneTargets();
    EXPECT_EQ(pitchTargets[0], (std::vector<int>{2, 3}));
    EXPECT_EQ(pitchTargets[1], (std::vector<int>{1}));
    EXPECT_EQ(pitchTargets[2], (std::vector<int>{2}));
    EXPECT_EQ(pitchTargets[3], (std::vector<int>{3}));

    const auto& ccTargets = p.engine.getUnitHandler().getCcLaneTargets();
    EXPECT_EQ(ccTargets[0], (std::vector<int>{}));
    EXPECT_EQ(ccTargets[1], (std::vector<int>{9}));
    EXPECT_EQ(ccTargets[2], (std::vector<int>{6}));
    EXPECT_EQ(ccTargets[3], (std::vector<int>{}));
}
