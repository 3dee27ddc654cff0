// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroEngine.h"

#include "MacroData.h"

#include <algorithm>

MacroEngine::MacroEngine(MacroData& macroData) : macros(macroData) {}

MacroEngine::~MacroEngine() = default;

void MacroEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
}

float MacroEngine::getMacroValue(int j) const noexcept
{
    if (j < 0 || j >= numMacros)
        return 0.0f;
    const float v = macros.macroValues[static_cast<size_t>(j)].load();
    return v == v ? std::clamp(v, 0.0f, 1.0f) : 0.0f;
}

void MacroEngine::processBlock(juce::dsp::AudioBlock<float>& macroChannels, int) noexcept
{
    const auto channels = std::min<size_t>(macroChannels.getNumChannels(), numMacros);
    for (size_t j = 0; j < channels; ++j)
        macroChannels.getSingleChannelBlock(j).fill(getMacroValue(static_cast<int>(j)));
}

void MacroEngine::processBlock(juce::dsp::AudioBlock<float>&, juce::dsp::AudioBlock<float>& target, int, int) noexcept
{
    processBlock(target, 0);
}
