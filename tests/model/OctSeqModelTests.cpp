// SPDX-License-Identifier: GPL-3.0-or-later
// The octave-transpose sequencer model: name map, routing, write rules,
// snapshot loading, unit reset and snapshot copy of its one unit.
#include "ModelTestHelpers.h"

FieldList fieldsOf(const CtrOctSqData& m, bool withNames)
{
    FieldList f(withNames);
    const auto& unit = m.units[0];
    addHeader(f, unit, 0);
    for (int s = 0; s < 8; ++s)
    {
        const auto& snap = unit.snaps[(size_t) s];
        addClockFields(f, snap, 0, s);
        for (int n = 0; n < 32; ++n)
        {
            const auto& st = snap.steps[(size_t) n];
            f.addParam(st.stp, [&] { return stepName(0, s, n, "stp"); });
            f.addParam(st.soct, [&] { return stepName(0, s, n, "soct"); });
            f.addParam(st.prob, [&] { return stepName(0, s, n, "prob"); });
            f.addParam(st.spwr, [&] { return stepName(0, s, n, "spwr"); });
        }
    }
    return f;
}

namespace
{
struct OctSeqModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<CtrOctSqData>();
        m->createParamMap();
    }

    void set(const juce::String& key, float v) { m->setParamVal("p4m41_" + key, v); }

    std::unique_ptr<CtrOctSqData> m;
};

void expectDefaultSnapshot(const CtrOctSqData::SnapData& s)
{
    EXPECT_EQ(s.rst, 0);
    EXPECT_TRUE(s.csync);
    EXPECT_EQ(s.clktyp, 0);
    EXPECT_FLOAT_EQ(s.fclk, 0.3f);
    EXPECT_EQ(s.dir.value, 0);
    EXPECT_EQ(s.strt.value, 1);
    EXPECT_EQ(s.size.value, 16);
    EXPECT_EQ(s.sclk.value, 11);
    for (const auto& st : s.steps)
    {
        EXPECT_EQ(st.stp.value, 0);
        EXPECT_FALSE(st.stp.modActive);
        EXPECT_EQ(st.soct.value, 2);
        EXPECT_FLOAT_EQ(st.prob.value, 100.0f);
        EXPECT_EQ(st.spwr.value, 1);
    }
}
} // namespace

TEST_F(OctSeqModel, NameMapHasContiguousIndicesAtTheirPlaces)
{
    expectNameMap(*m, 474,
                  {{"pwr", 1},          {"dir", 2},       {"dir_ms1", 3},     {"dir_md2", 6},      {"fclk", 7},
                   {"sclk", 8},         {"csync", 13},    {"clktyp", 14},     {"rst", 15},         {"strt", 16},
                   {"size", 21},        {"size_md2", 25}, {"snp", 26},        {"stp1", 27},        {"stp1_md2", 31},
                   {"stp32_md2", 186},  {"soct1", 187},   {"soct1_md1", 189}, {"soct32_md1", 282}, {"prob1", 283},
                   {"prob32_md1", 378}, {"spwr1", 379},   {"spwr32_md1", 474}});
    EXPECT_EQ(m->getParamIndex("soct7_ms2"), 0);
    EXPECT_EQ(m->getParamIndex("page"), 0);
}

TEST_F(OctSeqModel, EveryKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    expectEveryKeyWritesItsOwnField(*m, 0, "p4m41_", {"pwr", "snp"});
}

TEST_F(OctSeqModel, RoutingAtTheBoundaries)
{
    expectRoutes<CtrOctSqData>({
        {"p4m41_pwr", 0.3f, "u0.pwr", 0},
        {"p4m41_snp", 7.0f, "u0.currentSnapshot", 7},
        {"p4m41_dir", 5.0f, "u0.s0.dir.value", 5},
        {"p4m41_dir_ms2", 2.0f, "u0.s0.dir.modSource1", 2},
        {"p4m41_fclk", 0.45f, "u0.s0.fclk", 0.45f},
        {"p4m41_sclk_md1", 0.5f, "u0.s0.sclk.modDepth0", 0.5},
        {"p4m41_csync", 0.0f, "u0.s0.csync", 0},
        {"p4m41_clktyp", 1.0f, "u0.s0.clktyp", 1},
        {"p4m41_rst", 4.0f, "u0.s0.rst", 4},
        {"p4m41_strt", 32.0f, "u0.s0.strt.value", 32},
        {"p4m41_size_ms2", 7.0f, "u0.s0.size.modSource1", 7},
        {"p4m41_stp1", -2.7f, "u0.s0.step1.stp.value", -2},
        {"p4m41_stp32_md2", 0.5f, "u0.s0.step32.stp.modDepth1", 0.5},
        {"p4m41_soct1", 4.0f, "u0.s0.step1.soct.value", 4},
        {"p4m41_soct32_ms1", 3.0f, "u0.s0.step32.soct.modSource0", 3},
        {"p4m41_prob1", 55.5f, "u0.s0.step1.prob.value", 55.5},
        {"p4m41_prob32_md1", 1.0f, "u0.s0.step32.prob.modDepth0", 1},
        {"p4m41_spwr1", 0.0f, "u0.s0.step1.spwr.value", 0},
        {"p4m41_spwr32_ms1", 16.0f, "u0.s0.step32.spwr.modSource0", 16},
        // The unit digit is not read.
        {"p4m42_stp1", 4.0f, "u0.s0.step1.stp.value", 4},
    });
}

TEST_F(OctSeqModel, WriteRulesAndRequests)
{
    auto& u = m->units[0];
    set("pwr", 0.3f);
    EXPECT_FALSE(u.pwr);
    set("snp", 5.0f);
    set("pwr", 0.6f);
    EXPECT_TRUE(u.pwr);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    set("snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false)) << "the same snapshot again raises it again";
    EXPECT_EQ((int) m->snapValues[0].getValue(), 5);

    set("stp3", 4.0f);
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(u.snaps[(size_t) s].steps[2].stp.value, s == 5 ? 4 : 0) << s;

    set("soct7_md1", 0.5f);
    EXPECT_FALSE(u.snaps[5].steps[6].soct.modActive);
    set("soct7_ms1", 3.0f);
    EXPECT_TRUE(u.snaps[5].steps[6].soct.modActive);
    const auto before = fieldsOf(*m);
    for (const char* key : {"soct7_ms2", "slk3", "page", "ch", "stp33"})
        set(key, 1.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);

    set("csync", 0.0f);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    set("csync", 1.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set("sclk_ms1", 3.0f);
    EXPECT_FALSE(u.clockChanged);
    set("sclk", 9.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set("clktyp", 1.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));

    const std::pair<float, int> octaves[] = {{9.0f, 4}, {-1.0f, 0}, {3.9f, 3}};
    for (const auto& [in, out] : octaves)
    {
        set("soct1", in);
        EXPECT_EQ(u.snaps[5].steps[0].soct.value, out) << in;
    }

    // Writes by index take unit 0 only.
    const auto kept = fieldsOf(*m);
    m->setParamValAt(1, m->getParamIndex("stp1"), 3.0f);
    m->setParamValAt(0, 475, 3.0f);
    m->setParamValAt(0, 0, 3.0f);
    EXPECT_EQ(kept.values, fieldsOf(*m).values);
}

TEST_F(OctSeqModel, PartialStoredSnapshotResetsTheRestToLoaderDefaults)
{
    set("snp", 3.0f);
    for (const char* key : {"strt", "size", "sclk", "dir", "rst", "clktyp"})
        set(key, 3.0f);
    set("csync", 0.0f);
    for (int n = 1; n <= 32; ++n)
    {
        const auto sn = juce::String(n);
        for (const char* key : {"soct", "prob", "spwr"})
            set(key + sn, 3.0f);
        set("stp" + sn + "_ms2", 3.0f);
        set("stp" + sn + "_md2", 0.5f);
    }
    set("snp", 1.0f);
    set("stp1", 6.0f);
    set("snp", 0.0f);
    m->units[0].resyncRequest = false;
    m->units[0].clockChanged = false;

    juce::ValueTree snap4;
    auto tree = makeSnapTree("octtpsq", 4, snap4);
    snap4.setProperty("p4m41_stp1", 5, nullptr);
    m->setSnapshotStatesFromValueTree(tree);

    auto& s = m->units[0].snaps[3];
    EXPECT_EQ(s.steps[0].stp.value, 5);
    s.steps[0].stp.value = 0;
    expectDefaultSnapshot(s);
    EXPECT_EQ(m->units[0].snaps[1].steps[0].stp.value, 6) << "an empty stored snapshot keeps the model";
    EXPECT_FALSE(m->units[0].resyncRequest || m->units[0].clockChanged);

    m->setSnapshotStatesFromValueTree(juce::ValueTree("snapmain"));
    EXPECT_EQ(m->units[0].snaps[1].steps[0].stp.value, 6);
}

TEST_F(OctSeqModel, InitAndSnapshotCopyTakeUnitZeroOnly)
{
    set("snp", 2.0f);
    set("stp4", 7.0f);
    set("soct4_ms1", 2.0f);
    set("soct4_md1", 0.5f);
    m->units[0].pendingSnapshot = 6;

    m->snapCopyPaste(0, 0, 2, 6);
    EXPECT_EQ(m->units[0].snaps[6].steps[3].stp.value, 7);
    EXPECT_TRUE(m->units[0].snaps[6].steps[3].soct.modActive);
    EXPECT_EQ(m->units[0].currentSnapshot, 2);

    const auto before = fieldsOf(*m);
    m->snapCopyPaste(1, 0, 2, 5);
    m->snapCopyPaste(0, 1, 2, 5);
    m->snapCopyPaste(0, 0, 8, 5);
    m->snapCopyPaste(0, 0, 2, -1);
    m->init(1);
    m->init(-1);
    EXPECT_EQ(before.values, fieldsOf(*m).values);

    m->init(0);
    const auto& u = m->units[0];
    EXPECT_EQ(u.currentSnapshot, 0);
    EXPECT_EQ(u.pendingSnapshot, -1);
    EXPECT_TRUE(u.pwr);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    for (const auto& s : u.snaps)
        expectDefaultSnapshot(s);
    EXPECT_EQ((int) m->snapValues[0].getValue(), 2);
}
