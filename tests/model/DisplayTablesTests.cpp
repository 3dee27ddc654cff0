// SPDX-License-Identifier: GPL-3.0-or-later
// The shared display and chord tables.
#include "ModelTestHelpers.h"

#include <limits>

namespace
{
struct DisplayTables : ::testing::Test
{
    juce::SharedResourcePointer<DispShareData> disp;
    juce::SharedResourcePointer<FxUnitShared> fx;
};
} // namespace

TEST_F(DisplayTables, NameTables)
{
    const char* dirs[] = {">", "<", "><1", "><2", "?", "??"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(disp->dirNames[(size_t) i], dirs[i]);
    EXPECT_EQ(disp->noteNames[0], "C");
    EXPECT_EQ(disp->noteNames[1], "C#");
    EXPECT_EQ(disp->noteNames[11], "B");
    EXPECT_EQ(disp->noteNames[12], "C");
    EXPECT_EQ(disp->clockDivNames[0], "128/1");
    EXPECT_EQ(disp->clockDivNames[7], "1/1");
    EXPECT_EQ(disp->clockDivNames[11], "1/16");
    EXPECT_EQ(disp->clockDivNames[13], "1/64");
    ASSERT_EQ(disp->modSourceNames.size(), 13);
    EXPECT_EQ(disp->modSourceNames[0], "Dummy");
    EXPECT_EQ(disp->modSourceNames[8], "MOD8");
    EXPECT_EQ(disp->modSourceNames[12], "MACRO4");
    EXPECT_EQ(fx->knobNames, juce::StringArray({"Oct", "TP", "Shift", "Shuffle", "P-Shift", "Clk Mul"}));
}

TEST_F(DisplayTables, TwentyChordTypes)
{
    const struct
    {
        const char* name;
        std::vector<int> intervals;
    } chords[] = {
        {"Maj", {0, 4, 7}},       {"Maj6", {0, 4, 7, 9}},   {"Maj7", {0, 4, 7, 11}},  {"Maj9", {0, 4, 7, 11, 14}},
        {"min", {0, 3, 7}},       {"min6", {0, 3, 7, 9}},   {"min7", {0, 3, 7, 10}},  {"min9", {0, 3, 7, 10, 14}},
        {"7", {0, 4, 7, 10}},     {"9", {0, 4, 7, 10, 14}}, {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}},
        {"7-5", {0, 4, 6, 10}},   {"sus4", {0, 5, 7}},      {"7sus4", {0, 5, 7, 10}}, {"sus2", {0, 2, 7}},
        {"7sus2", {0, 2, 7, 10}}, {"dim", {0, 3, 6}},       {"dim7", {0, 3, 6, 9}},   {"aug", {0, 4, 8}}};
    for (int i = 0; i < 20; ++i)
    {
        EXPECT_EQ(disp->getChordNameStr(i), chords[i].name) << i;
        EXPECT_EQ(disp->getChordNotesFromIndex(i), chords[i].intervals) << i;
        const auto& fixed = disp->getChordIntervals(i);
        EXPECT_EQ(std::vector<int>(fixed.begin(), fixed.end()), chords[i].intervals) << i;
    }
    for (int i : {-1, 20, 1000})
    {
        EXPECT_TRUE(disp->getChordNameStr(i).isEmpty());
        EXPECT_TRUE(disp->getChordNotesFromIndex(i).empty());
        EXPECT_EQ(disp->getChordIntervals(i).size(), 0);
    }
}

TEST_F(DisplayTables, AbsoluteStepValueTexts)
{
    const struct
    {
        int target;
        float value;
        const char* text;
    } cases[] = {
        {0, 0.3f, "0.3"},    {0, 1.0f, "1"},      {1, 0.999f, "??"},   {1, 1.0f, "??"},     {1, 0.0f, ">"},
        {1, 0.2f, "<"},      {2, 0.0f, "1"},      {2, 1.0f, "32"},     {2, 0.5f, "17"},     {3, 0.99f, "32"},
        {3, -1.0f, "1"},     {4, 0.5f, "0 oct"},  {4, 1.0f, "+3 oct"}, {4, 0.0f, "-3 oct"}, {4, -0.1f, "-3 oct"},
        {4, 0.6f, "+1 oct"}, {5, 1.0f, "+12 st"}, {5, 0.5f, "0 st"},   {5, 0.0f, "-12 st"}, {6, 1.0f, "C"},
        {6, 0.08f, "C#"},    {6, 0.0f, "C"},      {6, 0.9f, "B"},      {7, 0.0f, "-2 oct"}, {7, 0.5f, "0 oct"},
        {7, 1.0f, "+2 oct"}, {8, 1.0f, "127"},    {8, 0.5f, "64"},     {8, 0.0f, "0"},      {9, 1.0f, "100%"},
        {9, 0.5f, "50%"},    {10, 0.0f, "0%"},    {11, 0.49f, "OFF"},  {12, 0.5f, "ON"},    {12, 0.49f, "OFF"},
        {13, 1.0f, "ON"},    {14, 0.3f, ""},      {-1, 0.3f, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(disp->getParamSeqString(c.target, false, c.value), c.text) << c.target << " " << c.value;
}

TEST_F(DisplayTables, RelativeStepValueTexts)
{
    const struct
    {
        int target;
        float value;
        const char* text;
    } cases[] = {{0, 0.25f, "0.25"}, {1, 1.0f, "+3"},   {1, -1.0f, "-3"},  {1, 0.5f, "+2"},   {2, 1.0f, "+16"},
                 {3, -0.5f, "-8"},   {4, 0.1f, "0"},    {5, -0.5f, "-6"},  {5, 1.0f, "+12"},  {6, 1.0f, "+6"},
                 {6, -1.0f, "-6"},   {6, 0.5f, "+4"},   {7, 0.25f, "+1"},  {7, -0.25f, "-1"}, {8, 0.0f, "0"},
                 {8, 1.0f, "+64"},   {9, -1.0f, "-50"}, {10, 0.3f, "+15"}, {11, 0.4f, "0"},   {12, 0.6f, "+1"},
                 {13, -0.6f, "-1"},  {8, -0.001f, "0"}, {14, 0.3f, ""},    {99, 0.3f, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(disp->getParamSeqString(c.target, true, c.value), c.text) << c.target << " " << c.value;
}

TEST_F(DisplayTables, NonFiniteValuesShowAsZero)
{
    for (bool relative : {false, true})
        for (int target = 0; target <= 13; ++target)
        {
            const auto zero = disp->getParamSeqString(target, relative, 0.0f);
            EXPECT_EQ(disp->getParamSeqString(target, relative, std::numeric_limits<float>::quiet_NaN()), zero);
            EXPECT_EQ(disp->getParamSeqString(target, relative, std::numeric_limits<float>::infinity()), zero);
        }
    EXPECT_EQ(disp->getParamSeqString(8, false, 1e30f), "127");
    EXPECT_EQ(disp->getParamSeqString(9, true, -1e30f), "-50");
}

TEST_F(DisplayTables, EffectTextsStayWithinTheirLists)
{
    EXPECT_EQ(fx->getTapModeDisp(0.0), "o x x x");
    EXPECT_EQ(fx->getTapModeDisp(0.5), "o x o x");
    EXPECT_EQ(fx->getTapModeDisp(1.0), "x x x o") << "past the last pattern";
    EXPECT_EQ(fx->getTapModeDisp(7.0), "x x x o");
    EXPECT_EQ(fx->getTapModeDisp(-2.0), "o x x x");
    EXPECT_EQ(fx->getVowelDisp(0.0), "A");
    EXPECT_EQ(fx->getVowelDisp(1.0), "o") << "past the last vowel";
    EXPECT_EQ(fx->getVowelDisp(std::nan("")), "A");

    EXPECT_EQ(FxUnitShared::syncedDelayNames().size(), 22);
    EXPECT_EQ(fx->getSyncedDelayTImeDisp(1.0), "1/1");
    EXPECT_EQ(fx->getSyncedDelayTImeDisp(0.0), "1/128D");
    EXPECT_EQ(fx->getSyncedDelayTImeDisp(-5.0), "1/128D");
    EXPECT_EQ(fx->getSyncedDelayTImeDisp(5.0), "1/1");
    EXPECT_EQ(fx->getDelayTimeDisp(1.0, true), "1/1");
    EXPECT_EQ(fx->getDelayTimeDisp(1.0, false), "1000.0 ms");
    const double shortest = fx->getDelayTimeDisp(0.0, false).getDoubleValue();
    EXPECT_NEAR(shortest, 30.0, 0.5);

    EXPECT_EQ(fx->getLfoSyncedRateDisp(0.0), "1/32T");
    EXPECT_EQ(fx->getLfoSyncedRateDisp(1.0), "4/1T");
    EXPECT_EQ(fx->getLfoRateDisp(1.0, true), "4/1T");
    const auto fastest = fx->getLfoRateDisp(1.0, false);
    EXPECT_TRUE(fastest.endsWith(" Hz"));
    EXPECT_NEAR(fastest.getDoubleValue(), 20.0, 0.002);
    EXPECT_NEAR(fx->getLfoRateDisp(0.0, false).getDoubleValue(), 0.01, 0.0011);
}
