// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The base of the main engine: a juce::AudioProcessor whose processor
// operations all do nothing. No host ever sees it; only the plug-in's
// processor drives the engine, through the engine's own operations.

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <atomic>

class ZuMainEngBase : public juce::AudioProcessor
{
public:
    ZuMainEngBase();
    ~ZuMainEngBase() override;

    const juce::String getName() const override;
    void prepareToPlay(double, int) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int) override;
    const juce::String getProgramName(int) override;
    void changeProgramName(int, const juce::String&) override;
    void getStateInformation(juce::MemoryBlock&) override;
    void setStateInformation(const void*, int) override;

    virtual void prepare(juce::dsp::ProcessSpec&);
    virtual void process(const juce::dsp::ProcessContextReplacing<double>&);
    virtual void parameterChanged(const juce::String&, double);

    using juce::AudioProcessor::processBlock;

    juce::dsp::ProcessSpec spec{1000.0, 10, 2};
    // Set once by the processor's constructor for hosts that start their
    // transport slightly before the beat: play then waits for the beat.
    std::atomic<bool> startOnBeat{false};
    bool firstBlockAfterStop = true;
    bool startedOnBeat = false;
    // The host loop end is close: no unit triggers a step until the restart.
    bool nearLoopEnd = false;
    // Every stopped block sets it; the next playing block starts play afresh.
    bool needsStartReset = true;
    // The host position of the previous block while the host loops.
    double lastLoopPpq = -1.0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMainEngBase)
};
