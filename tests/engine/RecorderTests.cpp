// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <set>
#include <thread>

namespace
{
constexpr int blockSize = 512;
// One bar at 120 bpm and 48 kHz.
constexpr int samplesPerBar = 96000;

struct RecorderRig
{
    MirabelGlobalData global;
    ZuMidiRecEngine recorder{global, 0};
    std::vector<double> ticks = std::vector<double>(blockSize, 0.0);
    double* channels[1] = {ticks.data()};
    juce::dsp::AudioBlock<double> tickBlock{channels, 1, blockSize};
    juce::MidiBuffer lane;

    explicit RecorderRig(int bars = 1)
    {
        recorder.prepare({48000.0, blockSize, 0});
        recorder.setBpm(120.0);
        global.recLength = bars;
    }

    void arm(ZuMidiRecEngine& r)
    {
        global.recArmed[(size_t) r.getLaneIndex()] = true;
        r.reset();
    }
    void arm() { arm(recorder); }

    void run(double ppq = 0.0) { recorder.processBlock(lane, tickBlock, false, -1, 0, ppq, blockSize); }

    // Runs blocks with whatever the lane holds until the take is finished.
    void runToFinish()
    {
        for (int b = 0; b < 100000 && recorder.isTakeOpen(); ++b)
        {
            run();
            lane.clear();
        }
    }
};

// Every note-on of the take has a later note-off on its channel and note, and
// no note-off comes without a note-on before it.
void expectWellFormed(juce::MidiMessageSequence take)
{
    take.updateMatchedPairs();
    for (int i = 0; i < take.getNumEvents(); ++i)
    {
        const auto& m = take.getEventPointer(i)->message;
        if (m.isNoteOn())
        {
            const int off = take.getIndexOfMatchingKeyUp(i);
            ASSERT_GE(off, 0) << "note " << m.getNoteNumber() << " at tick " << m.getTimeStamp() << " never ends";
            EXPECT_GE(take.getEventTime(off), m.getTimeStamp());
        }
        else if (m.isNoteOff())
        {
            bool hasNoteOn = false;
            for (int j = 0; j < i && !hasNoteOn; ++j)
                hasNoteOn = take.getIndexOfMatchingKeyUp(j) == i;
            EXPECT_TRUE(hasNoteOn) << "note-off " << m.getNoteNumber() << " at tick " << m.getTimeStamp();
        }
    }
}

int countNotes(const juce::MidiMessageSequence& take, bool noteOns)
{
    int n = 0;
    for (const auto* e : take)
        n += (noteOns ? e->message.isNoteOn() : e->message.isNoteOff()) ? 1 : 0;
    return n;
}
} // namespace

TEST(Recorder, AnArmedStartOpensATakeOfTheChosenLength)
{
    struct Case
    {
        int bars;
        double noteCut, end;
    };
    const Case cases[] = {{2, 1.9945 * 3840.0, 1.9997 * 3840.0}, {0, 127.9945 * 3840.0, 127.9999 * 3840.0}};
    for (const auto& c : cases)
    {
        RecorderRig r(c.bars);
        r.arm();
        EXPECT_TRUE(r.recorder.isRecording());
        EXPECT_DOUBLE_EQ(r.recorder.getNoteCutTick(), c.noteCut);
        EXPECT_DOUBLE_EQ(r.recorder.getEndTick(), c.end);
        EXPECT_TRUE(r.global.recRunning[0].load());
        EXPECT_TRUE(r.global.recStateChanged.load());
        EXPECT_EQ(r.recorder.getSequence().getNumEvents(), 1) << "the tempo event";
    }
}

TEST(Recorder, AnUnarmedStartOnlyMarksTheLaneRunning)
{
    RecorderRig r;
    r.recorder.reset();
    EXPECT_FALSE(r.recorder.isRecording());
    EXPECT_TRUE(r.global.recRunning[0].load());
    r.run();
    EXPECT_FALSE(r.global.recHasTake[0].load());
}

TEST(Recorder, TheFirstEventOfATakeStartedMidBeatSitsOnTheBeatGridOnEveryLane)
{
    // Lane 2 records alone: it must not take lane 0's anchor, which nothing updates.
    RecorderRig r;
    ZuMidiRecEngine lane2{r.global, 2};
    lane2.prepare({48000.0, blockSize, 0});
    lane2.setBpm(120.0);
    r.global.recAnchor = 0;
    for (auto* recorder : {&lane2, &r.recorder})
    {
        SCOPED_TRACE(recorder->getLaneIndex());
        r.arm(*recorder);
        r.lane.clear();
        r.lane.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f), 0);
        recorder->processBlock(r.lane, r.tickBlock, false, -1, 0, 2.5, blockSize);
        ASSERT_EQ(recorder->getSequence().getNumEvents(), 2);
        EXPECT_DOUBLE_EQ(recorder->getSequence().getEventPointer(1)->message.getTimeStamp(), 480.0);
    }
}

TEST(Recorder, TakesKeepTheHostsNoteSpacingWhereverInTheBeatTheyStart)
{
    // Blocks follow the host's position from the take's start; notes are
    // played at host positions, and the take must keep their distances.
    const double blockBeats = blockSize / 24000.0;
    struct Case
    {
        double start;
        std::vector<double> notes;
    };
    const Case cases[] = {{3.96, {3.96, 4.25, 4.50}}, {4.02, {4.02, 4.25, 4.50}}, {3.5, {3.5, 4.25, 4.50}}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.start);
        RecorderRig r(4);
        r.arm();
        for (double ppq = c.start; ppq < 5.0; ppq += blockBeats)
        {
            r.lane.clear();
            for (double note : c.notes)
                if (note >= ppq - 1e-9 && note < ppq + blockBeats - 1e-9)
                    r.lane.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f),
                                    (int) std::floor((note - ppq) / blockBeats * blockSize + 1e-6));
            r.run(ppq);
        }
        std::vector<double> ticks;
        const auto& take = r.recorder.getSequence();
        for (int i = 0; i < take.getNumEvents(); ++i)
            if (take.getEventPointer(i)->message.isNoteOn())
                ticks.push_back(take.getEventTime(i));
        ASSERT_EQ(ticks.size(), c.notes.size());
        // Time zero is the beat at or before the start.
        EXPECT_NEAR(ticks[0], (c.start - std::floor(c.start)) * 960.0, 1.0);
        for (size_t i = 1; i < ticks.size(); ++i)
            EXPECT_NEAR(ticks[i] - ticks[i - 1], (c.notes[i] - c.notes[i - 1]) * 960.0, 1.0);
    }
}

TEST(Recorder, AnEmptyTakeLeavesNoTakeAndDisarms)
{
    RecorderRig r;
    r.arm();
    r.runToFinish();
    EXPECT_FALSE(r.global.recHasTake[0].load());
    EXPECT_FALSE(r.global.recArmed[0].load());
    EXPECT_FALSE(r.recorder.isTakeOpen());
    EXPECT_EQ(r.recorder.getFinishedSequence().getNumEvents(), 0);
}

TEST(Recorder, TheEndOfATakeClosesEveryOpenNote)
{
    struct Case
    {
        const char* name;
        std::vector<int> notesOn;  // at the take's first block
        std::vector<int> notesOff; // a block later
        bool eventPastTheEnd;      // the take ends on a controller past the end, else in empty blocks
    };
    const Case cases[] = {
        {"a slurred note held past the end, empty blocks at the end", {60}, {}, false},
        {"a three-note chord, a controller past the end", {60, 64, 67}, {}, true},
        {"a chord with one note ended, empty blocks at the end", {60, 64, 67}, {64}, false},
        {"a chord with one note ended, a controller past the end", {60, 64, 67}, {64}, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecorderRig r;
        r.arm();
        for (int note : c.notesOn)
            r.lane.addEvent(juce::MidiMessage::noteOn(3, note, 0.5f), 10);
        r.run();
        r.lane.clear();
        for (int note : c.notesOff)
            r.lane.addEvent(juce::MidiMessage::noteOff(3, note), 20);
        r.run();
        r.lane.clear();
        // Up to the last block before the end tick.
        const int blocksBeforeEnd = (int) (r.recorder.getEndTick() / r.recorder.getTicksPerSample()) / blockSize - 2;
        for (int b = 0; b < blocksBeforeEnd; ++b)
            r.run();
        ASSERT_TRUE(r.recorder.isRecording());
        if (c.eventPastTheEnd)
            for (int b = 0; b < 3; ++b)
            {
                r.lane.clear();
                r.lane.addEvent(juce::MidiMessage::controllerEvent(3, 7, 1), blockSize - 1);
                r.run();
            }
        r.lane.clear();
        r.runToFinish();

        ASSERT_TRUE(r.global.recHasTake[0].load());
        const auto take = r.recorder.getFinishedSequence();
        expectWellFormed(take);
        EXPECT_EQ(countNotes(take, true), (int) c.notesOn.size());
        EXPECT_EQ(countNotes(take, false), (int) c.notesOn.size());
        // The closing note-offs sit just before the end, on the notes' channel.
        for (const auto* e : take)
            if (e->message.isNoteOff() && e->message.getNoteNumber() != 64)
            {
                EXPECT_DOUBLE_EQ(e->message.getTimeStamp(), std::floor(r.recorder.getEndTick()) - 10.0);
                EXPECT_EQ(e->message.getChannel(), 3);
            }
    }
}

TEST(Recorder, AFinishedTakeSpansItsBarsAndIsReadOnTheMessageThread)
{
    RecorderRig r(2);
    r.arm();
    r.lane.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f), 0);
    r.lane.addEvent(juce::MidiMessage::noteOff(1, 60), 100);
    r.run();
    r.lane.clear();
    r.runToFinish();

    EXPECT_TRUE(r.global.recHasTake[0].load());
    EXPECT_FALSE(r.global.recArmed[0].load());
    EXPECT_FALSE(r.global.recRunning[0].load());
    const auto take = r.recorder.getFinishedSequence();
    ASSERT_EQ(take.getNumEvents(), 4);
    EXPECT_TRUE(take.getEventPointer(0)->message.isTempoMetaEvent());
    EXPECT_TRUE(take.getEventPointer(3)->message.isEndOfTrackMetaEvent());
    EXPECT_DOUBLE_EQ(take.getEndTime(), 2 * 3840.0);
    EXPECT_DOUBLE_EQ(r.recorder.getFinishedLengthTicks(), 2 * 3840.0);

    // A new armed take empties the finished one.
    r.arm();
    EXPECT_EQ(r.recorder.getFinishedSequence().getNumEvents(), 0);
    EXPECT_DOUBLE_EQ(r.recorder.getFinishedLengthTicks(), 0.0);
}

TEST(Recorder, ADenseTakeKeepsEveryEventWhileItsStoreIsSupplied)
{
    // Far more events than the store starts with: the message thread keeps it supplied.
    RecorderRig r(0); // 128 bars
    r.arm();
    for (int i = 0; i < blockSize; ++i)
        r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 1, i % 128), i);
    constexpr int numBlocks = 600; // 307,200 controller events
    for (int b = 0; b < numBlocks; ++b)
    {
        r.run();
        r.recorder.topUpStore();
    }
    EXPECT_EQ(r.recorder.getNumTakeEvents(), 1 + numBlocks * blockSize);
    EXPECT_FALSE(r.global.recTakeCut[0].load());

    // Events of one block arrive in buffer order; two at the same sample keep it.
    const auto take = r.recorder.getSequence();
    EXPECT_TRUE(take.getEventPointer(0)->message.isTempoMetaEvent());
    for (int i = 1; i < 200; ++i)
        EXPECT_EQ(take.getEventPointer(i)->message.getControllerValue(), (i - 1) % 128);
}

TEST(Recorder, ATakeThatOutrunsItsSupplyIsFlaggedCutAndKeepsItsFirstEvents)
{
    RecorderRig r(0);
    r.arm();
    for (int i = 0; i < blockSize; ++i)
        r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 1, i % 128), i);
    // Nothing tops the supply up: the take fills what it has and is flagged.
    for (int b = 0; b < 300; ++b)
        r.run();
    EXPECT_TRUE(r.global.recTakeCut[0].load());
    EXPECT_EQ(r.recorder.getNumTakeEvents(), (1 + ZuMidiRecEngine::readyChunks) * RecChunkSupply::eventsPerChunk);
    const auto take = r.recorder.getSequence();
    for (int i = 1; i < 200; ++i)
        EXPECT_EQ(take.getEventPointer(i)->message.getControllerValue(), (i - 1) % 128);

    r.arm(); // a fresh take clears the flag
    EXPECT_FALSE(r.global.recTakeCut[0].load());
}

TEST(Recorder, ACutTakeKeepsRoomToCloseItsNotes)
{
    RecorderRig r(1);
    r.arm();
    for (int note = 0; note < 24; ++note)
        r.lane.addEvent(juce::MidiMessage::noteOn(1, 40 + note, 0.5f), 0);
    r.run();
    // A bar of dense blocks outruns the unsupplied store.
    r.lane.clear();
    for (int i = 0; i < blockSize; ++i)
        r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 1, i % 128), i);
    while (r.recorder.isRecording())
        r.run();
    r.lane.clear();
    r.runToFinish();
    EXPECT_TRUE(r.global.recTakeCut[0].load());
    const auto take = r.recorder.getFinishedSequence();
    expectWellFormed(take);
    EXPECT_EQ(countNotes(take, true), 24);
    EXPECT_EQ(countNotes(take, false), 24);
}

TEST(Recorder, TheFinishedTakeCrossesToTheMessageThreadRaceFree)
{
    // The audio thread records take after take; each take's controllers carry
    // its number. The reader must only ever see whole takes.
    RecorderRig r;
    constexpr int eventsPerTake = 500;
    std::atomic<bool> stop{false};
    std::atomic<int> takesFinished{0};

    std::thread audio(
        [&]
        {
            for (int take = 0; !stop.load(); ++take)
            {
                r.arm();
                r.lane.clear();
                for (int i = 0; i < eventsPerTake; ++i)
                    r.lane.addEvent(juce::MidiMessage::controllerEvent(1, 20, take % 128), i);
                r.run();
                r.lane.clear();
                r.runToFinish();
                takesFinished.fetch_add(1);
            }
        });

    // A take is whole when it holds the tempo event, the controllers of one
    // take and the end of the track.
    auto isWhole = [&](const juce::MidiMessageSequence& take)
    {
        if (take.getNumEvents() != eventsPerTake + 2)
            return false;
        const int value = take.getEventPointer(1)->message.getControllerValue();
        for (int i = 1; i <= eventsPerTake; ++i)
            if (take.getEventPointer(i)->message.getControllerValue() != value)
                return false;
        return take.getEventPointer(eventsPerTake + 1)->message.isEndOfTrackMetaEvent();
    };

    std::set<int> seen;
    int reads = 0;
    bool allWhole = true;
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + 60000.0;
    while (allWhole && (seen.size() < 20 || reads < 2000) && juce::Time::getMillisecondCounterHiRes() < deadline)
    {
        const auto take = r.recorder.getFinishedSequence();
        if (take.getNumEvents() == 0)
            continue;
        allWhole = isWhole(take);
        seen.insert(take.getEventPointer(1)->message.getControllerValue());
        ++reads;
    }
    stop = true;
    audio.join();
    EXPECT_TRUE(allWhole);
    EXPECT_GE(seen.size(), 20u) << takesFinished.load() << " takes finished";
    EXPECT_GE(reads, 2000);
}

//==============================================================================
// Takes recorded through the main engine

TEST(RecorderPlayback, TakesEndWithEveryNoteClosedOnEveryLane)
{
    // Unit 1 holds slurred three-note chords, the last past the end of the
    // take; unit 2 plays short notes, the last of which ends before the end.
    EnginePlayer p(48000.0, blockSize);
    auto& m = p.models;
    m.global.loadCenterUnitStateFromString("CT:100 200 ");
    m.global.recLength = 1;
    m.chord.chordPower = true;
    m.chord.chordTargets[0] = true;
    m.pitch.units[1].ch = 2;
    auto& snap = m.pitch.units[0].snaps[0];
    for (int k = 0; k < 32; ++k)
        snap.steps[(size_t) k].slr.value = 1;
    for (auto& armed : m.global.recArmed)
        armed = true;

    const double ppqPerSample = 120.0 / (60.0 * 48000.0);
    for (int b = 0; b < samplesPerBar / blockSize + 8; ++b)
        p.play(b * blockSize * ppqPerSample, blockSize);

    for (int lane : {0, 1, 2})
    {
        SCOPED_TRACE(lane);
        ASSERT_TRUE(m.global.recHasTake[(size_t) lane].load());
        const auto take = p.engine.getRecorder(lane).getFinishedSequence();
        EXPECT_GE(countNotes(take, true), lane == 1 ? 3 : 16);
        expectWellFormed(take);
    }
}

TEST(RecorderPlayback, ALoopOfAFractionOfBeatsNeverPutsANoteOffBeforeItsNoteOn)
{
    // A loop of 2.75 beats moves the host back to another fraction of the
    // beat at each pass; the take's clock must still only run forward.
    EnginePlayer p(48000.0, blockSize);
    auto& m = p.models;
    m.global.loadCenterUnitStateFromString("CT:100 ");
    m.global.recLength = 2;
    m.global.recArmed[0] = true;
    auto& snap = m.pitch.units[0].snaps[0];
    for (int k = 0; k < 32; ++k)
        snap.steps[(size_t) k].pch.value = k % 12; // neighbouring notes differ
    const double ppqPerSample = 120.0 / (60.0 * 48000.0);
    for (int b = 0; b < 2 * samplesPerBar / blockSize + 8; ++b)
        p.playLooping(std::fmod(b * blockSize * ppqPerSample, 2.75), 0.0, 2.75, blockSize);

    ASSERT_TRUE(m.global.recHasTake[0].load());
    const auto take = p.engine.getRecorder(0).getFinishedSequence();
    EXPECT_GT(countNotes(take, true), 10);
    expectWellFormed(take);
    for (int i = 1; i < take.getNumEvents(); ++i)
        EXPECT_LE(take.getEventTime(i - 1), take.getEventTime(i));
}

TEST(RecorderPlayback, TheEngineKeepsTheRecorderStoresSuppliedFromTheMessageThread)
{
    EnginePlayer p(48000.0, blockSize);
    auto& recorder = p.engine.getRecorder(0);
    p.models.global.recLength = 0;
    p.models.global.recArmed[0] = true;
    p.play(0.0, blockSize);
    // The armed start took a chunk from the supply; the engine's timer refills it.
    EXPECT_TRUE(zutest::pumpUntil([&] { return recorder.getNumReadyChunks() == ZuMidiRecEngine::readyChunks; }));
}
