// SPDX-License-Identifier: GPL-3.0-or-later
// Storing, loading and copying unit snapshots in the value trees.
#include "ZuParamBase.h"
#include "ZuParamTrees.h"

using namespace zu::units;

juce::ValueTree ZuParamBase::storedModSnapshot(int kind, int index, int snapshot) const
{
    return snapTree.getChildWithName("modsnapmain")
        .getChildWithName(modSnapNodeName(kind, index))
        .getChildWithName(snapNodeName(snapshot));
}

juce::ValueTree ZuParamBase::liveModNode(int kind, int index) const
{
    return paramTree.getChildWithName("modmain").getChildWithName(modNodeName(kind, index));
}

void ZuParamBase::updateSeqSnapVt(int kind, int index, int snapshot)
{
    if (!isUnit(kind, index))
        return;

    const auto node = nodeName(kind, index);
    auto stored = snapTree.getChildWithName(node).getChildWithName(snapNodeName(snapshot));
    const auto live = paramTree.getChildWithName("seqmain").getChildWithName(node);
    if (stored.isValid() && live.isValid())
        stored.copyPropertiesFrom(live, nullptr);

    const auto liveMod = liveModNode(kind, index);
    auto storedMod = storedModSnapshot(kind, index, snapshot);
    if (!liveMod.isValid() || !storedMod.isValid())
        return;

    for (int k = 0; k < numSlots; ++k)
    {
        const auto liveSlot = liveMod.getChildWithName(slotNodeName(k));
        auto storedSlot = storedMod.getChildWithName(storedSlotNodeName(k));
        if (!liveSlot.isValid() || !storedSlot.isValid())
            continue;
        for (int i = 0; i < liveSlot.getNumProperties(); ++i)
        {
            const auto name = liveSlot.getPropertyName(i);
            storedSlot.setProperty(name.toString().substring(slotPrefixLength), liveSlot.getProperty(name), nullptr);
        }
    }
}

void ZuParamBase::loadSeqSnapVt(int kind, int index, int snapshot)
{
    if (!isUnit(kind, index))
        return;

    const auto node = nodeName(kind, index);
    const auto unitSnaps = snapTree.getChildWithName(node);
    auto source = unitSnaps.getChildWithName(snapNodeName(snapshot));
    if (!source.isValid() || source.getNumProperties() == 0)
        source = unitSnaps.getChildWithName("snapdef").createCopy();

    auto live = paramTree.getChildWithName("seqmain").getChildWithName(node);
    if (source.isValid() && live.isValid())
        syncValueTreeNotifyListeners(source, live);

    auto liveMod = liveModNode(kind, index);
    const auto storedMod = storedModSnapshot(kind, index, snapshot);
    if (!liveMod.isValid() || !storedMod.isValid())
        return;

    const auto modDef = snapTree.getChildWithName("modsnapmain").getChildWithName("moddef");
    for (int k = 0; k < numSlots; ++k)
    {
        const auto storedSlot = storedMod.getChildWithName(storedSlotNodeName(k));
        if (!storedSlot.isValid())
            continue;
        const auto& taken = storedSlot.getNumProperties() > 0 ? storedSlot : modDef;
        juce::ValueTree temp("temp");
        const auto prefix = slotPrefix(kind, index, k);
        for (int i = 0; i < taken.getNumProperties(); ++i)
        {
            const auto name = taken.getPropertyName(i);
            temp.setProperty(prefix + name.toString(), taken.getProperty(name), nullptr);
        }
        auto liveSlot = liveMod.getChildWithName(slotNodeName(k));
        if (liveSlot.isValid())
            syncValueTreeNotifyListeners(temp, liveSlot);
    }
}

void ZuParamBase::copyPasteVtBtwSeqUnits(int, int, juce::ValueTree& source, juce::ValueTree& destination,
                                         juce::String prefix)
{
    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName(i);
        destination.setProperty(prefix + name.toString().substring(unitPrefixLength), source.getProperty(name),
                                nullptr);
    }
}
