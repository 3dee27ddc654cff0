// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <utility>

// The arithmetic the unit panels lay out with: sizes truncated toward zero,
// rectangles never negative, and a column cut from the top.
namespace zu::unitlayout
{
inline int T(float v) noexcept
{
    return (int) v;
}

inline juce::Rectangle<int> box(int x, int y, int w, int h) noexcept
{
    return {x, y, juce::jmax(0, w), juce::jmax(0, h)};
}

// What is left of a column: take() cuts a fraction of it from the top,
// skip() a gap of up to n pixels.
struct TopCut
{
    int y;
    int rest;

    // The top and height of the piece taken: min(rest, int(rest x fraction)).
    std::pair<int, int> take(float fraction) noexcept
    {
        const int h = juce::jmin(rest, T((float) rest * fraction));
        const int top = y;
        y += h;
        rest -= h;
        return {top, h};
    }

    void skip(int n) noexcept
    {
        const int a = juce::jlimit(0, juce::jmax(0, rest), n);
        y += a;
        rest -= a;
    }
};
} // namespace zu::unitlayout
