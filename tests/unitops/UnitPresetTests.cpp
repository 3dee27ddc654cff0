// SPDX-License-Identifier: GPL-3.0-or-later
// Unit presets: saved from one unit, written as XML and read back, loaded into
// another unit of the kind; refused, without a change, for another kind or a
// tree that is no unit preset; damaged values mended from the defaults.
#include "UnitOpsFixture.h"

#include "ZuUnitPresets.h"

#include <limits>

namespace
{
namespace units = zu::units;

struct UnitPresets : UnitOpsFixture
{
    // Pitch unit 2 with a different velocity of step 1 in each snapshot, the
    // live unit at snapshot 5 (index 4) and a changed slot.
    void fillPitchUnit2()
    {
        currentSnapshots[1] = 4;
        for (int s = 0; s < units::numSnapshots; ++s)
        {
            live("ptchsq2").setProperty("p1m12_vel1", 10.0 + s, nullptr);
            zu::unitops::updateSeqSnapVt(paramTree, snapTree, units::pitch, 1, s);
        }
        live("ptchsq2").setProperty("p1m12_vel1", 99.0, nullptr); // live, not yet stored
        liveSlot("ptchsq2mod", 3).setProperty("p6m123_ksr", 5.0, nullptr);
    }

    juce::ValueTree savedPreset(int kind, int index)
    {
        juce::ValueTree root("Preset");
        auto t = target();
        zu::unitops::createVtForUnitPreset(t, root, kind, index);
        // Through XML as the file holds it.
        auto xml = root.createXml();
        return juce::ValueTree::fromXml(xml->toString());
    }

    juce::String load(const juce::ValueTree& preset, int kind, int index)
    {
        auto t = target();
        return zu::unitops::loadUnitStateFromVt(t, preset, kind, index);
    }

    // Loading must leave the trees and the models as they were.
    void expectRefused(const juce::ValueTree& preset, int kind, int index, const char* message)
    {
        const auto params = paramTree.createCopy();
        const auto snaps = snapTree.createCopy();
        const auto vel = pitch.units[3].snaps[2].steps[0].vel.value.load();
        const auto sval = cc.units[0].snaps[2].steps[0].sval.value.load();
        treeCalls.clear();
        EXPECT_EQ(load(preset, kind, index), message);
        EXPECT_TRUE(paramTree.isEquivalentTo(params));
        EXPECT_TRUE(snapTree.isEquivalentTo(snaps));
        EXPECT_TRUE(treeCalls.empty());
        EXPECT_EQ(pitch.units[3].snaps[2].steps[0].vel.value.load(), vel);
        EXPECT_EQ(cc.units[0].snaps[2].steps[0].sval.value.load(), sval);
    }
};
} // namespace

TEST_F(UnitPresets, APresetHoldsTheUnitWithoutItsPrefixes)
{
    fillPitchUnit2();
    const auto preset = savedPreset(units::pitch, 1);
    ASSERT_EQ(preset.getNumChildren(), 3);
    EXPECT_EQ(preset.getChild(0).getType().toString(), "mainparams");
    EXPECT_EQ(preset.getChild(1).getType().toString(), "snapmain");
    EXPECT_EQ(preset.getChild(2).getType().toString(), "modmain");
    EXPECT_DOUBLE_EQ((double) preset.getChild(0).getProperty("vel1"), 99);
    EXPECT_DOUBLE_EQ((double) preset.getChild(1).getChild(4).getProperty("vel1"), 99)
        << "the live unit is stored first";
    EXPECT_DOUBLE_EQ((double) preset.getChild(1).getChild(7).getProperty("vel1"), 17);
    EXPECT_DOUBLE_EQ((double) preset.getChild(2).getChild(2).getProperty("ksr"), 5);
    EXPECT_FALSE(preset.getChild(1).getChild(0).hasProperty("p1m12_vel1"));
}

TEST_F(UnitPresets, PitchUnit2IntoPitchUnit4TakesStepsOfAllSnapshotsAndSlotsKeepingItsIdentity)
{
    fillPitchUnit2();
    const auto preset = savedPreset(units::pitch, 1);
    currentSnapshots[3] = 3;

    EXPECT_EQ(load(preset, units::pitch, 3), "");

    for (int s = 0; s < units::numSnapshots; ++s)
    {
        const double vel = s == 4 ? 99.0 : 10.0 + s;
        EXPECT_DOUBLE_EQ((double) stored("ptchsq4", s).getProperty("p1m14_vel1"), vel) << s;
        EXPECT_EQ(pitch.units[3].snaps[(size_t) s].steps[0].vel.value.load(), (int) vel) << s;
    }
    EXPECT_DOUBLE_EQ((double) live("ptchsq4").getProperty("p1m14_vel1"), 13) << "the live unit from snapshot index 3";
    EXPECT_DOUBLE_EQ((double) liveSlot("ptchsq4mod", 3).getProperty("p6m143_ksr"), 5);
    EXPECT_EQ(live("ptchsq4").getNumProperties(), live("ptchsq1").getNumProperties());
    for (const auto& tree : {live("ptchsq4"), stored("ptchsq4", 2), liveSlot("ptchsq4mod", 3)})
        for (int i = 0; i < tree.getNumProperties(); ++i)
        {
            const auto name = tree.getPropertyName(i).toString();
            EXPECT_TRUE(name.startsWith("p1m14_") || name.startsWith("p6m143_")) << name;
        }
    EXPECT_DOUBLE_EQ((double) live("ptchsq2").getProperty("p1m12_vel1"), 99) << "the source unit keeps its values";
}

TEST_F(UnitPresets, SnapshotsThePresetNeverStoredStayAndTheLiveUnitMayTakeTheDefaults)
{
    live("ptchsq1").setProperty("p1m11_gate3", 7.0, nullptr);
    const auto preset = savedPreset(units::pitch, 0); // only snapshot index 0 stored
    stored("ptchsq3", 5).setProperty("p1m13_gate3", 9.0, nullptr);
    live("ptchsq3").setProperty("p1m13_gate3", 33.0, nullptr);
    currentSnapshots[2] = 5;

    EXPECT_EQ(load(preset, units::pitch, 2), "");
    EXPECT_DOUBLE_EQ((double) stored("ptchsq3", 0).getProperty("p1m13_gate3"), 7);
    EXPECT_DOUBLE_EQ((double) stored("ptchsq3", 5).getProperty("p1m13_gate3"), 9.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq3").getProperty("p1m13_gate3"), 50.0) << "snapdef's value";
}

TEST_F(UnitPresets, APresetOfAnotherKindIsRefusedAndNothingChanges)
{
    fillPitchUnit2();
    const auto pitchPreset = savedPreset(units::pitch, 1);
    expectRefused(pitchPreset, units::cc, 0, zu::unitops::otherKindPresetMessage);
    expectRefused(pitchPreset, units::ccRack, 0, zu::unitops::otherKindPresetMessage);
    expectRefused(savedPreset(units::param, 0), units::cc, 0, zu::unitops::otherKindPresetMessage);
    expectRefused(savedPreset(units::cc, 0), units::param, 0, zu::unitops::otherKindPresetMessage);
    expectRefused(savedPreset(units::cc, 1), units::pitch, 3, zu::unitops::otherKindPresetMessage);

    // One foreign snapshot among good ones refuses the whole preset.
    auto mixed = savedPreset(units::pitch, 1);
    auto ccSnap = savedPreset(units::cc, 0).getChildWithName("snapmain").getChild(0);
    mixed.getChildWithName("snapmain").getChild(6).copyPropertiesFrom(ccSnap, nullptr);
    expectRefused(mixed, units::pitch, 3, zu::unitops::otherKindPresetMessage);
}

TEST_F(UnitPresets, ATreeThatIsNoUnitPresetIsRefusedAndNothingChanges)
{
    juce::ValueTree state("ZUSTATE");
    state.appendChild(snapTree.createCopy(), nullptr);
    expectRefused(state, units::pitch, 3, zu::unitops::notAUnitPresetMessage);
    expectRefused(juce::ValueTree(), units::pitch, 3, zu::unitops::notAUnitPresetMessage);
    expectRefused(juce::ValueTree("Preset"), units::pitch, 3, zu::unitops::notAUnitPresetMessage);
    auto extra = savedPreset(units::pitch, 1);
    extra.getChildWithName("modmain").appendChild(juce::ValueTree("mod9"), nullptr);
    expectRefused(extra, units::pitch, 3, zu::unitops::notAUnitPresetMessage);
    expectRefused(savedPreset(units::pitch, 1), units::pitch, 4, zu::unitops::notAUnitPresetMessage);
}

TEST_F(UnitPresets, DamagedValuesTakeTheDefaultsAndMissingOnesKeepTheUnitsValues)
{
    fillPitchUnit2();
    auto preset = savedPreset(units::pitch, 1);
    auto snaps = preset.getChildWithName("snapmain");
    snaps.getChild(2).setProperty("vel1", std::numeric_limits<double>::quiet_NaN(), nullptr);
    snaps.getChild(2).setProperty("gate1", "inf", nullptr);
    snaps.getChild(2).removeProperty("oct1", nullptr);
    snaps.getChild(3).setProperty("vel1", "nonsense", nullptr);
    preset.getChildWithName("modmain").getChild(2).setProperty("ksr", std::numeric_limits<double>::infinity(), nullptr);
    preset.getChildWithName("modmain").getChild(2).removeProperty("kfr", nullptr);
    currentSnapshots[3] = 2;
    live("ptchsq4").setProperty("p1m14_oct1", 4.0, nullptr);
    liveSlot("ptchsq4mod", 3).setProperty("p6m143_kfr", 0.9, nullptr);

    EXPECT_EQ(load(preset, units::pitch, 3), "");
    EXPECT_DOUBLE_EQ((double) stored("ptchsq4", 2).getProperty("p1m14_vel1"), 100.0);
    EXPECT_DOUBLE_EQ((double) stored("ptchsq4", 2).getProperty("p1m14_gate1"), 50.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq4").getProperty("p1m14_vel1"), 100.0);
    EXPECT_DOUBLE_EQ((double) live("ptchsq4").getProperty("p1m14_oct1"), 4.0);
    EXPECT_DOUBLE_EQ((double) stored("ptchsq4", 3).getProperty("p1m14_vel1"), 100.0);
    EXPECT_DOUBLE_EQ((double) stored("ptchsq4", 5).getProperty("p1m14_vel1"), 15) << "valid snapshots load as saved";
    EXPECT_EQ(pitch.units[3].snaps[2].steps[0].vel.value.load(), 100);
    EXPECT_DOUBLE_EQ((double) liveSlot("ptchsq4mod", 3).getProperty("p6m143_ksr"), 8.0);
    EXPECT_DOUBLE_EQ((double) liveSlot("ptchsq4mod", 3).getProperty("p6m143_kfr"), 0.9);
}

TEST_F(UnitPresets, APresetWithoutSnapshotsLeavesThemAndSetsTheLiveUnitToItsDefaults)
{
    auto preset = savedPreset(units::octTp, 0);
    preset.removeChild(preset.getChildWithName("snapmain"), nullptr);
    stored("octtpsq", 0).setProperty("p4m41_stp1", 4.0, nullptr);
    live("octtpsq").setProperty("p4m41_stp1", 4.0, nullptr);
    EXPECT_EQ(load(preset, units::octTp, 0), "");
    EXPECT_DOUBLE_EQ((double) stored("octtpsq", 0).getProperty("p4m41_stp1"), 4.0);
    EXPECT_DOUBLE_EQ((double) live("octtpsq").getProperty("p4m41_stp1"), 0.0);
}

TEST_F(UnitPresets, EveryKindLoadsItsOwnPresetsIntoAnotherUnit)
{
    const struct
    {
        int kind, from, to;
        const char *fromKey, *toKey;
    } cases[] = {{units::param, 0, 3, "p2m21_emenu5", "p2m24_emenu5"},
                 {units::cc, 3, 1, "p3m34_sval5", "p3m32_sval5"},
                 {units::octTp, 0, 0, "p4m41_stp5", "p4m41_stp5"},
                 {units::ccRack, 1, 0, "p5m52_kval5", "p5m51_kval5"}};
    for (const auto& c : cases)
    {
        live(units::nodeName(c.kind, c.from).toRawUTF8()).setProperty(c.fromKey, 0.75, nullptr);
        const auto preset = savedPreset(c.kind, c.from);
        live(units::nodeName(c.kind, c.from).toRawUTF8()).setProperty(c.fromKey, 0.25, nullptr);
        EXPECT_EQ(load(preset, c.kind, c.to), "") << c.toKey;
        EXPECT_DOUBLE_EQ((double) live(units::nodeName(c.kind, c.to).toRawUTF8()).getProperty(c.toKey), 0.75)
            << c.toKey;
    }
}
