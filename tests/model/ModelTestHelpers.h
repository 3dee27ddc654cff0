// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuData.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
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

// A write changed exactly the named field, and to the value given.
inline void expectOnlyFieldChanged(const FieldList& names, const FieldList& before, const FieldList& after,
                                   const std::string& field, double stored, const std::string& what)
{
    const auto changed = changedFields(before, after, names);
    ASSERT_EQ(changed.size(), 1u) << what;
    EXPECT_EQ(changed.front(), field) << what;
    for (size_t i = 0; i < names.labels.size(); ++i)
        if (names.labels[i] == field)
        {
            EXPECT_DOUBLE_EQ(after.values[i], stored) << what;
        }
}

inline std::string unitName(int u, int s)
{
    return "u" + std::to_string(u) + ".s" + std::to_string(s) + ".";
}

inline std::string stepName(int u, int s, int n, const char* key)
{
    return unitName(u, s) + "step" + std::to_string(n + 1) + "." + key;
}

template <typename Unit> constexpr auto hasChannel(int) -> decltype(std::declval<Unit>().ch, bool())
{
    return true;
}
template <typename Unit> constexpr bool hasChannel(long)
{
    return false;
}

// The header fields that travel through the name map (the request flags are
// checked on their own).
template <typename Unit> void addHeader(FieldList& f, const Unit& unit, int u)
{
    const auto head = "u" + std::to_string(u) + ".";
    f.add(unit.pwr ? 1.0 : 0.0, [&] { return head + "pwr"; });
    if constexpr (hasChannel<Unit>(0))
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
FieldList fieldsOf(const CtrPrmSqData& m, bool withNames = false);
class CtrCcSqData;
FieldList fieldsOf(const CtrCcSqData& m, bool withNames = false);
class CtrOctSqData;
FieldList fieldsOf(const CtrOctSqData& m, bool withNames = false);
FieldList fieldsOf(const CtrCcRackData& m, bool withNames = false);
FieldList fieldsOf(const ChordData& m, bool withNames = false);

// Every key of a unit model's map, written on a freshly reset unit whose
// current snapshot is 5, changes exactly one stored field: a header field of
// that unit for the header keys, a field of its snapshot 5 for the others;
// and no two keys change the same field.
template <class Model>
void expectEveryKeyWritesItsOwnField(Model& m, int unit, const juce::String& idPrefix,
                                     const std::set<juce::String>& headerKeys)
{
    const auto names = fieldsOf(m, true);
    const auto unitHead = "u" + std::to_string(unit) + ".";
    const auto snapHead = unitHead + "s5.";
    std::set<std::string> seen;
    for (const auto& entry : m.paramMap)
    {
        const auto& key = entry.first;
        m.init(unit);
        m.setParamVal(idPrefix + "snp", 5.0f);
        const auto before = fieldsOf(m);
        std::vector<std::string> changed;
        for (float v : {key == "snp" ? 6.0f : 3.0f, 0.0f})
        {
            m.setParamVal(idPrefix + key, v);
            changed = changedFields(before, fieldsOf(m), names);
            if (!changed.empty())
                break;
        }
        ASSERT_EQ(changed.size(), 1u) << key;
        const auto& field = changed.front();
        const auto& head = headerKeys.count(key) > 0 ? unitHead : snapHead;
        EXPECT_EQ(field.rfind(head, 0), 0u) << key << " -> " << field;
        EXPECT_TRUE(seen.insert(field).second) << key << " -> " << field << " twice";
    }
}

// A write of one identifier into a fresh model changes one named field to the
// value given.
struct RouteRow
{
    const char* id;
    float value;
    const char* field;
    double stored;
};

template <class Model> void expectRoutes(std::initializer_list<RouteRow> rows)
{
    auto fresh = []
    {
        auto m = std::make_unique<Model>();
        m->createParamMap();
        return m;
    };
    const auto names = fieldsOf(*fresh(), true);
    for (const auto& row : rows)
    {
        auto m = fresh();
        const auto before = fieldsOf(*m);
        m->setParamVal(row.id, row.value);
        expectOnlyFieldChanged(names, before, fieldsOf(*m), row.field, row.stored,
                               std::string(row.id) + " = " + std::to_string(row.value));
    }
}

// The name map holds exactly indices 1..count, and the given keys at their places.
template <class Model>
void expectNameMap(const Model& m, size_t count, std::initializer_list<std::pair<const char*, int>> places)
{
    ASSERT_EQ(m.paramMap.size(), count);
    std::set<int> indices;
    for (const auto& entry : m.paramMap)
        indices.insert(entry.second);
    EXPECT_EQ(indices.size(), count);
    EXPECT_EQ(*indices.begin(), 1);
    EXPECT_EQ(*indices.rbegin(), (int) count);
    for (const auto& [key, index] : places)
        EXPECT_EQ(m.getParamIndex(key), index) << key;
}

// Tree shaped like "snapmain": root / unit child / "snap" + s.
inline juce::ValueTree makeSnapTree(const juce::String& unitChild, int snapNumber, juce::ValueTree& snapOut)
{
    juce::ValueTree root("snapmain");
    juce::ValueTree unit(unitChild);
    for (int s = 0; s < zu::units::numSnapshots; ++s)
        unit.appendChild(juce::ValueTree(zu::units::snapNodeName(s)), nullptr);
    root.appendChild(unit, nullptr);
    snapOut = unit.getChildWithName(zu::units::snapNodeName(snapNumber - 1));
    return root;
}
