// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_TargetButtons.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
constexpr auto centred = juce::Justification::centred;

juce::Path roundedRect(juce::Rectangle<float> r, float corner)
{
    juce::Path p;
    p.addRoundedRectangle(r, corner);
    return p;
}
} // namespace

// Unit-target switch -------------------------------------------------------------------

void ZuCLAF_SwgTarButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                               bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool active = button.getToggleState() && button.isEnabled();
    const auto p = inset(button.getLocalBounds().toFloat(), 0.5f);
    g.setColour(juce::Colour(0xff202020));
    g.fillRect(p);

    const bool tall = p.getHeight() >= 10.0f;
    const float m = tall ? juce::jmin(2.0f, 0.05f * p.getHeight()) : 0.5f;
    const auto q = roundedRect(inset(p, m), 1.0f);
    if (active)
    {
        g.setColour(highlighted ? c.on.darker(0.3f) : c.on);
        g.fillPath(q);
    }
    else
    {
        g.setColour(c.on.withAlpha(highlighted ? 1.0f : 0.6f));
        g.strokePath(q, juce::PathStrokeType(tall ? juce::jmin(1.0f, 0.05f * p.getHeight()) : 0.5f));
    }
}

void ZuCLAF_SwgTarButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const bool on = button.getToggleState() || button.isDown();
    drawText(g, button.getButtonText(), "SemiBold", inset(b, 0.05f * b.getHeight()), 1.0f,
             on ? c.textOn.withAlpha(0.8f) : c.textOff.withAlpha(1.0f), centred);
}

// Piano key -------------------------------------------------------------------------------

juce::Rectangle<float> ZuCLAF_ScaleKeyButton::captionArea(juce::Rectangle<float> bounds)
{
    const auto r = inset(bounds, 1.0f);
    const float s = juce::jmin(r.getWidth(), r.getHeight());
    return {(float) juce::roundToInt(r.getX()), (float) juce::roundToInt(r.getY() + r.getHeight() - s),
            (float) juce::roundToInt(r.getWidth()), (float) juce::roundToInt(s)};
}

void ZuCLAF_ScaleKeyButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff000000)));
    const auto key = roundedRect(inset(b, 1.0f), 1.0f);
    const bool enabled = button.isEnabled(), toggled = button.getToggleState();
    if (enabled)
    {
        g.setColour(c.button.withAlpha(0.8f));
        g.fillPath(key);
        g.setColour(highlighted ? c.on : c.button);
        g.strokePath(key, juce::PathStrokeType(1.0f));
        if (toggled)
        {
            g.setColour(c.on);
            g.fillPath(key);
        }
    }
    else
    {
        g.setColour(juce::Colour(0xff303030));
        g.strokePath(key, juce::PathStrokeType(1.0f));
    }
    const auto colour = (toggled ? c.textOn : c.textOff).withAlpha(enabled ? 1.0f : 0.0f);
    drawText(g, ZuStyle::text(button, ZuStyle::dispnote, "-"), "Medium", captionArea(b),
             ZuStyle::real(button, ZuStyle::fontsize, 0.68f), colour, centred);
}

// Track-bank switch ---------------------------------------------------------------------------

void ZuCLAF_ChainerTrkButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                   bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff202020)));
    const auto r = inset(button.getLocalBounds().toFloat(), 1.0f);
    const float a = juce::jmin(0.48f * r.getWidth(), r.getWidth()), w2 = juce::jmin(r.getWidth() - a, a);
    const juce::Rectangle<float> L(r.getX(), r.getY(), a, r.getHeight()),
        R(r.getX() + r.getWidth() - w2, r.getY(), w2, r.getHeight());
    juce::Path halves;
    halves.addRectangle(L);
    halves.addRectangle(R);
    g.setColour(c.button);
    g.strokePath(halves, juce::PathStrokeType(0.5f));
    if (!button.isEnabled())
        return;

    const bool upper = button.getToggleState();
    g.setColour(c.on);
    g.fillRect(upper ? R : L);
    drawText(g, "Trk 1-4", "Medium", L, 0.6f, upper ? c.textOff : c.textOn, centred);
    drawText(g, "Trk 5-8", "Medium", R, 0.6f, upper ? c.textOn : c.textOff, centred);
    if (highlighted)
    {
        g.setColour(c.on);
        g.drawRect(r, 1.0f);
    }
}

// LFO option switch -----------------------------------------------------------------------------

void ZuCLAF_LfoButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled();
    const bool live = enabled && button.getButtonText() != "----", lit = button.getToggleState() && enabled;
    g.fillAll(c.button);
    const auto frame =
        roundedRect({0.5f, 0.5f, (float) button.getWidth() - 1.0f, (float) button.getHeight() - 1.0f}, 1.8f);
    if (lit)
    {
        g.setColour(c.on);
        g.fillPath(frame);
    }
    g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0xff808080))
                    .withMultipliedAlpha(live ? 1.0f : 0.5f));
    g.strokePath(frame, juce::PathStrokeType(0.5f));
    if (live && highlighted)
    {
        g.setColour(c.on);
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_LfoButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const auto t = button.getButtonText();
    g.setColour(button.getToggleState() && t != "----" ? c.textOn : c.textOff);
    const auto b = button.getLocalBounds().toFloat();
    const float d = (float) (int) (0.2f * b.getHeight());
    const juce::Rectangle<float> a(b.getX(), b.getY() + d, juce::jmax(b.getWidth(), 0.0f),
                                   juce::jmax(b.getHeight() - 2.0f * d, 0.0f));
    if (t == "Bi")
    {
        g.setFont(faceFont("Medium", a.getHeight(), juce::Font::bold).withPointHeight(1.1f * a.getHeight()));
        g.drawFittedText("+/-", a.toNearestInt(), centred, 1, 0.3f);
        return;
    }
    juce::Path icon;
    auto area = a;
    if (t == "Sync")
        icon = ZU_ICON(svgMetronome);
    else if (t == "Phi")
        icon = ZU_ICON(svgPhi);
    else if (t == "Exp")
        icon = ZU_ICON(svgExp);
    else if (t == "Sat")
        icon = ZU_ICON(svgSat);
    else if (t == "SC")
    {
        area = inset(a, 0.06f * a.getWidth());
        icon = button.getToggleState() ? ZU_ICON(svgSc2) : ZU_ICON(svgSc);
    }
    if (!icon.isEmpty() && !area.isEmpty())
        g.fillPath(fitted(icon, area));
}

// LFO waveform switch ---------------------------------------------------------------------------

ZuCLAF_WaveformButton::ZuCLAF_WaveformButton() = default;

int ZuCLAF_WaveformButton::waveIndex(const juce::String& text) const
{
    return juce::jmax(0, waveNames.indexOf(text));
}

void ZuCLAF_WaveformButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const int w = button.getWidth(), h = button.getHeight();
    g.fillAll(c.button);
    strokeWidth = juce::jmax(0.06f * (float) (h - 1), 1.0f);
    if (w - 1 <= 0 || h - 1 <= 0)
        return;
    const auto frame = connectedFrame(button, 1.5f);
    const bool enabled = button.isEnabled();
    if (enabled && button.getToggleState())
    {
        g.setColour(c.on);
        g.fillPath(frame);
    }
    g.setColour(c.on.withAlpha(enabled ? 0.38f : 0.19f));
    g.strokePath(frame, juce::PathStrokeType(0.5f));
    if (enabled && highlighted)
    {
        g.setColour(c.on);
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_WaveformButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const float d = (float) (int) (0.2f * b.getHeight());
    const juce::Rectangle<float> area(b.getX() + d, b.getY() + d, juce::jmax(b.getWidth() - 2.0f * d, 0.0f),
                                      juce::jmax(b.getHeight() - 2.0f * d, 0.0f));
    if (button.getToggleState())
        g.setColour(c.textOn);
    else
        g.setColour(button.isMouseOver(false) ? c.textOff.brighter(0.7f) : c.textOff);
    if (area.isEmpty())
        return;
    g.strokePath(fitted(waves->getWavePath(waveIndex(button.getButtonText())), area),
                 juce::PathStrokeType(strokeWidth));
}
