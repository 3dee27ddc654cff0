// SPDX-License-Identifier: GPL-3.0-or-later
// Untrusted documents too deep for JUCE's recursive parser are refused first.
#include "ZuXmlGuard.h"

#include <gtest/gtest.h>

namespace
{
juce::String nested(int depth, const juce::String& open = "<a>", const juce::String& close = "</a>")
{
    juce::String text;
    for (int i = 0; i < depth; ++i)
        text << open;
    for (int i = 0; i < depth; ++i)
        text << close;
    return text;
}
} // namespace

TEST(XmlGuard, NestingIsCountedAsTheParserReadsIt)
{
    struct Case
    {
        juce::String text;
        bool within;
    };
    const Case cases[] = {
        {"", true},
        {"<?xml version=\"1.0\"?><ROOT a=\"1\"><b/><c></c></ROOT>", true},
        {nested(32), true},
        {nested(33), false},
        {nested(30000), false},
        // Self-closing elements, siblings and closing tags of any name.
        {"<r>" + nested(20, "<x/><y>", "</z>") + "</r>", true},
        // Markup inside attribute values, comments and CDATA is text.
        {"<r v=\"" + nested(40, "&lt;a&gt;<b>", "") + "\"/>", true},
        {"<r v='<a><a><a>'>" + nested(31) + "</r>", true},
        {"<r><!--" + nested(40) + "--></r>", true},
        {"<r><![CDATA[" + nested(40) + "]]></r>", true},
        // A DTD: its entities expand recursively.
        {"<!DOCTYPE r [<!ENTITY e \"&e;\">]><r>&e;</r>", false},
        {"<!DOCTYPE r><r/>", false},
        // A truncated document is no deeper than what it holds.
        {"<r><a><b", true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text.substring(0, 80).toStdString());
        EXPECT_EQ(zu::isXmlNestingWithin(c.text), c.within);
    }
}

TEST(XmlGuard, GuardedParsesRefuseDeepDocumentsAndReadTheRest)
{
    EXPECT_EQ(zu::parseXmlGuarded(nested(40000)), nullptr);
    const auto ok = zu::parseXmlGuarded("<ROOT><a b=\"2\"/></ROOT>");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->getChildByName("a")->getIntAttribute("b"), 2);

    const auto dir = juce::File::createTempFile("xmlguard");
    ASSERT_TRUE(dir.createDirectory());
    const auto deep = dir.getChildFile("deep.xml");
    ASSERT_TRUE(deep.replaceWithText("<ROOT>" + nested(40000) + "</ROOT>"));
    EXPECT_EQ(zu::parseXmlGuarded(deep), nullptr);
    EXPECT_EQ(zu::parseXmlGuarded(dir.getChildFile("missing.xml")), nullptr);
    dir.deleteRecursively();
}
