// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuIcons.h"

juce::Path ZuIcons::load(const unsigned char* data, int size)
{
    juce::Path p;
    p.loadPathFromData(data, (size_t) size);
    return p;
}

juce::Path ZuIcons::byName(const juce::String& name)
{
    for (int i = 0; i < ZuIconData::numIcons; ++i)
        if (name == ZuIconData::all[i].name)
            return load(ZuIconData::all[i].data, ZuIconData::all[i].size);
    return {};
}
