// SPDX-License-Identifier: GPL-3.0-or-later
// The state document reader. Large nodes of a layout it has read before are
// built by copying that layout; whatever a document holds, each node must come
// out as reading its attributes one by one into a new tree gives.
#include "ZuStateText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Attributes = std::vector<std::pair<juce::String, juce::String>>;

struct Node
{
    const char* type;
    Attributes attributes;
    bool withChild = false;
};

Attributes numbered(const char* prefix, int count, int firstValue)
{
    Attributes a;
    for (int i = 0; i < count; ++i)
        a.emplace_back(prefix + juce::String(i), juce::String(firstValue + i * 0.25));
    return a;
}

std::string documentText(const std::vector<Node>& nodes)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <ROOT pluginVersion=\"1.182\">";
    for (const auto& n : nodes)
    {
        text += std::string("<") + n.type;
        for (const auto& [name, value] : n.attributes)
            text += " " + name.toStdString() + "=\"" + value.toStdString() + "\"";
        text += n.withChild ? std::string("><inner x=\"1\"/></") + n.type + ">" : std::string("/>");
    }
    return text + "</ROOT>";
}

// The tree that setting each attribute in turn gives: a repeated name keeps
// its first place and takes its last value.
juce::ValueTree expectedTree(const Node& n)
{
    juce::ValueTree tree(n.type);
    for (const auto& [name, value] : n.attributes)
        tree.setProperty(name, value, nullptr);
    if (n.withChild)
        tree.appendChild(juce::ValueTree("inner", {{"x", "1"}}), nullptr);
    return tree;
}

void expectSameTree(const juce::ValueTree& actual, const juce::ValueTree& expected, size_t node)
{
    ASSERT_TRUE(actual.isEquivalentTo(expected)) << "node " << node;
    for (int i = 0; i < expected.getNumProperties(); ++i)
        EXPECT_EQ(actual.getPropertyName(i), expected.getPropertyName(i)) << "node " << node << " position " << i;
    for (int i = 0; i < expected.getNumProperties(); ++i)
        EXPECT_TRUE(actual.getProperty(expected.getPropertyName(i)).isString()) << "values stay text";
}
} // namespace

TEST(StateText, NodesOfALayoutReadBeforeComeOutAsAttributeByAttributeReading)
{
    const auto base = numbered("q_a", 40, 0);
    auto renamed = base;
    renamed[17].first = "q_other";
    auto longer = base;
    longer.emplace_back("q_extra", "5");
    auto shorter = base;
    shorter.pop_back();
    auto repeated = base;
    repeated[30].first = base[3].first; // a damaged document names a property twice
    auto swapped = base;
    std::swap(swapped[5], swapped[6]);
    auto otherValues = numbered("q_a", 40, 9);
    otherValues[2].second = "some text";
    otherValues[3].second = "";
    otherValues[4].second = juce::CharPointer_UTF8("\xc3\xa9");
    otherValues[6].second = "-1";

    const std::vector<Node> nodes = {{"unit", base, true},
                                     {"unit", otherValues},
                                     {"unit", renamed},
                                     {"unit", base},
                                     {"unit", longer},
                                     {"unit", shorter},
                                     {"unit", repeated},
                                     {"unit", swapped},
                                     {"unit", base},
                                     {"other", base},
                                     {"unit", numbered("q_b", 3, 1)},
                                     {"unit", numbered("q_b", 3, 2), true},
                                     {"unit", base, true}};
    const auto text = documentText(nodes);

    // Twice: the second reading finds every layout known.
    for (int reading = 0; reading < 2; ++reading)
    {
        const auto document = zu::statetext::parseDocument(text.data(), text.size());
        ASSERT_TRUE(document.has_value());
        ASSERT_EQ(document->children.size(), nodes.size());
        for (size_t i = 0; i < nodes.size(); ++i)
            expectSameTree(document->children[i], expectedTree(nodes[i]), i);
    }
}
