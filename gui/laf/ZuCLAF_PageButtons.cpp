// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_PageButtons.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
constexpr auto centred = juce::Justification::centred;
const juce::Colour black(0xff000000);

struct PageLayout
{
    float x0, y0, W, H, S1, S2, q;
    juce::Rectangle<float> pill1, pill2;
};

// The content area less a pixel each side and the two page zones at the ends;
// the pills are the zones narrowed by a quarter of the first zone's width.
PageLayout pageLayout(const juce::Button& b, float zoneFactor)
{
    PageLayout l{};
    l.x0 = 1.0f;
    l.W = juce::jmax(0.0f, (float) b.getWidth() - 2.0f);
    l.y0 = 0.5f;
    l.H = juce::jmax(0.0f, (float) b.getHeight() - 1.0f);
    l.S1 = juce::jmin(zoneFactor * l.W, l.W);
    l.S2 = juce::jmin(l.S1, l.W - l.S1);
    l.q = 0.25f * l.S1;
    l.pill1 = {l.x0 + l.q, l.y0, juce::jmax(0.0f, l.S1 - 2.0f * l.q), l.H};
    l.pill2 = {l.x0 + l.W - l.S2 + l.q, l.y0, juce::jmax(0.0f, l.S2 - 2.0f * l.q), l.H};
    return l;
}

bool isActive(const juce::Button& b, bool down)
{
    return b.getToggleState() || down;
}
} // namespace

// Page switch with arrows -----------------------------------------------------

ZuCLAF_PageButton2::ZuCLAF_PageButton2() : arrowLeft(ZU_ICON(arrowLeftSvgData)), arrowRight(ZU_ICON(arrowRightSvgData))
{
    createTextPath(page1Text, ZuPageTexts::page1, "SemiBold", {0.0f, 0.0f, 100.0f, 10.0f}, 1.1f, centred);
    createTextPath(page2Text, ZuPageTexts::page2, "SemiBold", {0.0f, 0.0f, 100.0f, 10.0f}, 1.1f, centred);
}

void ZuCLAF_PageButton2::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const auto bg = ZuStyle::colour(button, ZuStyle::bgcolor, black);
    const bool active = isActive(button, down), enabled = button.isEnabled();
    const auto l = pageLayout(button, 0.35f);
    const float M = l.W - l.S1 - l.S2;
    const juce::Rectangle<float> K(l.x0 + l.S1 + 0.3f * M, l.y0, juce::jmax(0.0f, 0.4f * M), l.H);
    const float klw = juce::jmin(0.5f * K.getWidth(), K.getWidth());
    const auto KL = K.withWidth(klw);
    const auto KR = K.withTrimmedLeft(klw);
    juce::Path middle;
    middle.addRoundedRectangle(K, 2.0f);
    const float a = enabled ? 1.0f : 0.4f;

    if (button.getWidth() > 1 && button.getHeight() > 1)
    {
        for (int page = 1; page <= 2; ++page)
        {
            const bool selected = (page == 2) == active;
            const auto pill = page == 1 ? l.pill1 : l.pill2;
            juce::Path pillPath;
            pillPath.addRoundedRectangle(pill.getX(), pill.getY(), pill.getWidth(), pill.getHeight(), 2.0f, 2.0f,
                                         page == 1, page == 2, page == 1, page == 2);
            const auto arrow = fitted(page == 1 ? arrowLeft : arrowRight, page == 1 ? KL : KR);
            juce::Colour textColour;
            if (selected && enabled)
            {
                g.setColour(c.on);
                g.fillPath(pillPath);
                g.fillPath(arrow);
                textColour = c.textOn;
            }
            else
            {
                g.setColour(black);
                g.fillPath(arrow);
                g.setColour(bg.darker(0.6f));
                g.fillPath(pillPath);
                textColour = c.textOff;
            }
            const float ph = pill.getHeight();
            const juce::Rectangle<float> textArea(pill.getX(), pill.getY() + 0.03f * ph + 0.5f, pill.getWidth(),
                                                  juce::jmax(0.0f, ph - 0.06f * ph));
            g.setColour(textColour.withAlpha(a));
            g.fillPath(fitted(page == 1 ? page1Text : page2Text, textArea));
        }
    }
    if (highlighted)
    {
        g.setColour(c.on.brighter(0.1f).withAlpha(0.5f));
        g.strokePath(middle, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_CtrlPageButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const float W = juce::jmax(0.0f, (float) button.getWidth() - 2.0f),
                H = juce::jmax(0.0f, (float) button.getHeight() - 2.0f);
    const float x0 = 1.5f, y0 = 1.5f, hh = juce::jmin(0.5f * H, H);
    const juce::Rectangle<float> top(x0, y0, juce::jmax(0.0f, W - 1.0f), juce::jmax(0.0f, hh - 1.0f));
    const juce::Rectangle<float> bottom(x0, y0 + hh, juce::jmax(0.0f, W - 1.0f), juce::jmax(0.0f, H - 1.0f - hh));
    g.setColour(juce::Colour(0xff505050));
    g.drawRect(top, 1.0f);
    g.drawRect(bottom, 1.0f);
    if (button.isEnabled())
    {
        g.setColour(highlighted ? c.on.darker(0.3f) : c.on);
        g.fillRect(button.getToggleState() ? bottom : top);
    }
    if (highlighted)
    {
        g.setColour(c.on.brighter(0.8f));
        g.drawRect(button.getLocalBounds().toFloat(), 0.5f);
    }
}

// Step buttons ----------------------------------------------------------------

juce::Path ZuCLAF_CenterSqButton::preparedSlur()
{
    auto p = ZU_ICON(svgSlide);
    const auto centre = p.getBounds().getCentre();
    p.applyTransform(juce::AffineTransform::rotation(2.3561945f, centre.x, centre.y));
    return p;
}

ZuCLAF_CenterSqButton::ZuCLAF_CenterSqButton() : slur(preparedSlur()), power(ZU_ICON(onoffSvgData)) {}

void ZuCLAF_CenterSqButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled();
    const auto A = inset(button.getLocalBounds().toFloat(), 0.5f);
    g.setColour(c.button);
    g.fillRoundedRectangle(A, 1.0f);
    const auto face = button.getToggleState() && enabled ? c.on : c.button;
    g.setColour(highlighted ? face.darker(0.3f) : face);
    g.fillRoundedRectangle(A, 1.0f);
    const auto outline = ZuStyle::colour(button, ZuStyle::outlinecolor, black);
    g.setColour(enabled ? outline : outline.darker(0.7f));
    g.drawRoundedRectangle(A, 1.0f, 0.5f);
    if (highlighted)
    {
        g.setColour(c.on);
        g.drawRoundedRectangle(A, 2.0f, 1.0f);
    }
}

void ZuCLAF_CenterSqButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    g.setColour(button.getToggleState() ? c.textOn : c.textOff);
    g.fillPath(fitted(button.getButtonText() == "slur" ? slur : power, inset(b, 0.16f * b.getHeight())));
}

void ZuCLAF_Seq1Button::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, black));
    const auto A = inset(button.getLocalBounds().toFloat(), 0.5f);
    g.setColour(c.button);
    g.fillRoundedRectangle(A, 2.0f);
    const auto face = button.getToggleState() && button.isEnabled() ? c.on : c.button;
    g.setColour(highlighted ? face.darker(0.3f) : face);
    g.fillRoundedRectangle(A, 2.0f);
    g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, black));
    g.drawRoundedRectangle(A, 2.0f, 1.0f);
}

void ZuCLAF_FlatButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const bool on = button.isEnabled() && isActive(button, down);
    juce::Path path;
    path.addRoundedRectangle(inset(button.getLocalBounds().toFloat(), 0.5f),
                             ZuStyle::real(button, ZuStyle::corner, 0.0f));
    const auto fill = on ? c.on : c.button;
    g.setColour(highlighted ? fill.darker(0.2f) : fill);
    g.fillPath(path);
    if (highlighted)
    {
        g.setColour(c.on.brighter(0.5f));
        g.strokePath(path, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_FlatButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const int m = (int) std::floor(0.08 * button.getHeight());
    drawText(g, button.getButtonText(), ZuStyle::text(button, ZuStyle::fontface, "Medium"),
             inset(button.getLocalBounds().toFloat(), (float) m), ZuStyle::real(button, ZuStyle::fontsize, 0.7f),
             isActive(button, down) ? c.textOn : c.textOff, centred);
}

// Pill page switch without arrows, and the dot switch ---------------------------

void ZuCLAF_PageButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const bool active = isActive(button, down), enabled = button.isEnabled();
    const auto l = pageLayout(button, 0.495f);
    const float gap = l.W - l.S1 - l.S2;
    if (button.getWidth() > 1 && button.getHeight() > 1)
    {
        for (int page = 1; page <= 2; ++page)
        {
            const bool selected = (page == 2) == active;
            const auto pill = page == 1 ? l.pill1 : l.pill2;
            juce::Path pillPath;
            pillPath.addRoundedRectangle(pill, 1.0f);
            auto textColour = c.textOff;
            if (selected && enabled)
            {
                g.setColour(c.on);
                g.fillPath(pillPath);
                textColour = c.textOn;
            }
            drawText(g, page == 1 ? ZuPageTexts::page1 : ZuPageTexts::page2,
                     ZuStyle::text(button, ZuStyle::fontface, "SemiBold"), pill,
                     ZuStyle::real(button, ZuStyle::fontsize, 0.9f), textColour, centred);
            if (highlighted && enabled)
            {
                g.setColour(c.on.brighter(0.1f));
                g.strokePath(pillPath, juce::PathStrokeType(1.5f));
            }
        }
    }
    g.setColour(juce::Colour(0xff101010));
    const float mid = l.x0 + l.S1 + 0.5f * gap;
    g.drawLine(mid, l.y0, mid, l.y0 + l.H, 1.0f);
}

void ZuCLAF_PageButton3::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled(), toggled = button.getToggleState();
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, black));
    const float x0 = 1.0f, y0 = 1.0f;
    const float W = juce::jmax(0.0f, (float) button.getWidth() - 2.0f),
                H = juce::jmax(0.0f, (float) button.getHeight() - 2.0f);
    const juce::Rectangle<float> zone(x0, y0 + 0.2f * H, W, juce::jmax(0.0f, 0.6f * H));
    const float d1 = juce::jmin(zone.getHeight(), W);
    const float d2 = juce::jmin(zone.getHeight() - d1, W);
    const juce::Rectangle<float> dots[2] = {{zone.getX(), zone.getY(), W, d1},
                                            {zone.getX(), zone.getBottom() - d2, W, d2}};
    const juce::Colour dotColours[2] = {enabled && !toggled ? c.on : c.button, enabled && toggled ? c.on : c.button};
    for (int i = 0; i < 2; ++i)
    {
        g.setColour(dotColours[i].withAlpha(enabled ? 1.0f : 0.38f));
        g.fillEllipse(dots[i]);
        if (enabled)
        {
            g.setColour(dotColours[i].withAlpha(1.0f));
            g.drawEllipse(dots[i], 1.0f);
        }
    }
    if (highlighted)
    {
        g.setColour(c.on.withAlpha(0.5f));
        const float ya = y0 + 0.06f * H, yb = ya + juce::jmax(0.0f, 0.88f * H);
        g.drawLine(x0, ya, x0 + W, ya, 1.5f);
        g.drawLine(x0, yb, x0 + W, yb, 1.5f);
    }
}
