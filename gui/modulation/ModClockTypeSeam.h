// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <array>

// The slot's clock-type choice "N", "T", "D" ("clktyp" 0..2) until the shared
// clock-type selector of the unit panels is available here; it offers the
// part of that selector's interface the sync block uses, so the two can be
// swapped without touching the sync block.
class ModClockTypeSeam : public ZuGuiBase
{
public:
    ModClockTypeSeam();
    ~ModClockTypeSeam() override;

    void setCenterPanelFlag();
    void setAttachment(juce::ValueTree tree, juce::String prefix);
    void setBaseColor(const juce::Colour& c);
    void setBaseColor(juce::Colour& c) override { setBaseColor(static_cast<const juce::Colour&>(c)); }
    void setBgColor(juce::Colour c);
    int getClockTypeIndex() const noexcept { return curIndex; }

    void buttonClicked(juce::Button* b) override;
    void valueChanged(juce::Value& v) override;
    void resized() override;

    MappableButton& getToggle(int k) { return toggles[(size_t) k]; }

private:
    void showIndex();

    ZuShared<ZuCLAF_DirButton> dirLook;
    int curIndex = 0;
    juce::Slider slider;
    std::array<MappableButton, 3> toggles;
};
