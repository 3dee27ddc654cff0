// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuUnits.h"

namespace zu::units
{
namespace
{
juce::String digit(int n)
{
    return juce::String(n);
}
} // namespace

juce::String nodeStem(int kind)
{
    static const char* const stems[numKinds] = {"ptchsq", "prmsq", "ccsq", "octtpsq", "ccrack"};
    return isKind(kind) ? juce::String(stems[kind]) : juce::String();
}

juce::String nodeName(int kind, int index)
{
    if (!isUnit(kind, index))
        return {};
    if (kind == octTp)
        return nodeStem(kind);
    return nodeStem(kind) + digit(index + 1);
}

juce::String nodeName(int unitId)
{
    return nodeName(kindOf(unitId), indexOf(unitId));
}

juce::String editorKeyStem(int kind, int index)
{
    static const char* const stems[numKinds] = {"c_pchsq", "c_prmsq", "c_ccsq", "c_octsq", nullptr};
    // The octave-transpose unit's keys carry the number 1 whoever asks.
    if (kind == octTp)
        index = 0;
    if (!isUnit(kind, index) || stems[kind] == nullptr)
        return {};
    return juce::String(stems[kind]) + digit(index + 1);
}

juce::String controlPageKey(int kind, int index)
{
    if (kind == octTp)
        return "c_octsq_tab";
    // The parameter and CC panels keep their page under keys of their own.
    static const char* const stems[numKinds] = {"c_pchsq", "p2_prmsq", "p3_ccsq", nullptr, nullptr};
    if (!isUnit(kind, index) || stems[kind] == nullptr)
        return {};
    return juce::String(stems[kind]) + digit(index + 1) + "_tab";
}

juce::String unitLabelKey(int unitId)
{
    return isUnitId(unitId) ? "unitlabel" + digit(unitId) : juce::String();
}

juce::String modNodeName(int kind, int index)
{
    return isUnit(kind, index) ? nodeName(kind, index) + "mod" : juce::String();
}

juce::String modSnapNodeName(int kind, int index)
{
    return isUnit(kind, index) ? "seqmodtree" + digit(unitIdOf(kind, index)) : juce::String();
}

juce::String modSnapNodeName(int unitId)
{
    return modSnapNodeName(kindOf(unitId), indexOf(unitId));
}

juce::String snapNodeName(int snapshot)
{
    return "snap" + digit(snapshot + 1);
}

juce::String slotNodeName(int slot)
{
    return "mod" + digit(slot + 1);
}

juce::String storedSlotNodeName(int slot)
{
    return "unit" + digit(slot + 1);
}

juce::String unitPrefix(int kind, int index)
{
    if (!isUnit(kind, index))
        return {};
    const auto kindDigit = digit(kind + 1);
    return "p" + kindDigit + "m" + kindDigit + digit(index + 1) + "_";
}

juce::String unitPrefix(int unitId)
{
    return unitPrefix(kindOf(unitId), indexOf(unitId));
}

juce::String slotPrefix(int kind, int index, int slot)
{
    return "p6m" + digit(kind + 1) + digit(index + 1) + digit(slot + 1) + "_";
}

juce::String modAreaPrefix(int kind, int index)
{
    return "p6m" + digit(kind + 1) + digit(index + 1) + "0_";
}

juce::String numberedKey(const juce::String& prefix, const char* key, int number)
{
    return prefix + key + digit(number);
}

juce::String unitKey(int kind, int index, const char* key)
{
    return unitPrefix(kind, index) + key;
}

juce::String stepKey(int kind, int index, const char* key, int step)
{
    return numberedKey(unitPrefix(kind, index), key, step + 1);
}

juce::String slotKey(int kind, int index, int slot, const char* key)
{
    return slotPrefix(kind, index, slot) + key;
}
} // namespace zu::units
