// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_StripMembers.h"
#include "ZuGuiBase.h"

// The strip along the foot of the editor that shows the tooltip of the widget
// under the mouse, after an information icon. The editor has no pop-up
// tooltip window: tooltips are its status line.

// The text part: polls the mouse every 123 ms (only where the main input can
// hover) and shows the tooltip of the component under it, or nothing.
class TooltipComponent : public juce::Label, private juce::Timer
{
public:
    static constexpr int pollIntervalMs = 123;

    TooltipComponent(const juce::String& name, const juce::String& text);
    ~TooltipComponent() override;

    // The text for c: its tooltip when it has one and no modal component
    // blocks it, otherwise empty.
    virtual juce::String getTipFor(juce::Component* c);

    // One poll, as the timer runs it (tests call it directly).
    void poll() { timerCallback(); }
    bool isPolling() const { return isTimerRunning(); }

private:
    void timerCallback() override;
};

class ZuKern_TooltipPanel : public ZuGuiBase
{
public:
    ZuKern_TooltipPanel();
    ~ZuKern_TooltipPanel() override;

    void resized() override;
    void resize_guiBounds() override;

    juce::Label& getIcon() noexcept { return icon; }
    TooltipComponent& getText() noexcept { return text; }
    juce::Rectangle<int> getIconBounds() const noexcept { return iconBounds; }
    juce::Rectangle<int> getTextBounds() const noexcept { return textBounds; }

private:
    ZuShared<ZuCLAF_InfoSvgLabel> infoLookAndFeel;
    ZuShared<ZuCLAF_TooltipLabel> tooltipLookAndFeel;
    juce::Rectangle<int> iconBounds, textBounds;
    juce::Label icon;
    TooltipComponent text{"tooltip", {}};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuKern_TooltipPanel)
};
