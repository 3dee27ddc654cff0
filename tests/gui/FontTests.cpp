// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "ZuCLAF_BaseBase.h"

#include <gtest/gtest.h>

namespace
{
float widthOf(const juce::Typeface::Ptr& face)
{
    return juce::Font(face).withHeight(40.0f).getStringWidthFloat("Numbers 0123 Medium");
}

class Fonts : public ::testing::Test
{
protected:
    juce::Typeface::Ptr faceFor(const juce::String& name)
    {
        return laf.getTypefaceForFont(juce::Font(name, 12.0f, juce::Font::plain));
    }

    ZuCLAF_BaseBase laf;
};

TEST_F(Fonts, NumberNamesGiveRegularOutlinesFromFourTypefaceObjects)
{
    const auto regular = faceFor("Regular");
    const auto medium = faceFor("Medium");
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(regular->getName(), "Red Hat Display");
    EXPECT_NE(widthOf(regular), widthOf(medium));

    juce::Array<juce::Typeface*> objects{regular.get()};
    for (auto name : {"Numb", "Numb2", "Numb3"})
    {
        const auto face = faceFor(name);
        EXPECT_EQ(widthOf(face), widthOf(regular)) << name;
        EXPECT_FALSE(objects.contains(face.get())) << name;
        objects.add(face.get());
    }
    // Each name keeps its object for the life of the process.
    EXPECT_EQ(faceFor("Numb2"), faceFor("Numb2"));
}

TEST_F(Fonts, EveryNameMapsToItsFace)
{
    struct Case
    {
        const char* name;
        const char* face;
    };
    const Case cases[] = {
        {"Thin", "Light"},        {"Light", "Light"}, {"Regular", "Regular"}, {"Medium", "Medium"},
        {"SemiBold", "SemiBold"}, {"Bold", "Bold"},   {"Black", "Bold"},      {"Logo", "SemiBold"},
        {"medium", "Medium"},     {"", "Medium"},     {"Sans", "Medium"},     {"<Sans-Serif>", "Medium"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widthOf(faceFor(c.name)), widthOf(faceFor(c.face))) << c.name;

    // Light, Regular, Medium, SemiBold and Bold are five different faces.
    juce::Array<float> widths;
    for (auto face : {"Light", "Regular", "Medium", "SemiBold", "Bold"})
        widths.addIfNotAlreadyThere(widthOf(faceFor(face)));
    EXPECT_EQ(widths.size(), 5);

    // Style flags play no part.
    EXPECT_EQ(laf.getTypefaceForFont(juce::Font("Medium", 12.0f, juce::Font::bold)), faceFor("Medium"));
    // The fallback is the Medium object itself.
    EXPECT_EQ(faceFor("medium"), faceFor("Medium"));
    EXPECT_EQ(faceFor(""), faceFor("Medium"));
}

// Ink in the upper half of the last columns of the area: letters have it,
// an ellipsis (dots on the baseline) does not.
bool endsInLetters(const juce::Image& image, juce::Rectangle<int> area)
{
    const auto top = area.withHeight(area.getHeight() * 2 / 5).withTrimmedLeft(area.getWidth() - 6);
    return !zutest::inkBoundsIn(image, top, juce::Colours::black).isEmpty();
}

TEST_F(Fonts, FittedTextSqueezesToItsMinimumScaleBeforeTheEllipsis)
{
    const juce::String text("HHHHHHHHHHHH");
    const float height = 30.0f;
    const float natural = ZuCLAF_BaseBase::faceFont("Medium", height).getStringWidthFloat(text);

    struct Case
    {
        int function; // 1 drawText, 2 drawText2
        float widthFactor;
        bool squeezed;
    };
    const Case cases[] = {
        {1, 0.55f, true},  // drawText squeezes down to half its width
        {1, 0.45f, false}, // below half it cuts
        {2, 0.85f, true},  // drawText2 squeezes only to 0.8
        {2, 0.55f, false},
    };
    for (const auto& c : cases)
    {
        const juce::Rectangle<int> area(10, 0, (int) (natural * c.widthFactor), (int) height);
        const auto image =
            zutest::paintImage(area.getRight() + 10, (int) height,
                               [&](juce::Graphics& g)
                               {
                                   if (c.function == 1)
                                       laf.drawText(g, text, "Medium", area.toFloat(), 1.0f, juce::Colours::white,
                                                    juce::Justification::centredLeft);
                                   else
                                       laf.drawText2(g, text, "Medium", area.toFloat(), 1.0f, juce::Colours::white,
                                                     juce::Justification::centredLeft);
                               });
        EXPECT_EQ(endsInLetters(image, area), c.squeezed) << "drawText" << c.function << " at " << c.widthFactor;
        EXPECT_LE(zutest::inkBounds(image, juce::Colours::black).getRight(), area.getRight() + 1);
    }
}

TEST_F(Fonts, DrawText3TakesAPointHeightWhateverTheAreaHeight)
{
    int inkHeight[2] = {};
    const int areaHeights[2] = {20, 80};
    for (int i = 0; i < 2; ++i)
    {
        const juce::Rectangle<float> area(0.0f, 0.0f, 200.0f, (float) areaHeights[i]);
        const auto image = zutest::paintImage(
            200, areaHeights[i],
            [&](juce::Graphics& g)
            { laf.drawText3(g, "H", "Medium", area, 12.0f, juce::Colours::white, juce::Justification::centred); });
        inkHeight[i] = zutest::inkBounds(image, juce::Colours::black).getHeight();
    }
    EXPECT_GT(inkHeight[0], 4);
    EXPECT_NEAR(inkHeight[0], inkHeight[1], 1);

    const auto font = ZuCLAF_BaseBase::faceFont("Medium", 2.0f).withPointHeight(12.0f);
    const auto image = zutest::paintImage(200, 80,
                                          [&](juce::Graphics& g)
                                          {
                                              g.setColour(juce::Colours::white);
                                              g.setFont(font);
                                              g.drawText("H", 0, 0, 200, 80, juce::Justification::centred);
                                          });
    EXPECT_NEAR(zutest::inkBounds(image, juce::Colours::black).getHeight(), inkHeight[1], 1);
}

TEST_F(Fonts, CreateTextPathAppendsToThePath)
{
    juce::Path path;
    laf.createTextPath(path, "12", "Medium", {0.0f, 0.0f, 100.0f, 100.0f}, 0.95f, juce::Justification::centred);
    const auto first = path.getBounds();
    EXPECT_FALSE(first.isEmpty());
    EXPECT_TRUE(juce::Rectangle<float>(0.0f, 0.0f, 100.0f, 100.0f).contains(first));

    laf.createTextPath(path, "34", "Medium", {200.0f, 0.0f, 100.0f, 100.0f}, 0.95f, juce::Justification::centred);
    EXPECT_LT(path.getBounds().getX(), 100.0f);
    EXPECT_GT(path.getBounds().getRight(), 200.0f);
}

TEST_F(Fonts, LassoUsesItsOwnOutlineColourId)
{
    juce::Component lasso;
    lasso.setSize(20, 10);
    lasso.setColour(ZuCLAF_BaseBase::lassoOutlineColourId, juce::Colour(0xffff0000));
    const auto image = zutest::paintImage(20, 10, [&](juce::Graphics& g) { laf.drawLasso(g, lasso); });
    EXPECT_EQ(image.getPixelAt(0, 0), juce::Colour(0xffff0000));
    EXPECT_EQ(image.getPixelAt(10, 5), juce::Colours::yellowgreen);
}
} // namespace
