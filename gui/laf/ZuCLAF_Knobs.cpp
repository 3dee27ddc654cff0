// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Knobs.h"

#include "ZuKnobParts.h"

using namespace ZuKnobParts;

namespace
{
constexpr auto centred = juce::Justification::centred;
const juce::Colour bodyColour(0xff101010), pointerColour(0xffeaeae1), pointerLine(0xff2d2d1f);

juce::Colour textColour(const juce::Slider& s)
{
    return s.findColour(juce::Slider::textBoxTextColourId);
}

// The two-arc track of the step knobs, stroked to sw.
juce::Path doubleTrack(float cx, float cy, float r, float sw)
{
    juce::Path arcs, out;
    addArc(arcs, cx, cy, 0.97f * r, A0, A1);
    addArc(arcs, cx, cy, 0.78f * r, A0, A1);
    juce::PathStrokeType(sw).createStrokedPath(out, arcs);
    return out;
}

// One arc along the whole travel at radius r, stroked to 1.
juce::Path singleTrack(float cx, float cy, float r)
{
    juce::Path arc, out;
    addArc(arc, cx, cy, r, A0, A1);
    juce::PathStrokeType(1.0f).createStrokedPath(out, arc);
    return out;
}

void fillTriangle(juce::Graphics& g, const KnobPathHelper& paths, juce::Rectangle<float> box, bool keep,
                  juce::Colour colour)
{
    g.setColour(colour);
    g.fillPath(scaledInto(paths.trianglePath, box, keep));
}

// "-" and "+" (or "L" and "R" when pan) at the two ends of the travel.
void endLabels(ZuCLAF_BaseBase& laf, juce::Graphics& g, float x, float w, float h, juce::Colour colour, bool pan)
{
    const int p = (int) (0.05f * w);
    const int top = (int) (0.73f * h), bottom = (int) (0.9f * h);
    const juce::Rectangle<float> box(x + (float) p, (float) top, juce::jmax(w - 2.0f * (float) p, 0.0f),
                                     (float) juce::jmax(bottom - top, 0));
    const float factor = pan ? 1.1f : 1.5f;
    laf.drawText(g, pan ? "L" : "-", "Bold", box, factor, colour, juce::Justification::centredLeft);
    laf.drawText(g, pan ? "R" : "+", "Bold", box, factor, colour, juce::Justification::centredRight);
}

void fillAndOutline(juce::Graphics& g, const juce::Path& p, juce::Colour fill, float line, juce::Colour lineColour)
{
    g.setColour(fill);
    g.fillPath(p);
    g.setColour(lineColour);
    g.strokePath(p, juce::PathStrokeType(line));
}

juce::Path roundedPointer(float r, float px, float pw, float corner)
{
    juce::Path p;
    p.addRoundedRectangle(px * r, -0.57f * r, pw * r, 0.53f * r, corner);
    return p;
}

// The knob frame of the helper filled over the knob's bounds less 1 pixel.
void fillFrame(juce::Graphics& g, const KnobPathHelper& paths, const Geometry& k, juce::Colour colour, bool keep)
{
    g.setColour(colour);
    g.fillPath(scaledInto(paths.getFramePath(),
                          {k.x + 1.0f, k.y + 1.0f, juce::jmax(k.w - 2.0f, 0.0f), juce::jmax(k.h - 2.0f, 0.0f)}, keep));
}

float valueAngle(float pos, float start, float end)
{
    return start + pos * (end - start);
}
} // namespace

// Step knob ---------------------------------------------------------------------

void ZuCLAF_NormKnob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start,
                                       float end, juce::Slider& s)
{
    const Geometry k(s.getLocalBounds().toFloat());
    const float a = valueAngle(sliderPos, start, end);
    const float sw = juce::jmax(0.05f * (float) width, 1.0f);
    const bool active = isActive(s), iscenter = active && isCentre(s), hover = isHover(s);
    const auto text = textColour(s);

    track = doubleTrack(k.cx, k.cy, k.r, sw);
    g.setColour(s.findColour(juce::Slider::textBoxBackgroundColourId));
    g.fillPath(track);

    if (active)
        drawModArcs(g, s, a, k.cx, k.cy, 0.9f * k.r, 0.76f * k.r, {sw, 0.35f, 0.15f});

    if (iscenter)
    {
        const float hm = 0.09f * k.t;
        fillTriangle(g, *paths, {k.cx - 0.65f * hm, 0.0f, 1.3f * hm, hm}, false, text.withAlpha(0.8f));
    }

    const auto body = circle(k.cx, k.cy, 0.62f * k.r);
    g.setColour(bodyColour);
    g.fillPath(body);

    if (active)
    {
        const auto thumb = s.findColour(juce::Slider::thumbColourId);
        const auto inner = circle(k.cx, k.cy, 0.62f * 0.86f * k.r);
        g.setGradientFill(discGradient(inner, thumb.brighter(0.1f), thumb.darker(0.55f)));
        g.fillPath(inner);

        fillAndOutline(g, placed(roundedPointer(k.r, -0.115f, 0.23f, 1.0f), a, k.cx, k.cy),
                       s.findColour(juce::Slider::rotarySliderFillColourId), 0.8f, pointerLine);

        const float q = juce::jmin((float) (int) (0.84f * k.h), k.h);
        drawText(g, s.getName(), "SemiBold", {k.x, k.y + q, k.w, juce::jmax(k.h - q - 1.0f, 0.0f)},
                 ZuStyle::real(s, ZuStyle::fontsize, 0.99f), text.withAlpha(0.8f), centred);

        if (hover)
        {
            fillFrame(g, *paths, k, text.withAlpha(0.9f), false);
        }
    }

    if (iscenter)
        endLabels(*this, g, k.x, k.w, k.h, text.withAlpha(0.8f), s.getName() == "Pan");
}

// LFO knob -------------------------------------------------------------------------

juce::Font ZuCLAF_ModFlatKnob::getSliderPopupFont(juce::Slider&)
{
    return juce::Font(10.0f);
}

void ZuCLAF_ModFlatKnob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start,
                                          float end, juce::Slider& s)
{
    const Geometry k(s.getLocalBounds().toFloat());
    const float a = valueAngle(sliderPos, start, end);
    const float sw = juce::jmax(0.05f * (float) width, 1.0f);
    const bool active = isActive(s), iscenter = active && isCentre(s), hover = isHover(s);
    const auto text = textColour(s);
    const auto thumb = s.findColour(juce::Slider::thumbColourId);

    const ZuKnobCacheKey now{k.r, k.cx, k.cy, sw, {}, {}};
    if (now != key)
    {
        key = now;
        track = doubleTrack(k.cx, k.cy, k.r, sw);
        disc = circle(k.cx, k.cy, 0.57f * k.r);
        smallDisc = circle(k.cx, k.cy, 0.342f * k.r);
        pointer.clear();
        pointer.addRectangle(-0.115f * k.r, -0.57f * k.r, 0.23f * k.r, 0.53f * k.r);
    }

    g.setColour(s.findColour(juce::Slider::trackColourId));
    g.fillPath(track);

    if (active)
        drawModArcs(g, s, a, k.cx, k.cy, 0.9f * k.r, 0.76f * k.r, {sw, 0.25f, 0.25f});

    if (iscenter)
        fillTriangle(g, *paths, {k.cx - 0.14f * k.t, 0.0f, 0.28f * k.t, 0.09f * k.t}, false, text.withAlpha(0.8f));

    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId).withAlpha(0.28f));
    g.fillPath(disc);

    if (active)
    {
        g.setColour(thumb);
        g.fillPath(smallDisc);
        g.fillPath(placed(pointer, a, k.cx, k.cy));

        const float q = juce::jmin((float) (int) (0.8f * k.h), k.h);
        drawText3(g, s.getName(), "Medium", {k.x, k.y + q, k.w, juce::jmax(k.h - q - 1.0f, 0.0f)}, 6.5f,
                  text.withAlpha(0.8f), centred);

        if (hover)
        {
            fillFrame(g, *paths, k, text.withAlpha(0.9f), false);
        }
    }

    if (iscenter)
        endLabels(*this, g, k.x, k.w, k.h, text.withAlpha(0.8f), false);
}

// Macro knob -----------------------------------------------------------------------

void ZuCLAF_MacroKnob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start,
                                        float end, juce::Slider& s)
{
    const Geometry k(s.getLocalBounds().toFloat());
    const float a = valueAngle(sliderPos, start, end);
    const bool active = isActive(s), iscenter = isCentre(s), hover = isHover(s);
    const auto text = textColour(s);

    const ZuKnobCacheKey now{k.r, k.cx, k.cy, 1.0f, {}, {}};
    if (now != key)
    {
        key = now;
        track = singleTrack(k.cx, k.cy, k.r);
    }
    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId).withAlpha(active ? 1.0f : 0.5f));
    g.fillPath(track);

    if (iscenter)
        fillTriangle(
            g, *paths,
            {k.cx - 0.1f * k.t, juce::jmin(0.5f, 0.09f * k.t), 0.2f * k.t, juce::jmax(0.09f * k.t - 0.5f, 0.0f)}, false,
            text.withAlpha(0.8f));

    if (active)
        drawModArcs(g, s, a, k.cx, k.cy, 0.9f * k.r, 0.76f * k.r,
                    {juce::jmax(0.043f * (float) width, 1.0f), 0.25f, 0.25f});

    g.setColour(bodyColour);
    g.fillPath(circle(k.cx, k.cy, 0.62f * k.r));

    if (!active)
        return;

    const juce::Colour grey(0xff757575);
    const auto inner = circle(k.cx, k.cy, 0.62f * 0.86f * k.r);
    g.setGradientFill(discGradient(inner, grey.brighter(0.1f), grey.darker(0.55f)));
    g.fillPath(inner);

    fillAndOutline(g, placed(roundedPointer(k.r, -0.12f, 0.24f, 2.0f), a, k.cx, k.cy), pointerColour, 1.0f,
                   pointerLine);

    if (hover)
    {
        fillFrame(g, *paths, k, text.withAlpha(0.6f), true);
    }

    const int top = (int) (0.82f * k.h), bottom = (int) (0.97f * k.h);
    g.setColour(text);
    g.fillPath(
        scaledInto(paths->numberPathForName(s.getName()), {k.x, (float) top, k.w, (float) (bottom - top)}, true));
}

// Modulatable knob main slider -----------------------------------------------------

void ZuCLAF_Knob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start, float end,
                                   juce::Slider& s)
{
    const auto b = s.getLocalBounds().toFloat();
    const float x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    const bool landscape = h < w;
    const float m = landscape ? juce::jmax(h - 4.0f, 0.0f) : juce::jmax(w - 4.0f, 0.0f);
    const float r = (m - juce::jmin(0.07f * m, m)) / 2.0f;
    const float cx = x + 2.0f + juce::jmax(w - 4.0f, 0.0f) / 2.0f;
    const float cy = landscape ? y + 2.0f + r : 0.04f * h + 2.0f + r;
    const float t = juce::jmax(juce::jmax(w - 4.0f, 0.0f) - 0.36f * r, 0.0f);
    const float a = valueAngle(sliderPos, start, end);
    const bool active = isActive(s), iscenter = isCentre(s), hover = isHover(s);
    const auto text = textColour(s);
    const auto thumb = s.findColour(juce::Slider::thumbColourId);
    const juce::Rectangle<float> frameBox(x + 1.0f, y + 1.0f, juce::jmax(w - 2.0f, 0.0f), juce::jmax(h - 2.0f, 0.0f));

    const ZuKnobCacheKey now{r, cx, cy, 1.0f, frameBox, thumb};
    if (now != key)
    {
        key = now;
        track = singleTrack(cx, cy, r);
        frame = scaledInto(paths->getFramePath(), frameBox, true);
        body = circle(cx, cy, 0.62f * r);
        innerDisc = circle(cx, cy, 0.62f * 0.88f * r);
        gradient = discGradient(innerDisc, thumb.brighter(0.15f), thumb.darker(0.55f));
    }

    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId).withAlpha(active ? 1.0f : 0.5f));
    g.fillPath(track);

    // The marker sits centred over the middle of the travel, as on the other
    // knobs.
    if (iscenter)
        fillTriangle(g, *paths,
                     {cx - 0.05f * t, juce::jmin(0.12f * t, 1.0f), 0.1f * t, juce::jmax(0.12f * t - 1.0f, 0.0f)}, false,
                     text);

    if (active)
        drawModArcs(g, s, a, cx, cy, 0.9f * r, 0.76f * r, {juce::jmax(0.043f * (float) width, 1.0f), 0.25f, 0.25f});

    g.setColour(active ? ZuStyle::colour(s, ZuStyle::thumbbgcolor, juce::Colour(0xff2d2d1f))
                       : s.findColour(juce::Slider::backgroundColourId).darker(0.7f));
    g.fillPath(body);

    if (active)
    {
        g.setGradientFill(gradient);
        g.fillPath(innerDisc);
        fillAndOutline(g, placed(roundedPointer(r, -0.12f, 0.24f, 1.0f), a, cx, cy), pointerColour, 0.5f, pointerLine);
        if (hover)
        {
            g.setColour(text.withAlpha(0.6f));
            g.fillPath(frame);
        }
        const int top = (int) (0.79f * h), bottom = (int) (0.98f * h);
        g.setColour(text);
        g.fillPath(
            scaledInto(paths->numberPathForName(s.getName()), {x, (float) top, w, (float) (bottom - top)}, false));
    }

    if (iscenter)
        endLabels(*this, g, x, w, h, text.withAlpha(0.8f), false);
}

// Flat knob --------------------------------------------------------------------------

ZuCLAF_FlatKnob::ZuCLAF_FlatKnob()
{
    for (int i = 0; i < KnobPathHelper::numNumbers; ++i)
        createTextPath(numberPaths[(size_t) i], juce::String(i + 1), "Medium", {0.0f, 0.0f, 100.0f, 100.0f}, 0.95f,
                       centred);
}

void ZuCLAF_FlatKnob::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                       float start, float end, juce::Slider& s)
{
    const Geometry k(juce::Rectangle<int>(x, y, width, height).toFloat());
    const float a = valueAngle(sliderPos, start, end);
    const float sw = juce::jmax(0.04f * (float) width, 1.0f);
    const bool active = isActive(s), iscenter = active && isCentre(s), hover = isHover(s);
    const auto text = textColour(s);
    const auto background = s.findColour(juce::Slider::backgroundColourId);
    const juce::Rectangle<float> frameBox(k.x + 1.0f, k.y + 1.0f, juce::jmax(k.w - 2.0f, 0.0f),
                                          juce::jmax(k.h - 2.0f, 0.0f));

    const ZuKnobCacheKey now{k.r, k.cx, k.cy, sw, frameBox, {}};
    if (now != key)
    {
        key = now;
        track = doubleTrack(k.cx, k.cy, k.r, sw);
        disc = circle(k.cx, k.cy, 0.57f * k.r);
        frame = scaledInto(ownPaths.getFramePath(), frameBox, true);
    }

    g.fillAll(background);
    g.setColour(background.brighter(0.2f));
    g.fillPath(track);

    if (active)
        drawModArcs(g, s, a, k.cx, k.cy, 0.9f * k.r, 0.76f * k.r, {sw, 0.25f, 0.25f});

    if (iscenter)
        fillTriangle(g, ownPaths, {k.cx - k.t / 2.0f, 0.0f, k.t, 0.09f * k.t}, true, text);

    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId).withAlpha(0.28f));
    g.fillPath(disc);

    if (active)
    {
        juce::Path pointer;
        pointer.addRectangle(-0.1f * k.r, -0.57f * k.r, 0.2f * k.r, 0.53f * k.r);
        pointer = placed(pointer, a, k.cx, k.cy);
        pointer.addPath(circle(k.cx, k.cy, 0.3135f * k.r));
        g.setColour(s.findColour(juce::Slider::thumbColourId).brighter(0.1f));
        g.fillPath(pointer);

        const float q = juce::jmin((float) (int) (0.81f * k.h), k.h);
        const int n = juce::jlimit(1, KnobPathHelper::numNumbers, s.getName().getIntValue());
        g.setColour(text);
        g.fillPath(
            scaledInto(numberPaths[(size_t) n - 1], {k.x, k.y + q, k.w, juce::jmax(k.h - q - 1.0f, 0.0f)}, true));
    }

    if (iscenter)
        endLabels(*this, g, k.x, k.w, k.h, text.withAlpha(0.8f), false);

    if (active && hover)
    {
        g.setColour(text.withAlpha(0.6f));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
}

// Single-sequencer knob -------------------------------------------------------------

void ZuCLAF_Seq1Knob::drawRotarySlider(juce::Graphics& g, int, int, int width, int, float sliderPos, float start,
                                       float end, juce::Slider& s)
{
    const Geometry k(s.getLocalBounds().toFloat());
    const float a = valueAngle(sliderPos, start, end);
    const bool active = isActive(s), iscenter = isCentre(s), hover = isHover(s);
    const auto text = textColour(s);
    const auto thumb = s.findColour(juce::Slider::thumbColourId);
    const double lo = trackStart * juce::MathConstants<double>::pi, hi = trackEnd * juce::MathConstants<double>::pi;

    juce::Path arc, track;
    addArc(arc, k.cx, k.cy, k.r, (float) lo, (float) hi);
    arc.closeSubPath();
    juce::PathStrokeType(1.0f).createStrokedPath(track, arc);
    g.setColour(s.findColour(juce::Slider::rotarySliderOutlineColourId));
    g.fillPath(track);

    if (iscenter)
        fillTriangle(g, *paths, {k.cx - k.t / 2.0f, 0.0f, k.t, 0.09f * k.t}, true, text.withAlpha(0.8f));

    if (active)
    {
        static const juce::Identifier* depth[] = {&ZuStyle::mod1, &ZuStyle::mod2};
        static const juce::Identifier* colour[] = {&ZuStyle::mod1trkcolor, &ZuStyle::mod2trkcolor};
        const float S = juce::jmax(0.043f * (float) width, 1.0f);
        for (int slot = 0; slot < 2; ++slot)
        {
            const double d = ZuStyle::realDouble(s, *depth[slot], 0.0);
            if (d == 0.0)
                continue;
            const double q = juce::jlimit(lo, hi, (double) a + 1.6 * juce::MathConstants<double>::pi * d);
            juce::Path modArc;
            addArc(modArc, k.cx, k.cy, (slot == 0 ? 0.88f : 0.74f) * k.r, a, (float) q);
            g.setColour(ZuStyle::colour(s, *colour[slot], juce::Colour(0xff202020)));
            fillStroked(g, modArc, S);
        }
    }

    const auto body = circle(k.cx, k.cy, 0.62f * k.r);
    g.setColour(active ? ZuStyle::colour(s, ZuStyle::thumbbgcolor, juce::Colour(0xff2d2d1f))
                       : s.findColour(juce::Slider::backgroundColourId).darker(0.7f));
    g.fillPath(body);

    if (!active)
        return;

    const auto inner = circle(k.cx, k.cy, 0.62f * 0.86f * k.r);
    g.setGradientFill(discGradient(inner, thumb.brighter(0.15f), thumb.darker(0.55f)));
    g.fillPath(inner);

    juce::Path pointer;
    pointer.addRectangle(-0.115f * k.r, -0.57f * k.r, 0.23f * k.r, 0.53f * k.r);
    fillAndOutline(g, placed(pointer.createPathWithRoundedCorners(2.0f), a, k.cx, k.cy), pointerColour, 1.0f,
                   pointerLine);

    if (hover)
    {
        fillFrame(g, *paths, k, text.withAlpha(0.6f), true);
    }
}
