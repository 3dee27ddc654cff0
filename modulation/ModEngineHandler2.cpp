// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModEngineHandler2.h"

#include "LfoData.h"
#include "MirabelGlobalData.h"
#include "ZuConvert.h"

ModEngineHandler2::ModEngineHandler2(MirabelGlobalData& global, LfoData& lfo, int index)
    : engineIndex(zu::clampInt(index, 0, LfoData::numUnits - 1)), globalData(global), lfoData(lfo)
{
    for (int j = 0; j < numSlots; ++j)
        engines[(size_t) j] = std::make_unique<LfoSahEngine2>(globalData, j);
}

ModEngineHandler2::~ModEngineHandler2() = default;

void ModEngineHandler2::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    for (auto& engine : engines)
        engine->prepare(newSpec);
}

void ModEngineHandler2::reset()
{
    for (auto& engine : engines)
        engine->reset();
}

void ModEngineHandler2::restoreConstructionState() noexcept
{
    resyncRequest = false;
    slotOn.fill(false);
    for (auto& engine : engines)
        engine->restoreConstructionState();
}

void ModEngineHandler2::updateUnitOnOffStateList(const std::array<LfoData::SnapData, LfoData::numSnapshots>& snaps,
                                                 int snapshot)
{
    const auto& snap = snaps[(size_t) zu::clampInt(snapshot, 0, LfoData::numSnapshots - 1)];
    for (size_t j = 0; j < (size_t) numSlots; ++j)
        slotOn[j] = snap[j].pwr;
}

void ModEngineHandler2::processBlock(ModBlock& block, float ppq, bool flag, int loopWrapSample, bool nearLoopEnd,
                                     int numSamples)
{
    // The unit model's atomic mirror of the current snapshot, always 0..7.
    auto& snap = lfoData.getCurrentSnapData(engineIndex);
    for (size_t j = 0; j < (size_t) numSlots; ++j)
        slotOn[j] = snap[j].pwr;

    if (resyncRequest)
    {
        for (size_t j = 0; j < (size_t) numSlots; ++j)
        {
            if (!slotOn[j])
                continue;
            engines[j]->updatePhasorRate(snap[j]);
            engines[j]->forceToResync(snap[j]);
        }
        resyncRequest = false;
    }

    const int n = juce::jmin(numSamples, (int) block.getNumSamples());
    const auto channels = juce::jmin((size_t) numSlots, block.getNumChannels());
    if (n <= 0)
        return;
    auto whole = block.getSubBlock(0, (size_t) n);

    forEachSubBlock(n,
                    [&](int offset, int length, bool first)
                    {
                        for (size_t j = 0; j < channels; ++j)
                        {
                            auto sub = block.getSingleChannelBlock(j).getSubBlock((size_t) offset, (size_t) length);
                            if (slotOn[j])
                                engines[j]->processBlock(whole, sub, snap[j], ppq, flag, loopWrapSample, nearLoopEnd,
                                                         first, length, n);
                            else
                                sub.clear();
                        }
                    });

    auto& outputs = lfoData.lastOutputs[(size_t) engineIndex];
    for (size_t j = 0; j < (size_t) numSlots; ++j)
        outputs[j] = slotOn[j] && j < channels ? block.getSample((int) j, n - 1) : 0.0f;
}
