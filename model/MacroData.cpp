// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroData.h"

void MacroData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            for (int k = 1; k <= numMacros; ++k)
                map["p7_macro" + juce::String(k)] = k;
        }));
}

int MacroData::getParamIndex(const juce::String& name) const
{
    const auto it = paramMap.find(name);
    return it == paramMap.end() ? 0 : it->second;
}

void MacroData::setParamVal(const juce::String& name, float value)
{
    setParamValAt(getParamIndex(name), value);
}

void MacroData::setParamValAt(int index, float value) noexcept
{
    // Index 0 is a name the model does not hold: it must not reach macro 1.
    if (index < 1 || index > numMacros || !std::isfinite(value))
        return;
    macroValues[(size_t) (index - 1)] = value;
}
