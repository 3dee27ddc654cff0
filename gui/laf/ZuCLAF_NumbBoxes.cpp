// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_NumbBoxes.h"

#include "ZuConvert.h"
#include "ZuIcons.h"
#include "ZuStyleProps.h"

#include <cmath>

namespace
{
using S = juce::Slider;
constexpr auto centred = juce::Justification::centred;
constexpr auto left = juce::Justification::centredLeft;
constexpr auto right = juce::Justification::centredRight;

juce::Colour col(const juce::Slider& s, int id)
{
    return s.findColour(id);
}

// The text area: the box less i whole pixels at each side.
juce::Rectangle<float> textArea(juce::Rectangle<int> b, int i)
{
    return juce::Rectangle<int>(b.getX() + i, b.getY(), juce::jmax(0, b.getWidth() - 2 * i), b.getHeight()).toFloat();
}

juce::Rectangle<float> halfInset(juce::Rectangle<int> b)
{
    return {(float) b.getX() + 0.5f, (float) b.getY() + 0.5f, (float) juce::jmax(b.getWidth() - 1, 0),
            (float) juce::jmax(b.getHeight() - 1, 0)};
}

juce::Rectangle<float> frameOf(int w, int h)
{
    return {0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f};
}

float fontSize(const juce::Slider& s, float fallback)
{
    return ZuStyle::real(s, ZuStyle::fontsize, fallback);
}

juce::String fontFace(const juce::Slider& s)
{
    return ZuStyle::text(s, ZuStyle::fontface, "Medium");
}

juce::String valueText(juce::Slider& s)
{
    return s.getTextFromValue(s.getValue());
}

void strokeRect(juce::Graphics& g, juce::Rectangle<float> r, float thickness, juce::Colour c)
{
    g.setColour(c);
    g.drawRect(r, thickness);
}

void strokeRounded(juce::Graphics& g, juce::Rectangle<float> r, float thickness, juce::Colour c)
{
    g.setColour(c);
    g.drawRoundedRectangle(r, 1.0f, thickness);
}
} // namespace

// Value box ------------------------------------------------------------------------

juce::Rectangle<float> ZuCLAF_CenterNumbBox::valueBar(const juce::Slider& s, juce::Rectangle<float> A)
{
    const double v = s.getValue();
    const bool bipolar = ZuStyle::integer(s, ZuStyle::bipolar, 0) > 0;
    if (ZuStyle::integer(s, ZuStyle::barflag, 0) <= 0 || (v == s.getMinimum() && !bipolar))
        return {};
    const double maxval = ZuStyle::realDouble(s, ZuStyle::maxval, 1.0);
    double q = v / maxval;
    if (!std::isfinite(q))
        return {};
    if (bipolar)
        q = (1.0 + q) / 2.0;
    if (!bipolar)
        return {A.getX(), A.getY(), juce::jmax(A.getWidth() * (float) q, 0.0f), A.getHeight()};
    if (q == 0.5)
        return {};
    const float c = A.getX() + 0.5f * A.getWidth(), e = A.getX() + (float) q * A.getWidth();
    return {juce::jmin(e, c), A.getY(), std::abs(e - c), A.getHeight()};
}

void ZuCLAF_CenterNumbBox::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& s)
{
    const auto b = s.getLocalBounds();
    const auto outline = col(s, S::textBoxOutlineColourId);
    g.setColour(col(s, S::textBoxBackgroundColourId));
    g.fillRect(b);
    if (!s.isEnabled())
    {
        strokeRect(g, b.toFloat(), 1.0f, outline.withMultipliedAlpha(0.75f));
        return;
    }
    const auto T = textArea(b, juce::jmax(2, (int) std::floor(0.11 * b.getWidth())));
    const auto bar = valueBar(s, halfInset(b));
    if (!bar.isEmpty())
    {
        g.setColour(col(s, S::trackColourId));
        g.fillRect(bar);
    }
    const auto text = col(s, S::textBoxTextColourId);
    const float size = fontSize(s, 0.6f);
    if (s.getName().isNotEmpty())
    {
        drawText(g, s.getName(), fontFace(s), T, size, text, left);
        drawText(g, valueText(s), fontFace(s), T, size, text, right);
    }
    else
        drawText(g, valueText(s), fontFace(s), T, size, text, centred);
    strokeRect(g, b.toFloat(), 0.5f, outline.withMultipliedBrightness(s.isMouseOverOrDragging() ? 3.5f : 1.0f));
}

// Start and size boxes -------------------------------------------------------------

void ZuCLAF_Seq1NumbBox::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& s)
{
    const auto b = s.getLocalBounds();
    const auto outline = col(s, S::textBoxOutlineColourId);
    const juce::Rectangle<float> frame(0.5f, 0.5f, (float) b.getWidth() - 1.0f, (float) b.getHeight() - 1.0f);
    g.fillAll(col(s, S::backgroundColourId));
    g.setColour(col(s, S::textBoxBackgroundColourId));
    g.fillRect(b);
    if (!s.isEnabled())
    {
        strokeRect(g, frame, 0.5f, outline.withMultipliedAlpha(0.75f));
        return;
    }
    const auto T = textArea(b, juce::jmax(1, (int) std::floor(0.08 * b.getWidth())));
    const auto bar = ZuCLAF_CenterNumbBox::valueBar(s, halfInset(b));
    if (!bar.isEmpty())
    {
        const auto track = col(s, S::trackColourId);
        g.setColour(track);
        g.fillRect(bar);
        strokeRect(g, bar, 0.5f, track.brighter(1.2f));
    }
    const auto text = col(s, S::textBoxTextColourId);
    const float size = fontSize(s, 0.7f);
    if (s.getName().isNotEmpty())
    {
        const float n = juce::jmin(std::floor(0.4f * T.getWidth()), T.getWidth());
        drawText(g, valueText(s), fontFace(s), {T.getRight() - n, T.getY(), juce::jmax(n - 0.5f, 0.0f), T.getHeight()},
                 size, text, right);
        drawText(g, s.getName(), fontFace(s),
                 {T.getX(), T.getY(), juce::jmax(T.getWidth() - n - 1.0f, 0.0f), T.getHeight()}, size, text, left);
    }
    else
        drawText(g, valueText(s), fontFace(s), T, size, text, centred);
    strokeRect(g, frame, 0.5f, s.isMouseOverOrDragging() ? outline.brighter(1.2f) : outline);
}

// Hover-framed box -----------------------------------------------------------------

void ZuCLAF_CenterNumbBox2::drawRotarySlider(juce::Graphics& g, int, int, int width, int height, float, float, float,
                                             juce::Slider& s)
{
    if (!s.isEnabled())
        return;
    const auto b = s.getLocalBounds();
    drawText(g, valueText(s), fontFace(s), textArea(b, juce::jmax(2, (int) std::floor(0.11 * b.getWidth()))),
             fontSize(s, 0.6f), col(s, S::textBoxTextColourId), centred);
    if (s.isMouseOverOrDragging())
        strokeRect(g, frameOf(width, height), 1.0f, col(s, S::textBoxOutlineColourId).withMultipliedBrightness(2.5f));
}

// CC number box --------------------------------------------------------------------

void ZuCLAF_CcNumbBox::drawRotarySlider(juce::Graphics& g, int, int, int width, int height, float, float, float,
                                        juce::Slider& s)
{
    const auto b = s.getLocalBounds();
    const auto F = frameOf(width, height);
    const auto outline = col(s, S::textBoxOutlineColourId);
    g.fillAll(col(s, S::backgroundColourId));
    g.setColour(col(s, S::textBoxBackgroundColourId));
    g.fillRoundedRectangle(F, 1.0f);
    if (!s.isEnabled())
    {
        strokeRounded(g, F, 0.5f, outline.withMultipliedAlpha(0.75f));
        return;
    }
    auto T = textArea(b, juce::jmax(2, (int) std::floor(0.11 * b.getWidth())));
    const float a = juce::jmin(std::floor(0.2f * T.getWidth()), T.getWidth());
    const auto arrowArea = T.removeFromRight(a);
    const auto text = col(s, S::textBoxTextColourId);
    auto arrow = ZU_ICON(svgArw);
    if (!arrowArea.isEmpty())
    {
        arrow.scaleToFit(arrowArea.getX(), arrowArea.getY(), arrowArea.getWidth(), arrowArea.getHeight(), true);
        g.setColour(text.darker(0.1f));
        g.fillPath(arrow);
    }
    drawText(g, valueText(s), fontFace(s), T, fontSize(s, 0.6f), text, centred);
    strokeRounded(g, F, 0.5f, outline.withMultipliedBrightness(s.isMouseOverOrDragging() ? 3.5f : 1.0f));
}

// Channel box ------------------------------------------------------------------------

ZuCLAF_ChNumbBox::ZuCLAF_ChNumbBox()
{
    for (int n = 0; n <= 16; ++n)
        createTextPath(channelPaths[(size_t) n], n == 0 ? juce::String("M") : juce::String(n), "Medium",
                       {0.0f, 0.0f, 100.0f, 100.0f}, 0.95f, centred);
}

int ZuCLAF_ChNumbBox::channelIndex(double value)
{
    return juce::jlimit(0, 16, (int) zu::toIntSaturating(value));
}

void ZuCLAF_ChNumbBox::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& s)
{
    const auto b = s.getLocalBounds().toFloat();
    const juce::Rectangle<float> F(0.5f, 0.5f, b.getWidth() - 1.0f, b.getHeight() - 1.0f);
    const auto outline = col(s, S::textBoxOutlineColourId);
    g.setColour(col(s, S::textBoxBackgroundColourId));
    g.fillRect(F);
    if (!s.isEnabled())
    {
        strokeRect(g, F, 0.5f, outline.withMultipliedAlpha(0.75f));
        return;
    }
    const float d = 0.25f * b.getHeight();
    auto path = channelPaths[(size_t) channelIndex(s.getValue())];
    const juce::Rectangle<float> area(b.getX() + d, b.getY() + d, juce::jmax(b.getWidth() - 2.0f * d, 0.0f),
                                      juce::jmax(b.getHeight() - 2.0f * d, 0.0f));
    if (!area.isEmpty())
    {
        path.scaleToFit(area.getX(), area.getY(), area.getWidth(), area.getHeight(), true);
        g.setColour(col(s, S::textBoxTextColourId));
        g.fillPath(path);
    }
    strokeRect(g, F, 0.5f, s.isMouseOverOrDragging() ? outline.brighter(1.2f) : outline);
}

// Global channel box -----------------------------------------------------------------

int ZuCLAF_GMidiChBox::channelNumber(double value)
{
    return juce::jlimit(1, 16, (int) zu::toIntSaturating(value));
}

void ZuCLAF_GMidiChBox::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& s)
{
    const auto b = s.getLocalBounds().toFloat();
    const auto outline = col(s, S::textBoxOutlineColourId);
    g.fillAll(col(s, S::backgroundColourId));
    drawText(g, juce::String(channelNumber(s.getValue())), fontFace(s), b, fontSize(s, 0.6f),
             col(s, S::textBoxTextColourId), centred);
    strokeRect(g, b, 1.0f, outline);
    if (s.isEnabled() && s.isMouseOverOrDragging())
        strokeRect(g, b, 1.0f, outline.withAlpha(1.0f).brighter(0.4f));
}

// Chainer step box -------------------------------------------------------------------

ZuCLAF_ChainerStepNumbBoxSliderl::ZuCLAF_ChainerStepNumbBoxSliderl()
{
    tag.startNewSubPath(0.0f, 0.0f);
    tag.lineTo(85.0f, 0.0f);
    tag.lineTo(100.0f, 30.0f);
    tag.lineTo(85.0f, 60.0f);
    tag.lineTo(0.0f, 60.0f);
    tag.closeSubPath();
}

void ZuCLAF_ChainerStepNumbBoxSliderl::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float,
                                                        juce::Slider& s)
{
    const auto b = s.getLocalBounds();
    const auto background = col(s, S::backgroundColourId);
    g.fillAll(background);
    if (juce::jmax(b.getWidth() - 1, 0) == 0 || juce::jmax(b.getHeight() - 1, 0) == 0)
        return;

    auto box = tag;
    box.scaleToFit((float) b.getX() + 0.5f, (float) b.getY() + 0.5f, (float) b.getWidth() - 1.0f,
                   (float) b.getHeight() - 1.0f, false);
    if (!s.isEnabled())
    {
        g.setColour(background.darker(2.5f));
        g.strokePath(box, juce::PathStrokeType(0.5f));
        return;
    }
    const float bh = (float) b.getHeight();
    g.setColour(col(s, S::textBoxTextColourId));
    g.setFont(faceFont("Medium", bh).withPointHeight(0.9f * bh));
    g.drawFittedText(valueText(s),
                     {b.getX(), b.getY(), juce::jmax(b.getWidth() - (int) std::floor(0.17 * b.getWidth()), 0),
                      juce::jmax(b.getHeight(), 0)},
                     centred, 1, 0.3f);
    const bool hover = s.isMouseOverOrDragging();
    g.setColour(col(s, S::textBoxOutlineColourId).brighter(hover ? 0.8f : 0.0f));
    g.strokePath(box, juce::PathStrokeType(hover ? 1.0f : 0.5f));
}

// Transparent box --------------------------------------------------------------------

void ZuCLAF_TranspBox::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider&)
{
    g.fillAll(juce::Colour(0x00000000));
}

// Random range -----------------------------------------------------------------------

void ZuCLAF_RndRngSlider::drawRotarySlider(juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& s)
{
    const auto A = halfInset(s.getLocalBounds());
    const auto box = col(s, S::textBoxBackgroundColourId);
    g.fillAll(col(s, S::backgroundColourId));
    if (!s.isEnabled())
    {
        g.setColour(box.withAlpha(0.4f));
        g.fillRect(A);
        return;
    }
    g.setColour(box.withAlpha(1.0f));
    g.fillRect(A);
    g.setColour(col(s, S::trackColourId).brighter(s.isMouseOverOrDragging() ? 0.2f : 0.0f));
    g.fillRect(A.withWidth(juce::jmax(A.getWidth() * (float) s.getValue(), 0.0f)));
    strokeRect(g, A, 0.5f, box);
}
