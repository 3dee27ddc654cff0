// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_Labels.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour parent(0xff2040c0);
const juce::Colour white(0xffffffff);

std::unique_ptr<juce::Label> makeLabel(const juce::String& text, int w, int h)
{
    auto l = std::make_unique<juce::Label>("", text);
    l->setSize(w, h);
    l->setColour(juce::Label::textColourId, white);
    l->setColour(juce::Label::backgroundColourId, juce::Colour(0xff406040));
    l->setJustificationType(juce::Justification::centred);
    return l;
}

juce::Image drawLabel(juce::LookAndFeel& laf, juce::Label& label)
{
    return zutest::paintImage(
        label.getWidth(), label.getHeight(), [&](juce::Graphics& g) { laf.drawLabel(g, label); }, parent);
}

struct LabelCase
{
    const char* what;
    std::function<juce::LookAndFeel*()> laf;
    const char* bgcolor; // nullptr: property absent
    bool enabled;
    juce::Colour expectedCorner; // the pixel at (0, 0)
    int expectedTextBrightness;  // 0: no text; else the text's brightest red, +-30
};

TEST(LabelMembers, BackgroundAndDisabledTextFollowTheirMember)
{
    ZuCLAF_Label label1;
    ZuCLAF_Label2 label2;
    ZuCLAF_SEQ1Label seq1;
    ZuCLAF_NoteLabel note;
    ZuCLAF_ValLabel val;
    ZuCLAF_Label3 label3;
    const juce::Colour black(0xff000000);
    const std::vector<LabelCase> cases = {
        {"Label, no bgcolor", [&] { return &label1; }, nullptr, true, black, 255},
        {"Label, transparent bgcolor", [&] { return &label1; }, "00000000", true, parent, 255},
        {"Label, red bgcolor", [&] { return &label1; }, "ffff0000", true, juce::Colour(0xffff0000), 255},
        {"Label disabled: 38 %", [&] { return &label1; }, nullptr, false, black, 97},
        {"Label2, no bgcolor", [&] { return &label2; }, nullptr, true, black, 255},
        {"Label2 disabled: no text", [&] { return &label2; }, nullptr, false, black, 0},
        {"SEQ1Label: no fill", [&] { return &seq1; }, "ffff0000", true, parent, 255},
        {"SEQ1Label disabled: 38 %", [&] { return &seq1; }, nullptr, false, parent, 97},
        {"NoteLabel, no bgcolor", [&] { return &note; }, nullptr, true, black, 255},
        {"NoteLabel disabled: 38 %", [&] { return &note; }, nullptr, false, black, 97},
        {"ValLabel, no bgcolor", [&] { return &val; }, nullptr, true, black, 255},
        {"ValLabel disabled: no text", [&] { return &val; }, nullptr, false, black, 0},
        {"Label3: no fill", [&] { return &label3; }, "ffff0000", true, parent, 255},
        {"Label3 disabled: nothing", [&] { return &label3; }, nullptr, false, parent, 0},
    };
    for (const auto& c : cases)
    {
        auto label = makeLabel("Oct", 80, 24);
        if (c.bgcolor != nullptr)
            label->getProperties().set(ZuStyle::bgcolor, c.bgcolor);
        label->setEnabled(c.enabled);
        const auto image = drawLabel(*c.laf(), *label);
        // The value label's rounded box reaches a little into the corner pixel.
        const auto corner = image.getPixelAt(0, 0);
        EXPECT_LE(std::abs(corner.getRed() - c.expectedCorner.getRed()) +
                      std::abs(corner.getGreen() - c.expectedCorner.getGreen()) +
                      std::abs(corner.getBlue() - c.expectedCorner.getBlue()),
                  24)
            << c.what;
        // The text sits in the middle third; the value label's rounded box
        // in the background colour (green) is not text.
        const auto text = zutest::brightest(image, {20, 4, 40, 16});
        if (c.expectedTextBrightness == 0)
        {
            EXPECT_LT(text.getRed(), 0x60) << c.what;
        }
        else
            EXPECT_NEAR(text.getRed(), c.expectedTextBrightness, 30) << c.what;
    }
}

TEST(LabelMembers, ValLabelDrawsARoundedBoxInTheBackgroundColour)
{
    ZuCLAF_ValLabel val;
    auto label = makeLabel("", 40, 20);
    const auto image = drawLabel(val, *label);
    EXPECT_EQ(image.getPixelAt(20, 10), juce::Colour(0xff406040));
    // Black "bgcolor" shows where the rounded corner leaves it.
    EXPECT_LT(image.getPixelAt(0, 0).getGreen(), 0x20);
    EXPECT_GT(image.getPixelAt(0, 10).getGreen(), 0x20);
}

TEST(LabelMembers, JustificationIsTheLabelsOwnWhereTheMemberSaysSo)
{
    ZuCLAF_Label label1;
    ZuCLAF_Label2 label2;
    auto label = makeLabel("ab", 200, 20);
    label->setJustificationType(juce::Justification::centredLeft);
    const auto centred = zutest::inkBounds(drawLabel(label1, *label), juce::Colour(0xff000000));
    const auto left = zutest::inkBounds(drawLabel(label2, *label), juce::Colour(0xff000000));
    EXPECT_GT(centred.getX(), 80);
    EXPECT_LT(left.getX(), 10);
}

TEST(LabelMembers, StandingLabelReadsBottomToTopAtSixTenthsOfItsWidth)
{
    ZuCLAF_VerticalLabel vertical;
    auto label = makeLabel("Iooo", 20, 120);
    label->setJustificationType(juce::Justification::centred);
    auto image = drawLabel(vertical, *label);
    const auto ink = zutest::inkBounds(image, parent);
    ASSERT_FALSE(ink.isEmpty());
    // Capital height of a 12 px font, turned on its side.
    EXPECT_LE(ink.getWidth(), 12);
    EXPECT_GE(ink.getWidth(), 6);
    EXPECT_GT(ink.getHeight(), 2 * ink.getWidth()) << ink.toString();
    // The "I" is at the bottom and spans the capital height; the small
    // letters at the top sit on the baseline, which faces right.
    const auto top = zutest::inkBoundsIn(image, ink.withHeight(3), parent);
    const auto bottom = zutest::inkBoundsIn(image, ink.withTrimmedTop(ink.getHeight() - 3), parent);
    EXPECT_GT(top.getX(), ink.getX() + 1);
    EXPECT_GT(bottom.getWidth(), top.getWidth());

    // Made wider than tall it draws flat, 0.6 of its height.
    label->setSize(120, 20);
    image = drawLabel(vertical, *label);
    const auto flat = zutest::inkBounds(image, parent);
    EXPECT_GT(flat.getWidth(), flat.getHeight());
    EXPECT_LE(flat.getHeight(), 12);
}

TEST(LabelMembers, MenuLabelFillsWithItsBackgroundAndDrawsFittedText)
{
    ZuCLAF_MenuLabel menu;
    auto label = makeLabel("ZU-MIRA8", 120, 20);
    const auto image = drawLabel(menu, *label);
    EXPECT_NEAR(image.getPixelAt(0, 0).getGreen(), 0x60, 2);
    EXPECT_GT(zutest::brightest(image, image.getBounds()).getRed(), 0xe0);
}

TEST(Screens, LabelMembers)
{
    ZuCLAF_Label label1;
    ZuCLAF_Label2 label2;
    ZuCLAF_Label3 label3;
    ZuCLAF_SEQ1Label seq1;
    ZuCLAF_NoteLabel note;
    ZuCLAF_ValLabel val;
    ZuCLAF_VerticalLabel vertical;
    ZuCLAF_MenuLabel menu;
    const std::vector<std::pair<const char*, juce::LookAndFeel*>> rows = {
        {"ZuCLAF_Label", &label1},           {"ZuCLAF_Label2", &label2},  {"ZuCLAF_Label3", &label3},
        {"ZuCLAF_SEQ1Label", &seq1},         {"ZuCLAF_NoteLabel", &note}, {"ZuCLAF_ValLabel", &val},
        {"ZuCLAF_VerticalLabel", &vertical}, {"ZuCLAF_MenuLabel", &menu}};
    juce::Image sheet(juce::Image::ARGB, 560, 40 + 130 * (int) rows.size() / 2, true);
    juce::Graphics g(sheet);
    g.fillAll(juce::Colour(0xff303030));
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const int x = (int) (i % 2) * 280, y = 10 + (int) (i / 2) * 130;
        g.setColour(white);
        g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 14.0f));
        g.drawText(rows[i].first, x + 6, y, 260, 18, juce::Justification::centredLeft);
        for (int s = 0; s < 2; ++s)
        {
            const bool standing = rows[i].second == &vertical;
            auto label = makeLabel(standing ? "Pitch SEQ1" : "C#3 Label", standing ? 20 : 100, standing ? 96 : 24);
            label->setJustificationType(juce::Justification::centred);
            label->setColour(juce::Label::textColourId, juce::Colour(0xffe0e0e0));
            label->setEnabled(s == 0);
            const auto img = drawLabel(*rows[i].second, *label);
            g.drawImageAt(img, x + 10 + s * 130, y + 24);
        }
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-labels.png"));
}
} // namespace
