// SPDX-License-Identifier: GPL-3.0-or-later
// Unit presets: building one from a unit and loading one into a unit.
#include "ZuUnitPresets.h"

#include <cmath>

namespace zu::unitops
{
using namespace zu::units;

const char* const notAUnitPresetMessage = "This file is not a unit preset.";
const char* const otherKindPresetMessage = "This preset belongs to another kind of unit.";

namespace
{
const juce::Identifier mainParamsId{"mainparams"};
const juce::Identifier snapMainId{"snapmain"};
const juce::Identifier modMainId{"modmain"};

// source's properties under their names without the first cut characters;
// names no longer than cut are left out.
juce::ValueTree withoutPrefix(const juce::ValueTree& source, const juce::String& type, int cut)
{
    juce::ValueTree result(type);
    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName(i).toString();
        if (name.length() > cut)
            result.setProperty(name.substring(cut), source.getProperty(source.getPropertyName(i)), nullptr);
    }
    return result;
}

juce::ValueTree withPrefix(const juce::ValueTree& source, const juce::String& type, const juce::String& prefix)
{
    juce::ValueTree result(type);
    for (int i = 0; i < source.getNumProperties(); ++i)
        result.setProperty(prefix + source.getPropertyName(i).toString(), source.getProperty(source.getPropertyName(i)),
                           nullptr);
    return result;
}

// Whether the children of node are exactly named stem + 1 .. stem + 8 (some
// may be missing), none with children of their own.
bool holdsOnlyNumbered(const juce::ValueTree& node, const juce::String& stem)
{
    for (int i = 0; i < node.getNumChildren(); ++i)
    {
        const auto child = node.getChild(i);
        const auto type = child.getType().toString();
        const int n = type.substring(stem.length()).getIntValue();
        if (!type.startsWith(stem) || type != stem + juce::String(n) || n < 1 || n > numSnapshots ||
            child.getNumChildren() > 0)
            return false;
    }
    return true;
}

bool isUnitPresetShape(const juce::ValueTree& tree)
{
    if (!tree.isValid())
        return false;
    for (int i = 0; i < tree.getNumChildren(); ++i)
    {
        const auto type = tree.getChild(i).getType();
        if (type != mainParamsId && type != snapMainId && type != modMainId)
            return false;
    }
    const auto snaps = tree.getChildWithName(snapMainId);
    const auto mods = tree.getChildWithName(modMainId);
    if (!snaps.isValid() && !mods.isValid())
        return false;
    return holdsOnlyNumbered(snaps, "snap") && holdsOnlyNumbered(mods, "mod");
}

// Keys only a unit of one kind holds: a unit's values name all of its own
// kind's and none of the others'.
juce::StringArray kindMarks(int kind)
{
    switch (kind)
    {
    case pitch:
        return {"pch1", "vel1", "relmode"};
    case param:
        return {"sval1", "emenu1", "tar1"};
    case cc:
        return {"sval1", "tarcc"};
    case octTp:
        return {"stp1", "soct1"};
    case ccRack:
        return {"kval1", "ktarcc1"};
    default:
        return {};
    }
}

bool fitsKind(const juce::ValueTree& values, int kind)
{
    for (const auto& mark : kindMarks(kind))
        if (!values.hasProperty(juce::Identifier(mark)))
            return false;
    for (int other = 0; other < numKinds; ++other)
        for (const auto& mark : kindMarks(other))
            if (!kindMarks(kind).contains(mark) && values.hasProperty(juce::Identifier(mark)))
                return false;
    return true;
}

bool isNumeric(const juce::var& v)
{
    return v.isInt() || v.isInt64() || v.isDouble() || v.isBool();
}

// A value that a numeric default may take: a finite number or the text of one.
bool isFiniteNumber(const juce::var& v)
{
    if (isNumeric(v))
        return std::isfinite((double) v);
    const auto text = v.toString().trim();
    return text.isNotEmpty() && text.containsOnly("0123456789+-.eE") && std::isfinite(text.getDoubleValue());
}

// Mends one preset node against the defaults (names without prefix): a value
// that is not a finite number where the default is one takes the default, and
// an unknown key with a damaged number is dropped. Keys the node lacks stay
// missing, so the unit keeps its own values for them.
juce::ValueTree mended(const juce::ValueTree& node, const juce::ValueTree& defaults)
{
    auto result = node.createCopy();
    for (int i = node.getNumProperties(); --i >= 0;)
    {
        const auto name = node.getPropertyName(i);
        const auto& value = node.getProperty(name);
        const auto fallback = defaults.getProperty(name);
        const bool numeric = fallback.isVoid() ? isNumeric(value) : isNumeric(fallback);
        if (!numeric || isFiniteNumber(value))
            continue;
        if (fallback.isVoid())
            result.removeProperty(name, nullptr);
        else
            result.setProperty(name, fallback, nullptr);
    }
    return result;
}
} // namespace

void createVtForUnitPreset(UnitTarget& target, juce::ValueTree& root, int kind, int index)
{
    if (!isUnit(kind, index) || !root.isValid())
        return;

    const auto node = nodeName(kind, index);
    const auto live = target.paramTree.getChildWithName("seqmain").getChildWithName(node);
    if (live.isValid())
        root.appendChild(withoutPrefix(live, mainParamsId.toString(), unitPrefixLength), nullptr);

    const auto stored = target.snapTree.getChildWithName(node);
    if (stored.isValid())
    {
        const int current = target.currentSnapshot ? target.currentSnapshot(kind, index) : -1;
        if (current >= 0 && current < numSnapshots)
            updateSeqSnapVt(target.paramTree, target.snapTree, kind, index, current);
        juce::ValueTree snaps(snapMainId);
        for (int s = 0; s < numSnapshots; ++s)
            snaps.appendChild(
                withoutPrefix(stored.getChildWithName(snapNodeName(s)), snapNodeName(s), unitPrefixLength), nullptr);
        root.appendChild(snaps, nullptr);
    }

    const auto liveMod = target.paramTree.getChildWithName(modMainId).getChildWithName(modNodeName(kind, index));
    juce::ValueTree mods(modMainId);
    for (int k = 0; k < numSlots; ++k)
        mods.appendChild(withoutPrefix(liveMod.getChildWithName(slotNodeName(k)), slotNodeName(k), slotPrefixLength),
                         nullptr);
    root.appendChild(mods, nullptr);
}

juce::String loadUnitStateFromVt(UnitTarget& target, const juce::ValueTree& tree, int kind, int index)
{
    if (!isUnit(kind, index) || !isUnitPresetShape(tree))
        return notAUnitPresetMessage;

    const auto node = nodeName(kind, index);
    const auto prefix = unitPrefix(kind, index);
    auto unitSnaps = target.snapTree.getChildWithName(node);
    const auto unitDefaults = withoutPrefix(unitSnaps.getChildWithName("snapdef"), "snapdef", unitPrefixLength);
    const auto slotDefaults = target.snapTree.getChildWithName("modsnapmain").getChildWithName("moddef");

    // Everything is checked and mended on detached copies before the first
    // write, so a refused preset changes nothing and none is half-applied.
    const auto presetSnaps = tree.getChildWithName(snapMainId);
    std::array<juce::ValueTree, numSnapshots> snaps;
    for (int s = 0; s < numSnapshots; ++s)
    {
        const auto snap = presetSnaps.getChildWithName(snapNodeName(s));
        if (snap.getNumProperties() == 0)
            continue;
        if (!fitsKind(snap, kind))
            return otherKindPresetMessage;
        snaps[(size_t) s] = mended(snap, unitDefaults);
    }
    const auto mainParams = tree.getChildWithName(mainParamsId);
    if (mainParams.getNumProperties() > 0 && !fitsKind(mainParams, kind))
        return otherKindPresetMessage;

    const auto presetMods = tree.getChildWithName(modMainId);
    std::array<juce::ValueTree, numSlots> slots;
    for (int k = 0; k < numSlots; ++k)
    {
        const auto slot = presetMods.getChildWithName(slotNodeName(k));
        slots[(size_t) k] = slot.getNumProperties() > 0 ? mended(slot, slotDefaults) : slot.createCopy();
    }

    // The live unit takes the preset snapshot of the unit's current index, or
    // its own defaults when the preset never stored that one.
    const int current =
        juce::jlimit(0, numSnapshots - 1, target.currentSnapshot ? target.currentSnapshot(kind, index) : 0);
    const auto& liveSource = snaps[(size_t) current].isValid() ? snaps[(size_t) current] : unitDefaults;
    auto live = target.paramTree.getChildWithName("seqmain").getChildWithName(node);
    if (live.isValid())
        syncTrees(withPrefix(liveSource, "live", prefix), live);

    if (presetSnaps.isValid() && unitSnaps.isValid())
    {
        for (int s = 0; s < numSnapshots; ++s)
        {
            auto stored = unitSnaps.getChildWithName(snapNodeName(s));
            if (snaps[(size_t) s].isValid() && stored.isValid())
                stored.copyPropertiesFrom(withPrefix(snaps[(size_t) s], snapNodeName(s), prefix), nullptr);
        }
        target.models.reloadStoredSnapshots(target.snapTree, kind, index);
    }

    auto liveMod = target.paramTree.getChildWithName(modMainId).getChildWithName(modNodeName(kind, index));
    if (presetMods.isValid() && liveMod.isValid())
    {
        for (int k = 0; k < numSlots; ++k)
        {
            auto liveSlot = liveMod.getChildWithName(slotNodeName(k));
            if (liveSlot.isValid())
                syncTrees(withPrefix(slots[(size_t) k], slotNodeName(k), slotPrefix(kind, index, k)), liveSlot);
        }
    }
    return {};
}
} // namespace zu::unitops
