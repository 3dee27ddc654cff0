// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuParamBase.h"

#include <atomic>
#include <utility>
#include <vector>

// A host that plays at 120 bpm from a position the test moves on.
class PlayingHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setIsPlaying(true);
        info.setBpm(120.0);
        info.setPpqPosition(ppq.load());
        return info;
    }
    std::atomic<double> ppq{0.0};
};

// A bare processor on the parameter base that records what reaches its
// listeners, so the base and its trees can be tested on their own.
class RecordingProcessor : public juce::AudioProcessor, public ZuParamBase
{
public:
    RecordingProcessor();

    void parameterChanged(const juce::String& id, float value) override { paramCalls.emplace_back(id, value); }
    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override
    {
        treeCalls.emplace_back(property.toString(), tree.getProperty(property));
    }
    void initUnitParams(int kindIndex, int unitIndex) override { unitResets.emplace_back(kindIndex, unitIndex); }

    std::vector<std::pair<juce::String, float>> paramCalls;
    std::vector<std::pair<juce::String, juce::var>> treeCalls;
    std::vector<std::pair<int, int>> unitResets;

    const juce::String getName() const override { return "test"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock&) override {}
    void setStateInformation(const void*, int) override {}
};

// The value type a tree property holds, as the state document writes it.
enum class VarType
{
    Int,
    Double,
    Text,
    Other
};
VarType typeOf(const juce::var& v);
