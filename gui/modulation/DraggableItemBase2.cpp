// SPDX-License-Identifier: GPL-3.0-or-later
#include "DraggableItemBase2.h"

#include "ZuIcons.h"
#include "ZuSmallWidgets.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
juce::Path fitted(juce::Path path, juce::Rectangle<float> area)
{
    if (!path.isEmpty())
        path.applyTransform(path.getTransformToScaleToFit(area, true));
    return path;
}

double primaryDisplayScale()
{
    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        return display->scale;
    return 1.0;
}

juce::String modifiableTooltip(const juce::String& text)
{
    if (text == "PS" || text == "MW")
        return juce::String(zu::draghandle::tooltip) + ". Right-click to change the active mod source.";
    return zu::draghandle::tooltip;
}

// The crosshair picture in an image of size (w, h), rescaled to (tw, th).
juce::Image crosshairImage(int w, int h, juce::Colour colour, juce::Image::PixelFormat format)
{
    juce::Image image(format, juce::jmax(1, w), juce::jmax(1, h), true);
    juce::Graphics g(image);
    g.setColour(colour);
    g.fillPath(fitted(ZU_ICON(ddSvg), image.getBounds().toFloat()));
    return image;
}

// Starts a drag of text with image through the nearest container, unless one runs.
void startDragThroughContainer(juce::Component& source, const juce::String& text, const juce::Image& image)
{
    auto* container = juce::DragAndDropContainer::findParentDragContainerFor(&source);
    if (container == nullptr || container->isDragAndDropActive())
        return;
    container->startDragging(text, &source, juce::ScaledImage(image, 1.0), true);
}
} // namespace

DraggableItemBase2::DraggableItemBase2(juce::String text, juce::Colour colour) : ddId(text), iconColor(colour)
{
    handleBgColor = juce::Colour(0xff202020);
    showHighlight = false;
    iconShape.setFill(iconColor);
    addAndMakeVisible(iconShape);
    addAndMakeVisible(highlightShape);
    highlightShape.toBack();
    dragPicturePath = ZU_ICON(ddSvg);
    setTooltip(zu::draghandle::tooltip);
}

DraggableItemBase2::~DraggableItemBase2()
{
    // A handle that goes while hovered must not leave the slots of its source
    // blinking on.
    if (published.toString() == ddId)
        published.setValue("off");
}

void DraggableItemBase2::publish(const juce::String& text)
{
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        published.referTo(editor->indctSrcValue);
        editor->indctSrcValue.setValue(text);
    }
}

void DraggableItemBase2::mouseEnter(const juce::MouseEvent&)
{
    publish(ddId);
    updateDrawable();
}

void DraggableItemBase2::mouseExit(const juce::MouseEvent&)
{
    publish("off");
    updateDrawable();
}

void DraggableItemBase2::mouseDrag(const juce::MouseEvent& e)
{
    if (ZuRealtimeModifiers::rightButtonDown() || e.mods.isRightButtonDown())
        return;
    startDragThroughContainer(*this, ddId, dragImage);
}

void DraggableItemBase2::enablementChanged()
{
    updateDrawable();
}

void DraggableItemBase2::paint(juce::Graphics& g)
{
    g.fillAll(handleBgColor);
}

void DraggableItemBase2::resized()
{
    const float w = (float) getWidth(), h = (float) getHeight();
    highlightPath.clear();
    highlightPath.addRectangle(0.5f, 0.5f, w - 1.0f, h - 1.0f);
    iconPath = fitted(ZU_ICON(dragIconSvgData), {1.0f, 1.0f, juce::jmax(0.0f, w - 2.0f), juce::jmax(0.0f, h - 2.0f)});

    const double s = primaryDisplayScale();
    const int W = juce::jmax(1, juce::roundToInt(w * 2.0 * s)), H = juce::jmax(1, juce::roundToInt(h * 2.0 * s));
    juce::Image image(juce::Image::ARGB, W, H, true);
    {
        juce::Graphics g(image);
        g.setColour(juce::Colour(0x90c0c0c0));
        g.fillPath(fitted(dragPicturePath, {0.0f, 0.0f, (float) (w * 2.0 * s), (float) (h * 2.0 * s)}));
    }
    dragImage = image.rescaled(juce::jmax(10, (int) std::floor(W / s)), juce::jmax(10, (int) std::floor(H / s)),
                               juce::Graphics::mediumResamplingQuality);
    dragDrawable.setImage(dragImage);
    updateDrawable();
}

void DraggableItemBase2::updateDrawable()
{
    if (!isEnabled())
    {
        highlightShape.setPath(juce::Path());
        iconShape.setPath(juce::Path());
        return;
    }
    const bool over = isMouseOver(true);
    if (showHighlight)
    {
        highlightShape.setFill(over ? iconColor.brighter(0.5f) : iconColor);
        highlightShape.setPath(highlightPath);
        iconShape.setPath(iconPath);
        return;
    }
    iconShape.setFill(over ? iconColor.brighter(1.0f) : iconColor);
    iconShape.setPath(iconPath);
}

DraggableItemBase::DraggableItemBase(juce::String text, juce::Colour c) : ddId(text), colour(c)
{
    setTooltip(modifiableTooltip(text));
}

void DraggableItemBase::resized()
{
    const auto inset = (float) getHeight() * 0.025f;
    iconPath = fitted(ZU_ICON(dragIconSvgData), getLocalBounds().toFloat().reduced(inset));
}

void DraggableItemBase::paint(juce::Graphics& g)
{
    if (isMouseOver(true))
    {
        g.setColour(colour.withAlpha(0.35f));
        g.fillRoundedRectangle(getLocalBounds().toFloat(), 4.0f);
    }
    g.setColour(colour.withAlpha(0.9f));
    g.fillPath(iconPath);
}

void DraggableItemBase::mouseDrag(const juce::MouseEvent&)
{
    const auto image =
        crosshairImage((int) (getWidth() * 1.5), (int) (getHeight() * 1.5), juce::Colour(0xffe0e0e0), juce::Image::RGB);
    startDragThroughContainer(*this, ddId, image);
}

DraggableItemBase3::DraggableItemBase3(juce::String l, juce::String text, juce::Colour c, int m)
    : label(l), ddId(text), colour(c), mode(m)
{
    const int length = label.length();
    fontFactor = length >= 8 ? 0.7f : (length < 6 ? 0.84f : 0.76f);
    if (mode == 1)
        setTooltip(juce::String(zu::draghandle::tooltip) + ". Double-click for On/Off. TV screen for editing.");
    else
        setTooltip(modifiableTooltip(text));
}

void DraggableItemBase3::resized()
{
    frame.clear();
    frame.addRoundedRectangle(1.0f, 2.0f, (float) getWidth() - 2.0f, (float) getHeight() - 4.0f, 2.0f);
}

void DraggableItemBase3::paint(juce::Graphics& g)
{
    g.setColour(colour.withAlpha(0.5f));
    g.strokePath(frame, juce::PathStrokeType(0.8f));
    const auto area = frame.getBounds();
    g.setColour(colour);
    g.setFont(juce::Font("Medium", fontFactor * area.getHeight(), juce::Font::bold));
    g.drawFittedText(label, area.toNearestInt(), juce::Justification::centred, 1, 0.5f);
}

void DraggableItemBase3::mouseDrag(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        if (ddId == "PS" || ddId == "MW")
            repaint();
        return;
    }
    if (e.getLengthOfMousePress() <= 80)
        return;
    const double s = primaryDisplayScale();
    const int w = (int) (getWidth() * 1.5), h = (int) (getHeight() * 1.5);
    const auto image =
        crosshairImage(juce::roundToInt(w * s), juce::roundToInt(h * s), juce::Colour(0xffe0e0e0), juce::Image::ARGB)
            .rescaled(juce::jmax(1, w), juce::jmax(1, h));
    startDragThroughContainer(*this, ddId, image);
}

void ZuModSelButton::mouseDrag(const juce::MouseEvent& e)
{
    if (e.getLengthOfMousePress() > 10 && mode == 6)
    {
        const auto position = e.getPosition();
        const auto bounds = getLocalBounds();
        juce::ignoreUnused(position, bounds);
    }
}
