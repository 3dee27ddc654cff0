// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One recorder lane: captures the lane's MIDI with tick times (960 per
// quarter note) from the transport start for the chosen number of bars; the
// finished take waits for the editor's drag-out.
//
// Takes are recorded into chunked stores (RecTakeStore): the first chunk of
// each store and the supply's ready chunks are made by the first prepare (a
// host creates many instances it never plays, and megabytes of chunks made
// per instance would cost it more than all the rest of the instance), more
// come ready-made from a supply that the message thread keeps topped up
// (topUpStore), so recording never allocates on the audio thread. A take
// that outruns its supply keeps its first events and is flagged cut
// (recTakeCut in the global model), never silently.
//
// Every take is well formed: a note-off is kept only for a note that is open,
// the take's clock never runs backwards, and the end of the take closes every
// note still open.
//
// A finished take is handed to the message thread through a triple buffer:
// the audio thread publishes its store and takes back a free one, the reader
// takes the newest published store; neither ever touches the other's store.

#include "RecTakeStore.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>

class MirabelGlobalData;

class ZuMidiRecEngine
{
public:
    static constexpr int numLanes = 5;
    static constexpr double ticksPerQuarter = 960.0;
    // Chunks the supply keeps ready beyond the one a take starts with.
    static constexpr int readyChunks = 3;

    // laneIndex 0..4 picks the lane's state flags in the global model.
    explicit ZuMidiRecEngine(MirabelGlobalData& globalData, int laneIndex = 0);
    ~ZuMidiRecEngine();

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // The tempo for the tick rate and the take's tempo event.
    void setBpm(double bpm) noexcept;
    void calcTicksPerSamples() noexcept;
    // Transport start: an armed lane starts a new take; every lane is running.
    void reset();
    // Records this block's events of the lane. masterTicks holds the position
    // within the bar in ticks for each sample; offset shifts every event.
    void processBlock(juce::MidiBuffer& lane, const juce::dsp::AudioBlock<double>& masterTicks, bool, int wrapSample,
                      int offset, double ppq, int numSamples);
    // Finishes a take: with events beyond the tempo event it becomes the
    // finished take; the lane is disarmed either way.
    void setRecArmOffIfNecessary();
    // The anchor (in samples of the take's clock) for a host position,
    // without moving the take's clock.
    void syncToHost(double ppq) noexcept;

    // Message thread (or any one thread that is not the audio thread):
    // keeps chunks ready for a growing take, once prepare has made the first
    // ones.
    void topUpStore()
    {
        if (storesMade.load(std::memory_order_acquire))
            supply.topUp();
    }
    int getNumReadyChunks() const noexcept { return supply.getNumReady(); }

    // Message thread: the last finished take as a MIDI sequence, with the
    // tempo event at tick 0 and an end-of-track event at the take's length.
    // Empty while no take is finished or after an armed start emptied it.
    juce::MidiMessageSequence getFinishedSequence();
    // The take's length in ticks (its number of bars x 3840) of the last
    // finished take; 0 while there is none.
    double getFinishedLengthTicks();

    int getLaneIndex() const noexcept { return laneIndex; }
    double getTempoBpm() const noexcept { return tempoBpm; }
    double getTicksPerSample() const noexcept { return ticksPerSample; }
    bool isRecording() const noexcept { return recording; }
    bool isTakeOpen() const noexcept { return takeOpen; }
    // The take clock at the start of the next block, in samples at the current tempo.
    int getSampleCount() const noexcept;
    double getNoteCutTick() const noexcept { return noteCutTick; }
    double getEndTick() const noexcept { return endTick; }
    // The take being recorded. Tests only, while the audio thread is not running.
    juce::MidiMessageSequence getSequence() const { return toSequence(stores[(size_t) writerStore], 0.0); }
    int getNumTakeEvents() const noexcept { return stores[(size_t) writerStore].size(); }

private:
    static constexpr int storeIndexMask = 3;
    static constexpr int freshBit = 4;
    static constexpr int numNoteSlots = 16 * 128;

    double samplesPerBeatForAnchor() const noexcept;
    double anchoredTicks(double fraction) const noexcept;
    void closeTake();
    void recordEvent(const juce::uint8* data, int numBytes, double tick) noexcept;
    bool insertEvent(const RecEvent& event, int extraRoom) noexcept;
    void markCut() noexcept;
    // Audio thread: hands the writer's store to the reader side and takes a free one.
    void publishWriterStore() noexcept;
    static juce::MidiMessageSequence toSequence(const RecTakeStore& store, double lengthTicks);
    void takeNewestPublished();

    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    double tempoBpm = 10.0;
    int laneIndex = 0;
    bool takeOpen = false;
    bool recording = false;
    // Ticks since the take's time zero at the start of the next block.
    double takeTicks = 0.0;
    // The take has started and its first block has not yet set its time zero.
    bool takeStartPending = false;
    double ticksPerSample = 0.0;
    const double ticksPerBar = 3840.0;
    double noteCutTick = 0.0;
    double endTick = 0.0;
    // The take's length in ticks (bars x 3840).
    double lengthTicks = 0.0;
    MirabelGlobalData& globalData;

    // Open notes of the take: count and latest note-on tick per channel and note.
    std::array<juce::uint16, numNoteSlots> openCount{};
    std::array<double, numNoteSlots> openTick{};
    int numOpenNotes = 0;

    RecChunkSupply supply{readyChunks};
    std::array<RecTakeStore, 3> stores;
    // Raised by the first prepare once the stores hold their first chunks.
    std::atomic<bool> storesMade{false};
    // The length of the take in each store.
    std::array<double, 3> storeLengthTicks{};
    int writerStore = 0;             // audio thread only
    int readerStore = 1;             // reader thread only
    std::atomic<int> middleStore{2}; // index | freshBit when newly published
    juce::MidiMessageSequence readerSequence;
    double readerLengthTicks = 0.0;

    JUCE_DECLARE_NON_COPYABLE(ZuMidiRecEngine)
};
