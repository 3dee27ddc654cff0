// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_MenuStripButtons.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
constexpr auto centred = juce::Justification::centred;

bool connectedBothSides(const juce::Button& b)
{
    const int f = b.getConnectedEdgeFlags();
    return (f & juce::Button::ConnectedOnLeft) != 0 && (f & juce::Button::ConnectedOnRight) != 0;
}

// The icon of an icon text and its vertical margin as a factor of h.
juce::Path stripIcon(const juce::String& text, float& marginFactor)
{
    marginFactor = 0.25f;
    if (text == "<")
        return ZU_ICON(arrowLeftSvgData);
    if (text == ">")
        return ZU_ICON(arrowRightSvgData);
    if (text == "Menu")
        return ZU_ICON(menuSvgData);
    marginFactor = 0.17f;
    if (text == "Undo")
        return ZU_ICON(undoSvgData);
    if (text == "Redo")
        return ZU_ICON(redoSvgData);
    return {};
}
} // namespace

void ZuCLAF_PresetButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                               bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff202020)));
    const float w = (float) button.getWidth(), h = (float) button.getHeight();
    const bool both = connectedBothSides(button);
    const float x = both ? 0.25f : 0.5f, width = both ? w - 0.5f : w - 1.0f;
    if (width <= 0.0f || h <= 1.0f)
        return;
    const auto frame = connectedFrame(button, x, width, 4.0f);
    const bool toggled = button.getToggleState(), enabled = button.isEnabled();
    g.setColour(toggled ? (enabled ? c.on : c.on.darker(0.38f)) : c.button);
    g.fillPath(frame);
    g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0xff707070)));
    g.strokePath(frame, juce::PathStrokeType(1.0f));
    if (enabled && highlighted)
    {
        g.setColour(toggled ? c.on.darker(0.2f) : c.button.darker(0.55f));
        g.fillPath(frame);
        g.setColour(c.on);
        g.strokePath(frame, juce::PathStrokeType(1.4f));
    }
}

juce::Rectangle<int> ZuCLAF_PresetButton::iconBand(const juce::String& text, juce::Rectangle<int> bounds)
{
    float factor = 0.0f;
    if (stripIcon(text, factor).isEmpty())
        return {};
    const int v = (int) std::floor(factor * (float) bounds.getHeight());
    return {bounds.getX(), bounds.getY() + v, juce::jmax(0, bounds.getWidth()),
            juce::jmax(0, bounds.getHeight() - 2 * v)};
}

void ZuCLAF_PresetButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    const auto c = coloursOf(button);
    const float h = (float) button.getHeight();
    // The face is resolved here, by this member, not by the default look-and-feel.
    g.setFont(faceFont("Medium", 1.0f).withPointHeight(ZuStyle::real(button, ZuStyle::fontsize, 0.65f) * h));
    const bool toggled = button.getToggleState();
    auto colour = down || toggled ? c.textOn : c.textOff;
    if (toggled)
        colour = ZuStyle::colour(button, ZuStyle::svgoncolor, juce::Colour(0xff616263));
    g.setColour(colour);

    const auto text = button.getButtonText();
    float factor = 0.0f;
    const auto icon = stripIcon(text, factor);
    if (!icon.isEmpty())
    {
        g.fillPath(fitted(icon, iconBand(text, button.getLocalBounds()).toFloat()));
        return;
    }
    g.drawFittedText(text, button.getLocalBounds(), centred, 1, 0.3f);
}

void ZuCLAF_ModOpenButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const juce::Rectangle<float> R(0.5f, 0.5f, (float) button.getWidth() - 1.0f, (float) button.getHeight() - 1.0f);
    const float corner = ZuStyle::real(button, ZuStyle::corner, 0.0f);
    if (down || button.getToggleState())
    {
        g.setColour(button.isEnabled() ? c.on : c.button);
        g.fillRoundedRectangle(R, corner);
    }
    else
    {
        g.setColour(highlighted ? c.on : c.button);
        g.drawRoundedRectangle(R, corner, 0.5f);
    }
}

void ZuCLAF_ModOpenButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool down)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const int d = (int) std::floor(0.1 * button.getHeight());
    const auto A = inset(button.getLocalBounds().toFloat(), (float) d);
    const auto colour = down || button.getToggleState() ? c.textOn : c.textOff;
    const auto text = button.getButtonText();
    juce::Path icon;
    if (text == "<")
        icon = ZU_ICON(arrowLeftSvgData);
    else if (text == ">")
        icon = ZU_ICON(arrowRightSvgData);
    else if (text == "Menu")
        icon = ZU_ICON(menuSvgData);
    if (!icon.isEmpty())
    {
        g.setColour(colour);
        g.fillPath(fitted(icon, {A.getX(), A.getY() + 0.2f * A.getHeight(), A.getWidth(), 0.6f * A.getHeight()}));
        return;
    }
    const auto face = ZuStyle::text(button, ZuStyle::fontface, "Medium");
    const auto size = ZuStyle::real(button, ZuStyle::fontsize, 0.7f);
    if (button.getName() == "Preset")
        drawText2(g, text, face, A, size, colour, centred);
    else
        drawText(g, text, face, A, size, colour, centred);
}

void ZuCLAF_CenterUnitAddButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                      bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const float w = (float) button.getWidth(), h = (float) button.getHeight();
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff202020)));
    g.setColour(juce::Colour(0xff151515));
    g.fillRect(juce::Rectangle<float>(1.0f, 1.0f, juce::jmax(0.0f, w - 2.0f), juce::jmax(0.0f, h - 2.0f)));
    const auto face = button.isEnabled() && down ? c.on : c.button;
    g.setColour(highlighted ? face.darker(0.2f) : face);
    g.fillRect(juce::Rectangle<float>(2.0f, 2.0f, juce::jmax(0.0f, w - 4.0f),
                                      juce::jmax(0.0f, h - 4.0f - juce::jmin(2.0f, h - 2.0f))));
}

void ZuCLAF_CenterUnitAddButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted,
                                                bool down)
{
    if (!button.isEnabled())
        return;
    const auto c = coloursOf(button);
    const float w = (float) button.getWidth();
    const float H = juce::jmax(0.0f, (float) button.getHeight() - 2.0f);
    const float f = std::floor(0.1f * H);
    const auto size = ZuStyle::real(button, ZuStyle::fontsize, 0.7f) * (highlighted ? 1.1f : 1.0f);
    drawText(g, button.getButtonText(), ZuStyle::text(button, ZuStyle::fontface, "Medium"),
             {f, f, juce::jmax(0.0f, w - 2.0f * f), juce::jmax(0.0f, H - 2.0f * f)}, size, down ? c.textOn : c.textOff,
             centred);
}
