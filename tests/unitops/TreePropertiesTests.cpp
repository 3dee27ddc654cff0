// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing tree properties by position, and copying a tree onto
// another, as the state load does it.
#include "ZuParamTrees.h"
#include "ZuTreeProperties.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
juce::ValueTree numberedNode(int count)
{
    juce::ValueTree node("node");
    for (int i = 0; i < count; ++i)
        node.setProperty("k" + juce::String(i), i, nullptr);
    return node;
}

// What a listener sees when it is told: the property and its value then.
struct Recorder : juce::ValueTree::Listener
{
    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override
    {
        heard.emplace_back(property.toString(), tree.getProperty(property));
    }
    std::vector<std::pair<juce::String, juce::var>> heard;
};
} // namespace

TEST(TreeProperties, APropertyIsFoundFromEveryStartAndAMissingOneNowhere)
{
    const auto node = numberedNode(9);
    for (int from = -2; from < 12; ++from)
    {
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(zu::propertyIndexFrom(node, "k" + juce::String(i), from), i) << from;
        EXPECT_EQ(zu::propertyIndexFrom(node, "missing", from), -1);
    }
    EXPECT_EQ(zu::propertyIndexFrom(juce::ValueTree("empty"), "k0", 0), -1);

    auto copy = node.createCopy();
    *zu::propertyValueAt(copy, 4) = "four";
    EXPECT_EQ(copy.getProperty("k4").toString(), "four");
    EXPECT_EQ((int) node.getProperty("k4"), 4) << "the copy owns its values";
    EXPECT_EQ(zu::propertyValueAt(copy, 9), nullptr);
}

TEST(TreeProperties, SyncingTellsOfEachChangedValueOnceWithTheValueInPlace)
{
    auto destination = numberedNode(6);
    destination.appendChild(numberedNode(3), nullptr);
    auto source = numberedNode(6);
    source.setProperty("k1", 10, nullptr);
    source.setProperty("k3", "3", nullptr); // the same number as text: another value
    source.setProperty("k5", 50, nullptr);
    source.setProperty("new", 1, nullptr); // the destination never gains a property
    source.appendChild(numberedNode(3), nullptr);
    source.getChild(0).setProperty("k2", 20, nullptr);

    Recorder recorder;
    destination.addListener(&recorder);
    zu::unitops::syncTrees(source, destination);
    destination.removeListener(&recorder);

    const std::vector<std::pair<juce::String, juce::var>> expected = {{"k1", 10}, {"k3", "3"}, {"k5", 50}, {"k2", 20}};
    ASSERT_EQ(recorder.heard.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(recorder.heard[i].first, expected[i].first);
        EXPECT_TRUE(recorder.heard[i].second.equalsWithSameType(expected[i].second)) << expected[i].first;
    }
    EXPECT_FALSE(destination.hasProperty("new"));
    EXPECT_EQ(destination.getNumProperties(), 6);
}
