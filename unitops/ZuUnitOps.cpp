// SPDX-License-Identifier: GPL-3.0-or-later
// Operations on one unit that switch, copy and reset snapshots in the trees and
// in the data models (message thread).
#include "PluginProcessor.h"

using namespace zu::units;

void ZumiraboxAudioProcessor::snapshotChanged(int unit, int oldSnapshot, int newSnapshot)
{
    if (!isUnitId(unit))
        return;
    const int kind = kindOf(unit);
    const int index = indexOf(unit);
    updateSeqSnapVt(kind, index, oldSnapshot);
    loadSeqSnapVt(kind, index, newSnapshot);
    setPendingSnapshotOfUnit(unit, -1);
}

void ZumiraboxAudioProcessor::copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot)
{
    if (!isUnitId(srcUnit))
        return;
    const int kind = kindOf(srcUnit);
    const int si = srcUnit - firstIdOfKind[(size_t) kind];
    const int di = dstUnit - firstIdOfKind[(size_t) kind];
    if (!isUnit(kind, di))
        return;
    if (auto* model = unitModelOfKind(kind))
        copyPasteSeqSnapVt(*model, lfoData, kind, si, di, srcSnapshot, dstSnapshot);
}

void ZumiraboxAudioProcessor::copyPasteSeqSnapVt(ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si,
                                                 int di, int ss, int ds)
{
    if (!isUnit(kind, si) || !isUnit(kind, di))
        return;

    auto snapOf = [this, kind](int index, int snapshot)
    { return snapTree.getChildWithName(nodeName(kind, index)).getChildWithName(snapNodeName(snapshot)); };
    auto modSnapOf = [this, kind](int index, int snapshot)
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

    auto currentOf = [this, kind](int index)
    {
        float v = 0.0f;
        getValueFromValueTree(v, kindSnapParamIndex[kind][index]);
        return zu::toIntSaturating(v);
    };

    if (currentOf(si) == ss)
        updateSeqSnapVt(kind, si, ss);

    if (si == di)
    {
        destination.copyPropertiesFrom(source, nullptr);
        if (bothMods)
            modDestination.copyPropertiesAndChildrenFrom(modSource.createCopy(), nullptr);
    }
    else
    {
        copyPasteVtBtwSeqUnits(si, di, source, destination, unitPrefix(kind, di));
        if (bothMods)
            modDestination.copyPropertiesAndChildrenFrom(modSource.createCopy(), nullptr);
    }

    if (currentOf(di) == ds)
        loadSeqSnapVt(kind, di, ds);

    model.snapCopyPaste(si, di, ss, ds);
    lfoModel.snapCopyPaste(kind, si, di, ss, ds);
}

void ZumiraboxAudioProcessor::initUnitParams(int kind, int index)
{
    if (!isUnit(kind, index))
        return;

    auto modNode = paramTree.getChildWithName("modmain").getChildWithName(modNodeName(kind, index));
    if (modNode.isValid())
        initModUnit(modNode, kind, index);

    const auto snapDef = snapTree.getChildWithName(nodeName(kind, index)).getChildWithName("snapdef");
    auto live = paramTree.getChildWithName("seqmain").getChildWithName(nodeName(kind, index));
    if (snapDef.isValid() && live.isValid())
        syncValueTreeNotifyListeners(snapDef.createCopy(), live);

    auto* model = unitModelOfKind(kind);
    for (int s = 1; s <= 7; ++s)
        copyPasteSeqSnapVt(*model, lfoData, kind, index, index, 0, s);

    switch (kind)
    {
    case pitch:
        pitchSeqData.init(index);
        break;
    case param:
        paramSeqData.init(index);
        break;
    case cc:
        ccSeqData.init(index);
        break;
    case octTp:
        octTpSeqData.init(0);
        break;
    default:
        ccRackData.init(index);
        break;
    }
}

bool ZumiraboxAudioProcessor::getModSrcPolarity(int kind, int index, int slot)
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
