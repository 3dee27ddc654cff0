// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtrOctSqData.h"

namespace
{
// Name map layout.
constexpr int idxPwr = 1;
constexpr int idxClockBlock = 2; // 2..25
constexpr int idxSnp = 26;
constexpr int idxStp = 27;   // 5 per step
constexpr int idxSoct = 187; // 3 per step
constexpr int idxProb = 283; // 3 per step
constexpr int idxSpwr = 379; // 3 per step
} // namespace

CtrOctSqData::CtrOctSqData() : SeqDataBase(numUnits), stepPropList{{"stp", 2}, {"soct", 1}, {"prob", 1}, {"spwr", 1}} {}

void CtrOctSqData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [this](ZuKeyMap::Map& map)
        {
            int i = addHeadKeys(map);
            i = addStepKeys(map, i, stepPropList, numSteps);
            jassert(i == numParams + 1);
        }));
}

void CtrOctSqData::setParamValAt(int unit, int index, float v)
{
    if (unit != 0 || index < 1 || index > numParams || !std::isfinite(v))
        return;
    auto& u = units[0];

    if (index == idxPwr)
        return writePower(u, v);
    if (index == idxSnp)
        return writeSnapshot(0, u, v);

    auto* target = writeSnapshotOf(u);
    if (target == nullptr)
        return;
    auto& snap = *target;
    if (index < idxSnp)
        writeClockBlock(u, snap, index - idxClockBlock, v);
    else if (index < idxSoct)
        handleParamVals(snap.steps[(size_t) ((index - idxStp) / 5)].stp, (index - idxStp) % 5, v);
    else if (index < idxProb)
        handleParamVals(snap.steps[(size_t) ((index - idxSoct) / 3)].soct, oneSlotField((index - idxSoct) % 3), v, 0,
                        4);
    else if (index < idxSpwr)
        handleParamVals(snap.steps[(size_t) ((index - idxProb) / 3)].prob, oneSlotField((index - idxProb) % 3), v);
    else
        handleParamVals(snap.steps[(size_t) ((index - idxSpwr) / 3)].spwr, oneSlotField((index - idxSpwr) % 3), v);
}

void CtrOctSqData::loadSnapshot(const juce::ValueTree& t, const juce::String& prefix, SnapData& snap) const
{
    for (size_t e = 0; e < stepPropList.size(); ++e)
    {
        const auto& [key, slots] = stepPropList[e];
        for (int n = 1; n <= numSteps; ++n)
        {
            auto& step = snap.steps[(size_t) (n - 1)];
            const juce::Identifier id(prefix + key + juce::String(n));
            switch (e)
            {
            case 0:
                updateStepDataI(t, step.stp, id, 0, slots);
                break;
            case 1:
                updateStepDataI(t, step.soct, id, 2, slots, 0, 4);
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
}

void CtrOctSqData::setSnapshotStatesFromValueTree(juce::ValueTree tree)
{
    const auto child = tree.getChildWithName(zu::units::nodeName(zu::units::octTpUnitId));
    if (!child.isValid())
        return;
    for (int s = 0; s < numSnapshots; ++s)
    {
        const auto stored = storedSnapshot(child, s);
        if (stored.isValid())
            loadSnapshot(stored, zu::units::unitPrefix(zu::units::octTpUnitId), units[0].snaps[(size_t) s]);
    }
}

void CtrOctSqData::init(int unit)
{
    if (unit == 0)
        initUnitOf(units, defaultUnit, 0);
}

void CtrOctSqData::snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap)
{
    if (srcUnit == 0 && dstUnit == 0)
        copySnapshotOf(units, 0, 0, srcSnap, dstSnap);
}

void CtrOctSqData::loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot)
{
    if (unit < 0 || unit >= numUnits || !isSnapshotIndex(snapshot))
        return;
    loadSnapshot(node, zu::units::unitPrefix(zu::units::octTp, unit), units[(size_t) unit].snaps[(size_t) snapshot]);
}
