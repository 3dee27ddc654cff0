// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKeyMap.h"

#include "ZuDataModelBase.h"

// The eight global macro values, which the macro engine turns into channels 8
// to 15 of the modulation block.
class MacroData : public ZuDataModelBase
{
public:
    static constexpr int numMacros = 8;

    MacroData() = default;
    ~MacroData() override = default;

    // Maps "p7_macro1" .. "p7_macro8" to 1..8.
    void createParamMap() override;
    // Stores the value as it comes (the macro engine limits it when it uses
    // it); a name the map lacks and a non-finite value change nothing.
    void setParamVal(const juce::String& name, float value) override;
    // String-free write of name map index 1..8.
    void setParamValAt(int index, float value) noexcept;
    int getParamIndex(const juce::String& name) const;

    ZuKeyMap paramMap;
    // Value k belongs to macro k + 1.
    std::array<ZuAtomic<float>, numMacros> macroValues{};

private:
    JUCE_DECLARE_NON_COPYABLE(MacroData)
};
