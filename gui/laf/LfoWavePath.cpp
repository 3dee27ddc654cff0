// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoWavePath.h"

#include <cmath>

namespace
{
// A point of the 100 box mapped into box.
juce::Point<float> at(const juce::Rectangle<float>& box, float u, float v)
{
    return {box.getX() + u * 0.01f * box.getWidth(), box.getY() + v * 0.01f * box.getHeight()};
}

// An open polyline through points of the 100 box.
void polyline(juce::Path& out, const juce::Rectangle<float>& box, std::initializer_list<juce::Point<float>> points)
{
    out.clear();
    bool first = true;
    for (auto p : points)
    {
        const auto q = at(box, p.x, p.y);
        if (first)
            out.startNewSubPath(q);
        else
            out.lineTo(q);
        first = false;
    }
}

// The S-shaped rise 0..1 of the curved ramps.
float sCurve(float u)
{
    constexpr float k = 2.8284270763397217f;
    return u < 0.5f ? k * std::pow(u, 2.5f) : 1.0f - k * std::pow(1.0f - u, 2.5f);
}

constexpr float sinStep = 0.0314159282f;
} // namespace

LfoWavePath::LfoWavePath()
{
    sliderMakers = {{0, makeSinSlider},    {1, makeSinRevSlider}, {2, makeTriSlider},     {3, makeTriRevSlider},
                    {4, makeUpSlider},     {5, makeDownSlider},   {6, makeUpC3Slider},    {7, makeDownC3Slider},
                    {8, makeUpDownSlider}, {9, makeDownUpSlider}, {10, makeRectUpSlider}, {11, makeRectDownSlider},
                    {12, makeBiasSlider}};
    createWaveformPath();
}

void LfoWavePath::createWaveformPath()
{
    static constexpr Builder builders[numWavePaths] = {
        drawSinPath,    drawTriPath,      drawUpPath,       drawUpCurve1Path,   drawUpDownLin, drawRectUpPath,
        draw3StepsPath, draw4StepsPath,   drawSinPath,      drawSinRevPath,     drawTriPath,   drawTriRevPath,
        drawUpPath,     drawDownPath,     drawUpCurve1Path, drawDownCurve1Path, drawUpDownLin, drawDownUpLin,
        drawRectUpPath, drawRectDownPath, drawBiasPath};
    for (int i = 0; i < numWavePaths; ++i)
    {
        juce::Rectangle<float> box(0.0f, 0.0f, 100.0f, 100.0f);
        float strokeWidth = 1.0f;
        builders[i](wavePaths[(size_t) i], box, strokeWidth);
    }
}

juce::Path LfoWavePath::getWavePath(int index) const
{
    return juce::isPositiveAndBelow(index, numWavePaths) ? wavePaths[(size_t) index] : juce::Path();
}

juce::Path LfoWavePath::getSLfoWavePath(int index) const
{
    return juce::isPositiveAndBelow(index, numSliderTypes) ? wavePaths[(size_t) (8 + index)] : juce::Path();
}

juce::Path LfoWavePath::getPathForWaveSlider(int type, float value, juce::Rectangle<float>& area) const
{
    juce::Path p;
    const auto it = sliderMakers.find(type);
    if (it != sliderMakers.end())
        it->second(p, value, area);
    return p;
}

// Builders ----------------------------------------------------------------------

void LfoWavePath::drawSinPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    const float step = (box.getWidth() + 22.0f) / 100.0f, x0 = box.getX() - 11.0f * 0.01f * box.getWidth();
    const float bottom = 0.93f * box.getHeight();
    out.startNewSubPath(x0, box.getY() + bottom);
    for (int i = 0; i < 100; ++i)
        out.lineTo(x0 + step * (float) i, box.getY() + bottom * (1.0f - std::sin((float) i * sinStep)));
}

void LfoWavePath::drawSinRevPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    const float step = (box.getWidth() + 22.0f) / 100.0f, x0 = box.getX() - 11.0f * 0.01f * box.getWidth();
    const float bottom = 0.93f * box.getHeight();
    out.startNewSubPath(x0, box.getY());
    for (int i = 1; i <= 100; ++i)
        out.lineTo(x0 + step * (float) i, box.getY() + bottom * std::sin((float) i * sinStep));
}

void LfoWavePath::drawTriPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 93}, {50, 20}, {100, 93}});
}

void LfoWavePath::drawTriRevPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth)
{
    drawTriPath(out, box, strokeWidth);
    out.applyTransform(juce::AffineTransform::verticalFlip(1.5f * out.getBounds().getHeight()));
}

void LfoWavePath::drawUpPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 93}, {100, 20}});
}

void LfoWavePath::drawDownPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 20}, {100, 93}});
}

void LfoWavePath::drawUpCurve1Path(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 93.0f));
    for (int j = 1; j < 100; ++j)
        out.lineTo(at(box, (float) j, 93.0f - 73.0f * sCurve((float) j / 100.0f)));
}

void LfoWavePath::drawDownCurve1Path(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 20.0f));
    for (int j = 1; j < 100; ++j)
        out.lineTo(at(box, (float) j, 20.0f + 73.0f * sCurve((float) j / 100.0f)));
}

void LfoWavePath::drawUpDownLin(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 93}, {25, 37}, {75, 76}, {100, 20}});
}

void LfoWavePath::drawDownUpLin(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 20}, {25, 76}, {75, 37}, {100, 93}});
}

void LfoWavePath::drawRectUpPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{10, 85}, {50, 85}, {50, 25}, {90, 25}});
}

void LfoWavePath::drawRectDownPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 20}, {50, 20}, {50, 93}, {100, 93}});
}

void LfoWavePath::draw3StepsPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    polyline(out, box, {{0, 93}, {33.3333f, 93}, {33.3333f, 56.5f}, {66.6666f, 56.5f}, {66.6666f, 20}, {100, 20}});
}

void LfoWavePath::draw4StepsPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    const float l1 = 20.0f + 73.0f * 0.666666f, l2 = 20.0f + 73.0f * 0.333333f;
    polyline(out, box, {{0, 93}, {25, 93}, {25, l1}, {50, l1}, {50, l2}, {75, l2}, {75, 20}, {100, 20}});
}

void LfoWavePath::drawBiasPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.addLineSegment({at(box, 35.0f, 50.0f), at(box, 65.0f, 50.0f)}, 1.0f);
}

void LfoWavePath::drawHypTriPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 93.0f));
    out.quadraticTo(at(box, 45.0f, 88.0f), at(box, 50.0f, 20.0f));
    out.quadraticTo(at(box, 55.0f, 88.0f), at(box, 100.0f, 93.0f));
}

void LfoWavePath::drawExpLogPath(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 93.0f));
    for (int j = 0; j < 100; ++j)
    {
        const float u = 1.0f - 2.0f * std::abs(0.01f * (float) j - 0.5f);
        const float y = j <= 50 ? 93.0f * (1.0f - std::pow(u, 2.8f)) : 93.0f * (1.0f - std::sqrt(u));
        out.lineTo(at(box, (float) j, y));
    }
    out.lineTo(at(box, 100.0f, 93.0f));
}

void LfoWavePath::drawUpCurve2Path(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 93.0f));
    out.quadraticTo(at(box, 40.0f, 10.0f), at(box, 100.0f, 20.0f));
}

void LfoWavePath::drawDownCurve2Path(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, 0.0f, 93.0f));
    out.quadraticTo(at(box, 60.0f, 103.0f), at(box, 100.0f, 20.0f));
    out.applyTransform(juce::AffineTransform::verticalFlip(1.31f * out.getBounds().getHeight()));
}

void LfoWavePath::drawUpDownCurv(juce::Path& out, juce::Rectangle<float>& box, float&)
{
    out.clear();
    out.startNewSubPath(at(box, -10.0f, 100.0f));
    out.quadraticTo(at(box, 20.0f, 10.0f), at(box, 50.0f, 50.0f));
    out.quadraticTo(at(box, 80.0f, 90.0f), at(box, 110.0f, 0.0f));
}

void LfoWavePath::drawRandomPath(juce::Path& out, juce::Rectangle<float>& box, float& strokeWidth)
{
    polyline(out, box,
             {{0, 50},
              {16.5f, 50},
              {16.5f, 40},
              {33, 40},
              {33, 93},
              {49.5f, 93},
              {49.5f, 71},
              {66, 71},
              {66, 20},
              {82.5f, 20},
              {82.5f, 50},
              {100, 50}});
    strokeWidth = juce::jmax(1.0f, 0.1f * box.getHeight());
}

// Slider makers -----------------------------------------------------------------

namespace
{
struct Area
{
    float x, y, w, h, level;
    Area(const juce::Rectangle<float>& a, float v)
        : x(a.getX()), y(a.getY()), w(a.getWidth()), h(a.getHeight()), level((1.0f - v) * a.getHeight())
    {
    }
};

void through(juce::Path& out, std::initializer_list<juce::Point<float>> points)
{
    out.clear();
    bool first = true;
    for (auto p : points)
    {
        if (first)
            out.startNewSubPath(p);
        else
            out.lineTo(p);
        first = false;
    }
}
} // namespace

void LfoWavePath::makeSinSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    const float c = v <= 0.5f ? (1.0f - 2.0f * v) * a.h : -(2.0f * v - 1.0f) * a.h;
    out.clear();
    out.startNewSubPath(a.x, a.y + a.h);
    out.quadraticTo(a.x + a.w / 2.0f, c, a.x + a.w, a.y + a.h);
}

void LfoWavePath::makeSinRevSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    const float low = (1.0f + v) * a.h;
    through(out, {{a.x - 1.0f, low}, {a.x - 1.0f, a.level}});
    out.quadraticTo(a.x + a.w / 2.0f, low, a.x + a.w + 1.0f, a.level);
    out.lineTo(a.x + a.w + 1.0f, low);
}

void LfoWavePath::makeTriSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    through(out, {{a.x, a.y + a.h}, {a.x + a.w / 2.0f, a.level}, {a.x + a.w, a.y + a.h}});
}

void LfoWavePath::makeTriRevSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    through(out, {{a.x - 1.0f, a.h},
                  {a.x - 1.0f, a.level},
                  {a.x + a.w / 2.0f, a.h},
                  {a.x + a.w + 1.0f, a.level},
                  {a.x + a.w + 1.0f, a.h}});
}

void LfoWavePath::makeUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    through(out, {{a.x, a.y + a.h}, {a.x + a.w + 1.0f, a.level}, {a.x + a.w + 1.0f, a.y + a.h}});
}

void LfoWavePath::makeDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    through(out, {{a.x - 1.0f, a.y + a.h}, {a.x - 1.0f, a.level}, {a.x + a.w, a.y + a.h}});
}

void LfoWavePath::makeUpC3Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x, a.y + a.h);
    out.cubicTo(0.6f * a.w, a.y + a.h, 0.4f * a.w, a.level, a.x + a.w + 1.0f, a.level);
    out.lineTo(a.x + a.w + 1.0f, a.y + a.h);
}

void LfoWavePath::makeDownC3Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x + a.w, a.y + a.h);
    out.cubicTo(0.4f * a.w, a.y + a.h, 0.6f * a.w, a.level, a.x - 1.0f, a.level);
    out.lineTo(a.x - 1.0f, a.y + a.h);
}

void LfoWavePath::makeUpDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    juce::Path p;
    through(p, {{a.x, a.y + a.h},
                {0.35f * a.w, (1.0f - 0.65f * v) * a.h},
                {0.65f * a.w, (1.0f - 0.35f * v) * a.h},
                {a.x + a.w + 1.0f, a.level},
                {a.x + a.w + 1.0f, a.y + a.h}});
    out = p.createPathWithRoundedCorners(2.0f);
}

void LfoWavePath::makeDownUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    juce::Path p;
    through(p, {{a.x + a.w, a.y + a.h},
                {0.65f * a.w, (1.0f - 0.65f * v) * a.h},
                {0.35f * a.w, (1.0f - 0.35f * v) * a.h},
                {a.x - 1.0f, a.level},
                {a.x - 1.0f, a.y + a.h}});
    out = p.createPathWithRoundedCorners(2.0f);
}

void LfoWavePath::makeRectUpSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    const float b = a.y + a.h - 1.0f;
    through(out, {{a.x - 1.0f, b},
                  {a.x + a.w / 2.0f, b},
                  {a.x + a.w / 2.0f, a.level},
                  {a.x + a.w + 1.0f, a.level},
                  {a.x + a.w + 1.0f, b}});
}

void LfoWavePath::makeRectDownSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    const float b = a.y + a.h - 1.0f;
    through(out, {{a.x - 1.0f, b},
                  {a.x - 1.0f, a.level},
                  {a.x + a.w / 2.0f, a.level},
                  {a.x + a.w / 2.0f, b},
                  {a.x + a.w + 1.0f, b}});
}

void LfoWavePath::makeBiasSlider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    through(
        out,
        {{a.x - 1.0f, a.y + a.h}, {a.x - 1.0f, a.level}, {a.x + a.w + 1.0f, a.level}, {a.x + a.w + 1.0f, a.y + a.h}});
}

void LfoWavePath::makeUpC1Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x, a.y + a.h);
    out.quadraticTo(a.x + 0.65f * a.w, a.y + a.h, a.x + a.w + 1.0f, a.level);
    out.lineTo(a.x + a.w + 1.0f, a.y + a.h);
}

void LfoWavePath::makeUpC2Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x, a.y + a.h);
    out.quadraticTo(a.x + a.w / 2.0f, a.level, a.x + a.w + 1.0f, a.level);
    out.lineTo(a.x + a.w + 1.0f, a.y + a.h);
}

void LfoWavePath::makeDownC1Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x + a.w, a.y + a.h);
    out.quadraticTo(a.x + 0.35f * a.w, a.y + a.h, a.x - 1.0f, a.level);
    out.lineTo(a.x - 1.0f, a.y + a.h);
}

void LfoWavePath::makeDownC2Slider(juce::Path& out, const float& v, juce::Rectangle<float>& area)
{
    const Area a(area, v);
    out.clear();
    out.startNewSubPath(a.x + a.w, a.y + a.h);
    out.quadraticTo(a.x + a.w / 2.0f, a.level, a.x - 1.0f, a.level);
    out.lineTo(a.x - 1.0f, a.y + a.h);
}
