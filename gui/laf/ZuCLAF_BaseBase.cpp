// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_BaseBase.h"

#include "ZuFontData.h"

namespace
{
// Each getter loads its own typeface object once per process; the same file
// may therefore be loaded more than once (the number faces are separate
// objects from the Regular face). A slot's object is created on the first
// call (function-local statics give guarded one-time creation) and kept until
// the process ends.
template <int Slot> juce::Typeface::Ptr faceOnce(const char* data, int size)
{
    static const auto face = juce::Typeface::createSystemTypefaceFor(data, (size_t) size);
    return face;
}

juce::Typeface::Ptr getLightFont()
{
    return faceOnce<0>(ZuFontData::RedHatDisplayLight_ttf, ZuFontData::RedHatDisplayLight_ttfSize);
}

juce::Typeface::Ptr getRegFont()
{
    return faceOnce<1>(ZuFontData::RedHatDisplayRegular_ttf, ZuFontData::RedHatDisplayRegular_ttfSize);
}

juce::Typeface::Ptr getMedFont()
{
    return faceOnce<2>(ZuFontData::RedHatDisplayMedium_ttf, ZuFontData::RedHatDisplayMedium_ttfSize);
}

juce::Typeface::Ptr getSemiBoldFont()
{
    return faceOnce<3>(ZuFontData::RedHatDisplaySemiBold_ttf, ZuFontData::RedHatDisplaySemiBold_ttfSize);
}

juce::Typeface::Ptr getBoldFont()
{
    return faceOnce<4>(ZuFontData::RedHatDisplayBold_ttf, ZuFontData::RedHatDisplayBold_ttfSize);
}

juce::Typeface::Ptr getLogoFont()
{
    return faceOnce<5>(ZuFontData::RedHatDisplaySemiBold_ttf, ZuFontData::RedHatDisplaySemiBold_ttfSize);
}

juce::Typeface::Ptr getNumbFont()
{
    return faceOnce<6>(ZuFontData::RedHatDisplayRegular_ttf, ZuFontData::RedHatDisplayRegular_ttfSize);
}

juce::Typeface::Ptr getNumbFont2()
{
    return faceOnce<7>(ZuFontData::RedHatDisplayRegular_ttf, ZuFontData::RedHatDisplayRegular_ttfSize);
}

juce::Typeface::Ptr getNumbFont3()
{
    return faceOnce<8>(ZuFontData::RedHatDisplayRegular_ttf, ZuFontData::RedHatDisplayRegular_ttfSize);
}

} // namespace

juce::Typeface::Ptr ZuCLAF_BaseBase::getTypefaceForFont(const juce::Font& font)
{
    return typefaceFor(font.getTypefaceName());
}

juce::Typeface::Ptr ZuCLAF_BaseBase::typefaceFor(const juce::String& name)
{
    // Exact, case-sensitive names, tested in this order; anything else,
    // JUCE's default sans-serif name included, is Medium.
    if (name == "Thin" || name == "Light")
        return getLightFont();
    if (name == "Regular")
        return getRegFont();
    if (name == "Medium")
        return getMedFont();
    if (name == "SemiBold")
        return getSemiBoldFont();
    if (name == "Bold" || name == "Black")
        return getBoldFont();
    if (name == "Logo")
        return getLogoFont();
    if (name == "Numb")
        return getNumbFont();
    if (name == "Numb2")
        return getNumbFont2();
    if (name == "Numb3")
        return getNumbFont3();
    return getMedFont();
}

juce::Font ZuCLAF_BaseBase::faceFont(const juce::String& face, float height, int)
{
    // A font made from the typeface keeps it whatever the default
    // look-and-feel is; setting style flags on it would drop it again.
    return juce::Font(typefaceFor(face)).withHeight(height);
}

void ZuCLAF_BaseBase::drawBubble(juce::Graphics& g, juce::BubbleComponent&, const juce::Point<float>& tip,
                                 const juce::Rectangle<float>& body)
{
    const juce::Rectangle<float> tipRect(tip.x, tip.y, 1.0f, 1.0f);
    const auto maximumArea = body.isEmpty() ? tipRect : body.getUnion(tipRect);

    juce::Path p;
    p.addBubble(body, maximumArea, tip, 1.0f, 4.0f);

    g.setColour(juce::Colour(0xff303030).withAlpha(0.6f));
    g.fillPath(p);
    g.setColour(juce::Colour(0xffcccccc));
    g.strokePath(p, juce::PathStrokeType(0.5f));
}

void ZuCLAF_BaseBase::drawLasso(juce::Graphics& g, juce::Component& lasso)
{
    g.fillAll(juce::Colours::yellowgreen);
    g.setColour(lasso.findColour(lassoOutlineColourId));
    g.drawRect(lasso.getLocalBounds(), 1);
}

juce::GlyphArrangement ZuCLAF_BaseBase::fitText(const juce::String& text, const juce::Font& font,
                                                juce::Rectangle<float> area, juce::Justification justification,
                                                float minimumScale)
{
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(font, text, area.getX(), area.getY(), area.getWidth(), area.getHeight(), justification, 1,
                         minimumScale);
    return glyphs;
}

void ZuCLAF_BaseBase::drawText(juce::Graphics& g, const juce::String& text, const juce::String& face,
                               juce::Rectangle<float> area, float heightFactor, juce::Colour colour,
                               juce::Justification justification)
{
    const auto font = faceFont(face, heightFactor * area.getHeight());
    g.setColour(colour);
    fitText(text, font, area, justification, minScaleWide).draw(g);
}

void ZuCLAF_BaseBase::drawText2(juce::Graphics& g, const juce::String& text, const juce::String& face,
                                juce::Rectangle<float> area, float heightFactor, juce::Colour colour,
                                juce::Justification justification)
{
    const auto font = faceFont(face, heightFactor * area.getHeight());
    g.setColour(colour);
    fitText(text, font, area, justification, minScaleNarrow).draw(g);
}

void ZuCLAF_BaseBase::drawText3(juce::Graphics& g, const juce::String& text, const juce::String& face,
                                juce::Rectangle<float> area, float pointHeight, juce::Colour colour,
                                juce::Justification justification)
{
    const auto font = faceFont(face, 2.0f).withPointHeight(pointHeight);
    g.setColour(colour);
    fitText(text, font, area, justification, minScaleNarrow).draw(g);
}

void ZuCLAF_BaseBase::createTextPath(juce::Path& out, const juce::String& text, const juce::String& face,
                                     juce::Rectangle<float> area, float heightFactor, juce::Justification justification)
{
    const auto font = faceFont(face, heightFactor * area.getHeight(), juce::Font::bold);
    juce::Path glyphs;
    fitText(text, font, area, justification, minScaleWide).createPath(glyphs);
    out.addPath(glyphs);
}
