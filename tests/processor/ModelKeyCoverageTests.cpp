// SPDX-License-Identifier: GPL-3.0-or-later
// The identifiers the trees and host parameters carry and the names the data
// models hold are the same set: every value reaches a model field, and every
// model key has a source.
#include "ProcessorTestHelpers.h"
#include "ZuData.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
struct ModelKeys : ::testing::Test
{
    void SetUp() override
    {
        processor.preparePlugin();
        pitch.createParamMap();
        param.createParamMap();
        cc.createParamMap();
        oct.createParamMap();
        global.createParamMap();
    }

    // Unit keys (identifier without the 6-character prefix) by owner digit,
    // from the "seqmain" children and the host parameters.
    std::map<int, std::set<juce::String>> unitKeys() const
    {
        std::map<int, std::set<juce::String>> keys;
        for (const auto& unit : processor.paramTree.getChildWithName("seqmain"))
            for (int i = 0; i < unit.getNumProperties(); ++i)
            {
                const auto id = unit.getPropertyName(i).toString();
                keys[id[1] - '0'].insert(id.substring(6));
            }
        for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        {
            const auto id = processor.paramProfile.getParamID(i);
            if (id.length() > 6 && id[2] == 'm')
                keys[id[1] - '0'].insert(id.substring(6));
        }
        return keys;
    }

    template <class Model> static std::set<juce::String> mapKeys(const Model& m)
    {
        std::set<juce::String> keys;
        for (const auto& entry : m.paramMap)
            keys.insert(entry.first);
        return keys;
    }

    // Keys of the trees that no model holds: step locks and panel state.
    static bool isPanelKey(const juce::String& key) { return key.startsWith("slk") || key == "page" || key == "vgp"; }

    RecordingProcessor processor;
    CtrPtchSqData pitch;
    CtrPrmSqData param;
    CtrCcSqData cc;
    CtrOctSqData oct;
    MirabelGlobalData global;
};
} // namespace

TEST_F(ModelKeys, UnitTreesAndParametersMatchTheUnitModels)
{
    auto keys = unitKeys();
    const std::pair<int, std::set<juce::String>> models[] = {
        {1, mapKeys(pitch)}, {2, mapKeys(param)}, {3, mapKeys(cc)}, {4, mapKeys(oct)}};
    for (const auto& [digit, modelKeys] : models)
    {
        std::set<juce::String> sourceKeys;
        for (const auto& key : keys[digit])
            if (!isPanelKey(key))
                sourceKeys.insert(key);
        for (const auto& key : sourceKeys)
            EXPECT_EQ(modelKeys.count(key), 1u) << "owner " << digit << ": " << key << " reaches no field";
        for (const auto& key : modelKeys)
            EXPECT_EQ(sourceKeys.count(key), 1u) << "owner " << digit << ": " << key << " has no source";
    }
}

TEST_F(ModelKeys, GlobalPropertiesAndParametersMatchTheGlobalModel)
{
    std::set<juce::String> sources;
    auto addOwned = [&sources](const juce::ValueTree& tree)
    {
        for (int i = 0; i < tree.getNumProperties(); ++i)
        {
            const auto id = tree.getPropertyName(i).toString();
            if (id.startsWith("p0"))
                sources.insert(id);
        }
    };
    addOwned(processor.paramTree);
    addOwned(processor.paramTree.getChildWithName("otherparams"));
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        if (processor.paramProfile.getParamID(i).startsWith("p0"))
            sources.insert(processor.paramProfile.getParamID(i));

    const auto modelKeys = mapKeys(global);
    for (const auto& id : sources)
    {
        if (id == "p0_chrtrksel") // the chainer page's track group, editor state only
            continue;
        EXPECT_EQ(modelKeys.count(id), 1u) << id << " reaches no field";
    }
    for (const auto& key : modelKeys)
    {
        // The companions of the global values exist in the map but nothing writes them.
        if (key.contains("_modsrc") || key.contains("_moddep"))
            continue;
        EXPECT_EQ(sources.count(key), 1u) << key << " has no source";
    }
}

TEST_F(ModelKeys, TreeDefaultsReachTheModelsUnchanged)
{
    // Writing every default of the live trees through the models leaves each
    // unit model at its own construction values: the two sides agree.
    const int relbn = pitch.units[3].snaps[0].relbn.value;
    for (const auto& unit : processor.paramTree.getChildWithName("seqmain"))
        for (int i = 0; i < unit.getNumProperties(); ++i)
        {
            const auto id = unit.getPropertyName(i).toString();
            const float v = (float) unit.getProperty(id);
            switch (id[1] - '0')
            {
            case 1:
                pitch.setParamVal(id, v);
                break;
            case 2:
                param.setParamVal(id, v);
                break;
            case 3:
                cc.setParamVal(id, v);
                break;
            case 4:
                oct.setParamVal(id, v);
                break;
            default:
                break;
            }
        }
    EXPECT_EQ(pitch.units[3].snaps[0].relbn.value, relbn) << "the base note the editor shows is the one played";
    for (int u = 0; u < 4; ++u)
    {
        for (int s = 0; s < 8; ++s)
        {
            // The tree's 0 is "no item chosen" (target -1), the model's default too.
            EXPECT_EQ(param.units[(size_t) u].snaps[(size_t) s].steps[5].emenu, -1);
        }
        EXPECT_FLOAT_EQ(cc.units[(size_t) u].snaps[0].omax, 127.0f);
        EXPECT_EQ(pitch.units[(size_t) u].snaps[0].steps[31].oct.value, 2);
    }
    EXPECT_EQ(oct.units[0].snaps[0].steps[0].soct.value, 2);
}
