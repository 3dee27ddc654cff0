// SPDX-License-Identifier: GPL-3.0-or-later
// The global model: name map, write rules, the unit list and the chainer reset.
#include "ModelTestHelpers.h"

#include <atomic>
#include <set>
#include <thread>

namespace
{
struct GlobalModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<MirabelGlobalData>();
        m->createParamMap();
    }

    std::unique_ptr<MirabelGlobalData> m;
};

std::vector<int> idsOf(const CenterUnitList& list)
{
    return {list.begin(), list.end()};
}
} // namespace

TEST_F(GlobalModel, NameMapHasItsIndicesInOrder)
{
    ASSERT_EQ(m->paramMap.size(), 240u);
    std::set<int> indices;
    for (const auto& [key, index] : m->paramMap)
        indices.insert(index);
    EXPECT_EQ(indices.size(), 240u);
    EXPECT_EQ(*indices.begin(), 1);
    EXPECT_EQ(*indices.rbegin(), 240);

    const std::pair<const char*, int> places[] = {{"p0_gch", 1},
                                                  {"p0_swing", 2},
                                                  {"p0_swing_modsrc1", 3},
                                                  {"p0_swing_modsrc2", 4},
                                                  {"p0_swing_moddep1", 5},
                                                  {"p0_swing_moddep2", 6},
                                                  {"p0_swgtar1", 7},
                                                  {"p0_swgtar13", 19},
                                                  {"p0_goct", 20},
                                                  {"p0_goct_moddep2", 24},
                                                  {"p0_gtp", 25},
                                                  {"p0_gtp_moddep2", 29},
                                                  {"p0_gocttptar1", 30},
                                                  {"p0_gocttptar4", 33},
                                                  {"p0_clk_reset", 34},
                                                  {"p0_clk_resync", 35},
                                                  {"p0_rebtntar1", 36},
                                                  {"p0_rebtntar13", 48},
                                                  {"p0_recleng", 49},
                                                  {"p0_rectrk1tarunit1", 50},
                                                  {"p0_rectrk1tarunit10", 59},
                                                  {"p0_rectrk2tarunit1", 60},
                                                  {"p0_rectrk4tarunit10", 89},
                                                  {"p0_midimute", 90},
                                                  {"p0_midithru", 91},
                                                  {"p0_midichlock", 92},
                                                  {"p0_scalelock", 93},
                                                  {"p0_chrpwr", 94},
                                                  {"p0_chrsize", 95},
                                                  {"p0_chrspd", 96},
                                                  {"p0_chrt1stp1", 97},
                                                  {"p0_chrt1stp16", 112},
                                                  {"p0_chrt2stp1", 113},
                                                  {"p0_chrt8stp16", 224},
                                                  {"p0_chrtar1", 225},
                                                  {"p0_chrtar15", 239},
                                                  {"p0_miditp", 240}};
    for (const auto& [key, index] : places)
        EXPECT_EQ(m->getParamIndex(key), index) << key;
}

// Every key writes exactly one field, and no two keys the same one.
TEST_F(GlobalModel, EveryKeyWritesItsOwnField)
{
    const auto names = fieldsOf(*m, true);
    std::set<std::string> seen;
    std::vector<juce::String> keys;
    for (const auto& entry : m->paramMap)
        keys.push_back(entry.first);
    for (const auto& key : keys)
    {
        SetUp();
        const auto before = fieldsOf(*m);
        std::vector<std::string> changed;
        for (float v : {3.0f, 0.0f, 1.0f})
        {
            m->setParamVal(key, v);
            changed = changedFields(before, fieldsOf(*m), names);
            if (!changed.empty())
                break;
        }
        ASSERT_EQ(changed.size(), 1u) << key;
        EXPECT_TRUE(seen.insert(changed.front()).second) << key << " -> " << changed.front() << " twice";
    }
}

TEST_F(GlobalModel, RoutingAtTheBoundaries)
{
    expectRoutes<MirabelGlobalData>({
        {"p0_gch", 5.0f, "gch", 5},
        {"p0_swing", -0.25f, "swing.value", -0.25},
        {"p0_swing_modsrc2", 12.0f, "swing.modSource1", 12},
        {"p0_swing_moddep1", 0.5f, "swing.modDepth0", 0.5},
        {"p0_swgtar1", 0.0f, "swgTar[0]", 0},
        {"p0_swgtar13", 0.0f, "swgTar[12]", 0},
        {"p0_goct", -2.0f, "goct.value", -2},
        {"p0_goct_modsrc1", 9.0f, "goct.modSource0", 9},
        {"p0_gtp", 11.7f, "gtp.value", 11},
        {"p0_gtp_moddep2", -1.0f, "gtp.modDepth1", -1},
        {"p0_gocttptar1", 0.0f, "goctTpTar[0]", 0},
        {"p0_gocttptar4", 0.0f, "goctTpTar[3]", 0},
        {"p0_clk_reset", 1.0f, "clkReset", 1},
        {"p0_clk_resync", 1.0f, "clkResync", 1},
        {"p0_rebtntar1", 0.0f, "rebtnTar[0]", 0},
        {"p0_rebtntar13", 0.0f, "rebtnTar[12]", 0},
        {"p0_recleng", 64.0f, "recLength", 64},
        {"p0_rectrk1tarunit1", 0.0f, "recTargets[0][0]", 0},
        {"p0_rectrk1tarunit10", 1.0f, "recTargets[0][9]", 1},
        {"p0_rectrk4tarunit1", 1.0f, "recTargets[3][0]", 1},
        {"p0_rectrk4tarunit10", 1.0f, "recTargets[3][9]", 1},
        {"p0_midimute", 1.0f, "midiMute", 1},
        {"p0_midithru", 1.0f, "midiThru", 1},
        {"p0_midichlock", 1.0f, "midiChLock", 1},
        {"p0_scalelock", 1.0f, "scaleLock", 1},
        {"p0_chrpwr", 1.0f, "chrPwr", 1},
        {"p0_chrsize", 16.0f, "chrSize", 16},
        {"p0_chrspd", 6.0f, "chrSpd", 6},
        {"p0_chrt1stp1", 7.0f, "chrSteps[0][0]", 7},
        {"p0_chrt1stp16", 8.0f, "chrSteps[0][15]", 8},
        {"p0_chrt8stp1", 3.0f, "chrSteps[7][0]", 3},
        {"p0_chrt8stp16", 2.9f, "chrSteps[7][15]", 2},
        {"p0_chrtar1", 8.0f, "chrTargets[0]", 8},
        {"p0_chrtar15", 1.0f, "chrTargets[14]", 1},
        {"p0_miditp", 1.0f, "midiTp", 1},
    });
}

TEST_F(GlobalModel, ConstructionValues)
{
    EXPECT_DOUBLE_EQ(m->ppq, -1.0);
    EXPECT_DOUBLE_EQ(m->bpm, 60.0);
    EXPECT_DOUBLE_EQ(m->invBpm, 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(m->samplesPerBeat, 0.0);
    EXPECT_FALSE(m->isPlaying);
    EXPECT_EQ(m->gch, 1);
    EXPECT_EQ(m->recLength, 1);
    EXPECT_EQ(m->chrSize, 4);
    EXPECT_EQ(m->chrSpd, 4);
    EXPECT_EQ(m->chrCurStep, -1);
    for (int i = 0; i < 13; ++i)
    {
        EXPECT_TRUE(m->swgTar[(size_t) i]);
        EXPECT_TRUE(m->rebtnTar[(size_t) i]);
        EXPECT_EQ(m->curSteps[(size_t) i], -1);
    }
    for (int t = 0; t < 4; ++t)
        for (int u = 0; u < 10; ++u)
            EXPECT_EQ((bool) m->recTargets[(size_t) t][(size_t) u], t == u) << t << " " << u;
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(m->recArmed[(size_t) k] || m->recHasTake[(size_t) k] || m->recRunning[(size_t) k]);
    EXPECT_TRUE(m->getCenterUnits().isEmpty());
    EXPECT_FALSE(m->centerUnitsChanged);
}

TEST_F(GlobalModel, WriteRules)
{
    const std::pair<float, int> channels[] = {{0.0f, 1}, {17.0f, 16}, {3.9f, 3}, {-5.0f, 1}};
    for (const auto& [in, out] : channels)
    {
        m->setParamVal("p0_gch", in);
        EXPECT_EQ(m->gch, out) << in;
    }

    m->setParamVal("p0_clk_reset", 0.999f);
    EXPECT_FALSE(m->clkReset);
    m->setParamVal("p0_clk_reset", 1.0f);
    EXPECT_TRUE(m->clkReset);
    m->setParamVal("p0_clk_reset", 0.0f);
    EXPECT_TRUE(m->clkReset) << "only the engine lowers it";
    m->setParamVal("p0_clk_resync", 2.0f);
    EXPECT_FALSE(m->clkResync);

    for (const char* key : {"p0_swgtar3", "p0_midithru", "p0_rectrk2tarunit5", "p0_miditp", "p0_chrpwr"})
    {
        m->setParamVal(key, 1.0f);
        m->setParamVal(key, 0.5f);
    }
    EXPECT_FALSE(m->swgTar[2]);
    EXPECT_FALSE(m->midiThru);
    EXPECT_FALSE(m->recTargets[1][4]);
    EXPECT_FALSE(m->midiTp);
    EXPECT_FALSE(m->chrPwr);

    m->setParamVal("p0_swing_moddep1", 0.3f);
    EXPECT_FALSE(m->swing.modActive);
    m->setParamVal("p0_swing_modsrc1", 2.0f);
    EXPECT_TRUE(m->swing.modActive);
    m->setParamVal("p0_gtp_modsrc2", 4.0f);
    m->setParamVal("p0_gtp_moddep2", -0.5f);
    EXPECT_TRUE(m->gtp.modActive);
    EXPECT_FALSE(m->goct.modActive);
}

TEST_F(GlobalModel, UnknownNamesAndNonFiniteValuesChangeNothing)
{
    const auto before = fieldsOf(*m);
    for (const char* id : {"dummy", "presetname", "p0_chrtrksel", "p0_swgtar14", "p0_chrt9stp1", "p0_GCH", ""})
        m->setParamVal(id, 1.0f);
    for (const auto& [key, index] : m->paramMap)
    {
        m->setParamVal(key, std::numeric_limits<float>::quiet_NaN());
        m->setParamVal(key, std::numeric_limits<float>::infinity());
    }
    m->setParamValAt(0, 1.0f);
    m->setParamValAt(241, 1.0f);
    m->setParamValAt(-3, 1.0f);
    EXPECT_EQ(before.values, fieldsOf(*m).values);
}

TEST_F(GlobalModel, IndexLikeSettingsAreClampedWhereStored)
{
    const struct
    {
        const char* id;
        float in;
        int out;
    } cases[] = {{"p0_chrt3stp4", 9.0f, 8},    {"p0_chrt3stp4", -1.0f, 0},     {"p0_chrtar7", 12.0f, 8},
                 {"p0_chrtar7", -2.0f, 0},     {"p0_chrsize", 40.0f, 16},      {"p0_chrsize", 1.0f, 2},
                 {"p0_chrspd", 9.0f, 6},       {"p0_chrspd", -1.0f, 0},        {"p0_recleng", -4.0f, 0},
                 {"p0_recleng", 1000.0f, 128}, {"p0_swing_modsrc1", 40.0f, 16}};
    for (const auto& c : cases)
    {
        m->setParamVal(c.id, c.in);
        const juce::String id(c.id);
        int stored = 0;
        if (id == "p0_chrt3stp4")
            stored = m->chrSteps[2][3];
        else if (id == "p0_chrtar7")
            stored = m->chrTargets[6];
        else if (id == "p0_chrsize")
            stored = m->chrSize;
        else if (id == "p0_chrspd")
            stored = m->chrSpd;
        else if (id == "p0_recleng")
            stored = m->recLength;
        else
            stored = m->swing.modSource[0];
        EXPECT_EQ(stored, c.out) << c.id << " " << c.in;
    }
    m->setMidiTpNote(200);
    EXPECT_EQ(m->midiTpNote, 127);
    m->setMidiTpNote(-1);
    EXPECT_EQ(m->midiTpNote, 0);
}

TEST_F(GlobalModel, UnitListFromText)
{
    const struct
    {
        const char* text;
        std::vector<int> ids;
    } cases[] = {
        {"", {}},
        {"CT:", {}},
        {"CT:1321 501 1011 ", {5, 10, 13}},
        {"CT:99 9 -150 abc 2000 ", {1, 15}},
        {"CT:101 102 ", {1, 1}},
        {"501 601", {6}},
        {"CT:\t1400\r\n  1500  100", {1, 14, 15}},
        {"XY:+300", {3}},
        {"CT:99999999999999 1", {15}},
        {"CT:1 2 3 4 5 6 7 8 9 10", {1}},
        {"CT:100 200 300 400 500 600 700 800 900 1000 1100 1200 1300 1400 1500 1500 1500",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (const auto& c : cases)
    {
        m->loadCenterUnitStateFromString(c.text);
        EXPECT_TRUE(m->centerUnitsChanged) << c.text;
        EXPECT_EQ(idsOf(m->getCenterUnits()), c.ids) << c.text;
    }
}

TEST_F(GlobalModel, UnitListHandOffToTheEngine)
{
    CenterUnitList engineCopy;
    m->loadCenterUnitStateFromString("CT:1301 501 ");
    ASSERT_TRUE(m->takeCenterUnits(engineCopy));
    EXPECT_FALSE(m->centerUnitsChanged);
    EXPECT_EQ(idsOf(engineCopy), (std::vector<int>{5, 13}));
    EXPECT_TRUE(engineCopy.contains(13));
    EXPECT_FALSE(engineCopy.contains(1));

    m->loadCenterUnitStateFromString("CT:");
    EXPECT_TRUE(m->centerUnitsChanged);
    ASSERT_TRUE(m->takeCenterUnits(engineCopy));
    EXPECT_TRUE(engineCopy.isEmpty());
}

// A reader racing a writer only ever sees whole lists.
TEST_F(GlobalModel, UnitListIsNeverSeenHalfWritten)
{
    CenterUnitList a, b;
    for (int id : {1, 2, 3})
        a.ids[(size_t) a.count++] = id;
    for (int id : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        b.ids[(size_t) b.count++] = id;
    m->centerUnits.publish(a);

    std::atomic<bool> done{false};
    std::thread writer(
        [&]
        {
            for (int i = 0; i < 20000; ++i)
                m->centerUnits.publish((i & 1) != 0 ? a : b);
            done = true;
        });
    int reads = 0, bad = 0;
    while (!done || reads == 0)
    {
        CenterUnitList seen;
        if (m->centerUnits.read(seen))
        {
            ++reads;
            if (!(seen == a) && !(seen == b))
                ++bad;
        }
    }
    writer.join();
    EXPECT_EQ(bad, 0);
    EXPECT_GT(reads, 0);
}

TEST_F(GlobalModel, InitChainerDataKeepsThePlayPosition)
{
    m->setParamVal("p0_chrpwr", 1.0f);
    m->setParamVal("p0_chrsize", 9.0f);
    m->setParamVal("p0_chrspd", 1.0f);
    m->setParamVal("p0_chrt8stp16", 5.0f);
    m->setParamVal("p0_chrtar15", 3.0f);
    m->chrCurStep = 7;

    m->initChainerData();
    EXPECT_FALSE(m->chrPwr);
    EXPECT_EQ(m->chrSize, 4);
    EXPECT_EQ(m->chrSpd, 4);
    for (const auto& row : m->chrSteps)
        for (const auto& s : row)
            EXPECT_EQ(s, 0);
    for (const auto& t : m->chrTargets)
        EXPECT_EQ(t, 0);
    EXPECT_EQ(m->chrCurStep, 7);
}

TEST_F(GlobalModel, CapturedChordNotesPassFromInputToTimer)
{
    for (int note : {60, 64, 67})
        m->capturedChordNotes.push(note);
    const auto notes = m->capturedChordNotes.takeAll();
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes[2], 67);
    EXPECT_TRUE(m->capturedChordNotes.takeAll().isEmpty());
}
