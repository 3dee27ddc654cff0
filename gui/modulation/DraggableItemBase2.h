// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The handle of one modulation source (a unit modulator or a macro): dragged
// onto a modulation slot it assigns that source; while hovered inside the
// editor it publishes its drag text in the editor's hovered-source value, so
// the slots that use the source blink. Its drags go through the nearest
// enclosing drag-and-drop container (the editor). Message thread only.
class DraggableItemBase2 : public juce::Component, public juce::DragAndDropContainer, public juce::SettableTooltipClient
{
public:
    DraggableItemBase2(juce::String text, juce::Colour iconColor);
    ~DraggableItemBase2() override;

    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent&) override {}
    void mouseDrag(const juce::MouseEvent& e) override;
    void enablementChanged() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    void updateDrawable();

    juce::String ddId;
    juce::Colour iconColor;
    juce::Colour handleBgColor{0xff202020};
    bool showHighlight = false;
    juce::Path iconPath, dragPicturePath, highlightPath;
    juce::Image dragImage;
    juce::DrawableImage dragDrawable;
    juce::DrawablePath iconShape, highlightShape;

private:
    // The editor value this handle last published its text in; it shares the
    // processor's value, so it stays valid after the editor went.
    juce::Value published;
    void publish(const juce::String& text);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DraggableItemBase2)
};

// Handles of the same family that no running panel builds.
class DraggableItemBase : public juce::Component, public juce::DragAndDropContainer, public juce::SettableTooltipClient
{
public:
    DraggableItemBase(juce::String text, juce::Colour colour);

    void mouseEnter(const juce::MouseEvent&) override { repaint(); }
    void mouseExit(const juce::MouseEvent&) override { repaint(); }
    void mouseDrag(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    juce::String ddId;
    juce::Colour colour;
    juce::Path iconPath;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DraggableItemBase)
};

class DraggableItemBase3 : public juce::Component, public juce::DragAndDropContainer, public juce::SettableTooltipClient
{
public:
    DraggableItemBase3(juce::String label, juce::String text, juce::Colour colour, int mode);

    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent&) override {}
    void paint(juce::Graphics& g) override;
    void resized() override;
    void openRightClickMenu() {}

    juce::String label, ddId;
    juce::Colour colour;
    int mode;
    float fontFactor;
    juce::Path frame;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DraggableItemBase3)
};

class ZuModSelButton : public juce::TextButton
{
public:
    ZuModSelButton() = delete;
    void mouseDrag(const juce::MouseEvent& e) override;
    int mode = 0;
};

namespace zu::draghandle
{
// The tooltip every handle of a modulator shows.
inline const char* const tooltip =
    "Drag and drop this modulator to a crossed circle next to a parameter for assignment";
} // namespace zu::draghandle
