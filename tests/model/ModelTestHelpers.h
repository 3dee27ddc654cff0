// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Every stored field of a model flattened into a list of numbers, with a
// readable name per entry (made only when asked for), so that a test can say
// exactly which fields a write changed.
class FieldList
{
public:
    explicit FieldList(bool withNames) : names(withNames) {}

    template <typename NameFn> void add(double v, NameFn&& name)
    {
        values.push_back(v);
        if (names)
            labels.push_back(name());
    }

    template <typename T, typename NameFn> void addParam(const ZuDataModelBase::MyParam<T>& p, NameFn&& name)
    {
        add((double) p.value.load(), [&] { return name() + ".value"; });
        add((double) p.modSource[0].load(), [&] { return name() + ".modSource0"; });
        add((double) p.modSource[1].load(), [&] { return name() + ".modSource1"; });
        add((double) p.modDepth[0].load(), [&] { return name() + ".modDepth0"; });
        add((double) p.modDepth[1].load(), [&] { return name() + ".modDepth1"; });
        add(p.modActive.load() ? 1.0 : 0.0, [&] { return name() + ".modActive"; });
    }

    const bool names;
    std::vector<double> values;
    std::vector<std::string> labels;
};

// The names of the fields that differ between two lists of the same model.
inline std::vector<std::string> changedFields(const FieldList& before, const FieldList& after, const FieldList& names)
{
    std::vector<std::string> changed;
    for (size_t i = 0; i < before.values.size() && i < after.values.size(); ++i)
        if (before.values[i] != after.values[i])
            changed.push_back(names.labels[i]);
    return changed;
}

inline std::string unitName(int u, int s)
{
    return "u" + std::to_string(u) + ".s" + std::to_string(s) + ".";
}

inline std::string stepName(int u, int s, int n, const char* key)
{
    return unitName(u, s) + "step" + std::to_string(n + 1) + "." + key;
}

// The header fields that travel through the name map (the request flags are
// checked on their own).
template <typename Unit> void addHeader(FieldList& f, const Unit& unit, int u, bool withChannel)
{
    const auto head = "u" + std::to_string(u) + ".";
    f.add(unit.pwr ? 1.0 : 0.0, [&] { return head + "pwr"; });
    if (withChannel)
        f.add((double) unit.ch.load(), [&] { return head + "ch"; });
    f.add((double) unit.currentSnapshot.load(), [&] { return head + "currentSnapshot"; });
    f.add((double) unit.pendingSnapshot.load(), [&] { return head + "pendingSnapshot"; });
}

// Flattens the clock and play-window values every sequencer snapshot holds.
template <typename Snap> void addClockFields(FieldList& f, const Snap& snap, int u, int s)
{
    const auto head = unitName(u, s);
    f.add(snap.rst.load(), [&] { return head + "rst"; });
    f.add(snap.fclk.load(), [&] { return head + "fclk"; });
    f.add(snap.csync ? 1.0 : 0.0, [&] { return head + "csync"; });
    f.add(snap.clktyp.load(), [&] { return head + "clktyp"; });
    f.addParam(snap.dir, [&] { return head + "dir"; });
    f.addParam(snap.strt, [&] { return head + "strt"; });
    f.addParam(snap.size, [&] { return head + "size"; });
    f.addParam(snap.sclk, [&] { return head + "sclk"; });
}

FieldList fieldsOf(const CtrPtchSqData& m, bool withNames = false);
FieldList fieldsOf(const MirabelGlobalData& m, bool withNames = false);

// Tree shaped like "snapmain": root / unit child / "snap" + s.
inline juce::ValueTree makeSnapTree(const juce::String& unitChild, int snapNumber, juce::ValueTree& snapOut)
{
    juce::ValueTree root("snapmain");
    juce::ValueTree unit(unitChild);
    for (int s = 1; s <= 8; ++s)
        unit.appendChild(juce::ValueTree("snap" + juce::String(s)), nullptr);
    root.appendChild(unit, nullptr);
    snapOut = unit.getChildWithName("snap" + juce::String(snapNumber));
    return root;
}
