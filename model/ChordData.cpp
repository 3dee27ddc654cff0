// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChordData.h"

namespace
{
// The stored form of an editor item id: id - 1 within lo..hi.
int32_t fromItemId(float v, int32_t lo, int32_t hi) noexcept
{
    const int64_t stored = (int64_t) zu::toIntSaturating(v) - 1;
    return (int32_t) juce::jlimit<int64_t>(lo, hi, stored);
}
} // namespace

ChordData::ChordData() : chordDisplayNames(makeDisplayNames()) {}

std::array<juce::String, ChordData::numSlots + 1> ChordData::makeDisplayNames()
{
    std::array<juce::String, numSlots + 1> names;
    for (int i = 0; i < numSlots; ++i)
        names[(size_t) i] = "Chrd " + juce::String(i + 1);
    names[numSlots] = names[0];
    return names;
}

void ChordData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            int i = 1;
            map["p9_chord_pwr"] = i++;
            for (int t = 1; t <= numTargets; ++t)
                map["p9_chordtar" + juce::String(t)] = i++;
            for (int n = 1; n <= numSlots; ++n)
            {
                const juce::String sn(n);
                map["p9_chord_type" + sn] = i++;
                map["p9_chord_root" + sn] = i++;
                map["p9_chord_inv" + sn] = i++;
                map["p9_chord_custom" + sn] = i++;
                for (int c = 1; c <= numCustomNotes; ++c)
                    map["p9_chord" + sn + "_cn" + juce::String(c)] = i++;
            }
            jassert(i == numParams + 1);
        }));
}

int ChordData::getParamIndex(const juce::String& name) const
{
    const auto it = paramMap.find(name);
    return it == paramMap.end() ? 0 : it->second;
}

void ChordData::setParamVal(const juce::String& name, float value)
{
    setParamValAt(getParamIndex(name), value);
}

void ChordData::setParamValAt(int index, float v) noexcept
{
    if (index < 1 || index > numParams || !std::isfinite(v))
        return;
    if (index == idxPwr)
    {
        chordPower = zu::toFlag(v);
        return;
    }
    if (index < idxFirstSlot)
    {
        chordTargets[(size_t) (index - idxTarget1)] = zu::toFlag(v);
        return;
    }

    auto& slot = chordSlots[(size_t) ((index - idxFirstSlot) / keysPerSlot)];
    const int field = (index - idxFirstSlot) % keysPerSlot;
    switch (field)
    {
    case 0:
        slot.chordType = fromItemId(v, 0, numChordTypes - 1);
        break;
    case 1:
        slot.chordRoot = fromItemId(v, 0, 11);
        break;
    case 2:
        slot.inversion = fromItemId(v, 0, maxInversion);
        break;
    case 3:
        slot.custom = zu::toFlag(v);
        break;
    default:
        slot.customNotes[(size_t) (field - 4)] = fromItemId(v, minCustomNote, maxCustomNote);
        break;
    }
}

void ChordData::init()
{
    chordPower = true;
    for (auto& t : chordTargets)
        t = false;
    for (size_t s = 0; s < chordSlots.size(); ++s)
    {
        auto& slot = chordSlots[s];
        slot.chordType = 0;
        slot.chordRoot = (int32_t) s;
        slot.inversion = 0;
        slot.custom = false;
        for (auto& note : slot.customNotes)
            note = 0;
    }
}
