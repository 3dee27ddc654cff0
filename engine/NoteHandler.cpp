// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoteHandler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
int clampInt(int v, int lo, int hi) noexcept
{
    return v < lo ? lo : (v > hi ? hi : v);
}

int clampSample(int64_t v, int numSamples) noexcept
{
    if (v < 0)
        return 0;
    const int64_t last = std::max(numSamples - 1, 0);
    return static_cast<int>(std::min(v, last));
}

// Records come from the pitch units; out-of-range fields are limited rather
// than trusted, so that no message is ever built from an invalid value.
juce::MidiMessage noteOffFor(const NoteInfo& n) noexcept
{
    return juce::MidiMessage::noteOff(clampInt(n.channel, 1, 16), clampInt(n.noteNumber, 0, 127));
}

juce::MidiMessage noteOnFor(const NoteInfo& n) noexcept
{
    return juce::MidiMessage::noteOn(clampInt(n.channel, 1, 16), clampInt(n.noteNumber, 0, 127),
                                     NoteHandler::velocityByte(n.velocity));
}

size_t listIndexOf(int unitNumber) noexcept
{
    return static_cast<size_t>(clampInt(unitNumber, 0, NoteHandler::numLists - 1));
}

// Lane 0 and every lane 1..4 whose target list names the note's unit.
void sendToLanes(const juce::MidiMessage& m, int sample, int unitNumber, NoteHandler::Lanes& lanes,
                 NoteHandler::LaneTargets& targets)
{
    lanes[0].addEvent(m, sample);
    for (size_t t = 0; t < targets.size(); ++t)
    {
        const auto& list = targets[t];
        if (std::find(list.begin(), list.end(), unitNumber - 1) != list.end())
            lanes[t + 1].addEvent(m, sample);
    }
}

void send(const juce::MidiMessage& m, int sample, int unitNumber, juce::MidiBuffer& output, NoteHandler::Lanes& lanes,
          NoteHandler::LaneTargets& targets)
{
    output.addEvent(m, sample);
    sendToLanes(m, sample, unitNumber, lanes, targets);
}
} // namespace

juce::uint8 NoteHandler::velocityByte(float velocity) noexcept
{
    if (!(velocity > 0.0f))
        return 0;
    // round(v x 127) as MIDI messages take a float velocity, but a note that
    // sounds never goes out with velocity 0, which receivers read as a note-off.
    const float scaled = std::min(velocity, 1.0f) * 127.0f;
    return static_cast<juce::uint8>(clampInt(juce::roundToInt(scaled), 1, 127));
}

NoteHandler::NoteHandler()
{
    for (auto& list : activeNotes)
        list.reserve(notesPerUnitCapacity);
}

void NoteHandler::handleNoteOn(juce::MidiBuffer& output, Lanes& lanes, LaneTargets& recorderLaneTargets,
                               std::vector<NoteInfo>& noteInfos, int numSamples)
{
    // A new note meets a sounding note of its own unit: it ends it, ties to it
    // or lets it overlap (legato).
    if (!noteInfos.empty())
    {
        for (auto& list : activeNotes)
        {
            for (size_t i = 0; i < list.size();)
            {
                NoteInfo& q = list[i];
                bool ended = false;
                for (auto& p : noteInfos)
                {
                    if (p.unitNumber != q.unitNumber)
                        continue;

                    if (!q.slur)
                    {
                        // The note-off goes one sample before the new note-on; a
                        // note-on at 0 moves to 1 so that the note-off precedes it.
                        int64_t off = std::max<int64_t>(static_cast<int64_t>(p.startSample) - 1, 0);
                        if (p.startSample == 0)
                        {
                            off = 0;
                            p.startSample = 1;
                        }
                        off = std::max<int64_t>(std::min<int64_t>(off, q.endSample), 0);
                        send(noteOffFor(q), clampSample(off, numSamples), q.unitNumber, output, lanes,
                             recorderLaneTargets);
                        ended = true;
                        continue;
                    }

                    if (p.noteNumber == q.noteNumber)
                    {
                        // A tie: the sounding note goes on, the new one sends no note-on.
                        p.merged = true;
                        if (!p.slur)
                        {
                            q.endPending = true;
                            q.pendingEndSample = p.endSample;
                        }
                        else
                            q.endPending = false;
                        break;
                    }

                    // Legato overlap: the slurred note ends shortly after the new one starts.
                    q.endPending = true;
                    if (q.endSample > p.endSample)
                        q.pendingEndSample =
                            static_cast<int>(std::max<int64_t>(static_cast<int64_t>(p.endSample) - 1, 0));
                    else
                        q.pendingEndSample = std::max(p.endSample / 2, 1);
                }

                if (ended)
                    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                else
                    ++i;
            }
        }
    }

    for (auto& p : noteInfos)
        if (p.merged)
            p.noteNumber = -1;

    for (auto& list : activeNotes)
        for (auto& q : list)
            if (q.endPending)
            {
                q.endSample = q.pendingEndSample;
                q.endPending = false;
                q.slur = false;
            }

    // A new note of the same pitch and channel takes a sounding note over,
    // whichever unit started it: no note-off for the old one.
    for (const auto& p : noteInfos)
    {
        if (p.noteNumber < 0)
            continue;
        for (auto& list : activeNotes)
            list.erase(std::remove_if(list.begin(), list.end(),
                                      [&p](const NoteInfo& q)
                                      { return q.noteNumber == p.noteNumber && q.channel == p.channel; }),
                       list.end());
    }

    for (const auto& p : noteInfos)
    {
        if (p.noteNumber < 0)
            continue;
        // A note the handler could not keep track of would never get its
        // note-off: at the reserved limit (far beyond what the units start)
        // it is not started at all.
        auto& list = activeNotes[listIndexOf(p.unitNumber)];
        if (list.size() >= notesPerUnitCapacity)
            continue;
        const int sample = clampSample(p.startSample, numSamples);
        const auto message = noteOnFor(p);
        output.addEvent(message, sample);
        list.push_back(p);
        sendToLanes(message, sample, p.unitNumber, lanes, recorderLaneTargets);
    }
}

void NoteHandler::processGate(juce::MidiBuffer& output, Lanes& lanes, LaneTargets& recorderLaneTargets,
                              std::array<bool, numLists>& pitchUnitOn, int numSamples)
{
    for (auto& list : activeNotes)
    {
        for (size_t i = 0; i < list.size();)
        {
            NoteInfo& a = list[i];
            if (a.slur)
            {
                // Frozen until the unit's next note, or until the unit stops running.
                if (!pitchUnitOn[listIndexOf(a.unitNumber)])
                    a.slur = false;
                ++i;
                continue;
            }

            const int64_t e = a.endSample;
            const int64_t remaining = e - numSamples;
            a.endSample = static_cast<int>(std::max<int64_t>(remaining, INT32_MIN));
            if (remaining < 0)
            {
                const int sample = e < 0 ? 0 : clampSample(e, numSamples);
                send(noteOffFor(a), sample, a.unitNumber, output, lanes, recorderLaneTargets);
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            }
            else
                ++i;
        }
    }
}

void NoteHandler::allActiveNotesOff(juce::MidiBuffer& output, int numSamples)
{
    if (numSamples <= 0)
        return;
    for (auto& list : activeNotes)
    {
        for (const auto& note : list)
            output.addEvent(noteOffFor(note), numSamples - 1);
        list.clear();
    }
}

void NoteHandler::reset() noexcept
{
    for (auto& list : activeNotes)
        list.clear();
}

bool NoteHandler::isEmpty() const noexcept
{
    for (const auto& list : activeNotes)
        if (!list.empty())
            return false;
    return true;
}
