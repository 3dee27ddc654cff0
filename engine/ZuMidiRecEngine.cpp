// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMidiRecEngine.h"

#include "MirabelGlobalData.h"
#include "ZuConvert.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace
{
constexpr double minTickBpm = 10.0;
constexpr double minSampleRate = 1000.0;

double finiteOrZero(double v) noexcept
{
    return std::isfinite(v) ? v : 0.0;
}
} // namespace

ZuMidiRecEngine::ZuMidiRecEngine(MirabelGlobalData& globalDataToUse, int lane)
    : laneIndex(juce::jlimit(0, numLanes - 1, lane)), globalData(globalDataToUse)
{
}

ZuMidiRecEngine::~ZuMidiRecEngine() = default;

void ZuMidiRecEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    calcTicksPerSamples();
    take.reserve((size_t) takeCapacity);
    finishedTake.reserve((size_t) takeCapacity);
}

void ZuMidiRecEngine::addEvent(const RecEvent& event) noexcept
{
    if (take.size() >= take.capacity())
        return;
    // Events arrive almost in time order: shift the few later ones up, keeping
    // events of equal time in arrival order.
    take.push_back(event);
    size_t i = take.size() - 1;
    while (i > 0 && take[i - 1].tick > event.tick)
    {
        take[i] = take[i - 1];
        --i;
    }
    take[i] = event;
}

void ZuMidiRecEngine::addMessage(const juce::uint8* data, int numBytes, double tick) noexcept
{
    RecEvent event;
    event.tick = tick;
    event.size = (juce::uint8) juce::jlimit(0, 3, numBytes);
    for (int b = 0; b < event.size; ++b)
        event.bytes[b] = data[b];
    addEvent(event);
}

juce::MidiMessageSequence ZuMidiRecEngine::toSequence(const std::vector<RecEvent>& events)
{
    juce::MidiMessageSequence sequence;
    for (const auto& e : events)
    {
        if (e.tempo >= 0)
            sequence.addEvent(juce::MidiMessage::tempoMetaEvent(e.tempo), e.tick);
        else if (e.size > 0)
            sequence.addEvent(juce::MidiMessage(e.bytes, (int) e.size, e.tick));
    }
    return sequence;
}

void ZuMidiRecEngine::setBpm(double bpm) noexcept
{
    tempoBpm = std::isfinite(bpm) ? bpm : tempoBpm;
    calcTicksPerSamples();
}

void ZuMidiRecEngine::calcTicksPerSamples() noexcept
{
    const double sampleRate = std::max(finiteOrZero(spec.sampleRate), minSampleRate);
    ticksPerSample = ticksPerQuarter / (60.0 / std::max(tempoBpm, minTickBpm) * sampleRate);
}

void ZuMidiRecEngine::reset()
{
    const auto lane = static_cast<size_t>(laneIndex);
    if (globalData.recArmed[lane].load())
    {
        globalData.recHasTake[lane] = false;
        sampleCount = 0;
        take.clear();
        finishedTake.clear();
        RecEvent tempo;
        tempo.tempo = zu::toIntSaturating(60000000.0 / std::max(tempoBpm, minTickBpm));
        addEvent(tempo);
        takeOpen = true;
        recording = true;

        // Note-ons stop a little before the end so that none starts without room to end.
        const int bars = globalData.recLength.load();
        if (bars != 0)
        {
            noteCutTick = (bars - 1 + 0.9945) * ticksPerBar;
            endTick = (bars - 1 + 0.9997) * ticksPerBar;
        }
        else
        {
            noteCutTick = 127.9945 * ticksPerBar;
            endTick = 127.9999 * ticksPerBar;
        }
    }

    globalData.recRunning[lane] = true;
    if (laneIndex == 0)
        globalData.recStateChanged = true;
}

double ZuMidiRecEngine::samplesPerBeatForAnchor() const noexcept
{
    return std::max(finiteOrZero(spec.sampleRate), minSampleRate) * 60.0 / std::max(tempoBpm, 1.0);
}

// The sample count that puts the take's time zero on the beat at or before
// the transport start.
int ZuMidiRecEngine::anchoredSampleCount(double fraction) const noexcept
{
    const double spb = samplesPerBeatForAnchor();
    return zu::toIntSaturating(std::nearbyint((std::floor(sampleCount / spb) + fraction) * spb));
}

void ZuMidiRecEngine::syncToHost(double ppq) noexcept
{
    const double fraction = ppq - std::floor(ppq);
    if (fraction > 0.08 && fraction < 0.95)
        globalData.recAnchor = anchoredSampleCount(fraction);
}

void ZuMidiRecEngine::closeTake(int maxEventsToWalk)
{
    // Every note-on met walking back gets a note-off before the end; the
    // walk stops at the first note-off.
    struct OpenNote
    {
        int channel;
        int note;
        double time;
    };
    std::array<OpenNote, 128> open{};
    size_t numOpen = 0;

    for (int i = (int) take.size() - 1, walked = 0; i >= 0 && walked < maxEventsToWalk; --i, ++walked)
    {
        const auto& e = take[(size_t) i];
        if (e.size < 3)
            continue;
        const int type = e.bytes[0] & 0xf0;
        const bool noteOn = type == 0x90 && e.bytes[2] != 0;
        const bool noteOff = type == 0x80 || (type == 0x90 && e.bytes[2] == 0);
        if (noteOff)
            break;
        if (noteOn && numOpen < open.size())
            open[numOpen++] = {(e.bytes[0] & 0x0f), e.bytes[1], e.tick};
    }

    for (size_t k = 0; k < numOpen; ++k)
    {
        const juce::uint8 off[3] = {(juce::uint8)(0x80 | open[k].channel), (juce::uint8) open[k].note, 0};
        addMessage(off, 3, std::max(std::floor(endTick) - 10.0, open[k].time + 0.05));
    }
    recording = false;
}

void ZuMidiRecEngine::processBlock(juce::MidiBuffer& lane, const juce::dsp::AudioBlock<double>& masterTicks, bool, int,
                                   int offset, double ppq, int numSamples)
{
    if (!recording)
    {
        if (takeOpen)
            setRecArmOffIfNecessary();
        return;
    }

    const int n = std::min(numSamples, static_cast<int>(masterTicks.getNumSamples()));
    if (n < 1 || masterTicks.getNumChannels() < 1)
        return;
    const double* ticks = masterTicks.getChannelPointer(0);
    if (ticks[n - 1] < 0.0)
        return;

    int first = 0;
    while (first < n && !(ticks[first] >= 0.0))
        ++first;
    if (first == n)
        first = 0;

    const double fraction = ppq - std::floor(ppq);
    if (fraction > 0.08 && fraction < 0.95)
    {
        if (laneIndex == 0)
        {
            sampleCount = anchoredSampleCount(fraction);
            globalData.recAnchor = sampleCount;
        }
        else
            sampleCount = globalData.recAnchor.load();
    }

    const double base = static_cast<double>(sampleCount) - first + offset;
    for (const auto metadata : lane)
    {
        const double t = (base + metadata.samplePosition) * ticksPerSample;
        if (t < endTick)
        {
            if (metadata.numBytes >= 3 && (metadata.data[0] & 0xf0) == 0x90 && metadata.data[2] != 0 &&
                t >= noteCutTick)
                continue;
            addMessage(metadata.data, metadata.numBytes, t);
        }
        else
            closeTake(lane.getNumEvents());
    }

    if (lane.isEmpty() && base * ticksPerSample >= endTick)
        recording = false;

    const int64_t advanced = static_cast<int64_t>(sampleCount) + std::max(n - first, 0);
    sampleCount = static_cast<int>(std::min<int64_t>(advanced, INT32_MAX));
}

void ZuMidiRecEngine::setRecArmOffIfNecessary()
{
    const auto lane = static_cast<size_t>(laneIndex);
    if (globalData.recArmed[lane].load() || takeOpen)
    {
        if (take.size() > 1)
        {
            std::swap(take, finishedTake);
            take.clear();
            globalData.recRunning[lane] = false;
            if (laneIndex == 0)
                globalData.recStateChanged = true;
            globalData.recHasTake[lane] = true;
        }
        else
            globalData.recHasTake[lane] = false;
    }
    globalData.recArmed[lane] = false;
    takeOpen = false;
}
