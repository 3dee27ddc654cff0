// SPDX-License-Identifier: GPL-3.0-or-later
// The pitch sequencer model: name map, routing of writes, write rules,
// snapshot loading, unit reset and snapshot copy.
#include "ModelTestHelpers.h"

#include <cmath>
#include <set>
#include <thread>

namespace
{
struct PitchModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<CtrPtchSqData>();
        m->createParamMap();
    }

    void set(int unit, const juce::String& key, float v)
    {
        m->setParamVal(zu::units::unitPrefix(zu::units::pitch, unit - 1) + key, v);
    }

    std::unique_ptr<CtrPtchSqData> m;
};

void expectDefaultSnapshot(const CtrPtchSqData::SnapData& s)
{
    EXPECT_FALSE(s.relmode);
    EXPECT_EQ(s.rst, 0);
    EXPECT_FLOAT_EQ(s.fclk, 0.3f);
    EXPECT_TRUE(s.csync);
    EXPECT_EQ(s.clktyp, 0);
    EXPECT_EQ(s.relbn.value, CtrPtchSqData::relBaseNoteDefault);
    EXPECT_EQ(s.dir.value, 0);
    EXPECT_EQ(s.strt.value, 1);
    EXPECT_EQ(s.size.value, 16);
    EXPECT_EQ(s.sclk.value, 11);
    EXPECT_EQ(s.goct.value, 0);
    EXPECT_EQ(s.tp.value, 0);
    for (const auto& st : s.steps)
    {
        EXPECT_EQ(st.oct.value, 2);
        EXPECT_FLOAT_EQ(st.vel.value, 100.0f);
        EXPECT_FLOAT_EQ(st.gate.value, 50.0f);
        EXPECT_FLOAT_EQ(st.prob.value, 100.0f);
        EXPECT_EQ(st.spwr.value, 1);
        EXPECT_EQ(st.pch.value, 0);
        EXPECT_FALSE(st.pch.modActive);
    }
}
} // namespace

TEST_F(PitchModel, NameMapHasContiguousIndicesAtTheirPlaces)
{
    ASSERT_EQ(m->paramMap.size(), 939u);
    std::set<int> indices;
    for (const auto& [key, index] : m->paramMap)
        indices.insert(index);
    EXPECT_EQ(indices.size(), 939u);
    EXPECT_EQ(*indices.begin(), 1);
    EXPECT_EQ(*indices.rbegin(), 939);

    const std::pair<const char*, int> places[] = {{"pwr", 1},         {"ch", 2},
                                                  {"dir", 3},         {"dir_ms2", 5},
                                                  {"dir_md2", 7},     {"fclk", 8},
                                                  {"sclk", 9},        {"csync", 14},
                                                  {"clktyp", 15},     {"rst", 16},
                                                  {"strt", 17},       {"size_md2", 26},
                                                  {"goct", 27},       {"tp_md2", 36},
                                                  {"relmode", 37},    {"relbn", 38},
                                                  {"snp", 43},        {"pch1", 44},
                                                  {"pch1_md2", 48},   {"pch32_md2", 203},
                                                  {"relpch1", 204},   {"relpch32_md2", 363},
                                                  {"oct1", 364},      {"oct1_ms1", 365},
                                                  {"oct1_md1", 366},  {"vel1", 460},
                                                  {"gate1", 556},     {"prob1", 652},
                                                  {"slr1", 748},      {"spwr1", 844},
                                                  {"spwr32_md1", 939}};
    for (const auto& [key, index] : places)
        EXPECT_EQ(m->getParamIndex(key), index) << key;
    EXPECT_EQ(m->getParamIndex("oct1_ms2"), 0) << "one-slot values have no second slot";
    EXPECT_EQ(m->getParamIndex("slk1"), 0);
}

// Every key of the map writes exactly one stored field of the addressed unit's
// current snapshot (or header), and no two keys write the same field.
TEST_F(PitchModel, EveryKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    const auto names = fieldsOf(*m, true);
    std::set<std::string> seen;
    for (const auto& [key, index] : m->paramMap)
    {
        m->init(2);
        set(3, "snp", 5.0f);
        const auto before = fieldsOf(*m);
        set(3, key, key == "snp" ? 6.0f : 3.0f);
        auto changed = changedFields(before, fieldsOf(*m), names);
        if (changed.empty()) // a flag or value whose default is what 3 writes
        {
            set(3, key, 0.0f);
            changed = changedFields(before, fieldsOf(*m), names);
        }
        ASSERT_EQ(changed.size(), 1u) << key;
        const auto& field = changed.front();
        EXPECT_TRUE(field.rfind("u2.", 0) == 0) << key << " -> " << field;
        if (key != "pwr" && key != "ch" && key != "snp")
        {
            EXPECT_TRUE(field.rfind("u2.s5.", 0) == 0) << key << " -> " << field;
        }
        EXPECT_TRUE(seen.insert(field).second) << key << " -> " << field << " twice";
    }
}

TEST_F(PitchModel, RoutingAtTheBoundaries)
{
    expectRoutes<CtrPtchSqData>({
        {"p1m11_pwr", 0.0f, "u0.pwr", 0},
        {"p1m14_ch", 7.0f, "u3.ch", 7},
        {"p1m11_snp", 4.0f, "u0.currentSnapshot", 4},
        {"p1m11_dir", 3.0f, "u0.s0.dir.value", 3},
        {"p1m14_dir_ms1", 2.0f, "u3.s0.dir.modSource0", 2},
        {"p1m14_dir_ms2", 2.0f, "u3.s0.dir.modSource1", 2},
        {"p1m14_dir_md1", 0.5f, "u3.s0.dir.modDepth0", 0.5},
        {"p1m14_dir_md2", 0.5f, "u3.s0.dir.modDepth1", 0.5},
        {"p1m12_fclk", 0.7f, "u1.s0.fclk", 0.7f},
        {"p1m12_sclk", 9.0f, "u1.s0.sclk.value", 9},
        {"p1m12_csync", 0.0f, "u1.s0.csync", 0},
        {"p1m12_clktyp", 2.0f, "u1.s0.clktyp", 2},
        {"p1m12_rst", 4.0f, "u1.s0.rst", 4},
        {"p1m13_strt", 5.0f, "u2.s0.strt.value", 5},
        {"p1m13_size_md2", 0.25f, "u2.s0.size.modDepth1", 0.25},
        {"p1m13_goct", -1.0f, "u2.s0.goct.value", -1},
        {"p1m13_tp_ms2", 12.0f, "u2.s0.tp.modSource1", 12},
        {"p1m13_relmode", 1.0f, "u2.s0.relmode", 1},
        {"p1m13_relbn", 61.0f, "u2.s0.relbn.value", 61},
        {"p1m11_pch1", 5.9f, "u0.s0.step1.pch.value", 5},
        {"p1m11_pch32_md2", 0.5f, "u0.s0.step32.pch.modDepth1", 0.5},
        {"p1m14_relpch1_ms1", 8.0f, "u3.s0.step1.relpch.modSource0", 8},
        {"p1m14_relpch32", -7.0f, "u3.s0.step32.relpch.value", -7},
        {"p1m11_oct1", 1.5f, "u0.s0.step1.oct.value", 1},
        {"p1m11_oct32_md1", -0.5f, "u0.s0.step32.oct.modDepth0", -0.5},
        {"p1m11_vel1", 87.6f, "u0.s0.step1.vel.value", 87.6f},
        {"p1m11_vel32_ms1", 16.0f, "u0.s0.step32.vel.modSource0", 16},
        {"p1m12_gate1", 20.0f, "u1.s0.step1.gate.value", 20},
        {"p1m12_gate32_md1", 0.3f, "u1.s0.step32.gate.modDepth0", 0.3f},
        {"p1m13_prob1", 33.3f, "u2.s0.step1.prob.value", 33.3f},
        {"p1m13_prob32_ms1", 1.0f, "u2.s0.step32.prob.modSource0", 1},
        {"p1m14_slr1", 1.0f, "u3.s0.step1.slr.value", 1},
        {"p1m14_slr32_md1", 1.0f, "u3.s0.step32.slr.modDepth0", 1},
        {"p1m14_spwr1", 0.0f, "u3.s0.step1.spwr.value", 0},
        {"p1m14_spwr32_md1", 0.1f, "u3.s0.step32.spwr.modDepth0", 0.1f},
    });
}

TEST_F(PitchModel, UnitDigitIsClampedAndKeysWithoutIndexChangeNothing)
{
    m->setParamVal("p1m17_pch1", 3.0f);
    EXPECT_EQ(m->units[3].snaps[0].steps[0].pch.value, 3);
    m->setParamVal("p1m10_pch1", 4.0f);
    EXPECT_EQ(m->units[0].snaps[0].steps[0].pch.value, 4);
    m->setParamVal("p1m1x_pch2", 5.0f);
    EXPECT_EQ(m->units[0].snaps[0].steps[1].pch.value, 5);

    const auto before = fieldsOf(*m);
    for (const char* id :
         {"p1m11_slk5", "p1m11_page", "p1m11_vgp", "p1m11_oct1_ms2", "p1m11_pch33", "p1m1", "", "p1m11_", "p1m11_PWR"})
        m->setParamVal(id, 0.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    EXPECT_FALSE(m->units[0].resyncRequest);
}

TEST_F(PitchModel, NonFiniteValuesAreIgnored)
{
    const auto before = fieldsOf(*m);
    for (const char* key : {"pwr", "ch", "snp", "csync", "sclk", "vel3", "pch3_md1", "strt"})
    {
        set(1, key, std::numeric_limits<float>::quiet_NaN());
        set(1, key, std::numeric_limits<float>::infinity());
        set(1, key, -std::numeric_limits<float>::infinity());
    }
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    EXPECT_FALSE(m->units[0].resyncRequest);
    EXPECT_FALSE(m->units[0].clockChanged);
}

TEST_F(PitchModel, FlagsAndIntegersFollowTheWriteRules)
{
    set(2, "pwr", 0.5f);
    EXPECT_FALSE(m->units[1].pwr) << "exactly 0.5 is off";
    set(2, "pwr", 0.51f);
    EXPECT_TRUE(m->units[1].pwr);
    set(2, "relmode", 0.5f);
    EXPECT_FALSE(m->units[1].snaps[0].relmode);

    const std::pair<float, int> channels[] = {{20.0f, 16}, {-3.0f, 0}, {5.9f, 5}, {16.0f, 16}};
    for (const auto& [in, out] : channels)
    {
        set(2, "ch", in);
        EXPECT_EQ(m->units[1].ch, out) << in;
    }

    set(1, "pch3", 5.9f);
    set(1, "vel3", 87.6f);
    set(1, "oct3", 1.5f);
    set(1, "relpch3", -2.7f);
    const auto& st = m->units[0].snaps[0].steps[2];
    EXPECT_EQ(st.pch.value, 5);
    EXPECT_FLOAT_EQ(st.vel.value, 87.6f);
    EXPECT_EQ(st.oct.value, 1);
    EXPECT_EQ(st.relpch.value, -2);
}

TEST_F(PitchModel, IndexLikeFieldsAreClampedWhereStored)
{
    const struct
    {
        const char* key;
        float in;
        int out;
    } cases[] = {{"strt", 0.0f, 1},   {"strt", 40.0f, 32},  {"size", -3.0f, 1},    {"size", 33.0f, 32},
                 {"dir", 7.0f, 5},    {"dir", -1.0f, 0},    {"sclk", 20.0f, 13},   {"sclk", -2.0f, 0},
                 {"clktyp", 5.0f, 2}, {"clktyp", -1.0f, 0}, {"oct4", 9.0f, 4},     {"oct4", -1.0f, 0},
                 {"snp", 9.0f, 7},    {"snp", -1.0f, 0},    {"dir_ms1", 30.0f, 16}};
    auto read = [this](const std::string& key) -> int
    {
        const auto& u = m->units[0];
        const auto& s = u.snaps[0];
        if (key == "strt")
            return s.strt.value;
        if (key == "size")
            return s.size.value;
        if (key == "dir")
            return s.dir.value;
        if (key == "sclk")
            return s.sclk.value;
        if (key == "clktyp")
            return s.clktyp;
        if (key == "oct4")
            return s.steps[3].oct.value;
        if (key == "dir_ms1")
            return s.dir.modSource[0];
        return u.currentSnapshot;
    };
    for (const auto& c : cases)
    {
        m->units[0].currentSnapshot = 0;
        set(1, c.key, c.in);
        EXPECT_EQ(read(c.key), c.out) << c.key << " " << c.in;
    }
}

TEST_F(PitchModel, ClockSyncClockAndSnapshotRaiseTheirRequests)
{
    auto& u = m->units[2];
    set(3, "csync", 0.0f);
    EXPECT_FALSE(u.snaps[0].csync);
    EXPECT_FALSE(u.resyncRequest);
    EXPECT_FALSE(u.clockChanged);
    set(3, "csync", 1.0f);
    EXPECT_TRUE(u.snaps[0].csync);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    EXPECT_TRUE(u.clockChanged.exchange(false));

    set(3, "sclk_ms1", 3.0f);
    EXPECT_EQ(u.snaps[0].sclk.modSource[0], 3);
    EXPECT_FALSE(u.clockChanged) << "a companion of the clock raises nothing";
    set(3, "sclk", 9.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set(3, "clktyp", 1.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set(3, "fclk", 0.9f);
    set(3, "rst", 3.0f);
    EXPECT_FALSE(u.clockChanged);
    EXPECT_FALSE(u.resyncRequest);

    set(3, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    set(3, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest) << "the same snapshot again raises it again";
    EXPECT_EQ(u.currentSnapshot, 5);
    EXPECT_EQ((int) m->snapValues[2].getValue(), 5);
    EXPECT_EQ((int) m->snapValues[0].getValue(), 0);
}

TEST_F(PitchModel, HeaderKeysIgnoreTheSnapshotAndOthersWriteOnlyTheCurrentOne)
{
    set(1, "snp", 3.0f);
    set(1, "pwr", 0.0f);
    set(1, "ch", 9.0f);
    set(1, "tp", 4.0f);
    EXPECT_FALSE(m->units[0].pwr);
    EXPECT_EQ(m->units[0].ch, 9);
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(m->units[0].snaps[(size_t) s].tp.value, s == 3 ? 4 : 0) << s;
}

TEST_F(PitchModel, ModulationActiveThroughWrites)
{
    set(1, "prob7_md1", 0.5f);
    EXPECT_FALSE(m->units[0].snaps[0].steps[6].prob.modActive);
    set(1, "prob7_ms1", 2.0f);
    EXPECT_TRUE(m->units[0].snaps[0].steps[6].prob.modActive);
    set(1, "pch7_ms2", 9.0f);
    set(1, "pch7_md2", 1.0f);
    EXPECT_TRUE(m->units[0].snaps[0].steps[6].pch.modActive);
    set(1, "pch7_md2", 0.0f);
    EXPECT_FALSE(m->units[0].snaps[0].steps[6].pch.modActive);
}

TEST_F(PitchModel, ConstructionAndDefaultsMatchTheEditorTree)
{
    for (const auto& u : m->units)
    {
        EXPECT_EQ(u.currentSnapshot, 0);
        EXPECT_EQ(u.pendingSnapshot, -1);
        EXPECT_EQ(u.ch, 0);
        EXPECT_TRUE(u.pwr);
        EXPECT_FALSE(u.resyncRequest);
        EXPECT_FALSE(u.clockChanged);
        for (const auto& s : u.snaps)
            expectDefaultSnapshot(s);
    }
    EXPECT_EQ(CtrPtchSqData::relBaseNoteDefault, 49);
    for (const auto& v : m->snapValues)
        EXPECT_EQ((int) v.getValue(), 0);
}

TEST_F(PitchModel, PartialStoredSnapshotResetsTheRestToLoaderDefaults)
{
    // Snapshot D of unit 1 full of non-defaults, then a stored "snap4" with
    // only the note of step 1.
    set(1, "snp", 3.0f);
    for (const char* key : {"strt", "size", "sclk", "relbn", "dir", "goct", "tp", "rst", "clktyp"})
        set(1, key, 3.0f);
    set(1, "csync", 0.0f);
    set(1, "fclk", 0.9f);
    set(1, "relmode", 1.0f);
    for (int n = 1; n <= 32; ++n)
    {
        const auto sn = juce::String(n);
        for (const char* key : {"oct", "vel", "gate", "prob", "slr", "spwr", "relpch"})
            set(1, key + sn, 3.0f);
        set(1, "pch" + sn + "_ms1", 3.0f);
        set(1, "pch" + sn + "_md1", 0.5f);
    }
    set(1, "snp", 0.0f);
    m->units[0].resyncRequest = false;
    m->units[0].clockChanged = false;

    juce::ValueTree snap4;
    auto tree = makeSnapTree("ptchsq1", 4, snap4);
    snap4.setProperty("p1m11_pch1", 7, nullptr);
    m->setSnapshotStatesFromValueTree(tree, 0);

    auto& s = m->units[0].snaps[3];
    EXPECT_EQ(s.steps[0].pch.value, 7);
    s.steps[0].pch.value.store(0);
    expectDefaultSnapshot(s);
    EXPECT_FALSE(s.steps[5].pch.modActive) << "missing companions leave values inactive";
    EXPECT_EQ(m->units[0].currentSnapshot, 0) << "the header stays";
    EXPECT_FALSE(m->units[0].resyncRequest) << "the loader raises nothing";
    EXPECT_FALSE(m->units[0].clockChanged);
}

TEST_F(PitchModel, MissingOrEmptyStoredSnapshotsKeepTheModel)
{
    set(2, "snp", 2.0f);
    set(2, "tp", 5.0f);
    set(2, "snp", 0.0f);
    set(2, "tp", 6.0f);

    juce::ValueTree snap3;
    auto tree = makeSnapTree("ptchsq2", 3, snap3); // "snap3" exists but is empty
    tree.getChildWithName("ptchsq2").removeChild(tree.getChildWithName("ptchsq2").getChildWithName("snap1"), nullptr);
    m->setSnapshotStatesFromValueTree(tree, 4);
    EXPECT_EQ(m->units[1].snaps[2].tp.value, 5);
    EXPECT_EQ(m->units[1].snaps[0].tp.value, 6);

    // No unit child at all.
    m->setSnapshotStatesFromValueTree(juce::ValueTree("snapmain"), 4);
    EXPECT_EQ(m->units[1].snaps[0].tp.value, 6);
}

TEST_F(PitchModel, LoaderReadsEveryKindOfPropertyAndSelectsUnits)
{
    juce::ValueTree root("snapmain");
    for (int u = 1; u <= 4; ++u)
    {
        juce::ValueTree unit(zu::units::nodeName(u));
        juce::ValueTree snap("snap8");
        const auto p = zu::units::unitPrefix(u);
        snap.setProperty(p + "tp", u, nullptr);
        snap.setProperty(p + "pch32", "2.7", nullptr);
        snap.setProperty(p + "vel32", "87.5", nullptr);
        snap.setProperty(p + "oct32_ms1", 3, nullptr);
        snap.setProperty(p + "oct32_md1", 0.5, nullptr);
        snap.setProperty(p + "relbn_ms2", 4, nullptr);
        snap.setProperty(p + "relbn_md2", -0.5, nullptr);
        snap.setProperty(p + "strt", 0, nullptr);
        snap.setProperty(p + "dir", 9, nullptr);
        snap.setProperty(p + "csync", 0, nullptr);
        snap.setProperty(p + "relmode", "1", nullptr);
        snap.setProperty(p + "fclk", std::numeric_limits<double>::quiet_NaN(), nullptr);
        snap.setProperty(p + "gate32", "abc", nullptr);
        unit.appendChild(snap, nullptr);
        root.appendChild(unit, nullptr);
    }

    m->setSnapshotStatesFromValueTree(root, 2);
    EXPECT_EQ(m->units[2].snaps[7].tp.value, 3);
    EXPECT_EQ(m->units[1].snaps[7].tp.value, 0) << "only the unit asked for";

    m->setSnapshotStatesFromValueTree(root, 4);
    for (int u = 0; u < 4; ++u)
    {
        const auto& s = m->units[(size_t) u].snaps[7];
        EXPECT_EQ(s.tp.value, u + 1);
        EXPECT_EQ(s.steps[31].pch.value, 2);
        EXPECT_FLOAT_EQ(s.steps[31].vel.value, 87.5f);
        EXPECT_TRUE(s.steps[31].oct.modActive);
        EXPECT_TRUE(s.relbn.modActive);
        EXPECT_EQ(s.relbn.modSource[1], 4);
        EXPECT_EQ(s.strt.value, 1);
        EXPECT_EQ(s.dir.value, 5);
        EXPECT_FALSE(s.csync);
        EXPECT_TRUE(s.relmode);
        EXPECT_FLOAT_EQ(s.fclk, 0.3f) << "a non-finite value counts as missing";
        EXPECT_FLOAT_EQ(s.steps[31].gate.value, 0.0f) << "text that is no number reads as 0";
    }

    // Unit arguments outside 0..4 load nothing.
    root.getChild(0).getChild(0).setProperty("p1m11_tp", 9, nullptr);
    m->setSnapshotStatesFromValueTree(root, 5);
    m->setSnapshotStatesFromValueTree(root, -1);
    EXPECT_EQ(m->units[0].snaps[7].tp.value, 1);
}

TEST_F(PitchModel, InitResetsOneUnitButNotItsSnapshotValue)
{
    set(3, "snp", 6.0f);
    set(3, "ch", 4.0f);
    set(3, "pwr", 0.0f);
    set(3, "vel9", 10.0f);
    set(3, "csync", 1.0f);
    m->units[2].pendingSnapshot = 2;
    set(2, "vel9", 10.0f);

    m->init(2);
    const auto& u = m->units[2];
    EXPECT_EQ(u.currentSnapshot, 0);
    EXPECT_EQ(u.pendingSnapshot, -1);
    EXPECT_EQ(u.ch, 0);
    EXPECT_TRUE(u.pwr);
    EXPECT_FALSE(u.resyncRequest);
    EXPECT_FALSE(u.clockChanged);
    for (const auto& s : u.snaps)
        expectDefaultSnapshot(s);
    EXPECT_EQ((int) m->snapValues[2].getValue(), 6);
    EXPECT_FLOAT_EQ(m->units[1].snaps[0].steps[8].vel.value, 10.0f) << "other units stay";

    const auto before = fieldsOf(*m);
    m->init(-1);
    m->init(4);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(PitchModel, SnapshotCopyCopiesEveryFieldAndLeavesHeaders)
{
    set(1, "snp", 1.0f);
    set(1, "pch5", 7.0f);
    set(1, "pch5_ms2", 3.0f);
    set(1, "pch5_md2", 0.5f);
    set(1, "relbn", 60.0f);
    set(1, "csync", 0.0f);
    set(4, "snp", 2.0f);

    m->snapCopyPaste(0, 3, 1, 7);
    const auto names = fieldsOf(*m, true);
    const auto all = fieldsOf(*m);
    auto valueOf = [&](const std::string& label)
    {
        for (size_t i = 0; i < names.labels.size(); ++i)
            if (names.labels[i] == label)
                return all.values[i];
        return -999.0;
    };
    for (size_t i = 0; i < names.labels.size(); ++i)
    {
        const auto& label = names.labels[i];
        if (label.rfind("u3.s7.", 0) == 0)
        {
            EXPECT_EQ(all.values[i], valueOf("u0.s1." + label.substr(6))) << label;
        }
    }
    EXPECT_TRUE(m->units[3].snaps[7].steps[4].pch.modActive);
    EXPECT_EQ(m->units[0].currentSnapshot, 1);
    EXPECT_EQ(m->units[3].currentSnapshot, 2);

    const auto before = fieldsOf(*m);
    m->snapCopyPaste(0, 0, 1, 1);
    m->snapCopyPaste(0, 4, 1, 1);
    m->snapCopyPaste(-1, 0, 1, 1);
    m->snapCopyPaste(0, 1, 8, 1);
    m->snapCopyPaste(0, 1, 1, -1);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(PitchModel, PlayAndPendingSnapshots)
{
    set(2, "snp", 3.0f);
    EXPECT_EQ(m->getPlaySnapshotIndex(1), 3);
    m->setPendingSnapshot(1, 6);
    EXPECT_EQ(m->getPlaySnapshotIndex(1), 6);
    m->setPendingSnapshot(1, 12);
    EXPECT_EQ(m->units[1].pendingSnapshot, -1);
    EXPECT_EQ(m->getPlaySnapshotIndex(1), 3);
    EXPECT_EQ(m->getPlaySnapshotIndex(9), 0);
}

TEST_F(PitchModel, SnapshotWrittenOffTheMessageThreadReachesItsValueOnSync)
{
    std::thread host([this] { set(4, "snp", 4.0f); });
    host.join();
    EXPECT_EQ(m->units[3].currentSnapshot, 4) << "the audio side sees it at once";
    EXPECT_TRUE(m->units[3].resyncRequest);
    EXPECT_EQ((int) m->snapValues[3].getValue(), 0);
    EXPECT_TRUE(m->syncSnapValues());
    EXPECT_EQ((int) m->snapValues[3].getValue(), 4);
    EXPECT_FALSE(m->syncSnapValues());
}

TEST_F(PitchModel, WritesAreRefusedWhileTheCurrentSnapshotIsNoSnapshot)
{
    m->units[1].currentSnapshot = 9;
    const auto before = fieldsOf(*m);
    set(2, "tp", 4.0f);
    set(2, "pch1", 4.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    set(2, "ch", 4.0f);
    EXPECT_EQ(m->units[1].ch, 4) << "header keys still work";
    EXPECT_EQ(m->getPlaySnapshotIndex(1), 7);
}

// Whoever sees the resync request of a snapshot switch also sees the new
// snapshot: the writer stores the snapshot first.
TEST_F(PitchModel, ResyncRequestIsSeenWithItsSnapshot)
{
    auto& u = m->units[0];
    std::atomic<int> handled{0};
    int mismatches = 0;
    std::thread reader(
        [&]
        {
            for (int round = 1; round <= 2000; ++round)
            {
                while (!u.resyncRequest.exchange(false))
                    std::this_thread::yield();
                if (u.currentSnapshot != round % 8)
                    ++mismatches;
                handled = round;
            }
        });
    for (int round = 1; round <= 2000; ++round)
    {
        m->setParamValAt(0, m->getParamIndex("snp"), (float) (round % 8));
        while (handled.load() != round)
            std::this_thread::yield();
    }
    reader.join();
    EXPECT_EQ(mismatches, 0);
}
