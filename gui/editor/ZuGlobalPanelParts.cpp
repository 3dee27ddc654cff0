// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuGlobalPanelParts.h"

#include "PluginSettingState.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace zu::global
{
std::optional<ZuEditorAccess> editorAccess(const juce::Component& component)
{
    if (auto* editor = component.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        return ZuEditorAccess(editor->processor);
    return std::nullopt;
}

std::optional<UnitColours> unitColours(const juce::Component& component)
{
    const auto access = editorAccess(component);
    if (!access)
        return std::nullopt;
    UnitColours colours;
    const auto& stored = access->getSettings().unitColors;
    std::copy(stored.begin(), stored.end(), colours.begin());
    return colours;
}

void keepFocusAway(juce::Component& control)
{
    control.setMouseClickGrabsKeyboardFocus(false);
    control.setWantsKeyboardFocus(false);
}

void addCaption(juce::Component& owner, juce::Label& label, juce::LookAndFeel& look, juce::Colour background,
                const juce::String& text, float fontSize)
{
    owner.addAndMakeVisible(label);
    label.setLookAndFeel(&look);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false, false, false);
    label.setColour(juce::Label::textColourId, juce::Colour(0xffcccccc));
    label.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colour(0xff000000));
    label.getProperties().set(ZuStyle::fontface, "Medium");
    label.getProperties().set(ZuStyle::fontsize, (double) fontSize);
    label.setText(text, juce::dontSendNotification);
    recolourCaption(label, background, juce::Colour(0xffcccccc));
}

void recolourCaption(juce::Label& label, juce::Colour background, juce::Colour text)
{
    label.getProperties().set(ZuStyle::bgcolor, background.toString());
    label.setColour(juce::Label::backgroundColourId, background);
    label.setColour(juce::Label::textColourId, text);
}
} // namespace zu::global
