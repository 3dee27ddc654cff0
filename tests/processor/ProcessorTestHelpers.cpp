// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessorTestHelpers.h"

RecordingProcessor::RecordingProcessor()
    : juce::AudioProcessor(BusesProperties().withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      ZuParamBase(static_cast<juce::AudioProcessor&>(*this))
{
}

VarType typeOf(const juce::var& v)
{
    if (v.isInt())
        return VarType::Int;
    if (v.isDouble())
        return VarType::Double;
    if (v.isString())
        return VarType::Text;
    return VarType::Other;
}
