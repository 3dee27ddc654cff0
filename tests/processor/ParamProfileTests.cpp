// SPDX-License-Identifier: GPL-3.0-or-later
// The host parameter table and the layout made from it.
#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
bool isOnStep(float value, const juce::NormalisableRange<float>& range)
{
    if (range.interval <= 0.0f)
        return true;
    const float steps = (value - range.start) / range.interval;
    return std::abs(steps - std::round(steps)) < 1.0e-5f;
}
} // namespace

TEST(ParamProfile, IdentifiersAndNamesAreUniqueAndDefaultsFitTheirRanges)
{
    ZuKern_ParamProfile profile;
    std::set<juce::String> ids, names;
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        SCOPED_TRACE(i);
        ids.insert(profile.getParamID(i));
        names.insert(profile.getParamName(i));
        const auto range = profile.getValRange(i);
        EXPECT_EQ(range.skew, 1.0f);
        EXPECT_FALSE(range.symmetricSkew);
        EXPECT_GE(profile.getDefVal(i), range.start);
        EXPECT_LE(profile.getDefVal(i), range.end);
        EXPECT_TRUE(isOnStep(profile.getDefVal(i), range));
        EXPECT_EQ(profile.getParamLabel(i), profile.getParamName(i));
        EXPECT_EQ(profile.getMinVal(i), range.start);
        EXPECT_EQ(profile.getMaxVal(i), range.end);
    }
    EXPECT_EQ(ids.size(), 100u);
    EXPECT_EQ(names.size(), 100u);
}

TEST(ParamProfile, DiscreteListIsExactlyTheSwitchesAndUnitParameters)
{
    ZuKern_ParamProfile profile;
    juce::Array<int> expected;
    for (int i = 0; i <= 37; ++i)
        expected.add(i);
    for (int i = 66; i <= 71; ++i)
        expected.add(i);
    expected.add(76);
    expected.add(81);
    expected.add(82);
    for (int i = 96; i <= 99; ++i)
        expected.add(i);

    EXPECT_EQ(profile.getDiscreteList(), expected);
    EXPECT_EQ(profile.getDiscreteList().size(), 51);
    EXPECT_TRUE(profile.getNonAutomatableList().isEmpty());

    // Interval 1 but not discrete; continuous families.
    for (int i : {60, 61})
    {
        EXPECT_EQ(profile.getValRange(i).interval, 1.0f);
        EXPECT_FALSE(profile.getDiscreteList().contains(i));
    }
    for (int i = 38; i <= 46; ++i)
        EXPECT_EQ(profile.getValRange(i).interval, 0.0f) << i;

    profile.makeMyParamProfiles();
    EXPECT_EQ(profile.getDiscreteList(), expected) << "building twice gives the same table";
    EXPECT_EQ(profile.getParamID(99), "dummy");
}

TEST(ParamProfile, IdentifiersFollowTheOwnerDigitGrammar)
{
    ZuKern_ParamProfile profile;
    for (int i = 0; i < 99; ++i)
    {
        const auto id = profile.getParamID(i);
        SCOPED_TRACE(id);
        ASSERT_EQ(id[0], 'p');
        const int owner = id[1] - '0';
        ASSERT_TRUE(owner >= 0 && owner <= 9 && owner != 6);
        if (owner >= 1 && owner <= 5)
        {
            // "p" + k + "m" + k + unit digit + "_" + key
            EXPECT_EQ(id[2], 'm');
            EXPECT_EQ(id[3] - '0', owner);
            EXPECT_GE(id[4] - '0', 1);
            EXPECT_EQ(id[5], '_');
            EXPECT_TRUE(id.endsWith("_pwr") || id.endsWith("_ch") || id.endsWith("_snp"));
            if (id.endsWith("_ch"))
            {
                EXPECT_TRUE(owner == 1 || owner == 3);
            }
        }
        else
        {
            EXPECT_EQ(id[2], '_');
        }
    }
}

TEST(ParamProfile, LookUpIsExactAndWholeString)
{
    ZuKern_ParamProfile profile;
    const std::pair<const char*, int> cases[] = {
        {"dummy", 99},        {"p0_swgtar13", 59},   {"p1m11_pwr", 0},  {"P1M11_PWR", -1},
        {"p1m11_pwr ", -1},   {"p6m111_pwr", -1},    {"", -1},          {"p5m52_snp", 37},
        {"p9_chordtar4", 80}, {"p0_rebtntar13", 95}, {"p0_miditp", 98}, {"p1m11_pch1", -1},
    };
    for (const auto& [id, index] : cases)
        EXPECT_EQ(profile.getParamIndexFromString(juce::String(id)), index) << id;
}

TEST(ParamProfile, TargetNamesUseZeroBasedPositionLabels)
{
    ZuKern_ParamProfile profile;
    const std::pair<int, const char*> cases[] = {
        {47, "Swing Center PitchSQ0"},
        {51, "Swing Center ParamSQ4"},
        {52, "Swing Center ParamSQ5"},
        {58, "Swing Center CcSQ11"},
        {59, "Swing Center OctTpSQ"},
        {62, "G-OctTp Center PitchSQ0"},
        {65, "G-OctTp Center PitchSQ3"},
        {72, "Scale Center PSQ0"},
        {80, "Chord Center PSQ3"},
        {83, "Reset/ReSync Center PitchSQ0"},
        {87, "Reset/ReSync Center ParamSQ4"},
        {95, "Reset/ReSync Center OctTpSQ"},
        {32, "OctTP SQ1 Power"},
        {34, "CC Rack1 Power"},
    };
    for (const auto& [index, name] : cases)
        EXPECT_EQ(profile.getParamName(index), name) << index;

    EXPECT_EQ(profile.getDefVal(77), 0.0f) << "chord targets default to off";
    EXPECT_EQ(profile.getDefVal(72), 1.0f);
    EXPECT_EQ(profile.getMinVal(66), 1.0f) << "global channel runs from 1";
}

TEST(ParamLayout, OneGlobalGroupOfFloatParametersInIndexOrder)
{
    RecordingProcessor processor;
    const auto& tree = processor.getParameterTree();
    ASSERT_EQ(tree.getSubgroups(false).size(), 1);
    const auto* group = tree.getSubgroups(false)[0];
    EXPECT_EQ(group->getID(), "global");
    EXPECT_EQ(group->getName(), "Global");
    EXPECT_EQ(group->getSeparator(), " | ");

    const auto params = processor.getParameters();
    ASSERT_EQ(params.size(), 100);
    for (int i = 0; i < params.size(); ++i)
    {
        SCOPED_TRACE(i);
        auto* p = dynamic_cast<juce::AudioProcessorValueTreeState::Parameter*>(params[i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->getParameterID(), processor.paramProfile.getParamID(i));
        EXPECT_EQ(p->getName(100), processor.paramProfile.getParamName(i));
        EXPECT_EQ(p->isDiscrete(), processor.paramProfile.getDiscreteList().contains(i));
        EXPECT_TRUE(p->isAutomatable());
        EXPECT_FALSE(p->isBoolean());
        EXPECT_FALSE(p->isMetaParameter());
        EXPECT_TRUE(p->getLabel().isEmpty());
        EXPECT_FLOAT_EQ(p->getDefaultValue(), p->convertTo0to1(processor.paramProfile.getDefVal(i)));
    }
    EXPECT_FALSE(processor.isUndoReady()) << "building the state leaves no transaction";
}
