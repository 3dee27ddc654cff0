// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuGuiBase.h"

#include "DispShareData.h"

#include <array>

// One tile of the chord pool: a chord type's name, dragged onto a chord unit
// to give it that type. The drag's description is "chorditem"; the tile's own
// property "chordindex" holds the type's id (index + 1) from the drag's start.
class ChordItem : public juce::Component, public juce::DragAndDropContainer, public juce::SettableTooltipClient
{
public:
    ChordItem();
    ~ChordItem() override;

    void mouseEnter(const juce::MouseEvent&) override;
    void mouseExit(const juce::MouseEvent&) override;
    void mouseDown(const juce::MouseEvent&) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    // Stores index as it is; the name shown is that of the nearest type.
    void setChordIndex(int index);
    int getChordIndex() const noexcept { return chordIndex; }
    void updateDrawpath();

    // The drag image for a tile of that size (see mouseDrag).
    juce::Image createDragImage() const;
    const juce::Path& getNameOutline() const noexcept { return nameOutline; }

    static constexpr const char* dragDescription = "chorditem";
    static constexpr const char* indexProperty = "chordindex";

private:
    ZuShared<ZuMirabox_ColorTheme> theme;
    juce::SharedResourcePointer<DispShareData> tables;
    int chordIndex = 0;
    const juce::Colour hoverColour{0xff000000};
    const juce::Colour backgroundColour;
    juce::Path nameOutline;
    juce::DrawablePath outline, name;
    juce::DrawableComposite drawables;
    juce::Rectangle<float> inner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordItem)
};

// The chord pool: twenty tiles, one per chord type, seven to a row.
class ChordPoolPanel : public ZuGuiBase
{
public:
    static constexpr int numItems = 20;
    static constexpr int numColumns = 7;
    static constexpr int numRows = 3;

    ChordPoolPanel();

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;

    ChordItem& getItem(int i) noexcept { return items[(size_t) juce::jlimit(0, numItems - 1, i)]; }

private:
    std::array<ChordItem, numItems> items;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordPoolPanel)
};
