// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtrCcSqData.h"

namespace
{
// Name map layout.
constexpr int idxPwr = 1;
constexpr int idxClockBlock = 2; // 2..25
constexpr int idxSnp = 26;
constexpr int idxCh = 27;
constexpr int idxTarcc = 28;
constexpr int idxOmin = 29;
constexpr int idxOmax = 30;
constexpr int idxSval = 31;  // 5 per step
constexpr int idxProb = 191; // 3 per step
constexpr int idxSpwr = 287; // 3 per step
} // namespace

CtrCcSqData::CtrCcSqData() : SeqDataBase(numUnits)
{
    for (auto& list : stepPropLists)
        list = {{"sval", 2}, {"prob", 1}, {"spwr", 1}};
}

void CtrCcSqData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [this](ZuKeyMap::Map& map)
        {
            int i = addHeadKeys(map);
            for (const char* key : {"ch", "tarcc", "omin", "omax"})
                i = addKey(map, i, key, 0);
            i = addStepKeys(map, i, stepPropLists[0], numSteps);
            jassert(i == numParams + 1);
        }));
}

void CtrCcSqData::setParamValAt(int unit, int index, float v)
{
    if (unit < 0 || unit >= numUnits || index < 1 || index > numParams || !std::isfinite(v))
        return;
    auto& u = units[(size_t) unit];

    switch (index)
    {
    case idxPwr:
        writePower(u, v);
        return;
    case idxSnp:
        writeSnapshot(unit, u, v);
        return;
    case idxCh:
        writeChannel(u, v);
        return;
    default:
        break;
    }

    auto* target = writeSnapshotOf(u);
    if (target == nullptr)
        return;
    auto& snap = *target;
    if (index < idxSnp)
        writeClockBlock(u, snap, index - idxClockBlock, v);
    else if (index == idxTarcc)
        snap.tarcc = zu::clampInt(zu::toIntSaturating(v), 0, maxTargetCc);
    else if (index == idxOmin)
        snap.omin = v;
    else if (index == idxOmax)
        snap.omax = v;
    else if (index < idxProb)
        handleParamVals(snap.steps[(size_t) ((index - idxSval) / 5)].sval, (index - idxSval) % 5, v);
    else if (index < idxSpwr)
        handleParamVals(snap.steps[(size_t) ((index - idxProb) / 3)].prob, oneSlotField((index - idxProb) % 3), v);
    else
        handleParamVals(snap.steps[(size_t) ((index - idxSpwr) / 3)].spwr, oneSlotField((index - idxSpwr) % 3), v);
}

void CtrCcSqData::loadSnapshot(const juce::ValueTree& t, const juce::String& prefix, int unit, SnapData& snap) const
{
    const auto& list = stepPropLists[(size_t) unit];
    for (size_t e = 0; e < list.size(); ++e)
    {
        const auto& [key, slots] = list[e];
        for (int n = 1; n <= numSteps; ++n)
        {
            auto& step = snap.steps[(size_t) (n - 1)];
            const juce::Identifier id(prefix + key + juce::String(n));
            switch (e)
            {
            case 0:
                updateStepDataF(t, step.sval, id, 0.0f, slots);
                break;
            case 1:
                updateStepDataF(t, step.prob, id, 100.0f, slots);
                break;
            case 2:
                updateStepDataI(t, step.spwr, id, 1, slots);
                break;
            default:
                break;
            }
        }
    }

    loadDir(t, prefix, snap);
    loadClock(t, prefix, snap);
    loadWindow(t, prefix, snap);
    snap.tarcc = zu::clampInt(zu::readIntProperty(t, prefix + "tarcc", 0), 0, maxTargetCc);
    snap.omin = zu::readFloatProperty(t, prefix + "omin", 0.0f);
    snap.omax = zu::readFloatProperty(t, prefix + "omax", 127.0f);
}

void CtrCcSqData::setSnapshotStatesFromValueTree(juce::ValueTree tree, int unit)
{
    loadStoredSnapshots(tree, unit, units, zu::units::cc,
                        [this](const juce::ValueTree& stored, const juce::String& prefix, int u, SnapData& snap)
                        { loadSnapshot(stored, prefix, u, snap); });
}

void CtrCcSqData::init(int unit)
{
    initUnitOf(units, defaultUnit, unit);
}

void CtrCcSqData::snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap)
{
    copySnapshotOf(units, srcUnit, dstUnit, srcSnap, dstSnap);
}

void CtrCcSqData::loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot)
{
    if (unit < 0 || unit >= numUnits || !isSnapshotIndex(snapshot))
        return;
    loadSnapshot(node, zu::units::unitPrefix(zu::units::cc, unit), unit, units[(size_t) unit].snaps[(size_t) snapshot]);
}
