// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuIconData.h"

#include <juce_graphics/juce_graphics.h>

// Paths of the icon library, loaded from their stored path data.
namespace ZuIcons
{
juce::Path load(const unsigned char* data, int size);
// The icon of that name, or an empty path when there is none.
juce::Path byName(const juce::String& name);
} // namespace ZuIcons

// The icon of the library entry named name, e.g. ZU_ICON(menuSvgData).
#define ZU_ICON(name) ZuIcons::load(ZuIconData::name, ZuIconData::name##Size)
