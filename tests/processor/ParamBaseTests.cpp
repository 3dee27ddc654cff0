// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter base's own operations.
#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

TEST(ParamBase, VersionFromString)
{
    const std::pair<const char*, double> cases[] = {
        {"1.1.82", 1.182}, {"1.2.3", 1.23}, {"1.10.5", 2.05}, {"1.1.082", 1.1082}, {"0.9.981", 0.9981},
        {"1.5", 1.05},     {"2.0", 2.0},    {"1", 1.0},       {"", 1.0},           {"1.2.3.4", 1.0},
        {"abc", 1.0},      {"a.b.c", 0.0},  {"1..2", 1.02},   {"x.y", 0.0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_NEAR(ZuParamBase::getVersionFromString(text), expected, 1.0e-12) << text;

    // Damaged text never yields a non-finite or huge version.
    for (const char* text : {"1e400.1.1", "nan.inf.1", "1.1.1e999", "inf.0"})
    {
        const double v = ZuParamBase::getVersionFromString(text);
        EXPECT_TRUE(std::isfinite(v)) << text;
    }
}

TEST(ParamBase, SyncCopiesValuesButNeverStructure)
{
    RecordingProcessor processor;
    processor.preparePlugin();
    processor.treeCalls.clear();

    juce::ValueTree source("param");
    source.setProperty("p0_chrsize", 7, nullptr);
    source.setProperty("p0_chrspd", 4, nullptr); // equal: no notification
    source.setProperty("x", 1, nullptr);         // the destination lacks it
    juce::ValueTree unknown("nochild");
    unknown.setProperty("y", 2, nullptr);
    source.appendChild(unknown, nullptr);
    juce::ValueTree seq("seqmain");
    juce::ValueTree unit("ptchsq2");
    unit.setProperty("p1m12_dir", 3.0, nullptr);
    unit.setProperty("p1m12_bogus", 3.0, nullptr);
    seq.appendChild(unit, nullptr);
    source.appendChild(seq, nullptr);

    const int propsBefore = processor.paramTree.getNumProperties();
    const int childrenBefore = processor.paramTree.getNumChildren();
    const int unitPropsBefore =
        processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq2").getNumProperties();

    ZuParamBase::syncValueTreeNotifyListeners(source, processor.paramTree);

    EXPECT_EQ(processor.paramTree.getNumProperties(), propsBefore);
    EXPECT_EQ(processor.paramTree.getNumChildren(), childrenBefore);
    EXPECT_FALSE(processor.paramTree.hasProperty("x"));
    EXPECT_FALSE(processor.paramTree.getChildWithName("nochild").isValid());
    const auto liveUnit = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq2");
    EXPECT_EQ(liveUnit.getNumProperties(), unitPropsBefore);
    EXPECT_DOUBLE_EQ((double) liveUnit.getProperty("p1m12_dir"), 3.0);
    EXPECT_EQ((int) processor.paramTree.getProperty("p0_chrsize"), 7);

    ASSERT_EQ(processor.treeCalls.size(), 2u);
    EXPECT_EQ(processor.treeCalls[0].first, "p0_chrsize");
    EXPECT_EQ(processor.treeCalls[1].first, "p1m12_dir");

    // An invalid source copies nothing.
    ZuParamBase::syncValueTreeNotifyListeners(juce::ValueTree(), processor.paramTree);
    EXPECT_EQ(processor.treeCalls.size(), 2u);
}

TEST(ParamBase, InitModUnitResetsOneUnitsSlots)
{
    RecordingProcessor processor;
    processor.preparePlugin();
    auto rackMod = processor.paramTree.getChildWithName("modmain").getChildWithName("ccrack1mod");
    rackMod.setProperty("p6m510_tab", 1.0, nullptr);
    rackMod.getChild(0).setProperty("p6m511_pwr", 0, nullptr);
    rackMod.getChild(4).setProperty("p6m515_pwr", 1, nullptr);
    rackMod.getChild(4).setProperty("p6m515_ksr", 3.0, nullptr);
    processor.treeCalls.clear();

    processor.initModUnit(rackMod, 4, 0);

    EXPECT_EQ((int) rackMod.getProperty("p6m510_tab"), 0);
    EXPECT_EQ((int) rackMod.getChild(0).getProperty("p6m511_pwr"), 1);
    EXPECT_EQ((int) rackMod.getChild(1).getProperty("p6m512_pwr"), 1);
    for (int s = 3; s <= 8; ++s)
        EXPECT_EQ((int) rackMod.getChild(s - 1).getProperty("p6m51" + juce::String(s) + "_pwr"), 0);
    EXPECT_DOUBLE_EQ((double) rackMod.getChild(4).getProperty("p6m515_ksr"), 8.0);
    // Only what changed is announced: the tab, two powers and one rate.
    EXPECT_EQ(processor.treeCalls.size(), 4u);
}

TEST(ParamBase, InitializeAllParamValuesRestoresDefaultsButKeepsLocks)
{
    RecordingProcessor processor;
    processor.preparePlugin();
    processor.setValueToValueTree(66, 9.0f);
    processor.setValueToValueTree(0, 0.0f);
    processor.setValueToValueTree(46, -0.5f);
    processor.paramTree.setProperty("p9_chord_root7", 2, nullptr);
    processor.paramTree.setProperty("p0_chrsize", 9, nullptr);
    processor.paramTree.setProperty("p0_midichlock", 1, nullptr);
    processor.paramTree.setProperty("p0_scalelock", 1, nullptr);
    processor.paramTree.setProperty("presetname", "Mine", nullptr);

    float v = 0.0f;
    processor.getValueFromValueTree(v, 66);
    EXPECT_EQ(v, 9.0f);

    processor.initializeAllParamValues();

    for (int i = 0; i < 100; ++i)
    {
        processor.getValueFromValueTree(v, i);
        EXPECT_EQ(v, processor.paramProfile.getDefVal(i)) << i;
    }
    EXPECT_EQ((int) processor.paramTree.getProperty("p9_chord_root7"), 7);
    EXPECT_EQ((int) processor.paramTree.getProperty("p0_chrsize"), 4);
    EXPECT_EQ(processor.paramTree.getProperty("presetname").toString(), "Preset");
    EXPECT_EQ((int) processor.paramTree.getProperty("p0_midichlock"), 1);
    EXPECT_EQ((int) processor.paramTree.getProperty("p0_scalelock"), 1);

    const std::vector<std::pair<int, int>> order = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3},
                                                    {2, 0}, {2, 1}, {2, 2}, {2, 3}, {3, 0}, {4, 0}, {4, 1}};
    EXPECT_EQ(processor.unitResets, order);
}

TEST(ParamBase, HostValuesByIndexUseTheParameterRange)
{
    RecordingProcessor processor;
    processor.preparePlugin();
    processor.paramCalls.clear();

    processor.setValueToValueTree(61, 6.0f); // Global TP, -12..12
    float plain = 0.0f;
    processor.getValueFromValueTree(plain, 61);
    EXPECT_EQ(plain, 6.0f);
    ASSERT_EQ(processor.paramCalls.size(), 1u);
    EXPECT_EQ(processor.paramCalls[0].first, "p0_gtp");
    EXPECT_EQ(processor.paramCalls[0].second, 6.0f);

    processor.setValueToValueTree(66, 40.0f); // clamped to the range end
    processor.getValueFromValueTree(plain, 66);
    EXPECT_EQ(plain, 16.0f);
    EXPECT_FLOAT_EQ(processor.getParamInitialValue(46), 0.5f);

    processor.setUiStateToValueTree("uistate", 3);
    EXPECT_EQ((int) processor.paramState.state.getProperty("uistate"), 3);
}

TEST(ParamBase, UnitAddressingTables)
{
    RecordingProcessor processor;
    EXPECT_EQ(processor.kindSnapParamIndex[1][3], 19);
    EXPECT_EQ(processor.kindSnapParamIndex[3][2], 33);
    EXPECT_EQ(processor.kindSnapParamIndex[4][1], 37);
    EXPECT_EQ(processor.kindSnapParamIndex[4][3], 35);
    EXPECT_EQ(processor.snapParamUnits.size(), 15u);
    EXPECT_EQ(processor.snapParamUnits.at("p4m41_snp"), 13);
    EXPECT_EQ(processor.snapParamUnits.at("p5m52_snp"), 15);
    EXPECT_EQ(processor.snapParamUnits.count("p1m11_pwr"), 0u);
    for (int i = 0; i < 14; ++i)
        EXPECT_TRUE(processor.paramProfile.getParamID(processor.unitParamIndexList[(size_t) i]).endsWith("_snp"));
    for (int i = 14; i < 22; ++i)
        EXPECT_TRUE(processor.paramProfile.getParamID(processor.unitParamIndexList[(size_t) i]).endsWith("_ch"));
    EXPECT_EQ(processor.paramProfile.getParamID(processor.scaleParamIndexList[8]), "p8_scaletar4");
    EXPECT_EQ(processor.kindNames[3], "octtpsq");
    EXPECT_EQ(processor.stateTag, "ZUMIRA8");
    EXPECT_NEAR(processor.smoothstepTable(0.5f), 0.5f, 1.0e-3f);
}
