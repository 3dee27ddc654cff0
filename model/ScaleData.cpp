// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleData.h"

namespace
{
std::array<juce::String, ScaleData::numPitchClasses> makeKeyNames()
{
    return {"p8_scale_type1_wkey1", "p8_scale_type1_bkey1", "p8_scale_type1_wkey2", "p8_scale_type1_bkey2",
            "p8_scale_type1_wkey3", "p8_scale_type1_wkey4", "p8_scale_type1_bkey3", "p8_scale_type1_wkey5",
            "p8_scale_type1_bkey4", "p8_scale_type1_wkey6", "p8_scale_type1_bkey5", "p8_scale_type1_wkey7"};
}

std::array<juce::String, ScaleData::numPitchClasses> makeNoteNames()
{
    return {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
}

// Pitch class that "cmap" key k (1..12) writes: white keys first, then black.
constexpr int cmapPitchClass[ScaleData::numPitchClasses] = {0, 2, 4, 5, 7, 9, 11, 1, 3, 6, 8, 10};
} // namespace

ScaleData::ScaleData() : keyNames(makeKeyNames()), noteNames(makeNoteNames())
{
    scaleTable = identityTable();
    buffers.fill(identityTable());
}

ScaleData::~ScaleData()
{
    stopTimer(rebuildTimerId);
}

ScaleData::Table ScaleData::identityTable() noexcept
{
    Table t{};
    for (int j = 0; j < numPitchClasses; ++j)
        t[(size_t) j] = j;
    return t;
}

void ScaleData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [this](ZuKeyMap::Map& map)
        {
            int i = 1;
            for (const char* key :
                 {"p8_scale_pwr", "p8_scale_type", "p8_scale_order", "p8_scale_root", "p8_scale_rootshift"})
                map[key] = i++;
            for (int k = 1; k <= numPitchClasses; ++k)
                map["p8_scale_type1_cmap" + juce::String(k)] = i++;
            for (int t = 1; t <= numTargets; ++t)
                map["p8_scaletar" + juce::String(t)] = i++;
            for (const auto& key : keyNames)
                map[key] = i++;
            jassert(i == numParams + 1);
        }));
}

int ScaleData::getParamIndex(const juce::String& name) const
{
    const auto it = paramMap.find(name);
    return it == paramMap.end() ? 0 : it->second;
}

void ScaleData::setParamVal(const juce::String& name, float value)
{
    setParamValAt(getParamIndex(name), value);
}

void ScaleData::setParamValAt(int index, float v)
{
    if (index >= idxKey1 && index <= numParams)
    {
        // The flag itself is read from the key tree by the rebuild.
        startTimer(rebuildTimerId, keyChangeDelayMs);
        return;
    }
    if (index < 1 || index > numParams || !std::isfinite(v))
        return;

    const int asInt = zu::toIntSaturating(v);
    switch (index)
    {
    case idxPwr:
        scalePower = zu::toFlag(v);
        break;
    case idxType:
        break;
    case idxOrder:
        scaleOrder = zu::clampInt(asInt, 0, 1);
        break;
    case idxRoot:
        scaleRoot = zu::clampInt(asInt, 0, numPitchClasses - 1);
        break;
    case idxRootShift:
        rootShift = zu::toFlag(v);
        break;
    default:
        if (index < idxTarget1)
            type2Table[(size_t) cmapPitchClass[index - idxCmap1]] =
                asInt == 12 ? -1 : zu::clampInt(asInt, -1, numPitchClasses - 1);
        else
            scaleTargets[(size_t) (index - idxTarget1)] = zu::toFlag(v);
        break;
    }
}

void ScaleData::setKeyTree(juce::ValueTree tree)
{
    keyTree = tree;
}

void ScaleData::init()
{
    scalePower = true;
    for (auto& t : scaleTargets)
        t = true;
    scaleRoot = 0;
    rootShift = false;
    scaleOrder = 0;
    publishTable(identityTable());
    startTimer(rebuildTimerId, refreshDelayMs);
}

void ScaleData::type1KeyStatesChanged()
{
    startTimer(rebuildTimerId, refreshDelayMs);
}

void ScaleData::timerCallback(int timerID)
{
    if (timerID != rebuildTimerId)
        return;
    stopTimer(rebuildTimerId);
    updateType1ScaleList();
}

ScaleData::Table ScaleData::buildScaleTable(const std::array<bool, 12>& keys) noexcept
{
    bool any = false;
    for (const bool k : keys)
        any = any || k;
    if (!any)
        return identityTable();

    Table t{};
    for (int j = 0; j < numPitchClasses; ++j)
    {
        if (keys[(size_t) j])
        {
            t[(size_t) j] = j;
            continue;
        }
        for (int d = 1; d <= 6; ++d)
        {
            const int up = j + d;
            if (keys[(size_t) pitchClass(up)])
            {
                // Past the top of the octave the note moves into the next one.
                t[(size_t) j] = up;
                break;
            }
            const int down = j - d;
            if (keys[(size_t) pitchClass(down)])
            {
                t[(size_t) j] = down;
                break;
            }
        }
    }
    return t;
}

void ScaleData::updateType1ScaleList()
{
    if (!keyTree.isValid())
        return;
    std::array<bool, 12> keys{};
    for (size_t j = 0; j < keys.size(); ++j)
        keys[j] = zu::readIntProperty(keyTree, keyNames[j], 0) == 1;
    publishTable(buildScaleTable(keys));
}

void ScaleData::publishTable(const Table& table)
{
    const juce::ScopedLock sl(tableLock);
    scaleTable = table;
    buffers[(size_t) backIndex] = table;
    backIndex = middleIndex.exchange(backIndex | freshBit, std::memory_order_acq_rel) & indexMask;
    publishCount.fetch_add(1, std::memory_order_relaxed);
    scaleTableChanged = true;
}

bool ScaleData::copyTableIfChanged(Table& dest) noexcept
{
    // Lowered before the copy: a table published meanwhile raises it again.
    if (!scaleTableChanged.exchange(false))
        return false;
    copyTable(dest);
    return true;
}

void ScaleData::copyTable(Table& dest) noexcept
{
    if ((middleIndex.load(std::memory_order_acquire) & freshBit) != 0)
        frontIndex = middleIndex.exchange(frontIndex, std::memory_order_acq_rel) & indexMask;
    dest = buffers[(size_t) frontIndex];
}

ScaleData::Table ScaleData::getScaleTable() const
{
    const juce::ScopedLock sl(tableLock);
    return scaleTable;
}

int64_t ScaleData::mapPitch(int pitch, const Table& t) const noexcept
{
    const int64_t p = pitch;
    const int64_t r = scaleRoot.load();
    if (rootShift)
        return p - pitchClass(pitch) + r + t[(size_t) pitchClass(pitch)];
    const int64_t q = juce::jmax<int64_t>(0, p - r);
    return r + q - q % 12 + t[(size_t) (q % 12)];
}

juce::String ScaleData::getScaledDispNoteString(int pitch) const
{
    if (!scalePower)
        return noteNames[(size_t) pitchClass(pitch)];
    const auto t = getScaleTable();
    const int r = scaleRoot;
    const int v =
        rootShift ? r + t[(size_t) pitchClass(pitch)] : r + t[(size_t) pitchClass(pitchClass(pitch) - r + 36)];
    return noteNames[(size_t) pitchClass(v)];
}

void ScaleData::getActiveNoteListForScaleDisp(std::array<bool, 12>& out) const
{
    if (!scalePower)
    {
        out.fill(true);
        return;
    }
    out.fill(false);
    const auto t = getScaleTable();
    const int r = scaleRoot;
    for (int k = 0; k < numPitchClasses; ++k)
        out[(size_t) pitchClass(r + t[(size_t) pitchClass(k - r + 36)])] = true;
}

int ScaleData::getScaledPitchValForDisp(int pitch) const
{
    if (!scalePower)
        return pitch;
    return (int) juce::jlimit<int64_t>(0, 127, mapPitch(pitch, getScaleTable()));
}
