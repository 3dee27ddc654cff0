// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
TEST(StyleProperties, ColoursReadWithOrWithoutHexPrefixAndFallBackToTheReadersDefault)
{
    juce::Component widget;
    EXPECT_EQ(ZuStyle::colour(widget, ZuStyle::bgcolor, juce::Colour(0xff000000)), juce::Colour(0xff000000));
    EXPECT_EQ(ZuStyle::colour(widget, ZuStyle::bgcolor, juce::Colour(0xff202020)), juce::Colour(0xff202020));

    for (auto text : {"ff202020", "0xff202020"})
    {
        widget.getProperties().set(ZuStyle::bgcolor, text);
        EXPECT_EQ(ZuStyle::colour(widget, ZuStyle::bgcolor, juce::Colour(0xff000000)), juce::Colour(0xff202020))
            << text;
    }

    ZuStyle::setColour(widget, ZuStyle::outlinecolor, juce::Colour(0x80123456));
    EXPECT_EQ(widget.getProperties()[ZuStyle::outlinecolor].toString(), "80123456");
    EXPECT_EQ(ZuStyle::colour(widget, ZuStyle::outlinecolor, {}), juce::Colour(0x80123456));
}

TEST(StyleProperties, NumbersAndTextsKeepTheirEncodings)
{
    juce::Component widget;
    EXPECT_FLOAT_EQ(ZuStyle::real(widget, ZuStyle::fontsize, 0.6f), 0.6f);
    EXPECT_EQ(ZuStyle::integer(widget, ZuStyle::uniti, -1), -1);
    EXPECT_EQ(ZuStyle::text(widget, ZuStyle::modsrc, "-"), "-");

    ZuStyle::setReal(widget, ZuStyle::fontsize, 0.85f);
    EXPECT_EQ((double) widget.getProperties()[ZuStyle::fontsize], 0.8500000238418579);
    EXPECT_FLOAT_EQ(ZuStyle::real(widget, ZuStyle::fontsize, 0.6f), 0.85f);
    widget.getProperties().set(ZuStyle::uniti, 3);
    EXPECT_EQ(ZuStyle::integer(widget, ZuStyle::uniti, -1), 3);
    widget.getProperties().set(ZuStyle::modsrc, "5");
    EXPECT_EQ(ZuStyle::text(widget, ZuStyle::modsrc, "-"), "5");
}
} // namespace
