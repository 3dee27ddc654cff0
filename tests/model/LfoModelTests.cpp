// SPDX-License-Identifier: GPL-3.0-or-later
// The modulation slot model: unit numbering, writes into each unit's current
// snapshot, the write rules and flags, loading snapshots, snapshot copy and
// reset, and following the unit models' current snapshots.
#include "ModelTestHelpers.h"

#include <cmath>
#include <set>
#include <thread>

namespace
{
std::string slotName(int u, int s, int k)
{
    return unitName(u, s) + "slot" + std::to_string(k + 1) + ".";
}

// Every stored slot field (the display values and flags are checked on their own).
FieldList lfoFields(const LfoData& m, bool withNames = false)
{
    FieldList f(withNames);
    for (int u = 0; u < LfoData::numUnits; ++u)
        for (int s = 0; s < 8; ++s)
            for (int k = 0; k < 8; ++k)
            {
                const auto& r = m.unitSnaps[(size_t) u][(size_t) s][(size_t) k];
                auto name = [&](const char* key) { return [&, key] { return slotName(u, s, k) + key; }; };
                f.add(r.pwr ? 1.0 : 0.0, name("pwr"));
                f.add(r.engn.load(), name("engn"));
                f.add(r.bsahm.load(), name("bsahm"));
                f.add(r.bwf.load(), name("bwf"));
                f.add(r.bbi ? 1.0 : 0.0, name("bbi"));
                f.add(r.csync ? 1.0 : 0.0, name("csync"));
                f.add(r.clktyp.load(), name("clktyp"));
                f.add(r.bphi ? 1.0 : 0.0, name("bphi"));
                f.add(r.bexp ? 1.0 : 0.0, name("bexp"));
                f.add(r.bsat ? 1.0 : 0.0, name("bsat"));
                f.addParam(r.ksr, name("ksr"));
                f.addParam(r.kfr, name("kfr"));
                f.addParam(r.kph, name("kph"));
                f.addParam(r.kos, name("kos"));
                f.addParam(r.ksm, name("ksm"));
                f.addParam(r.klv, name("klv"));
                for (int w = 0; w < 8; ++w)
                    f.add(r.prb[(size_t) w].load(),
                          [&, w] { return slotName(u, s, k) + "prb" + std::to_string(w + 1); });
            }
    return f;
}

struct LfoModel : ::testing::Test
{
    static std::array<ZuAtomic<int32_t>, LfoData::numUnits> makeFollowingCurrent()
    {
        std::array<ZuAtomic<int32_t>, LfoData::numUnits> live{};
        for (auto& s : live)
            s = -1;
        return live;
    }

    void SetUp() override
    {
        m = std::make_unique<LfoData>();
        m->createParamMap();
        for (int u = 0; u < LfoData::numUnits; ++u)
        {
            snapshots[(size_t) u] = 0;
            m->followUnitSnapshot(u, snapshots[(size_t) u], liveTreeSnapshots[(size_t) u], values[(size_t) u]);
        }
    }

    // The unit models' current snapshots stand in these atomics.
    std::array<ZuAtomic<int32_t>, LfoData::numUnits> snapshots{};
    std::array<ZuAtomic<int32_t>, LfoData::numUnits> liveTreeSnapshots = makeFollowingCurrent();
    std::array<juce::Value, LfoData::numUnits> values;
    std::unique_ptr<LfoData> m;
};

void expectDefaultSlot(const LfoData::ModUnitData& r, bool on)
{
    EXPECT_EQ((bool) r.pwr, on);
    EXPECT_EQ(r.engn, 0);
    EXPECT_EQ(r.bsahm, 0);
    EXPECT_EQ(r.bwf, 0);
    EXPECT_FALSE(r.bbi);
    EXPECT_FALSE(r.csync);
    EXPECT_EQ(r.clktyp, 0);
    EXPECT_FALSE(r.bphi || r.bexp || r.bsat);
    EXPECT_EQ(r.ksr.value, 8);
    EXPECT_FLOAT_EQ(r.kfr.value, 0.5f);
    EXPECT_FLOAT_EQ(r.kph.value, 0.0f);
    EXPECT_FLOAT_EQ(r.kos.value, 0.5f);
    EXPECT_FLOAT_EQ(r.ksm.value, 0.0f);
    EXPECT_FLOAT_EQ(r.klv.value, 1.0f);
    EXPECT_FALSE(r.ksr.modActive || r.kfr.modActive || r.klv.modActive);
    for (int w = 0; w < 8; ++w)
        EXPECT_FLOAT_EQ(r.prb[(size_t) w], w == 0 ? 1.0f : 0.0f);
}
} // namespace

TEST_F(LfoModel, FreshModelStartsAsTheTreesDo)
{
    // Snapshot A as the live slots start (slots 1 and 2 on); the others as
    // the trees fill a snapshot never stored (every slot on).
    for (const auto& unit : m->unitSnaps)
        for (size_t s = 0; s < unit.size(); ++s)
            for (int k = 0; k < 8; ++k)
            {
                const auto& r = unit[s][(size_t) k];
                expectDefaultSlot(r, s > 0 || k < 2);
                EXPECT_TRUE(r.weightsChanged);
                EXPECT_FLOAT_EQ(r.dispValue, 0.0f);
                EXPECT_FLOAT_EQ(r.dispHeldValue, 0.5f);
                EXPECT_EQ(r.dispWaveIndex, 0);
            }
    for (const auto& slot : m->defaultSnap.slots)
        expectDefaultSlot(slot, false);
    EXPECT_FALSE(m->polarityChanged);
    for (const auto& unit : m->lastOutputs)
        for (const auto& v : unit)
            EXPECT_FLOAT_EQ(v, 0.0f);
}

TEST_F(LfoModel, NameMapHoldsFortyEightKeysInOrder)
{
    ASSERT_EQ(m->paramMap.size(), 48u);
    const std::pair<const char*, int> places[] = {
        {"pwr", 1},      {"engn", 2}, {"bsahm", 3},    {"bwf", 4},  {"csync", 5},    {"clktyp", 6},   {"bbi", 7},
        {"bphi", 8},     {"bexp", 9}, {"bsat", 10},    {"ksr", 11}, {"ksr_ms2", 13}, {"ksr_md2", 15}, {"kfr", 16},
        {"kph_ms1", 22}, {"kos", 26}, {"ksm_md1", 34}, {"klv", 36}, {"klv_md2", 40}, {"prb1", 41},    {"prb8", 48}};
    for (const auto& [key, index] : places)
        EXPECT_EQ(m->getParamIndex(key), index) << key;
    EXPECT_EQ(m->getParamIndex("prb9"), 0);
}

TEST_F(LfoModel, UnitNumbersFromKindAndInstanceDigits)
{
    const struct
    {
        const char* name;
        int unit; // -1: refused
    } rows[] = {{"p6m111_kfr", 0},  {"p6m141_kfr", 3},  {"p6m151_kfr", 4},  {"p6m101_kfr", -1}, {"p6m211_kfr", 4},
                {"p6m241_kfr", 7},  {"p6m311_kfr", 8},  {"p6m341_kfr", 11}, {"p6m401_kfr", 12}, {"p6m491_kfr", 12},
                {"p6m511_kfr", 13}, {"p6m521_kfr", 14}, {"p6m531_kfr", -1}, {"p6m611_kfr", -1}, {"p6mx11_kfr", -1},
                {"p6m191_kfr", 8},  {"p6m", -1}};
    for (const auto& row : rows)
    {
        SetUp();
        m->setParamVal(row.name, 0.25f);
        for (int u = 0; u < LfoData::numUnits; ++u)
            EXPECT_FLOAT_EQ(m->unitSnaps[(size_t) u][0][0].kfr.value, u == row.unit ? 0.25f : 0.5f)
                << row.name << " unit " << u;
    }
    EXPECT_EQ(LfoData::unitFromDigits(5, 2), 14);
    EXPECT_EQ(LfoData::unitFromDigits(5, 3), -1);
    EXPECT_EQ(LfoData::unitFromDigits(1, 0), -1);
}

TEST_F(LfoModel, SlotDigitIsClamped)
{
    m->setParamVal("p6m110_kph", 0.1f);
    m->setParamVal("p6m119_kph", 0.9f);
    m->setParamVal("p6m11x_kph", 0.3f);
    EXPECT_FLOAT_EQ(m->unitSnaps[0][0][7].kph.value, 0.9f);
    EXPECT_FLOAT_EQ(m->unitSnaps[0][0][0].kph.value, 0.3f) << "no digit addresses slot 1 as digit 0 does";
}

TEST_F(LfoModel, WritesGoIntoTheSlotOfTheUnitsCurrentSnapshotOnly)
{
    const auto names = lfoFields(*m, true);
    snapshots[4] = 3;
    const auto before = lfoFields(*m);
    m->setParamVal("p6m213_kfr", 0.75f);
    const auto changed = changedFields(before, lfoFields(*m), names);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed.front(), "u4.s3.slot3.kfr.value");
    EXPECT_EQ(m->getCurrentSnapshot(4), 3);
    EXPECT_FLOAT_EQ(m->getCurrentSnapData(4)[2].kfr.value, 0.75f) << "the record the modulation host runs";
}

TEST_F(LfoModel, EveryKeyWritesItsOwnFieldOfTheCurrentSnapshot)
{
    const auto names = lfoFields(*m, true);
    std::set<std::string> seen;
    snapshots[9] = 6;
    for (const auto& [key, index] : m->paramMap)
    {
        m->init();
        const auto before = lfoFields(*m);
        m->setParamVal("p6m325_" + key, 1.0f);
        auto changed = changedFields(before, lfoFields(*m), names);
        if (changed.empty()) // a field whose default is what 1 writes
        {
            m->setParamVal("p6m325_" + key, 0.0f);
            changed = changedFields(before, lfoFields(*m), names);
        }
        ASSERT_EQ(changed.size(), 1u) << key;
        EXPECT_TRUE(changed.front().rfind("u9.s6.slot5.", 0) == 0) << key << " -> " << changed.front();
        EXPECT_TRUE(seen.insert(changed.front()).second) << key << " twice";
    }
    EXPECT_EQ(seen.size(), 48u);
}

TEST_F(LfoModel, RefusedWritesChangeNothing)
{
    const auto before = lfoFields(*m);
    snapshots[1] = 9;
    snapshots[2] = -1;
    m->setParamVal("p6m121_kfr", 0.1f); // unit 1 has snapshot 9
    m->setParamVal("p6m131_kfr", 0.1f); // unit 2 has snapshot -1
    m->setParamVal("p6m131_bbi", 1.0f);
    m->setParamVal("p6m111_nokey", 1.0f);
    m->setParamVal("p6m111_", 1.0f);
    m->setParamVal("p6m111_KFR", 1.0f);
    for (const char* key : {"pwr", "engn", "bbi", "ksr", "kfr_md1", "prb2"})
    {
        m->setParamVal("p6m111_" + juce::String(key), std::numeric_limits<float>::quiet_NaN());
        m->setParamVal("p6m111_" + juce::String(key), -std::numeric_limits<float>::infinity());
    }
    EXPECT_EQ(before.values, lfoFields(*m).values);
    EXPECT_FALSE(m->polarityChanged);
}

TEST_F(LfoModel, WriteRulesAndClamps)
{
    auto& r = m->unitSnaps[0][0][0];
    auto set = [this](const char* key, float v) { m->setParamVal("p6m111_" + juce::String(key), v); };
    const struct
    {
        const char* key;
        float in;
        int out;
    } ints[] = {{"ksr", 7.9f, 7},    {"ksr", 20.0f, 13},   {"ksr", -1.0f, 0},     {"engn", 5.0f, 2},
                {"engn", 1.9f, 1},   {"bwf", -3.0f, 0},    {"bwf", 9.0f, 7},      {"bsahm", 2.0f, 1},
                {"clktyp", 9.0f, 2}, {"clktyp", -2.0f, 0}, {"ksr_ms1", 40.0f, 16}};
    for (const auto& c : ints)
    {
        set(c.key, c.in);
        const std::string key = c.key;
        const int stored = key == "ksr"      ? (int) r.ksr.value
                           : key == "engn"   ? (int) r.engn
                           : key == "bwf"    ? (int) r.bwf
                           : key == "bsahm"  ? (int) r.bsahm
                           : key == "clktyp" ? (int) r.clktyp
                                             : (int) r.ksr.modSource[0];
        EXPECT_EQ(stored, c.out) << c.key << " " << c.in;
    }

    set("csync", 0.5f);
    EXPECT_FALSE(r.csync);
    set("csync", 0.51f);
    EXPECT_TRUE(r.csync);

    set("kfr", 0.7f);
    EXPECT_FLOAT_EQ(r.kfr.value, 0.7f);
    set("prb3", 1.5f);
    EXPECT_FLOAT_EQ(r.prb[2], 1.0f) << "weights are shares of 0..1";
    set("prb3", -0.5f);
    EXPECT_FLOAT_EQ(r.prb[2], 0.0f);
    set("prb3", 0.25f);
    EXPECT_FLOAT_EQ(r.prb[2], 0.25f);
}

TEST_F(LfoModel, PolarityAndWeightFlags)
{
    m->setParamVal("p6m111_bbi", 0.0f);
    EXPECT_TRUE(m->polarityChanged.exchange(false)) << "the same value raises it again";
    m->setParamVal("p6m111_bbi", 1.0f);
    EXPECT_TRUE(m->polarityChanged.exchange(false));
    EXPECT_TRUE(m->unitSnaps[0][0][0].bbi);

    for (auto& unit : m->unitSnaps)
        for (auto& snap : unit)
            for (auto& slot : snap.slots)
                slot.weightsChanged = false;
    snapshots[5] = 2;
    m->setParamVal("p6m224_prb4", 0.5f);
    for (int u = 0; u < LfoData::numUnits; ++u)
        for (int s = 0; s < 8; ++s)
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ((bool) m->unitSnaps[(size_t) u][(size_t) s][(size_t) k].weightsChanged,
                          u == 5 && s == 2 && k == 3)
                    << u << " " << s << " " << k;
    m->setParamVal("p6m224_kfr", 0.1f);
    m->setParamVal("p6m224_pwr", 1.0f);
    EXPECT_FALSE(m->unitSnaps[5][2][0].weightsChanged) << "other keys leave it alone";
    EXPECT_FALSE(m->polarityChanged);
}

TEST_F(LfoModel, KnobModulationFollowsTheActiveRule)
{
    const auto& k = m->unitSnaps[0][0][1].ksm;
    m->setParamVal("p6m112_ksm_md1", 0.4f);
    EXPECT_FALSE(k.modActive);
    m->setParamVal("p6m112_ksm_ms1", 2.0f);
    EXPECT_TRUE(k.modActive);
    m->setParamVal("p6m112_ksm_md1", 0.0f);
    m->setParamVal("p6m112_ksm_ms2", 9.0f);
    m->setParamVal("p6m112_ksm_md2", -1.0f);
    EXPECT_TRUE(k.modActive) << "slot 2 alone";
}

namespace
{
juce::ValueTree slotTree(int k)
{
    return juce::ValueTree(zu::units::storedSlotNodeName(k - 1));
}
} // namespace

TEST_F(LfoModel, LoaderClampsItsFieldsAndTakesDefaults)
{
    LfoData::SnapData dest;
    dest[4].kfr.value = 0.9f; // slot 5 has no child: kept
    dest[1].pwr = true;

    juce::ValueTree snap("snap1");
    auto s1 = slotTree(1);
    s1.setProperty("engn", 5, nullptr);
    s1.setProperty("bwf", -3, nullptr);
    s1.setProperty("bsahm", 2, nullptr);
    s1.setProperty("clktyp", 7, nullptr);
    s1.setProperty("ksr", 30, nullptr);
    s1.setProperty("ksr_ms1", 99, nullptr);
    s1.setProperty("pwr", "0.7", nullptr);
    s1.setProperty("bbi", 1, nullptr);
    s1.setProperty("kph", 0.25, nullptr);
    s1.setProperty("kph_ms2", 3, nullptr);
    s1.setProperty("kph_md2", 0.5, nullptr);
    s1.setProperty("prb2", 0.5, nullptr);
    s1.setProperty("prb3", 7.0, nullptr);
    s1.setProperty("klv", "nan", nullptr);
    snap.appendChild(s1, nullptr);
    snap.appendChild(slotTree(2), nullptr); // every property missing
    m->loadSnapDataFromVt(snap, dest);

    const auto& r = dest[0];
    EXPECT_EQ(r.engn, 2);
    EXPECT_EQ(r.bwf, 0);
    EXPECT_EQ(r.bsahm, 1);
    EXPECT_EQ(r.clktyp, 2);
    EXPECT_EQ(r.ksr.value, 13);
    EXPECT_EQ(r.ksr.modSource[0], 16);
    EXPECT_FALSE(r.pwr) << "a switch stored as 0.7 loads as off";
    EXPECT_TRUE(r.bbi);
    EXPECT_FLOAT_EQ(r.kph.value, 0.25f);
    EXPECT_TRUE(r.kph.modActive);
    EXPECT_FLOAT_EQ(r.prb[0], 1.0f) << "a missing first weight loads 1";
    EXPECT_FLOAT_EQ(r.prb[1], 0.5f);
    EXPECT_FLOAT_EQ(r.prb[2], 1.0f);
    EXPECT_FLOAT_EQ(r.klv.value, 1.0f) << "a non-finite number counts as missing";

    expectDefaultSlot(dest[1], true); // a slot never stored: the trees' slot default, on
    EXPECT_FLOAT_EQ(dest[4].kfr.value, 0.9f) << "a slot without its child keeps its content";
}

TEST_F(LfoModel, LoaderRaisesTheWeightsFlagWhenWeightsChange)
{
    LfoData::SnapData dest;
    for (auto& slot : dest.slots)
        slot.weightsChanged = false;
    juce::ValueTree snap("snap1");
    auto changed = slotTree(1);
    changed.setProperty("prb8", 0.5, nullptr);
    snap.appendChild(changed, nullptr);
    snap.appendChild(slotTree(2), nullptr); // the same weights as before
    m->loadSnapDataFromVt(snap, dest);
    EXPECT_TRUE(dest[0].weightsChanged);
    EXPECT_FALSE(dest[1].weightsChanged);

    dest[1].weightsChanged = true; // not yet taken by the modulator
    m->loadSnapDataFromVt(snap, dest);
    EXPECT_TRUE(dest[1].weightsChanged) << "a raised flag stays raised";
}

TEST_F(LfoModel, StateLoadReadsEveryUnitAndSnapshotPresent)
{
    juce::ValueTree states("snapmain");
    m->setSnapshotStatesFromValueTree(states); // no "modsnapmain"
    const auto untouched = lfoFields(*m);
    EXPECT_EQ(untouched.values, lfoFields(*m).values);

    juce::ValueTree main("modsnapmain");
    auto addSlot = [&main](int unit, int snap, double kfr)
    {
        auto unitTree = main.getOrCreateChildWithName(zu::units::modSnapNodeName(unit), nullptr);
        auto snapTree = unitTree.getOrCreateChildWithName(zu::units::snapNodeName(snap - 1), nullptr);
        auto slot = slotTree(1);
        slot.setProperty("kfr", kfr, nullptr);
        slot.setProperty("pwr", 1, nullptr);
        snapTree.appendChild(slot, nullptr);
    };
    addSlot(3, 2, 0.125);
    addSlot(15, 8, 0.875);
    addSlot(16, 1, 0.3); // no such unit
    addSlot(1, 9, 0.3);  // no such snapshot
    main.getOrCreateChildWithName("moddef", nullptr);
    states.appendChild(main, nullptr);

    const auto names = lfoFields(*m, true);
    m->setSnapshotStatesFromValueTree(states);
    const auto changed = changedFields(untouched, lfoFields(*m), names);
    const std::set<std::string> got(changed.begin(), changed.end());
    const std::set<std::string> expected = {"u2.s1.slot1.kfr.value", "u14.s7.slot1.kfr.value"};
    EXPECT_EQ(got, expected);
    EXPECT_FLOAT_EQ(m->unitSnaps[2][1][0].kfr.value, 0.125f);
}

TEST_F(LfoModel, SnapshotCopyByKind)
{
    m->unitSnaps[12][0][3].kos.value = 0.9f;
    m->unitSnaps[12][0][3].dispValue = 0.4f;
    m->snapCopyPaste(3, 7, 9, 0, 5); // both indices ignored for the octave-transpose unit
    EXPECT_FLOAT_EQ(m->unitSnaps[12][5][3].kos.value, 0.9f);
    EXPECT_FLOAT_EQ(m->unitSnaps[12][5][3].dispValue, 0.4f) << "display values travel too";

    const struct
    {
        int type, src, dst, srcUnit, dstUnit;
    } kinds[] = {{0, 0, 3, 0, 3}, {1, 2, 0, 6, 4}, {2, 3, 1, 11, 9}, {4, 0, 1, 13, 14}};
    for (const auto& k : kinds)
    {
        m->init();
        m->unitSnaps[(size_t) k.srcUnit][2][6].bwf = 5;
        m->snapCopyPaste(k.type, k.src, k.dst, 2, 4);
        EXPECT_EQ(m->unitSnaps[(size_t) k.dstUnit][4][6].bwf, 5) << k.type;
    }

    const auto before = lfoFields(*m);
    for (const auto& a : {std::array<int, 5>{5, 0, 0, 0, 1},
                          {-1, 0, 0, 0, 1},
                          {0, 4, 0, 0, 1},
                          {0, 0, -1, 0, 1},
                          {4, 2, 0, 0, 1},
                          {0, 0, 1, 8, 1},
                          {0, 0, 1, 0, 8},
                          {3, 0, 0, -1, 1},
                          {1, 1, 1, 3, 3}})
        m->snapCopyPaste(a[0], a[1], a[2], a[3], a[4]);
    EXPECT_EQ(before.values, lfoFields(*m).values);
}

TEST_F(LfoModel, SnapshotCopyAndInitRaiseTheWeightsFlagOfChangedSlots)
{
    for (auto& unit : m->unitSnaps)
        for (auto& snap : unit)
            for (auto& slot : snap.slots)
                slot.weightsChanged = false;
    m->unitSnaps[0][1][2].prb[5] = 0.5f;
    m->snapCopyPaste(0, 0, 1, 1, 3);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ((bool) m->unitSnaps[1][3][(size_t) k].weightsChanged, k == 2) << k;
    EXPECT_FLOAT_EQ(m->unitSnaps[1][3][2].prb[5], 0.5f);

    m->init();
    EXPECT_TRUE(m->unitSnaps[1][3][2].weightsChanged);
    EXPECT_TRUE(m->unitSnaps[0][1][2].weightsChanged);
    EXPECT_FALSE(m->unitSnaps[0][1][3].weightsChanged) << "weights already at their defaults";
    for (const auto& unit : m->unitSnaps)
        for (const auto& snap : unit)
            for (const auto& slot : snap.slots)
                expectDefaultSlot(slot, false);
}

TEST(LfoModelWiring, FollowsTheUnitModelsCurrentSnapshots)
{
    auto pitch = std::make_unique<CtrPtchSqData>();
    auto racks = std::make_unique<CtrCcRackData>();
    auto lfo = std::make_unique<LfoData>();
    pitch->createParamMap();
    racks->createParamMap();
    lfo->createParamMap();
    lfo->followUnitModel(0, *pitch);
    lfo->followUnitModel(13, *racks);

    pitch->setParamVal("p1m13_snp", 5.0f);
    racks->setParamVal("p5m52_snp", 6.0f);
    EXPECT_EQ(lfo->getCurrentSnapshot(2), 5);
    EXPECT_EQ(lfo->getCurrentSnapshot(14), 6);
    EXPECT_EQ(lfo->getCurrentSnapshot(4), 0) << "a unit not wired reads snapshot 0";
    EXPECT_EQ((int) lfo->snapValues[2].getValue(), 5);
    EXPECT_EQ((int) lfo->snapValues[14].getValue(), 6);

    lfo->setParamVal("p6m134_klv", 0.2f);
    lfo->setParamVal("p6m522_klv", 0.3f);
    EXPECT_FLOAT_EQ(lfo->unitSnaps[2][5][3].klv.value, 0.2f);
    EXPECT_FLOAT_EQ(lfo->unitSnaps[14][6][1].klv.value, 0.3f);
    EXPECT_FLOAT_EQ(lfo->getCurrentSnapData(14)[1].klv.value, 0.3f);

    // A snapshot write on a thread other than the message thread reaches the
    // model at once, before the editor's value is brought up to date.
    std::thread([&] { pitch->setParamVal("p1m13_snp", 1.0f); }).join();
    EXPECT_EQ(lfo->getCurrentSnapshot(2), 1);
    lfo->setParamVal("p6m131_ksr", 3.0f);
    EXPECT_EQ(lfo->unitSnaps[2][1][0].ksr.value, 3);
    pitch->syncSnapValues();
    EXPECT_EQ((int) lfo->snapValues[2].getValue(), 1);
}
