// SPDX-License-Identifier: GPL-3.0-or-later
// The CC sequencer model: name map, routing, write rules, channel and
// controller, snapshot loading, unit reset and snapshot copy.
#include "ModelTestHelpers.h"

FieldList fieldsOf(const CtrCcSqData& m, bool withNames)
{
    FieldList f(withNames);
    for (int u = 0; u < CtrCcSqData::numUnits; ++u)
    {
        const auto& unit = m.units[(size_t) u];
        addHeader(f, unit, u);
        for (int s = 0; s < 8; ++s)
        {
            const auto& snap = unit.snaps[(size_t) s];
            const auto head = unitName(u, s);
            addClockFields(f, snap, u, s);
            f.add(snap.tarcc.load(), [&] { return head + "tarcc"; });
            f.add(snap.omin.load(), [&] { return head + "omin"; });
            f.add(snap.omax.load(), [&] { return head + "omax"; });
            for (int n = 0; n < 32; ++n)
            {
                const auto& st = snap.steps[(size_t) n];
                f.addParam(st.sval, [&] { return stepName(u, s, n, "sval"); });
                f.addParam(st.prob, [&] { return stepName(u, s, n, "prob"); });
                f.addParam(st.spwr, [&] { return stepName(u, s, n, "spwr"); });
            }
        }
    }
    return f;
}

namespace
{
struct CcSeqModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<CtrCcSqData>();
        m->createParamMap();
    }

    void set(int unit, const juce::String& key, float v)
    {
        m->setParamVal(zu::units::unitPrefix(zu::units::cc, unit - 1) + key, v);
    }

    std::unique_ptr<CtrCcSqData> m;
};

void expectDefaultSnapshot(const CtrCcSqData::SnapData& s)
{
    EXPECT_EQ(s.tarcc, 0);
    EXPECT_EQ(s.rst, 0);
    EXPECT_TRUE(s.csync);
    EXPECT_EQ(s.clktyp, 0);
    EXPECT_FLOAT_EQ(s.fclk, 0.3f);
    EXPECT_FLOAT_EQ(s.omin, 0.0f);
    EXPECT_FLOAT_EQ(s.omax, 127.0f);
    EXPECT_EQ(s.dir.value, 0);
    EXPECT_EQ(s.strt.value, 1);
    EXPECT_EQ(s.size.value, 16);
    EXPECT_EQ(s.sclk.value, 11);
    for (const auto& st : s.steps)
    {
        EXPECT_FLOAT_EQ(st.sval.value, 0.0f);
        EXPECT_FALSE(st.sval.modActive);
        EXPECT_FLOAT_EQ(st.prob.value, 100.0f);
        EXPECT_EQ(st.spwr.value, 1);
    }
}
} // namespace

TEST_F(CcSeqModel, NameMapHasContiguousIndicesAtTheirPlaces)
{
    expectNameMap(*m, 382,
                  {{"pwr", 1},          {"dir", 2},     {"fclk", 7},         {"sclk_md2", 12}, {"csync", 13},
                   {"clktyp", 14},      {"rst", 15},    {"strt", 16},        {"size_md2", 25}, {"snp", 26},
                   {"ch", 27},          {"tarcc", 28},  {"omin", 29},        {"omax", 30},     {"sval1", 31},
                   {"sval32_md2", 190}, {"prob1", 191}, {"prob32_md1", 286}, {"spwr1", 287},   {"spwr32_md1", 382}});
    EXPECT_EQ(m->getParamIndex("emenu1"), 0);
    EXPECT_EQ(m->getParamIndex("tar1"), 0);
}

TEST_F(CcSeqModel, EveryKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    expectEveryKeyWritesItsOwnField(*m, 1, "p3m32_", {"pwr", "snp", "ch"});
}

TEST_F(CcSeqModel, RoutingAtTheBoundaries)
{
    expectRoutes<CtrCcSqData>({
        {"p3m31_pwr", 0.0f, "u0.pwr", 0},
        {"p3m34_ch", 12.0f, "u3.ch", 12},
        {"p3m34_snp", 2.0f, "u3.currentSnapshot", 2},
        {"p3m31_dir_ms1", 4.0f, "u0.s0.dir.modSource0", 4},
        {"p3m32_fclk", 0.6f, "u1.s0.fclk", 0.6f},
        {"p3m32_sclk", 3.0f, "u1.s0.sclk.value", 3},
        {"p3m32_csync", 0.0f, "u1.s0.csync", 0},
        {"p3m32_clktyp", 2.0f, "u1.s0.clktyp", 2},
        {"p3m32_rst", 2.0f, "u1.s0.rst", 2},
        {"p3m33_strt_md1", 0.5f, "u2.s0.strt.modDepth0", 0.5},
        {"p3m33_size", 8.0f, "u2.s0.size.value", 8},
        {"p3m33_tarcc", 7.0f, "u2.s0.tarcc", 7},
        {"p3m33_omin", 64.0f, "u2.s0.omin", 64},
        {"p3m33_omax", 0.0f, "u2.s0.omax", 0},
        {"p3m31_sval1", 0.3f, "u0.s0.step1.sval.value", 0.3f},
        {"p3m34_sval32_ms2", 10.0f, "u3.s0.step32.sval.modSource1", 10},
        {"p3m31_prob1_ms1", 6.0f, "u0.s0.step1.prob.modSource0", 6},
        {"p3m31_prob32", 12.5f, "u0.s0.step32.prob.value", 12.5},
        {"p3m34_spwr1_md1", -1.0f, "u3.s0.step1.spwr.modDepth0", -1},
        {"p3m34_spwr32", 0.0f, "u3.s0.step32.spwr.value", 0},
    });
}

TEST_F(CcSeqModel, ChannelControllerAndRangeRules)
{
    const std::pair<float, int> channels[] = {{20.0f, 16}, {-3.0f, 0}, {7.9f, 7}};
    for (const auto& [in, out] : channels)
    {
        set(1, "ch", in);
        EXPECT_EQ(m->units[0].ch, out) << in;
    }
    set(1, "snp", 6.0f);
    EXPECT_EQ(m->units[0].ch, 7) << "the channel belongs to the unit, not to a snapshot";

    const std::pair<float, int> controllers[] = {{7.0f, 7}, {200.0f, 128}, {-1.0f, 0}, {128.0f, 128}};
    for (const auto& [in, out] : controllers)
    {
        set(2, "tarcc", in);
        EXPECT_EQ(m->units[1].snaps[0].tarcc, out) << in;
    }
    set(2, "snp", 1.0f);
    set(2, "tarcc", 20.0f);
    EXPECT_EQ(m->units[1].snaps[1].tarcc, 20);
    EXPECT_EQ(m->units[1].snaps[0].tarcc, 128) << "each snapshot has its own controller";

    set(1, "omin", 64.0f);
    set(1, "omax", 0.0f);
    EXPECT_FLOAT_EQ(m->units[0].snaps[6].omin, 64.0f) << "a falling range stays as it is";
    EXPECT_FLOAT_EQ(m->units[0].snaps[6].omax, 0.0f);
}

TEST_F(CcSeqModel, RequestsAndModulationRules)
{
    auto& u = m->units[2];
    set(3, "csync", 0.0f);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    set(3, "csync", 1.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set(3, "sclk_ms1", 3.0f);
    EXPECT_FALSE(u.clockChanged);
    set(3, "sclk", 9.0f);
    EXPECT_TRUE(u.clockChanged.exchange(false));
    set(3, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest.exchange(false));
    set(3, "snp", 5.0f);
    EXPECT_TRUE(u.resyncRequest);
    EXPECT_EQ((int) m->snapValues[2].getValue(), 5);

    set(3, "sval3_md2", 0.5f);
    EXPECT_FALSE(u.snaps[5].steps[2].sval.modActive);
    set(3, "sval3_ms2", 1.0f);
    EXPECT_TRUE(u.snaps[5].steps[2].sval.modActive);

    const auto before = fieldsOf(*m);
    for (const char* id : {"p3m31_slk5", "p3m31_page", "p3m31_emenu1", "p3m31_prob1_ms2", "p3m31_sval33"})
        m->setParamVal(id, 1.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(CcSeqModel, LoaderDefaultsAndStoredValues)
{
    set(1, "snp", 1.0f);
    set(1, "omin", 30.0f);
    set(1, "omax", 40.0f);
    set(1, "tarcc", 5.0f);
    set(1, "snp", 0.0f);
    set(1, "ch", 3.0f);

    juce::ValueTree snap2;
    auto tree = makeSnapTree("ccsq1", 2, snap2);
    snap2.setProperty("p3m31_sval3_ms1", 2, nullptr);
    snap2.setProperty("p3m31_sval3_md1", 0.5, nullptr);
    m->setSnapshotStatesFromValueTree(tree, 4);
    auto& s = m->units[0].snaps[1];
    EXPECT_TRUE(s.steps[2].sval.modActive);
    s.steps[2].sval.modSource[0] = 0;
    s.steps[2].sval.modDepth[0] = 0.0f;
    s.steps[2].sval.updateModActive();
    expectDefaultSnapshot(s);
    EXPECT_EQ(m->units[0].ch, 3) << "the loader leaves the header";

    snap2.removeAllProperties(nullptr);
    snap2.setProperty("p3m31_omin", 10, nullptr);
    snap2.setProperty("p3m31_omax", 90, nullptr);
    snap2.setProperty("p3m31_tarcc", "500", nullptr);
    m->setSnapshotStatesFromValueTree(tree, 0);
    EXPECT_FLOAT_EQ(s.omin, 10.0f);
    EXPECT_FLOAT_EQ(s.omax, 90.0f);
    EXPECT_EQ(s.tarcc, 128);
    EXPECT_FALSE(s.steps[2].sval.modActive);

    m->setSnapshotStatesFromValueTree(tree, 1);
    EXPECT_FLOAT_EQ(m->units[1].snaps[1].omax, 127.0f) << "unit 2 has no child in the tree";
}

TEST_F(CcSeqModel, InitAndSnapshotCopy)
{
    set(1, "ch", 9.0f);
    set(1, "snp", 2.0f);
    set(1, "tarcc", 11.0f);
    set(1, "pwr", 0.0f);
    m->init(0);
    const auto& u = m->units[0];
    EXPECT_EQ(u.ch, 0);
    EXPECT_EQ(u.currentSnapshot, 0);
    EXPECT_EQ(u.pendingSnapshot, -1);
    EXPECT_TRUE(u.pwr);
    EXPECT_FALSE(u.resyncRequest || u.clockChanged);
    for (const auto& s : u.snaps)
        expectDefaultSnapshot(s);
    EXPECT_EQ((int) m->snapValues[0].getValue(), 2);

    set(2, "ch", 5.0f);
    set(2, "tarcc", 33.0f);
    set(2, "omin", 20.0f);
    set(2, "sval4", 0.8f);
    m->snapCopyPaste(1, 1, 0, 5);
    const auto& dst = m->units[1].snaps[5];
    EXPECT_EQ(dst.tarcc, 33);
    EXPECT_FLOAT_EQ(dst.omin, 20.0f);
    EXPECT_FLOAT_EQ(dst.steps[3].sval.value, 0.8f);
    EXPECT_EQ(m->units[1].ch, 5);
    EXPECT_EQ(m->units[1].currentSnapshot, 0);

    const auto before = fieldsOf(*m);
    m->snapCopyPaste(4, 1, 0, 5);
    m->snapCopyPaste(1, 1, -1, 5);
    m->init(7);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}
