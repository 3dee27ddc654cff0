// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamAttacher.h"

#include "ZuUnits.h"

#include "ZuConvert.h"

#include <cmath>
#include <limits>

namespace
{
// A bound widget reads the property as a number; a stored value that is not
// a finite number counts as missing.
bool isNonFiniteNumber(const juce::var& value)
{
    return (value.isDouble() || value.isString()) && !std::isfinite(static_cast<double>(value));
}

bool isOutsideIntRange(const juce::var& value)
{
    if (!value.isDouble())
        return false;
    const double v = value;
    return v > static_cast<double>(std::numeric_limits<int>::max()) ||
           v < static_cast<double>(std::numeric_limits<int>::min());
}

// Asynchronous updates keep widget repaints on the message thread when a
// property changes on another thread (a state load on the host's thread).
juce::Value propertyValue(juce::ValueTree& tree, const juce::Identifier& id)
{
    return tree.getPropertyAsValue(id, nullptr, false);
}
} // namespace

void ZuParamAttacher::attachToSlider(juce::ValueTree tree, const juce::Identifier& id, float defaultValue,
                                     juce::NormalisableRange<double> range, juce::Slider& slider)
{
    if (!tree.hasProperty(id) || isNonFiniteNumber(tree.getProperty(id)))
        tree.setProperty(id, static_cast<double>(defaultValue), nullptr);

    slider.setNormalisableRange(range);
    slider.getValueObject().referTo(propertyValue(tree, id));
    slider.setDoubleClickReturnValue(true, static_cast<double>(defaultValue), juce::ModifierKeys::altModifier);
}

void ZuParamAttacher::attachToComboBox(juce::ValueTree tree, const juce::Identifier& id, int defaultId,
                                       juce::ComboBox& box)
{
    const auto stored = tree.getProperty(id);
    if (!tree.hasProperty(id) || isNonFiniteNumber(stored))
        tree.setProperty(id, defaultId, nullptr);
    else if (isOutsideIntRange(stored))
        // The box converts the property to int itself: keep that conversion defined.
        tree.setProperty(id, zu::toIntSaturating(static_cast<double>(stored)), nullptr);

    box.getSelectedIdAsValue().referTo(propertyValue(tree, id));

    const auto current = tree.getProperty(id, defaultId);
    const int selectedId =
        current.isDouble() ? zu::toIntSaturating(static_cast<double>(current)) : static_cast<int>(current);
    box.setSelectedId(selectedId, juce::sendNotification);
}

void ZuParamAttacher::attachToButton(juce::ValueTree tree, const juce::Identifier& id, bool defaultState,
                                     juce::Button& button)
{
    if (!tree.hasProperty(id))
        tree.setProperty(id, defaultState ? 1 : 0, nullptr);

    button.getToggleStateValue().referTo(propertyValue(tree, id));
}

void ZuParamAttacher::attachToLabel(juce::ValueTree tree, const juce::Identifier& id, juce::String defaultText,
                                    juce::Label& label)
{
    if (!tree.hasProperty(id))
    {
        tree.setProperty(id, defaultText, nullptr);
        label.setText(defaultText, juce::dontSendNotification);
    }

    label.getTextValue().referTo(propertyValue(tree, id));
}

juce::String ZuParamAttacher::getModParamHead(int kindIndex, int unitIndex, int slotIndex)
{
    return zu::units::slotPrefix(kindIndex, unitIndex, slotIndex);
}

juce::String ZuParamAttacher::getModParamHead(int kindIndex, int unitIndex)
{
    return zu::units::modAreaPrefix(kindIndex, unitIndex);
}
