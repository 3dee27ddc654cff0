// SPDX-License-Identifier: GPL-3.0-or-later
#include "Seq1Data.h"

#include <cmath>
#include <unordered_map>

namespace
{
// What a family of names writes.
enum class Field
{
    power,
    channel,
    direction,
    freeClock,
    syncedClock,
    clockSync,
    clockType,
    resetCount,
    start,
    size,
    octave,
    transpose,
    relMode,
    relBaseNote,
    snapshot,
    pitch,
    relPitch,
    chordOn,
    chordNote,
    stepOctave,
    velocity,
    gate,
    probability,
    slur,
    stepOn
};

// One family of the name list: a unit value, or one property of all 32
// steps. A name with slots is followed by its modulation names: with two,
// _modsrc1, _modsrc2, _moddep1, _moddep2; with one, _modsrc1, _moddep1.
// The chord notes are the one step family of five names per step.
struct Family
{
    const char* stem;
    int slots;
    bool perStep;
    Field field;
};

constexpr std::array<Family, 25> families{{
    {"sq1_pwr", 0, false, Field::power},        {"sq1_ch", 0, false, Field::channel},
    {"sq1_dir", 2, false, Field::direction},    {"sq1_fclk", 0, false, Field::freeClock},
    {"sq1_sclk", 2, false, Field::syncedClock}, {"sq1_csync", 0, false, Field::clockSync},
    {"sq1_clktyp", 0, false, Field::clockType}, {"sq1_rst", 0, false, Field::resetCount},
    {"sq1_strt", 2, false, Field::start},       {"sq1_size", 2, false, Field::size},
    {"sq1_goct", 2, false, Field::octave},      {"sq1_tp", 2, false, Field::transpose},
    {"sq1_relmode", 0, false, Field::relMode},  {"sq1_relbasenote", 2, false, Field::relBaseNote},
    {"sq1_snp", 0, false, Field::snapshot},     {"sq1_pch", 2, true, Field::pitch},
    {"sq1_relpch", 2, true, Field::relPitch},   {"sq1_schrd", 0, true, Field::chordOn},
    {"sq1_s", 0, true, Field::chordNote},       {"sq1_oct", 2, true, Field::stepOctave},
    {"sq1_vel", 1, true, Field::velocity},      {"sq1_gate", 1, true, Field::gate},
    {"sq1_prob", 1, true, Field::probability},  {"sq1_slr", 1, true, Field::slur},
    {"sq1_spwr", 1, true, Field::stepOn},
}};

// Names per value of a family (the value and its modulation names), or per
// step of the chord notes.
int namesPerEntry(const Family& f) noexcept
{
    return f.field == Field::chordNote ? Seq1Data::numChordNotes : 1 + 2 * f.slots;
}

int namesInFamily(const Family& f) noexcept
{
    return namesPerEntry(f) * (f.perStep ? Seq1Data::numSteps : 1);
}

void appendNames(juce::StringArray& names, const juce::String& name, int slots)
{
    names.add(name);
    for (int k = 1; k <= slots; ++k)
        names.add(name + "_modsrc" + juce::String(k));
    for (int k = 1; k <= slots; ++k)
        names.add(name + "_moddep" + juce::String(k));
}

juce::StringArray buildNames()
{
    juce::StringArray names;
    names.ensureStorageAllocated(Seq1Data::numNames);
    for (const auto& f : families)
    {
        if (!f.perStep)
            appendNames(names, f.stem, f.slots);
        else
            for (int k = 1; k <= Seq1Data::numSteps; ++k)
            {
                if (f.field == Field::chordNote)
                    for (int j = 1; j <= Seq1Data::numChordNotes; ++j)
                        names.add(f.stem + juce::String(k) + "_cn" + juce::String(j));
                else
                    appendNames(names, f.stem + juce::String(k), f.slots);
            }
    }
    jassert(names.size() == Seq1Data::numNames);
    return names;
}

// The list and its positions, built once per process.
const juce::StringArray& allNames()
{
    static const juce::StringArray names = buildNames();
    return names;
}

const ZuKeyMap::Map& nameIndices()
{
    return ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            const auto& names = allNames();
            for (int i = 0; i < names.size(); ++i)
                map.emplace(names[i], i);
        });
}

// The field number of handleParamVals for the n-th name of a value with
// slots: with two slots the list order is the field order; with one it is
// value, source 1, depth 1.
int fieldOf(int slots, int part) noexcept
{
    if (slots == 2)
        return part;
    return part == 0 ? ZuDataModelBase::fieldValue
                     : (part == 1 ? ZuDataModelBase::fieldSource1 : ZuDataModelBase::fieldDepth1);
}
} // namespace

Seq1Data::Seq1Data()
    : stepStems{{{"sq1_pch", 2},
                 {"sq1_relpch", 2},
                 {"sq1_oct", 2},
                 {"sq1_vel", 1},
                 {"sq1_gate", 1},
                 {"sq1_prob", 1},
                 {"sq1_slr", 1},
                 {"sq1_spwr", 1},
                 {"sq1_schrd", 0}}}
{
    snapshotValue = -1;
}

void Seq1Data::createParamMap()
{
    nameList = allNames();
}

int Seq1Data::indexOfName(const juce::String& name)
{
    const auto& map = nameIndices();
    const auto it = map.find(name);
    return it == map.end() ? -1 : it->second;
}

void Seq1Data::setParamVal(const juce::String& name, float v)
{
    // The list must have been made (as for every model), and a value that is
    // not a number is no value.
    if (nameList.isEmpty() || !std::isfinite(v))
        return;
    const int index = indexOfName(name);
    if (index < 0)
        return;

    int first = 0;
    const Family* family = nullptr;
    for (const auto& f : families)
    {
        if (index < first + namesInFamily(f))
        {
            family = &f;
            break;
        }
        first += namesInFamily(f);
    }
    if (family == nullptr)
        return;

    const int offset = index - first;
    const int perEntry = namesPerEntry(*family);
    const int step = family->perStep ? offset / perEntry : 0;
    const int part = offset % perEntry;
    const int field = fieldOf(family->slots, part);
    const auto asInt = [v] { return zu::toIntSaturating(v); };

    switch (family->field)
    {
    case Field::power:
        power = zu::toFlag(v);
        return;
    case Field::snapshot:
        currentSnapshot = zu::clampInt(asInt(), 0, numSnapshots - 1);
        return;
    default:
        break;
    }

    auto& snap = snapshots[(size_t) zu::clampInt(currentSnapshot, 0, numSnapshots - 1)];
    auto& s = snap.steps[(size_t) step];
    switch (family->field)
    {
    case Field::channel:
        snap.channel = zu::clampInt(asInt(), minChannel, maxChannel);
        break;
    case Field::direction:
        handleParamVals(snap.direction, field, v, 0, 5);
        break;
    case Field::freeClock:
        snap.freeClock = v;
        break;
    case Field::syncedClock:
        handleParamVals(snap.syncedClock, field, v, 0, 13);
        break;
    case Field::clockSync:
        snap.clockSync = zu::toFlag(v);
        break;
    case Field::clockType:
        snap.clockType = zu::clampInt(asInt(), 0, 2);
        break;
    case Field::resetCount:
        snap.resetCount = asInt();
        break;
    case Field::start:
        handleParamVals(snap.start, field, v, 1, numSteps);
        break;
    case Field::size:
        handleParamVals(snap.size, field, v, 1, numSteps);
        break;
    case Field::octave:
        handleParamVals(snap.octave, field, v);
        break;
    case Field::transpose:
        handleParamVals(snap.transpose, field, v);
        break;
    case Field::relMode:
        snap.relMode = zu::toFlag(v);
        break;
    case Field::relBaseNote:
        handleParamVals(snap.relBaseNote, field, v, 0, 127);
        break;
    case Field::pitch:
        handleParamVals(s.pitch, field, v);
        break;
    case Field::relPitch:
        handleParamVals(s.relPitch, field, v);
        break;
    case Field::chordOn:
        s.chordOn = zu::toFlag(v);
        break;
    case Field::chordNote:
        s.chordNotes[(size_t) part] = asInt();
        break;
    case Field::stepOctave:
        handleParamVals(s.octave, field, v, 0, 4);
        break;
    case Field::velocity:
        handleParamVals(s.velocity, field, v);
        break;
    case Field::gate:
        handleParamVals(s.gate, field, v);
        break;
    case Field::probability:
        handleParamVals(s.probability, field, v);
        break;
    case Field::slur:
        handleParamVals(s.slur, field, v);
        break;
    case Field::stepOn:
        handleParamVals(s.stepOn, field, v);
        break;
    case Field::power:
    case Field::snapshot:
        break;
    }
}

void Seq1Data::snapCopyPaste(int source, int destination)
{
    const auto valid = [](int s) { return s >= 0 && s < numSnapshots; };
    if (!valid(source) || !valid(destination) || source == destination)
        return;
    snapshots[(size_t) destination] = snapshots[(size_t) source];
}
