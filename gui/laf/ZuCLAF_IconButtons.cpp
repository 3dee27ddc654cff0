// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_IconButtons.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
const juce::Colour hoverGrey(0xffaaaaaa);

juce::Path svgButtonIcon(const juce::String& name, bool toggled)
{
    if (name == "power")
        return ZU_ICON(onoffSvgData);
    if (name == "minimize")
        return toggled ? ZU_ICON(panelHideSvgData) : ZU_ICON(panelShowSvgData);
    if (name == "menu")
        return ZU_ICON(menuSvgData);
    if (name == "<")
        return ZU_ICON(arrowLeftSvgData);
    if (name == ">")
        return ZU_ICON(arrowRightSvgData);
    if (name == "expand")
        return ZU_ICON(svgFullscreen);
    if (name == "mod")
        return ZU_ICON(modSvgData);
    if (name == "key")
        return ZU_ICON(svgKey);
    return {};
}

// The icon area: the margin r x h on all four sides.
juce::Rectangle<float> reducedArea(const juce::Button& b, float defaultFactor)
{
    const auto r = ZuStyle::real(b, ZuStyle::reducefactor, defaultFactor);
    return inset(b.getLocalBounds().toFloat(), r * (float) b.getHeight());
}
} // namespace

void ZuCLAF_SvgButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const float h = b.getHeight();
    const juce::Rectangle<float> area(b.getX() + 0.01f * h, b.getY() + 0.01f * h,
                                      juce::jmax(0.0f, b.getWidth() - 0.02f * h), juce::jmax(0.0f, h - 0.02f * h));
    auto icon = fitted(svgButtonIcon(ZuStyle::text(button, ZuStyle::svgname, {}), button.getToggleState()), area);
    const auto s = ZuStyle::real(button, ZuStyle::scale, 1.0f);
    icon.applyTransform(juce::AffineTransform::scale(s, s, area.getCentreX(), area.getCentreY()));
    g.setColour(button.getToggleState() ? c.textOn : c.textOff);
    g.fillPath(icon);
    if (highlighted)
    {
        g.setColour(hoverGrey);
        g.drawRect(b, 1.0f);
    }
}

ZuCLAF_SEQ1SvgButton::ZuCLAF_SEQ1SvgButton()
    : chord(ZU_ICON(svgChordData)), lockClose(ZU_ICON(svgLockCloseData)), lockOpen(ZU_ICON(svgLockOpenData)),
      metronome(ZU_ICON(svgMetronome)), plusMinus(ZU_ICON(svgPlusMinus))
{
}

void ZuCLAF_SEQ1SvgButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled(), toggled = button.getToggleState();
    const auto b = button.getLocalBounds().toFloat();
    const auto area = reducedArea(button, 0.03f);
    if (enabled && toggled)
    {
        g.setColour(c.on);
        g.fillRect(b);
    }
    const auto outline = ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0x00000000));
    g.setColour(outline.withMultipliedAlpha(enabled ? 1.0f : 0.5f));
    g.drawRect(b, 1.0f);

    const auto text = button.getButtonText();
    juce::Path icon;
    if (text == "chord")
        icon = chord;
    else if (text == "lock")
        icon = toggled ? lockClose : lockOpen;
    else if (text == "sync")
        icon = metronome;
    else if (text == "rel")
        icon = plusMinus;
    icon = fitted(icon, area);

    if (enabled)
    {
        g.setColour(toggled ? c.textOn : c.textOff);
        g.fillPath(icon);
        if (highlighted)
        {
            g.setColour(ZuStyle::colour(button, ZuStyle::focuscolor, juce::Colour(0xff202020)));
            g.drawRect(b, 1.5f);
        }
    }
    else
    {
        g.setColour(c.textOn.withAlpha(0.5f));
        g.strokePath(icon, juce::PathStrokeType(0.5f));
    }
}

void ZuCLAF_CloseButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const bool active = down || button.getToggleState();
    g.fillAll(c.button);
    const auto area = reducedArea(button, 0.03f);

    juce::Colour colour;
    if (button.getClickingTogglesState())
    {
        if (highlighted)
        {
            g.setColour(c.on.withAlpha(0.1f));
            g.fillRect(button.getLocalBounds());
        }
        colour = active ? c.textOn : c.textOff;
    }
    else
    {
        colour = active ? c.textOn : (highlighted ? c.on : c.textOff);
    }

    const auto text = button.getButtonText();
    juce::Path icon;
    if (text == "Close")
        icon = ZU_ICON(svgCloseData);
    else if (text == "Sort")
        icon = ZU_ICON(svgSortData);
    else if (text == "Eraser")
        icon = ZU_ICON(svgEraserData);
    else if (text == "Key")
        icon = ZU_ICON(svgKeyData);
    icon = fitted(icon, area);
    g.setColour(colour);
    if (button.isEnabled())
        g.fillPath(icon);
    else
        g.strokePath(icon, juce::PathStrokeType(0.5f));
}

ZuCLAF_EditButton::ZuCLAF_EditButton() : grab(ZU_ICON(svgGrabMode2)), scroll(ZU_ICON(svgScrollMode)) {}

void ZuCLAF_EditButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(c.button);
    const int which = juce::jlimit(0, 1, button.getName().getIntValue());
    const auto b = button.getLocalBounds().toFloat();
    g.setColour(button.getToggleState() ? c.textOn : c.textOff);
    g.fillPath(fitted(which == 0 ? grab : scroll, inset(b, 1.0f)));
    if (highlighted)
    {
        g.setColour(hoverGrey);
        g.drawRect(b, 1.0f);
    }
}

void ZuCLAF_ModIconButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(c.button);
    const auto area = reducedArea(button, 0.07f);
    const auto text = button.getButtonText();
    juce::Path icon;
    if (text == "power")
        icon = ZU_ICON(onoffSvgData);
    else if (text == "close")
        icon = ZU_ICON(svgCloseData);
    else if (text == "menu")
        icon = ZU_ICON(menuSvgData);
    icon = fitted(icon, area);
    if (button.isEnabled())
    {
        g.setColour(button.getToggleState() ? c.textOn : c.textOff);
        g.fillPath(icon);
        if (highlighted)
        {
            g.setColour(c.on);
            g.drawRect(button.getLocalBounds().toFloat(), 1.0f);
        }
    }
    else
    {
        g.setColour(c.textOn.withAlpha(0.5f));
        g.strokePath(icon, juce::PathStrokeType(0.5f));
    }
}
