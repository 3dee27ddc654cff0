// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The production pitch engine opened up for the frame tests, a host
// transport that hands it positions block after block, and a modulation block
// the tests can write into.

#include "PtchSEQ_Engine.h"
#include "SeqEngineBase.h"
#include "SwingHandler.h"
#include "UnitBlockContext.h"

#include "ChordData.h"
#include "CtrPtchSqData.h"
#include "DispShareData.h"
#include "LfoData.h"
#include "MirabelGlobalData.h"
#include "ScaleData.h"
#include "Scurve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace enginetest
{
// The models a unit engine is built on, and the shared tables its owner holds.
struct EngineModels
{
    EngineModels();

    MirabelGlobalData global;
    CtrPtchSqData pitch;
    ScaleData scale;
    ChordData chord;
    LfoData lfo;
    ScurveShared scurve;
    juce::SharedResourcePointer<DispShareData> dispShare;

    // Tempo as the main engine writes it each block.
    void setTempo(double bpm, double sampleRate);

    CtrPtchSqData::UnitData& unit(int u = 0) { return pitch.units[(size_t) u]; }
    CtrPtchSqData::SnapData& snap(int s = 0, int u = 0) { return unit(u).snaps[(size_t) s]; }
};

// What one block of the test engine did.
struct BlockResult
{
    bool stepped = false;
    int stepSamplePos = -1;
    int curStep = -1;
    int display = -2;
    int snapIndex = -1;
    bool resetThisBlock = false;
    bool stepPlays = false;
};

// The host side of one block.
struct HostBlock
{
    double ppq = 0.0;
    int numSamples = 512;
    int snapshotRequest = -1;
    bool nearLoopEnd = false;
    int wrapSample = -1;
    std::pair<bool, bool> resetResync{false, false};
};

// The production pitch engine (PtchSEQ_Engine, its block frame as it runs in
// the plug-in) built with the unit kind's scales, reading unit unitIndex of the
// pitch model. processBlock runs one production block and reports what the
// frame did: whether a step began, where, which, and whether it sounded.
class TestUnitEngine : public PtchSEQ_Engine
{
public:
    TestUnitEngine(EngineModels& models, int unitType, int unitIndex = 0);

    BlockResult processBlock(ModBlock& modBlock, SwingHandler& swing, const HostBlock& host);
    using PtchSEQ_Engine::processBlock;

    // The frame's state, open to the tests.
    using SeqEngineBase::chooseStep;
    using SeqEngineBase::clock;
    using SeqEngineBase::clockDiv;
    using SeqEngineBase::clockSync;
    using SeqEngineBase::curDir;
    using SeqEngineBase::curPhaseIdx;
    using SeqEngineBase::curSize;
    using SeqEngineBase::curStep;
    using SeqEngineBase::curStrt;
    using SeqEngineBase::cycleCount;
    using SeqEngineBase::freeRate;
    using SeqEngineBase::lastPhaseIdx;
    using SeqEngineBase::modulationSum;
    using SeqEngineBase::pingPongTrigList;
    using SeqEngineBase::restartPending;
    using SeqEngineBase::rnd2TrigList;
    using SeqEngineBase::startFlag;
    using SeqEngineBase::stepCounter;
    using SeqEngineBase::stepLen;
    using SeqEngineBase::stepSamplePos;
    using SeqEngineBase::stepTrigList;
    using SeqEngineBase::swingAmount;
    using SeqEngineBase::swingOn;
    using SeqEngineBase::takeSnapshotRequest;
    using SeqEngineBase::trigHoldSamples;
    using SeqEngineBase::trigListSize;

    // Next step of the order with the members as they are.
    int nextStep();

private:
    EngineModels& models;
    // What the production block receives besides the host values.
    juce::MidiBuffer input, output;
    UnitBlockContext::Lanes lanes;
    std::vector<NoteInfo> noteInfos;
    std::array<bool, 5> pitchUnitOn{};
    PrmSqTargetEvents targetEvents;
    UnitBlockContext::SnapshotRequests requests{};
    OctTpShift octTp;
};

// A 16-channel modulation block of a fixed length, zero unless a test writes it.
class ModBuffer
{
public:
    explicit ModBuffer(int numSamples = 4096);

    SeqEngineBase::ModBlock block(int numSamples);
    void set(int channel, int sample, float value);
    // Every sample of a channel.
    void fill(int channel, float value);
    float get(int channel, int sample) const;

private:
    int length;
    std::vector<float> data;
    std::vector<float*> channels;
};

// A playing host at a steady tempo: positions follow the sample count.
struct Transport
{
    double sampleRate = 48000.0;
    double bpm = 120.0;
    int64_t sample = 0;

    double ppqAt(int64_t s) const { return (double) s * bpm / (60.0 * sampleRate); }
    double ppq() const { return ppqAt(sample); }
};

// One step as a block of the host saw it.
struct StepEvent
{
    int64_t startSample = 0; // block start + the step's sample in the block
    int step = -1;
    int display = -2;
};

// Runs the engine from the transport's position for numBlocks blocks of
// blockSize samples and collects the steps that began.
std::vector<StepEvent> play(TestUnitEngine& engine, ModBuffer& mod, SwingHandler& swing, Transport& transport,
                            int numBlocks, int blockSize);

juce::dsp::ProcessSpec specFor(double sampleRate, int maxBlockSize);

// A modulatable value with one source at depth 1 (the depth curve's 1).
template <typename T> ZuDataModelBase::MyParam<T> modulated(T value, int source, float depth = 1.0f, int slot = 0)
{
    ZuDataModelBase::MyParam<T> p(value);
    p.modSource[slot] = source;
    p.modDepth[slot] = depth;
    p.updateModActive();
    return p;
}
} // namespace enginetest
