// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// Four toggles "1" to "4" in a 2 x 2 grid that choose the pitch units a tool
// applies to, each bound to the host parameter prefix + k. Lit in the pitch
// unit colour the user chose once inside the editor. A change, by a click or
// by the parameter, runs targetChanged().
class ToolTargetPanel : public ZuGuiBase
{
    // Shares first: the buttons below go before it.
    ZuShared<ZuCLAF_SwgTarButton> buttonLook;

public:
    static constexpr int numTargets = 4;

    ToolTargetPanel(juce::AudioProcessorValueTreeState& parameters, const juce::String& parameterPrefix);
    ~ToolTargetPanel() override;

    void colorMapping() override;
    void parentHierarchyChanged() override;
    void resized() override;

    MappableButton& getButton(int k) noexcept { return buttons[(size_t) juce::jlimit(0, numTargets - 1, k)]; }

protected:
    // Tells the main panel that the tool's settings changed.
    virtual void targetChanged() = 0;

private:
    std::array<MappableButton, numTargets> buttons;
    std::array<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>, numTargets> attachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ToolTargetPanel)
};

// The chord section's targets ("p9_chordtar1" .. 4).
class ChordTargetPanel : public ToolTargetPanel
{
public:
    explicit ChordTargetPanel(juce::AudioProcessorValueTreeState& parameters);
    ~ChordTargetPanel() override;

protected:
    void targetChanged() override;
};

// The scale section's targets ("p8_scaletar1" .. 4); it fills its background.
class ScaleTargetPanel : public ToolTargetPanel
{
public:
    explicit ScaleTargetPanel(juce::AudioProcessorValueTreeState& parameters);
    ~ScaleTargetPanel() override;

    void paint(juce::Graphics& g) override;

protected:
    void targetChanged() override;
};
