// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawing look-and-feel members into images with the mouse flags set, and
// the screen sheets that show each member off, on, hovered and disabled.

#include "GuiTestHelpers.h"
#include "ZuCLAF_BaseBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace zutest
{
// The button as its member paints it: background pass, then text pass.
inline juce::Image drawButton(juce::LookAndFeel& laf, juce::TextButton& button, bool highlighted, bool down,
                              juce::Colour background = juce::Colour(0xff000000))
{
    return paintImage(
        button.getWidth(), button.getHeight(),
        [&](juce::Graphics& g)
        {
            laf.drawButtonBackground(g, button, button.findColour(juce::TextButton::buttonColourId), highlighted, down);
            laf.drawButtonText(g, button, highlighted, down);
        },
        background);
}

// A text button with distinct colours for its four colour ids.
inline std::unique_ptr<juce::TextButton> makeButton(const juce::String& text, int w, int h)
{
    auto b = std::make_unique<juce::TextButton>(text);
    b->setSize(w, h);
    b->setColour(juce::TextButton::buttonColourId, juce::Colour(0xff3a4a5a));
    b->setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xff2fa0e0));
    b->setColour(juce::TextButton::textColourOffId, juce::Colour(0xffb0b0b0));
    b->setColour(juce::TextButton::textColourOnId, juce::Colour(0xffffe060));
    return b;
}

struct SheetRow
{
    juce::String title;
    juce::LookAndFeel* laf;
    std::function<void(juce::TextButton&)> setup;
    int width = 60, height = 30;
};

// One row per entry: the member's button off, on, hovered, pressed and disabled.
inline juce::Image buttonSheet(const std::vector<SheetRow>& rows)
{
    constexpr int titleW = 230, cellW = 130, rowH = 60, columns = 5;
    juce::Image sheet(juce::Image::ARGB, titleW + columns * cellW, 30 + (int) rows.size() * rowH, true);
    juce::Graphics g(sheet);
    g.fillAll(juce::Colour(0xff303030));
    g.setColour(juce::Colours::white);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 14.0f));
    const char* heads[] = {"off", "on", "hovered", "pressed", "disabled"};
    for (int c = 0; c < columns; ++c)
        g.drawText(heads[c], titleW + c * cellW, 4, cellW, 20, juce::Justification::centred);
    for (size_t r = 0; r < rows.size(); ++r)
    {
        const auto& row = rows[r];
        const int y = 30 + (int) r * rowH;
        g.setColour(juce::Colours::white);
        g.drawText(row.title, 6, y, titleW - 8, rowH, juce::Justification::centredLeft);
        for (int c = 0; c < columns; ++c)
        {
            auto b = makeButton({}, row.width, row.height);
            row.setup(*b);
            b->setToggleState(c == 1, juce::dontSendNotification);
            b->setEnabled(c != 4);
            const auto img = drawButton(*row.laf, *b, c == 2 || c == 3, c == 3, juce::Colour(0xff000000));
            g.drawImageAt(img, titleW + c * cellW + (cellW - row.width) / 2, y + (rowH - row.height) / 2);
        }
    }
    return sheet;
}

// The largest red, green and blue values in the region.
inline juce::Colour brightest(const juce::Image& image, juce::Rectangle<int> region)
{
    juce::uint8 r = 0, gr = 0, b = 0;
    region = region.getIntersection(image.getBounds());
    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
        {
            const auto c = image.getPixelAt(x, y);
            r = std::max(r, c.getRed());
            gr = std::max(gr, c.getGreen());
            b = std::max(b, c.getBlue());
        }
    return juce::Colour(r, gr, b);
}

// How many pixels of the region are close to colour.
inline int countNear(const juce::Image& image, juce::Colour colour, int tolerance = 30,
                     juce::Rectangle<int> region = {})
{
    if (region.isEmpty())
        region = image.getBounds();
    int n = 0;
    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
        {
            const auto c = image.getPixelAt(x, y);
            if (std::abs(c.getRed() - colour.getRed()) + std::abs(c.getGreen() - colour.getGreen()) +
                    std::abs(c.getBlue() - colour.getBlue()) <=
                tolerance)
                ++n;
        }
    return n;
}

using StyleProps = std::vector<std::pair<juce::Identifier, juce::var>>;

// Sets the state a table case asks for on a button.
inline void configure(juce::Button& b, const juce::String& name, const StyleProps& props, bool toggled, bool enabled)
{
    b.setName(name);
    for (const auto& [key, value] : props)
        b.getProperties().set(key, value);
    b.setToggleState(toggled, juce::dontSendNotification);
    b.setEnabled(enabled);
}

// A table case's colour checks: colour in at least atLeast pixels of region
// (the whole image when empty), absent nowhere; transparent skips a check.
inline void expectColours(const juce::Image& image, juce::Colour colour, int atLeast, juce::Colour absent,
                          const char* what, juce::Rectangle<int> region = {})
{
    if (!colour.isTransparent())
    {
        EXPECT_GE(countNear(image, colour, 30, region), atLeast) << what;
    }
    if (!absent.isTransparent())
    {
        EXPECT_EQ(countNear(image, absent, 30), 0) << what;
    }
}
} // namespace zutest
