// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitBg.h"

UnitBg::UnitBg(juce::Colour background) : bgColour(background)
{
    for (auto& path : paths)
        path.setInterceptsMouseClicks(false, false);
    pathComposite.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(pathComposite);
    pathComposite.setBufferedToImage(true);
    setOpaque(true);
    setBufferedToImage(true);
    setInterceptsMouseClicks(false, true);
}

UnitBg::~UnitBg()
{
    pathComposite.removeAllChildren();
}

void UnitBg::setColors(std::array<juce::Colour, numPaths> colours)
{
    for (size_t k = 0; k < paths.size(); ++k)
        paths[k].setFill(juce::FillType(colours[k]));
}

void UnitBg::setPathList(std::array<juce::Path, numPaths>& list)
{
    for (size_t k = 0; k < paths.size(); ++k)
        paths[k].setPath(list[k]);
    pathComposite.removeAllChildren();
    for (auto& path : paths)
        pathComposite.addAndMakeVisible(path);
}

void UnitBg::paint(juce::Graphics& g)
{
    g.fillAll(bgColour);
}
