// SPDX-License-Identifier: GPL-3.0-or-later
// A new instance's "param", "snapmain" and "maintree" trees equal the layout
// written out here from the layout tables, property by property: names,
// order, value types and values.
#include "PluginProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace
{
using namespace zu::units;

// One layout entry: key, pairs of companions, default.
struct Key
{
    const char* key;
    int pairs;
    double def;
};

double single(double v)
{
    return (double) (float) v;
}

void setD(juce::ValueTree& t, const juce::String& id, double v)
{
    t.setProperty(id, single(v), nullptr);
}

void setI(juce::ValueTree& t, const juce::String& id, int v)
{
    t.setProperty(id, v, nullptr);
}

// A unit value and its companions: "_ms" integer, "_md" double.
void unitValue(juce::ValueTree& t, const juce::String& id, const Key& k)
{
    setD(t, id, k.def);
    for (int c = 1; c <= k.pairs; ++c)
    {
        setI(t, id + "_ms" + juce::String(c), 0);
        setD(t, id + "_md" + juce::String(c), 0.0);
    }
}

juce::ValueTree expectedUnit(int kind, int index)
{
    static const std::vector<Key> common{{"dir", 2, 0},    {"sclk", 2, 11}, {"fclk", 0, 0.3}, {"csync", 0, 1},
                                         {"clktyp", 0, 0}, {"rst", 0, 0},   {"strt", 2, 1},   {"size", 2, 16}};
    static const std::vector<Key> unitKeys[] = {{{"goct", 2, 0}, {"tp", 2, 0}, {"relmode", 0, 0}, {"relbn", 2, 49}},
                                                {{"tar1", 0, 1}, {"tar2", 0, 0}, {"tar3", 0, 0}, {"tar4", 0, 0}},
                                                {{"tarcc", 0, 0}, {"omin", 0, 0}, {"omax", 0, 127}},
                                                {},
                                                {}};
    static const std::vector<Key> stepKeys[] = {
        {{"pch", 2, 0},
         {"slk", 0, 0},
         {"oct", 1, 2},
         {"vel", 1, 100},
         {"gate", 1, 50},
         {"prob", 1, 100},
         {"slr", 1, 0},
         {"spwr", 1, 1},
         {"relpch", 2, 0}},
        {{"sval", 2, 0}, {"slk", 0, 0}, {"prob", 1, 100}, {"spwr", 1, 1}, {"emenu", 0, 0}},
        {{"sval", 2, 0}, {"slk", 0, 0}, {"prob", 1, 100}, {"spwr", 1, 1}},
        {{"stp", 2, 0}, {"soct", 1, 2}, {"slk", 0, 0}, {"prob", 1, 100}, {"spwr", 1, 1}},
        {{"kval", 2, 0}, {"ktarcc", 0, 0}, {"kpwr", 0, 1}, {"kmin", 0, 0}, {"kmax", 0, 127}, {"kch", 0, 0}}};

    const auto p = unitPrefix(kind, index);
    juce::ValueTree t(nodeName(kind, index));
    if (kind != ccRack)
        setD(t, p + "page", 0);
    if (kind == pitch)
        setD(t, p + "vgp", 0);
    if (kind != ccRack)
    {
        for (const auto& k : common)
            unitValue(t, p + k.key, k);
        for (const auto& k : unitKeys[kind])
            unitValue(t, p + k.key, k);
    }
    const int count = kind == ccRack ? 8 : 32;
    for (const auto& k : stepKeys[kind])
        for (int n = 1; n <= count; ++n)
            unitValue(t, p + k.key + juce::String(n), k);
    if (kind == ccRack)
        for (int n = 1; n <= 8; ++n)
            t.setProperty(p + "kname" + juce::String(n), juce::String(), nullptr);
    return t;
}

// A slot's properties; companions have the opposite types ("_ms" double, "_md" integer).
void slotProperties(juce::ValueTree& t, const juce::String& prefix, int slot)
{
    for (auto* key : {"bbi", "bphi", "bexp", "bsat", "csync", "clktyp", "bwf", "bsahm", "engn"})
        setI(t, prefix + key, 0);
    setI(t, prefix + "pwr", slot <= 1 ? 1 : 0);
    const Key knobs[] = {{"ksr", 2, 8}, {"kfr", 2, 0.5}, {"kph", 2, 0}, {"kos", 2, 0.5}, {"ksm", 2, 0}, {"klv", 2, 1}};
    for (const auto& k : knobs)
    {
        setD(t, prefix + k.key, k.def);
        for (int c = 1; c <= k.pairs; ++c)
        {
            setD(t, prefix + k.key + "_ms" + juce::String(c), 0.0);
            setI(t, prefix + k.key + "_md" + juce::String(c), 0);
        }
    }
    for (int n = 1; n <= 8; ++n)
        setD(t, prefix + "prb" + juce::String(n), n == 1 ? 1.0 : 0.0);
}

juce::ValueTree expectedParam()
{
    juce::ValueTree p("param");
    p.setProperty("presetname", "Preset", nullptr);
    for (int n = 1; n <= 12; ++n)
    {
        const auto sn = juce::String(n);
        setD(p, "p9_chord_type" + sn, 1.0);
        setI(p, "p9_chord_root" + sn, n);
        setD(p, "p9_chord_inv" + sn, 1.0);
        setI(p, "p9_chord_custom" + sn, 0);
        for (int m = 1; m <= 5; ++m)
            setD(p, "p9_chord" + sn + "_cn" + juce::String(m), 1.0);
    }
    p.setProperty("scale_type1_presetname", "Preset", nullptr);
    for (int k = 1; k <= 7; ++k)
        setI(p, "p8_scale_type1_wkey" + juce::String(k), 1);
    for (int k = 1; k <= 5; ++k)
        setI(p, "p8_scale_type1_bkey" + juce::String(k), 1);
    for (auto* id : {"p0_midichlock", "p0_scalelock", "p0_chrpwr"})
        setI(p, id, 0);
    setI(p, "p0_chrsize", 4);
    setI(p, "p0_chrspd", 4);
    setI(p, "p0_chrtrksel", 0);
    for (int t = 1; t <= 8; ++t)
        for (int s = 1; s <= 16; ++s)
            setI(p, "p0_chrt" + juce::String(t) + "stp" + juce::String(s), 0);
    for (int u = 1; u <= 15; ++u)
        setI(p, "p0_chrtar" + juce::String(u), 0);

    juce::ValueTree seq("seqmain"), mods("modmain");
    for (int id = 1; id <= numUnits; ++id)
    {
        const int kind = kindOf(id), index = indexOf(id);
        seq.appendChild(expectedUnit(kind, index), nullptr);
        juce::ValueTree unitMod(nodeName(kind, index) + "mod");
        setD(unitMod, modAreaPrefix(kind, index) + "tab", 0.0);
        for (int s = 0; s < 8; ++s)
        {
            juce::ValueTree slot(slotNodeName(s));
            slotProperties(slot, slotPrefix(kind, index, s), s);
            unitMod.appendChild(slot, nullptr);
        }
        mods.appendChild(unitMod, nullptr);
    }
    p.appendChild(seq, nullptr);
    p.appendChild(mods, nullptr);

    juce::ValueTree other("otherparams");
    setI(other, "p0_recleng", 1);
    for (int t = 1; t <= 4; ++t)
        for (int u = 1; u <= 10; ++u)
            setI(other, "p0_rectrk" + juce::String(t) + "tarunit" + juce::String(u), u == t ? 1 : 0);
    p.appendChild(other, nullptr);
    return p;
}

juce::ValueTree expectedSnapMain()
{
    juce::ValueTree snaps("snapmain");
    for (int id = 1; id <= numUnits; ++id)
    {
        const auto unit = expectedUnit(kindOf(id), indexOf(id));
        juce::ValueTree child(unit.getType());
        juce::ValueTree def("snapdef");
        def.copyPropertiesFrom(unit, nullptr);
        child.appendChild(def, nullptr);
        for (int s = 0; s < 8; ++s)
            child.appendChild(juce::ValueTree(snapNodeName(s)), nullptr);
        snaps.appendChild(child, nullptr);
    }
    juce::ValueTree modSnaps("modsnapmain");
    juce::ValueTree modDef("moddef");
    slotProperties(modDef, {}, 0);
    modSnaps.appendChild(modDef, nullptr);
    for (int e = 1; e <= 15; ++e)
    {
        juce::ValueTree unit(modSnapNodeName(e));
        for (int s = 0; s < 8; ++s)
        {
            juce::ValueTree snap(snapNodeName(s));
            for (int m = 0; m < 8; ++m)
                snap.appendChild(juce::ValueTree(storedSlotNodeName(m)), nullptr);
            unit.appendChild(snap, nullptr);
        }
        modSnaps.appendChild(unit, nullptr);
    }
    snaps.appendChild(modSnaps, nullptr);
    return snaps;
}

const char* typeName(const juce::var& v)
{
    return v.isInt() ? "int" : v.isDouble() ? "double" : v.isString() ? "text" : "other";
}

// Names, order, value types and values, the first difference reported with its path.
void expectSameTree(const juce::ValueTree& actual, const juce::ValueTree& expected, const juce::String& path)
{
    const auto here = path + "/" + expected.getType().toString();
    ASSERT_EQ(actual.getType(), expected.getType()) << path;
    ASSERT_EQ(actual.getNumProperties(), expected.getNumProperties()) << here;
    for (int i = 0; i < expected.getNumProperties(); ++i)
    {
        const auto name = expected.getPropertyName(i);
        ASSERT_EQ(actual.getPropertyName(i), name) << here << " property " << i;
        const auto& a = actual.getProperty(name);
        const auto& e = expected.getProperty(name);
        ASSERT_STREQ(typeName(a), typeName(e)) << here << "/" << name.toString();
        ASSERT_TRUE(a == e) << here << "/" << name.toString() << ": " << a.toString() << " != " << e.toString();
    }
    ASSERT_EQ(actual.getNumChildren(), expected.getNumChildren()) << here;
    for (int i = 0; i < expected.getNumChildren(); ++i)
        expectSameTree(actual.getChild(i), expected.getChild(i), here);
}
} // namespace

TEST(TreeLayout, ANewInstancesParamTreeEqualsTheLayout)
{
    ZumiraboxAudioProcessor processor;
    expectSameTree(processor.paramTree, expectedParam(), {});
}

TEST(TreeLayout, ANewInstancesSnapshotTreeEqualsTheLayout)
{
    ZumiraboxAudioProcessor processor;
    expectSameTree(processor.snapTree, expectedSnapMain(), {});
}

TEST(TreeLayout, ResettingAllValuesRestoresTheLayoutButKeepsLocksAndTheScalePresetName)
{
    ZumiraboxAudioProcessor processor;
    auto& p = processor.paramTree;
    p.setProperty("p0_midichlock", 1, nullptr);
    p.setProperty("p0_scalelock", 1, nullptr);
    p.setProperty("scale_type1_presetname", "Mine", nullptr);
    p.setProperty("p9_chord_root7", 2, nullptr);
    p.setProperty("p0_chrt3stp9", 1, nullptr);
    p.setProperty("presetname", "Song", nullptr);

    processor.initializeAllParamValues();

    auto expected = expectedParam();
    // Resetting a unit's slots writes its page as an integer 0.
    for (int id = 1; id <= numUnits; ++id)
        expected.getChildWithName("modmain")
            .getChildWithName(modNodeName(kindOf(id), indexOf(id)))
            .setProperty(modAreaPrefix(kindOf(id), indexOf(id)) + "tab", 0, nullptr);
    expected.setProperty("p0_midichlock", 1, nullptr);
    expected.setProperty("p0_scalelock", 1, nullptr);
    expected.setProperty("scale_type1_presetname", "Mine", nullptr);
    expectSameTree(processor.paramTree, expected, {});
}

TEST(TreeLayout, InstancesCreatedOnTwoThreadsAtOnceHoldTheLayoutAndSaveTheSameChunk)
{
    // Instances share the trees and tables each process builds once; hosts
    // create instances on any thread, several at a time.
    std::unique_ptr<ZumiraboxAudioProcessor> made[2];
    std::atomic<int> waiting{2};
    auto create = [&](int i)
    {
        waiting.fetch_sub(1);
        while (waiting.load() > 0)
            std::this_thread::yield();
        made[i] = std::make_unique<ZumiraboxAudioProcessor>();
    };
    std::thread first(create, 0), second(create, 1);
    first.join();
    second.join();

    ZumiraboxAudioProcessor reference;
    juce::MemoryBlock expectedChunk;
    reference.getStateInformation(expectedChunk);
    for (auto& processor : made)
    {
        ASSERT_NE(processor, nullptr);
        expectSameTree(processor->paramTree, expectedParam(), {});
        expectSameTree(processor->snapTree, expectedSnapMain(), {});
        expectSameTree(processor->mainTree, reference.mainTree, {});
        juce::MemoryBlock chunk;
        processor->getStateInformation(chunk);
        EXPECT_TRUE(chunk == expectedChunk);
    }
}
