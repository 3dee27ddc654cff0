// SPDX-License-Identifier: GPL-3.0-or-later
// Operations on one unit that switch, copy and reset snapshots in the trees and
// in the data models (message thread).
#include "ZuUnitOps.h"

namespace zu::unitops
{
using namespace zu::units;

SeqDataBase* UnitModels::ofKind(int kind) const noexcept
{
    switch (kind)
    {
    case zu::units::pitch:
        return &pitch;
    case zu::units::param:
        return &param;
    case zu::units::cc:
        return &cc;
    case zu::units::octTp:
        return &octTp;
    case zu::units::ccRack:
        return &ccRack;
    default:
        return nullptr;
    }
}

void UnitModels::initUnit(int kind, int index) const
{
    switch (kind)
    {
    case zu::units::pitch:
        pitch.init(index);
        break;
    case zu::units::param:
        param.init(index);
        break;
    case zu::units::cc:
        cc.init(index);
        break;
    case zu::units::octTp:
        octTp.init(0);
        break;
    case zu::units::ccRack:
        ccRack.init(index);
        break;
    default:
        break;
    }
}

void UnitModels::reloadStoredSnapshots(const juce::ValueTree& snapTree, int kind, int index) const
{
    if (!isUnit(kind, index))
        return;
    switch (kind)
    {
    case zu::units::pitch:
        pitch.setSnapshotStatesFromValueTree(snapTree, index);
        break;
    case zu::units::param:
        param.setSnapshotStatesFromValueTree(snapTree, index);
        break;
    case zu::units::cc:
        cc.setSnapshotStatesFromValueTree(snapTree, index);
        break;
    case zu::units::octTp:
        octTp.setSnapshotStatesFromValueTree(snapTree);
        break;
    case zu::units::ccRack:
        ccRack.setSnapshotStatesFromValueTree(snapTree, index);
        break;
    default:
        break;
    }
}

void switchSnapshot(UnitTarget& target, int unitId, int oldSnapshot, int newSnapshot)
{
    if (!isUnitId(unitId))
        return;
    const int kind = kindOf(unitId);
    const int index = indexOf(unitId);
    updateSeqSnapVt(target.paramTree, target.snapTree, kind, index, oldSnapshot);
    loadSeqSnapVt(target.paramTree, target.snapTree, kind, index, newSnapshot);
}

void copyPasteSnapshot(UnitTarget& target, int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot)
{
    if (!isUnitId(srcUnit))
        return;
    const int kind = kindOf(srcUnit);
    const int si = srcUnit - firstIdOfKind[(size_t) kind];
    const int di = dstUnit - firstIdOfKind[(size_t) kind];
    if (!isUnit(kind, di))
        return;
    if (auto* model = target.models.ofKind(kind))
        copyPasteSeqSnapVt(target, *model, target.models.lfo, kind, si, di, srcSnapshot, dstSnapshot);
}

void copyPasteSeqSnapVt(UnitTarget& target, ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si, int di,
                        int ss, int ds)
{
    if (!isUnit(kind, si) || !isUnit(kind, di))
        return;

    auto& snapTree = target.snapTree;
    auto snapOf = [&snapTree, kind](int index, int snapshot)
    { return snapTree.getChildWithName(nodeName(kind, index)).getChildWithName(snapNodeName(snapshot)); };
    auto modSnapOf = [&snapTree, kind](int index, int snapshot)
    {
        return snapTree.getChildWithName("modsnapmain")
            .getChildWithName(modSnapNodeName(kind, index))
            .getChildWithName(snapNodeName(snapshot));
    };

    auto source = snapOf(si, ss);
    auto destination = snapOf(di, ds);
    if (!source.isValid() || !destination.isValid())
        return;
    auto modSource = modSnapOf(si, ss);
    auto modDestination = modSnapOf(di, ds);
    const bool bothMods = modSource.isValid() && modDestination.isValid();

    if (source.getNumProperties() == 0)
        source.copyPropertiesFrom(
            snapTree.getChildWithName(nodeName(kind, si)).getChildWithName("snapdef").createCopy(), nullptr);

    if (bothMods && modSource.getChildWithName(storedSlotNodeName(0)).getNumProperties() == 0)
    {
        const auto modDef = snapTree.getChildWithName("modsnapmain").getChildWithName("moddef").createCopy();
        for (int k = 0; k < numSlots; ++k)
        {
            auto slot = modSource.getChildWithName(storedSlotNodeName(k));
            if (slot.isValid())
                slot.copyPropertiesFrom(modDef, nullptr);
        }
    }

    auto currentOf = [&target, kind](int index)
    { return target.currentSnapshot ? target.currentSnapshot(kind, index) : -1; };

    if (currentOf(si) == ss)
        updateSeqSnapVt(target.paramTree, snapTree, kind, si, ss);

    if (si == di)
    {
        destination.copyPropertiesFrom(source, nullptr);
        if (bothMods)
            modDestination.copyPropertiesAndChildrenFrom(modSource.createCopy(), nullptr);
    }
    else
    {
        copyPasteVtBtwSeqUnits(source, destination, unitPrefix(kind, di));
        if (bothMods)
            modDestination.copyPropertiesAndChildrenFrom(modSource.createCopy(), nullptr);
    }

    if (currentOf(di) == ds)
        loadSeqSnapVt(target.paramTree, snapTree, kind, di, ds);

    model.snapCopyPaste(si, di, ss, ds);
    lfoModel.snapCopyPaste(kind, si, di, ss, ds);
}

void initUnitParams(UnitTarget& target, int kind, int index)
{
    if (!isUnit(kind, index))
        return;

    auto& paramTree = target.paramTree;
    auto modNode = paramTree.getChildWithName("modmain").getChildWithName(modNodeName(kind, index));
    if (modNode.isValid())
        initModUnit(modNode, kind, index);

    const auto snapDef = target.snapTree.getChildWithName(nodeName(kind, index)).getChildWithName("snapdef");
    auto live = paramTree.getChildWithName("seqmain").getChildWithName(nodeName(kind, index));
    if (snapDef.isValid() && live.isValid())
        syncTrees(snapDef.createCopy(), live);

    auto* model = target.models.ofKind(kind);
    for (int s = 1; s < numSnapshots; ++s)
        copyPasteSeqSnapVt(target, *model, target.models.lfo, kind, index, index, 0, s);

    target.models.initUnit(kind, index);
}

bool getModSrcPolarity(const juce::ValueTree& paramTree, int kind, int index, int slot)
{
    if (!isUnit(kind, index) || slot < 0 || slot >= numSlots)
        return false;
    const auto modMain = paramTree.getChildWithName("modmain");
    if (!modMain.isValid())
        return false;
    const auto node = modMain.getChildWithName(modNodeName(kind, index));
    const auto slotNode = node.getChildWithName(slotNodeName(slot));
    if (!slotNode.isValid())
        return false;
    const auto id = slotKey(kind, index, slot, "bbi");
    return slotNode.getProperty(juce::Identifier(id), 0.0).toString().getFloatValue() > 0.5f;
}
} // namespace zu::unitops
