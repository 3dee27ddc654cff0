// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// The background of a sequencer unit panel: a solid fill under six filled
// paths (the frame's shapes among them), path 5 on top. It takes no clicks.
// Message thread only.
class UnitBg : public juce::Component
{
public:
    static constexpr int numPaths = 6;

    explicit UnitBg(juce::Colour background);
    ~UnitBg() override;

    void setColors(std::array<juce::Colour, numPaths> colours);
    void setPathList(std::array<juce::Path, numPaths>& list);
    // The solid fill under the paths; the owner repaints.
    void setBackgroundColour(juce::Colour colour) noexcept { bgColour = colour; }
    juce::Colour getBackgroundColour() const noexcept { return bgColour; }
    void paint(juce::Graphics& g) override;

    const juce::DrawableComposite& getComposite() const noexcept { return pathComposite; }
    const juce::DrawablePath& getPath(int k) const { return paths[(size_t) k]; }

private:
    juce::Colour bgColour;
    std::array<juce::DrawablePath, numPaths> paths;
    juce::DrawableComposite pathComposite;
};
