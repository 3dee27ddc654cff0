// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>
#include <utility>
#include <vector>

// The state document as text, written straight from the value trees in the
// form juce::XmlElement::writeTo gives it on a single line, so hosts keep
// storing the layout they always stored. Two differences make it smaller and
// quicker: numbers are written as short as they read back to the same value
// (a number that is a float as the float's shortest form: 0.3f as "0.3", not
// "0.300000011920929"), and no XmlElement is built on the way.
namespace zu::statetext
{
// The shortest text that reads back to the same number.
void writeNumber(juce::OutputStream& out, double value);
// A text value with the characters XML forbids escaped as JUCE escapes them.
void writeEscaped(juce::OutputStream& out, const juce::String& text);
// One tree node with its children, as an element.
void writeTree(juce::OutputStream& out, const juce::ValueTree& tree);

struct RootAttribute
{
    juce::Identifier name;
    double value = 0.0;
};

// The whole document: the XML declaration, the root element with its number
// attributes, and the trees as its children.
void writeDocument(juce::OutputStream& out, const juce::String& tag, const std::vector<RootAttribute>& attributes,
                   const std::vector<juce::ValueTree>& children);
} // namespace zu::statetext

namespace zu::statetext
{
// A parsed state document: the root's tag and attributes, and each child
// element as a value tree (property values as text, as JUCE's XML reading
// gives them).
struct Document
{
    juce::String tag;
    std::vector<std::pair<juce::Identifier, juce::String>> attributes;
    std::vector<juce::ValueTree> children;

    const juce::String* attribute(const juce::Identifier& name) const;
    void setAttribute(const juce::Identifier& name, const juce::String& value);
    juce::ValueTree child(const juce::Identifier& type) const;

    static Document fromXml(const juce::XmlElement& root);
};

// Reads the text this writer and juce::XmlElement::writeTo write: the
// declaration, elements, attributes and character references. Anything else
// (comments, text content, CDATA, a document type) gives nothing, and the
// caller reads the text with JUCE's parser instead. Names are looked up in a
// table kept for the process, so the identifiers of a document cost one
// string-pool search each the first time only, and a large node whose type
// and names follow a node read before is built as a copy of that one.
std::optional<Document> parseDocument(const char* text, size_t length);
} // namespace zu::statetext
