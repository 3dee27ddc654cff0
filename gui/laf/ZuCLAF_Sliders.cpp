// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Sliders.h"

#include "ZuConvert.h"
#include "ZuKnobParts.h"

#include <cmath>

using ZuKnobParts::scaledInto;

namespace
{
using S = juce::Slider;
} // namespace

// LFO display bars -------------------------------------------------------------------

void ZuCLAF_MSlider::drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float,
                                      float, juce::Slider::SliderStyle, juce::Slider& s)
{
    g.fillAll(ZuStyle::colour(s, ZuStyle::bgcolor, juce::Colour(0xff000000)));
    g.fillAll(s.findColour(S::backgroundColourId));
    if (!s.isEnabled())
        return;
    g.setColour(s.findColour(S::trackColourId));
    g.fillRect(juce::Rectangle<float>((float) x, sliderPos, (float) width, (float) (y + height) - sliderPos));
    if (s.isMouseOverOrDragging())
    {
        const auto b = s.getLocalBounds().toFloat();
        g.setColour(s.findColour(S::thumbColourId).brighter(0.1f));
        g.drawRect(juce::Rectangle<float>(b.getX() + 1.0f, b.getY() + 1.0f, juce::jmax(b.getWidth() - 2.0f, 0.0f),
                                          juce::jmax(b.getHeight() - 2.0f, 0.0f)),
                   1.0f);
    }
}

// Relative strip with semitone text ----------------------------------------------------

juce::String ZuCLAF_RelSlider::semitoneText(double value)
{
    return (value > 0.0 ? "+" : "") + juce::String(zu::toIntSaturating(std::floor(value))) + " st";
}

void ZuCLAF_RelSlider::drawStrip(juce::Graphics& g, int x, int y, int width, int height, float thumbPos,
                                 juce::Slider& s, const juce::String& text)
{
    const auto b = s.getLocalBounds().toFloat();
    const float bx = b.getX(), by = b.getY(), bw = b.getWidth(), bh = b.getHeight();
    const auto outline = s.findColour(S::rotarySliderOutlineColourId);
    const float hn = bh < 66.6666641f ? 6.0f : juce::jmin(20.0f, 0.09f * bh);
    if (s.isEnabled())
    {
        g.setColour(s.findColour(S::textBoxTextColourId));
        g.fillPath(scaledInto(paths->numberPathForName(s.getName()), {bx, by + bh - 1.0f - hn, bw, hn}, true));
    }
    g.setColour(s.findColour(S::textBoxOutlineColourId));
    g.drawLine(0.12f * bw, by + 0.5f * bh, 0.88f * bw, by + 0.5f * bh, 1.0f);

    const float xc = (float) x + 0.5f * (float) width;
    juce::Path track;
    track.startNewSubPath(xc, (float) (y + height));
    track.lineTo(xc, (float) y);
    g.setColour(outline);
    g.strokePath(track, juce::PathStrokeType(juce::jlimit(2.0f, 12.0f, 0.063f * (float) width),
                                             juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    const bool horizontal = s.isHorizontal();
    const juce::Point<float> centre =
        horizontal ? juce::Point<float>(thumbPos, (float) y + 0.5f * (float) height) : juce::Point<float>(xc, thumbPos);
    if (!s.isEnabled())
        return;

    const bool hover = s.isMouseOverOrDragging();
    g.setColour(outline.withAlpha(hover ? 1.0f : 0.5f));
    g.strokePath(scaledInto(paths->getSliderFramePath(), b, false), juce::PathStrokeType(hover ? 1.2f : 0.6f));

    const float tw = juce::jmax(0.65f * bw, 0.0f), th = juce::jmax(0.23f * bh, 0.0f);
    const auto thumb = juce::Rectangle<float>(tw, th).withCentre(centre);
    g.setColour(juce::Colour(0xff000000));
    g.fillRoundedRectangle(thumb.translated(0.0f, 0.05f * th), 1.0f);
    g.setColour(juce::Colour(0xff202020));
    g.fillRoundedRectangle(thumb, 1.0f);
    g.setColour(s.findColour(S::thumbColourId));
    g.fillRoundedRectangle(thumb.getX() + 1.2f, thumb.getY() + 1.2f, juce::jmax(tw - 2.4f, 0.0f),
                           juce::jmax(th - 2.4f, 0.0f), 1.0f);
    drawText(g, text, ZuStyle::text(s, ZuStyle::fontface, "Regular"), thumb, ZuStyle::real(s, ZuStyle::fontsize, 0.4f),
             juce::Colour(0xff000000), juce::Justification::centred);
}

void ZuCLAF_RelSlider::drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float,
                                        float, juce::Slider::SliderStyle, juce::Slider& s)
{
    drawStrip(g, x, y, width, height, sliderPos, s, semitoneText(s.getValue()));
}

void ZuCLAF_RelSlider::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float, float, float,
                                        juce::Slider& s)
{
    g.fillAll(s.findColour(S::backgroundColourId));
    const float v = (float) s.getValue();
    const juce::String text = (v > 0.0f ? "+" : "") + juce::String(zu::toIntSaturating(std::floor(v))) + " st";
    drawStrip(g, x, y, width, height, v, s, text);
}

// Relative strip with modulation lines -------------------------------------------------

template <typename ThumbY> void ZuCLAF_CenterRelSlider::drawStrip(juce::Graphics& g, juce::Slider& s, ThumbY thumbY)
{
    const auto background = s.findColour(S::backgroundColourId);
    g.fillAll(background);
    const auto R = s.getLocalBounds().toFloat().reduced(1.0f);
    g.setColour(background.darker(0.15f));
    g.fillRoundedRectangle(R, 1.0f);

    const bool hover = s.isMouseOverOrDragging();
    g.setColour(s.findColour(S::rotarySliderOutlineColourId).brighter(hover ? 0.5f : 0.0f));
    g.drawLine(R.getX(), R.getY() + 0.5f * R.getHeight(), R.getRight(), R.getY() + 0.5f * R.getHeight(), 0.8f);
    g.drawRoundedRectangle(R, 1.0f, hover ? 2.0f : 1.0f);
    if (!s.isEnabled())
        return;

    const float m = juce::jmax(0.1f * R.getWidth(), 2.0f);
    g.setColour(s.findColour(S::textBoxTextColourId));
    g.fillPath(scaledInto(paths->numberPathForName(s.getName()),
                          {R.getX() + m, R.getY() + m, juce::jmax(R.getWidth() - 2.0f * m, 0.0f),
                           0.23f * juce::jmax(R.getHeight() - 2.0f * m, 0.0f)},
                          true));

    const float k = juce::jmax(0.083333f * R.getHeight(), 0.0f);
    const float yt = thumbY(k, R);

    static const juce::Identifier* depth[] = {&ZuStyle::mod1, &ZuStyle::mod2};
    static const juce::Identifier* polarity[] = {&ZuStyle::polindex1, &ZuStyle::polindex2};
    static const juce::Identifier* colour[] = {&ZuStyle::mod1trkcolor, &ZuStyle::mod2trkcolor};
    for (int slot = 0; slot < 2; ++slot)
    {
        const float d = ZuStyle::real(s, *depth[slot], 0.0f);
        if (d == 0.0f)
            continue;
        const int p = ZuStyle::integer(s, *polarity[slot], 0);
        const float xs = slot == 0 ? 0.085f * R.getWidth() : R.getX() + R.getWidth() - 0.07f * R.getWidth();
        juce::Path line;
        if (p == 0)
        {
            line.startNewSubPath(xs, yt);
            line.lineTo(xs, yt - d * R.getHeight());
        }
        else if (p == 1)
        {
            line.startNewSubPath(xs, yt);
            line.lineTo(xs, yt - 0.5f * d * R.getHeight());
            line.startNewSubPath(xs, yt);
            line.lineTo(xs, yt + 0.5f * d * R.getHeight());
        }
        g.setColour(ZuStyle::colour(s, *colour[slot], juce::Colour(0xffe4007f)).withAlpha(0.9f));
        g.strokePath(line, juce::PathStrokeType(0.07f * R.getWidth()));
    }

    const float t = juce::jmax(0.05f * R.getWidth(), 1.0f);
    const juce::Rectangle<float> thumb(R.getX() + t, yt - 0.5f * k, juce::jmax(R.getWidth() - 2.0f * t, 0.0f), k);
    g.setColour(s.findColour(S::thumbColourId).brighter(hover ? 0.3f : 0.0f));
    g.fillRoundedRectangle(thumb, 1.0f);
    g.setColour(background.darker(0.9f));
    g.drawRoundedRectangle(thumb, 1.0f, 0.9f);
}

void ZuCLAF_CenterRelSlider::drawLinearSlider(juce::Graphics& g, int, int, int, int height, float sliderPos, float,
                                              float, juce::Slider::SliderStyle, juce::Slider& s)
{
    const float h = (float) height;
    drawStrip(g, s,
              [h, sliderPos](float k, juce::Rectangle<float>)
              { return h > 0.0f ? (1.0f + 0.505f * k) + (h - 2.0f - 1.01f * k) * sliderPos / h : 0.0f; });
}

void ZuCLAF_CenterRelSlider::drawRotarySlider(juce::Graphics& g, int, int, int, int height, float, float, float,
                                              juce::Slider& s)
{
    const float h = (float) height, p = rotaryPosition(s.getValue());
    drawStrip(g, s,
              [h, p](float k, juce::Rectangle<float> R)
              { return h > 0.0f ? (1.0f + 0.505f * k) + (p * R.getHeight()) * (h - 2.0f - 1.01f * k) / h : 0.0f; });
}
