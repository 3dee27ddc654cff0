// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuUnitKindColours.h"

#include "PluginSettingState.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuEditorAccess.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

size_t settingsColourIndex(int kind)
{
    switch (kind)
    {
    case zu::units::param:
        return PluginSettingState::paramColor;
    case zu::units::cc:
        return PluginSettingState::ccColor;
    case zu::units::ccRack:
        return PluginSettingState::ccRackColor;
    case zu::units::octTp:
        return PluginSettingState::octTpColor;
    default:
        return PluginSettingState::pitchColor;
    }
}

std::optional<juce::Colour> settingsColourOfKind(const juce::Component& component, int kind)
{
    auto* editor = component.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return std::nullopt;
    return ZuEditorAccess(editor->processor).getSettings().unitColors[settingsColourIndex(kind)];
}

int enclosingUnitKind(const juce::Component& component)
{
    if (auto* unit = component.findParentComponentOfClass<ZuCenterUnitPanelBase>())
        return unit->unitType;
    return -1;
}
