// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KnobPathHelper.h"
#include "ZuStyleProps.h"

// What the rotary knob members share: the fixed track angles, the geometry of
// a knob in its bounds, the two modulation arcs and a few path helpers.
// Angles are radians clockwise from 12 o'clock, as Path::addCentredArc takes
// them.
namespace ZuKnobParts
{
constexpr float A0 = 3.92699099f; // 5 pi / 4
constexpr float A1 = 8.63938046f; // 11 pi / 4
constexpr float pi = juce::MathConstants<float>::pi;

inline float clampAngle(float v)
{
    return juce::jmax(juce::jmin(v, A1), A0);
}

// The knob inside (x, y, w, h), one pixel free on each side.
struct Geometry
{
    float x, y, w, h, m, top, r, W, cx, cy, t;

    Geometry(juce::Rectangle<float> b) : x(b.getX()), y(b.getY()), w(b.getWidth()), h(b.getHeight())
    {
        const bool landscape = h < w;
        m = landscape ? juce::jmax(h - 2.0f, 0.0f) : juce::jmax(w - 2.0f, 0.0f);
        top = landscape ? y : 0.02f * h;
        r = m / 2.0f;
        W = juce::jmax(w - 2.0f, 0.0f);
        cx = x + 1.0f + W / 2.0f;
        cy = top + 1.0f + r;
        t = juce::jmax(W - 0.2f * r, 0.0f);
    }
};

// An arc from p to q at radius radius as its own sub-path; nothing when q = p.
inline void addArc(juce::Path& path, float cx, float cy, float radius, float p, float q)
{
    if (p != q)
        path.addCentredArc(cx, cy, radius, radius, 0.0f, p, q, true);
}

// The path stroked to width (mitered joins, butt ends) and filled.
inline void fillStroked(juce::Graphics& g, const juce::Path& path, float width)
{
    juce::Path outline;
    juce::PathStrokeType(width).createStrokedPath(outline, path);
    g.fillPath(outline);
}

inline juce::Path circle(float cx, float cy, float radius)
{
    juce::Path p;
    p.addEllipse(cx - radius, cy - radius, 2.0f * radius, 2.0f * radius);
    return p;
}

// The path rotated by angle about the origin and moved to (cx, cy).
inline juce::Path placed(juce::Path p, float angle, float cx, float cy)
{
    p.applyTransform(juce::AffineTransform::rotation(angle).translated(cx, cy));
    return p;
}

// A copy of p scaled into area, keeping or stretching its proportions.
inline juce::Path scaledInto(juce::Path p, juce::Rectangle<float> area, bool keepProportions)
{
    if (!p.isEmpty())
        p.scaleToFit(area.getX(), area.getY(), area.getWidth(), area.getHeight(), keepProportions);
    return p;
}

struct ArcStyle
{
    float width, darker, brighter;
};

// The arcs of the two modulation slots from the slider's "Mod1"/"Mod2"
// depths: slot 1 at radius1, slot 2 at radius2. A bipolar slot shows one arc
// each side of the value angle a, the lower darkened and the higher
// brightened; otherwise one arc from a towards the depth's sign. Both are
// clamped to the track.
inline void drawModArcs(juce::Graphics& g, const juce::Slider& s, float a, float cx, float cy, float radius1,
                        float radius2, ArcStyle style)
{
    static const juce::Identifier* depth[] = {&ZuStyle::mod1, &ZuStyle::mod2};
    static const juce::Identifier* polarity[] = {&ZuStyle::polindex1, &ZuStyle::polindex2};
    static const juce::Identifier* colour[] = {&ZuStyle::mod1trkcolor, &ZuStyle::mod2trkcolor};
    for (int k = 0; k < 2; ++k)
    {
        const double d = ZuStyle::realDouble(s, *depth[k], 0.0);
        if (d == 0.0)
            continue;
        const int p = ZuStyle::integer(s, *polarity[k], 0);
        const auto c = ZuStyle::colour(s, *colour[k], juce::Colour(0xff202020));
        const float radius = k == 0 ? radius1 : radius2;
        if (p == 1)
        {
            const float span = 2.51327419f * (float) d;
            juce::Path low, high;
            addArc(low, cx, cy, radius, a, clampAngle(a - span));
            addArc(high, cx, cy, radius, a, clampAngle(a + span));
            g.setColour(c.darker(style.darker));
            fillStroked(g, low, style.width);
            g.setColour(c.brighter(style.brighter));
            fillStroked(g, high, style.width);
        }
        else
        {
            juce::Path arc;
            addArc(arc, cx, cy, radius, a, clampAngle(a + 5.02654839f * (float) d));
            g.setColour(c);
            fillStroked(g, arc, style.width);
        }
    }
}

inline bool isActive(const juce::Slider& s)
{
    return s.isEnabled() && s.getName() != "----";
}

inline bool isHover(const juce::Slider& s)
{
    return s.isMouseOverOrDragging() && s.isEnabled();
}

inline bool isCentre(const juce::Slider& s)
{
    return ZuStyle::integer(s, ZuStyle::iscenter, 0) != 0;
}

// The vertical gradient over a disc's bounds from top to bottom centre.
inline juce::ColourGradient discGradient(const juce::Path& disc, juce::Colour top, juce::Colour bottom)
{
    const auto b = disc.getBounds();
    return juce::ColourGradient(top, b.getCentreX(), b.getY(), bottom, b.getCentreX(), b.getBottom(), false);
}

inline juce::Colour sliderColour(const juce::Slider& s, int id)
{
    return s.findColour(id);
}
} // namespace ZuKnobParts
