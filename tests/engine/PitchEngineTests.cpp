// SPDX-License-Identifier: GPL-3.0-or-later
// The pitch sequencer engine: from step values to note records.
#include "PtchSEQ_Engine.h"
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <set>

using namespace enginetest;

namespace
{
constexpr int macroSource = 9; // channel 8: the unit's own slots never overwrite it

class TestPitchEngine : public PtchSEQ_Engine
{
public:
    explicit TestPitchEngine(EngineModels& m, int index = 0)
        : PtchSEQ_Engine(m.global, m.pitch, m.scale, m.chord, m.lfo, *m.scurve, *m.dispShare, 0, index, index)
    {
    }

    using SeqEngineBase::random;
    using SeqEngineBase::restartPending;

    // The pitch engine clears its humanise setting every block; a test sets
    // it again before the step's values are shaped.
    float humanise = 0.0f;
    void handleParamModOctTpStepPrms(ModBlock& modBlock, int& unitOctave, MyParam<int> goct, int& transpose,
                                     MyParam<int> tp, int& pitch, MyParam<int> pch, int& stepOctave, MyParam<int> oct,
                                     float& velocity, MyParam<float> vel, float& gate, MyParam<float> gateParam,
                                     float& probability, MyParam<float> prob, bool& slur, MyParam<int> slr, int step,
                                     int samplePos, int numSamples) override
    {
        humanizeFlag = humanise > 0.0f;
        humanizeAmount = humanise;
        PtchSEQ_Engine::handleParamModOctTpStepPrms(modBlock, unitOctave, goct, transpose, tp, pitch, pch, stepOctave,
                                                    oct, velocity, vel, gate, gateParam, probability, prob, slur, slr,
                                                    step, samplePos, numSamples);
    }
};

// A note record with its position counted from the start of play.
struct Played
{
    int64_t sample = 0;
    NoteInfo info;
};

struct PitchRig
{
    static constexpr juce::int64 seed = 12345;

    EngineModels m;
    TestPitchEngine engine{m};
    ModBuffer mod{4096};
    SwingHandler swing;
    Transport transport;
    std::vector<NoteInfo> infos;
    std::array<bool, 5> unitOn{};
    PrmSqTargetEvents targetEvents;
    // This unit's (pitch unit 1) list and chainer request.
    std::vector<PrmSqTargetEntry>& events = targetEvents[0];
    UnitBlockContext::SnapshotRequests requests{};
    OctTpShift octTp;
    std::pair<bool, bool> resetResync{false, false};
    bool midiMute = false;
    int request = -1;
    juce::MidiBuffer input, output;
    UnitBlockContext::Lanes lanes;

    PitchRig()
    {
        infos.reserve(64);
        m.global.gch = 1;
        engine.prepare(specFor(48000.0, 512));
        engine.seedRandom(seed);
    }

    auto& unit() { return m.unit(0); }
    auto& snap(int s = 0) { return m.snap(s); }

    // Writes the same value into every step of snapshot 0.
    template <typename F> void forEachStep(F&& f)
    {
        for (auto& step : snap().steps)
            f(step);
    }

    std::vector<Played> play(int numBlocks, int blockSize = 512)
    {
        std::vector<Played> played;
        for (int b = 0; b < numBlocks; ++b)
        {
            infos.clear();
            unitOn.fill(false);
            auto block = mod.block(blockSize);
            requests.fill(-1);
            requests[(size_t) zu::units::requestIndexOf(1)] = request;
            UnitBlockContext context{input,    output, false,        lanes,    swing,    infos,
                                     unitOn,   block,  targetEvents, requests, octTp,    transport.ppq(),
                                     midiMute, true,   false,        -1,       blockSize};
            context.clockResetResync = resetResync;
            engine.processBlock(context);
            for (const auto& n : infos)
                played.push_back({transport.sample + n.startSample, n});
            transport.sample += blockSize;
        }
        return played;
    }

    // The notes of the first step.
    std::vector<NoteInfo> firstStep()
    {
        std::vector<NoteInfo> notes;
        for (const auto& p : play(1))
            notes.push_back(p.info);
        return notes;
    }

    std::vector<int> firstStepNoteNumbers()
    {
        std::vector<int> numbers;
        for (const auto& n : firstStep())
            numbers.push_back(n.noteNumber);
        return numbers;
    }

    int display() const { return m.global.curSteps[0]; }
};

// Where step k of a sixteenth-note unit starts at 120 bpm and 48 kHz.
int64_t stepStart(int64_t k)
{
    const int64_t s = (int64_t) std::ceil((double) (k % 16) * 96000.0 / 15.995) - 1;
    return (k / 16) * 96000 + std::max<int64_t>(s, 0);
}

using Notes = std::vector<int>;
} // namespace

//==============================================================================
// Timing and the default step

TEST(PitchEngine, ADefaultUnitPlaysNote48AtEveryStepForHalfAStep)
{
    PitchRig r;
    const auto played = r.play(300); // 153600 samples: steps 0..24
    ASSERT_EQ(played.size(), 26u);
    for (size_t k = 0; k < played.size(); ++k)
    {
        SCOPED_TRACE(k);
        const auto& n = played[k].info;
        EXPECT_EQ(played[k].sample, stepStart((int64_t) k));
        EXPECT_EQ(n.noteNumber, 48);
        EXPECT_FLOAT_EQ(n.velocity, 100.0f * PtchSEQ_Engine::velocityScale);
        EXPECT_EQ(n.endSample - n.startSample, 3000);
        EXPECT_FALSE(n.slur);
        EXPECT_EQ(n.channel, 1);
        EXPECT_EQ(n.unitNumber, 1);
        EXPECT_FALSE(n.endPending);
        EXPECT_EQ(n.pendingEndSample, 0);
        EXPECT_FALSE(n.merged);
    }
    EXPECT_TRUE(r.unitOn[1]);
}

TEST(PitchEngine, TheWorkedExampleGivesNote52EndingAfter3000Samples)
{
    PitchRig r;
    r.forEachStep([](auto& s) { s.pch.value = 4; });
    const auto played = r.play(20);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[1].info.noteNumber, 52);
    EXPECT_EQ(played[1].info.endSample, played[1].info.startSample + 3000);
}

//==============================================================================
// Pitch arithmetic

TEST(PitchEngine, AbsoluteAndRelativeModesPlaceTheNote)
{
    struct Case
    {
        const char* what;
        bool relative;
        int pch, relpch, oct, goct, tp, relbn;
        Notes expected;
    };
    const Case cases[] = {
        {"pitch plus octaves", false, 4, 0, 2, 0, 0, 49, {52}},
        {"top of every range", false, 12, 0, 4, 3, 12, 49, {127}},
        {"octave and transpose", false, 7, 0, 3, -1, 5, 49, {60}},
        {"below the bottom is dropped", false, 0, 0, 0, -3, -12, 49, {}},
        {"relative sum limited to 0", true, 0, -12, 2, 0, 0, 1, {0}},
        {"relative with octaves", true, 0, 7, 3, 1, -2, 61, {89}},
        {"relative ignores the step pitch", true, 11, 0, 2, 0, 0, 49, {48}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PitchRig r;
        r.m.scale.scalePower = false; // plain transposition
        r.snap().relmode = c.relative;
        r.snap().goct.value = c.goct;
        r.snap().tp.value = c.tp;
        r.snap().relbn.value = c.relbn;
        r.forEachStep(
            [&](auto& s)
            {
                s.pch.value = c.pch;
                s.relpch.value = c.relpch;
                s.oct.value = c.oct;
            });
        EXPECT_EQ(r.firstStepNoteNumbers(), c.expected);
    }
}

TEST(PitchEngine, TheGlobalOctaveAndTransposeReachOnlyTargetUnits)
{
    for (const bool target : {true, false})
    {
        PitchRig r;
        r.m.global.goctTpTar[0] = target;
        r.octTp = {12, 2};
        EXPECT_EQ(r.firstStepNoteNumbers(), (Notes{target ? 62 : 48}));
    }
}

namespace
{
using Keys = std::array<bool, 12>;
const Keys cMajor{true, false, true, false, true, true, false, true, false, true, false, true};
const Keys allKeys{true, true, true, true, true, true, true, true, true, true, true, true};
const Keys cAndE{true, false, false, false, true, false, false, false, false, false, false, false};
const Keys onlyB{false, false, false, false, false, false, false, false, false, false, false, true};

struct ScaleCase
{
    const char* what;
    Keys keys;
    int root;
    bool rootShift;
    int order;
    int note;
    int transpose;
    int expected; // -1: dropped
};
} // namespace

TEST(PitchEngine, ScaleQuantisationFollowsTheTableRootShiftAndOrder)
{
    const ScaleCase cases[] = {
        {"C# goes up to D", cMajor, 0, false, 0, 61, 0, 62},
        {"A# goes up to B", cMajor, 0, false, 0, 70, 0, 71},
        {"a key that is on stays", cMajor, 0, false, 0, 67, 0, 67},
        {"D goes up to E before down to C", cAndE, 0, false, 0, 62, 0, 64},
        {"C goes to the B below", onlyB, 0, false, 0, 60, 0, 59},
        {"note 0 has no B below: dropped", onlyB, 0, false, 0, 0, 0, -1},
        {"root shift moves every note up by the root", allKeys, 2, true, 0, 60, 0, 62},
        {"root shift keeps the top at 127", allKeys, 2, true, 0, 127, 0, 127},
        {"root D lays the scale from D: C goes to C#", cMajor, 2, false, 0, 60, 0, 61},
        {"root D: notes below the root go to the root", cMajor, 2, false, 0, 1, 0, 2},
        {"a note transposed below 0 goes to the root", allKeys, 0, false, 0, 0, -12, 0},
        {"transpose first, then quantise", cMajor, 0, false, 0, 60, 1, 62},
        {"quantise first, then transpose", cMajor, 0, false, 1, 60, 1, 61},
        {"transpose after a note at the top stays at 127", cMajor, 0, false, 1, 127, 5, 127},
        {"transpose after is kept at 0", allKeys, 0, false, 1, 3, -12, 0},
        {"transpose first below 0, root shift: the octave below", cMajor, 2, true, 0, 3, -5, 1},
        {"transpose first below 0, root shift, nothing left: dropped", cMajor, 0, true, 0, 3, -5, -1},
        {"transpose first far below 0, root shift: dropped", onlyB, 0, true, 0, 0, -100, -1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EngineModels m;
        TestPitchEngine engine(m);
        m.scale.scaleRoot = c.root;
        m.scale.rootShift = c.rootShift;
        m.scale.scaleOrder = c.order;
        m.scale.publishTable(ScaleData::buildScaleTable(c.keys));
        engine.updateScaleTableType1();
        int note = c.note;
        engine.processScaleType1(note, c.transpose);
        EXPECT_EQ(note, c.expected);
    }
}

TEST(PitchEngine, TheScaleShapesTheNotesOfScaleTargetsOnly)
{
    // Step pitch 1 (49) with transpose 2 before quantising: D# (51) goes up to E (52) in C major.
    for (const bool power : {true, false})
        for (const bool target : {true, false})
        {
            PitchRig r;
            r.m.scale.scalePower = power;
            r.m.scale.scaleTargets[0] = target;
            r.m.scale.publishTable(ScaleData::buildScaleTable(cMajor));
            r.engine.updateScaleTableType1();
            r.forEachStep([](auto& s) { s.pch.value = 1; });
            r.snap().tp.value = 2;
            EXPECT_EQ(r.firstStepNoteNumbers(), (Notes{power && target ? 52 : 51})) << power << target;
        }
}

TEST(PitchEngine, ChordNotesTheScaleMovesOntoOneNoteGiveOneRecord)
{
    // A custom chord C# D E (stored as note + 1) in C major: C# and D both go to D.
    PitchRig r;
    r.m.chord.chordPower = true;
    r.m.chord.chordTargets[0] = true;
    auto& slot = r.m.chord.chordSlots[0];
    slot.custom = true;
    const int stored[] = {62, 63, 65, 0, 0};
    for (size_t k = 0; k < 5; ++k)
        slot.customNotes[k] = stored[k];
    r.m.scale.publishTable(ScaleData::buildScaleTable(cMajor));
    r.engine.updateScaleTableType1();
    EXPECT_EQ(r.firstStepNoteNumbers(), (Notes{62, 64}));
}

//==============================================================================
// Chords

TEST(PitchEngine, ChordProcessBuildsTheSlotOfThePitchClass)
{
    struct Case
    {
        const char* what;
        int root, type, chordRoot, inversion;
        Notes expected;
    };
    const Case cases[] = {
        {"min7, first inversion", 52, 6, 4, 1, {64, 55, 59, 62}},
        {"Maj, second inversion", 60, 0, 0, 2, {72, 76, 67}},
        {"Maj has no third inversion", 60, 0, 0, 3, {60, 64, 67}},
        {"Maj7, third inversion", 60, 2, 0, 3, {72, 76, 79, 71}},
        {"no inversion", 60, 0, 0, 4, {60, 64, 67}},
        {"chord root above the note's octave", 61, 13, 3, 0, {63, 68, 70}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EngineModels m;
        TestPitchEngine engine(m);
        auto& slot = m.chord.chordSlots[(size_t) (c.root % 12)];
        slot.chordType = c.type;
        slot.chordRoot = c.chordRoot;
        slot.inversion = c.inversion;
        PtchSEQ_Engine::NoteList list;
        list.add(c.root);
        engine.chordProcess(list, 0, 0);
        EXPECT_EQ(Notes(list.begin(), list.end()), c.expected);
    }
}

TEST(PitchEngine, CustomChordsPlayTheirNotesMovedByTheOctaves)
{
    EngineModels m;
    TestPitchEngine engine(m);
    auto& slot = m.chord.chordSlots[0];
    slot.custom = true;
    // Stored values are note + 1; 0 and below are off.
    const int stored[] = {61, 0, 65, -1, 68};
    for (size_t k = 0; k < 5; ++k)
        slot.customNotes[k] = stored[k];

    struct Case
    {
        int stepOctave, unitOctave;
        Notes expected;
    };
    for (const auto& c : {Case{0, 0, {60, 64, 67}}, Case{12, 0, {72, 76, 79}}, Case{-24, 12, {48, 52, 55}}})
    {
        PtchSEQ_Engine::NoteList list;
        list.add(36);
        engine.chordProcess(list, c.stepOctave, c.unitOctave);
        EXPECT_EQ(Notes(list.begin(), list.end()), c.expected);
    }

    for (auto& n : slot.customNotes)
        n = 0;
    PtchSEQ_Engine::NoteList list;
    list.add(36);
    engine.chordProcess(list, 0, 0);
    EXPECT_TRUE(list.isEmpty()) << "a custom slot with every note off plays nothing";
}

TEST(PitchEngine, AChordTypeOutsideTheTablePlaysTheNoteAlone)
{
    EngineModels m;
    TestPitchEngine engine(m);
    for (const int type : {-1, 20, 1000})
    {
        m.chord.chordSlots[0].chordType = type;
        PtchSEQ_Engine::NoteList list;
        list.add(48);
        engine.chordProcess(list, 0, 0);
        EXPECT_EQ(Notes(list.begin(), list.end()), (Notes{48})) << type;
    }
}

TEST(PitchEngine, ChordStepsEmitTheChordSortedOnlyForTargetUnitsInAbsoluteMode)
{
    struct Case
    {
        const char* what;
        bool power, target, relative;
        Notes expected;
    };
    const Case cases[] = {
        {"chord on", true, true, false, {55, 59, 62, 64}},
        {"chords off", false, true, false, {52}},
        {"not a target", true, false, false, {52}},
        {"relative mode", true, true, true, {48}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PitchRig r;
        r.m.chord.chordPower = c.power;
        r.m.chord.chordTargets[0] = c.target;
        auto& slot = r.m.chord.chordSlots[4];
        slot.chordType = 6; // min7
        slot.chordRoot = 4;
        slot.inversion = 1;
        r.snap().relmode = c.relative;
        r.forEachStep([](auto& s) { s.pch.value = 4; });
        EXPECT_EQ(r.firstStepNoteNumbers(), c.expected);
    }
}

TEST(PitchEngine, NotesAboveTheTopAreLimitedBeforeRepeatsAreRemoved)
{
    PitchRig r;
    r.m.chord.chordPower = true;
    r.m.chord.chordTargets[0] = true;
    r.m.chord.chordSlots[11].chordType = 3; // Maj9: 0 4 7 11 14
    r.snap().goct.value = 3;
    r.snap().tp.value = 12;
    r.forEachStep(
        [](auto& s)
        {
            s.pch.value = 11;
            s.oct.value = 4;
        });
    // 119 -> chord 108 112 115 119 122, transposed 120 124 127 131 134.
    EXPECT_EQ(r.firstStepNoteNumbers(), (Notes{120, 124, 127}));
}

//==============================================================================
// Gate, velocity, channel, probability

TEST(PitchEngine, GateLengthFollowsGateAndSlur)
{
    struct Case
    {
        float gate;
        int slur;
        std::optional<int> length;
    };
    // Gate 1 % is 0.01f, a hair below 0.01: 6000 x 0.00999999977 gives 59.
    const Case cases[] = {{50.0f, 0, 3000},        {100.0f, 0, 5999}, {1.0f, 0, 59},
                          {0.0f, 0, std::nullopt}, {30.0f, 1, 600},   {0.0f, 1, 600}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "gate " << c.gate << " slur " << c.slur);
        PitchRig r;
        r.forEachStep(
            [&](auto& s)
            {
                s.gate.value = c.gate;
                s.slr.value = c.slur;
            });
        const auto notes = r.firstStep();
        if (!c.length)
        {
            EXPECT_TRUE(notes.empty());
            continue;
        }
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].endSample - notes[0].startSample, *c.length);
        EXPECT_EQ(notes[0].slur, c.slur == 1);
    }
}

TEST(PitchEngine, VelocityZeroEmitsNothingAnd127GivesJustUnderOne)
{
    PitchRig quiet;
    quiet.forEachStep([](auto& s) { s.vel.value = 0.0f; });
    EXPECT_TRUE(quiet.firstStep().empty());

    PitchRig loud;
    loud.forEachStep([](auto& s) { s.vel.value = 127.0f; });
    const auto notes = loud.firstStep();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_FLOAT_EQ(notes[0].velocity, 127.0f * 0.00787401013f);
    EXPECT_LT(notes[0].velocity, 1.0f);
}

TEST(PitchEngine, TheUnitChannelOrTheGlobalChannel)
{
    struct Case
    {
        int unitChannel, globalChannel, expected;
    };
    for (const auto& c : {Case{0, 10, 10}, Case{3, 10, 3}, Case{16, 1, 16}, Case{0, 0, 1}})
    {
        PitchRig r;
        r.unit().ch = c.unitChannel;
        r.m.global.gch = c.globalChannel;
        const auto notes = r.firstStep();
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].channel, c.expected) << c.unitChannel << " " << c.globalChannel;
    }
}

TEST(PitchEngine, ProbabilityZeroNeverPlaysAndHundredAlwaysPlaysWithoutADraw)
{
    PitchRig never;
    never.forEachStep([](auto& s) { s.prob.value = 0.0f; });
    EXPECT_TRUE(never.play(1200).empty()) << "about a hundred steps";
    EXPECT_GE(never.display(), 0) << "the steps still advance";

    PitchRig always;
    const auto played = always.play(100);
    EXPECT_EQ(played.size(), 9u);
    juce::Random fresh(PitchRig::seed);
    EXPECT_EQ(always.engine.random.nextInt(), fresh.nextInt()) << "no draw was made";

    PitchRig half;
    half.forEachStep([](auto& s) { s.prob.value = 50.0f; });
    const auto some = half.play(1200).size();
    EXPECT_GT(some, 20u);
    EXPECT_LT(some, 80u);
}

//==============================================================================
// Mute, unit off, reset

TEST(PitchEngine, MuteAndUnitOffStillAdvanceTheSteps)
{
    PitchRig reference;
    PitchRig muted;
    PitchRig off;
    muted.midiMute = true;
    off.unit().pwr = false;

    for (int block = 0; block < 60; ++block)
    {
        reference.play(1);
        EXPECT_TRUE(muted.play(1).empty());
        EXPECT_TRUE(off.play(1).empty());
        EXPECT_EQ(muted.display(), reference.display());
        EXPECT_EQ(off.display(), -1);
    }
    EXPECT_FALSE(muted.unitOn[1]) << "a muted unit reports as not running, so its slurred note is released";
    EXPECT_FALSE(off.unitOn[1]);
    EXPECT_EQ(muted.engine.getCurStep(), reference.engine.getCurStep());
    EXPECT_EQ(off.engine.getCurStep(), reference.engine.getCurStep());

    // Switched on again, the unit plays the step the others play.
    off.unit().pwr = true;
    const auto next = off.play(20);
    const auto expected = reference.play(20);
    ASSERT_FALSE(next.empty());
    ASSERT_EQ(next.size(), expected.size());
    EXPECT_EQ(next[0].sample, expected[0].sample);
    EXPECT_EQ(off.engine.getCurStep(), reference.engine.getCurStep());
}

TEST(PitchEngine, TheChainersRestartPlaysSnapshotZeroAndNothingInThatBlock)
{
    PitchRig r;
    r.play(30);
    r.unit().currentSnapshot = 2;
    r.request = 8;
    EXPECT_TRUE(r.play(1).empty());
    EXPECT_EQ(r.engine.getSnapIndex(), 0);
    EXPECT_EQ(r.display(), -1);
}

TEST(PitchEngine, ARestartFromAParameterUnitNeedsAValueAboveOneHalf)
{
    struct Case
    {
        float value;
        bool power;
        bool restarts;
    };
    for (const auto& c : {Case{0.6f, true, true}, Case{0.5f, true, false}, Case{0.9f, false, false}})
    {
        PitchRig r;
        r.unit().pwr = c.power;
        r.events = {{13, c.value}, {5, 1.0f}};
        r.engine.prepareSeqBlockProcess(r.m.pitch, r.resetResync, true, r.events, 512);
        EXPECT_EQ(r.engine.restartPending, c.restarts) << c.value;
    }
}

//==============================================================================
// Modulation of the note values

TEST(PitchEngine, ModulationMovesTheNoteValues)
{
    struct Case
    {
        const char* what;
        float amount;
        std::function<void(PitchRig&)> setup;
        std::function<void(const NoteInfo&)> check;
    };
    const Case cases[] = {
        {"transpose +0.5 gives +12", 0.5f, [](PitchRig& r) { r.snap().tp = modulated(0, macroSource); },
         [](const NoteInfo& n) { EXPECT_EQ(n.noteNumber, 60); }},
        {"transpose -0.5 gives -12", -0.5f, [](PitchRig& r) { r.snap().tp = modulated(0, macroSource); },
         [](const NoteInfo& n) { EXPECT_EQ(n.noteNumber, 36); }},
        {"base note raised by the square", -0.5f,
         [](PitchRig& r)
         {
             r.snap().relmode = true;
             r.snap().relbn = modulated(49, macroSource);
         },
         [](const NoteInfo& n) { EXPECT_EQ(n.noteNumber, 80); }},
        {"velocity held at 1", 0.5f,
         [](PitchRig& r) { r.forEachStep([](auto& s) { s.vel = modulated(100.0f, macroSource); }); },
         [](const NoteInfo& n) { EXPECT_FLOAT_EQ(n.velocity, 1.0f); }},
        {"slur switched on", 0.6f,
         [](PitchRig& r) { r.forEachStep([](auto& s) { s.slr = modulated(0, macroSource); }); },
         [](const NoteInfo& n)
         {
             EXPECT_TRUE(n.slur);
             EXPECT_EQ(n.endSample - n.startSample, 600);
         }},
        {"step octave +0.3 gives +12", 0.3f,
         [](PitchRig& r) { r.forEachStep([](auto& s) { s.oct = modulated(2, macroSource); }); },
         [](const NoteInfo& n) { EXPECT_EQ(n.noteNumber, 60); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PitchRig r;
        r.mod.fill(macroSource - 1, c.amount);
        c.setup(r);
        const auto notes = r.firstStep();
        ASSERT_EQ(notes.size(), 1u);
        c.check(notes[0]);
    }
}

TEST(PitchEngine, HumaniseKeepsVelocityAndGateInRangeAndLeavesZeroAlone)
{
    EngineModels m;
    TestPitchEngine engine(m);
    engine.seedRandom(7);
    for (int i = 0; i < 200; ++i)
    {
        float v = 0.9f, g = 0.05f;
        engine.processHumanizeVelGate(v, g, 1.0f);
        EXPECT_GE(v, 0.01f);
        EXPECT_LE(v, 0.999999f);
        EXPECT_NEAR(v, 0.9f, 0.2f + 1.0e-6f);
        EXPECT_GE(g, 0.01f);
        EXPECT_NEAR(g, 0.05f, 0.08f + 1.0e-6f);
    }
    float v = 0.0f, g = 0.0f;
    engine.processHumanizeVelGate(v, g, 1.0f);
    EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(g, 0.0f);
}

TEST(PitchEngine, HumanisedNotesVaryWithinTheirBoundsAndUnhumanisedOnesAreExact)
{
    struct Case
    {
        const char* what;
        float humanise;
        int vel;  // stored 0..127
        int gate; // stored percent
    };
    const Case cases[] = {
        {"off", 0.0f, 100, 50},
        {"full amount", 1.0f, 100, 50},
        {"quiet and short steps never reach 0", 1.0f, 1, 1},
        {"loud and long steps stay below 1", 1.0f, 127, 100},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PitchRig r;
        r.engine.humanise = c.humanise;
        r.forEachStep(
            [&](auto& s)
            {
                s.vel.value = (float) c.vel;
                s.gate.value = (float) c.gate;
            });
        const float v0 = (float) c.vel * PtchSEQ_Engine::velocityScale;
        const float g0 = juce::jmin((float) c.gate * 0.01f, PtchSEQ_Engine::maxGate);
        const auto played = r.play(300);
        ASSERT_GE(played.size(), 20u);

        std::set<float> velocities;
        std::set<int> lengths;
        for (const auto& p : played)
        {
            const int length = p.info.endSample - p.info.startSample;
            velocities.insert(p.info.velocity);
            lengths.insert(length);
            if (c.humanise == 0.0f)
            {
                EXPECT_EQ(p.info.velocity, v0);
                EXPECT_EQ(length, (int) (6000.0 * (double) g0));
                continue;
            }
            EXPECT_GE(p.info.velocity, 0.01f);
            EXPECT_LE(p.info.velocity, 0.999999f);
            EXPECT_LE(std::abs(p.info.velocity - v0), 0.2f * c.humanise + 1.0e-6f);
            EXPECT_GE(length, (int) (6000.0 * (double) 0.01f));
            EXPECT_LE(std::abs((double) length - 6000.0 * g0), 6000.0 * 0.08 * c.humanise + 1.0);
        }
        if (c.humanise > 0.0f)
        {
            EXPECT_GT(velocities.size(), 5u);
            EXPECT_GT(lengths.size(), 5u);
        }
    }
}

TEST(PitchEngine, NoteValuesFollowTheirModulationWithinTheirRanges)
{
    // A modulation channel of the unit's own slots, written by hand.
    constexpr int channel = 2;
    struct Values
    {
        int go = 0, t = 0, p = 0, o = 0;
        float v = 0.5f, g = 0.5f, q = 0.5f;
        bool slur = false;
    };
    struct Params
    {
        ZuDataModelBase::MyParam<int> go, t, p, o, slr;
        ZuDataModelBase::MyParam<float> v, g, q;
    };
    struct Case
    {
        const char* what;
        float x;
        std::function<void(Values&, Params&)> setup;
        std::function<void(const Values&)> check;
    };
    const auto on = [](auto& param, int slot = 0) { param = modulated(param.value.load(), channel + 1, 1.0f, slot); };
    const Case cases[] = {
        {"unit octave: 12 x round(6x)", -0.3f, [&](Values&, Params& p) { on(p.go); },
         [](const Values& v) { EXPECT_EQ(v.go, -24); }},
        {"unit octave kept to 36", 0.5f,
         [&](Values& v, Params& p)
         {
             v.go = 24;
             on(p.go, 1);
         },
         [](const Values& v) { EXPECT_EQ(v.go, 36); }},
        {"transpose: round(24x), kept to 12", 0.4f,
         [&](Values& v, Params& p)
         {
             v.t = 5;
             on(p.t);
         },
         [](const Values& v) { EXPECT_EQ(v.t, 12); }},
        {"transpose: a small amount rounds to nothing", 0.02f, [&](Values&, Params& p) { on(p.t); },
         [](const Values& v) { EXPECT_EQ(v.t, 0); }},
        {"step pitch: round(12x), kept to 0", -1.0f,
         [&](Values& v, Params& p)
         {
             v.p = 5;
             on(p.p);
         },
         [](const Values& v) { EXPECT_EQ(v.p, 0); }},
        {"step pitch kept to 127", 0.5f,
         [&](Values& v, Params& p)
         {
             v.p = 125;
             on(p.p);
         },
         [](const Values& v) { EXPECT_EQ(v.p, 127); }},
        {"step octave: 12 x round(4x)", 0.4f, [&](Values&, Params& p) { on(p.o); },
         [](const Values& v) { EXPECT_EQ(v.o, 24); }},
        {"velocity adds x", 0.25f, [&](Values&, Params& p) { on(p.v); },
         [](const Values& v) { EXPECT_FLOAT_EQ(v.v, 0.75f); }},
        {"velocity reads only its first slot", 0.25f, [&](Values&, Params& p) { on(p.v, 1); },
         [](const Values& v) { EXPECT_FLOAT_EQ(v.v, 0.5f); }},
        {"gate at or below 0 is 0", -0.6f, [&](Values&, Params& p) { on(p.g); },
         [](const Values& v) { EXPECT_EQ(v.g, 0.0f); }},
        {"probability at or above 1 is 1", 0.5f, [&](Values&, Params& p) { on(p.q); },
         [](const Values& v) { EXPECT_EQ(v.q, 1.0f); }},
        {"slur turns on at one half", 0.5f, [&](Values&, Params& p) { on(p.slr); },
         [](const Values& v) { EXPECT_TRUE(v.slur); }},
        {"slur stays off below one half", 0.49f, [&](Values&, Params& p) { on(p.slr); },
         [](const Values& v) { EXPECT_FALSE(v.slur); }},
        {"slur that is on stays on", -1.0f,
         [&](Values& v, Params& p)
         {
             v.slur = true;
             on(p.slr);
         },
         [](const Values& v) { EXPECT_TRUE(v.slur); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EngineModels m;
        TestPitchEngine engine(m);
        ModBuffer mod(512);
        // Read at sample 65 for a step that starts at sample 10.
        mod.fill(channel, 0.9f);
        mod.set(channel, 65, c.x);
        Values v;
        Params p;
        c.setup(v, p);
        auto block = mod.block(512);
        engine.PtchSEQ_Engine::handleParamModOctTpStepPrms(block, v.go, p.go, v.t, p.t, v.p, p.p, v.o, p.o, v.v, p.v,
                                                           v.g, p.g, v.q, p.q, v.slur, p.slr, 0, 10, 512);
        c.check(v);
    }
}

TEST(PitchEngine, RelativeBaseNoteRisesByTheSquareAndRelativePitchByTwiceTwelve)
{
    constexpr int channel = 5;
    struct Case
    {
        float x;
        int base, rel;
        int expectedBase, expectedRel;
    };
    // -0.5: 0.25 x 127 + 0.5 = 32.25 -> 32; relative pitch round(24x), kept to -12..12.
    const Case cases[] = {{-0.5f, 10, 0, 42, -12}, {0.5f, 120, 3, 127, 12}, {0.1f, 0, 0, 1, 2}, {0.0f, 7, 4, 7, 4}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.x);
        EngineModels m;
        TestPitchEngine engine(m);
        ModBuffer mod(32);
        // A block of 32 samples reads its last sample.
        mod.set(channel, 31, c.x);
        auto block = mod.block(32);
        int base = c.base, rel = c.rel;
        engine.handleParamModRelBaseNote(block, base, modulated(1, channel + 1, 1.0f, 1), rel,
                                         modulated(0, channel + 1), 0, 10, 32);
        EXPECT_EQ(base, c.expectedBase);
        EXPECT_EQ(rel, c.expectedRel);
    }
}

//==============================================================================
// Scale table copy and reuse of an engine

TEST(PitchEngine, TheScaleTableCopyLowersTheFlagOnlyWhenAsked)
{
    EngineModels m;
    TestPitchEngine first(m), second(m, 1);
    ScaleData::Table table{0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
    m.scale.publishTable(table);
    ASSERT_TRUE(m.scale.scaleTableChanged.load());

    second.copyScaleTableType1();
    EXPECT_EQ(second.getScaleTable(), table);
    EXPECT_TRUE(m.scale.scaleTableChanged.load());

    first.updateScaleTableType1();
    EXPECT_EQ(first.getScaleTable(), table);
    EXPECT_FALSE(m.scale.scaleTableChanged.load());

    // Without a change it copies the newest table all the same.
    first.updateScaleTableType1();
    EXPECT_EQ(first.getScaleTable(), table);
}

TEST(PitchEngine, ATrigChordListTakesMenuValuesMinusOne)
{
    EngineModels m;
    TestPitchEngine engine(m);
    EXPECT_EQ(engine.getTrigChordList(), (std::array<int, 5>{-1, -1, -1, -1, -1}));
    engine.prepareTrigChordList(0, {61, 0, 1, 129, -5});
    EXPECT_EQ(engine.getTrigChordList(), (std::array<int, 5>{60, -1, 0, 128, -1}));
    engine.prepareTrigChordList(10, {61, 0, 120, 129, 1});
    EXPECT_EQ(engine.getTrigChordList(), (std::array<int, 5>{70, -1, -1, -1, 10}));
}

TEST(PitchEngine, AReusedEngineStartsAsANewlyBuiltOne)
{
    auto configure = [](PitchRig& r)
    {
        r.snap().dir.value = 5; // "??"
        r.forEachStep([](auto& s) { s.prob.value = 60.0f; });
        for (int k = 0; k < 32; ++k)
            r.snap().steps[(size_t) k].pch.value = k % 13;
    };

    PitchRig fresh;
    configure(fresh);

    PitchRig reused;
    configure(reused);
    reused.snap().dir.value = 3;
    reused.snap().size.value = 5;
    reused.engine.prepareTrigChordList(3, {10, 20, 30, 40, 50});
    reused.play(400);
    configure(reused);
    reused.snap().size.value = 16;

    reused.engine.restoreNewState();
    reused.engine.prepare(specFor(48000.0, 512));
    reused.engine.seedRandom(PitchRig::seed);
    fresh.engine.seedRandom(PitchRig::seed);
    reused.transport.sample = 0;

    const auto a = fresh.play(600);
    const auto b = reused.play(600);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_FALSE(a.empty());
    for (size_t i = 0; i < a.size(); ++i)
    {
        EXPECT_EQ(a[i].sample, b[i].sample) << i;
        EXPECT_EQ(a[i].info.noteNumber, b[i].info.noteNumber) << i;
    }
    EXPECT_EQ(reused.engine.getTrigChordList(), fresh.engine.getTrigChordList());
}
