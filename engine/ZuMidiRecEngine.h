// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One recorder lane: captures the lane's MIDI with tick times (960 per
// quarter note) from the transport start for the chosen number of bars; the
// finished take waits in a second sequence for the editor's drag-out.

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

class MirabelGlobalData;

class ZuMidiRecEngine
{
public:
    static constexpr int numLanes = 5;
    static constexpr double ticksPerQuarter = 960.0;

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
    // Audio-thread views of the take being recorded and the last finished take.
    const juce::MidiMessageSequence& getSequence() const noexcept { return sequence; }
    const juce::MidiMessageSequence& getFinishedSequence() const noexcept { return finishedSequence; }

private:
    double samplesPerBeatForAnchor() const noexcept;
    int anchoredSampleCount(double fraction) const noexcept;
    void closeTake(int maxEventsToWalk);

    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    double tempoBpm = 10.0;
    int laneIndex = 0;
    bool takeOpen = false;
    bool recording = false;
    juce::MidiMessageSequence sequence;
    juce::MidiMessageSequence finishedSequence;
    int sampleCount = 0;
    double ticksPerSample = 0.0;
    const double ticksPerBar = 3840.0;
    double noteCutTick = 0.0;
    double endTick = 0.0;
    MirabelGlobalData& globalData;

    JUCE_DECLARE_NON_COPYABLE(ZuMidiRecEngine)
};
