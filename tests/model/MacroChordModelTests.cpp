// SPDX-License-Identifier: GPL-3.0-or-later
// The macro and chord models: name maps, write rules, clamps and the chord
// reset.
#include "ModelTestHelpers.h"

#include <cmath>
#include <set>

FieldList fieldsOf(const ChordData& m, bool withNames)
{
    FieldList f(withNames);
    f.add(m.chordPower ? 1.0 : 0.0, [] { return std::string("power"); });
    for (int t = 0; t < 4; ++t)
        f.add(m.chordTargets[(size_t) t] ? 1.0 : 0.0, [t] { return "target" + std::to_string(t + 1); });
    for (int n = 0; n < 12; ++n)
    {
        const auto& slot = m.chordSlots[(size_t) n];
        const auto head = "slot" + std::to_string(n) + ".";
        f.add(slot.chordType.load(), [&] { return head + "type"; });
        f.add(slot.chordRoot.load(), [&] { return head + "root"; });
        f.add(slot.inversion.load(), [&] { return head + "inv"; });
        f.add(slot.custom ? 1.0 : 0.0, [&] { return head + "custom"; });
        for (int c = 0; c < 5; ++c)
            f.add(slot.customNotes[(size_t) c].load(), [&] { return head + "cn" + std::to_string(c + 1); });
    }
    return f;
}

namespace
{
struct ChordModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<ChordData>();
        m->createParamMap();
    }
    std::unique_ptr<ChordData> m;
};
} // namespace

TEST(MacroModel, MacrosAreStoredAsTheyComeByName)
{
    auto m = std::make_unique<MacroData>();
    m->createParamMap();
    ASSERT_EQ(m->paramMap.size(), 8u);
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(m->getParamIndex("p7_macro" + juce::String(k)), k);

    m->setParamVal("p7_macro3", 0.25f);
    EXPECT_FLOAT_EQ(m->macroValues[2], 0.25f);
    m->setParamVal("p7_macro3", 1.7f);
    EXPECT_FLOAT_EQ(m->macroValues[2], 1.7f) << "the macro engine limits it when it uses it";
    m->setParamVal("p7_macro8", -0.5f);
    EXPECT_FLOAT_EQ(m->macroValues[7], -0.5f);
    m->setParamValAt(1, 0.125f);
    EXPECT_FLOAT_EQ(m->macroValues[0], 0.125f);

    // Names the map lacks must not fall onto the first macro.
    for (const char* name : {"p7_macro0", "p7_macro9", "p7_macro", "", "p7_MACRO1"})
        m->setParamVal(name, 0.9f);
    m->setParamVal("p7_macro1", std::numeric_limits<float>::quiet_NaN());
    m->setParamVal("p7_macro1", std::numeric_limits<float>::infinity());
    m->setParamValAt(0, 0.9f);
    m->setParamValAt(9, 0.9f);
    EXPECT_FLOAT_EQ(m->macroValues[0], 0.125f);
    for (int k = 1; k < 7; ++k)
        EXPECT_FLOAT_EQ(m->macroValues[(size_t) k], k == 2 ? 1.7f : 0.0f) << k;
}

TEST_F(ChordModel, NameMapHasItsIndices)
{
    ASSERT_EQ(m->paramMap.size(), 113u);
    const std::pair<const char*, int> places[] = {
        {"p9_chord_pwr", 1},   {"p9_chordtar1", 2},    {"p9_chordtar4", 5},      {"p9_chord_type1", 6},
        {"p9_chord_root1", 7}, {"p9_chord_inv1", 8},   {"p9_chord_custom1", 9},  {"p9_chord1_cn1", 10},
        {"p9_chord1_cn5", 14}, {"p9_chord_type2", 15}, {"p9_chord_type12", 105}, {"p9_chord12_cn5", 113}};
    for (const auto& [key, index] : places)
        EXPECT_EQ(m->getParamIndex(key), index) << key;
}

TEST_F(ChordModel, ConstructionAndDisplayNames)
{
    EXPECT_FALSE(m->chordPower);
    for (const auto& t : m->chordTargets)
        EXPECT_FALSE(t);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(m->chordDisplayNames[(size_t) i], "Chrd " + juce::String(i + 1));
    EXPECT_EQ(m->chordDisplayNames[12], "Chrd 1");
}

TEST_F(ChordModel, EveryKeyWritesItsOwnField)
{
    const auto names = fieldsOf(*m, true);
    std::set<std::string> seen;
    const auto keys = m->paramMap; // SetUp replaces the model
    for (const auto& [key, index] : keys)
    {
        SetUp();
        const auto before = fieldsOf(*m);
        m->setParamVal(key, 3.0f);
        const auto changed = changedFields(before, fieldsOf(*m), names);
        ASSERT_EQ(changed.size(), 1u) << key;
        EXPECT_TRUE(seen.insert(changed.front()).second) << key;
    }
    EXPECT_EQ(seen.size(), 113u);
}

TEST_F(ChordModel, WritesAtTheBoundaries)
{
    expectRoutes<ChordData>({
        {"p9_chord_pwr", 0.51f, "power", 1},
        {"p9_chordtar4", 0.51f, "target4", 1},
        {"p9_chord_type4", 2.0f, "slot3.type", 1},
        {"p9_chord_type12", 20.9f, "slot11.type", 19},
        {"p9_chord_type1", 25.0f, "slot0.type", 19},
        {"p9_chord_root5", 6.0f, "slot4.root", 5},
        {"p9_chord_root5", 13.0f, "slot4.root", 11},
        {"p9_chord_root5", 40.0f, "slot4.root", 11},
        {"p9_chord_inv1", 5.0f, "slot0.inv", 4},
        {"p9_chord_inv1", 9.0f, "slot0.inv", 4},
        {"p9_chord_inv1", 3.0f, "slot0.inv", 2},
        {"p9_chord_custom12", 0.51f, "slot11.custom", 1},
        {"p9_chord2_cn3", 0.0f, "slot1.cn3", -1},
        {"p9_chord2_cn3", -10.0f, "slot1.cn3", -1},
        {"p9_chord2_cn3", 62.0f, "slot1.cn3", 61},
        {"p9_chord2_cn3", 129.0f, "slot1.cn3", 128},
        {"p9_chord2_cn3", 1e9f, "slot1.cn3", 128},
        {"p9_chord12_cn5", 2.0f, "slot11.cn5", 1},
    });
}

TEST_F(ChordModel, ItemIdsAtOrBelowOneStoreTheFirstEntry)
{
    m->setParamVal("p9_chord_type4", 5.0f);
    m->setParamVal("p9_chord_type4", 1.0f);
    EXPECT_EQ(m->chordSlots[3].chordType, 0);
    m->setParamVal("p9_chord_type4", 5.0f);
    m->setParamVal("p9_chord_type4", 0.0f);
    EXPECT_EQ(m->chordSlots[3].chordType, 0);
    m->setParamVal("p9_chord_root4", -3.0f);
    EXPECT_EQ(m->chordSlots[3].chordRoot, 0);
    m->setParamVal("p9_chord2_cn3", 1.0f);
    EXPECT_EQ(m->chordSlots[1].customNotes[2], 0) << "item 1 is no note";
    m->setParamVal("p9_chord_custom12", 0.5f);
    EXPECT_FALSE(m->chordSlots[11].custom);
    m->setParamVal("p9_chord_pwr", 0.5f);
    EXPECT_FALSE(m->chordPower);
}

TEST_F(ChordModel, UnknownNamesAndNonFiniteValuesChangeNothing)
{
    const auto before = fieldsOf(*m);
    for (const char* name : {"p9_chord_type13", "p9_chord13_cn1", "p9_chord1_cn6", "p9_chordtar5", "", "p9_chord"})
        m->setParamVal(name, 5.0f);
    for (const char* name : {"p9_chord_pwr", "p9_chord_type1", "p9_chord1_cn1", "p9_chord_custom1"})
    {
        m->setParamVal(name, std::numeric_limits<float>::quiet_NaN());
        m->setParamVal(name, -std::numeric_limits<float>::infinity());
    }
    m->setParamValAt(0, 1.0f);
    m->setParamValAt(114, 1.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(ChordModel, InitLeavesEachSlotWithTheRootTheChordTreeGivesIt)
{
    for (const auto& [key, index] : m->paramMap)
        m->setParamVal(key, 7.0f);
    m->init();
    EXPECT_TRUE(m->chordPower);
    for (const auto& t : m->chordTargets)
        EXPECT_FALSE(t);
    for (int n = 0; n < 12; ++n)
    {
        const auto& slot = m->chordSlots[(size_t) n];
        EXPECT_EQ(slot.chordType, 0);
        EXPECT_EQ(slot.chordRoot, n) << "the tree's root item n + 1";
        EXPECT_EQ(slot.inversion, 0);
        EXPECT_FALSE(slot.custom);
        for (const auto& note : slot.customNotes)
            EXPECT_EQ(note, 0);
    }
    EXPECT_EQ(m->chordDisplayNames[5], "Chrd 6");

    // The values the reset writes into the chord tree give the same model.
    auto fromTree = std::make_unique<ChordData>();
    fromTree->createParamMap();
    fromTree->setParamVal("p9_chord_pwr", 1.0f);
    for (int n = 1; n <= 12; ++n)
    {
        const auto sn = juce::String(n);
        fromTree->setParamVal("p9_chord_type" + sn, 1.0f);
        fromTree->setParamVal("p9_chord_root" + sn, (float) n);
        fromTree->setParamVal("p9_chord_inv" + sn, 1.0f);
        fromTree->setParamVal("p9_chord_custom" + sn, 0.0f);
        for (int c = 1; c <= 5; ++c)
            fromTree->setParamVal("p9_chord" + sn + "_cn" + juce::String(c), 1.0f);
    }
    EXPECT_EQ(fieldsOf(*fromTree).values, fieldsOf(*m).values);
}
