// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A parameter state holding the single-sequencer parameters a test names
// (the plug-in's own holds none), and the snapshot tree the single
// sequencer's widgets save into.

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace zutest
{
struct Seq1Parameter
{
    juce::String id;
    float lo, hi, def;
};

class Seq1TestState : public juce::AudioProcessor
{
public:
    explicit Seq1TestState(const std::vector<Seq1Parameter>& parameters)
        : state(*this, nullptr, "SEQ1TEST", layoutOf(parameters))
    {
    }

    // A parameter in its own units.
    void set(const juce::String& id, float value)
    {
        auto* p = state.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    float get(const juce::String& id)
    {
        auto* p = state.getParameter(id);
        return p->convertFrom0to1(p->getValue());
    }

    const juce::String getName() const override { return "SEQ1TEST"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock&) override {}
    void setStateInformation(const void*, int) override {}

    juce::AudioProcessorValueTreeState state;

private:
    static juce::AudioProcessorValueTreeState::ParameterLayout layoutOf(const std::vector<Seq1Parameter>& parameters)
    {
        juce::AudioProcessorValueTreeState::ParameterLayout layout;
        for (const auto& p : parameters)
            layout.add(std::make_unique<juce::AudioParameterFloat>(juce::ParameterID{p.id, 1}, p.id,
                                                                   juce::NormalisableRange<float>(p.lo, p.hi), p.def));
        return layout;
    }
};

// A tree with the single sequencer's eight snapshot children.
inline juce::ValueTree seq1SnapshotTree()
{
    juce::ValueTree tree("seq1");
    juce::ValueTree main("seq1snapmain");
    for (int s = 1; s <= 8; ++s)
        main.appendChild(juce::ValueTree("seq1snap_c" + juce::String(s)), nullptr);
    tree.appendChild(main, nullptr);
    return tree;
}

inline juce::ValueTree seq1Snapshot(juce::ValueTree& tree, int s)
{
    return tree.getChildWithName("seq1snapmain").getChildWithName("seq1snap_c" + juce::String(s + 1));
}
} // namespace zutest
