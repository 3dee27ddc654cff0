// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Ties one widget to one value-tree property: makes sure the property exists
// (with the widget's default), makes the widget show it, and makes every user
// change write it at once, where the processor's tree listener picks it up.
// Changes made to the property elsewhere reach the widget asynchronously, on
// the message thread. Holds no state: panels share one instance through a
// juce::SharedResourcePointer or call the operations directly.
class ZuParamAttacher
{
public:
    // Number of modulation source values a slot can pick from (0..23).
    static constexpr int numModSources = 24;

    // The property is created as a double; the slider returns to the default
    // on a double-click or an alt-click.
    static void attachToSlider(juce::ValueTree tree, const juce::Identifier& id, float defaultValue,
                               juce::NormalisableRange<double> range, juce::Slider& slider);
    // The property is created as an int and holds the selected item id.
    static void attachToComboBox(juce::ValueTree tree, const juce::Identifier& id, int defaultId, juce::ComboBox& box);
    // The property is created as the int 1 or 0 and holds the toggle state.
    static void attachToButton(juce::ValueTree tree, const juce::Identifier& id, bool defaultState,
                               juce::Button& button);
    // The property is created as text and holds the label's text.
    static void attachToLabel(juce::ValueTree tree, const juce::Identifier& id, juce::String defaultText,
                              juce::Label& label);

    // Property prefix of one modulation slot: "p6m" + kind + unit + slot + "_",
    // each counted from 1 (kind index 0 pitch .. 4 CC rack).
    static juce::String getModParamHead(int kindIndex, int unitIndex, int slotIndex);
    // Prefix of a unit's modulation area: "p6m" + kind + unit + "0_".
    static juce::String getModParamHead(int kindIndex, int unitIndex);
};
