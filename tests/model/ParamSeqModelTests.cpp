// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter sequencer model: name map, routing, write rules, step
// targets, snapshot loading, unit reset and snapshot copy.
#include "ModelTestHelpers.h"

namespace
{
struct ParamSeqModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<CtrPrmSqData>();
        m->createParamMap();
    }

    void set(int unit, const juce::String& key, float v)
    {
        m->setParamVal(zu::units::unitPrefix(zu::units::param, unit - 1) + key, v);
    }

    std::unique_ptr<CtrPrmSqData> m;
};

void expectDefaultSnapshot(const CtrPrmSqData::SnapData& s, int stepTarget)
{
    EXPECT_TRUE(s.tar[0]);
    EXPECT_FALSE(s.tar[1] || s.tar[2] || s.tar[3]);
    EXPECT_EQ(s.rst, 0);
    EXPECT_TRUE(s.csync);
    EXPECT_FLOAT_EQ(s.fclk, 0.3f);
    EXPECT_EQ(s.clktyp, 0);
    EXPECT_EQ(s.dir.value, 0);
    EXPECT_EQ(s.strt.value, 1);
    EXPECT_EQ(s.size.value, 16);
    EXPECT_EQ(s.sclk.value, 11);
    for (const auto& st : s.steps)
    {
        EXPECT_FLOAT_EQ(st.sval.value, 0.0f);
        EXPECT_FALSE(st.sval.modActive);
        EXPECT_EQ(st.emenu, stepTarget);
        EXPECT_FLOAT_EQ(st.prob.value, 100.0f);
        EXPECT_EQ(st.spwr.value, 1);
    }
}
} // namespace

TEST_F(ParamSeqModel, NameMapHasContiguousIndicesAtTheirPlaces)
{
    expectNameMap(*m, 414,
                  {{"pwr", 1},          {"dir", 2},      {"dir_md2", 6},     {"fclk", 7},    {"sclk", 8},
                   {"csync", 13},       {"clktyp", 14},  {"rst", 15},        {"strt", 16},   {"size_md2", 25},
                   {"snp", 26},         {"tar1", 27},    {"tar4", 30},       {"sval1", 31},  {"sval1_md2", 35},
                   {"sval32_md2", 190}, {"emenu1", 191}, {"emenu32", 222},   {"prob1", 223}, {"prob1_md1", 225},
                   {"prob32_md1", 318}, {"spwr1", 319},  {"spwr32_md1", 414}});
    EXPECT_EQ(m->getParamIndex("emenu1_ms1"), 0);
    EXPECT_EQ(m->getParamIndex("prob1_ms2"), 0);
    EXPECT_EQ(m->getParamIndex("ch"), 0) << "the parameter sequencer has no channel";
}

TEST_F(ParamSeqModel, EveryKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    expectEveryKeyWritesItsOwnField(*m, 2, "p2m23_", {"pwr", "snp"});
}

TEST_F(ParamSeqModel, RoutingAtTheBoundaries)
{
    expectRoutes<CtrPrmSqData>({
        {"p2m21_pwr", 0.0f, "u0.pwr", 0},
        {"p2m24_snp", 7.0f, "u3.currentSnapshot", 7},
        {"p2m21_dir", 4.0f, "u0.s0.dir.value", 4},
        {"p2m24_dir_md2", 0.5f, "u3.s0.dir.modDepth1", 0.5},
        {"p2m22_fclk", 0.1f, "u1.s0.fclk", 0.1f},
        {"p2m22_sclk_ms2", 16.0f, "u1.s0.sclk.modSource1", 16},
        {"p2m22_csync", 0.0f, "u1.s0.csync", 0},
        {"p2m22_clktyp", 1.0f, "u1.s0.clktyp", 1},
        {"p2m22_rst", 8.0f, "u1.s0.rst", 8},
        {"p2m23_strt", 9.0f, "u2.s0.strt.value", 9},
        {"p2m23_size_ms1", 3.0f, "u2.s0.size.modSource0", 3},
        {"p2m23_tar1", 0.0f, "u2.s0.tar1", 0},
        {"p2m23_tar4", 1.0f, "u2.s0.tar4", 1},
        {"p2m21_sval1", 0.75f, "u0.s0.step1.sval.value", 0.75},
        {"p2m21_sval32_md2", -0.5f, "u0.s0.step32.sval.modDepth1", -0.5},
        {"p2m24_emenu1", 14.0f, "u3.s0.step1.emenu", 13},
        {"p2m24_emenu32", 3.0f, "u3.s0.step32.emenu", 2},
        {"p2m21_prob1", 42.5f, "u0.s0.step1.prob.value", 42.5},
        {"p2m21_prob32_md1", 0.25f, "u0.s0.step32.prob.modDepth0", 0.25},
        {"p2m22_spwr1", 0.0f, "u1.s0.step1.spwr.value", 0},
        {"p2m22_spwr32_ms1", 5.0f, "u1.s0.step32.spwr.modSource0", 5},
    });
}

TEST_F(ParamSeqModel, StepTargetsAreTheMenuItemMinusOne)
{
    const std::pair<float, int> cases[] = {{1.0f, 0},   {14.0f, 13}, {0.0f, -1}, {2.9f, 1},
                                           {24.0f, 23}, {30.0f, 23}, {-5.0f, -1}};
    for (const auto& [in, out] : cases)
    {
        set(1, "emenu5", in);
        EXPECT_EQ(m->units[0].snaps[0].steps[4].emenu, out) << in;
    }
}

TEST_F(ParamSeqModel, WriteRulesAndRequests)
{
    auto& u = m->units[1];
    set(2, "tar2", 0.5f);
    EXPECT_FALSE(u.snaps[0].tar[1]);
    set(2, "tar2", 0.6f);
    EXPECT_TRUE(u.snaps[0].tar[1]);

    set(2, "csync", 0.0f);
    EXPECT_FALSE(u.snaps[0].csync);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    set(2, "csync", 1.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    EXPECT_TRUE(u.clockChanged.exchange(false));

    set(2, "sclk_ms1", 3.0f);
    EXPECT_EQ(u.snaps[0].sclk.modSource[0], 3);
    EXPECT_FALSE(u.clockChanged);
    set(2, "sclk", 9.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set(2, "clktyp", 2.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));

    set(2, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    set(2, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest);
    EXPECT_EQ(u.currentSnapshot, 5);
    EXPECT_EQ((int) m->snapValues[1].getValue(), 5);

    set(2, "spwr3", 0.9f);
    EXPECT_EQ(u.snaps[5].steps[2].spwr.value, 0) << "on/off truncates";
    set(2, "prob7_md1", 0.5f);
    EXPECT_FALSE(u.snaps[5].steps[6].prob.modActive);
    set(2, "prob7_ms1", 2.0f);
    EXPECT_TRUE(u.snaps[5].steps[6].prob.modActive);

    set(2, "pwr", 0.0f);
    EXPECT_FALSE(u.pwr);
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(u.snaps[(size_t) s].steps[2].spwr.value, s == 5 ? 0 : 1);
}

TEST_F(ParamSeqModel, UnknownKeysAndBadValuesChangeNothing)
{
    const auto before = fieldsOf(*m);
    for (const char* id : {"p2m21_slk5", "p2m21_page", "p2m21_ch", "p2m21_emenu33", "p2m21_tar5"})
        m->setParamVal(id, 1.0f);
    for (const auto& entry : m->paramMap)
        m->setParamVal("p2m21_" + entry.first, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    EXPECT_FALSE(m->units[0].resyncRequest);

    m->setParamVal("p2m29_sval1", 0.5f);
    EXPECT_FLOAT_EQ(m->units[3].snaps[0].steps[0].sval.value, 0.5f);
    m->setParamVal("p2m20_sval1", 0.25f);
    EXPECT_FLOAT_EQ(m->units[0].snaps[0].steps[0].sval.value, 0.25f);
}

TEST_F(ParamSeqModel, PartialStoredSnapshotResetsTheRestToLoaderDefaults)
{
    set(3, "snp", 3.0f);
    for (const char* key : {"strt", "size", "sclk", "dir", "rst", "clktyp", "tar2"})
        set(3, key, 3.0f);
    set(3, "tar1", 0.0f);
    set(3, "csync", 0.0f);
    for (int n = 1; n <= 32; ++n)
    {
        const auto sn = juce::String(n);
        set(3, "emenu" + sn, 5.0f);
        set(3, "prob" + sn, 3.0f);
        set(3, "spwr" + sn, 0.0f);
        set(3, "sval" + sn + "_ms1", 2.0f);
        set(3, "sval" + sn + "_md1", 0.5f);
    }
    set(3, "snp", 0.0f);
    m->units[2].resyncRequest = false;
    m->units[2].clockChanged = false;

    juce::ValueTree snap4;
    auto tree = makeSnapTree("prmsq3", 4, snap4);
    snap4.setProperty("p2m23_sval1", 0.5, nullptr);
    m->setSnapshotStatesFromValueTree(tree, 4);

    auto& s = m->units[2].snaps[3];
    EXPECT_FLOAT_EQ(s.steps[0].sval.value, 0.5f);
    s.steps[0].sval.value = 0.0f;
    expectDefaultSnapshot(s, -1);
    EXPECT_FALSE(m->units[2].resyncRequest || m->units[2].clockChanged);
    EXPECT_EQ(m->units[2].currentSnapshot, 0);
}

TEST_F(ParamSeqModel, LoaderReadsTargetsCompanionsAndKeepsMissingSnapshots)
{
    set(1, "snp", 4.0f);
    set(1, "rst", 7.0f);
    set(1, "snp", 0.0f);

    juce::ValueTree snap2;
    auto tree = makeSnapTree("prmsq1", 2, snap2);
    auto unit = tree.getChildWithName("prmsq1");
    snap2.setProperty("p2m21_emenu2", 3, nullptr);
    snap2.setProperty("p2m21_sval3_ms1", 2, nullptr);
    snap2.setProperty("p2m21_sval3_md1", 0.5, nullptr);
    snap2.setProperty("p2m21_tar1", 0.5, nullptr);
    snap2.setProperty("p2m21_tar3", "0.75", nullptr);
    snap2.setProperty("p2m21_size", 40, nullptr);
    unit.getChildWithName("snap3").setProperty("p2m21_emenu1", 200, nullptr);

    m->setSnapshotStatesFromValueTree(tree, 0);
    const auto& s = m->units[0].snaps[1];
    EXPECT_EQ(s.steps[1].emenu, 2) << "menu item 3 is target 2 (start)";
    EXPECT_TRUE(s.steps[2].sval.modActive);
    EXPECT_FALSE(s.tar[0]) << "exactly 0.5 is off";
    EXPECT_TRUE(s.tar[2]);
    EXPECT_EQ(s.size.value, 32);
    EXPECT_EQ(s.rst, 0);
    EXPECT_EQ(m->units[0].snaps[2].steps[0].emenu, 23);
    EXPECT_EQ(m->units[0].snaps[4].rst, 7) << "empty stored snapshots keep the model";

    // The whole-kind argument reads unit children that exist only.
    tree.getChildWithName("prmsq1").setProperty("unused", 1, nullptr);
    m->setSnapshotStatesFromValueTree(tree, 4);
    EXPECT_EQ(m->units[1].snaps[1].steps[1].emenu, -1) << "unit 2 keeps its default, no target";
}

TEST_F(ParamSeqModel, InitAndSnapshotCopy)
{
    set(3, "snp", 4.0f);
    set(3, "pwr", 0.0f);
    set(3, "tar3", 1.0f);
    set(3, "sval9", 0.9f);
    m->units[2].pendingSnapshot = 1;
    m->init(2);
    const auto& u = m->units[2];
    EXPECT_EQ(u.currentSnapshot, 0);
    EXPECT_EQ(u.pendingSnapshot, -1);
    EXPECT_TRUE(u.pwr);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    for (const auto& s : u.snaps)
        expectDefaultSnapshot(s, -1);
    EXPECT_EQ((int) m->snapValues[2].getValue(), 4);

    set(1, "snp", 1.0f);
    set(1, "sval2", 0.4f);
    set(1, "sval2_ms2", 9.0f);
    set(1, "sval2_md2", 1.0f);
    set(1, "emenu2", 7.0f);
    set(1, "tar4", 1.0f);
    set(4, "snp", 3.0f);
    m->snapCopyPaste(0, 3, 1, 7);
    const auto& dst = m->units[3].snaps[7];
    EXPECT_FLOAT_EQ(dst.steps[1].sval.value, 0.4f);
    EXPECT_TRUE(dst.steps[1].sval.modActive);
    EXPECT_EQ(dst.steps[1].emenu, 6);
    EXPECT_TRUE(dst.tar[3]);
    EXPECT_EQ(m->units[3].currentSnapshot, 3);
    EXPECT_EQ(m->units[0].currentSnapshot, 1);

    const auto before = fieldsOf(*m);
    m->snapCopyPaste(1, 1, 2, 2);
    m->snapCopyPaste(0, 4, 0, 0);
    m->snapCopyPaste(0, 1, 0, 8);
    m->init(4);
    m->init(-1);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}
