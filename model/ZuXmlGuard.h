// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <memory>

// Every document this system reads (state chunks, presets, chord and scale
// files, the settings file) comes from outside. JUCE's XML parser recurses
// once per nested element and once per entity, so a document nested a few
// ten thousand levels deep, or one whose DTD defines entities, overflows the
// stack of whatever thread reads it. Our layouts never nest deeper than a
// handful of levels and never carry a DTD: anything else is refused here,
// before a recursive parser sees it.
namespace zu
{
// Deeper than any document of ours can be, far below what overflows a stack.
constexpr int maxXmlNesting = 32;

// True when no element of the text lies more than maxDepth levels deep and
// the text holds no DTD (no "<!" other than comments and CDATA sections).
// Reads the text once, without recursion or allocation.
bool isXmlNestingWithin(const char* text, size_t length, int maxDepth = maxXmlNesting) noexcept;
bool isXmlNestingWithin(const juce::String& text, int maxDepth = maxXmlNesting);

// juce::parseXML for untrusted text or files: null for a document refused
// above, as for one that does not parse.
std::unique_ptr<juce::XmlElement> parseXmlGuarded(const juce::String& text);
std::unique_ptr<juce::XmlElement> parseXmlGuarded(const juce::File& file);
} // namespace zu
