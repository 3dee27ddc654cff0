// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtrPtchSqData.h"

namespace
{
// Name map layout.
constexpr int idxPwr = 1;
constexpr int idxCh = 2;
constexpr int idxClockBlock = 3; // 3..26
constexpr int idxGoct = 27;      // 27..31
constexpr int idxTp = 32;        // 32..36
constexpr int idxRelmode = 37;
constexpr int idxRelbn = 38; // 38..42
constexpr int idxSnp = 43;
constexpr int idxPch = 44;     // 5 per step
constexpr int idxRelpch = 204; // 5 per step
constexpr int idxOct = 364;    // 3 per step, then vel, gate, prob, slr, spwr
constexpr int oneSlotBlock = 3 * 32;

enum OneSlotStepKey
{
    keyOct,
    keyVel,
    keyGate,
    keyProb,
    keySlr,
    keySpwr
};
} // namespace

CtrPtchSqData::CtrPtchSqData() : SeqDataBase(numUnits)
{
    for (auto& list : stepPropLists)
        list = {{"pch", 2}, {"relpch", 2}, {"oct", 1}, {"vel", 1}, {"gate", 1}, {"prob", 1}, {"slr", 1}, {"spwr", 1}};
}

void CtrPtchSqData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [this](ZuKeyMap::Map& map)
        {
            int i = 1;
            i = addKey(map, i, "pwr", 0);
            i = addKey(map, i, "ch", 0);
            i = addClockBlockKeys(map, i);
            i = addKey(map, i, "goct", 2);
            i = addKey(map, i, "tp", 2);
            i = addKey(map, i, "relmode", 0);
            i = addKey(map, i, "relbn", 2);
            i = addKey(map, i, "snp", 0);
            i = addStepKeys(map, i, stepPropLists[0], numSteps);
            jassert(i == numParams + 1);
        }));
}

void CtrPtchSqData::setParamValAt(int unit, int index, float v)
{
    if (unit < 0 || unit >= numUnits || index < 1 || index > numParams || !std::isfinite(v))
        return;
    auto& u = units[(size_t) unit];

    switch (index)
    {
    case idxPwr:
        writePower(u, v);
        return;
    case idxCh:
        writeChannel(u, v);
        return;
    case idxSnp:
        writeSnapshot(unit, u, v);
        return;
    default:
        break;
    }

    auto* target = writeSnapshotOf(u);
    if (target == nullptr)
        return;
    auto& snap = *target;
    if (index < idxClockBlock + clockBlockSize)
        writeClockBlock(u, snap, index - idxClockBlock, v);
    else if (index < idxTp)
        handleParamVals(snap.goct, index - idxGoct, v);
    else if (index < idxRelmode)
        handleParamVals(snap.tp, index - idxTp, v);
    else if (index == idxRelmode)
        snap.relmode = zu::toFlag(v);
    else if (index < idxSnp)
        handleParamVals(snap.relbn, index - idxRelbn, v);
    else if (index < idxRelpch)
        handleParamVals(snap.steps[(size_t) ((index - idxPch) / 5)].pch, (index - idxPch) % 5, v);
    else if (index < idxOct)
        handleParamVals(snap.steps[(size_t) ((index - idxRelpch) / 5)].relpch, (index - idxRelpch) % 5, v);
    else
    {
        const int rel = index - idxOct;
        const int key = rel / oneSlotBlock;
        auto& step = snap.steps[(size_t) ((rel % oneSlotBlock) / 3)];
        const int field = oneSlotField(rel % 3);
        switch (key)
        {
        case keyOct:
            handleParamVals(step.oct, field, v, 0, 4);
            break;
        case keyVel:
            handleParamVals(step.vel, field, v);
            break;
        case keyGate:
            handleParamVals(step.gate, field, v);
            break;
        case keyProb:
            handleParamVals(step.prob, field, v);
            break;
        case keySlr:
            handleParamVals(step.slr, field, v);
            break;
        case keySpwr:
            handleParamVals(step.spwr, field, v);
            break;
        default:
            break;
        }
    }
}

void CtrPtchSqData::loadSnapshot(const juce::ValueTree& t, const juce::String& prefix, int unit, SnapData& snap) const
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
                updateStepDataI(t, step.pch, id, 0, slots);
                break;
            case 1:
                updateStepDataI(t, step.relpch, id, 0, slots);
                break;
            case 2:
                updateStepDataI(t, step.oct, id, 2, slots, 0, 4);
                break;
            case 3:
                updateStepDataF(t, step.vel, id, 100.0f, slots);
                break;
            case 4:
                updateStepDataF(t, step.gate, id, 50.0f, slots);
                break;
            case 5:
                updateStepDataF(t, step.prob, id, 100.0f, slots);
                break;
            case 6:
                updateStepDataI(t, step.slr, id, 0, slots);
                break;
            case 7:
                updateStepDataI(t, step.spwr, id, 1, slots);
                break;
            default:
                break;
            }
        }
    }

    // The unit-level modulation keys are built from the base's suffixes.
    auto readUnitValue = [&](MyParam<int>& p, const char* key, int def, int lo, int hi)
    {
        const auto id = prefix + key;
        p.value = zu::clampInt(zu::readIntProperty(t, id, def), lo, hi);
        for (int k = 0; k < 2; ++k)
        {
            const auto n = juce::String(k + 1);
            p.modSource[k] = zu::clampInt(zu::readIntProperty(t, id + msSuffix + n, 0), 0, maxModSource);
            p.modDepth[k] = zu::readFloatProperty(t, id + mdSuffix + n, 0.0f);
        }
        p.updateModActive();
    };
    constexpr int lowest = std::numeric_limits<int32_t>::min();
    constexpr int highest = std::numeric_limits<int32_t>::max();

    readUnitValue(snap.dir, "dir", 0, 0, 5);
    snap.relmode = zu::readIntProperty(t, prefix + "relmode", 0) > 0;
    readUnitValue(snap.relbn, "relbn", relBaseNoteDefault, lowest, highest);
    snap.fclk = zu::readFloatProperty(t, prefix + "fclk", 0.3f);
    readUnitValue(snap.sclk, "sclk", 11, 0, 13);
    snap.csync = zu::readIntProperty(t, prefix + "csync", 1) > 0;
    snap.clktyp = zu::clampInt(zu::readIntProperty(t, prefix + "clktyp", 0), 0, 2);
    snap.rst = zu::readIntProperty(t, prefix + "rst", 0);
    readUnitValue(snap.strt, "strt", 1, 1, numSteps);
    readUnitValue(snap.size, "size", 16, 1, numSteps);
    readUnitValue(snap.goct, "goct", 0, lowest, highest);
    readUnitValue(snap.tp, "tp", 0, lowest, highest);
}

void CtrPtchSqData::setSnapshotStatesFromValueTree(juce::ValueTree tree, int unit)
{
    loadStoredSnapshots(tree, unit, units, zu::units::pitch,
                        [this](const juce::ValueTree& stored, const juce::String& prefix, int u, SnapData& snap)
                        { loadSnapshot(stored, prefix, u, snap); });
}

void CtrPtchSqData::init(int unit)
{
    initUnitOf(units, defaultUnit, unit);
}

void CtrPtchSqData::snapCopyPaste(int srcUnit, int dstUnit, int srcSnap, int dstSnap)
{
    copySnapshotOf(units, srcUnit, dstUnit, srcSnap, dstSnap);
}

void CtrPtchSqData::loadSnapshotFromTree(const juce::ValueTree& node, int unit, int snapshot)
{
    if (unit < 0 || unit >= numUnits || !isSnapshotIndex(snapshot))
        return;
    loadSnapshot(node, zu::units::unitPrefix(zu::units::pitch, unit), unit,
                 units[(size_t) unit].snaps[(size_t) snapshot]);
}
