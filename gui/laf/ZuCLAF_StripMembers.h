// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

// Small members for widgets no other member covers: the small dark context
// menus, the quick-bar buttons and the two labels of the tooltip strip.

// The small dark context menus (the snapshot buttons' right-click menu).
class ZuCLAF_MidiLearnPopMenu : public ZuCLAF_Base
{
public:
    void drawPopupMenuBackground(juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                           bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                           const juce::String& shortcutText, const juce::Drawable* icon,
                           const juce::Colour* textColour) override;

    // Text height of an item of that height: JUCE's menu font, never taller
    // than the item's inner height / 1.3.
    float itemFontHeight(int areaHeight);
};

// Quick-bar buttons: the unit's colour with a box holding its number and its
// name. Derives from the root, so none of the common drawing applies.
class ZuCLAF_ToolbarButton : public ZuCLAF_BaseBase
{
public:
    void paintToolbarBackground(juce::Graphics& g, int width, int height, juce::Toolbar& toolbar) override;
    void paintToolbarButtonLabel(juce::Graphics& g, int x, int y, int width, int height, const juce::String& text,
                                 juce::ToolbarItemComponent& item) override;

    // Width of the number box of a label area that wide.
    static int numberBoxWidth(int width);
};

// The text of the tooltip under the mouse.
class ZuCLAF_TooltipLabel : public ZuCLAF_Base
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
    juce::Font getLabelFont(juce::Label& label) override;

    // Point height the text is drawn at: three quarters of the label height.
    static float textPointHeight(const juce::Label& label);
};

// The info icon in front of the tooltip text; the label's text is not drawn.
class ZuCLAF_InfoSvgLabel : public ZuCLAF_Base
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};
