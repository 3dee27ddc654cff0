// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_SwingModKnobs.h"

#include "ZuIcons.h"
#include "ZuConvert.h"
#include "ZuKnobParts.h"

using namespace ZuKnobParts;

namespace
{
constexpr auto centred = juce::Justification::centred;
} // namespace

// Swing and transpose knob ---------------------------------------------------------

ZuCLAF_SwingKnob::ZuCLAF_SwingKnob()
{
    const juce::Rectangle<float> box(0.0f, 0.0f, 100.0f, 30.0f);
    createTextPath(swingTitle, "Swing", "Medium", box, 1.0f, centred);
    createTextPath(octTitle, "OCT", "Medium", box, 1.0f, centred);
    createTextPath(tpTitle, "TP", "Medium", box, 1.0f, centred);
    createTextPath(signs, "-", "Bold", box, 1.0f, juce::Justification::left);
    createTextPath(signs, "+", "Bold", box, 1.0f, juce::Justification::right);
}

juce::String ZuCLAF_SwingKnob::valueText(const juce::String& name, float f)
{
    const juce::String sign = f > 0.0f ? "+" : "";
    if (name == "Swing")
        return sign + juce::String(zu::toIntSaturating(f * 100.0f)) + " %";
    if (name == "OCT" || name == "TP")
        return sign + juce::String(zu::toIntSaturating(f));
    return {};
}

void ZuCLAF_SwingKnob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start,
                                        float end, juce::Slider& s)
{
    const auto bounds = s.getLocalBounds();
    const float x = (float) bounds.getX(), y = (float) bounds.getY(), w = (float) bounds.getWidth(),
                h = (float) bounds.getHeight();
    const float q = juce::jmin((float) (int) (0.25f * h), h);
    const float kh = h - q;
    const float m = kh < w ? juce::jmax(kh - 2.0f, 0.0f) : juce::jmax(w - 2.0f, 0.0f);
    const float top = kh < w ? y : 0.02f * kh;
    const float r = m / 2.0f;
    const float cx = x + (float) (bounds.getWidth() / 2);
    const float cy = top + 1.0f + r;
    const float t = juce::jmax(juce::jmax(w - 2.0f, 0.0f) - 0.2f * r, 0.0f);
    const float a = start + sliderPos * (end - start);
    const bool iscenter = isCentre(s), active = isActive(s), hover = isHover(s);
    const auto text = s.findColour(juce::Slider::textBoxTextColourId);

    juce::Path arc;
    track.clear();
    addArc(arc, cx, cy, r, A0, A1);
    juce::PathStrokeType(1.0f).createStrokedPath(track, arc);
    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId).withAlpha(active ? 1.0f : 0.5f));
    g.fillPath(track);

    if (iscenter)
    {
        g.setColour(text.withAlpha(0.8f));
        g.fillPath(scaledInto(
            paths->trianglePath,
            {cx - 0.1f * t, juce::jmin(0.5f, 0.09f * t), 0.2f * t, juce::jmax(0.09f * t - 0.5f, 0.0f)}, false));
    }

    if (active)
        drawModArcs(g, s, a, cx, cy, 0.9f * r, 0.76f * r, {juce::jmax(0.043f * (float) width, 1.0f), 0.25f, 0.25f});

    g.setColour(juce::Colour(0xff101010));
    g.fillPath(circle(cx, cy, 0.62f * r));

    if (!active)
        return;

    const juce::Colour grey(0xff757575);
    const auto inner = circle(cx, cy, 0.62f * 0.86f * r);
    g.setGradientFill(discGradient(inner, grey.brighter(0.1f), grey.darker(0.55f)));
    g.fillPath(inner);

    juce::Path pointer;
    pointer.addRoundedRectangle(-0.12f * r, -0.54f * r, 0.24f * r, 0.47f * r, 1.2f);
    pointer = placed(pointer, a, cx, cy);
    g.setColour(juce::Colour(0xffeaeae1));
    g.fillPath(pointer);
    g.setColour(juce::Colour(0xff2d2d1f));
    g.strokePath(pointer, juce::PathStrokeType(0.8f));

    if (hover)
    {
        g.setColour(juce::Colour(0xffcccccc));
        g.fillPath(scaledInto(paths->getFramePath(),
                              {x + 1.0f, y + 1.0f, juce::jmax(w - 2.0f, 0.0f), juce::jmax(kh - 2.0f, 0.0f)}, false));
    }

    const float b = y + h;
    const float sTop = juce::jmin((float) (int) (cy + 0.35f * t), b);
    const float L = b - sTop;
    const float v = juce::jmin((float) (int) (0.56f * L), L);
    juce::Rectangle<float> titleBox(x, sTop, w, L - v);
    const float cut = juce::jmin(v, 2.0f);
    const juce::Rectangle<float> valueBox(x, b - v + cut, w, v - cut);

    const auto name = s.getName();
    const juce::Path* title = nullptr;
    if (name == "Swing")
        title = &swingTitle;
    else if (name == "OCT" || name == "TP")
    {
        title = name == "OCT" ? &octTitle : &tpTitle;
        const float gap = (float) (int) (0.15f * (L - v));
        titleBox = {x, sTop + gap, w, juce::jmax(L - v - 2.0f * gap, 0.0f)};
    }

    g.setColour(text);
    if (title != nullptr)
        g.fillPath(scaledInto(*title, titleBox, true));
    drawText(g, valueText(name, (float) s.getValue()), "Medium", valueBox, 1.1f, text, centred);

    const int p = (int) (0.04f * w);
    const int markTop = (int) (0.78f * kh), markBottom = (int) (0.925f * kh);
    g.setColour(text);
    g.fillPath(scaledInto(signs,
                          {x + (float) p, (float) markTop, juce::jmax(w - 2.0f * (float) p, 0.0f),
                           (float) juce::jmax(markBottom - markTop, 0)},
                          true));
}

// Modulation amount knob -------------------------------------------------------------

ZuCLAF_ModKnob::ZuCLAF_ModKnob() : addIcon(ZU_ICON(svgModAdd)) {}

juce::Path ZuCLAF_ModKnob::ring(float cx, float cy, float radius, float sliderPos, float start, float end, bool bipolar,
                                double value)
{
    const float o = (end - start) * (sliderPos - 0.5f);
    juce::Path p;
    const float x = cx - radius, y = cy - radius, d = 2.0f * radius;
    if (bipolar)
    {
        if (o != 0.0f)
            p.addPieSegment(x, y, d, d, -0.8f * o, 0.8f * o, 0.85f);
        if (value < 0.0)
            p.applyTransform(juce::AffineTransform::verticalFlip(2.0f * cy));
    }
    else if (sliderPos < 0.5f)
        p.addPieSegment(x, y, d, d, -0.1f, o, 0.85f);
    else if (sliderPos > 0.5f)
        p.addPieSegment(x, y, d, d, 0.1f, o, 0.85f);
    p.closeSubPath();
    return p;
}

void ZuCLAF_ModKnob::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                      float start, float end, juce::Slider& s)
{
    const auto bounds = s.getLocalBounds().toFloat();
    const float bx = bounds.getX(), by = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const float e = juce::jmin(w, h);
    const float sx = w > h ? bx + w / 2.0f - h / 2.0f : bx;
    const float sy = w > h ? by : by + h / 2.0f - w / 2.0f;
    const float side = juce::jmax(e - 1.0f, 0.0f);
    const juce::Rectangle<float> disc(sx + 0.5f, sy + 0.5f, side, side);

    const int indicator = ZuStyle::integer(s, ZuStyle::indicator, 0);
    const auto source = ZuStyle::text(s, ZuStyle::modsrc, "-");
    const bool bipolar = ZuStyle::integer(s, ZuStyle::polindex, 0) != 0;
    const bool hasSource = source != "-", enabled = s.isEnabled();
    const auto text = s.findColour(juce::Slider::textBoxTextColourId);

    if (indicator > 0)
    {
        g.setColour(juce::Colours::black);
        g.fillEllipse(disc);
        g.setColour(text.brighter(0.3f).withAlpha(0.8f));
        g.fillEllipse(sx + 1.5f, sy + 1.5f, juce::jmax(side - 2.0f, 0.0f), juce::jmax(side - 2.0f, 0.0f));
        return;
    }

    const bool hover = s.isMouseOverOrDragging() && enabled;
    const auto ringColour = s.findColour(juce::Slider::trackColourId).brighter(0.05f).brighter(0.8f);

    if (hasSource && enabled)
    {
        g.setColour(s.findColour(juce::Slider::textBoxBackgroundColourId).darker(0.1f));
        g.fillEllipse(disc);

        const float cx = (float) x + (float) width / 2.0f, cy = (float) y + (float) height / 2.0f;
        g.setColour(ringColour);
        g.fillPath(ring(cx, cy, 0.3773f * e, sliderPos, start, end, bipolar, s.getValue()));

        const int p = (int) (0.29f * w);
        g.setColour(text);
        g.fillPath(scaledInto(paths->numberPath(juce::jlimit(1, 8, source.getIntValue())),
                              {bx + (float) p, by + (float) p, juce::jmax(w - 2.0f * (float) p, 0.0f),
                               juce::jmax(h - 2.0f * (float) p, 0.0f)},
                              true));
    }
    else
    {
        const auto icon = scaledInto(addIcon, disc, true);
        const auto outline = s.findColour(juce::Slider::rotarySliderOutlineColourId);
        if (enabled)
        {
            g.setColour(outline);
            g.fillPath(icon);
        }
        else
        {
            g.setColour(outline.darker(0.1f));
            g.strokePath(icon, juce::PathStrokeType(1.0f));
        }
    }

    if (hover)
    {
        g.setColour(s.findColour(juce::Slider::textBoxOutlineColourId).darker(0.5f));
        g.strokePath(scaledInto(paths->getModFramePath(),
                                {bx + 0.5f, by + 0.5f, juce::jmax(w - 1.0f, 0.0f), juce::jmax(h - 1.0f, 0.0f)}, true),
                     juce::PathStrokeType(1.5f));
    }
}
