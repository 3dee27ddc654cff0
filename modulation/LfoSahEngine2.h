// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One modulation slot of one unit: turns the slot's record in LfoData into a
// control signal, one float per sample, on its channel of the modulation
// block. Three engine modes: LFO (a waveform driven by the phasor),
// sample-and-hold (a random value drawn at each new cycle, held or glided)
// and probability LFO (each new cycle plays a waveform chosen by weighted
// chance). The rate is free (0.01 to 20 Hz) or synced to a note division;
// six knobs can each be moved by two sources (lower slots of the same unit or
// the macros), read once per sub-block. The output is shaped, offset,
// smoothed, scaled and made unipolar or bipolar, and display values are
// published in the record for the editor.
//
// Built on the message thread with its unit engine; everything else runs on
// the audio thread, sub-block by sub-block, called by ModEngineHandler2.
// Nothing allocates after prepare. Record values that are not numbers count
// as the knob's default; a source number that names no channel of the block
// reads nothing.

#include "LfoSahShared.h"
#include "Scurve.h"
#include "ZuKolt_ModEngineBase.h"
#include "ZuSsePhasor.h"
#include "zu_dsp.h"

#include <array>
#include <vector>

class LfoSahEngine2 : public ZuKolt_ModEngineBase
{
public:
    using ModUnitData = LfoData::ModUnitData;
    template <typename T> using MyParam = ZuDataModelBase::MyParam<T>;

    enum EngineMode
    {
        lfoMode = 0,
        sampleHoldMode = 1,
        probabilityMode = 2
    };

    // Samples between two random draws, at least.
    static constexpr int drawHoldoffSamples = 512;

    LfoSahEngine2(MirabelGlobalData& globalData, int slotIndex);
    ~LfoSahEngine2() override;

    using ZuKolt_ModEngineBase::processBlock;
    using ZuKolt_ModEngineBase::syncToHost;

    void prepare(const juce::dsp::ProcessSpec& newSpec) override;
    void reset() override;

    // Renders subLength samples into sub (one channel); whole is the unit's
    // whole modulation block of blockLength samples, read for knob modulation.
    void processBlock(ModBlock& whole, ModBlock& sub, ModUnitData& rec, float, bool, int, bool, bool firstSubBlock,
                      int subLength, int blockLength) override;

    // Synced state, tempo and rate from the record, with knob modulation.
    void updatePhasorRate(const ModBlock& whole, const ModUnitData& rec, int blockLength);
    // The same without modulation (before a resync).
    void updatePhasorRate(const ModUnitData& rec);
    // Re-aligns the phase to the host position, free-running slots too.
    void forceToResync(const ModUnitData& rec);
    void syncToHost(float ppq, bool synced, bool freeToo) override;

    // Knob modulation of the phase, offset, smoothing and level knobs.
    void handleParamMod(const ModBlock& whole, const ModUnitData& rec, float& kph, float& kos, float& ksm, float& klv,
                        int blockLength);
    // Knob modulation of the rate knobs (the synced one only when synced, the
    // free one only when not).
    void handleParamModRate(const ModBlock& whole, const ModUnitData& rec, int& ksr, float& kfr, bool synced,
                            int blockLength);

    // The probability mode's choice of waveform (rebuilding the weights first
    // when the record's weights changed).
    int probWaveform(ModUnitData& rec);
    void updateWeightTable(ModUnitData& rec);

    // Brings every value held between blocks back to what construction gave
    // it (the slot of a unit engine reused on the audio thread); allocates nothing.
    void restoreConstructionState() noexcept;

    // Read access for the host and tests.
    const ZuSsePhasor<float>& getPhasor() const noexcept { return phasor; }
    float getSahValue() const noexcept { return sahValue; }
    int getProbWave() const noexcept { return probWave; }
    bool isResyncEachBlock() const noexcept { return resyncEachBlock; }
    int getDrawHoldoff() const noexcept { return drawHoldoff; }
    const std::array<int, LfoData::numWaveforms>& getWeights() const noexcept { return weights; }
    float readWavetable(int waveform, float x) const noexcept;
    float readFreeRateCurve(float x) const noexcept { return freeRateCurve.processSample(x); }

private:
    using Knobs = zu::lfo::Knobs;

    void procWavetable(const float* phase, float* out, int waveform, int n) const noexcept;
    void procWavetable2(const float* phase, float* out, ModUnitData& rec, int n);
    void processSampleHold(ModBlock& sub, float* out, ModUnitData& rec, const Knobs& knobs, int n);
    void fillFromSmoother(float* out, int from, int to) noexcept;
    float hostPosition() const noexcept;
    // The host position at the end of the current sub-block, where the phase
    // stands after it: a draw re-aligns there, so draws stay on the host's grid.
    float positionAfterSubBlock() const noexcept;

    ScurveShared scurve;
    const juce::dsp::LookupTableTransform<float>& freeRateCurve = zu::lfo::SharedCurves::get().freeRateCurve;
    const std::array<juce::dsp::LookupTableTransform<float>, LfoData::numWaveforms>& wavetables =
        zu::lfo::SharedCurves::get().wavetables;
    juce::SmoothedValue<float> sahSmoother;
    ZuSsePhasor<float> phasor;
    zu::lfo::PhaseBuffer phaseBuffer;
    float lastSahPhase = 0.0f;
    float sahValue = 0.0f;
    bool resyncEachBlock = true;
    int drawHoldoff = 0;
    zu::zudsp::ZuSlide<float> slide;
    const juce::dsp::LookupTableTransform<float>& satCurve = zu::lfo::SharedCurves::get().satCurve;
    std::array<int, LfoData::numWaveforms> weights;
    float lastProbPhase = 1.0f;
    int probWave = 0;
    // Samples of this block rendered up to the end of the current sub-block.
    int subBlockEnd = 0;
};
