// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMainEngBase.h"

// No buses: nothing is ever routed through this processor.
ZuMainEngBase::ZuMainEngBase() : juce::AudioProcessor(BusesProperties()) {}

ZuMainEngBase::~ZuMainEngBase() = default;

const juce::String ZuMainEngBase::getName() const
{
    return {};
}

void ZuMainEngBase::prepareToPlay(double, int) {}

void ZuMainEngBase::releaseResources() {}

void ZuMainEngBase::processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

double ZuMainEngBase::getTailLengthSeconds() const
{
    return 0.0;
}

bool ZuMainEngBase::acceptsMidi() const
{
    return false;
}

bool ZuMainEngBase::producesMidi() const
{
    return false;
}

juce::AudioProcessorEditor* ZuMainEngBase::createEditor()
{
    return nullptr;
}

bool ZuMainEngBase::hasEditor() const
{
    return false;
}

int ZuMainEngBase::getNumPrograms()
{
    return 0;
}

int ZuMainEngBase::getCurrentProgram()
{
    return 0;
}

void ZuMainEngBase::setCurrentProgram(int) {}

const juce::String ZuMainEngBase::getProgramName(int)
{
    return {};
}

void ZuMainEngBase::changeProgramName(int, const juce::String&) {}

void ZuMainEngBase::getStateInformation(juce::MemoryBlock&) {}

void ZuMainEngBase::setStateInformation(const void*, int) {}

void ZuMainEngBase::prepare(juce::dsp::ProcessSpec&) {}

void ZuMainEngBase::process(const juce::dsp::ProcessContextReplacing<double>&) {}

void ZuMainEngBase::parameterChanged(const juce::String&, double) {}
