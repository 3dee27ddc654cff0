// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnginePlayer.h"

EngineModels::EngineModels()
{
    global.createParamMap();
    pitch.createParamMap();
    param.createParamMap();
    cc.createParamMap();
    octTp.createParamMap();
    rack.createParamMap();
    lfo.createParamMap();
    macros.createParamMap();
    scale.createParamMap();
    chord.createParamMap();
}

juce::Optional<juce::AudioPlayHead::PositionInfo> HostTransport::toPosition() const
{
    if (!present)
        return {};
    juce::AudioPlayHead::PositionInfo info;
    info.setIsPlaying(playing);
    if (ppq.has_value())
        info.setPpqPosition(*ppq);
    if (bpm.has_value())
        info.setBpm(*bpm);
    info.setIsLooping(looping);
    if (loopStart.has_value() && loopEnd.has_value())
        info.setLoopPoints(juce::AudioPlayHead::LoopPoints{*loopStart, *loopEnd});
    return info;
}

std::vector<MidiEvent> notesOf(const juce::MidiBuffer& buffer)
{
    std::vector<MidiEvent> events;
    for (const auto metadata : buffer)
    {
        const auto m = metadata.getMessage();
        if (m.isNoteOnOrOff())
            events.push_back({metadata.samplePosition, m.isNoteOn(), m.getChannel(), m.getNoteNumber()});
    }
    return events;
}

EnginePlayer::EnginePlayer(double sampleRate, int maxBlockSize)
    : engine(models.global, models.pitch, models.param, models.cc, models.octTp, models.rack, models.lfo, models.macros,
             models.scale, models.chord)
{
    prepare(sampleRate, maxBlockSize);
}

void EnginePlayer::prepare(double sampleRate, int maxBlockSize)
{
    juce::dsp::ProcessSpec spec{sampleRate, static_cast<juce::uint32>(maxBlockSize), 0};
    engine.prepare(spec);
    modBlock = juce::dsp::AudioBlock<float>(modMemory, MainEngine::numModChannels, static_cast<size_t>(maxBlockSize));
    modBlock.clear();
    engine.setModulationBlock(modBlock);
}

const juce::MidiBuffer& EnginePlayer::run(const HostTransport& transport, int numSamples)
{
    output.clear();
    auto position = transport.toPosition();
    engine.processBlock(input, output, inputNotes, position, numSamples);
    return output;
}

const juce::MidiBuffer& EnginePlayer::play(double ppq, int numSamples, double bpm)
{
    HostTransport t;
    t.ppq = ppq;
    t.bpm = bpm;
    return run(t, numSamples);
}

const juce::MidiBuffer& EnginePlayer::playLooping(double ppq, double loopStart, double loopEnd, int numSamples,
                                                  double bpm)
{
    HostTransport t;
    t.ppq = ppq;
    t.bpm = bpm;
    t.looping = true;
    t.loopStart = loopStart;
    t.loopEnd = loopEnd;
    return run(t, numSamples);
}

const juce::MidiBuffer& EnginePlayer::stop(int numSamples)
{
    HostTransport t;
    t.playing = false;
    return run(t, numSamples);
}

float EnginePlayer::modSample(int channel, int sample) const
{
    return modBlock.getSample(channel, sample);
}

void EnginePlayer::fillModBlock(float value)
{
    modBlock.fill(value);
}
