// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Root of every look-and-feel class of the editor: maps the face names the
// panels use ("Medium", "SemiBold", "Numb" ...) to the embedded Red Hat
// Display typefaces, draws the slider value bubble and the lasso, and fits one
// line of text into a box, drawn at once or turned into a path.
//
// Fonts are resolved by this object's own name table, not through JUCE's
// default look-and-feel, so a member draws in the right face whichever
// look-and-feel is the process default. The style flags of a font never pick
// the face: "Medium" with the bold flag is still Medium.
class ZuCLAF_BaseBase : public juce::LookAndFeel_V4
{
public:
    ZuCLAF_BaseBase() = default;
    ~ZuCLAF_BaseBase() override = default;

    juce::Typeface::Ptr getTypefaceForFont(const juce::Font& font) override;
    void drawBubble(juce::Graphics& g, juce::BubbleComponent& bubble, const juce::Point<float>& tip,
                    const juce::Rectangle<float>& body) override;
    void drawLasso(juce::Graphics& g, juce::Component& lasso) override;

    // Fitted text, one line: squeezed horizontally down to 0.5 of its width,
    // then cut with an ellipsis. The height is factor x area height.
    void drawText(juce::Graphics& g, const juce::String& text, const juce::String& face, juce::Rectangle<float> area,
                  float heightFactor, juce::Colour colour, juce::Justification justification);
    // As drawText, squeezed at most to 0.8.
    void drawText2(juce::Graphics& g, const juce::String& text, const juce::String& face, juce::Rectangle<float> area,
                   float heightFactor, juce::Colour colour, juce::Justification justification);
    // As drawText2, with the height given as a point height.
    void drawText3(juce::Graphics& g, const juce::String& text, const juce::String& face, juce::Rectangle<float> area,
                   float pointHeight, juce::Colour colour, juce::Justification justification);
    // Fits the text as drawText does and appends its outlines to out.
    void createTextPath(juce::Path& out, const juce::String& text, const juce::String& face,
                        juce::Rectangle<float> area, float heightFactor, juce::Justification justification);

    // The typeface a face name maps to (see getTypefaceForFont).
    static juce::Typeface::Ptr typefaceFor(const juce::String& face);
    // A font of the face that name maps to, at the given height. The style
    // flags do not pick the face.
    static juce::Font faceFont(const juce::String& face, float height, int styleFlags = juce::Font::plain);

    // The minimum horizontal scales of the fitted-text functions.
    static constexpr float minScaleWide = 0.5f;
    static constexpr float minScaleNarrow = 0.8f;

    // Colour id the lasso outline is drawn with (not JUCE's lasso outline id).
    static constexpr int lassoOutlineColourId = 0x100441;

private:
    juce::GlyphArrangement fitText(const juce::String& text, const juce::Font& font, juce::Rectangle<float> area,
                                   juce::Justification justification, float minimumScale);
};
