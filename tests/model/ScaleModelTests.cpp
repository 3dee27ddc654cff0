// SPDX-License-Identifier: GPL-3.0-or-later
// The scale model: the scale table, its rebuild on the message thread after
// key changes, its hand-off to the engine, the settings and the display
// functions.
#include "MessagePump.h"
#include "ModelTestHelpers.h"

#include <cmath>
#include <set>
#include <thread>

namespace
{
using Table = ScaleData::Table;
using Keys = std::array<bool, 12>;

Keys keysOn(std::initializer_list<int> classes)
{
    Keys k{};
    for (const int c : classes)
        k[(size_t) c] = true;
    return k;
}

const Keys majorKeys = keysOn({0, 2, 4, 5, 7, 9, 11});

// A tree holding the twelve key flags as the parameter tree does.
juce::ValueTree keyTreeFor(const ScaleData& m, const Keys& keys)
{
    juce::ValueTree t("param");
    for (size_t j = 0; j < 12; ++j)
        t.setProperty(m.keyNames[j], keys[j] ? 1 : 0, nullptr);
    return t;
}

struct ScaleModel : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<ScaleData>();
        m->createParamMap();
    }

    // Rebuilds at once from the given keys and hands the table to a reader.
    Table rebuildWith(const Keys& keys)
    {
        tree = keyTreeFor(*m, keys);
        m->setKeyTree(tree);
        m->updateType1ScaleList();
        Table t{};
        m->copyTableIfChanged(t);
        return t;
    }

    juce::ValueTree tree;
    std::unique_ptr<ScaleData> m;
};
} // namespace

TEST(ScaleTable, NearestKeyOnUpwardFirst)
{
    const struct
    {
        Keys keys;
        Table table;
    } cases[] = {
        {Keys{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {majorKeys, {0, 2, 2, 4, 4, 5, 7, 7, 9, 9, 11, 11}},
        {keysOn({0}), {0, 0, 0, 0, 0, 0, 12, 12, 12, 12, 12, 12}},
        {keysOn({3}), {3, 3, 3, 3, 3, 3, 3, 3, 3, 15, 15, 15}},
        {keysOn({11}), {-1, -1, -1, -1, -1, 11, 11, 11, 11, 11, 11, 11}},
        {keysOn({0, 6}), {0, 0, 0, 6, 6, 6, 6, 6, 6, 12, 12, 12}},
        {keysOn({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleData::buildScaleTable(c.keys), c.table);
}

TEST_F(ScaleModel, NameMapAndConstruction)
{
    ASSERT_EQ(m->paramMap.size(), 33u);
    const std::pair<const char*, int> places[] = {
        {"p8_scale_pwr", 1},           {"p8_scale_type", 2},         {"p8_scale_order", 3},
        {"p8_scale_root", 4},          {"p8_scale_rootshift", 5},    {"p8_scale_type1_cmap1", 6},
        {"p8_scale_type1_cmap12", 17}, {"p8_scaletar1", 18},         {"p8_scaletar4", 21},
        {"p8_scale_type1_wkey1", 22},  {"p8_scale_type1_bkey1", 23}, {"p8_scale_type1_bkey5", 32},
        {"p8_scale_type1_wkey7", 33}};
    for (const auto& [key, index] : places)
        EXPECT_EQ(m->getParamIndex(key), index) << key;

    EXPECT_TRUE(m->scalePower);
    EXPECT_EQ(m->scaleRoot, 0);
    EXPECT_FALSE(m->rootShift);
    EXPECT_EQ(m->scaleOrder, 0);
    for (const auto& t : m->scaleTargets)
        EXPECT_TRUE(t);
    EXPECT_FALSE(m->scaleTableChanged);
    EXPECT_EQ(m->getScaleTable(), ScaleData::buildScaleTable(Keys{}));
    Table t{};
    m->copyTable(t);
    EXPECT_EQ(t, ScaleData::buildScaleTable(Keys{}));
}

TEST_F(ScaleModel, RebuildPublishesAndRaisesTheFlagOnce)
{
    EXPECT_EQ(rebuildWith(majorKeys), (Table{0, 2, 2, 4, 4, 5, 7, 7, 9, 9, 11, 11}));
    EXPECT_FALSE(m->scaleTableChanged) << "the copy lowered it";
    Table again{};
    EXPECT_FALSE(m->copyTableIfChanged(again));
    EXPECT_EQ(m->getPublishCount(), 1u);
}

TEST_F(ScaleModel, KeyIsOnWhenItsLeadingIntegerIsOne)
{
    tree = juce::ValueTree("param");
    const std::pair<juce::var, bool> values[] = {{1, true},     {"1", true},   {"1.9", true}, {true, true},
                                                 {2, false},    {"0", false},  {"x", false},  {0.99, false},
                                                 {"-1", false}, {"nan", false}};
    for (const auto& [value, on] : values)
    {
        tree.setProperty(m->keyNames[4], value, nullptr);
        m->setKeyTree(tree);
        m->updateType1ScaleList();
        EXPECT_EQ(m->getScaleTable()[0], on ? 4 : 0) << value.toString();
    }
}

TEST_F(ScaleModel, WithoutAKeyTreeTheRebuildDoesNothing)
{
    m->updateType1ScaleList();
    EXPECT_EQ(m->getPublishCount(), 0u);
    EXPECT_FALSE(m->scaleTableChanged);
}

TEST_F(ScaleModel, EngineNeverKeepsAnOlderTableThanTheNewest)
{
    tree = keyTreeFor(*m, keysOn({3}));
    m->setKeyTree(tree);
    m->updateType1ScaleList();
    tree.setProperty(m->keyNames[3], 0, nullptr);
    tree.setProperty(m->keyNames[0], 1, nullptr);
    m->updateType1ScaleList();

    // Two publications before the engine looks: it gets the newest.
    Table first{}, second{};
    ASSERT_TRUE(m->copyTableIfChanged(first));
    EXPECT_EQ(first, ScaleData::buildScaleTable(keysOn({0})));
    EXPECT_FALSE(m->copyTableIfChanged(second));

    // Other unit engines following the same flag copy without lowering it.
    m->publishTable(ScaleData::buildScaleTable(majorKeys));
    m->copyTable(second);
    EXPECT_EQ(second, ScaleData::buildScaleTable(majorKeys));
    EXPECT_TRUE(m->scaleTableChanged);
    ASSERT_TRUE(m->copyTableIfChanged(first));
    EXPECT_EQ(first, second);
}

// One writer publishes tables whose entries all carry their generation number
// while the engine side copies: every copy is whole and never older than the
// one before, and after the last publication the engine holds the last table.
TEST_F(ScaleModel, TheTableTheEngineCopiesIsNeverTorn)
{
    constexpr int wantedCopies = 5000;
    std::atomic<int> copies{0};
    std::atomic<int> lastPublished{0};
    std::thread writer(
        [&]
        {
            // Publishes for as long as the reader is still copying.
            for (int g = 1; copies.load() < wantedCopies; ++g)
            {
                Table t;
                t.fill(g);
                m->publishTable(t);
                lastPublished = g;
            }
        });

    int last = 0;
    bool whole = true, ordered = true;
    Table t{};
    while (copies.load() < wantedCopies)
    {
        if (m->copyTableIfChanged(t))
        {
            for (const int v : t)
                whole = whole && v == t[0];
            ordered = ordered && t[0] >= last;
            last = t[0];
            copies.fetch_add(1);
        }
    }
    writer.join();
    if (m->copyTableIfChanged(t))
        last = t[0];
    EXPECT_TRUE(whole);
    EXPECT_TRUE(ordered);
    EXPECT_EQ(last, lastPublished.load()) << "the flag of the last table was not lost";
}

TEST_F(ScaleModel, TwelveKeyWritesInABurstGiveOneRebuild)
{
    tree = keyTreeFor(*m, Keys{});
    m->setKeyTree(tree);
    for (size_t j = 0; j < 12; ++j)
    {
        const bool on = majorKeys[j];
        tree.setProperty(m->keyNames[j], on ? 1 : 0, nullptr);
        m->setParamVal(m->keyNames[j], on ? 1.0f : 0.0f);
    }
    EXPECT_EQ(m->getPublishCount(), 0u) << "the rebuild waits for the burst to end";
    EXPECT_TRUE(m->isTimerRunning(ScaleData::rebuildTimerId));
    EXPECT_EQ(m->getTimerInterval(ScaleData::rebuildTimerId), ScaleData::keyChangeDelayMs);

    EXPECT_TRUE(zutest::pumpUntil([&] { return m->getPublishCount() > 0u; }));
    EXPECT_EQ(m->getPublishCount(), 1u);
    EXPECT_FALSE(m->isTimerRunning(ScaleData::rebuildTimerId));
    Table t{};
    ASSERT_TRUE(m->copyTableIfChanged(t));
    EXPECT_EQ(t, ScaleData::buildScaleTable(majorKeys));
}

TEST_F(ScaleModel, SettingsWritesAndClamps)
{
    const auto set = [this](const char* name, float v) { m->setParamVal(name, v); };
    set("p8_scale_pwr", 0.5f);
    EXPECT_FALSE(m->scalePower);
    set("p8_scale_pwr", 0.51f);
    EXPECT_TRUE(m->scalePower);
    set("p8_scale_rootshift", 1.0f);
    EXPECT_TRUE(m->rootShift);
    set("p8_scaletar3", 0.0f);
    EXPECT_FALSE(m->scaleTargets[2]);
    EXPECT_TRUE(m->scaleTargets[3]);

    const struct
    {
        const char* name;
        float in;
        int out;
    } ints[] = {{"p8_scale_root", 7.9f, 7},  {"p8_scale_root", 15.0f, 11}, {"p8_scale_root", -3.0f, 0},
                {"p8_scale_order", 1.0f, 1}, {"p8_scale_order", 4.0f, 1},  {"p8_scale_order", -1.0f, 0}};
    for (const auto& c : ints)
    {
        set(c.name, c.in);
        EXPECT_EQ(std::string(c.name) == "p8_scale_root" ? (int) m->scaleRoot : (int) m->scaleOrder, c.out)
            << c.name << " " << c.in;
    }

    // "p8_scale_type", non-finite values and unknown names change nothing.
    m->scaleRoot = 5;
    set("p8_scale_type", 1.0f);
    set("p8_scale_root", std::numeric_limits<float>::quiet_NaN());
    set("p8_scale_pwr", std::numeric_limits<float>::quiet_NaN());
    set("p8_scale_key", 1.0f);
    EXPECT_EQ(m->scaleRoot, 5);
    EXPECT_TRUE(m->scalePower);
    EXPECT_FALSE(m->isTimerRunning(ScaleData::rebuildTimerId));
    EXPECT_EQ(m->getScaleTable(), ScaleData::buildScaleTable(Keys{}));
}

TEST_F(ScaleModel, SecondTableTakesTheCmapKeys)
{
    m->setParamVal("p8_scale_type1_cmap2", 5.0f);  // pitch class 2
    m->setParamVal("p8_scale_type1_cmap8", 12.0f); // pitch class 1: 12 is stored as -1
    m->setParamVal("p8_scale_type1_cmap12", 99.0f);
    EXPECT_EQ(m->type2Table[2], 5);
    EXPECT_EQ(m->type2Table[1], -1);
    EXPECT_EQ(m->type2Table[10], 11);
    EXPECT_EQ(m->getScaleTable(), ScaleData::buildScaleTable(Keys{})) << "the engine's table stays";
    EXPECT_FALSE(m->scaleTableChanged);
}

TEST_F(ScaleModel, ScaledNoteNames)
{
    rebuildWith(majorKeys);
    m->scaleRoot = 2;
    EXPECT_EQ(m->getScaledDispNoteString(0), "C#");
    EXPECT_EQ(m->getScaledDispNoteString(1), "C#");
    EXPECT_EQ(m->getScaledDispNoteString(2), "D");
    EXPECT_EQ(m->getScaledDispNoteString(12), "C#");

    m->rootShift = true;
    EXPECT_EQ(m->getScaledDispNoteString(1), "E") << "mapped on C, then moved up by the root";

    rebuildWith(keysOn({11}));
    m->rootShift = false;
    m->scaleRoot = 0;
    EXPECT_EQ(m->getScaledDispNoteString(0), "B") << "a table entry below 0";
    // Pitches from a damaged document may be negative: still a valid name.
    EXPECT_EQ(m->getScaledDispNoteString(-1), "B");
    EXPECT_EQ(m->getScaledDispNoteString(std::numeric_limits<int>::min()), "B");
    EXPECT_EQ(m->getScaledDispNoteString(std::numeric_limits<int>::max()), "B");

    m->scalePower = false;
    EXPECT_EQ(m->getScaledDispNoteString(13), "C#");
    EXPECT_EQ(m->getScaledDispNoteString(-1), "B");
    EXPECT_EQ(m->getScaledDispNoteString(-13), "B");
}

TEST_F(ScaleModel, ActiveNotesForTheScaleDisplay)
{
    std::array<bool, 12> out{};
    m->getActiveNoteListForScaleDisp(out);
    for (const bool on : out)
        EXPECT_TRUE(on) << "no key on: every class passes";

    rebuildWith(majorKeys);
    m->scaleRoot = 2;
    m->getActiveNoteListForScaleDisp(out);
    const std::set<int> dMajor = {2, 4, 6, 7, 9, 11, 1};
    for (int j = 0; j < 12; ++j)
        EXPECT_EQ(out[(size_t) j], dMajor.count(j) == 1) << j;
    m->rootShift = true;
    std::array<bool, 12> shifted{};
    m->getActiveNoteListForScaleDisp(shifted);
    EXPECT_EQ(shifted, out) << "the root shift does not change the set";

    m->scalePower = false;
    m->getActiveNoteListForScaleDisp(out);
    for (const bool on : out)
        EXPECT_TRUE(on);
}

TEST_F(ScaleModel, ScaledPitchForDisplay)
{
    rebuildWith(majorKeys);
    EXPECT_EQ(m->getScaledPitchValForDisp(13), 14);
    m->scaleRoot = 2;
    EXPECT_EQ(m->getScaledPitchValForDisp(1), 2) << "below the root counts from the root";
    EXPECT_EQ(m->getScaledPitchValForDisp(15), 16);
    m->rootShift = true;
    EXPECT_EQ(m->getScaledPitchValForDisp(1), 4);
    EXPECT_EQ(m->getScaledPitchValForDisp(-5), 0) << "limited to 0..127";

    rebuildWith(keysOn({0}));
    m->rootShift = false;
    m->scaleRoot = 0;
    EXPECT_EQ(m->getScaledPitchValForDisp(127), 127) << "132 is limited to 127";
    EXPECT_EQ(m->getScaledPitchValForDisp(std::numeric_limits<int>::max()), 127);
    m->scalePower = false;
    EXPECT_EQ(m->getScaledPitchValForDisp(61), 61);
}

TEST_F(ScaleModel, InitResetsSettingsAndTableThenRebuildsFromTheKeys)
{
    rebuildWith(keysOn({3}));
    m->scalePower = false;
    m->scaleRoot = 4;
    m->rootShift = true;
    m->scaleOrder = 1;
    m->scaleTargets[1] = false;

    m->init();
    EXPECT_TRUE(m->scalePower);
    EXPECT_EQ(m->scaleRoot, 0);
    EXPECT_FALSE(m->rootShift);
    EXPECT_EQ(m->scaleOrder, 0);
    EXPECT_TRUE(m->scaleTargets[1]);
    EXPECT_EQ(m->getScaleTable(), ScaleData::buildScaleTable(Keys{}));
    Table t{};
    ASSERT_TRUE(m->copyTableIfChanged(t)) << "the engine learns of the reset table";
    EXPECT_EQ(t, ScaleData::buildScaleTable(Keys{}));
    EXPECT_EQ(m->getTimerInterval(ScaleData::rebuildTimerId), ScaleData::refreshDelayMs);

    EXPECT_TRUE(zutest::pumpUntil([&] { return !m->isTimerRunning(ScaleData::rebuildTimerId); }));
    ASSERT_TRUE(m->copyTableIfChanged(t));
    EXPECT_EQ(t, ScaleData::buildScaleTable(keysOn({3})));
}

TEST_F(ScaleModel, LoadedScaleSchedulesARebuild)
{
    tree = keyTreeFor(*m, majorKeys);
    m->setKeyTree(tree);
    m->type1KeyStatesChanged();
    EXPECT_EQ(m->getTimerInterval(ScaleData::rebuildTimerId), ScaleData::refreshDelayMs);
    m->timerCallback(1); // other timers do nothing
    EXPECT_EQ(m->getPublishCount(), 0u);
    EXPECT_TRUE(zutest::pumpUntil([&] { return m->getPublishCount() > 0u; }));
    EXPECT_EQ(m->getPublishCount(), 1u);
    EXPECT_EQ(m->getScaleTable(), ScaleData::buildScaleTable(majorKeys));
}
