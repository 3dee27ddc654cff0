// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtrCcRackData.h"

namespace
{
// The number a single character of an identifier stands for: its digit, or 0
// for anything else (also for a position outside the text).
int numberAt(const juce::String& id, int pos) noexcept
{
    if (pos < 0 || pos >= id.length())
        return 0;
    const auto c = id[pos];
    return (c >= '0' && c <= '9') ? (int) (c - '0') : 0;
}

int knobFromNumber(int number) noexcept
{
    return zu::clampInt(number - 1, 0, CtrCcRackData::numKnobs - 1);
}

enum KnobPropEntry
{
    entryKval,
    entryKtarcc,
    entryKmin,
    entryKmax,
    entryKpwr
};
} // namespace

CtrCcRackData::CtrCcRackData() : SeqDataBase(numUnits)
{
    for (auto& list : knobPropLists)
        list = {{"kval", 2}, {"ktarcc", 0}, {"kmin", 0}, {"kmax", 0}, {"kpwr", 0}};
}

void CtrCcRackData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            int i = 1;
            i = addKey(map, i, "pwr", 0);
            i = addKey(map, i, "snp", 0);
            i = addKey(map, i, "kval", 2);
            for (const char* key : {"kpwr", "ktarcc", "kmin", "kmax", "kch", "ms1", "ms2", "md1", "md2"})
                i = addKey(map, i, key, 0);
            jassert(i == numParams + 1);
        }));
}

void CtrCcRackData::setParamVal(const juce::String& id, float value)
{
    // Only two racks exist: another digit names no rack, so nothing is written.
    const int digit = unitDigitOfId(id);
    if (digit < 1 || digit > numUnits)
        return;
    const int rack = digit - 1;

    const int index = lookup(paramMap, keyFromId(id));
    if (index == idxPwr || index == idxSnp)
    {
        setParamValAt(rack, index, value);
        return;
    }

    // A knob key carries its knob number as the last character ("kval3"); the
    // value's companions keep the map's spelling with the number after it
    // ("kval_ms13").
    const int length = id.length();
    if (length <= 6)
        return;
    const int knobIndex = lookup(paramMap, id.substring(6, length - 1));
    if (knobIndex >= idxKval && knobIndex <= idxKch)
    {
        setKnobParamAt(rack, knobFromNumber(numberAt(id, length - 1)), knobIndex, value);
        return;
    }

    // Otherwise a companion of a knob value as the tree names it
    // ("kval3_ms1"): the ending picks the field, the character before "_ms1"
    // the knob.
    const int ending = lookup(paramMap, id.substring(juce::jmax(6, length - 3)));
    if (ending >= idxEndingMs1 && ending <= idxEndingMd2)
        setKnobParamAt(rack, knobFromNumber(numberAt(id, length - 5)), ending, value);
}

void CtrCcRackData::setParamValAt(int rack, int index, float v)
{
    if (rack < 0 || rack >= numUnits || !std::isfinite(v))
        return;
    auto& u = units[(size_t) rack];
    switch (index)
    {
    case idxPwr:
        writePower(u, v);
        return;
    case idxSnp:
        storeCurrentSnapshot(rack, u, v);
        return;
    default:
        setKnobParamAt(rack, 0, index, v);
        return;
    }
}

void CtrCcRackData::setKnobParamAt(int rack, int knob, int index, float v)
{
    if (rack < 0 || rack >= numUnits || knob < 0 || knob >= numKnobs || !std::isfinite(v))
        return;
    auto& u = units[(size_t) rack];
    auto* snap = writeSnapshotOf(u);
    if (snap == nullptr)
        return; // no current snapshot to write into
    auto& k = snap->knobs[(size_t) knob];

    if (index >= idxKval && index < idxKpwr)
    {
        handleParamVals(k.kval, index - idxKval, v);
        return;
    }
    if (index >= idxEndingMs1 && index <= idxEndingMd2)
    {
        handleParamVals(k.kval, fieldSource1 + (index - idxEndingMs1), v);
        return;
    }
    switch (index)
    {
    case idxKpwr:
        k.kpwr = zu::toFlag(v);
        // Raised after the knob changed, also when it did not: every knob of
        // the rack sends again.
        u.resendRequest = true;
        break;
    case idxKtarcc:
        k.ktarcc = zu::clampInt(zu::toIntSaturating(v), 0, maxTargetCc);
        break;
    case idxKmin:
        k.kmin = v;
        break;
    case idxKmax:
        k.kmax = v;
        break;
    case idxKch:
        k.kch = zu::clampInt(zu::toIntSaturating(v), 0, 16);
        break;
    default:
        break;
    }
}

void CtrCcRackData::loadSnapshot(const juce::ValueTree& t, const juce::String& prefix, int rack, SnapData& snap) const
{
    const auto& list = knobPropLists[(size_t) rack];
    for (size_t e = 0; e < list.size(); ++e)
    {
        const auto& [key, slots] = list[e];
        for (int n = 1; n <= numKnobs; ++n)
        {
            auto& knob = snap.knobs[(size_t) (n - 1)];
            const juce::Identifier id(prefix + key + juce::String(n));
            switch (e)
            {
            case entryKval:
                updateStepDataF(t, knob.kval, id, 0.0f, slots);
                break;
            case entryKtarcc:
                knob.ktarcc = zu::clampInt(zu::readIntProperty(t, id, 0), 0, maxTargetCc);
                break;
            case entryKmin:
                knob.kmin = zu::readFloatProperty(t, id, 0.0f);
                break;
            case entryKmax:
                knob.kmax = zu::readFloatProperty(t, id, 127.0f);
                break;
            case entryKpwr:
                knob.kpwr = zu::readIntProperty(t, id, 1) > 0;
                break;
            default:
                break;
            }
        }
    }
    for (int n = 1; n <= numKnobs; ++n)
        snap.knobs[(size_t) (n - 1)].kch =
            zu::clampInt(zu::readIntProperty(t, prefix + "kch" + juce::String(n), 0), 0, 16);
}

void CtrCcRackData::setSnapshotStatesFromValueTree(juce::ValueTree tree, int rack)
{
    loadStoredSnapshots(tree, rack, units, zu::units::ccRack,
                        [this](const juce::ValueTree& stored, const juce::String& prefix, int u, SnapData& snap)
                        { loadSnapshot(stored, prefix, u, snap); });
}

void CtrCcRackData::init(int rack)
{
    initUnitOf(units, defaultUnit, rack);
}

void CtrCcRackData::snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap)
{
    if (copySnapshotOf(units, srcUnit, dstUnit, srcSnap, dstSnap))
        units[(size_t) dstUnit].resendRequest = true;
}

void CtrCcRackData::loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot)
{
    if (unit < 0 || unit >= numUnits || !isSnapshotIndex(snapshot))
        return;
    loadSnapshot(node, zu::units::unitPrefix(zu::units::ccRack, unit), unit,
                 units[(size_t) unit].snaps[(size_t) snapshot]);
}
