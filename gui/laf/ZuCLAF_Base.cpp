// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Base.h"

#include "ZuIcons.h"
#include "ZuStyleProps.h"

namespace
{
// The colour a list component specifies, else the look-and-feel's.
juce::Colour listColour(juce::DirectoryContentsDisplayComponent& list, juce::LookAndFeel& laf, int id)
{
    if (auto* c = dynamic_cast<juce::Component*>(&list))
        return c->findColour(id);
    return laf.findColour(id);
}

juce::Rectangle<int> nonNegative(int x, int y, int w, int h)
{
    return {x, y, juce::jmax(0, w), juce::jmax(0, h)};
}
} // namespace

// Scrollbars -----------------------------------------------------------------

bool ZuCLAF_Base::areScrollbarButtonsVisible()
{
    return false;
}

juce::Rectangle<int> ZuCLAF_Base::scrollbarThumb(int x, int y, int width, int height, bool isVertical, int thumbStart,
                                                 int thumbSize, bool hovered)
{
    const int X = isVertical ? x : thumbStart;
    const int Y = isVertical ? thumbStart : y;
    const int W = isVertical ? width : thumbSize;
    const int H = isVertical ? thumbSize : height;

    if (hovered)
        return isVertical ? nonNegative(X + 1, Y + 2, W - 2, H - 4) : nonNegative(X + 2, Y + 1, W - 4, H - 2);

    // At rest the thumb is thinner across the bar.
    if (isVertical)
    {
        const int q = (int) ((float) W * 0.25f);
        return nonNegative(X + q, Y + 2, W - 2 * q, H - 4);
    }
    const int q = (int) ((float) H * 0.25f);
    return nonNegative(X + 1, Y + q, W - 2, H - 2 * q);
}

void ZuCLAF_Base::drawScrollbar(juce::Graphics& g, juce::ScrollBar& bar, int x, int y, int width, int height,
                                bool isVertical, int thumbStart, int thumbSize, bool isMouseOver, bool isMouseDown)
{
    g.fillAll(bar.findColour(juce::ScrollBar::backgroundColourId));

    auto colour = bar.findColour(juce::ScrollBar::thumbColourId);
    if (isMouseOver)
        colour = colour.brighter(0.25f);

    const auto thumb =
        scrollbarThumb(x, y, width, height, isVertical, thumbStart, thumbSize, isMouseOver || isMouseDown);
    g.setColour(colour);
    g.fillRoundedRectangle(thumb.toFloat(), 3.0f);
}

// Alert windows --------------------------------------------------------------

juce::AlertWindow* ZuCLAF_Base::createAlertWindow(const juce::String& title, const juce::String& message,
                                                  const juce::String& button1, const juce::String& button2,
                                                  const juce::String& button3, juce::MessageBoxIconType iconType,
                                                  int numButtons, juce::Component* associatedComponent)
{
    auto* window = new juce::AlertWindow(title, message, iconType, associatedComponent);
    window->setColour(juce::TextButton::buttonColourId, juce::Colour(0x00000000));
    window->setColour(juce::TextButton::buttonOnColourId, juce::Colour(0x00000000));

    using juce::KeyPress;
    const KeyPress letter1((int) juce::CharacterFunctions::toLowerCase(button1[0]), 0, 0);
    KeyPress letter2((int) juce::CharacterFunctions::toLowerCase(button2[0]), 0, 0);
    if (letter1 == letter2)
        letter2 = KeyPress();

    if (numButtons == 1)
    {
        window->addButton(button1, 0, KeyPress(KeyPress::escapeKey), KeyPress(KeyPress::returnKey));
    }
    else if (numButtons == 2)
    {
        window->addButton(button1, 1, KeyPress(KeyPress::returnKey), letter1);
        window->addButton(button2, 0, KeyPress(KeyPress::escapeKey), letter2);
    }
    else if (numButtons == 3)
    {
        window->addButton(button1, 1, letter1);
        window->addButton(button2, 2, letter2);
        window->addButton(button3, 0, KeyPress(KeyPress::escapeKey));
    }
    return window;
}

int ZuCLAF_Base::getAlertBoxWindowFlags()
{
    return juce::ComponentPeer::windowAppearsOnTaskbar | juce::ComponentPeer::windowHasDropShadow;
}

int ZuCLAF_Base::getAlertWindowButtonHeight()
{
    return alertButtonHeight;
}

juce::Font ZuCLAF_Base::getAlertWindowTitleFont()
{
    return faceFont("Medium", 2.0f, juce::Font::bold).withPointHeight(0.58f * (float) alertButtonHeight);
}

juce::Font ZuCLAF_Base::getAlertWindowMessageFont()
{
    return faceFont("Medium", 2.0f, juce::Font::bold).withPointHeight(0.57f * (float) alertButtonHeight);
}

juce::Font ZuCLAF_Base::getAlertWindowFont()
{
    return faceFont("Medium", 2.0f, juce::Font::bold).withPointHeight(0.4f * (float) alertButtonHeight);
}

void ZuCLAF_Base::drawAlertBox(juce::Graphics& g, juce::AlertWindow& window, const juce::Rectangle<int>& textArea,
                               juce::TextLayout& textLayout)
{
    g.fillAll(juce::Colour(0xff000000));
    const auto bounds = window.getLocalBounds().toFloat();
    const juce::Colour base(0xff1d4443);
    g.setGradientFill(juce::ColourGradient(base, bounds.getX(), bounds.getCentreY(), base.brighter(0.1f),
                                           1.2f * bounds.getWidth(), bounds.getCentreY(), false));
    g.fillRect(bounds);

    int iconSize = juce::jmin(window.getHeight() + 20, 130);
    if (window.containsAnyExtraComponents() || window.getNumButtons() > 2)
        iconSize = juce::jmin(iconSize, textArea.getHeight() + 50);
    const juce::Rectangle<int> iconRect(-iconSize / 10, -iconSize / 10, iconSize, iconSize);

    int iconSpace = 0;
    const auto type = window.getAlertType();
    if (type != juce::MessageBoxIconType::NoIcon)
    {
        juce::Path icon;
        char character = '?';
        juce::uint32 colour = 0x40b69900;
        if (type == juce::MessageBoxIconType::WarningIcon)
        {
            character = '!';
            colour = 0x55ff5555;
            icon.addTriangle((float) iconRect.getCentreX(), (float) iconRect.getY(), (float) iconRect.getRight(),
                             (float) iconRect.getBottom(), (float) iconRect.getX(), (float) iconRect.getBottom());
            icon = icon.createPathWithRoundedCorners(5.0f);
        }
        else
        {
            if (type == juce::MessageBoxIconType::InfoIcon)
            {
                character = 'i';
                colour = 0x605555ff;
            }
            icon.addEllipse(iconRect.toFloat());
        }

        juce::GlyphArrangement glyphs;
        glyphs.addFittedText(juce::Font((float) iconRect.getHeight() * 0.9f, juce::Font::bold),
                             juce::String::charToString((juce::juce_wchar)(juce::uint8) character),
                             (float) iconRect.getX(), (float) iconRect.getY(), (float) iconRect.getWidth(),
                             (float) iconRect.getHeight(), juce::Justification::centred, false);
        glyphs.createPath(icon);
        icon.setUsingNonZeroWinding(false);
        g.setColour(juce::Colour(colour));
        g.fillPath(icon);
        iconSpace = 80;
    }

    g.setColour(window.findColour(juce::AlertWindow::textColourId).withAlpha(0.8f));
    auto area = textArea.withTrimmedLeft(iconSpace);
    textLayout.draw(g, area.toFloat());
}

// File browser ---------------------------------------------------------------

void ZuCLAF_Base::layoutFileBrowserComponent(juce::FileBrowserComponent& browser,
                                             juce::DirectoryContentsDisplayComponent* list,
                                             juce::FilePreviewComponent* preview, juce::ComboBox* pathBox,
                                             juce::TextEditor* filenameBox, juce::Button* goUpButton)
{
    auto area = browser.getLocalBounds().reduced(20, 5);
    const int w = area.getWidth();

    auto top = area.removeFromTop(juce::jmin(area.getHeight(), 24));
    if (pathBox != nullptr)
        pathBox->setBounds(nonNegative(top.getX(), top.getY(), w - 50, top.getHeight()));
    if (goUpButton != nullptr)
        goUpButton->setBounds(top.getX() + juce::jmax(0, w - 50) + 6, top.getY(), 44, top.getHeight());

    area.removeFromTop(juce::jmin(area.getHeight(), 10));
    auto nameRow = area.removeFromTop(juce::jmin(area.getHeight(), 24));
    if (filenameBox != nullptr)
    {
        const int indent = juce::jmin(w, 28);
        filenameBox->setBounds(nonNegative(nameRow.getX() + indent, nameRow.getY(), w - indent, nameRow.getHeight()));
        filenameBox->setTextToShowWhenEmpty("Enter the preset name here",
                                            filenameBox->findColour(juce::TextEditor::textColourId).withAlpha(0.5f));
    }

    if (preview != nullptr)
        preview->setBounds(area.removeFromRight(juce::jmin(w, w / 3)));

    if (auto* listComponent = dynamic_cast<juce::Component*>(list))
    {
        area.removeFromTop(juce::jmin(area.getHeight(), 10));
        listComponent->setBounds(nonNegative(area.getX(), area.getY(), area.getWidth(), area.getHeight() - 20));
    }
}

void ZuCLAF_Base::drawFileBrowserRow(juce::Graphics& g, int width, int height, const juce::File&,
                                     const juce::String& filename, juce::Image*, const juce::String& sizeText,
                                     const juce::String& timeText, bool isDirectory, bool isSelected, int,
                                     juce::DirectoryContentsDisplayComponent& list)
{
    using DC = juce::DirectoryContentsDisplayComponent;
    if (isSelected)
        g.fillAll(listColour(list, *this, DC::highlightColourId));

    // The image JUCE passes is not drawn: folders and files get our icons.
    auto icon = isDirectory ? ZuIcons::load(ZuIconData::svgFolder, ZuIconData::svgFolderSize)
                            : ZuIcons::load(ZuIconData::svgFile, ZuIconData::svgFileSize);
    if (!isDirectory)
        icon.closeSubPath();
    const juce::Rectangle<float> iconArea(4.0f, 4.0f, 24.0f, (float) juce::jmax(0, height - 8));
    const auto detailColour = findColour(DC::textColourId).darker(0.2f);
    if (!iconArea.isEmpty())
    {
        g.setColour(detailColour);
        g.fillPath(icon, icon.getTransformToScaleToFit(iconArea, true));
    }

    g.setColour(isSelected ? listColour(list, *this, DC::highlightedTextColourId)
                           : listColour(list, *this, DC::textColourId));
    g.setFont(faceFont("Medium", 0.7f * (float) height, juce::Font::bold));

    if (width > fileRowDetailWidth && !isDirectory)
    {
        const int a = juce::roundToInt(0.7f * (float) width);
        const int b = juce::roundToInt(0.8f * (float) width);
        g.drawFittedText(filename, 32, 0, a - 32, height, juce::Justification::centredLeft, 1);

        g.setFont(faceFont("Medium", 0.5f * (float) height, juce::Font::bold));
        g.setColour(detailColour);
        g.drawFittedText(sizeText, a, 0, b - a - 8, height, juce::Justification::centredRight, 1);
        g.drawFittedText(timeText, b, 0, width - 8 - b, height, juce::Justification::centredRight, 1);
    }
    else
    {
        g.drawFittedText(filename, 32, 0, width - 32, height, juce::Justification::centredLeft, 1);
    }
}

// Popup menus ----------------------------------------------------------------

void ZuCLAF_Base::drawPopupMenuBackground(juce::Graphics& g, int, int)
{
    g.fillAll(findColour(juce::PopupMenu::backgroundColourId));
}

void ZuCLAF_Base::preparePopupMenuWindow(juce::Component&) {}

float ZuCLAF_Base::popupItemFontHeight(int areaHeight)
{
    return juce::jmin((float) areaHeight, 0.65f * (float) areaHeight);
}

juce::Rectangle<int> ZuCLAF_Base::popupItemIconArea(juce::Rectangle<int> area)
{
    const auto r = area.reduced(1);
    const int inset = juce::jlimit(3, 12, (int) (0.15f * (float) r.getHeight()));
    const int width = juce::jmin(r.getWidth(), (int) (0.75f * (float) r.getHeight()));
    return r.withWidth(width).reduced(inset);
}

void ZuCLAF_Base::drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                    bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                    const juce::String& text, const juce::String& shortcutText,
                                    const juce::Drawable* icon, const juce::Colour* textColour)
{
    if (isSeparator)
    {
        auto r = area.reduced(5, 0);
        r.removeFromTop(area.getHeight() / 2 - 1);
        g.setColour(juce::Colour(0x33000000));
        g.fillRect(r.removeFromTop(1));
        g.setColour(juce::Colour(0x66ffffff));
        g.fillRect(r.removeFromTop(1));
        return;
    }

    auto r = area.reduced(1);
    auto colour = textColour != nullptr ? *textColour : findColour(juce::PopupMenu::textColourId);
    if (isHighlighted)
    {
        g.setColour(findColour(juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect(r);
        colour = findColour(juce::PopupMenu::highlightedTextColourId);
    }
    g.setColour(colour.withMultipliedAlpha(isActive ? 1.0f : 0.3f));

    auto font = faceFont("Medium", popupItemFontHeight(area.getHeight()), juce::Font::bold);
    g.setFont(font);

    const auto iconArea = popupItemIconArea(area).toFloat();
    if (icon != nullptr)
    {
        icon->drawWithin(g, iconArea, juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize,
                         1.0f);
    }
    else if (isTicked)
    {
        const auto tick = getTickShape(1.0f);
        g.fillPath(tick, tick.getTransformToScaleToFit(iconArea, true));
    }

    if (hasSubMenu)
    {
        const auto a = 0.6f * getPopupMenuFont().getAscent();
        const auto x = (float) r.getRight() - a;
        const auto cy = (float) r.getCentreY();
        juce::Path arrow;
        arrow.addTriangle(x, cy - a * 0.5f, x, cy + a * 0.5f, x + 0.6f * a, cy);
        g.fillPath(arrow);
    }

    r.removeFromLeft(juce::jmin(r.getWidth(), (int) (0.75f * (float) r.getHeight())));
    r.removeFromRight(juce::jmin(3, r.getWidth()));
    g.drawFittedText(text, r, juce::Justification::centredLeft, 1, 0.65f);

    if (shortcutText.isNotEmpty())
    {
        auto small = font.withHeight(font.getHeight() * 0.75f);
        small.setHorizontalScale(0.95f);
        g.setFont(small);
        g.drawText(shortcutText, r, juce::Justification::centredRight, true);
    }
}

// Combo boxes, slider bubbles, call-outs -------------------------------------

void ZuCLAF_Base::drawComboBoxTextWhenNothingSelected(juce::Graphics& g, juce::ComboBox& box, juce::Label& label)
{
    g.setColour(findColour(juce::ComboBox::textColourId).withAlpha(box.isEnabled() ? 1.0f : 0.3f));
    const auto font = label.getLookAndFeel().getLabelFont(label);
    g.setFont(font);
    const auto area = getLabelBorderSize(label).subtractedFrom(label.getBounds());
    g.drawFittedText(box.getTextWhenNothingSelected(), area, label.getJustificationType(),
                     juce::jmax(1, (int) ((float) area.getHeight() / font.getHeight())),
                     label.getMinimumHorizontalScale());
}

juce::Font ZuCLAF_Base::getSliderPopupFont(juce::Slider& slider)
{
    const float factor = ZuStyle::real(slider, ZuStyle::popupfontsize, 0.3f);
    return faceFont("SemiBold", (float) juce::roundToInt((float) slider.getHeight() * factor), juce::Font::bold);
}

int ZuCLAF_Base::getSliderPopupPlacement(juce::Slider&)
{
    return juce::BubbleComponent::above;
}

void ZuCLAF_Base::drawCallOutBoxBackground(juce::CallOutBox& box, juce::Graphics& g, const juce::Path& path,
                                           juce::Image& cachedImage)
{
    // The shadow is the expensive part; the box keeps it between paints.
    if (cachedImage.isNull())
    {
        cachedImage = juce::Image(juce::Image::ARGB, box.getWidth(), box.getHeight(), true);
        juce::Graphics shadow(cachedImage);
        juce::DropShadow(juce::Colour(0xff000000), 8, {0, 2}).drawForPath(shadow, path);
    }

    g.drawImageAt(cachedImage, 0, 0);
    g.setColour(box.findColour(juce::BubbleComponent::backgroundColourId));
    g.fillPath(path);
    g.setColour(box.findColour(juce::BubbleComponent::outlineColourId));
    g.strokePath(path, juce::PathStrokeType(2.5f));
}

// Floating windows -----------------------------------------------------------

void ZuCLAF_Base::drawDocumentWindowTitleBar(juce::DocumentWindow& window, juce::Graphics& g, int w, int h,
                                             int titleSpaceX, int titleSpaceW, const juce::Image* icon,
                                             bool drawTitleTextOnLeft)
{
    if (w * h == 0)
        return;

    g.setColour(getCurrentColourScheme().getUIColour(ColourScheme::widgetBackground));
    g.fillAll();

    const juce::Font font((float) h * 0.65f, juce::Font::plain);
    int textW = font.getStringWidth(window.getName());
    int iconW = 0;
    int iconH = 0;
    if (icon != nullptr && icon->getHeight() > 0)
    {
        iconH = (int) font.getHeight();
        iconW = icon->getWidth() * iconH / icon->getHeight() + 4;
    }

    textW = juce::jmin(titleSpaceW, textW + iconW);
    int x = drawTitleTextOnLeft ? titleSpaceX : juce::jmax(titleSpaceX, (w - textW) / 2);
    if (x + textW > titleSpaceX + titleSpaceW)
        x = titleSpaceX + titleSpaceW - textW;

    // The window's name itself stays undrawn: the title bar shows the icon only.
    if (icon != nullptr && iconH > 0)
    {
        g.setOpacity(window.isActiveWindow() ? 1.0f : 0.6f);
        g.drawImageWithin(*icon, x, (h - iconH) / 2, iconW, iconH, juce::RectanglePlacement::centred, false);
    }
}

juce::Button* ZuCLAF_Base::createDocumentWindowButton(int buttonType)
{
    juce::Path shape;
    const float thickness = 0.15f;

    if (buttonType == juce::DocumentWindow::closeButton)
    {
        shape.addLineSegment({0.0f, 0.0f, 1.0f, 1.0f}, thickness);
        shape.addLineSegment({1.0f, 0.0f, 0.0f, 1.0f}, thickness);
        return new LookAndFeel_V4_DocumentWindowButton("close", juce::Colour(0xffd83473), shape, shape);
    }
    if (buttonType == juce::DocumentWindow::minimiseButton)
    {
        shape.addLineSegment({0.0f, 0.5f, 1.0f, 0.5f}, thickness);
        return new LookAndFeel_V4_DocumentWindowButton("minimise", juce::Colour(0xffaa8811), shape, shape);
    }
    if (buttonType == juce::DocumentWindow::maximiseButton)
    {
        shape.addLineSegment({0.5f, 0.0f, 0.5f, 1.0f}, thickness);
        shape.addLineSegment({0.0f, 0.5f, 1.0f, 0.5f}, thickness);

        juce::Path fullscreen;
        fullscreen.startNewSubPath(45.0f, 100.0f);
        fullscreen.lineTo(0.0f, 100.0f);
        fullscreen.lineTo(0.0f, 0.0f);
        fullscreen.lineTo(100.0f, 0.0f);
        fullscreen.lineTo(100.0f, 45.0f);
        fullscreen.addRectangle(45.0f, 45.0f, 100.0f, 100.0f);
        juce::PathStrokeType(30.0f).createStrokedPath(fullscreen, fullscreen);
        return new LookAndFeel_V4_DocumentWindowButton("maximise", juce::Colour(0xff0a830a), shape, fullscreen);
    }
    return nullptr;
}

void ZuCLAF_Base::positionDocumentWindowButtons(juce::DocumentWindow&, int titleBarX, int titleBarY, int titleBarW,
                                                int titleBarH, juce::Button* minimiseButton,
                                                juce::Button* maximiseButton, juce::Button* closeButton,
                                                bool positionTitleBarButtonsOnLeft)
{
    const int bh = juce::jmin(titleBarH, titleBarH - titleBarY);
    const int bw = (int) ((float) bh * 1.2f);

    // Close is always at the right end, whatever the on-left flag says.
    int x = titleBarX + titleBarW - bw;
    if (closeButton != nullptr)
        closeButton->setBounds(x, titleBarY, bw, bh);

    if (positionTitleBarButtonsOnLeft)
    {
        // No window of the editor asks for these with the flag set: put them
        // at the left end, maximise outermost.
        int left = titleBarX;
        for (auto* b : {maximiseButton, minimiseButton})
            if (b != nullptr)
            {
                b->setBounds(left, titleBarY, bw, bh);
                left += bw;
            }
        return;
    }

    for (auto* b : {maximiseButton, minimiseButton})
        if (b != nullptr)
        {
            x -= bw;
            b->setBounds(x, titleBarY, bw, bh);
        }
}

LookAndFeel_V4_DocumentWindowButton::LookAndFeel_V4_DocumentWindowButton(const juce::String& name, juce::Colour c,
                                                                         const juce::Path& normal,
                                                                         const juce::Path& toggled)
    : juce::Button(name), colour(c), normalShape(normal), toggledShape(toggled)
{
}

void LookAndFeel_V4_DocumentWindowButton::paintButton(juce::Graphics& g, bool highlighted, bool down)
{
    auto background = juce::Colours::grey;
    if (auto* window = findParentComponentOfClass<juce::ResizableWindow>())
        if (auto* v4 = dynamic_cast<juce::LookAndFeel_V4*>(&window->getLookAndFeel()))
            background = v4->getCurrentColourScheme().getUIColour(juce::LookAndFeel_V4::ColourScheme::widgetBackground);
    g.fillAll(background);

    const auto c = (!isEnabled() || down) ? colour.withAlpha(0.6f) : colour;
    const auto h = (float) getHeight();
    const auto square = juce::Rectangle<float>((float) ((getWidth() - getHeight()) / 2), 0.0f, h, h);

    g.setColour(c);
    g.fillEllipse(square.reduced(0.19f * h));

    if (highlighted)
    {
        const auto& shape = getToggleState() ? toggledShape : normalShape;
        g.setColour(c.darker(1.5f));
        g.fillPath(shape, shape.getTransformToScaleToFit(square.reduced(0.35f * h), true));
    }
}

// Unused helpers -------------------------------------------------------------

void ZuCLAF_Base::drawShinyButtonShape(juce::Graphics& g, float x, float y, float w, float h, float maxCornerSize,
                                       const juce::Colour& baseColour, float strokeWidth, bool flatOnLeft,
                                       bool flatOnRight, bool flatOnTop, bool flatOnBottom)
{
    if (w <= strokeWidth * 1.1f || h <= strokeWidth * 1.1f)
        return;

    const float cs = juce::jmin(maxCornerSize, w * 0.5f, h * 0.5f);
    juce::Path outline;
    outline.addRoundedRectangle(x, y, w, h, cs, cs, !(flatOnLeft || flatOnTop), !(flatOnRight || flatOnTop),
                                !(flatOnLeft || flatOnBottom), !(flatOnRight || flatOnBottom));

    juce::ColourGradient cg(baseColour, 0.0f, y, baseColour.overlaidWith(juce::Colour(0x070000ff)), 0.0f, y + h, false);
    cg.addColour(0.5, baseColour.overlaidWith(juce::Colour(0x33ffffff)));
    cg.addColour(0.51, baseColour.overlaidWith(juce::Colour(0x110000ff)));
    g.setGradientFill(cg);
    g.fillPath(outline);

    g.setColour(juce::Colour(0x80000000));
    g.strokePath(outline, juce::PathStrokeType(strokeWidth));
}

void ZuCLAF_Base::drawButtonShape(juce::Graphics& g, const juce::Path& outline, juce::Colour baseColour, float height)
{
    const float mainBrightness = baseColour.getBrightness();
    const float mainAlpha = baseColour.getFloatAlpha();

    g.setGradientFill(
        juce::ColourGradient(baseColour.brighter(0.2f), 0.0f, 0.0f, baseColour.darker(0.25f), 0.0f, height, false));
    g.fillPath(outline);

    g.setColour(juce::Colours::white.withAlpha(0.4f * mainAlpha * mainBrightness * mainBrightness));
    g.strokePath(outline, juce::PathStrokeType(1.0f),
                 juce::AffineTransform::translation(0.0f, 1.0f).scaled(1.0f, (height - 1.6f) / height));

    g.setColour(juce::Colours::black.withAlpha(0.4f * mainAlpha));
    g.strokePath(outline, juce::PathStrokeType(1.0f));
}

void ZuCLAF_Base::drawForcusLinePath(juce::Path& path, juce::Rectangle<float> rect, float factor)
{
    path.clear();
    const float len = factor * rect.getHeight();
    const float l = rect.getX(), t = rect.getY(), r = rect.getRight(), b = rect.getBottom();

    path.startNewSubPath(l, t + len);
    path.lineTo(l, t);
    path.lineTo(l + len, t);

    path.startNewSubPath(r - len, t);
    path.lineTo(r, t);
    path.lineTo(r, t + len);

    path.startNewSubPath(r, b - len);
    path.lineTo(r, b);
    path.lineTo(r - len, b);

    path.startNewSubPath(l + len, b);
    path.lineTo(l, b);
    path.lineTo(l, b - len);
}
