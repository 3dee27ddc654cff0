// SPDX-License-Identifier: GPL-3.0-or-later
// The default property sets of a single-sequencer snapshot.
#include "ZuParamBase.h"

#include <gtest/gtest.h>

namespace
{
struct Expect
{
    const char* name;
    bool isInt;
    double value;
};

void expectProperties(const juce::ValueTree& tree, std::initializer_list<Expect> rows)
{
    for (const auto& row : rows)
    {
        const auto* v = tree.getPropertyPointer(row.name);
        ASSERT_NE(v, nullptr) << row.name;
        EXPECT_EQ(v->isInt(), row.isInt) << row.name;
        EXPECT_EQ(v->isDouble(), !row.isInt) << row.name;
        EXPECT_EQ((double) *v, row.value) << row.name;
    }
}
} // namespace

TEST(Seq1SnapshotTree, SequencerSetInOrderWithTypes)
{
    juce::ValueTree tree("seq1snap_c1");
    ZuParamBase::prepareSeq1Snapshot(tree);
    ASSERT_EQ(tree.getNumProperties(), 1192);
    EXPECT_EQ(tree.getPropertyName(0).toString(), "sq1_relmode");
    EXPECT_EQ(tree.getPropertyName(1).toString(), "sq1_relbasenote");
    EXPECT_EQ(tree.getPropertyName(2).toString(), "sq1_relbasenote_modsrc1");
    EXPECT_EQ(tree.getPropertyName(3).toString(), "sq1_relbasenote_moddep1");
    EXPECT_EQ(tree.getPropertyName(4).toString(), "sq1_relbasenote_modsrc2");
    EXPECT_EQ(tree.getPropertyName(40).toString(), "sq1_pch1");
    EXPECT_EQ(tree.getPropertyName(45).toString(), "sq1_schrd1");
    EXPECT_EQ(tree.getPropertyName(46).toString(), "sq1_oct1");
    EXPECT_EQ(tree.getPropertyName(56).toString(), "sq1_s1_cn1");
    EXPECT_EQ(tree.getPropertyName(76).toString(), "sq1_pch2");
    EXPECT_EQ(tree.getPropertyName(1191).toString(), "sq1_spwr32_moddep1");
    EXPECT_EQ(tree.getNumChildren(), 0);
    expectProperties(tree, {{"sq1_relmode", false, 0.0},
                            {"sq1_relbasenote", false, 48.0},
                            {"sq1_fclk", false, 0.3},
                            {"sq1_sclk", false, 11.0},
                            {"sq1_csync", false, 1.0},
                            {"sq1_size", false, 16.0},
                            {"sq1_oct1", false, 2.0},
                            {"sq1_oct1_modsrc2", true, 0.0},
                            {"sq1_oct1_moddep2", false, 0.0},
                            {"sq1_vel3", false, 100.0},
                            {"sq1_gate32", false, 50.0},
                            {"sq1_prob7", false, 100.0},
                            {"sq1_spwr9", false, 1.0},
                            {"sq1_slr5_modsrc1", true, 0.0},
                            {"sq1_s32_cn5", false, 0.0}});
    for (const char* absent : {"sq1_pwr", "sq1_ch", "sq1_snp", "sq1_schrd1_modsrc1", "sq1_vel1_modsrc2"})
        EXPECT_FALSE(tree.hasProperty(absent)) << absent;
}

TEST(Seq1SnapshotTree, OverwritesAndKeepsOthers)
{
    juce::ValueTree tree("snap");
    tree.setProperty("sq1_vel3", 64, nullptr);
    tree.setProperty("other", "kept", nullptr);
    juce::ValueTree child("child");
    tree.appendChild(child, nullptr);
    ZuParamBase::prepareSeq1Snapshot(tree);
    EXPECT_EQ(tree.getNumProperties(), 1193);
    expectProperties(tree, {{"sq1_vel3", false, 100.0}});
    EXPECT_EQ(tree["other"].toString(), "kept");
    EXPECT_EQ(tree.getNumChildren(), 1);
}

TEST(Seq1SnapshotTree, CentreSetHasItsUnitKeysAndNoSwitchSlots)
{
    juce::ValueTree tree("c");
    ZuParamBase::prepareCenterPtchSeqSnapshot(tree);
    ASSERT_EQ(tree.getNumProperties(), 1064);
    EXPECT_EQ(tree.getPropertyName(0).toString(), "c_psq1_relmode");
    EXPECT_EQ(tree.getPropertyName(39).toString(), "c_psq1_tp_moddep2");
    EXPECT_EQ(tree.getPropertyName(40).toString(), "sq1_pch1");
    EXPECT_EQ(tree.getPropertyName(1063).toString(), "sq1_spwr32");
    expectProperties(tree, {{"c_psq1_relbasenote", false, 48.0}, {"sq1_slr5", false, 0.0}, {"sq1_spwr5", false, 1.0}});
    for (const char* absent : {"sq1_relmode", "sq1_slr5_modsrc1", "sq1_spwr5_moddep1"})
        EXPECT_FALSE(tree.hasProperty(absent)) << absent;
    EXPECT_TRUE(tree.hasProperty("sq1_vel5_modsrc1"));
}
