// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <cstddef>
#include <utility>

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

// The array of a node's entries, in property order; the node has properties.
inline const juce::NamedValueSet::NamedValue* entriesOf(const juce::ValueTree& node)
{
    const auto* first = node.getPropertyPointer(node.getPropertyName(0));
    return reinterpret_cast<const juce::NamedValueSet::NamedValue*>(reinterpret_cast<const char*>(first) -
                                                                    namedValueOffset());
}
} // namespace detail

// The value of property index of a node (its values sit in one array in
// property order), or null when index is out of range.
inline const juce::var* propertyValueAt(const juce::ValueTree& node, int index)
{
    const int n = node.getNumProperties();
    if (index < 0 || index >= n)
        return nullptr;
    const auto name = node.getPropertyName(index);
    const auto* entries = detail::entriesOf(node);
    return entries[index].name == name ? &entries[index].value : node.getPropertyPointer(name);
}

// The same for writing a value in place. Such a write tells no listener; a
// caller whose tree has listeners sends the change message itself.
inline juce::var* propertyValueAt(juce::ValueTree& node, int index)
{
    return const_cast<juce::var*>(propertyValueAt(std::as_const(node), index));
}

// The position of property name, or -1: the search starts at position from
// and wraps round. A listener told of a node's properties in the node's order
// (a tree copied property by property) finds each one where its search starts,
// instead of searching from the first property every time.
inline int propertyIndexFrom(const juce::ValueTree& node, const juce::Identifier& name, int from)
{
    const int n = node.getNumProperties();
    if (n == 0)
        return -1;
    const auto* entries = detail::entriesOf(node);
    int i = from >= 0 && from < n ? from : 0;
    for (int k = 0; k < n; ++k, i = i + 1 < n ? i + 1 : 0)
        if (entries[i].name == name)
            return node.getPropertyName(i) == name ? i : -1;
    return -1;
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
    const auto* entries = detail::entriesOf(node);
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
