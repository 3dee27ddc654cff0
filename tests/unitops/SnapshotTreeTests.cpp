// SPDX-License-Identifier: GPL-3.0-or-later
// Storing and loading unit snapshots in the trees.
#include "UnitOpsFixture.h"

using SnapshotTrees = UnitOpsFixture;

TEST_F(SnapshotTrees, StoreThenLoadRestoresUnitAndSlots)
{
    auto unit = live("prmsq3");
    unit.setProperty("p2m23_sval5", 42.0, nullptr);
    liveSlot("prmsq3mod", 2).setProperty("p6m232_ksr", 3.0, nullptr);

    zu::unitops::updateSeqSnapVt(paramTree, snapTree, 1, 2, 4);
    EXPECT_DOUBLE_EQ((double) stored("prmsq3", 4).getProperty("p2m23_sval5"), 42.0);
    EXPECT_EQ(stored("prmsq3", 4).getNumProperties(), unit.getNumProperties());
    EXPECT_DOUBLE_EQ((double) storedSlot(7, 4, 2).getProperty("ksr"), 3.0);
    EXPECT_FALSE(storedSlot(7, 4, 2).hasProperty("p6m232_ksr"));

    // Edit, then load the stored snapshot back: the edits are undone and announced.
    unit.setProperty("p2m23_sval5", 7.0, nullptr);
    liveSlot("prmsq3mod", 2).setProperty("p6m232_ksr", 5.0, nullptr);
    treeCalls.clear();
    zu::unitops::loadSeqSnapVt(paramTree, snapTree, 1, 2, 4);
    EXPECT_DOUBLE_EQ((double) unit.getProperty("p2m23_sval5"), 42.0);
    EXPECT_DOUBLE_EQ((double) liveSlot("prmsq3mod", 2).getProperty("p6m232_ksr"), 3.0);
    EXPECT_EQ(treeCalls.size(), 2u);
}

TEST_F(SnapshotTrees, NeverStoredSnapshotLoadsTheDefaults)
{
    auto unit = live("ptchsq2");
    unit.setProperty("p1m12_pch3", 5.0, nullptr);
    liveSlot("ptchsq2mod", 5).setProperty("p6m125_pwr", 1, nullptr);

    zu::unitops::loadSeqSnapVt(paramTree, snapTree, 0, 1, 6);

    EXPECT_DOUBLE_EQ((double) unit.getProperty("p1m12_pch3"), 0.0);
    EXPECT_EQ((int) liveSlot("ptchsq2mod", 5).getProperty("p6m125_pwr"), 1) << "moddef holds the power of slot 1";
    EXPECT_DOUBLE_EQ((double) liveSlot("ptchsq2mod", 5).getProperty("p6m125_ksr"), 8.0);
    EXPECT_EQ(stored("ptchsq2", 6).getNumProperties(), 0) << "the stored snapshot stays empty";
}

TEST_F(SnapshotTrees, SwitchToTheCurrentSnapshotChangesNothing)
{
    live("ccrack2").setProperty("p5m52_kval3", 64.0, nullptr);
    treeCalls.clear();
    zu::unitops::updateSeqSnapVt(paramTree, snapTree, 4, 1, 0);
    zu::unitops::loadSeqSnapVt(paramTree, snapTree, 4, 1, 0);
    EXPECT_TRUE(treeCalls.empty());
    EXPECT_DOUBLE_EQ((double) stored("ccrack2", 0).getProperty("p5m52_kval3"), 64.0);
    EXPECT_TRUE(storedSlot(15, 0, 8).isValid());
    EXPECT_EQ((int) storedSlot(15, 0, 8).getProperty("pwr"), 0);
}

TEST_F(SnapshotTrees, LiveKeysMissingFromTheSnapshotKeepTheirValues)
{
    auto snap = stored("octtpsq", 2);
    snap.setProperty("p4m41_stp1", 5.0, nullptr);
    snap.setProperty("p4m41_unknown", 1.0, nullptr);
    live("octtpsq").setProperty("p4m41_stp2", 3.0, nullptr);

    zu::unitops::loadSeqSnapVt(paramTree, snapTree, 3, 0, 2);

    EXPECT_DOUBLE_EQ((double) live("octtpsq").getProperty("p4m41_stp1"), 5.0);
    EXPECT_DOUBLE_EQ((double) live("octtpsq").getProperty("p4m41_stp2"), 3.0);
    EXPECT_FALSE(live("octtpsq").hasProperty("p4m41_unknown"));
}

TEST_F(SnapshotTrees, CopyBetweenUnitsRenamesThePrefix)
{
    juce::ValueTree source("snap1"), destination("snap1");
    source.setProperty("p1m12_pch1", 4.0, nullptr);
    source.setProperty("p1m12_vel2", 90.0, nullptr);
    destination.setProperty("p1m14_gate1", 20.0, nullptr);

    zu::unitops::copyPasteVtBtwSeqUnits(source, destination, zu::units::unitPrefix(zu::units::pitch, 3));

    EXPECT_DOUBLE_EQ((double) destination.getProperty("p1m14_pch1"), 4.0);
    EXPECT_DOUBLE_EQ((double) destination.getProperty("p1m14_vel2"), 90.0);
    EXPECT_DOUBLE_EQ((double) destination.getProperty("p1m14_gate1"), 20.0);
    EXPECT_FALSE(destination.hasProperty("p1m12_pch1"));
}

TEST_F(SnapshotTrees, OutOfRangeUnitsAndSnapshotsChangeNothing)
{
    // Out-of-range units and snapshots change nothing.
    treeCalls.clear();
    zu::unitops::updateSeqSnapVt(paramTree, snapTree, 5, 0, 0);
    zu::unitops::loadSeqSnapVt(paramTree, snapTree, 3, 1, 0);
    zu::unitops::updateSeqSnapVt(paramTree, snapTree, 0, 0, 8);
    EXPECT_TRUE(treeCalls.empty());
}
