// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

#include <limits>

ZumiraboxAudioProcessor::ZumiraboxAudioProcessor()
    : juce::AudioProcessor(BusesProperties().withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      ZuParamBase(static_cast<juce::AudioProcessor&>(*this))
{
    isReady = false;
    preparePlugin();
    isReady = true;
}

ZumiraboxAudioProcessor::~ZumiraboxAudioProcessor() = default;

const juce::String ZumiraboxAudioProcessor::getName() const
{
    return "ZU-MIRA8";
}

void ZumiraboxAudioProcessor::prepareToPlay(double, int) {}

void ZumiraboxAudioProcessor::releaseResources() {}

void ZumiraboxAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    buffer.clear();
}

void ZumiraboxAudioProcessor::processBlockBypassed(juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

double ZumiraboxAudioProcessor::getTailLengthSeconds() const
{
    return std::numeric_limits<double>::infinity();
}

bool ZumiraboxAudioProcessor::acceptsMidi() const
{
    return true;
}

bool ZumiraboxAudioProcessor::producesMidi() const
{
    return true;
}

bool ZumiraboxAudioProcessor::isMidiEffect() const
{
    return false;
}

juce::AudioProcessorEditor* ZumiraboxAudioProcessor::createEditor()
{
    return nullptr;
}

bool ZumiraboxAudioProcessor::hasEditor() const
{
    return false;
}

int ZumiraboxAudioProcessor::getNumPrograms()
{
    return 1;
}

int ZumiraboxAudioProcessor::getCurrentProgram()
{
    return 0;
}

void ZumiraboxAudioProcessor::setCurrentProgram(int) {}

const juce::String ZumiraboxAudioProcessor::getProgramName(int)
{
    return {};
}

void ZumiraboxAudioProcessor::changeProgramName(int, const juce::String&) {}

void ZumiraboxAudioProcessor::getStateInformation(juce::MemoryBlock&) {}

void ZumiraboxAudioProcessor::setStateInformation(const void*, int) {}

bool ZumiraboxAudioProcessor::isBusesLayoutSupported(const BusesLayout& layout) const
{
    if (!layout.inputBuses.isEmpty() && layout.inputBuses.getReference(0).size() > 0)
        return false;
    if (layout.outputBuses.isEmpty())
        return false;
    return layout.outputBuses.getReference(0).size() == 2;
}

void ZumiraboxAudioProcessor::parameterChanged(const juce::String&, float) {}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new ZumiraboxAudioProcessor();
}
