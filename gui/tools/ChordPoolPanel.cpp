// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChordPoolPanel.h"

#include "ZuCLAF_BaseBase.h"
#include "ZuConvert.h"

namespace
{
const juce::Colour dragNameColour{0xffe0e0e0};

int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

ChordItem::ChordItem() : backgroundColour(theme->chordBgColor.darker(1.5f))
{
    setTooltip("Drag and drop this chord type to the target note");
    outline.setFill(theme->chordDarkColor);
    name.setFill(theme->chordLightColor);
    drawables.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(drawables);
    setMouseClickGrabsKeyboardFocus(false);
    setWantsKeyboardFocus(false);
}

ChordItem::~ChordItem()
{
    drawables.removeAllChildren();
}

void ChordItem::setChordIndex(int index)
{
    chordIndex = index;
    const auto text = tables->getChordNameStr(juce::jlimit(0, DispShareData::numChordTypes - 1, index));
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(ZuCLAF_BaseBase::faceFont("Medium", 24.0f, juce::Font::bold), text, 0.0f, 0.0f, 80.0f, 80.0f,
                         juce::Justification::centred, 1, 0.5f);
    nameOutline.clear();
    glyphs.createPath(nameOutline);
    updateDrawpath();
}

void ChordItem::updateDrawpath()
{
    // The composite shows the two paths; it never owns them.
    for (int i = drawables.getNumChildComponents(); --i >= 0;)
        drawables.removeChildComponent(i);

    juce::Path frame;
    frame.addRoundedRectangle(inner, 2.0f);
    juce::Path stroked;
    juce::PathStrokeType(1.0f).createStrokedPath(stroked, frame);
    outline.setPath(stroked);

    juce::Path text(nameOutline);
    if (!text.isEmpty())
    {
        const float x = inner.getX(), y = inner.getY(), w = inner.getWidth(), h = inner.getHeight();
        text.applyTransform(text.getTransformToScaleToFit(x + 1.0f, y + 0.28f * h, juce::jmax(w - 2.0f, 0.0f),
                                                          juce::jmax(h - 0.56f * h, 0.0f), true));
    }
    name.setPath(text);
    drawables.addAndMakeVisible(outline);
    drawables.addAndMakeVisible(name);
    drawables.setBounds(getLocalBounds());
}

void ChordItem::resized()
{
    inner = {1.0f, 1.0f, (float) juce::jmax(getWidth() - 2, 0), (float) juce::jmax(getHeight() - 2, 0)};
    updateDrawpath();
}

void ChordItem::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
    if (isMouseOver(true))
    {
        g.setColour(hoverColour.withAlpha(0.35f));
        g.fillRoundedRectangle(getLocalBounds().toFloat(), 4.0f);
    }
}

void ChordItem::mouseEnter(const juce::MouseEvent&)
{
    repaint();
}

void ChordItem::mouseExit(const juce::MouseEvent&)
{
    repaint();
}

void ChordItem::mouseDown(const juce::MouseEvent&) {}

juce::Image ChordItem::createDragImage() const
{
    const int w = juce::jmax(0, getWidth()), h = juce::jmax(0, getHeight());
    const int h15 = trunc(1.5f * (float) h);
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    const float scale = display != nullptr ? (float) display->scale : 1.0f;
    const float iw = (float) w * scale, ih = (float) h15 * scale;

    juce::Image image(juce::Image::ARGB, juce::jmax(1, juce::roundToInt(iw)), juce::jmax(1, juce::roundToInt(ih)),
                      true);
    {
        juce::Graphics g(image);
        juce::Path text(nameOutline);
        if (!text.isEmpty())
        {
            text.applyTransform(text.getTransformToScaleToFit(0.0f, 0.0f, iw, ih, true));
            g.setColour(dragNameColour);
            g.fillPath(text);
        }
    }
    return image.rescaled(juce::jmax(0, w - 2 * trunc(0.3f * (float) w)),
                          juce::jmax(0, h15 - 2 * trunc(0.3f * (float) h15)), juce::Graphics::mediumResamplingQuality);
}

void ChordItem::mouseDrag(const juce::MouseEvent&)
{
    auto* container = juce::DragAndDropContainer::findParentDragContainerFor(getParentComponent());
    if (container == nullptr || container->isDragAndDropActive())
        return;
    const auto image = createDragImage();
    getProperties().set(indexProperty, chordIndex + 1);
    container->startDragging(dragDescription, this, juce::ScaledImage(image, 1.0), true);
}

ChordPoolPanel::ChordPoolPanel()
{
    panelColor = colorTheme->chordBgColor;
    for (int i = 0; i < numItems; ++i)
    {
        addAndMakeVisible(items[(size_t) i]);
        items[(size_t) i].setChordIndex(i);
    }
}

void ChordPoolPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChordPoolPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int c = juce::jlimit(1, 6, trunc(0.05f * (float) H));
    const int d = juce::jmax(H - 2 * c, 0);
    const int R = trunc(0.33f * (float) d);
    const int iw = juce::jmax(W - 2, 0);
    const int C = iw / numColumns;
    const int x0 = 2 + trunc(0.5f * (float) (iw - numColumns * C));
    const int y0 = 1 + c + trunc(0.5f * (float) (d - numRows * R));
    for (int i = 0; i < numItems; ++i)
    {
        const int row = i / numColumns, column = i % numColumns;
        items[(size_t) i].setBounds(x0 + column * C, y0 + row * R, juce::jmax(C - 2, 0), juce::jmax(R - 2, 0));
    }
}

void ChordPoolPanel::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    repaint();
}
