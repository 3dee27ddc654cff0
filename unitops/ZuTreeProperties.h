// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <cstddef>

namespace zu
{
namespace detail
{
// Where a NamedValueSet entry keeps its value.
inline std::ptrdiff_t namedValueOffset()
{
    using Entry = juce::NamedValueSet::NamedValue;
    static const std::ptrdiff_t offset = []
    {
        const Entry probe;
        return reinterpret_cast<const char*>(&probe.value) - reinterpret_cast<const char*>(&probe);
    }();
    return offset;
}
} // namespace detail

// The value of property index of a node (its values sit in one array in
// property order), or null when index is out of range.
inline const juce::var* propertyValueAt(const juce::ValueTree& node, int index)
{
    const int n = node.getNumProperties();
    if (index < 0 || index >= n)
        return nullptr;
    using Entry = juce::NamedValueSet::NamedValue;
    const auto name = node.getPropertyName(index);
    const auto* first = node.getPropertyPointer(node.getPropertyName(0));
    const auto* entries =
        reinterpret_cast<const Entry*>(reinterpret_cast<const char*>(first) - detail::namedValueOffset());
    return entries[index].name == name ? &entries[index].value : node.getPropertyPointer(name);
}

// Visits a node's properties in order with their values. A ValueTree gives a
// value only by name, through a linear search, which makes reading every
// property of a large node quadratic; its values sit in one array in property
// order, so walk that array, and fall back to the search if an entry's name
// disagrees with the tree's own answer.
template <class Visit> void forEachProperty(const juce::ValueTree& node, Visit&& visit)
{
    const int n = node.getNumProperties();
    if (n == 0)
        return;
    using Entry = juce::NamedValueSet::NamedValue;
    const auto* first = node.getPropertyPointer(node.getPropertyName(0));
    const auto* entries =
        reinterpret_cast<const Entry*>(reinterpret_cast<const char*>(first) - detail::namedValueOffset());
    for (int i = 0; i < n; ++i)
    {
        const auto name = node.getPropertyName(i);
        const auto* value = entries[i].name == name ? &entries[i].value : node.getPropertyPointer(name);
        if (value != nullptr)
            visit(name, *value);
    }
}

// What juce::ValueTree::copyPropertiesFrom does (without undo manager), but
// without its search per property when both nodes already hold the same names
// in the same order, as a stored snapshot and its live unit do after the first
// store: only values that differ are set.
inline void copyPropertiesInOrder(const juce::ValueTree& source, juce::ValueTree& destination)
{
    const int n = source.getNumProperties();
    bool sameNames = destination.getNumProperties() == n;
    for (int i = 0; sameNames && i < n; ++i)
        sameNames = destination.getPropertyName(i) == source.getPropertyName(i);
    if (!sameNames)
    {
        destination.copyPropertiesFrom(source, nullptr);
        return;
    }
    for (int i = 0; i < n; ++i)
    {
        const auto* value = propertyValueAt(source, i);
        const auto* current = propertyValueAt(destination, i);
        if (value != nullptr && current != nullptr && !current->equalsWithSameType(*value))
            destination.setProperty(source.getPropertyName(i), *value, nullptr);
    }
}
} // namespace zu
