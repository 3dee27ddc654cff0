// SPDX-License-Identifier: GPL-3.0-or-later
// Storing, loading and copying unit snapshots in the value trees.
#include "ZuUnitOps.h"
#include "ZuTreeProperties.h"

namespace zu::unitops
{
using namespace zu::units;

namespace
{
juce::ValueTree storedModSnapshot(const juce::ValueTree& snapTree, int kind, int index, int snapshot)
{
    return snapTree.getChildWithName("modsnapmain")
        .getChildWithName(modSnapNodeName(kind, index))
        .getChildWithName(snapNodeName(snapshot));
}

juce::ValueTree liveModNode(const juce::ValueTree& paramTree, int kind, int index)
{
    return paramTree.getChildWithName("modmain").getChildWithName(modNodeName(kind, index));
}

} // namespace

void updateSeqSnapVt(const juce::ValueTree& paramTree, juce::ValueTree& snapTree, int kind, int index, int snapshot)
{
    if (!isUnit(kind, index))
        return;

    const auto node = nodeName(kind, index);
    auto stored = snapTree.getChildWithName(node).getChildWithName(snapNodeName(snapshot));
    const auto live = paramTree.getChildWithName("seqmain").getChildWithName(node);
    if (stored.isValid() && live.isValid())
        zu::copyPropertiesInOrder(live, stored);

    const auto liveMod = liveModNode(paramTree, kind, index);
    auto storedMod = storedModSnapshot(snapTree, kind, index, snapshot);
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

void loadSeqSnapVt(juce::ValueTree& paramTree, const juce::ValueTree& snapTree, int kind, int index, int snapshot)
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
        syncTrees(source, live);

    auto liveMod = liveModNode(paramTree, kind, index);
    const auto storedMod = storedModSnapshot(snapTree, kind, index, snapshot);
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
            syncTrees(temp, liveSlot);
    }
}

void copyPasteVtBtwSeqUnits(const juce::ValueTree& source, juce::ValueTree& destination, const juce::String& prefix)
{
    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName(i);
        destination.setProperty(prefix + name.toString().substring(unitPrefixLength), source.getProperty(name),
                                nullptr);
    }
}
} // namespace zu::unitops
