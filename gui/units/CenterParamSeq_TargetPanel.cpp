// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterParamSeq_TargetPanel.h"

#include "ZuMirabox_MainPanel.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const juce::Colour textOff{0xff808080};
} // namespace

CenterParamSeq_TargetPanel::CenterParamSeq_TargetPanel()
{
    for (int k = 0; k < numTargets; ++k)
    {
        auto& toggle = targetButtons[(size_t) k];
        addAndMakeVisible(toggle);
        toggle.setButtonText(juce::String(k + 1));
        toggle.setLookAndFeel(&toggleLook.get());
        toggle.setClickingTogglesState(true);
        toggle.setTooltip("Toggles the target pitch sequencer unit");
        toggle.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(47, skinMode));
        toggle.setColour(juce::TextButton::textColourOffId, textOff);
        toggle.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, skinMode));
        toggle.onClick = [this] { targetClicked(); };
    }
}

CenterParamSeq_TargetPanel::~CenterParamSeq_TargetPanel()
{
    for (auto& attachment : hostAttachments)
        attachment.reset();
    for (auto& toggle : targetButtons)
        toggle.setLookAndFeel(nullptr);
}

void CenterParamSeq_TargetPanel::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    for (int k = 0; k < numTargets; ++k)
        ZuParamAttacher::attachToButton(unitTree, juce::Identifier(zu::units::numberedKey(prefix, "tar", k + 1)),
                                        k == 0, targetButtons[(size_t) k]);
}

void CenterParamSeq_TargetPanel::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    for (int k = 0; k < numTargets; ++k)
    {
        const auto parameterId = id + juce::String(k + 1);
        hostAttachments[(size_t) k].reset();
        if (state.getParameter(parameterId) != nullptr)
            hostAttachments[(size_t) k] = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
                state, parameterId, targetButtons[(size_t) k]);
    }
}

void CenterParamSeq_TargetPanel::targetClicked()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    if (auto* main = editor->getMainPanel())
    {
        ++refreshCount;
        main->scaleParamChanged();
    }
}

void CenterParamSeq_TargetPanel::colorMapping()
{
    auto onColour = colorTheme->entry(47, 0);
    if (auto fromSettings = settingsColourOfKind(*this, zu::units::pitch))
        onColour = *fromSettings;
    else if (colourSource != nullptr)
        if (fromSettings = settingsColourOfKind(*colourSource, zu::units::pitch); fromSettings)
            onColour = *fromSettings;
    for (auto& toggle : targetButtons)
    {
        toggle.setColour(juce::TextButton::buttonOnColourId, onColour);
        toggle.setColour(juce::TextButton::textColourOffId, textOff);
        toggle.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, skinMode));
    }
    repaint();
}

void CenterParamSeq_TargetPanel::resized()
{
    const auto inner = getLocalBounds().reduced(2, 1);
    const int slot = (int) ((float) inner.getWidth() * 0.25f);
    for (int k = 0; k < numTargets; ++k)
        targetButtons[(size_t) k].setBounds(
            juce::Rectangle<int>(inner.getX() + k * slot, inner.getY(), slot, inner.getHeight()).reduced(1, 0));
}
