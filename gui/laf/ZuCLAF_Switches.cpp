// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Switches.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

using namespace ZuButtonParts;

namespace
{
constexpr auto centred = juce::Justification::centred;
} // namespace

// Power switches ------------------------------------------------------------

void ZuCLAF_PowerButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(c.button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bglayercolor, juce::Colour(0x00202020)));
    if (highlighted)
    {
        g.setColour(c.textOn);
        g.drawRect(button.getLocalBounds(), 1);
    }
}

void ZuCLAF_PowerButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto c = coloursOf(button);
    g.setColour(button.getToggleState() && button.isEnabled() ? c.textOn : c.textOff);
    g.fillPath(fitted(ZU_ICON(onoffSvgData), inset(button.getLocalBounds().toFloat(), 1.0f)));
}

void ZuCLAF_NumbPwrButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const float h = b.getHeight();
    const auto colour = button.getToggleState() ? c.textOn : c.textOff;
    g.setColour(colour);
    g.fillPath(fitted(ZU_ICON(pwr2SvgData), inset(b, 0.01f * h)));

    const int unit = ZuStyle::integer(button, ZuStyle::uniti, -1);
    if (unit >= 0)
    {
        const float t = juce::jmin(0.2f * h, h);
        drawText(g, juce::String(unit + 1), "Black", {b.getX(), b.getY() + t, b.getWidth(), h - t}, 0.7f, colour,
                 centred);
    }
    if (highlighted)
    {
        g.setColour(juce::Colour(0xffaaaaaa));
        g.drawRect(b, 1.0f);
    }
}

void ZuCLAF_SEQ1PowerButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                  bool highlighted, bool)
{
    const auto c = coloursOf(button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff000000)));
    const bool on = button.getToggleState() || button.isDown();
    if (tooSmall(button))
        return;
    const auto b = button.getLocalBounds().toFloat();
    const float w = b.getWidth(), h = b.getHeight();
    juce::Path frame;
    frame.addRoundedRectangle(0.5f, 0.5f, w - 1.0f, h - 1.0f, 4.0f, 4.0f, true, false, true, false);
    g.setColour(on ? c.on : c.button);
    g.fillPath(frame);

    auto line = ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0x00000000));
    if (highlighted)
        line = line.brighter(0.7f);
    g.setColour(line);
    g.strokePath(frame, juce::PathStrokeType(highlighted ? 2.0f : 0.8f));

    const float iw = juce::jmax(w - 4.0f, 0.0f), ih = juce::jmax(h - 4.0f, 0.0f);
    const float m = 0.12f * ih, s = juce::jmin(1.05f * ih, iw);
    const auto icon = fitted(ZU_ICON(onoffSvgData), {b.getX() + 2.0f + m, b.getY() + 2.0f + m,
                                                     juce::jmax(s - 2.0f * m, 0.0f), juce::jmax(ih - 2.0f * m, 0.0f)});
    if (on)
        g.fillPath(icon);
    else
        g.strokePath(icon, juce::PathStrokeType(1.0f));

    const float r = iw - s, r1 = juce::jmax(r - 1.0f, 0.0f);
    drawText(g, button.getButtonText(), "Medium",
             {b.getX() + 0.5f * w - 0.5f * r + 0.1f * r1, b.getY() + 0.5f * h - 0.5f * ih, 0.8f * r1, ih},
             ZuStyle::real(button, ZuStyle::fontsize, 0.65f), on ? c.textOn : c.textOff, centred);
}

// Top strip and lock switches -------------------------------------------------

void ZuCLAF_TopStripSwitchFace::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                     bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff000000)));
    if (button.getToggleState())
    {
        g.setColour(c.on);
        g.fillRect(inset(b, 0.5f));
    }
    g.setColour(highlighted ? c.button.brighter(1.5f) : c.button);
    g.drawRect(juce::Rectangle<float>(0.5f, 0.5f, b.getWidth() - 1.0f, b.getHeight() - 1.0f),
               highlighted ? 1.0f : 0.5f);
}

void ZuCLAF_MuteButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto c = coloursOf(button);
    const bool on = button.isDown() || button.getToggleState();
    const float h = (float) button.getHeight();
    juce::Path icon;
    float d = 0.0f;
    if (button.getName() == "mute")
    {
        icon = ZU_ICON(muteSvgData);
        d = 0.12f * h;
    }
    else if (button.getName() == "thru")
    {
        icon = ZU_ICON(doorSvgData);
        d = 0.15f * h;
    }
    g.setColour(on ? c.textOn : c.textOff);
    g.fillPath(fitted(icon, inset(button.getLocalBounds().toFloat(), d)));
}

void ZuCLAF_ChLockButton::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto c = coloursOf(button);
    const bool on = button.isDown() || button.getToggleState();
    const auto colour = on ? c.textOn : c.textOff;
    const auto b = button.getLocalBounds().toFloat();
    const float w = b.getWidth(), h = b.getHeight();
    const float t = juce::jmin(0.39f * h, h);
    g.setColour(colour);
    g.fillPath(
        fitted(on ? ZU_ICON(lock2SvgData) : ZU_ICON(lock1SvgData),
               {b.getX() + 1.0f, b.getY() + 1.0f + t, juce::jmax(w - 2.0f, 0.0f), juce::jmax(h - 2.0f - t, 0.0f)}));
    drawText(g, "Midi CH", "SemiBold", {b.getX(), b.getY(), w, (float) juce::roundToInt(t)}, 0.87f, colour, centred);
}

void ZuCLAF_FittedTextSwitch::stateFrame(juce::Graphics& g, juce::Button& button, bool highlighted)
{
    const float a = highlighted ? 1.0f : (button.getToggleState() ? 0.5f : 0.0f);
    if (a <= 0.0f)
        return;
    g.setColour(button.findColour(juce::TextButton::textColourOnId).withAlpha(a));
    g.drawRect(button.getLocalBounds().toFloat(), 1.0f);
}

void ZuCLAF_FittedTextSwitch::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto c = coloursOf(button);
    g.setColour(button.isDown() || button.getToggleState() ? c.textOn : c.textOff);
    g.setFont(faceFont("SemiBold", ZuStyle::real(button, ZuStyle::fontsize, 0.58f) * (float) button.getHeight(),
                       juce::Font::bold));
    g.drawFittedText(button.getButtonText(), button.getLocalBounds(), centred, 1, 0.3f);
}

void ZuCLAF_MidiButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool)
{
    g.fillAll(ZuStyle::colour(button, ZuStyle::bgcolor, juce::Colour(0xff202020)));
    g.setColour(juce::Colour(0xff595959));
    g.fillRect(inset(button.getLocalBounds().toFloat(), 1.0f));
    stateFrame(g, button, highlighted);
}

void ZuCLAF_LockButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const bool toggled = button.getToggleState();
    const auto base = down || toggled ? c.on : c.button;
    g.fillAll(highlighted ? base.darker(0.3f) : base);
    g.setColour(toggled ? c.on : c.button);
    g.fillRect(inset(button.getLocalBounds().toFloat(), 1.0f));
    stateFrame(g, button, highlighted);
}

// Icon switches with a margin -------------------------------------------------

ZuCLAF_DiceLockButton::ZuCLAF_DiceLockButton()
    : dice(ZU_ICON(diceSvgData)), lockClose(ZU_ICON(svgLockCloseData)), lockOpen(ZU_ICON(svgLockOpenData))
{
}

void ZuCLAF_DiceLockButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool down)
{
    const auto c = coloursOf(button);
    const bool on = button.getToggleState() || down;
    const bool enabled = button.isEnabled();
    const auto b = button.getLocalBounds().toFloat();
    g.fillAll(c.button);
    auto area = inset(b, ZuStyle::real(button, ZuStyle::reducefactor, 0.03f) * b.getHeight());
    if (on && enabled)
    {
        g.setColour(c.on);
        g.fillRect(b);
    }

    juce::Path icon;
    const auto text = button.getButtonText();
    if (text == "dice")
    {
        const float ch = juce::jmin(0.4f * area.getHeight(), area.getHeight());
        const float gap = juce::jmin(1.0f, area.getHeight() - ch);
        const juce::Rectangle<float> caption(area.getX(), area.getY(), area.getWidth(), ch);
        area = {area.getX(), area.getY() + ch + gap, area.getWidth(), area.getHeight() - ch - gap};
        icon = dice;
        const auto captionColour = ZuStyle::colour(button, ZuStyle::textcolor, juce::Colour(0xffa0a0a0));
        drawText(g, ZuStyle::text(button, ZuStyle::labeltext, "T"), "SemiBold", caption,
                 ZuStyle::real(button, ZuStyle::fontsize, 0.72f), captionColour.withAlpha(enabled ? 1.0f : 0.4f),
                 centred);
        g.setColour(on ? c.textOn : c.textOff);
    }
    else if (text == "lock")
    {
        icon = on ? lockClose : lockOpen;
        area = inset(area, 2.0f);
        g.setColour(on ? c.textOn : c.textOff);
    }
    icon = fitted(icon, area);

    if (enabled)
    {
        g.fillPath(icon);
        if (on)
        {
            g.setColour(ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0xff202020)));
            g.drawRect(b, 0.8f);
        }
        if (highlighted)
        {
            g.setColour(ZuStyle::colour(button, ZuStyle::focuscolor, juce::Colour(0xff202020)));
            g.drawRect(b, 1.0f);
        }
    }
    else
    {
        g.setColour(c.textOff.withAlpha(0.5f));
        g.strokePath(icon, juce::PathStrokeType(0.5f));
    }
}

void ZuCLAF_EditModeButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                 bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool on = button.isDown() || button.getToggleState();
    const auto b = button.getLocalBounds().toFloat();
    g.fillAll(c.button);
    g.fillAll(ZuStyle::colour(button, ZuStyle::bglayercolor, juce::Colour(0x00202020)));
    const auto icon =
        fitted(ZU_ICON(svgEditData), inset(b, ZuStyle::real(button, ZuStyle::reducefactor, 0.03f) * b.getHeight()));
    g.setColour(on ? c.textOn : c.textOff);
    if (button.isEnabled())
    {
        g.fillPath(icon);
        if (highlighted)
        {
            g.setColour(c.textOff.withAlpha(0.5f));
            g.drawRect(b, 1.0f);
        }
    }
    else
    {
        g.strokePath(icon, juce::PathStrokeType(0.5f));
    }
}

void ZuCLAF_ChordEditButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                  bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const auto b = button.getLocalBounds().toFloat();
    const float w = b.getWidth(), h = b.getHeight();
    const float t = juce::jmin(0.45f * h, h), ih = h - t;
    const bool on = button.isDown() || button.getToggleState();
    g.fillAll(c.button);
    const float m = ZuStyle::real(button, ZuStyle::reducefactor, 0.03f) * ih;
    const auto icon = fitted(ZU_ICON(svgEditData), {b.getX() + m, b.getY() + m, juce::jmax(w - 2.0f * m, 0.0f),
                                                    juce::jmax(ih - 2.0f * m, 0.0f)});
    g.setColour(on ? c.textOn : c.textOff);
    if (button.isEnabled())
        g.fillPath(icon);
    else
        g.strokePath(icon, juce::PathStrokeType(0.5f));
    drawText(g, juce::String(ZuStyle::integer(button, ZuStyle::stepindex, 1)), "Medium",
             {b.getX(), b.getY() + h - t, w, t}, ZuStyle::real(button, ZuStyle::fontsize, 1.1f), c.textOff, centred);
    if (button.isEnabled() && highlighted)
    {
        g.setColour(c.textOff.withAlpha(0.5f));
        g.drawRect(b, 1.0f);
    }
}

ZuCLAF_RelModeButton::ZuCLAF_RelModeButton() : fader(ZU_ICON(svgRelMode)) {}

void ZuCLAF_RelModeButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                                bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool on = button.getToggleState() || button.isDown();
    if (tooSmall(button))
        return;
    const auto b = button.getLocalBounds().toFloat();
    const juce::Rectangle<float> frame(0.5f, 0.5f, b.getWidth() - 1.0f, b.getHeight() - 1.0f);
    if (button.isEnabled())
    {
        g.setColour(on ? c.on : c.button);
        g.fillRect(frame);
    }
    auto line = ZuStyle::colour(button, ZuStyle::outlinecolor, juce::Colour(0x00000000));
    if (highlighted)
        line = line.brighter(0.7f);
    g.setColour(line.withAlpha(0.7f));
    g.drawRect(frame, highlighted ? 1.0f : 0.5f);
    if (!button.isEnabled())
        return;

    const auto colour = on ? c.textOn : c.textOff;
    const auto i = inset(b, 2.0f);
    const float s = juce::jmin(i.getHeight(), i.getWidth()), v = 0.075f * i.getHeight();
    const auto icon = fitted(fader, {i.getX() + v, i.getY() + v, juce::jmax(s - 2.0f * v, 0.0f),
                                     juce::jmax(i.getHeight() - 2.0f * v, 0.0f)});
    g.setColour(colour);
    if (on)
        g.fillPath(icon);
    else
        g.strokePath(icon, juce::PathStrokeType(1.0f));
    const float gap = juce::jmin(1.0f, i.getWidth() - s);
    drawText3(g, "RelMode", "SemiBold",
              {i.getX() + s + gap, i.getY(), juce::jmax(i.getWidth() - s - gap - 1.0f, 0.0f), i.getHeight()}, 7.0f,
              colour, juce::Justification::centredRight);
}

void ZuCLAF_RecButton::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool highlighted, bool)
{
    const auto c = coloursOf(button);
    const bool on = button.getToggleState();
    g.fillAll(c.button);
    const auto r = inset(button.getLocalBounds().toFloat(), 1.0f);
    const float dm = juce::jmax(0.64f * r.getHeight(), 0.0f);
    const auto circle = juce::Rectangle<float>(dm, dm).withCentre(r.getCentre());
    g.setColour(on ? c.textOn : c.textOff);
    if (on)
        g.fillEllipse(circle);
    else
        g.drawEllipse(circle, 1.0f);
    g.drawRoundedRectangle(r, 3.0f, 1.0f);
    if (highlighted)
        g.drawRoundedRectangle(r, 3.0f, 2.0f);
}
