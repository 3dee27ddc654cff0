// SPDX-License-Identifier: GPL-3.0-or-later
// Copying snapshots between units, initialising a unit and the slot polarity,
// run on the trees and models alone.
#include "UnitOpsFixture.h"

using UnitOps = UnitOpsFixture;

TEST_F(UnitOps, CopyingASnapshotBetweenUnitsCopiesTreesSlotsAndModel)
{
    live("ptchsq1").setProperty("p1m11_pch1", 7.0, nullptr);
    liveSlot("ptchsq1mod", 3).setProperty("p6m113_ksr", 2.0, nullptr);
    pitch.units[0].snaps[2].steps[0].pch.value = 7;
    // Unit 1 plays the source snapshot, unit 3 the destination.
    currentSnapshots[0] = 2;
    currentSnapshots[2] = 5;

    auto t = target();
    zu::unitops::copyPasteSnapshot(t, 1, 3, 2, 5);

    EXPECT_DOUBLE_EQ((double) stored("ptchsq1", 2).getProperty("p1m11_pch1"), 7.0) << "the live source is stored first";
    EXPECT_DOUBLE_EQ((double) stored("ptchsq3", 5).getProperty("p1m13_pch1"), 7.0);
    EXPECT_FALSE(stored("ptchsq3", 5).hasProperty("p1m11_pch1"));
    EXPECT_DOUBLE_EQ((double) storedSlot(3, 5, 3).getProperty("ksr"), 2.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq3").getProperty("p1m13_pch1"), 7.0) << "the playing destination loads";
    EXPECT_DOUBLE_EQ((double) liveSlot("ptchsq3mod", 3).getProperty("p6m133_ksr"), 2.0);
    EXPECT_EQ(pitch.units[2].snaps[5].steps[0].pch.value, 7);
}

TEST_F(UnitOps, CopyingToAUnitOfAnotherKindOrFromUnitZeroDoesNothing)
{
    live("ptchsq1").setProperty("p1m11_pch1", 7.0, nullptr);
    treeCalls.clear();
    const auto before = snapTree.createCopy();

    auto t = target();
    zu::unitops::copyPasteSnapshot(t, 0, 1, 0, 1);
    zu::unitops::copyPasteSnapshot(t, 4, 5, 0, 1);
    zu::unitops::copyPasteSnapshot(t, 14, 16, 0, 1);

    EXPECT_TRUE(snapTree.isEquivalentTo(before));
    EXPECT_TRUE(treeCalls.empty());
}

TEST_F(UnitOps, InitialisingAUnitRestoresItsValuesSlotsSnapshotsAndModel)
{
    live("ccsq2").setProperty("p3m32_sval4", 90.0, nullptr);
    liveSlot("ccsq2mod", 1).setProperty("p6m321_pwr", 0, nullptr);
    stored("ccsq2", 6).copyPropertiesFrom(live("ccsq2"), nullptr);
    cc.units[1].snaps[6].steps[3].sval.value = 90.0f;
    live("ccsq3").setProperty("p3m33_sval4", 50.0, nullptr);

    auto t = target();
    zu::unitops::initUnitParams(t, zu::units::cc, 1);

    EXPECT_DOUBLE_EQ((double) live("ccsq2").getProperty("p3m32_sval4"), 0.0);
    EXPECT_EQ((int) liveSlot("ccsq2mod", 1).getProperty("p6m321_pwr"), 1);
    for (int s = 0; s < zu::units::numSnapshots; ++s)
        EXPECT_DOUBLE_EQ((double) stored("ccsq2", s).getProperty("p3m32_sval4"), 0.0) << s;
    EXPECT_EQ(cc.units[1].snaps[6].steps[3].sval.value, 0.0f);
    EXPECT_DOUBLE_EQ((double) live("ccsq3").getProperty("p3m33_sval4"), 50.0) << "other units keep their values";
}

TEST_F(UnitOps, ASlotIsBipolarWhenItsSwitchIsOn)
{
    liveSlot("prmsq1mod", 3).setProperty("p6m213_bbi", 1, nullptr);
    EXPECT_TRUE(zu::unitops::getModSrcPolarity(paramTree, zu::units::param, 0, 2));
    EXPECT_FALSE(zu::unitops::getModSrcPolarity(paramTree, zu::units::param, 0, 1));
    EXPECT_FALSE(zu::unitops::getModSrcPolarity(paramTree, zu::units::param, 1, 2));
    EXPECT_FALSE(zu::unitops::getModSrcPolarity(paramTree, zu::units::param, 0, 8));
    EXPECT_FALSE(zu::unitops::getModSrcPolarity(paramTree, zu::units::octTp, 1, 0));
}

TEST_F(UnitOps, ASlotIsBipolarOnlyAboveOneHalf)
{
    const struct
    {
        juce::var value;
        bool bipolar;
    } cases[] = {{0.5, false}, {0.51, true}, {"0.51", true}, {"0.5", false}, {juce::var(), false}};
    for (const auto& c : cases)
    {
        auto slot = liveSlot("ccsq1mod", 1);
        if (c.value.isVoid())
            slot.removeProperty("p6m311_bbi", nullptr);
        else
            slot.setProperty("p6m311_bbi", c.value, nullptr);
        EXPECT_EQ(zu::unitops::getModSrcPolarity(paramTree, zu::units::cc, 0, 0), c.bipolar) << c.value.toString();
    }
    EXPECT_FALSE(zu::unitops::getModSrcPolarity(paramTree, zu::units::cc, 0, -1));
}

TEST_F(UnitOps, InitialisingKeepsALivePropertyTheDefaultsLack)
{
    live("ptchsq1").setProperty("p1m11_extra", 3.0, nullptr);
    live("ptchsq1").setProperty("p1m11_vel2", 3.0, nullptr);
    auto t = target();
    zu::unitops::initUnitParams(t, zu::units::pitch, 0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq1").getProperty("p1m11_extra"), 3.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq1").getProperty("p1m11_vel2"), 100.0);
    EXPECT_EQ(pitch.units[0].snaps[3].steps[1].vel.value.load(), 100);
}
