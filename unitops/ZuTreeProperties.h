// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <cstddef>
#include <utility>

namespace zu
{
// A node's properties where the node keeps them, in property order: names and
// values without a copy or a search. A ValueTree gives a value only by name,
// through a linear search, which makes reading every property of a large node
// quadratic, and each name it gives is a copy whose reference count is shared
// by every node holding that name. Its entries sit in one array in property
// order (checked once on a probe node); where they would not, the view is
// empty and callers go by name. Valid until the node gains or loses a
// property, which a listener may do.
class PropertiesInPlace
{
public:
    using Entry = juce::NamedValueSet::NamedValue;

    explicit PropertiesInPlace(const juce::ValueTree& node)
    {
        if (node.getNumProperties() > 0 && entriesAreOneArray())
        {
            entries = firstEntry(node);
            count = node.getNumProperties();
        }
    }

    // Whether the view holds the node's properties (false for a node without any).
    bool inPlace() const noexcept { return entries != nullptr; }
    int size() const noexcept { return count; }
    const juce::Identifier& name(int index) const noexcept { return entries[index].name; }
    // The value in place: a write tells no listener; a caller whose tree has
    // listeners sends the change message itself.
    juce::var& value(int index) const noexcept { return const_cast<Entry&>(entries[index]).value; }
    // Renames a property in place, keeping its position: the caller keeps the
    // node's names distinct. Tells no listener, as a value write.
    void rename(int index, const juce::Identifier& newName) const { const_cast<Entry&>(entries[index]).name = newName; }

private:
    static const Entry* firstEntry(const juce::ValueTree& node)
    {
        static const std::ptrdiff_t offset = []
        {
            const Entry probe;
            return reinterpret_cast<const char*>(&probe.value) - reinterpret_cast<const char*>(&probe);
        }();
        const auto* first = node.getPropertyPointer(node.getPropertyName(0));
        return reinterpret_cast<const Entry*>(reinterpret_cast<const char*>(first) - offset);
    }

    static bool entriesAreOneArray()
    {
        static const bool oneArray = []
        {
            juce::ValueTree probe("zuprobe");
            for (int i = 0; i < 5; ++i)
                probe.setProperty("zuprobe" + juce::String(i), i, nullptr);
            const auto* e = firstEntry(probe);
            for (int i = 0; i < 5; ++i)
                if (!(e[i].name == probe.getPropertyName(i)) || &e[i].value != probe.getPropertyPointer(e[i].name))
                    return false;
            return true;
        }();
        return oneArray;
    }

    const Entry* entries = nullptr;
    int count = 0;
};

// The value of property index of a node, or null when index is out of range.
inline const juce::var* propertyValueAt(const juce::ValueTree& node, int index)
{
    if (index < 0 || index >= node.getNumProperties())
        return nullptr;
    const PropertiesInPlace properties(node);
    return properties.inPlace() ? &properties.value(index) : node.getPropertyPointer(node.getPropertyName(index));
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
    const PropertiesInPlace properties(node);
    int i = from >= 0 && from < n ? from : 0;
    for (int k = 0; k < n; ++k, i = i + 1 < n ? i + 1 : 0)
        if (properties.inPlace() ? properties.name(i) == name : node.getPropertyName(i) == name)
            return i;
    return -1;
}

// Visits a node's properties in order with their values. The visit must not
// add or remove properties of the node.
template <class Visit> void forEachProperty(const juce::ValueTree& node, Visit&& visit)
{
    const PropertiesInPlace properties(node);
    if (properties.inPlace())
    {
        for (int i = 0; i < properties.size(); ++i)
            visit(properties.name(i), std::as_const(properties.value(i)));
        return;
    }
    for (int i = 0; i < node.getNumProperties(); ++i)
    {
        const auto name = node.getPropertyName(i);
        if (const auto* value = node.getPropertyPointer(name))
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
