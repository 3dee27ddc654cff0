// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtrPrmSqData.h"

namespace
{
// Name map layout.
constexpr int idxPwr = 1;
constexpr int idxClockBlock = 2; // 2..25
constexpr int idxSnp = 26;
constexpr int idxTar = 27;    // 27..30
constexpr int idxSval = 31;   // 5 per step
constexpr int idxEmenu = 191; // 1 per step
constexpr int idxProb = 223;  // 3 per step
constexpr int idxSpwr = 319;  // 3 per step
} // namespace

CtrPrmSqData::CtrPrmSqData() : SeqDataBase(numUnits)
{
    for (auto& list : stepPropLists)
        list = {{"sval", 2}, {"emenu", 0}, {"prob", 1}, {"spwr", 1}};
}

void CtrPrmSqData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [this](ZuKeyMap::Map& map)
        {
            int i = addHeadKeys(map);
            for (int k = 1; k <= 4; ++k)
                i = addKey(map, i, "tar" + juce::String(k), 0);
            i = addStepKeys(map, i, stepPropLists[0], numSteps);
            jassert(i == numParams + 1);
        }));
}

void CtrPrmSqData::setParamValAt(int unit, int index, float v)
{
    if (unit < 0 || unit >= numUnits || index < 1 || index > numParams || !std::isfinite(v))
        return;
    auto& u = units[(size_t) unit];

    if (index == idxPwr)
        return writePower(u, v);
    if (index == idxSnp)
        return writeSnapshot(unit, u, v);

    auto* target = writeSnapshotOf(u);
    if (target == nullptr)
        return;
    auto& snap = *target;
    if (index < idxSnp)
        writeClockBlock(u, snap, index - idxClockBlock, v);
    else if (index < idxSval)
        snap.tar[(size_t) (index - idxTar)] = zu::toFlag(v);
    else if (index < idxEmenu)
        handleParamVals(snap.steps[(size_t) ((index - idxSval) / 5)].sval, (index - idxSval) % 5, v);
    else if (index < idxProb)
        snap.steps[(size_t) (index - idxEmenu)].emenu = stepTargetFromItemId(zu::toIntSaturating(v));
    else if (index < idxSpwr)
        handleParamVals(snap.steps[(size_t) ((index - idxProb) / 3)].prob, oneSlotField((index - idxProb) % 3), v);
    else
        handleParamVals(snap.steps[(size_t) ((index - idxSpwr) / 3)].spwr, oneSlotField((index - idxSpwr) % 3), v);
}

void CtrPrmSqData::loadSnapshot(const juce::ValueTree& t, const juce::String& prefix, int unit, SnapData& snap) const
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
                step.emenu = stepTargetFromItemId(zu::readIntProperty(t, id, 0));
                break;
            case 2:
                updateStepDataF(t, step.prob, id, 100.0f, slots);
                break;
            case 3:
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
    for (int k = 0; k < 4; ++k)
        snap.tar[(size_t) k] =
            zu::toFlag(zu::readFloatProperty(t, prefix + "tar" + juce::String(k + 1), k == 0 ? 1.0f : 0.0f));
}

void CtrPrmSqData::setSnapshotStatesFromValueTree(juce::ValueTree tree, int unit)
{
    loadStoredSnapshots(tree, unit, units, zu::units::param,
                        [this](const juce::ValueTree& stored, const juce::String& prefix, int u, SnapData& snap)
                        { loadSnapshot(stored, prefix, u, snap); });
}

void CtrPrmSqData::init(int unit)
{
    initUnitOf(units, defaultUnit, unit);
}

void CtrPrmSqData::snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap)
{
    copySnapshotOf(units, srcUnit, dstUnit, srcSnap, dstSnap);
}

void CtrPrmSqData::loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot)
{
    if (unit < 0 || unit >= numUnits || !isSnapshotIndex(snapshot))
        return;
    loadSnapshot(node, zu::units::unitPrefix(zu::units::param, unit), unit,
                 units[(size_t) unit].snaps[(size_t) snapshot]);
}
