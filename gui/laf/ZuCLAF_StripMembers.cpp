// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_StripMembers.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

// Small popup menus ----------------------------------------------------------

void ZuCLAF_MidiLearnPopMenu::drawPopupMenuBackground(juce::Graphics& g, int width, int height)
{
    g.fillAll(juce::Colour(0xff101010));
    g.setColour(juce::Colour(0xff808080));
    g.drawRect(0, 0, width, height, 2);
}

float ZuCLAF_MidiLearnPopMenu::itemFontHeight(int areaHeight)
{
    const auto inner = (float) juce::jmax(0, areaHeight - 2);
    return juce::jmin(getPopupMenuFont().getHeight(), inner / 1.3f);
}

void ZuCLAF_MidiLearnPopMenu::drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                                bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                                const juce::String& text, const juce::String& shortcutText,
                                                const juce::Drawable* icon, const juce::Colour* textColour)
{
    const auto menuText = findColour(juce::PopupMenu::textColourId);
    if (isSeparator)
    {
        auto r = area.reduced(5, 0);
        r.removeFromTop(juce::roundToInt((float) (juce::jmax(0, area.getHeight()) - 1) / 2.0f));
        g.setColour(menuText.withAlpha(0.3f));
        g.fillRect(r.removeFromTop(juce::jmin(1, r.getHeight())));
        return;
    }

    auto colour = textColour != nullptr ? *textColour : menuText;
    auto r = area.reduced(1);
    r.setSize(juce::jmax(0, r.getWidth()), juce::jmax(0, r.getHeight()));

    if (!isActive)
    {
        colour = colour.withMultipliedAlpha(0.5f);
    }
    else if (isHighlighted)
    {
        g.setColour(juce::Colour(0xffa0a0a0));
        g.fillRect(r);
        colour = juce::Colour(0xff202020);
    }
    g.setColour(colour);

    r.reduce(juce::jmin(5, area.getWidth() / 20), 0);

    // JUCE's default menu font, in the face its name maps to.
    const auto base = getPopupMenuFont();
    const float m = (float) r.getHeight() / 1.3f;
    auto font = faceFont(base.getTypefaceName(), juce::jmin(base.getHeight(), m));
    g.setFont(font);

    auto iconColumn = r.removeFromLeft(juce::jmin(r.getWidth(), juce::roundToInt(m)));
    if (icon != nullptr)
    {
        icon->drawWithin(g, iconColumn.toFloat(),
                         juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);
        r.removeFromLeft(juce::jmin(r.getWidth(), juce::roundToInt(m / 2.0f)));
    }
    else if (isTicked)
    {
        const auto tick = getTickShape(1.0f);
        const auto tickArea = iconColumn.toFloat().reduced((float) iconColumn.getWidth() / 5.0f, 0.0f);
        g.fillPath(tick, tick.getTransformToScaleToFit(tickArea, true));
    }

    if (hasSubMenu)
    {
        const float a = 0.6f * getPopupMenuFont().getAscent();
        const auto strip = r.removeFromRight(juce::jmin(r.getWidth(), (int) a));
        const auto x = (float) strip.getX();
        const auto cy = (float) r.getCentreY();
        juce::Path chevron;
        chevron.startNewSubPath(x, cy - a * 0.5f);
        chevron.lineTo(x + 0.6f * a, cy);
        chevron.lineTo(x, cy + a * 0.5f);
        g.strokePath(chevron, juce::PathStrokeType(2.0f));
    }

    r.removeFromRight(juce::jmin(3, r.getWidth()));
    g.drawFittedText(text, r, juce::Justification::centredLeft, 1);

    if (shortcutText.isNotEmpty())
    {
        auto small = font.withHeight(font.getHeight() * 0.75f);
        small.setHorizontalScale(0.95f);
        g.setFont(small);
        g.drawText(shortcutText, r, juce::Justification::centredRight, true);
    }
}

// Quick-bar buttons ----------------------------------------------------------

void ZuCLAF_ToolbarButton::paintToolbarBackground(juce::Graphics&, int, int, juce::Toolbar&)
{
    // The toolbar shows what lies behind it.
}

int ZuCLAF_ToolbarButton::numberBoxWidth(int width)
{
    return juce::jmin(width, (int) (0.15f * (float) width));
}

void ZuCLAF_ToolbarButton::paintToolbarButtonLabel(juce::Graphics& g, int x, int y, int width, int height,
                                                   const juce::String& text, juce::ToolbarItemComponent& item)
{
    const bool held = item.isDown() && item.isEnabled();
    auto fill = item.findColour(held ? juce::TextButton::buttonOnColourId : juce::TextButton::buttonColourId);
    if (item.isMouseOverOrDragging())
        fill = fill.darker(0.2f);

    g.setColour(fill);
    g.fillRoundedRectangle((float) x + 1.5f, (float) y + 0.5f, (float) juce::jmax(0, width - 3),
                           (float) juce::jmax(0, height - 1), ZuStyle::real(item, ZuStyle::corner, 0.0f));
    if (width <= 0)
        return;

    auto label = juce::Rectangle<float>((float) x, (float) y, (float) width, (float) height);
    const int unit = ZuStyle::integer(item, ZuStyle::uniti, -1);
    if (unit >= 0)
    {
        const int b = numberBoxWidth(width);
        g.setColour(juce::Colour(0xff000000));
        g.fillRect((float) (x + b) - 0.5f, (float) y, 0.6f, (float) height);
        drawText(g, juce::String(unit + 1), "Medium", label.withWidth((float) b), 0.8f,
                 ZuStyle::colour(item, ZuStyle::bgcolor, juce::Colour(0xff202020)), juce::Justification::centred);
        label.removeFromLeft((float) b);
    }

    const auto textColour =
        item.findColour(item.isDown() ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId);
    drawText2(g, text, "Medium", label, ZuStyle::real(item, ZuStyle::fontsize, 0.7f), textColour,
              juce::Justification::centred);
}

// Tooltip strip ----------------------------------------------------------------

juce::Font ZuCLAF_TooltipLabel::getLabelFont(juce::Label& label)
{
    return label.getFont();
}

float ZuCLAF_TooltipLabel::textPointHeight(const juce::Label& label)
{
    return (float) label.proportionOfHeight(0.75f);
}

void ZuCLAF_TooltipLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    g.fillAll(label.findColour(juce::Label::backgroundColourId));
    g.setFont(faceFont("Medium", 2.0f, juce::Font::bold).withPointHeight(textPointHeight(label)));
    g.setColour(label.findColour(juce::Label::textColourId).withAlpha(0.7f));

    auto area = label.getLocalBounds().reduced(1);
    area.setSize(juce::jmax(0, area.getWidth()), juce::jmax(0, area.getHeight()));
    g.drawFittedText(label.getText(), area, label.getJustificationType(), 1, 0.1f);
}

void ZuCLAF_InfoSvgLabel::drawLabel(juce::Graphics& g, juce::Label& label)
{
    g.fillAll(label.findColour(juce::Label::backgroundColourId));

    // Small enough to parse on every paint.
    const auto icon = ZuIcons::load(ZuIconData::infoSvgData, ZuIconData::infoSvgDataSize);
    auto area = label.getLocalBounds().toFloat().reduced(1.0f);
    if (area.isEmpty())
        return;
    g.setColour(label.findColour(juce::Label::textColourId).withAlpha(0.9f));
    g.fillPath(icon, icon.getTransformToScaleToFit(area, true));
}
