// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The first-generation slot modulator, kept because the main engine's older
// slot host (ModEngineHandler) builds eight of them. Nothing prepares or runs
// that host; the class stays complete so that it would behave if it did.
//
// It differs from LfoSahEngine2 in that it fetches its own slot record from
// LfoData (through the base's data unit and slot indices, which stay 0, and
// the unit's current snapshot), re-aligns a synced slot to the host position
// at every sub-block, steps the phasor a second time per sub-block before
// the sample-and-hold wrap test, draws without a hold-off, reads waveforms 0
// to 4 from its tables, and does not re-align after a probability draw.

#include "LfoSahShared.h"
#include "Scurve.h"
#include "ZuKolt_ModEngineBase.h"
#include "ZuSsePhasor.h"
#include "zu_dsp.h"

#include <array>
#include <vector>

class LfoSahEngine : public ZuKolt_ModEngineBase
{
public:
    using ModUnitData = LfoData::ModUnitData;

    LfoSahEngine(LfoData& lfoData, MirabelGlobalData& globalData, int slotIndex);
    ~LfoSahEngine() override;

    using ZuKolt_ModEngineBase::processBlock;
    using ZuKolt_ModEngineBase::syncToHost;

    void prepare(const juce::dsp::ProcessSpec& newSpec) override;
    void reset() override;
    void syncToHost(float ppq) override;
    void processBlock(ModBlock& whole, ModBlock& sub, float ppq, bool, int, bool, int subLength,
                      int blockLength) override;

    // Synced state, tempo and rate from its own record, without modulation.
    void updatePhasorRate();

    const ZuSsePhasor<float>& getPhasor() const noexcept { return phasor; }

private:
    ModUnitData& record() noexcept;
    void updateRate(const ModUnitData& rec, int syncedRate, float freeRate);
    void procWavetable(const float* phase, float* out, int waveform, int n) const noexcept;
    void procWavetable2(const float* phase, float* out, ModUnitData& rec, int n);
    void processSampleHold(ModBlock& sub, float* out, const ModUnitData& rec, const zu::lfo::Knobs& knobs, int n);

    LfoData& lfoData;
    ScurveShared scurve;
    const juce::dsp::LookupTableTransform<float>& freeRateCurve = zu::lfo::SharedCurves::get().freeRateCurve;
    const std::array<juce::dsp::LookupTableTransform<float>, LfoData::numWaveforms>& wavetables =
        zu::lfo::SharedCurves::get().wavetables;
    juce::SmoothedValue<float> sahSmoother;
    ZuSsePhasor<float> phasor;
    zu::lfo::PhaseBuffer phaseBuffer;
    float lastSahPhase = 0.0f;
    float sahValue = 0.0f;
    zu::zudsp::ZuSlide<float> slide;
    const juce::dsp::LookupTableTransform<float>& satCurve = zu::lfo::SharedCurves::get().satCurve;
    std::array<int, LfoData::numWaveforms> weights;
    float lastProbPhase = 1.0f;
    int probWave = 0;
};
