// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_TabbedComp.h"

namespace
{
using Bar = juce::TabbedButtonBar;

float textAlpha(const juce::TabBarButton& button, bool isMouseOver, bool isMouseDown)
{
    if (!button.isEnabled())
        return 0.3f;
    return (isMouseOver || isMouseDown) ? 1.0f : 0.8f;
}

// Where the text goes: along the tab, turned a quarter clockwise for tabs at
// the right.
juce::AffineTransform textTransform(Bar::Orientation o, juce::Rectangle<int> textArea)
{
    switch (o)
    {
    case Bar::TabsAtTop:
    case Bar::TabsAtBottom:
        return juce::AffineTransform::translation((float) textArea.getX(), (float) textArea.getY());
    case Bar::TabsAtRight:
        return juce::AffineTransform::rotation(juce::MathConstants<float>::halfPi)
            .translated((float) textArea.getRight(), (float) textArea.getY());
    case Bar::TabsAtLeft:
    default:
        return {};
    }
}

bool alongBar(Bar::Orientation o)
{
    return o == Bar::TabsAtTop || o == Bar::TabsAtBottom;
}
} // namespace

int ZuCLAF_TabbedComp::getTabButtonSpaceAroundImage()
{
    return 0;
}

int ZuCLAF_TabbedComp::getTabButtonOverlap(int)
{
    return -1;
}

int ZuCLAF_TabbedComp::getTabButtonBestWidth(juce::TabBarButton&, int depth)
{
    return juce::jlimit(2 * depth, 30 * depth, (int) (2.1f * (float) depth));
}

void ZuCLAF_TabbedComp::drawTabAreaBehindFrontButton(juce::TabbedButtonBar& bar, juce::Graphics& g, int w, int h)
{
    g.setColour(bar.findColour(Bar::tabOutlineColourId));
    switch (bar.getOrientation())
    {
    case Bar::TabsAtBottom:
        g.fillRect(0, 0, w, 1);
        break;
    case Bar::TabsAtRight:
        g.fillRect(0, 0, 1, h);
        break;
    case Bar::TabsAtTop:
    case Bar::TabsAtLeft:
    default:
        g.fillRect(0, h - 1, w, 1);
        break;
    }
}

void ZuCLAF_TabbedComp::createTabTextLayout(const juce::TabBarButton& button, float length, float depth,
                                            juce::Colour colour, juce::TextLayout& layout)
{
    auto font = faceFont("SemiBold", 0.7f * depth, juce::Font::bold);
    font.setUnderline(button.hasKeyboardFocus(false));

    juce::AttributedString s;
    s.setJustification(juce::Justification::centred);
    s.append(button.getButtonText().trim(), font, colour);
    layout.createLayout(s, length);
}

void ZuCLAF_TabbedComp::drawTabButton(juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const auto o = button.getTabbedButtonBar().getOrientation();
    auto area = button.getActiveArea();
    const auto bkg = button.getTabBackgroundColour();

    g.setColour(button.getToggleState() ? bkg : bkg.brighter(0.08f));
    g.fillRect(area);

    // Outline on every side but the one facing the tabbed content.
    g.setColour(button.findColour(Bar::tabOutlineColourId));
    if (o != Bar::TabsAtBottom)
        g.fillRect(area.removeFromTop(juce::jmin(2, area.getHeight())));
    if (o != Bar::TabsAtTop)
        g.fillRect(area.removeFromBottom(juce::jmin(2, area.getHeight())));
    if (o != Bar::TabsAtRight)
        g.fillRect(area.removeFromLeft(juce::jmin(2, area.getWidth())));
    if (o != Bar::TabsAtLeft)
        g.fillRect(area.removeFromRight(juce::jmin(2, area.getWidth())));

    auto colour = bkg.contrasting(1.0f);
    const auto id = button.isFrontTab() ? Bar::frontTextColourId : Bar::tabTextColourId;
    if (auto* bar = button.findParentComponentOfClass<Bar>(); bar != nullptr && bar->isColourSpecified(id))
        colour = bar->findColour(id);
    else if (isColourSpecified(id))
        colour = findColour(id);
    colour = colour.withMultipliedAlpha(textAlpha(button, isMouseOver, isMouseDown));

    const auto textArea = button.getTextArea();
    auto length = (float) textArea.getWidth();
    auto depth = (float) textArea.getHeight();
    if (!alongBar(o))
        std::swap(length, depth);

    juce::TextLayout layout;
    createTabTextLayout(button, length, depth, colour, layout);
    juce::Graphics::ScopedSaveState state(g);
    g.addTransform(textTransform(o, textArea));
    layout.draw(g, {0.0f, 0.0f, length, depth});
}

void ZuCLAF_TabbedComp::drawTabButtonText(juce::TabBarButton& button, juce::Graphics& g, bool isMouseOver,
                                          bool isMouseDown)
{
    const auto o = button.getTabbedButtonBar().getOrientation();
    const auto textArea = button.getTextArea();
    auto length = (float) textArea.getWidth();
    auto depth = (float) textArea.getHeight();
    if (!alongBar(o))
        std::swap(length, depth);

    auto font = faceFont("SemiBold", 0.7f * (float) textArea.getHeight(), juce::Font::bold);
    font.setUnderline(button.hasKeyboardFocus(false));

    auto colour = button.getTabBackgroundColour().contrasting(1.0f);
    const auto specified = [&](int id) { return button.isColourSpecified(id) || isColourSpecified(id); };
    if (button.isFrontTab() && specified(Bar::frontTextColourId))
        colour = findColour(Bar::frontTextColourId);
    else if (specified(Bar::tabTextColourId))
        colour = findColour(Bar::tabTextColourId);

    juce::Graphics::ScopedSaveState state(g);
    g.addTransform(textTransform(o, textArea));
    g.setFont(font);
    g.setColour(colour.withMultipliedAlpha(textAlpha(button, isMouseOver, isMouseDown)));
    g.drawFittedText(button.getButtonText().trim(), juce::Rectangle<float>(0.0f, 0.0f, length, depth).toNearestInt(),
                     juce::Justification::centred, 1, 0.5f);
}
