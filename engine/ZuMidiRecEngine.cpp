// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMidiRecEngine.h"

#include "MirabelGlobalData.h"
#include "ZuConvert.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double minTickBpm = 10.0;
constexpr double minSampleRate = 1000.0;
// A re-anchor that would move the take's clock back by more than this many
// ticks means the host jumped (a loop whose length is not whole beats): the
// clock moves on to the same fraction of the next beat instead. Smaller
// moves back are rounding and leave the clock where it is.
constexpr double anchorBackTolerance = 1.0;

double finiteOrZero(double v) noexcept
{
    return std::isfinite(v) ? v : 0.0;
}

bool isNoteOn(const juce::uint8* d, int size) noexcept
{
    return size >= 3 && (d[0] & 0xf0) == 0x90 && d[2] != 0;
}

bool isNoteOff(const juce::uint8* d, int size) noexcept
{
    return size >= 3 && ((d[0] & 0xf0) == 0x80 || ((d[0] & 0xf0) == 0x90 && d[2] == 0));
}

int noteSlot(const juce::uint8* d) noexcept
{
    return (d[0] & 0x0f) * 128 + (d[1] & 0x7f);
}
} // namespace

ZuMidiRecEngine::ZuMidiRecEngine(MirabelGlobalData& globalDataToUse, int lane)
    : laneIndex(juce::jlimit(0, numLanes - 1, lane)), globalData(globalDataToUse)
{
}

ZuMidiRecEngine::~ZuMidiRecEngine() = default;

void ZuMidiRecEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    if (!storesMade.load(std::memory_order_acquire))
    {
        // Every store starts with one chunk: the stores take turns as the take
        // being recorded, and a usual take never needs more.
        for (auto& store : stores)
            store.addFirstChunk(std::make_unique<RecTakeStore::Chunk>());
        supply.topUp();
        storesMade.store(true, std::memory_order_release);
    }
    spec = newSpec;
    calcTicksPerSamples();
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

int ZuMidiRecEngine::getSampleCount() const noexcept
{
    return ticksPerSample > 0.0 ? zu::toIntSaturating(std::nearbyint(takeTicks / ticksPerSample)) : 0;
}

//==============================================================================
void ZuMidiRecEngine::reset()
{
    const auto lane = static_cast<size_t>(laneIndex);
    if (globalData.recArmed[lane].load())
    {
        globalData.recHasTake[lane] = false;
        globalData.recTakeCut[lane] = false;
        takeTicks = 0.0;
        takeStartPending = true;
        openCount.fill(0);
        numOpenNotes = 0;

        // The finished take is emptied when a new one starts: hand an empty
        // store to the reader and record into a free one.
        stores[(size_t) writerStore].clear();
        storeLengthTicks[(size_t) writerStore] = 0.0;
        publishWriterStore();
        stores[(size_t) writerStore].clear();

        RecEvent tempo;
        tempo.tempo = zu::toIntSaturating(60000000.0 / std::max(tempoBpm, minTickBpm));
        insertEvent(tempo, 0);
        takeOpen = true;
        recording = true;

        // Note-ons stop a little before the end so that none starts without room to end.
        const int bars = globalData.recLength.load();
        const double lastBar = bars > 0 ? bars - 1 : 127;
        noteCutTick = (lastBar + 0.9945) * ticksPerBar;
        endTick = (lastBar + (bars > 0 ? 0.9997 : 0.9999)) * ticksPerBar;
        lengthTicks = (lastBar + 1.0) * ticksPerBar;
    }

    globalData.recRunning[lane] = true;
    if (laneIndex == 0)
        globalData.recStateChanged = true;
}

double ZuMidiRecEngine::samplesPerBeatForAnchor() const noexcept
{
    return std::max(finiteOrZero(spec.sampleRate), minSampleRate) * 60.0 / std::max(tempoBpm, 1.0);
}

// The take clock moved to the given fraction of its current beat, rounded to
// whole samples (ties to even), so that the take's beat grid stays locked to
// the host's: while the clock and the host agree this moves it by rounding
// only. Where the host jumps back within the beat (a loop of a fraction of
// beats) the clock goes on to that fraction of the next beat instead, so that
// a take never runs backwards and always reaches its end.
double ZuMidiRecEngine::anchoredTicks(double fraction) const noexcept
{
    if (ticksPerSample <= 0.0)
        return takeTicks;
    const double spb = samplesPerBeatForAnchor();
    const double samples = takeTicks / ticksPerSample;
    double anchored = std::nearbyint((std::floor(samples / spb) + fraction) * spb) * ticksPerSample;
    if (anchored < takeTicks - anchorBackTolerance)
        anchored = std::nearbyint((std::floor(samples / spb) + 1.0 + fraction) * spb) * ticksPerSample;
    return std::max(anchored, takeTicks);
}

void ZuMidiRecEngine::syncToHost(double ppq) noexcept
{
    const double fraction = ppq - std::floor(ppq);
    if (fraction > 0.08 && fraction < 0.95 && ticksPerSample > 0.0)
        globalData.recAnchor = zu::toIntSaturating(std::nearbyint(anchoredTicks(fraction) / ticksPerSample));
}

//==============================================================================
void ZuMidiRecEngine::markCut() noexcept
{
    globalData.recTakeCut[static_cast<size_t>(laneIndex)] = true;
}

// Keeps room for the note-offs that closing the take may need beyond extraRoom.
bool ZuMidiRecEngine::insertEvent(const RecEvent& event, int extraRoom) noexcept
{
    auto& store = stores[(size_t) writerStore];
    if (!store.reserveFree(1 + numOpenNotes + extraRoom, supply))
    {
        markCut();
        return false;
    }
    store.insert(event);
    return true;
}

void ZuMidiRecEngine::recordEvent(const juce::uint8* data, int numBytes, double tick) noexcept
{
    RecEvent event;
    event.tick = tick;
    event.size = (juce::uint8) juce::jlimit(0, 3, numBytes);
    for (int b = 0; b < event.size; ++b)
        event.bytes[b] = data[b];

    if (isNoteOn(data, numBytes))
    {
        const int slot = noteSlot(data);
        if (openCount[(size_t) slot] < 0xffff && insertEvent(event, 1))
        {
            ++openCount[(size_t) slot];
            openTick[(size_t) slot] = tick;
            ++numOpenNotes;
        }
    }
    else if (isNoteOff(data, numBytes))
    {
        // A note-off whose note-on the take does not hold (cut before the
        // end, or dropped) would end nothing but another note: left out.
        const int slot = noteSlot(data);
        if (openCount[(size_t) slot] == 0)
            return;
        --numOpenNotes; // its closing room is now free for the note-off itself
        --openCount[(size_t) slot];
        insertEvent(event, 0);
    }
    else if (numBytes > 0)
        insertEvent(event, 0);
}

// Ends every note still open: each gets its note-off shortly before the end
// (never before its own note-on), on its channel, velocity 0.
void ZuMidiRecEngine::closeTake()
{
    const double offTick = std::floor(endTick) - 10.0;
    for (int slot = 0; slot < numNoteSlots && numOpenNotes > 0; ++slot)
    {
        for (; openCount[(size_t) slot] > 0; --openCount[(size_t) slot])
        {
            RecEvent off;
            off.tick = std::max(offTick, openTick[(size_t) slot] + 0.05);
            off.bytes[0] = (juce::uint8)(0x80 | (slot / 128));
            off.bytes[1] = (juce::uint8)(slot % 128);
            off.size = 3;
            --numOpenNotes;
            insertEvent(off, 0); // its room was kept when the note opened
        }
    }
    numOpenNotes = 0;
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

    // Every lane anchors its own clock the same way, so that a lane recording
    // without lane 0 never takes a stale anchor. The take's first block sets
    // its time zero to the beat at or before it, wherever in the beat it
    // starts; later blocks re-anchor only away from the beat's edges, where
    // the host's position and the counted one could fall on either side.
    const double fraction = ppq - std::floor(ppq);
    if (std::isfinite(fraction) && (takeStartPending || (fraction > 0.08 && fraction < 0.95)))
    {
        takeStartPending = false;
        takeTicks = anchoredTicks(fraction);
        if (laneIndex == 0 && ticksPerSample > 0.0)
            globalData.recAnchor = zu::toIntSaturating(std::nearbyint(takeTicks / ticksPerSample));
    }

    const double base = takeTicks + static_cast<double>(offset - first) * ticksPerSample;
    for (const auto metadata : lane)
    {
        if (!recording)
            break;
        const double t = base + metadata.samplePosition * ticksPerSample;
        if (t >= endTick)
            closeTake();
        else if (!(isNoteOn(metadata.data, metadata.numBytes) && t >= noteCutTick))
            recordEvent(metadata.data, metadata.numBytes, t);
    }

    // A block that starts at or past the end closes the take even without events.
    if (recording && base >= endTick)
        closeTake();

    takeTicks += static_cast<double>(std::max(n - first, 0)) * ticksPerSample;
}

void ZuMidiRecEngine::setRecArmOffIfNecessary()
{
    const auto lane = static_cast<size_t>(laneIndex);
    if (globalData.recArmed[lane].load() || takeOpen)
    {
        if (stores[(size_t) writerStore].size() > 1)
        {
            storeLengthTicks[(size_t) writerStore] = lengthTicks;
            publishWriterStore();
            stores[(size_t) writerStore].clear();
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

//==============================================================================
void ZuMidiRecEngine::publishWriterStore() noexcept
{
    writerStore = middleStore.exchange(writerStore | freshBit, std::memory_order_acq_rel) & storeIndexMask;
}

void ZuMidiRecEngine::takeNewestPublished()
{
    if ((middleStore.load(std::memory_order_acquire) & freshBit) == 0)
        return;
    readerStore = middleStore.exchange(readerStore, std::memory_order_acq_rel) & storeIndexMask;
    readerLengthTicks = storeLengthTicks[(size_t) readerStore];
    readerSequence = toSequence(stores[(size_t) readerStore], readerLengthTicks);
}

juce::MidiMessageSequence ZuMidiRecEngine::getFinishedSequence()
{
    takeNewestPublished();
    return readerSequence;
}

double ZuMidiRecEngine::getFinishedLengthTicks()
{
    takeNewestPublished();
    return readerSequence.getNumEvents() > 0 ? readerLengthTicks : 0.0;
}

juce::MidiMessageSequence ZuMidiRecEngine::toSequence(const RecTakeStore& store, double takeLengthTicks)
{
    juce::MidiMessageSequence sequence;
    for (int i = 0; i < store.size(); ++i)
    {
        const auto& e = store[i];
        if (e.tempo >= 0)
            sequence.addEvent(juce::MidiMessage::tempoMetaEvent(e.tempo), e.tick);
        else if (e.size > 0)
            sequence.addEvent(juce::MidiMessage(e.bytes, (int) e.size, e.tick));
    }
    // A file written from the take then spans its bars exactly.
    if (sequence.getNumEvents() > 0 && takeLengthTicks > 0.0)
        sequence.addEvent(juce::MidiMessage::endOfTrack(), takeLengthTicks);
    sequence.updateMatchedPairs();
    return sequence;
}
