// SPDX-License-Identifier: GPL-3.0-or-later
#include "DispShareData.h"
#include "ZuConvert.h"

#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <cmath>

namespace
{
struct ChordType
{
    const char* name;
    std::initializer_list<int> intervals;
};

const ChordType chordTypes[DispShareData::numChordTypes] = {
    {"Maj", {0, 4, 7}},       {"Maj6", {0, 4, 7, 9}},   {"Maj7", {0, 4, 7, 11}},  {"Maj9", {0, 4, 7, 11, 14}},
    {"min", {0, 3, 7}},       {"min6", {0, 3, 7, 9}},   {"min7", {0, 3, 7, 10}},  {"min9", {0, 3, 7, 10, 14}},
    {"7", {0, 4, 7, 10}},     {"9", {0, 4, 7, 10, 14}}, {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}},
    {"7-5", {0, 4, 6, 10}},   {"sus4", {0, 5, 7}},      {"7sus4", {0, 5, 7, 10}}, {"sus2", {0, 2, 7}},
    {"7sus2", {0, 2, 7, 10}}, {"dim", {0, 3, 6}},       {"dim7", {0, 3, 6, 9}},   {"aug", {0, 4, 8}}};

// A whole number, with "+" in front when it is above 0.
juce::String signedNumber(int n)
{
    return (n > 0 ? "+" : "") + juce::String(n);
}
} // namespace

DispShareData::DispShareData()
{
    const char* dirs[] = {">", "<", "><1", "><2", "?", "??"};
    for (size_t i = 0; i < dirNames.size(); ++i)
        dirNames[i] = dirs[i];

    const char* notes[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B", "C"};
    for (size_t i = 0; i < noteNames.size(); ++i)
        noteNames[i] = notes[i];

    const char* divisions[] = {"128/1", "64/1", "32/1", "16/1", "8/1",  "4/1",  "2/1",
                               "1/1",   "1/2",  "1/4",  "1/8",  "1/16", "1/32", "1/64"};
    for (size_t i = 0; i < clockDivNames.size(); ++i)
        clockDivNames[i] = divisions[i];

    modSourceNames.add("Dummy");
    for (int i = 1; i <= 8; ++i)
        modSourceNames.add("MOD" + juce::String(i));
    for (int i = 1; i <= 4; ++i)
        modSourceNames.add("MACRO" + juce::String(i));

    for (size_t i = 0; i < chordNames.size(); ++i)
    {
        chordNames[i] = chordTypes[i].name;
        auto& c = chordIntervals[i];
        for (int interval : chordTypes[i].intervals)
            c.notes[(size_t) c.count++] = interval;
    }
}

juce::String DispShareData::getChordNameStr(int index) const
{
    if (index < 0 || index >= numChordTypes)
        return {};
    return chordNames[(size_t) index];
}

std::vector<int> DispShareData::getChordNotesFromIndex(int index) const
{
    const auto& c = getChordIntervals(index);
    return {c.begin(), c.end()};
}

const DispShareData::ChordIntervals& DispShareData::getChordIntervals(int index) const noexcept
{
    if (index < 0 || index >= numChordTypes)
        return noChord;
    return chordIntervals[(size_t) index];
}

int DispShareData::listIndex(double x, int size) noexcept
{
    if (!std::isfinite(x))
        x = 0.0;
    return zu::clampInt(zu::toIntSaturating(std::floor(x)), 0, size - 1);
}

double DispShareData::freeRateHz(double value) noexcept
{
    const double t = (std::isfinite(value) ? value : 0.0) * 2.995732273553991;
    const double e = juce::dsp::FastMathApproximations::exp(t);
    return std::floor((e - 1.0) * 105.36842105263158 + 1.0) * 0.01;
}

juce::String DispShareData::getParamSeqString(int target, bool relative, float value) const
{
    if (!std::isfinite(value))
        value = 0.0f;
    if (target == 0)
        return juce::String(value);
    if (target < 1 || target > 13)
        return {};

    if (relative)
    {
        // Factor and bound per target 1..13.
        static constexpr float factors[] = {3, 16, 16, 3, 12, 7, 2, 64, 50, 50, 1, 1, 1};
        static constexpr int bounds[] = {3, 16, 16, 3, 12, 6, 2, 64, 50, 50, 1, 1, 1};
        const float x = value * factors[target - 1];
        // Halves away from zero.
        const float r = x >= 0.0f ? std::floor(x + 0.5f) : -std::floor(0.5f - x);
        const int bound = bounds[target - 1];
        return signedNumber(zu::clampInt(zu::toIntSaturating(r), -bound, bound));
    }

    auto floorInt = [](float x) { return zu::toIntSaturating(std::floor(x)); };
    switch (target)
    {
    case 1:
        return dirNames[(size_t) listIndex(value * 6.0f, numDirections)];
    case 2:
    case 3:
        return juce::String(zu::clampInt(zu::toIntSaturating(value * 32.0f + 0.5f), 0, 31) + 1);
    case 4:
    {
        const float x = value * 7.0f;
        return signedNumber(x < 0.0f ? -3 : floorInt(std::min(x - 3.0f, 3.0f))) + " oct";
    }
    case 5:
    {
        const float x = value * 25.0f;
        return signedNumber(x < 0.0f ? -12 : floorInt(std::min(x - 12.0f, 12.0f))) + " st";
    }
    case 6:
        return noteNames[(size_t) listIndex(value * 13.0f, numNoteNames)];
    case 7:
    {
        const float x = value * 5.0f;
        return signedNumber(x < 0.0f ? -2 : floorInt(std::min(x - 2.0f, 2.0f))) + " oct";
    }
    case 8:
        return juce::String(floorInt(std::min(value * 128.0f, 127.0f)));
    case 9:
    case 10:
        return juce::String(floorInt(std::min(value * 101.0f, 100.0f))) + "%";
    default:
        return value < 0.5f ? "OFF" : "ON";
    }
}

//==============================================================================
FxUnitShared::FxUnitShared()
{
    knobNames.addArray({"Oct", "TP", "Shift", "Shuffle", "P-Shift", "Clk Mul"});
}

namespace
{
double clampedUnit(double value)
{
    return std::isfinite(value) ? juce::jlimit(0.0, 1.0, value) : 0.0;
}
} // namespace

const juce::StringArray& FxUnitShared::syncedDelayNames()
{
    // Index 0 is the longest: "1/1", then triplet, straight and dotted of each
    // shorter note value down to "1/128D".
    static const juce::StringArray names = []
    {
        juce::StringArray list{"1/1"};
        for (int d = 2; d <= 128; d *= 2)
        {
            const auto base = "1/" + juce::String(d);
            list.add(base + "T");
            list.add(base);
            list.add(base + "D");
        }
        return list;
    }();
    return names;
}

const juce::StringArray& FxUnitShared::syncedRateNames()
{
    // Ordered by length, shortest first.
    static const juce::StringArray names{"1/32T", "1/32", "1/16T", "1/32D", "1/16", "1/8T", "1/16D",
                                         "1/8",   "1/4T", "1/8D",  "1/4",   "1/2T", "1/4D", "1/2",
                                         "1/1T",  "1/2D", "1/1",   "2/1T",  "1/1D", "2/1",  "4/1T"};
    return names;
}

const juce::StringArray& FxUnitShared::tapModeNames()
{
    static const juce::StringArray names{"o x x x", "o o o o", "x o o o", "o o o x", "x o x o",
                                         "o x o x", "x x o o", "x o o x", "o o x x", "x x x o"};
    return names;
}

const juce::StringArray& FxUnitShared::vowelNames()
{
    static const juce::StringArray names{"A", "u", "a", "ae", "E", "e", "i", "I", "o"};
    return names;
}

juce::String FxUnitShared::getSyncedDelayTImeDisp(double value) const
{
    const auto& names = syncedDelayNames();
    // 21 - floor(value x 21.9999), kept within the list.
    const int index = 21 - zu::toIntSaturating(std::floor(clampedUnit(value) * 21.9999));
    return names[zu::clampInt(index, 0, names.size() - 1)];
}

juce::String FxUnitShared::getDelayTimeDisp(double value, bool synced) const
{
    if (synced)
        return getSyncedDelayTImeDisp(value);
    const double x = 3.5065579196717236 * (clampedUnit(value) - 1.0);
    const double ms = 1000.0 * juce::dsp::FastMathApproximations::exp(x);
    return juce::String(std::floor(ms * 10.0) / 10.0, 1) + " ms";
}

juce::String FxUnitShared::getLfoSyncedRateDisp(double value) const
{
    const auto& names = syncedRateNames();
    return names[DispShareData::listIndex(clampedUnit(value) * (names.size() - 0.0001), names.size())];
}

juce::String FxUnitShared::getLfoRateDisp(double value, bool synced) const
{
    if (synced)
        return getLfoSyncedRateDisp(value);
    const double hz = std::exp(7.600902481893824 * clampedUnit(value) - 4.605170208339834);
    return juce::String(std::trunc(hz * 1000.0) / 1000.0, 3) + " Hz";
}

juce::String FxUnitShared::getTapModeDisp(double value) const
{
    // int(value x 11.9999) reaches past the ten patterns: kept within them.
    const auto& names = tapModeNames();
    return names[DispShareData::listIndex(clampedUnit(value) * 11.9999, names.size())];
}

juce::String FxUnitShared::getVowelDisp(double value) const
{
    const auto& names = vowelNames();
    return names[DispShareData::listIndex(clampedUnit(value) * 9.999999, names.size())];
}
