// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_FramedButtons.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
constexpr auto centred = juce::Justification::centred;

bool isActive(const juce::Button& b, bool down)
{
    return b.getToggleState() || down;
}

// The integer bounds less floor(0.08 h) on every side.
juce::Rectangle<float> contentArea(const juce::Button& b)
{
    const int m = (int) std::floor(0.08 * b.getHeight());
    return inset(b.getLocalBounds().toFloat(), (float) m);
}

float fontSizeOf(const juce::Button& b)
{
    return (float) b.getProperties().getWithDefault(ZuStyle::fontsize, 0.65);
}
} // namespace

void ZuCLAF_DirButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool highlighted, bool down)
{
    if (tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled();
    const auto frame = connectedFrame(button, ZuStyle::real(button, ZuStyle::curvefactor, 1.0f));
    g.setColour(isActive(button, down) && enabled ? c.on : c.button);
    g.fillPath(frame);
    g.setColour(
        ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0x00000000)).withAlpha(enabled ? 1.0f : 0.4f));
    g.strokePath(frame, juce::PathStrokeType(0.5f));
    if (enabled && highlighted)
    {
        g.setColour(c.on.brighter(0.1f));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_DirButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled() || tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const auto area = contentArea(button);
    const auto colour = isActive(button, down) ? c.textOn : c.textOff;
    const auto text = button.getButtonText();
    const bool iconMode = text == ">" || text == "<" || text == "><1" || text == "><2" ||
                          ZuStyle::integer(button, ZuStyle::svgflag, 0) == 1;
    if (!iconMode)
    {
        drawText(g, text, "Medium", area, fontSizeOf(button), colour, centred);
        return;
    }
    juce::Path icon;
    float r = 0.22f;
    if (text == ">")
        icon = ZU_ICON(arrowRightSvgData);
    else if (text == "<")
        icon = ZU_ICON(arrowLeftSvgData);
    else if (text == "><1")
    {
        icon = ZU_ICON(svgForeBackArrow);
        r = 0.12f;
    }
    else if (text == "><2")
    {
        icon = ZU_ICON(svgForeBackArrow2);
        r = 0.12f;
    }
    else if (text == "Menu")
    {
        icon = ZU_ICON(menuSvgData);
        r = 0.25f;
    }
    g.setColour(colour);
    g.fillPath(fitted(icon, insetXY(area, r * area.getWidth(), r * area.getHeight())));
}

void ZuCLAF_FilledFrameButton::drawFilledFrame(juce::Graphics& g, juce::Button& button, bool highlighted, bool down,
                                               float outlineWidth)
{
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff000000)));
    if (tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const bool enabled = button.isEnabled();
    const auto frame = connectedFrame(button, ZuStyle::real(button, ZuStyle::curvefactor, 2.0f));
    g.setColour(isActive(button, down) && enabled ? c.on : c.button);
    g.fillPath(frame);
    g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0x00000000)));
    g.strokePath(frame, juce::PathStrokeType(outlineWidth));
    if (enabled && highlighted)
    {
        g.setColour(c.on.brighter(0.1f));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
}

void ZuCLAF_FilledFrameButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                    bool highlighted, bool down)
{
    drawFilledFrame(g, button, highlighted, down, 0.5f);
}

void ZuCLAF_ArrowButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled() || tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const float side = 0.6f * juce::jmin(b.getWidth(), b.getHeight());
    const auto text = button.getButtonText();
    juce::Path icon;
    if (text == "right")
        icon = ZU_ICON(rightSvgData);
    else if (text == "left")
        icon = ZU_ICON(leftSvgData);
    else if (text == "up")
        icon = ZU_ICON(upSvgData);
    else if (text == "down")
        icon = ZU_ICON(downSvgData);
    else if (text == "dice")
        icon = ZU_ICON(diceSvgData);
    g.setColour(down ? c.textOn : c.textOff);
    g.fillPath(fitted(icon, juce::Rectangle<float>(side, side).withCentre(b.getCentre())));
}

ZuCLAF_SnapButton::ZuCLAF_SnapButton()
{
    for (int i = 0; i < 8; ++i)
        createTextPath(letters[(size_t) i], juce::String::charToString((juce::juce_wchar)('A' + i)), "Medium",
                       {0.0f, 0.0f, 100.0f, 100.0f}, 1.0f, centred);
}

int ZuCLAF_SnapButton::letterIndex(const juce::String& text)
{
    return juce::jlimit(0, 7, text.getIntValue());
}

void ZuCLAF_SnapButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled() || tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    g.setColour(isActive(button, down) ? c.textOn : c.textOff);
    g.fillPath(fitted(letters[(size_t) letterIndex(button.getButtonText())], inset(b, 0.21f * b.getHeight())));
}

void ZuCLAF_MwScrlButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                               bool highlighted, bool down)
{
    drawFilledFrame(g, button, highlighted, down, 0.8f);
}

void ZuCLAF_MwScrlButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled() || tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const bool active = isActive(button, down);
    auto text = button.getButtonText();
    if (text == "onoff")
        text = active ? "ON" : "OFF";
    drawText(g, text, "SemiBold", contentArea(button), fontSizeOf(button), active ? c.textOn : c.textOff, centred);
}

void ZuCLAF_OctButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool highlighted, bool down)
{
    if (tooSmall(button))
        return;
    const auto c = coloursOf(button);
    const auto frame = connectedFrame(button, 1.5f);
    if (!button.isEnabled())
    {
        g.setColour(juce::Colour(0xff202020));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
        return;
    }
    g.setColour(c.button);
    g.fillPath(frame);
    if (isActive(button, down))
    {
        g.setColour(c.on);
        g.fillPath(frame);
    }
    if (highlighted)
    {
        g.setColour(ZuStyle::colour(button, ZuStyle::focuscolor, juce::Colour(0xff202020)));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
    else
    {
        g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0xff000000)));
        g.strokePath(frame, juce::PathStrokeType(0.5f));
    }
}
