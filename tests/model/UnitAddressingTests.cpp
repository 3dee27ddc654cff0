// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuUnits.h"

#include <gtest/gtest.h>

using namespace zu::units;

TEST(UnitAddressing, NumbersEveryUnitByKindIndexRequestAndDisplayEntry)
{
    struct Case
    {
        int id, kind, index, request, display;
        const char *node, *prefix;
    };
    const Case cases[] = {{1, pitch, 0, 0, 0, "ptchsq1", "p1m11_"},    {4, pitch, 3, 3, 3, "ptchsq4", "p1m14_"},
                          {5, param, 0, 4, 4, "prmsq1", "p2m21_"},     {8, param, 3, 7, 7, "prmsq4", "p2m24_"},
                          {9, cc, 0, 8, 8, "ccsq1", "p3m31_"},         {12, cc, 3, 11, 11, "ccsq4", "p3m34_"},
                          {13, octTp, 0, 14, 12, "octtpsq", "p4m41_"}, {14, ccRack, 0, 12, -1, "ccrack1", "p5m51_"},
                          {15, ccRack, 1, 13, -1, "ccrack2", "p5m52_"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(kindOf(c.id), c.kind);
        EXPECT_EQ(indexOf(c.id), c.index);
        EXPECT_EQ(unitIdOf(c.kind, c.index), c.id);
        EXPECT_EQ(unitNumberOf(c.kind, c.index), c.id - 1);
        EXPECT_EQ(requestIndexOf(c.id), c.request);
        EXPECT_EQ(unitIdOfRequestIndex(c.request), c.id);
        EXPECT_EQ(displayIndexOf(c.kind, c.index), c.display);
        EXPECT_EQ(nodeName(c.id), c.node);
        EXPECT_EQ(nodeName(c.kind, c.index), c.node);
        EXPECT_EQ(modNodeName(c.kind, c.index), juce::String(c.node) + "mod");
        EXPECT_EQ(modSnapNodeName(c.kind, c.index), "seqmodtree" + juce::String(c.id));
        EXPECT_EQ(unitPrefix(c.id), c.prefix);
        EXPECT_EQ(unitPrefix(c.id).length(), unitPrefixLength);
    }
}

TEST(UnitAddressing, KindsCountTheirUnitsFromTheirFirstId)
{
    int id = 1;
    for (int kind = 0; kind < numKinds; ++kind)
    {
        EXPECT_EQ(firstIdOfKind[(size_t) kind], id);
        id += unitsOfKind[(size_t) kind];
    }
    EXPECT_EQ(id - 1, numUnits);
}

TEST(UnitAddressing, OutOfRangeNumbersAddressNoUnit)
{
    for (const int id : {0, -1, 16, 1000})
    {
        EXPECT_EQ(kindOf(id), -1);
        EXPECT_EQ(indexOf(id), -1);
        EXPECT_EQ(requestIndexOf(id), -1);
        EXPECT_TRUE(nodeName(id).isEmpty());
        EXPECT_TRUE(unitPrefix(id).isEmpty());
    }
    EXPECT_EQ(unitIdOf(pitch, 4), 0);
    EXPECT_EQ(unitIdOf(octTp, 1), 0);
    EXPECT_EQ(unitIdOf(ccRack, 2), 0);
    EXPECT_EQ(unitIdOf(5, 0), 0);
    EXPECT_EQ(unitIdOfRequestIndex(15), 0);
    EXPECT_EQ(displayIndexOf(pitch, -1), -1);
}

TEST(UnitAddressing, BuildsSlotStepAndKnobIdentifiers)
{
    EXPECT_EQ(slotPrefix(pitch, 0, 0), "p6m111_");
    EXPECT_EQ(slotPrefix(ccRack, 1, 7), "p6m528_");
    EXPECT_EQ(slotPrefix(ccRack, 1, 7).length(), slotPrefixLength);
    EXPECT_EQ(modAreaPrefix(param, 2), "p6m230_");
    EXPECT_EQ(slotKey(octTp, 0, 1, "bbi"), "p6m412_bbi");
    EXPECT_EQ(unitKey(cc, 3, "dir"), "p3m34_dir");
    EXPECT_EQ(stepKey(pitch, 0, "pch", 0), "p1m11_pch1");
    EXPECT_EQ(stepKey(pitch, 0, "pch", 31), "p1m11_pch32");
    EXPECT_EQ(numberedKey(unitPrefix(15), "kch", 8), "p5m52_kch8");
    EXPECT_EQ(snapNodeName(0), "snap1");
    EXPECT_EQ(slotNodeName(7), "mod8");
    EXPECT_EQ(storedSlotNodeName(0), "unit1");
    EXPECT_EQ(editorKeyStem(pitch, 3), "c_pchsq4");
    EXPECT_EQ(editorKeyStem(param, 0), "c_prmsq1");
    EXPECT_EQ(editorKeyStem(cc, 1), "c_ccsq2");
    EXPECT_EQ(editorKeyStem(octTp, 0), "c_octsq1");
    EXPECT_TRUE(editorKeyStem(ccRack, 0).isEmpty());
    // The one octave-transpose unit's keys carry 1 whatever instance asks.
    EXPECT_EQ(editorKeyStem(octTp, 1), "c_octsq1");
    EXPECT_TRUE(editorKeyStem(param, 4).isEmpty());
    EXPECT_EQ(controlPageKey(pitch, 1), "c_pchsq2_tab");
    EXPECT_EQ(controlPageKey(param, 3), "p2_prmsq4_tab");
    EXPECT_EQ(controlPageKey(cc, 0), "p3_ccsq1_tab");
    EXPECT_EQ(controlPageKey(octTp, 0), "c_octsq_tab");
    EXPECT_TRUE(controlPageKey(ccRack, 0).isEmpty());
    EXPECT_EQ(unitLabelKey(14), "unitlabel14");
    EXPECT_TRUE(unitLabelKey(16).isEmpty());
}
