// SPDX-License-Identifier: GPL-3.0-or-later
// Storing, loading and copying unit snapshots in the value trees.
#include "ZuParamBase.h"
#include "ZuParamTrees.h"

namespace
{
constexpr int unitsOfKind[ZuParamBase::numKinds] = {4, 4, 4, 1, 2};

bool isValidUnit(int kind, int index)
{
    return kind >= 0 && kind < ZuParamBase::numKinds && index >= 0 && index < unitsOfKind[kind];
}

juce::String snapName(int snapshot)
{
    return "snap" + juce::String(snapshot + 1);
}

// The slot properties carry a 7-character prefix ("p6m111_") in the live tree only.
constexpr int slotPrefixLength = 7;
} // namespace

juce::String ZuParamBase::unitNodeName(int kind, int index) const
{
    if (kind == 3)
        return kindNames[3];
    return kindNames[(size_t) juce::jlimit(0, numKinds - 1, kind)] + juce::String(index + 1);
}

juce::String ZuParamBase::unitPrefixOf(int kind, int index)
{
    return "p" + juce::String(kind + 1) + "m" + juce::String(kind + 1) + juce::String(index + 1) + "_";
}

int ZuParamBase::snapTreeIndex(int kind, int index)
{
    const int e = kind == 4 ? index + 13 : index + 4 * kind;
    return juce::jlimit(0, numUnits - 1, e);
}

juce::ValueTree ZuParamBase::storedModSnapshot(int kind, int index, int snapshot) const
{
    return snapTree.getChildWithName("modsnapmain")
        .getChildWithName("seqmodtree" + juce::String(snapTreeIndex(kind, index) + 1))
        .getChildWithName(snapName(snapshot));
}

juce::ValueTree ZuParamBase::liveModNode(int kind, int index) const
{
    return paramTree.getChildWithName("modmain").getChildWithName(unitNodeName(kind, index) + "mod");
}

void ZuParamBase::updateSeqSnapVt(int kind, int index, int snapshot)
{
    if (!isValidUnit(kind, index))
        return;

    const auto nodeName = unitNodeName(kind, index);
    auto stored = snapTree.getChildWithName(nodeName).getChildWithName(snapName(snapshot));
    const auto live = paramTree.getChildWithName("seqmain").getChildWithName(nodeName);
    if (stored.isValid() && live.isValid())
        stored.copyPropertiesFrom(live, nullptr);

    const auto liveMod = liveModNode(kind, index);
    auto storedMod = storedModSnapshot(kind, index, snapshot);
    if (!liveMod.isValid() || !storedMod.isValid())
        return;

    for (int k = 1; k <= 8; ++k)
    {
        const auto liveSlot = liveMod.getChildWithName("mod" + juce::String(k));
        auto storedSlot = storedMod.getChildWithName("unit" + juce::String(k));
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
    if (!isValidUnit(kind, index))
        return;

    const auto nodeName = unitNodeName(kind, index);
    const auto unitSnaps = snapTree.getChildWithName(nodeName);
    auto source = unitSnaps.getChildWithName(snapName(snapshot));
    if (!source.isValid() || source.getNumProperties() == 0)
        source = unitSnaps.getChildWithName("snapdef").createCopy();

    auto live = paramTree.getChildWithName("seqmain").getChildWithName(nodeName);
    if (source.isValid() && live.isValid())
        syncValueTreeNotifyListeners(source, live);

    auto liveMod = liveModNode(kind, index);
    const auto storedMod = storedModSnapshot(kind, index, snapshot);
    if (!liveMod.isValid() || !storedMod.isValid())
        return;

    const auto modDef = snapTree.getChildWithName("modsnapmain").getChildWithName("moddef");
    const auto slotHead = "p6m" + juce::String(kind + 1) + juce::String(index + 1);
    for (int k = 1; k <= 8; ++k)
    {
        const auto storedSlot = storedMod.getChildWithName("unit" + juce::String(k));
        if (!storedSlot.isValid())
            continue;
        const auto& taken = storedSlot.getNumProperties() > 0 ? storedSlot : modDef;
        juce::ValueTree temp("temp");
        const auto prefix = slotHead + juce::String(k) + "_";
        for (int i = 0; i < taken.getNumProperties(); ++i)
        {
            const auto name = taken.getPropertyName(i);
            temp.setProperty(prefix + name.toString(), taken.getProperty(name), nullptr);
        }
        auto liveSlot = liveMod.getChildWithName("mod" + juce::String(k));
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
        destination.setProperty(prefix + name.toString().substring(6), source.getProperty(name), nullptr);
    }
}
