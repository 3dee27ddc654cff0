// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>
#include <juce_data_structures/juce_data_structures.h>

#include <cmath>
#include <cstdint>
#include <limits>

// Conversions every model write and every number read from text goes through.
// Values come from hosts, trees and state documents that bypass the editor's
// ranges: nothing here has undefined behaviour for NaN, infinities or huge
// values.
namespace zu
{
// The one float-to-int conversion: truncates toward zero, saturates at the
// int32 range and reads NaN as 0.
inline int32_t toIntSaturating(double v) noexcept
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// The value when it is finite, otherwise the fallback: a non-finite number
// counts as missing.
inline double finiteOr(double v, double fallback) noexcept
{
    return std::isfinite(v) ? v : fallback;
}

// Rounds to the nearest float, saturating at the largest finite float instead
// of overflowing to infinity; NaN gives 0.
inline float toFloatSaturating(double v) noexcept
{
    constexpr double maxFloat = 3.4028234663852886e38;
    if (!(v == v))
        return 0.0f;
    if (v > maxFloat)
        return static_cast<float>(maxFloat);
    if (v < -maxFloat)
        return static_cast<float>(-maxFloat);
    return static_cast<float>(v);
}

// A flag from a plain value: strictly above one half (0.5 itself is off).
inline bool toFlag(double v) noexcept
{
    return v > 0.5;
}

inline int32_t clampInt(int32_t v, int32_t lo, int32_t hi) noexcept
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// The leading integer of a text: blanks skipped, an optional sign, then
// decimal digits; 0 when there are none. Saturates instead of overflowing.
inline int32_t parseLeadingInt(juce::String::CharPointerType p) noexcept
{
    while (!p.isEmpty() && juce::CharacterFunctions::isWhitespace(*p))
        ++p;
    bool negative = false;
    if (*p == '-' || *p == '+')
    {
        negative = (*p == '-');
        ++p;
    }
    int64_t magnitude = 0;
    while (*p >= '0' && *p <= '9')
    {
        if (magnitude <= (int64_t) std::numeric_limits<int32_t>::max() + 1)
            magnitude = magnitude * 10 + (int64_t) (*p - '0');
        ++p;
    }
    const int64_t v = negative ? -magnitude : magnitude;
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

inline int32_t parseLeadingInt(const juce::String& text) noexcept
{
    return parseLeadingInt(text.getCharPointer());
}

// Tree properties are read through their text form, as stored state is.
// A missing property, or one whose text is a non-finite number, yields the
// default; other text that is no number reads as 0. Integers take the leading
// digits only ("2.7" reads as 2).
inline int32_t readIntProperty(const juce::ValueTree& tree, const juce::Identifier& id, int32_t def)
{
    const auto* v = tree.getPropertyPointer(id);
    if (v == nullptr)
        return def;
    const auto text = v->toString();
    if (!std::isfinite(text.getDoubleValue()))
        return def;
    return parseLeadingInt(text);
}

inline float readFloatProperty(const juce::ValueTree& tree, const juce::Identifier& id, float def)
{
    const auto* v = tree.getPropertyPointer(id);
    if (v == nullptr)
        return def;
    const double d = v->toString().getDoubleValue();
    if (!std::isfinite(d) || std::abs(d) > (double) std::numeric_limits<float>::max())
        return def;
    return (float) d;
}
} // namespace zu
