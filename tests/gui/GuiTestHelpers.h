// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZumiraboxAudioProcessorEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zutest
{
// An editor on a processor, built as the processor's createEditor will.
inline std::unique_ptr<ZumiraboxAudioProcessorEditor> makeEditor(ZumiraboxAudioProcessor& p)
{
    return std::make_unique<ZumiraboxAudioProcessorEditor>(p, p.globalData, p.pitchSeqData, p.lfoData, p.scaleData,
                                                           p.chordData, juce::ValueTree("MidiMapState"),
                                                           p.polarityToggle, p.editorValue);
}

// Declared first in a test that changes the editor's size: when the test
// ends, the stored window scale is 1 again, so that the editors of the tests
// that follow open at 1000 x 580.
struct DefaultScaleAfterwards
{
    ~DefaultScaleAfterwards()
    {
        PluginSettingState settings;
        settings.getSettingFile();
        settings.setScaleFactor(1.0f);
    }
};

// Paints into a fresh ARGB image of that size, cleared to background.
template <typename Paint>
juce::Image paintImage(int width, int height, Paint paint, juce::Colour background = juce::Colour(0xff000000))
{
    juce::Image image(juce::Image::ARGB, width, height, true);
    juce::Graphics g(image);
    g.fillAll(background);
    paint(g);
    return image;
}

// The columns (x range) and rows (y range) holding pixels different from
// background; empty when there are none.
inline juce::Rectangle<int> inkBounds(const juce::Image& image, juce::Colour background, int tolerance = 24)
{
    int left = image.getWidth(), top = image.getHeight(), right = -1, bottom = -1;
    const juce::Image::BitmapData data(image, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto c = data.getPixelColour(x, y);
            const int d = std::abs(c.getRed() - background.getRed()) + std::abs(c.getGreen() - background.getGreen()) +
                          std::abs(c.getBlue() - background.getBlue());
            if (d > tolerance)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

// The area of a region that holds ink (see inkBounds).
inline juce::Rectangle<int> inkBoundsIn(const juce::Image& image, juce::Rectangle<int> region, juce::Colour background)
{
    return inkBounds(image.getClippedImage(region), background).translated(region.getX(), region.getY());
}
} // namespace zutest
