// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoData.h"

namespace
{
// The number one character of an identifier stands for: its digit, or 0 for
// anything else (also for a position outside the text).
int numberAt(const juce::String& name, int pos) noexcept
{
    if (pos < 0 || pos >= name.length())
        return 0;
    const auto c = name[pos];
    return (c >= '0' && c <= '9') ? (int) (c - '0') : 0;
}

// Probability weights are shares of 0..1.
float clampWeight(float w) noexcept
{
    return juce::jlimit(0.0f, 1.0f, w);
}

const char* const knobKeys[] = {"ksr", "kfr", "kph", "kos", "ksm", "klv"};
const float floatKnobDefaults[] = {0.5f, 0.0f, 0.5f, 0.0f, 1.0f};
} // namespace

LfoData::SnapData::SnapData() noexcept
{
    slots[0].pwr = true;
    slots[1].pwr = true;
}

LfoData::SnapData LfoData::makeDefaultSnap() noexcept
{
    SnapData s;
    for (auto& slot : s.slots)
        slot.pwr = false;
    return s;
}

LfoData::LfoData() : defaultSnap(makeDefaultSnap())
{
    // Snapshot A holds the live slots' defaults (slots 1 and 2 on); the other
    // snapshots were never stored, and the trees fill such a snapshot's slots
    // from their slot default, which is on. Model and trees start equal.
    for (auto& unit : unitSnaps)
        for (size_t s = 1; s < (size_t) numSnapshots; ++s)
            for (auto& slot : unit[s].slots)
                slot.pwr = true;
    for (auto& v : snapValues)
        v = 0;
}

void LfoData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            int i = 1;
            for (const char* key : {"pwr", "engn", "bsahm", "bwf", "csync", "clktyp", "bbi", "bphi", "bexp", "bsat"})
                map[key] = i++;
            for (const char* key : knobKeys)
            {
                const juce::String k(key);
                map[k] = i++;
                map[k + "_ms1"] = i++;
                map[k + "_ms2"] = i++;
                map[k + "_md1"] = i++;
                map[k + "_md2"] = i++;
            }
            for (int w = 1; w <= numWaveforms; ++w)
                map["prb" + juce::String(w)] = i++;
            jassert(i == numParams + 1);
        }));
}

int LfoData::getParamIndex(const juce::String& key) const
{
    const auto it = paramMap.find(key);
    return it == paramMap.end() ? 0 : it->second;
}

int LfoData::unitFromDigits(int kindDigit, int instanceDigit) noexcept
{
    // Identifiers are read as written: the instance digit is not checked
    // against its kind, so a digit past the kind's units addresses the next kind.
    int unit = -1;
    if (kindDigit == 4)
        unit = 12;
    else if (kindDigit == 5)
        unit = instanceDigit + 12;
    else
        unit = instanceDigit + 4 * kindDigit - 5;
    return (unit >= 0 && unit < numUnits) ? unit : -1;
}

int LfoData::unitFromKindIndex(int kind, int index) noexcept
{
    if (kind == zu::units::octTp)
        index = 0;
    return zu::units::isUnit(kind, index) ? zu::units::unitNumberOf(kind, index) : -1;
}

void LfoData::followUnitSnapshot(int unit, const ZuAtomic<int32_t>& currentSnapshot,
                                 const ZuAtomic<int32_t>& liveTreeSnapshot, const juce::Value& snapValue)
{
    if (unit < 0 || unit >= numUnits)
        return;
    currentSnapshotSources[(size_t) unit] = &currentSnapshot;
    liveTreeSnapshotSources[(size_t) unit] = &liveTreeSnapshot;
    snapValues[(size_t) unit].referTo(snapValue);
}

int LfoData::getCurrentSnapshotRaw(int unit) const noexcept
{
    if (unit < 0 || unit >= numUnits)
        return -1;
    const auto* source = currentSnapshotSources[(size_t) unit].load();
    return source != nullptr ? source->load() : 0;
}

int LfoData::getWriteSnapshotRaw(int unit) const noexcept
{
    if (unit < 0 || unit >= numUnits)
        return -1;
    const auto* live = liveTreeSnapshotSources[(size_t) unit].load();
    const int s = live != nullptr ? live->load() : -1;
    return s >= 0 ? s : getCurrentSnapshotRaw(unit);
}

int LfoData::getCurrentSnapshot(int unit) const noexcept
{
    return zu::clampInt(getCurrentSnapshotRaw(unit), 0, numSnapshots - 1);
}

LfoData::SnapData& LfoData::getCurrentSnapData(int unit) noexcept
{
    const int u = zu::clampInt(unit, 0, numUnits - 1);
    return unitSnaps[(size_t) u][(size_t) getCurrentSnapshot(u)];
}

void LfoData::setParamVal(const juce::String& name, float value)
{
    // Unit and snapshot must be valid before the key is considered.
    const int unit = unitFromDigits(numberAt(name, 3), numberAt(name, 4));
    if (unit < 0)
        return;
    const int snapshot = getWriteSnapshotRaw(unit);
    if (snapshot < 0 || snapshot >= numSnapshots)
        return;
    const int slot = zu::clampInt(numberAt(name, 5) - 1, 0, numSlots - 1);
    const int index = name.length() > 7 ? getParamIndex(name.substring(7)) : 0;
    setParamValAt(unit, slot, index, value);
}

void LfoData::setParamValAt(int unit, int slot, int index, float v)
{
    if (unit < 0 || unit >= numUnits || slot < 0 || slot >= numSlots || index < 1 || index > numParams ||
        !std::isfinite(v))
        return;
    const int snapshot = getWriteSnapshotRaw(unit);
    if (snapshot < 0 || snapshot >= numSnapshots)
        return;
    auto& rec = unitSnaps[(size_t) unit][(size_t) snapshot].slots[(size_t) slot];

    auto toIndex = [v](int lo, int hi) { return zu::clampInt(zu::toIntSaturating(v), lo, hi); };

    if (index >= idxPrb1)
    {
        rec.prb[(size_t) (index - idxPrb1)] = clampWeight(v);
        // Raised after the weight is stored, so the modulator rebuilds from it.
        rec.weightsChanged = true;
        return;
    }
    if (index >= idxKfr)
    {
        MyParam<float>* knobs[] = {&rec.kfr, &rec.kph, &rec.kos, &rec.ksm, &rec.klv};
        handleParamVals(*knobs[(index - idxKfr) / 5], (index - idxKfr) % 5, v);
        return;
    }
    if (index >= idxKsr)
    {
        handleParamVals(rec.ksr, index - idxKsr, v, 0, 13);
        return;
    }
    switch (index)
    {
    case idxPwr:
        rec.pwr = zu::toFlag(v);
        break;
    case idxEngn:
        rec.engn = toIndex(0, 2);
        break;
    case idxBsahm:
        rec.bsahm = toIndex(0, 1);
        break;
    case idxBwf:
        rec.bwf = toIndex(0, numWaveforms - 1);
        break;
    case idxCsync:
        rec.csync = zu::toFlag(v);
        break;
    case idxClktyp:
        rec.clktyp = toIndex(0, 2);
        break;
    case idxBbi:
        rec.bbi = zu::toFlag(v);
        polarityChanged = true;
        break;
    case idxBphi:
        rec.bphi = zu::toFlag(v);
        break;
    case idxBexp:
        rec.bexp = zu::toFlag(v);
        break;
    case idxBsat:
        rec.bsat = zu::toFlag(v);
        break;
    default:
        break;
    }
}

void LfoData::setSnapshotStatesFromValueTree(juce::ValueTree states)
{
    const auto main = states.getChildWithName("modsnapmain");
    if (!main.isValid())
        return;
    for (int n = 1; n <= numUnits; ++n)
    {
        const auto unitTree = main.getChildWithName(zu::units::modSnapNodeName(n));
        if (!unitTree.isValid())
            continue;
        for (int s = 0; s < numSnapshots; ++s)
        {
            const auto snap = unitTree.getChildWithName(zu::units::snapNodeName(s));
            if (snap.isValid())
                loadSnapDataFromVt(snap, unitSnaps[(size_t) (n - 1)][(size_t) s]);
        }
    }
}

LfoData::ModUnitData LfoData::storedSlotDefault() noexcept
{
    ModUnitData slot;
    slot.pwr = true;
    return slot;
}

void LfoData::loadSnapDataFromVt(juce::ValueTree snap, SnapData& dest)
{
    for (int k = 1; k <= numSlots; ++k)
    {
        const auto t = snap.getChildWithName(zu::units::storedSlotNodeName(k - 1));
        if (!t.isValid())
            continue;
        auto& rec = dest.slots[(size_t) (k - 1)];
        if (t.getNumProperties() == 0)
            assignSlot(rec, storedSlotDefault());
        else
            loadSlot(t, {}, rec);
    }
}

LfoData::ModUnitData LfoData::readSlotFromTree(const juce::ValueTree& node, const juce::String& prefix)
{
    ModUnitData record;
    loadSlot(node, prefix, record);
    return record;
}

void LfoData::setSlot(int unit, int snapshot, int slot, const ModUnitData& record) noexcept
{
    if (unit < 0 || unit >= numUnits || snapshot < 0 || snapshot >= numSnapshots || slot < 0 || slot >= numSlots)
        return;
    assignSlot(unitSnaps[(size_t) unit][(size_t) snapshot].slots[(size_t) slot], record);
}

void LfoData::loadSlot(const juce::ValueTree& t, const juce::String& prefix, ModUnitData& rec)
{
    auto readFlag = [&](const char* key) { return zu::readIntProperty(t, prefix + key, 0) > 0; };
    auto readIndex = [&](const char* key, int hi)
    { return zu::clampInt(zu::readIntProperty(t, prefix + key, 0), 0, hi); };

    rec.pwr = readFlag("pwr");
    rec.engn = readIndex("engn", 2);
    rec.bsahm = readIndex("bsahm", 1);
    rec.bwf = readIndex("bwf", numWaveforms - 1);
    rec.clktyp = readIndex("clktyp", 2);
    rec.csync = readFlag("csync");
    rec.bbi = readFlag("bbi");
    rec.bphi = readFlag("bphi");
    rec.bexp = readFlag("bexp");
    rec.bsat = readFlag("bsat");

    updateStepDataI(t, rec.ksr, prefix + "ksr", 8, 2, 0, 13);
    MyParam<float>* knobs[] = {&rec.kfr, &rec.kph, &rec.kos, &rec.ksm, &rec.klv};
    for (size_t i = 0; i < 5; ++i)
        updateStepDataF(t, *knobs[i], prefix + knobKeys[i + 1], floatKnobDefaults[i], 2);

    bool weightsDiffer = false;
    for (int w = 0; w < numWaveforms; ++w)
    {
        const float weight =
            clampWeight(zu::readFloatProperty(t, prefix + "prb" + juce::String(w + 1), w == 0 ? 1.0f : 0.0f));
        weightsDiffer = weightsDiffer || weight != rec.prb[(size_t) w].load();
        rec.prb[(size_t) w] = weight;
    }
    // New weights must reach the modulator's table.
    if (weightsDiffer)
        rec.weightsChanged = true;
}

void LfoData::assignSlot(ModUnitData& dst, const ModUnitData& src) noexcept
{
    const bool wasRaised = dst.weightsChanged;
    bool weightsDiffer = false;
    for (size_t w = 0; w < (size_t) numWaveforms; ++w)
        weightsDiffer = weightsDiffer || dst.prb[w].load() != src.prb[w].load();
    dst = src;
    dst.weightsChanged = wasRaised || weightsDiffer;
}

void LfoData::assignSnap(SnapData& dst, const SnapData& src) noexcept
{
    for (size_t k = 0; k < (size_t) numSlots; ++k)
        assignSlot(dst.slots[k], src.slots[k]);
}

void LfoData::snapCopyPaste(int type, int srcIndex, int dstIndex, int srcSnap, int dstSnap)
{
    const int srcUnit = unitFromKindIndex(type, srcIndex);
    const int dstUnit = unitFromKindIndex(type, dstIndex);
    if (srcUnit < 0 || srcSnap < 0 || srcSnap >= numSnapshots || dstUnit < 0 || dstSnap < 0 || dstSnap >= numSnapshots)
        return;
    if (srcUnit == dstUnit && srcSnap == dstSnap)
        return;
    assignSnap(unitSnaps[(size_t) dstUnit][(size_t) dstSnap], unitSnaps[(size_t) srcUnit][(size_t) srcSnap]);
}

void LfoData::init()
{
    for (auto& unit : unitSnaps)
        for (auto& snap : unit)
            assignSnap(snap, defaultSnap);
}
