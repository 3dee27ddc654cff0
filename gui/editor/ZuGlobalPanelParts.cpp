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
RoundedPageArea roundedPageArea(int w, int h)
{
    const float W = (float) juce::jmax(w - 2, 0), H = (float) juce::jmax(h - 2, 0);
    const float mv = H >= 33.33f ? juce::jmin(0.06f * H, 10.0f) : 2.0f;
    const float mh = W >= 166.67f ? juce::jmin(0.012f * W, 20.0f) : 2.0f;
    const juce::Rectangle<float> area(1.0f + mh, 1.0f + mv, juce::jmax(W - 2.0f * mh, 0.0f),
                                      juce::jmax(H - 2.0f * mv, 0.0f));
    RoundedPageArea result;
    result.rounded.addRoundedRectangle(area, 2.0f);

    const int Rx = juce::roundToInt(area.getX()), Ry = juce::roundToInt(area.getY());
    const int Rw = juce::roundToInt(area.getWidth()), Rh = juce::roundToInt(area.getHeight());
    const int vm = juce::jlimit(1, 10, (int) (H * 0.1f));
    const int hm = juce::jlimit(2, 20, (int) (W * 0.03f));
    result.usable = {Rx + hm, Ry + vm, juce::jmax(Rw - 2 * hm, 0), juce::jmax(Rh - 2 * vm, 0)};
    return result;
}
} // namespace zu::global
