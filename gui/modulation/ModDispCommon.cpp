// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModDispCommon.h"

namespace zumoddisp
{
int displayedSnapshot(const LfoData& data, int unit)
{
    const auto u = (size_t) juce::jlimit(0, LfoData::numUnits - 1, unit);
    return juce::jlimit(0, LfoData::numSnapshots - 1, data.snapValues[u].toString().getIntValue());
}

const LfoData::ModUnitData& displayedSlot(const LfoData& data, std::pair<int, int> unitAndSlot)
{
    const int unit = juce::jlimit(0, LfoData::numUnits - 1, unitAndSlot.first);
    const int slot = juce::jlimit(0, LfoData::numSlots - 1, unitAndSlot.second);
    return data.unitSnaps[(size_t) unit][(size_t) displayedSnapshot(data, unit)][(size_t) slot];
}

void rebuildBackground(juce::DrawableComposite& layer, juce::DrawablePath& fill, juce::DrawablePath& outline,
                       const juce::Path& frame, const juce::Path& centreLine, bool bipolar, juce::Colour fillColour,
                       juce::Colour outlineColour)
{
    layer.removeAllChildren();
    if (!frame.isEmpty())
    {
        juce::Path p(frame);
        if (bipolar)
            p.addPath(centreLine);
        fill.setFill(fillColour);
        fill.setPath(p);
        juce::Path stroked;
        juce::PathStrokeType(0.5f).createStrokedPath(stroked, p, {}, 1.0f);
        outline.setFill(outlineColour);
        outline.setPath(stroked);
    }
    layer.addAndMakeVisible(fill);
    layer.addAndMakeVisible(outline);
}

juce::Rectangle<int> bipolarBar(juce::Rectangle<int> strip, float v)
{
    const int x = strip.getX(), y = strip.getY(), w = strip.getWidth(), h = strip.getHeight();
    const int c = y + h / 2;
    if (v >= 0.5f)
    {
        const int m = (int) ((1.0f - v) * (float) h);
        return {x, y + m, w, std::max(c - m, 0)};
    }
    return {x, c, w, std::max(c - (int) (v * (float) h), 0)};
}

juce::Path centreLinePath(juce::Rectangle<float> frame)
{
    juce::Path p;
    p.addRectangle(frame.getX(), frame.getY() - 0.5f + frame.getHeight() * 0.5f, frame.getWidth(), 1.0f);
    return p;
}

juce::Rectangle<float> insetDrawArea(float x, float y, float w, float h)
{
    const float px = std::max(0.02f * w, 1.0f), py = std::max(0.12f * h, 1.0f);
    return {x + px, y + py, std::max(w - 2.0f * px, 0.0f), std::max(h - 2.0f * py, 0.0f)};
}
} // namespace zumoddisp
