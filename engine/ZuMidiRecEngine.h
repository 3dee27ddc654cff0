// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One recorder lane: captures the lane's MIDI with tick times (960 per
// quarter note) from the transport start for the chosen number of bars; the
// finished take waits in a second store for the editor's drag-out.
//
// Takes are recorded into event stores reserved in prepare, so recording
// never allocates on the audio thread; a take that outgrows its store keeps
// its first events. The stores become MIDI sequences only when asked for,
// on the message thread.

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <vector>

class MirabelGlobalData;

class ZuMidiRecEngine
{
public:
    static constexpr int numLanes = 5;
    static constexpr double ticksPerQuarter = 960.0;
    // Events one take can hold (channel messages and the tempo event).
    static constexpr int takeCapacity = 1 << 16;

    // One recorded event: its time in ticks and up to three bytes (the tempo
    // event keeps its microseconds per quarter note in tempo).
    struct RecEvent
    {
        double tick = 0.0;
        juce::uint8 bytes[3]{};
        juce::uint8 size = 0;
        int tempo = -1;
    };

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
    // finished sequence; the lane is disarmed either way.
    void setRecArmOffIfNecessary();
    // The lane-0 anchor for a host position, without moving the sample count.
    void syncToHost(double ppq) noexcept;

    int getLaneIndex() const noexcept { return laneIndex; }
    double getTempoBpm() const noexcept { return tempoBpm; }
    double getTicksPerSample() const noexcept { return ticksPerSample; }
    bool isRecording() const noexcept { return recording; }
    bool isTakeOpen() const noexcept { return takeOpen; }
    int getSampleCount() const noexcept { return sampleCount; }
    double getNoteCutTick() const noexcept { return noteCutTick; }
    double getEndTick() const noexcept { return endTick; }
    // The take being recorded and the last finished take as MIDI sequences
    // (they allocate: message thread or tests, never the audio thread).
    juce::MidiMessageSequence getSequence() const { return toSequence(take); }
    juce::MidiMessageSequence getFinishedSequence() const { return toSequence(finishedTake); }
    int getNumTakeEvents() const noexcept { return (int) take.size(); }

private:
    double samplesPerBeatForAnchor() const noexcept;
    int anchoredSampleCount(double fraction) const noexcept;
    void closeTake(int maxEventsToWalk);
    // Inserts in time order without allocating; a full store drops the event.
    void addEvent(const RecEvent& event) noexcept;
    void addMessage(const juce::uint8* data, int numBytes, double tick) noexcept;
    static juce::MidiMessageSequence toSequence(const std::vector<RecEvent>& events);

    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    double tempoBpm = 10.0;
    int laneIndex = 0;
    bool takeOpen = false;
    bool recording = false;
    std::vector<RecEvent> take;
    std::vector<RecEvent> finishedTake;
    int sampleCount = 0;
    double ticksPerSample = 0.0;
    const double ticksPerBar = 3840.0;
    double noteCutTick = 0.0;
    double endTick = 0.0;
    MirabelGlobalData& globalData;

    JUCE_DECLARE_NON_COPYABLE(ZuMidiRecEngine)
};
