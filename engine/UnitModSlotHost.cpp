// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitModSlotHost.h"

UnitModSlotHost::UnitModSlotHost(MirabelGlobalData& global, LfoData& lfo, int index) noexcept
    : engineIndex(index), globalData(global), lfoData(lfo)
{
    juce::ignoreUnused(globalData, lfoData);
}

void UnitModSlotHost::processBlock(const juce::dsp::AudioBlock<float>& block, float, bool, int, bool,
                                   int numSamples) noexcept
{
    resyncRequest = false;
    if (numSamples <= 0)
        return;
    const auto count = (size_t) juce::jmin(numSamples, (int) block.getNumSamples());
    const auto channels = juce::jmin((size_t) numSlots, block.getNumChannels());
    for (size_t c = 0; c < channels; ++c)
        juce::FloatVectorOperations::clear(block.getChannelPointer(c), (int) count);
}
