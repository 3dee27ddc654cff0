// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

#include <array>

// Outlines drawn about knobs, modulation knobs and sliders, the centre
// triangle and the step numbers "1" to "32", all laid out once in a 100 x 100
// box (y downwards) so that a repaint only scales them. One instance per
// process (ZuShared<KnobPathHelper>); the look-and-feel base only supplies the
// fonts the numbers are made from.
class KnobPathHelper : public ZuCLAF_Base
{
public:
    KnobPathHelper();
    ~KnobPathHelper() override = default;

    // The four corner brackets of a knob, already stroked to width 1: fill it.
    juce::Path getFramePath() const { return framePath; }
    // Corner brackets with longer arms, open lines: stroke it.
    juce::Path getModFramePath() const { return modFramePath; }
    // Corner brackets with wider horizontal arms, open lines: stroke it.
    juce::Path getSliderFramePath() const { return sliderFramePath; }

    static constexpr int numNumbers = 32;

private:
    juce::Path framePath, modFramePath, emptyPath, sliderFramePath;

public:
    // Downward triangle (0,0), (120,0), (60,100).
    juce::Path trianglePath;
    // Entry i holds the number i + 1.
    std::array<juce::Path, numNumbers> numberPaths;

    // The number path for a name read as an integer, clamped to 1..32 (a
    // name that is no number shows 1).
    const juce::Path& numberPathForName(const juce::String& name) const;
    const juce::Path& numberPath(int number) const;

    // Four corner brackets of a 100 box with vertical arms v and horizontal
    // arms hArm, as open polylines.
    static juce::Path brackets(float v, float hArm);
};
