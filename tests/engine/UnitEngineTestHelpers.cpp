// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <algorithm>

namespace enginetest
{
EngineModels::EngineModels()
{
    setTempo(120.0, 48000.0);
}

void EngineModels::setTempo(double bpm, double sampleRate)
{
    global.sampleRate = sampleRate;
    global.bpm = bpm;
    global.invBpm = 1.0 / std::max(bpm, 10.0);
    global.samplesPerBeat = 60.0 * sampleRate / std::max(bpm, 5.0);
}

//==============================================================================
TestUnitEngine::TestUnitEngine(EngineModels& m, int type, int index)
    : PtchSEQ_Engine(m.global, m.pitch, m.scale, m.chord, m.lfo, *m.scurve, *m.dispShare, type, index,
                     zu::units::unitNumberOf(type, index)),
      models(m)
{
    noteInfos.reserve(64);
}

BlockResult TestUnitEngine::processBlock(ModBlock& modBlock, SwingHandler& swing, const HostBlock& host)
{
    noteInfos.clear();
    requests.fill(-1);
    requests[(size_t) zu::units::requestIndexOf(zu::units::unitIdOf(unitType, unitIndex))] =
        host.snapshotRequest;
    UnitBlockContext context{
        input,    output, false,    lanes, swing, noteInfos,        pitchUnitOn,     modBlock,       targetEvents,
        requests, octTp,  host.ppq, false, true,  host.nearLoopEnd, host.wrapSample, host.numSamples};
    context.clockResetResync = host.resetResync;
    PtchSEQ_Engine::processBlock(context);

    // A step began exactly when the frame's trigger fired in this block.
    BlockResult result;
    result.stepped = trigFlag;
    if (result.stepped)
    {
        result.stepSamplePos = stepSamplePos;
        result.stepPlays = !noteInfos.empty();
    }
    result.curStep = curStep;
    const int display = getDisplayIndex();
    result.display = display >= 0 ? (int) models.global.curSteps[(size_t) display] : -2;
    result.snapIndex = snapIndex;
    result.resetThisBlock = resetThisBlock;
    return result;
}

int TestUnitEngine::nextStep()
{
    ModBuffer mod(64);
    auto block = mod.block(64);
    int counter = 0;
    stepProcess(block, {}, {}, {}, 0.0, 64, counter);
    return curStep;
}

//==============================================================================
ModBuffer::ModBuffer(int numSamples) : length(numSamples), data((size_t) (16 * numSamples), 0.0f)
{
    for (int c = 0; c < 16; ++c)
        channels.push_back(data.data() + (size_t) (c * length));
}

SeqEngineBase::ModBlock ModBuffer::block(int numSamples)
{
    return SeqEngineBase::ModBlock(channels.data(), channels.size(), (size_t) std::min(numSamples, length));
}

void ModBuffer::set(int channel, int sample, float value)
{
    channels[(size_t) channel][sample] = value;
}

void ModBuffer::fill(int channel, float value)
{
    std::fill(channels[(size_t) channel], channels[(size_t) channel] + length, value);
}

float ModBuffer::get(int channel, int sample) const
{
    return channels[(size_t) channel][sample];
}

//==============================================================================
std::vector<StepEvent> play(TestUnitEngine& engine, ModBuffer& mod, SwingHandler& swing, Transport& transport,
                            int numBlocks, int blockSize)
{
    std::vector<StepEvent> steps;
    for (int b = 0; b < numBlocks; ++b)
    {
        HostBlock host;
        host.ppq = transport.ppq();
        host.numSamples = blockSize;
        auto block = mod.block(blockSize);
        const auto r = engine.processBlock(block, swing, host);
        if (r.stepped)
            steps.push_back({transport.sample + r.stepSamplePos, r.curStep, r.display});
        transport.sample += blockSize;
    }
    return steps;
}

juce::dsp::ProcessSpec specFor(double sampleRate, int maxBlockSize)
{
    return {sampleRate, (juce::uint32) maxBlockSize, 1};
}
} // namespace enginetest
