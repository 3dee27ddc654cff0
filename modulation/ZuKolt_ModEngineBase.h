// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The common base of the modulation slot engines: the operations a slot engine
// offers its host (all empty here), what every slot engine shares (the
// process spec, the global model for host tempo and position, its own random
// generator and the shared waveform functions) and the conversion of a
// tempo-synced note division into a rate in hertz.
//
// Slot engines are built on the message thread with their unit engine (taking
// a share of the waveform functions there) and run on the audio thread.

#include "LfoData.h"
#include "zuWavetableHandler.h"

#include <juce_dsp/juce_dsp.h>

#include <array>

class MirabelGlobalData;

class ZuKolt_ModEngineBase : public juce::dsp::ProcessorBase
{
public:
    using ModBlock = juce::dsp::AudioBlock<float>;

    static constexpr int numSyncedRates = 14;
    // Sixty times the cycle length in beats of each division "128/1" .. "1/64".
    static const std::array<float, numSyncedRates> syncedRatePeriods;

    ZuKolt_ModEngineBase(MirabelGlobalData& globalData, int slotIndex);
    ~ZuKolt_ModEngineBase() override;

    void prepare(const juce::dsp::ProcessSpec&) override {}
    void process(const juce::dsp::ProcessContextReplacing<float>&) override {}
    void reset() override {}
    virtual void initialize() {}
    virtual void parameterChanged(const juce::String&, float) {}
    virtual void syncToHost(float) {}
    virtual void syncToHost(float, bool, bool) {}
    virtual void startNote(int) {}
    virtual void stopNote(int) {}
    virtual void processBlock(ModBlock&, ModBlock&, float, bool, int, bool, int, int) {}
    virtual void processBlock(ModBlock&, ModBlock&, LfoData::ModUnitData&, float, bool, int, bool, bool, int, int) {}

    // The rate in Hz of one cycle per note division 0..13 ("128/1" .. "1/64")
    // at bpm; type 1 triplet (a shorter period), 2 dotted (a longer one), any
    // other type normal. A division outside 0..13 gives 1 Hz.
    static float getSyncedRateHz(int division, int type, float bpm) noexcept;

    // Fixes the random sequence (tests); construction seeds it randomly.
    void seedRandom(juce::int64 seed) noexcept { random.setSeed(seed); }
    int getSlotIndex() const noexcept { return slotIndex; }

protected:
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    // The unit and slot whose record the older modulator reads; never set.
    int dataUnitIndex = 0;
    int dataSlotIndex = 0;
    const int slotIndex;
    MirabelGlobalData& globalData;
    juce::Random random;
    juce::SharedResourcePointer<zuWavetableHandler> wavetableHandler;

    JUCE_DECLARE_NON_COPYABLE(ZuKolt_ModEngineBase)
};
