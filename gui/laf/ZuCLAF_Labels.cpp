// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Labels.h"

#include "ZuStyleProps.h"

namespace
{
const juce::Colour defaultBg(0xff000000);
constexpr float disabledAlpha = 0.38f;
constexpr float defaultFontSize = 0.6f;
const char* const defaultFace = "Medium";

struct LabelLook
{
    juce::String text;
    juce::Rectangle<float> b;
    bool enabled;
    juce::Colour background, textColour;
    float fontSize;
    juce::String face;
};

LabelLook lookOf(const juce::Label& label)
{
    return {label.getText(false),
            label.getLocalBounds().toFloat(),
            label.isEnabled(),
            label.findColour(juce::Label::backgroundColourId),
            label.findColour(juce::Label::textColourId),
            ZuStyle::real(label, ZuStyle::fontsize, defaultFontSize),
            ZuStyle::text(label, ZuStyle::fontface, defaultFace)};
}

void fillBg(juce::Graphics& g, const juce::Label& label)
{
    g.fillAll(ZuStyle::colour(label, ZuStyle::bgcolor, defaultBg));
}

juce::Colour textAlpha(const LabelLook& l)
{
    return l.textColour.withAlpha(l.enabled ? 1.0f : disabledAlpha);
}
} // namespace

void ZuCLAF_Label::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    fillBg(g, label);
    drawText(g, l.text, l.face, l.b, l.fontSize, textAlpha(l), juce::Justification::centred);
}

void ZuCLAF_Label2::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    fillBg(g, label);
    if (l.enabled)
        drawText(g, l.text, l.face, l.b, l.fontSize, l.textColour.withAlpha(1.0f), label.getJustificationType());
}

void ZuCLAF_Label3::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    if (l.enabled)
        drawText2(g, l.text, l.face, l.b, l.fontSize, l.textColour.withAlpha(1.0f), label.getJustificationType());
}

void ZuCLAF_SEQ1Label::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    drawText(g, l.text, l.face, l.b, l.fontSize, textAlpha(l), juce::Justification::centred);
}

void ZuCLAF_NoteLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    fillBg(g, label);
    drawText(g, l.text, l.face, l.b, l.fontSize, textAlpha(l), label.getJustificationType());
}

void ZuCLAF_ValLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    fillBg(g, label);
    g.setColour(l.background);
    g.fillRoundedRectangle(l.b.getX() + 0.5f, l.b.getY() + 0.5f, juce::jmax(l.b.getWidth() - 1.0f, 0.0f),
                           juce::jmax(l.b.getHeight() - 1.0f, 0.0f), 1.0f);
    if (l.enabled)
        drawText(g, l.text, l.face, l.b, l.fontSize, l.textColour.withAlpha(1.0f), label.getJustificationType());
}

void ZuCLAF_VerticalLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto l = lookOf(label);
    const auto b = l.b;
    if (b.getHeight() <= b.getWidth())
    {
        drawText(g, l.text, l.face, b, l.fontSize, textAlpha(l), juce::Justification::centred);
        return;
    }

    // Laid out flat in a box ten widths wide centred on the label, then turned
    // three quarters of a turn about the centre so that it reads upwards.
    const auto font = faceFont(l.face, 2.0f, juce::Font::bold).withHeight(l.fontSize * b.getWidth());
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(font, l.text, b.getX() - 4.5f * b.getWidth(), b.getY(), 10.0f * b.getWidth(), b.getHeight(),
                         label.getJustificationType(), 1, 0.01f);
    juce::Path path;
    glyphs.createPath(path);
    path.applyTransform(
        juce::AffineTransform::rotation(4.71238899f, b.getX() + 0.5f * b.getWidth(), b.getY() + 0.5f * b.getHeight()));
    g.setColour(textAlpha(l));
    g.fillPath(path);
}

void ZuCLAF_MenuLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto b = label.getLocalBounds().toFloat();
    const auto background = label.findColour(juce::Label::backgroundColourId);
    g.fillAll(ZuStyle::colour(label, ZuStyle::bgcolor, juce::Colour(0xff202020)));
    g.fillAll(background);
    g.setColour(background);
    g.fillRoundedRectangle(b, 3.0f);

    g.setColour(label.findColour(juce::Label::textColourId));
    g.setFont(faceFont("SemiBold", 0.9f * b.getHeight(), juce::Font::bold));
    g.drawFittedText(label.getText(false), label.getLocalBounds(), label.getJustificationType(), 1, 0.5f);
}
