// SPDX-License-Identifier: GPL-3.0-or-later
// The CC rack model: name map, routing of header, knob and companion keys,
// write rules, the resend request, snapshot loading, rack reset and snapshot
// copy.
#include "ModelTestHelpers.h"

#include <cmath>
#include <set>

static std::string knobName(int r, int s, int k, const char* key)
{
    return unitName(r, s) + "knob" + std::to_string(k + 1) + "." + key;
}

FieldList fieldsOf(const CtrCcRackData& m, bool withNames)
{
    FieldList f(withNames);
    for (int r = 0; r < CtrCcRackData::numUnits; ++r)
    {
        const auto& unit = m.units[(size_t) r];
        const auto head = "u" + std::to_string(r) + ".";
        f.add(unit.pwr ? 1.0 : 0.0, [&] { return head + "pwr"; });
        f.add((double) unit.currentSnapshot.load(), [&] { return head + "currentSnapshot"; });
        f.add((double) unit.pendingSnapshot.load(), [&] { return head + "pendingSnapshot"; });
        for (int s = 0; s < 8; ++s)
        {
            for (int k = 0; k < CtrCcRackData::numKnobs; ++k)
            {
                const auto& knob = unit.snaps[(size_t) s].knobs[(size_t) k];
                f.add(knob.kpwr ? 1.0 : 0.0, [&] { return knobName(r, s, k, "kpwr"); });
                f.add(knob.ktarcc.load(), [&] { return knobName(r, s, k, "ktarcc"); });
                f.add(knob.kch.load(), [&] { return knobName(r, s, k, "kch"); });
                f.add(knob.kmin.load(), [&] { return knobName(r, s, k, "kmin"); });
                f.add(knob.kmax.load(), [&] { return knobName(r, s, k, "kmax"); });
                f.addParam(knob.kval, [&] { return knobName(r, s, k, "kval"); });
            }
        }
    }
    return f;
}

namespace
{
struct CcRackModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<CtrCcRackData>();
        m->createParamMap();
    }

    void set(int rack, const juce::String& key, float v)
    {
        m->setParamVal(zu::units::unitPrefix(zu::units::ccRack, rack - 1) + key, v);
    }

    std::unique_ptr<CtrCcRackData> m;
};

void expectDefaultKnobs(const CtrCcRackData::SnapData& s)
{
    for (const auto& k : s.knobs)
    {
        EXPECT_TRUE(k.kpwr);
        EXPECT_EQ(k.ktarcc, 0);
        EXPECT_EQ(k.kch, 0);
        EXPECT_FLOAT_EQ(k.kmin, 0.0f);
        EXPECT_FLOAT_EQ(k.kmax, 127.0f);
        EXPECT_FLOAT_EQ(k.kval.value, 0.0f);
        EXPECT_FALSE(k.kval.modActive);
    }
}
} // namespace

TEST_F(CcRackModel, NameMapHoldsSixteenKeysInOrder)
{
    ASSERT_EQ(m->paramMap.size(), 16u);
    const char* keys[] = {"pwr",    "snp",  "kval", "kval_ms1", "kval_ms2", "kval_md1", "kval_md2", "kpwr",
                          "ktarcc", "kmin", "kmax", "kch",      "ms1",      "ms2",      "md1",      "md2"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m->getParamIndex(keys[i]), i + 1) << keys[i];
    EXPECT_EQ(m->getParamIndex("kval1"), 0) << "keys carry no knob number";
}

TEST_F(CcRackModel, ConstructionDefaults)
{
    for (const auto& u : m->units)
    {
        EXPECT_TRUE(u.pwr);
        EXPECT_FALSE(u.resendRequest);
        EXPECT_EQ(u.currentSnapshot, 0);
        EXPECT_EQ(u.pendingSnapshot, -1);
        for (const auto& s : u.snaps)
            expectDefaultKnobs(s);
    }
}

TEST_F(CcRackModel, RoutingAtTheBoundaries)
{
    expectRoutes<CtrCcRackData>({
        {"p5m51_pwr", 0.0f, "u0.pwr", 0},
        {"p5m52_snp", 4.0f, "u1.currentSnapshot", 4},
        {"p5m51_kval1", 0.25f, "u0.s0.knob1.kval.value", 0.25},
        {"p5m52_kval8", 0.75f, "u1.s0.knob8.kval.value", 0.75},
        {"p5m51_kval3_ms1", 9.0f, "u0.s0.knob3.kval.modSource0", 9},
        {"p5m51_kval3_ms2", 2.0f, "u0.s0.knob3.kval.modSource1", 2},
        {"p5m51_kval3_md1", 0.5f, "u0.s0.knob3.kval.modDepth0", 0.5},
        {"p5m52_kval8_md2", -0.5f, "u1.s0.knob8.kval.modDepth1", -0.5},
        {"p5m51_kval_ms13", 9.0f, "u0.s0.knob3.kval.modSource0", 9},
        {"p5m51_kval_md28", 0.25f, "u0.s0.knob8.kval.modDepth1", 0.25},
        {"p5m51_kpwr2", 0.0f, "u0.s0.knob2.kpwr", 0},
        {"p5m51_ktarcc1", 65.7f, "u0.s0.knob1.ktarcc", 65},
        {"p5m52_kmin4", 10.5f, "u1.s0.knob4.kmin", 10.5},
        {"p5m52_kmax5", -3.0f, "u1.s0.knob5.kmax", -3},
        {"p5m51_kch5", 3.0f, "u0.s0.knob5.kch", 3},
        {"p5m51_kval9", 0.5f, "u0.s0.knob8.kval.value", 0.5},
        {"p5m51_kval0", 0.5f, "u0.s0.knob1.kval.value", 0.5},
        {"p5m51_kvalx", 0.5f, "u0.s0.knob1.kval.value", 0.5},
    });
}

// Every knob key of every knob writes one field of the addressed rack's
// current snapshot, and no two identifiers write the same field.
TEST_F(CcRackModel, EveryKnobKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    const auto names = fieldsOf(*m, true);
    std::set<std::string> seen;
    for (int k = 1; k <= 8; ++k)
    {
        const auto n = juce::String(k);
        for (const juce::String& key :
             {"kval" + n, "kval" + n + "_ms1", "kval" + n + "_ms2", "kval" + n + "_md1", "kval" + n + "_md2",
              "kpwr" + n, "ktarcc" + n, "kmin" + n, "kmax" + n, "kch" + n})
        {
            m->init(1);
            set(2, "snp", 5.0f);
            const auto before = fieldsOf(*m);
            set(2, key, key.startsWith("kpwr") ? 0.0f : 3.0f);
            const auto changed = changedFields(before, fieldsOf(*m), names);
            ASSERT_EQ(changed.size(), 1u) << key;
            EXPECT_TRUE(changed.front().rfind("u1.s5.knob" + std::to_string(k) + ".", 0) == 0)
                << key << " -> " << changed.front();
            EXPECT_TRUE(seen.insert(changed.front()).second) << key << " twice";
        }
    }
    EXPECT_EQ(seen.size(), 8u * 10u);
}

TEST_F(CcRackModel, NamesThatAddressNothingChangeNothing)
{
    const auto before = fieldsOf(*m);
    for (const char* id : {"p5m53_kval1", "p5m50_kval1", "p5m5x_pwr", "p5m51_kname1", "p5m51_kval", "p5m51_", "p5m51",
                           "", "p5m51_foo2", "p5m51_kval3_xx1", "p5m51_PWR", "p5m51_kval3_ms"})
        m->setParamVal(id, 1.0f);
    for (const char* key : {"pwr", "snp", "kval1", "kpwr1", "ktarcc1", "kmin1", "kval1_md1"})
    {
        set(1, key, std::numeric_limits<float>::quiet_NaN());
        set(1, key, std::numeric_limits<float>::infinity());
    }
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    EXPECT_FALSE(m->units[0].resendRequest);
    EXPECT_FALSE(m->units[1].resendRequest);
}

TEST_F(CcRackModel, IndexLikeFieldsAreClampedWhereStored)
{
    const struct
    {
        const char* key;
        float in;
        int out;
    } cases[] = {{"ktarcc1", 200.0f, 128}, {"ktarcc1", -5.0f, 0},  {"ktarcc1", 128.0f, 128}, {"kch1", 20.0f, 16},
                 {"kch1", -1.0f, 0},       {"kch1", 16.9f, 16},    {"snp", 9.0f, 7},         {"snp", -1.0f, 0},
                 {"kval1_ms1", 30.0f, 16}, {"kval1_ms2", -2.0f, 0}};
    auto read = [this](const std::string& key) -> int
    {
        const auto& u = m->units[0];
        const auto& k = u.snaps[0].knobs[0];
        if (key == "ktarcc1")
            return k.ktarcc;
        if (key == "kch1")
            return k.kch;
        if (key == "kval1_ms1")
            return k.kval.modSource[0];
        if (key == "kval1_ms2")
            return k.kval.modSource[1];
        return u.currentSnapshot;
    };
    for (const auto& c : cases)
    {
        m->units[0].currentSnapshot = 0;
        set(1, c.key, c.in);
        EXPECT_EQ(read(c.key), c.out) << c.key << " " << c.in;
    }
}

TEST_F(CcRackModel, FlagsAndTheResendRequest)
{
    auto& u = m->units[0];
    set(1, "kpwr2", 1.0f);
    EXPECT_TRUE(u.resendRequest.exchange(false)) << "raised even when the knob was already on";
    set(1, "kpwr2", 0.5f);
    EXPECT_FALSE(u.snaps[0].knobs[1].kpwr) << "exactly 0.5 is off";
    EXPECT_TRUE(u.resendRequest.exchange(false));
    set(1, "pwr", 0.51f);
    EXPECT_TRUE(u.pwr);

    for (const char* key : {"kval1", "ktarcc1", "kmin1", "kmax1", "kch1", "kval1_ms1", "pwr"})
        set(1, key, 2.0f);
    set(1, "snp", 4.0f);
    EXPECT_FALSE(u.resendRequest) << "only knob power raises the request";
    EXPECT_EQ(u.currentSnapshot, 4);
    EXPECT_EQ((int) m->snapValues[0].getValue(), 4);
    EXPECT_EQ((int) m->snapValues[1].getValue(), 0);
    EXPECT_FALSE(m->units[1].resendRequest);
}

TEST_F(CcRackModel, HeaderKeysIgnoreTheSnapshotAndKnobKeysWriteOnlyTheCurrentOne)
{
    set(2, "snp", 4.0f);
    set(2, "pwr", 0.0f);
    set(2, "kch5", 3.0f);
    EXPECT_FALSE(m->units[1].pwr);
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(m->units[1].snaps[(size_t) s].knobs[4].kch, s == 4 ? 3 : 0) << s;
    for (const auto& s : m->units[0].snaps)
        EXPECT_EQ(s.knobs[4].kch, 0);
}

TEST_F(CcRackModel, KnobValueModulationFollowsBothSlots)
{
    const auto& v = m->units[0].snaps[0].knobs[2].kval;
    set(1, "kval3_md2", 1.0f);
    EXPECT_FALSE(v.modActive) << "depth 2 without source 2";
    set(1, "kval3_ms1", 9.0f);
    EXPECT_FALSE(v.modActive);
    set(1, "kval3_md1", 0.5f);
    EXPECT_TRUE(v.modActive);
    EXPECT_EQ(v.modSource[0], 9);
    EXPECT_FLOAT_EQ(v.modDepth[0], 0.5f);
    set(1, "kval_md13", 0.0f);
    EXPECT_FALSE(v.modActive) << "the map's spelling reaches the same value";
}

TEST_F(CcRackModel, StringFreeWritesMatchTheNamedOnes)
{
    m->setParamValAt(1, CtrCcRackData::idxSnp, 3.0f);
    m->setParamValAt(1, CtrCcRackData::idxPwr, 0.0f);
    m->setKnobParamAt(1, 6, CtrCcRackData::idxKtarcc, 12.0f);
    m->setKnobParamAt(1, 6, CtrCcRackData::idxEndingMs1 + 1, 4.0f);
    m->setParamValAt(1, CtrCcRackData::idxKmax, 99.0f);
    EXPECT_EQ(m->units[1].currentSnapshot, 3);
    EXPECT_FALSE(m->units[1].pwr);
    EXPECT_EQ(m->units[1].snaps[3].knobs[6].ktarcc, 12);
    EXPECT_EQ(m->units[1].snaps[3].knobs[6].kval.modSource[1], 4);
    EXPECT_FLOAT_EQ(m->units[1].snaps[3].knobs[0].kmax, 99.0f);

    const auto before = fieldsOf(*m);
    m->setParamValAt(2, CtrCcRackData::idxPwr, 0.0f);
    m->setParamValAt(-1, CtrCcRackData::idxPwr, 0.0f);
    m->setKnobParamAt(0, 8, CtrCcRackData::idxKval, 0.5f);
    m->setKnobParamAt(0, 0, 0, 0.5f);
    m->setKnobParamAt(0, 0, 17, 0.5f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(CcRackModel, PartialStoredSnapshotResetsTheRestToLoaderDefaults)
{
    set(1, "snp", 1.0f);
    for (int k = 1; k <= 8; ++k)
    {
        const auto n = juce::String(k);
        for (const juce::String& key :
             {"kval" + n, "ktarcc" + n, "kmin" + n, "kmax" + n, "kch" + n, "kval" + n + "_ms1", "kval" + n + "_md1"})
            set(1, key, 0.5f + (float) k);
        set(1, "kpwr" + n, 0.0f);
    }
    set(1, "snp", 0.0f);
    m->units[0].resendRequest = false;

    juce::ValueTree snap2;
    auto tree = makeSnapTree("ccrack1", 2, snap2);
    snap2.setProperty("p5m51_kval1", 0.75, nullptr);
    snap2.setProperty("p5m51_kval2_ms1", 3, nullptr);
    snap2.setProperty("p5m51_kval2_md1", 0.5, nullptr);
    snap2.setProperty("p5m51_ktarcc3", 999, nullptr);
    snap2.setProperty("p5m51_kch4", "-7", nullptr);
    snap2.setProperty("p5m51_kpwr5", "0.7", nullptr);
    m->setSnapshotStatesFromValueTree(tree, 0);

    auto& s = m->units[0].snaps[1];
    EXPECT_FLOAT_EQ(s.knobs[0].kval.value, 0.75f);
    EXPECT_TRUE(s.knobs[1].kval.modActive);
    EXPECT_EQ(s.knobs[2].ktarcc, 128) << "clamped where stored";
    EXPECT_EQ(s.knobs[3].kch, 0);
    EXPECT_FALSE(s.knobs[4].kpwr) << "the text 0.7 reads as the integer 0";
    s.knobs[0].kval.value = 0.0f;
    s.knobs[1].kval.modSource[0] = 0;
    s.knobs[1].kval.modDepth[0] = 0.0f;
    s.knobs[1].kval.updateModActive();
    s.knobs[2].ktarcc = 0;
    s.knobs[4].kpwr = true;
    expectDefaultKnobs(s);
    EXPECT_EQ(m->units[0].currentSnapshot, 0) << "the header stays";
    EXPECT_FALSE(m->units[0].resendRequest) << "the loader raises nothing";
}

TEST_F(CcRackModel, LoaderSelectsRacksAndKeepsMissingSnapshots)
{
    set(2, "kch1", 5.0f);
    set(1, "kch1", 6.0f);

    juce::ValueTree snap1;
    auto tree = makeSnapTree("ccrack2", 1, snap1);
    snap1.setProperty("p5m52_kch2", 9, nullptr);
    juce::ValueTree rack1("ccrack1");
    rack1.appendChild(juce::ValueTree("snap1"), nullptr); // empty: kept
    tree.appendChild(rack1, nullptr);

    m->setSnapshotStatesFromValueTree(tree, 3); // no such selection
    EXPECT_EQ(m->units[1].snaps[0].knobs[0].kch, 5);

    m->setSnapshotStatesFromValueTree(tree, 2);
    EXPECT_EQ(m->units[1].snaps[0].knobs[0].kch, 0) << "missing property: loader default";
    EXPECT_EQ(m->units[1].snaps[0].knobs[1].kch, 9);
    EXPECT_EQ(m->units[0].snaps[0].knobs[0].kch, 6) << "an empty stored snapshot leaves the model";
}

TEST_F(CcRackModel, InitResetsOneRackButNotItsSnapshotValue)
{
    set(2, "snp", 3.0f);
    set(2, "pwr", 0.0f);
    set(2, "ktarcc4", 10.0f);
    set(1, "ktarcc4", 11.0f);
    m->units[1].pendingSnapshot = 2;
    m->units[1].resendRequest = true;

    m->init(1);
    const auto& u = m->units[1];
    EXPECT_TRUE(u.pwr);
    EXPECT_FALSE(u.resendRequest);
    EXPECT_EQ(u.currentSnapshot, 0);
    EXPECT_EQ(u.pendingSnapshot, -1);
    for (const auto& s : u.snaps)
        expectDefaultKnobs(s);
    EXPECT_EQ((int) m->snapValues[1].getValue(), 3);
    EXPECT_EQ(m->units[0].snaps[0].knobs[3].ktarcc, 11);

    const auto before = fieldsOf(*m);
    m->init(2);
    m->init(-1);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(CcRackModel, SnapshotCopyRaisesTheDestinationsResendRequest)
{
    set(1, "kval2", 0.3f);
    set(1, "kval2_ms2", 4.0f);
    set(1, "kval2_md2", 0.6f);
    set(1, "kmin7", 20.0f);
    set(2, "snp", 2.0f);

    m->snapCopyPaste(0, 1, 0, 7);
    const auto& dst = m->units[1].snaps[7];
    EXPECT_FLOAT_EQ(dst.knobs[1].kval.value, 0.3f);
    EXPECT_TRUE(dst.knobs[1].kval.modActive);
    EXPECT_FLOAT_EQ(dst.knobs[6].kmin, 20.0f);
    EXPECT_TRUE(m->units[1].resendRequest.exchange(false));
    EXPECT_FALSE(m->units[0].resendRequest);
    EXPECT_EQ(m->units[1].currentSnapshot, 2);
    EXPECT_EQ(m->units[0].currentSnapshot, 0);

    const auto before = fieldsOf(*m);
    for (const auto& args : {std::array<int, 4>{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 1, 8, 0}, {0, 1, 0, -1}})
        m->snapCopyPaste(args[0], args[1], args[2], args[3]);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
    EXPECT_FALSE(m->units[0].resendRequest);
    EXPECT_FALSE(m->units[1].resendRequest) << "a refused copy raises nothing";
}

TEST_F(CcRackModel, PlaySnapshotPrefersThePendingOne)
{
    set(1, "snp", 3.0f);
    EXPECT_EQ(m->getPlaySnapshotIndex(0), 3);
    m->setPendingSnapshot(0, 6);
    EXPECT_EQ(m->getPlaySnapshotIndex(0), 6);
    m->setPendingSnapshot(0, 9);
    EXPECT_EQ(m->units[0].pendingSnapshot, -1);
    EXPECT_EQ(m->getPlaySnapshotIndex(0), 3);
    EXPECT_EQ(m->getPlaySnapshotIndex(5), 0);
}
