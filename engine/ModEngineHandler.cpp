// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModEngineHandler.h"

#include "ModEngineHandler2.h"

ModEngineHandler::ModEngineHandler(MirabelGlobalData& global, LfoData& lfo, MacroData& macros) : macroEngine(macros)
{
    for (int j = 0; j < numSlots; ++j)
        engines[(size_t) j] = std::make_unique<LfoSahEngine>(lfo, global, j);
}

ModEngineHandler::~ModEngineHandler() = default;

void ModEngineHandler::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    for (auto& engine : engines)
        engine->prepare(newSpec);
    macroEngine.prepare(newSpec);
}

void ModEngineHandler::reset()
{
    ownBlock.clear();
    firstValues.fill(0.0f);
}

void ModEngineHandler::processBlock(ModBlock& block, float ppq, bool flag, int loopWrapSample, bool nearLoopEnd,
                                    int numSamples)
{
    const int n = juce::jmin(numSamples, (int) block.getNumSamples());
    const auto channels = juce::jmin((size_t) numSlots, block.getNumChannels());
    if (n <= 0)
        return;
    auto whole = block.getSubBlock(0, (size_t) n);
    ModEngineHandler2::forEachSubBlock(
        n,
        [&](int offset, int length, bool first)
        {
            for (size_t j = 0; j < channels; ++j)
            {
                auto sub = block.getSingleChannelBlock(j).getSubBlock((size_t) offset, (size_t) length);
                if (slotOn[j])
                    engines[j]->processBlock(whole, sub, ppq, flag, loopWrapSample, nearLoopEnd, length, n);
                else
                    sub.clear();
                if (first)
                    firstValues[j] = sub.getSample(0, 0);
            }
            if (block.getNumChannels() > (size_t) numSlots)
            {
                auto macros = block.getSubsetChannelBlock((size_t) numSlots, block.getNumChannels() - (size_t) numSlots)
                                  .getSubBlock((size_t) offset, (size_t) length);
                macroEngine.processBlock(macros, length);
            }
        });
}
