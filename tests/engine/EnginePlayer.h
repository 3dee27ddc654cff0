// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A headless player for the engine tests: the ten models as the processor
// builds them, the main engine, the processor's modulation block, and a host
// transport that each call hands in. Collects the MIDI of every block.

#include "MainEngine.h"

#include "ChordData.h"
#include "CtrCcRackData.h"
#include "CtrCcSqData.h"
#include "CtrOctSqData.h"
#include "CtrPrmSqData.h"
#include "CtrPtchSqData.h"
#include "LfoData.h"
#include "MacroData.h"
#include "MirabelGlobalData.h"
#include "ScaleData.h"

#include <optional>
#include <vector>

struct EngineModels
{
    EngineModels();

    MirabelGlobalData global;
    CtrPtchSqData pitch;
    CtrPrmSqData param;
    CtrCcSqData cc;
    CtrOctSqData octTp;
    CtrCcRackData rack;
    LfoData lfo;
    MacroData macros;
    ScaleData scale;
    ChordData chord;
};

// What the host reports for one block.
struct HostTransport
{
    bool present = true; // false: no position at all
    bool playing = true;
    std::optional<double> ppq = 0.0;
    std::optional<double> bpm = 120.0;
    bool looping = false;
    std::optional<double> loopStart;
    std::optional<double> loopEnd;

    juce::Optional<juce::AudioPlayHead::PositionInfo> toPosition() const;
};

// One MIDI event as a test compares it.
struct MidiEvent
{
    int sample = 0;
    bool noteOn = false;
    int channel = 0;
    int note = 0;

    bool operator==(const MidiEvent& o) const
    {
        return sample == o.sample && noteOn == o.noteOn && channel == o.channel && note == o.note;
    }
};

std::vector<MidiEvent> notesOf(const juce::MidiBuffer& buffer);

class EnginePlayer
{
public:
    explicit EnginePlayer(double sampleRate = 48000.0, int maxBlockSize = 512);

    // Prepares the engine and hands it a fresh modulation block, as the processor does.
    void prepare(double sampleRate, int maxBlockSize);

    // Runs one block with the given transport; returns the block's output.
    const juce::MidiBuffer& run(const HostTransport& transport, int numSamples);
    const juce::MidiBuffer& play(double ppq, int numSamples, double bpm = 120.0);
    const juce::MidiBuffer& playLooping(double ppq, double loopStart, double loopEnd, int numSamples,
                                        double bpm = 120.0);
    const juce::MidiBuffer& stop(int numSamples);

    // Samples of a modulation channel, as the last block left them.
    float modSample(int channel, int sample) const;
    void fillModBlock(float value);

    EngineModels models;
    MainEngine engine;
    juce::HeapBlock<char> modMemory;
    juce::dsp::AudioBlock<float> modBlock;
    juce::MidiBuffer input;
    juce::MidiBuffer output;
    MainEngine::InputNotes inputNotes;
};
