// SPDX-License-Identifier: GPL-3.0-or-later
// The three trees built by preparePlugin: names, order, value types, defaults.
#include "ProcessorTestHelpers.h"
#include "ZuParamTrees.h"

#include <gtest/gtest.h>

namespace
{
struct Prepared : ::testing::Test
{
    void SetUp() override { processor.preparePlugin(); }

    juce::ValueTree seq(const char* name)
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(name);
    }
    juce::ValueTree mod(const char* name)
    {
        return processor.paramTree.getChildWithName("modmain").getChildWithName(name);
    }

    static void expectProp(const juce::ValueTree& tree, const juce::String& id, VarType type, const juce::var& value)
    {
        SCOPED_TRACE(tree.getType().toString() + "/" + id);
        ASSERT_TRUE(tree.hasProperty(id));
        const auto v = tree.getProperty(id);
        EXPECT_EQ(typeOf(v), type);
        if (type == VarType::Text)
            EXPECT_EQ(v.toString(), value.toString());
        else
            EXPECT_DOUBLE_EQ((double) v, (double) value);
    }

    RecordingProcessor processor;
};

int propertyIndex(const juce::ValueTree& tree, const juce::String& name)
{
    for (int i = 0; i < tree.getNumProperties(); ++i)
        if (tree.getPropertyName(i).toString() == name)
            return i;
    return -1;
}

juce::StringArray childTypes(const juce::ValueTree& tree)
{
    juce::StringArray names;
    for (const auto& child : tree)
        names.add(child.getType().toString());
    return names;
}
} // namespace

TEST_F(Prepared, PreparePluginPushesEveryDefaultInIndexOrder)
{
    ASSERT_EQ(processor.paramCalls.size(), 100u);
    for (int i = 0; i < 100; ++i)
    {
        EXPECT_EQ(processor.paramCalls[(size_t) i].first, processor.paramProfile.getParamID(i));
        EXPECT_EQ(processor.paramCalls[(size_t) i].second, processor.paramProfile.getDefVal(i));
        EXPECT_EQ(processor.paramIds[i], processor.paramProfile.getParamID(i));
    }
    EXPECT_EQ(processor.paramCalls.back().first, "dummy");
    EXPECT_EQ(processor.paramIds.size(), 100);
}

TEST_F(Prepared, OnlyPropertiesOfParamItselfReachTheTreeListener)
{
    // Unit, slot and recorder nodes are filled while detached.
    EXPECT_EQ(processor.treeCalls.size(), (size_t) processor.paramTree.getNumProperties());
    EXPECT_EQ(processor.treeCalls.front().first, "presetname");
    EXPECT_EQ(processor.treeCalls.back().first, "p0_chrtar15");
}

TEST_F(Prepared, ParamTreeLayout)
{
    const auto& p = processor.paramTree;
    EXPECT_EQ(p.getType().toString(), "param");
    EXPECT_EQ(childTypes(p), juce::StringArray({"seqmain", "modmain", "otherparams"}));
    EXPECT_EQ(p.getNumProperties(), 271);

    const juce::StringArray units{"ptchsq1", "ptchsq2", "ptchsq3", "ptchsq4", "prmsq1",  "prmsq2",  "prmsq3", "prmsq4",
                                  "ccsq1",   "ccsq2",   "ccsq3",   "ccsq4",   "octtpsq", "ccrack1", "ccrack2"};
    EXPECT_EQ(childTypes(p.getChildWithName("seqmain")), units);
    juce::StringArray modUnits;
    for (const auto& u : units)
        modUnits.add(u + "mod");
    EXPECT_EQ(childTypes(p.getChildWithName("modmain")), modUnits);

    EXPECT_EQ(p.getPropertyName(0).toString(), "presetname");
    EXPECT_EQ(p.getPropertyName(1).toString(), "p9_chord_type1");
    EXPECT_EQ(p.getPropertyName(9).toString(), "p9_chord1_cn5");
    EXPECT_EQ(p.getPropertyName(10).toString(), "p9_chord_type2");
    expectProp(p, "presetname", VarType::Text, "Preset");
    expectProp(p, "p9_chord_root5", VarType::Int, 5);
    expectProp(p, "p9_chord_type12", VarType::Double, 1.0);
    expectProp(p, "p9_chord12_cn5", VarType::Double, 1.0);
    expectProp(p, "p8_scale_type1_bkey5", VarType::Int, 1);
    expectProp(p, "p0_chrsize", VarType::Int, 4);
    expectProp(p, "p0_chrt8stp16", VarType::Int, 0);
    expectProp(p, "p0_chrtar15", VarType::Int, 0);
    EXPECT_FALSE(p.hasProperty("p0_chrt9stp1"));
    EXPECT_FALSE(p.hasProperty("p0_chrtar16"));

    const auto other = p.getChildWithName("otherparams");
    EXPECT_EQ(other.getNumProperties(), 41);
    expectProp(other, "p0_recleng", VarType::Int, 1);
    expectProp(other, "p0_rectrk3tarunit3", VarType::Int, 1);
    expectProp(other, "p0_rectrk3tarunit4", VarType::Int, 0);
    EXPECT_EQ(other.getPropertyName(1).toString(), "p0_rectrk1tarunit1");
}

TEST_F(Prepared, UnitChildrenHoldTheirKeysInOrderWithCompanions)
{
    struct Case
    {
        const char* child;
        int count;
        const char* first;
        const char* second;
    };
    const Case cases[] = {{"ptchsq1", 970, "p1m11_page", "p1m11_vgp"},
                          {"prmsq4", 445, "p2m24_page", "p2m24_dir"},
                          {"ccsq2", 412, "p3m32_page", "p3m32_dir"},
                          {"octtpsq", 505, "p4m41_page", "p4m41_dir"},
                          {"ccrack2", 88, "p5m52_kval1", "p5m52_kval1_ms1"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.child);
        const auto unit = seq(c.child);
        EXPECT_EQ(unit.getNumProperties(), c.count);
        EXPECT_EQ(unit.getPropertyName(0).toString(), c.first);
        EXPECT_EQ(unit.getPropertyName(1).toString(), c.second);
        EXPECT_EQ(unit.getNumChildren(), 0);
    }

    const auto pitch = seq("ptchsq1");
    expectProp(pitch, "p1m11_pch1", VarType::Double, 0.0);
    expectProp(pitch, "p1m11_pch1_ms1", VarType::Int, 0);
    expectProp(pitch, "p1m11_pch1_md1", VarType::Double, 0.0);
    expectProp(pitch, "p1m11_pch1_ms2", VarType::Int, 0);
    expectProp(pitch, "p1m11_pch32_md2", VarType::Double, 0.0);
    EXPECT_FALSE(pitch.hasProperty("p1m11_slk1_ms1"));
    EXPECT_TRUE(pitch.hasProperty("p1m11_oct1_md1"));
    EXPECT_FALSE(pitch.hasProperty("p1m11_oct1_ms2"));
    expectProp(pitch, "p1m11_fclk", VarType::Double, (double) 0.3f);
    expectProp(pitch, "p1m11_relbn", VarType::Double, 49.0);
    expectProp(pitch, "p1m11_sclk", VarType::Double, 11.0);
    expectProp(pitch, "p1m11_vel17", VarType::Double, 100.0);
    EXPECT_EQ(pitch.getPropertyName(2).toString(), "p1m11_dir");
    EXPECT_EQ(pitch.getPropertyName(3).toString(), "p1m11_dir_ms1");
    for (const char* hostOnly : {"p1m11_pwr", "p1m11_ch", "p1m11_snp"})
        EXPECT_FALSE(pitch.hasProperty(hostOnly)) << hostOnly;

    expectProp(seq("prmsq1"), "p2m21_tar1", VarType::Double, 1.0);
    expectProp(seq("prmsq1"), "p2m21_tar2", VarType::Double, 0.0);
    expectProp(seq("prmsq1"), "p2m21_emenu32", VarType::Double, 0.0);
    expectProp(seq("ccsq4"), "p3m34_omax", VarType::Double, 127.0);
    expectProp(seq("octtpsq"), "p4m41_soct32", VarType::Double, 2.0);
    EXPECT_FALSE(seq("octtpsq").hasProperty("p4m41_"));
    EXPECT_FALSE(seq("octtpsq").hasProperty("p4m41_goct"));

    const auto rack = seq("ccrack1");
    expectProp(rack, "p5m51_kname1", VarType::Text, "");
    expectProp(rack, "p5m51_kpwr1", VarType::Double, 1.0);
    expectProp(rack, "p5m51_kmax8", VarType::Double, 127.0);
    EXPECT_FALSE(rack.hasProperty("p5m51_page"));
    EXPECT_EQ(rack.getPropertyName(80).toString(), "p5m51_kname1");
}

TEST_F(Prepared, ModulationSlotsFollowTheSlotScheme)
{
    for (const char* unitName : {"ptchsq1mod", "octtpsqmod", "ccrack2mod"})
    {
        const auto unit = mod(unitName);
        SCOPED_TRACE(unitName);
        ASSERT_EQ(unit.getNumChildren(), 8);
        EXPECT_EQ(unit.getNumProperties(), 1);
        for (int s = 0; s < 8; ++s)
        {
            const auto slot = unit.getChild(s);
            EXPECT_EQ(slot.getType().toString(), zu::units::slotNodeName(s));
            EXPECT_EQ(slot.getNumProperties(), 48);
        }
    }
    expectProp(mod("ptchsq1mod"), "p6m110_tab", VarType::Double, 0.0);
    expectProp(mod("ccrack2mod"), "p6m520_tab", VarType::Double, 0.0);

    const auto modUnit = mod("ptchsq1mod");
    for (int s = 1; s <= 8; ++s)
        expectProp(modUnit.getChild(s - 1), "p6m11" + juce::String(s) + "_pwr", VarType::Int, s <= 2 ? 1 : 0);
    const auto slot1 = modUnit.getChild(0);
    EXPECT_EQ(slot1.getPropertyName(0).toString(), "p6m111_bbi");
    expectProp(slot1, "p6m111_prb1", VarType::Double, 1.0);
    expectProp(slot1, "p6m111_prb8", VarType::Double, 0.0);
    expectProp(slot1, "p6m111_ksr", VarType::Double, 8.0);
    expectProp(slot1, "p6m111_ksr_ms1", VarType::Double, 0.0);
    expectProp(slot1, "p6m111_ksr_md1", VarType::Int, 0);
    expectProp(mod("ccrack2mod").getChild(7), "p6m528_pwr", VarType::Int, 0);

    juce::ValueTree bare("bare");
    createModUnitParams(bare, zuBareSlotKind, 0, 0);
    expectProp(bare, "bbi", VarType::Int, 0);
    expectProp(bare, "pwr", VarType::Int, 1);
    expectProp(bare, "ksr_ms1", VarType::Double, 0.0);
    EXPECT_EQ(bare.getNumProperties(), 48);
}

TEST_F(Prepared, EditorStateTree)
{
    const auto& m = processor.mainTree;
    EXPECT_EQ(m.getType().toString(), "maintree");
    EXPECT_EQ(m.getNumChildren(), 0);
    EXPECT_EQ(m.getNumProperties(), 251);
    EXPECT_EQ(m.getPropertyName(0).toString(), "sq1_btmtab");

    expectProp(m, "ctstate", VarType::Text, "CT:");
    expectProp(m, "mod_order", VarType::Text, "MOD:");
    expectProp(m, "mod_wndwhfactor", VarType::Double, (double) 0.4f);
    expectProp(m, "chord_wndwhfactor", VarType::Double, (double) 0.43f);
    expectProp(m, "unitlabel13", VarType::Text, "Oct/Tp");
    expectProp(m, "unitlabel14", VarType::Text, "RACK 1");
    expectProp(m, "macrolabel8", VarType::Text, "Macro");
    expectProp(m, "c_pchsq2_setall_val8", VarType::Double, 0.0);
    expectProp(m, "c_prmsq3_setall_val2", VarType::Double, 100.0);
    expectProp(m, "c_octsq1_setall_val2", VarType::Double, 2.0);
    expectProp(m, "c_pchsq4_prmlck7", VarType::Int, 0);
    expectProp(m, "c_octsq1_rndrng3", VarType::Double, 1.0);
    EXPECT_TRUE(m.hasProperty("c_octsq_tab"));
    EXPECT_TRUE(m.hasProperty("c_prmsq1_tab"));
    EXPECT_TRUE(m.hasProperty("c_ccsq1_tab"));
    EXPECT_FALSE(m.hasProperty("c_octsq1_tab"));
    EXPECT_FALSE(m.hasProperty("c_octsq1_rndrng4"));
    EXPECT_FALSE(m.hasProperty("c_pchsq4_prmlck8"));

    // Range k and lock k alternate inside a unit block.
    const int i = propertyIndex(m, "c_pchsq1_rndrng1");
    EXPECT_EQ(m.getPropertyName(i + 1).toString(), "c_pchsq1_prmlck1");
    EXPECT_EQ(m.getPropertyName(i + 2).toString(), "c_pchsq1_rndrng2");
    EXPECT_EQ(m.getPropertyName(propertyIndex(m, "sq1_rndrng7") + 1).toString(), "sq1_prmlck1");
}

TEST_F(Prepared, SnapshotTree)
{
    const auto& s = processor.snapTree;
    EXPECT_EQ(s.getType().toString(), "snapmain");
    EXPECT_EQ(s.getNumProperties(), 0);
    ASSERT_EQ(s.getNumChildren(), 16);
    EXPECT_EQ(s.getChild(12).getType().toString(), "octtpsq");
    EXPECT_EQ(s.getChild(15).getType().toString(), "modsnapmain");

    const auto pitch = s.getChildWithName("ptchsq1");
    EXPECT_EQ(childTypes(pitch),
              juce::StringArray({"snapdef", "snap1", "snap2", "snap3", "snap4", "snap5", "snap6", "snap7", "snap8"}));
    const auto def = pitch.getChildWithName("snapdef");
    EXPECT_EQ(def.getNumProperties(), seq("ptchsq1").getNumProperties());
    expectProp(def, "p1m11_page", VarType::Double, 0.0);
    expectProp(def, "p1m11_pch32_md2", VarType::Double, 0.0);
    const auto snap1 = pitch.getChildWithName("snap1");
    EXPECT_EQ(snap1.getNumProperties(), 0);
    EXPECT_EQ(snap1.getNumChildren(), 0);
    EXPECT_TRUE(s.getChildWithName("octtpsq").getChildWithName("snapdef").hasProperty("p4m41_page"));
    EXPECT_FALSE(s.getChildWithName("ccrack1").getChildWithName("snapdef").hasProperty("p5m51_page"));

    const auto modSnap = s.getChildWithName("modsnapmain");
    ASSERT_EQ(modSnap.getNumChildren(), 16);
    const auto modDef = modSnap.getChild(0);
    EXPECT_EQ(modDef.getType().toString(), "moddef");
    expectProp(modDef, "pwr", VarType::Int, 1);
    expectProp(modDef, "ksr", VarType::Double, 8.0);
    for (int i = 0; i < modDef.getNumProperties(); ++i)
        EXPECT_FALSE(modDef.getPropertyName(i).toString().startsWith("p6m"));
    const auto last = modSnap.getChildWithName("seqmodtree15").getChildWithName("snap8").getChildWithName("unit8");
    EXPECT_TRUE(last.isValid());
    EXPECT_EQ(last.getNumProperties(), 0);
    EXPECT_FALSE(modSnap.getChildWithName("seqmodtree16").isValid());
}
