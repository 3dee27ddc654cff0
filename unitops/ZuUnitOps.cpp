// SPDX-License-Identifier: GPL-3.0-or-later
// Operations on one unit that switch, copy and reset snapshots in the trees and
// in the data models (message thread).
#include "PluginProcessor.h"

namespace
{
constexpr int firstIdOfKind[] = {1, 5, 9, 13, 14};
constexpr int unitsOfKind[] = {4, 4, 4, 1, 2};
} // namespace

void ZumiraboxAudioProcessor::snapshotChanged(int unit, int oldSnapshot, int newSnapshot)
{
    if (unit < 1 || unit > numUnits)
        return;
    const int kind = ZuTreeNames::kindIndexOfUnit(unit);
    const int index = ZuTreeNames::unitIndexOfUnit(unit);
    updateSeqSnapVt(kind, index, oldSnapshot);
    loadSeqSnapVt(kind, index, newSnapshot);
    setPendingSnapshotOfUnit(unit, -1);
}

void ZumiraboxAudioProcessor::copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot)
{
    if (srcUnit < 1 || srcUnit > numUnits)
        return;
    const int kind = ZuTreeNames::kindIndexOfUnit(srcUnit);
    const int si = srcUnit - firstIdOfKind[kind];
    const int di = dstUnit - firstIdOfKind[kind];
    if (di < 0 || di >= unitsOfKind[kind])
        return;
    if (auto* model = unitModelOfKind(kind))
        copyPasteSeqSnapVt(*model, lfoData, kind, si, di, srcSnapshot, dstSnapshot);
}

void ZumiraboxAudioProcessor::copyPasteSeqSnapVt(ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si,
                                                 int di, int ss, int ds)
{
    if (kind < 0 || kind >= numKinds || si < 0 || si >= unitsOfKind[kind] || di < 0 || di >= unitsOfKind[kind])
        return;

    auto snapOf = [this, kind](int index, int snapshot) {
        return snapTree.getChildWithName(unitNodeName(kind, index))
            .getChildWithName("snap" + juce::String(snapshot + 1));
    };
    auto modSnapOf = [this, kind](int index, int snapshot)
    {
        return snapTree.getChildWithName("modsnapmain")
            .getChildWithName("seqmodtree" + juce::String(snapTreeIndex(kind, index) + 1))
            .getChildWithName("snap" + juce::String(snapshot + 1));
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
            snapTree.getChildWithName(unitNodeName(kind, si)).getChildWithName("snapdef").createCopy(), nullptr);

    if (bothMods && modSource.getChildWithName("unit1").getNumProperties() == 0)
    {
        const auto modDef = snapTree.getChildWithName("modsnapmain").getChildWithName("moddef").createCopy();
        for (int k = 1; k <= 8; ++k)
        {
            auto slot = modSource.getChildWithName("unit" + juce::String(k));
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
        copyPasteVtBtwSeqUnits(si, di, source, destination, unitPrefixOf(kind, di));
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
    if (kind < 0 || kind >= numKinds || index < 0 || index >= unitsOfKind[kind])
        return;

    auto modNode = paramTree.getChildWithName("modmain").getChildWithName(unitNodeName(kind, index) + "mod");
    if (modNode.isValid())
        initModUnit(modNode, kind, index);

    const auto snapDef = snapTree.getChildWithName(unitNodeName(kind, index)).getChildWithName("snapdef");
    auto live = paramTree.getChildWithName("seqmain").getChildWithName(unitNodeName(kind, index));
    if (snapDef.isValid() && live.isValid())
        syncValueTreeNotifyListeners(snapDef.createCopy(), live);

    auto* model = unitModelOfKind(kind);
    for (int s = 1; s <= 7; ++s)
        copyPasteSeqSnapVt(*model, lfoData, kind, index, index, 0, s);

    switch (kind)
    {
    case 0:
        pitchSeqData.init(index);
        break;
    case 1:
        paramSeqData.init(index);
        break;
    case 2:
        ccSeqData.init(index);
        break;
    case 3:
        octTpSeqData.init(0);
        break;
    default:
        ccRackData.init(index);
        break;
    }
}

bool ZumiraboxAudioProcessor::getModSrcPolarity(int kind, int index, int slot)
{
    if (kind < 0 || kind >= numKinds || slot < 0 || slot >= 8)
        return false;
    const auto modMain = paramTree.getChildWithName("modmain");
    if (!modMain.isValid())
        return false;
    const auto node = modMain.getChildWithName(unitNodeName(kind, index) + "mod");
    const auto slotNode = node.getChildWithName("mod" + juce::String(slot + 1));
    if (!slotNode.isValid())
        return false;
    const auto id = "p6m" + juce::String(kind + 1) + juce::String(index + 1) + juce::String(slot + 1) + "_bbi";
    return slotNode.getProperty(juce::Identifier(id), 0.0).toString().getFloatValue() > 0.5f;
}
