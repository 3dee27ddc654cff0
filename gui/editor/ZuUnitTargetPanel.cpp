// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuUnitTargetPanel.h"

#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"

#include "PluginSettingState.h"

namespace
{
// The theme's unit colour of each group (skin 0) and where the settings keep
// the colour the user chose for it.
constexpr int groupThemeEntry[] = {47, 48, 49, 51};
constexpr int groupSettingsColour[] = {PluginSettingState::pitchColor, PluginSettingState::paramColor,
                                       PluginSettingState::ccColor, PluginSettingState::octTpColor};
} // namespace

ZuUnitTargetPanel::ZuUnitTargetPanel(juce::AudioProcessorValueTreeState& state, const juce::String& parameterStem,
                                     int numButtons, float fontSize, const juce::String& fontFace,
                                     bool recolourWhenReparented)
    : recolourOnReparent(recolourWhenReparented)
{
    baseColor = colorTheme->entry(1, skinMode);
    for (int n = 1; n <= numButtons; ++n)
    {
        auto& button = *buttons.emplace_back(std::make_unique<MappableButton>());
        const auto group = groupOf(n);
        addAndMakeVisible(button);
        zu::global::keepFocusAway(button);
        button.setLookAndFeel(&buttonLook.get());
        button.setClickingTogglesState(true);
        button.setButtonText(group == octTpGroup ? juce::String() : juce::String((n - 1) % 4 + 1));
        auto& props = button.getProperties();
        props.set(ZuStyle::fontsize, (double) fontSize);
        props.set(ZuStyle::fontface, fontFace);
        props.set("istextdisp", 1);
        props.set(ZuStyle::bgcolor, colorTheme->entry(2, skinMode).toString());
        props.set(ZuStyle::curvefactor, 3.0);
        props.set(ZuStyle::outlinecolor, juce::Colour().toString());
        button.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(groupThemeEntry[group], skinMode));
        button.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff262626));
        button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff808080));
        button.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, skinMode));
        button.setTooltip("Selects the target units");
        button.paramId = parameterStem + juce::String(n);
    }
    for (auto& button : buttons)
        if (state.getParameter(button->paramId) != nullptr)
            attachments.push_back(std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
                state, button->paramId, *button));
}

ZuUnitTargetPanel::~ZuUnitTargetPanel()
{
    attachments.clear();
    for (auto& button : buttons)
        button->setLookAndFeel(nullptr);
}

void ZuUnitTargetPanel::colorMapping()
{
    baseColor = colorTheme->entry(1, skinMode);
    if (const auto colours = zu::global::unitColours(*this))
        for (int n = 1; n <= getNumButtons(); ++n)
            getButton(n).setColour(juce::TextButton::buttonOnColourId,
                                   (*colours)[(size_t) groupSettingsColour[groupOf(n)]]);
    repaint();
}

void ZuUnitTargetPanel::parentHierarchyChanged()
{
    if (recolourOnReparent)
        colorMapping();
}
