// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuXmlGuard.h"

#include <cstring>

namespace zu
{
namespace
{
bool startsWith(const char* text, size_t length, size_t at, const char* prefix) noexcept
{
    const size_t n = std::strlen(prefix);
    return at + n <= length && std::memcmp(text + at, prefix, n) == 0;
}

// Index just past the first occurrence of terminator at or after from, or
// length when there is none.
size_t skipPast(const char* text, size_t length, size_t from, const char* terminator) noexcept
{
    const size_t n = std::strlen(terminator);
    for (size_t i = from; i + n <= length; ++i)
        if (std::memcmp(text + i, terminator, n) == 0)
            return i + n;
    return length;
}
} // namespace

bool isXmlNestingWithin(const char* text, size_t length, int maxDepth) noexcept
{
    if (text == nullptr)
        return true;
    int depth = 0;
    size_t i = 0;
    while (i < length && text[i] != '\0')
    {
        if (text[i] != '<')
        {
            ++i;
            continue;
        }
        if (startsWith(text, length, i, "<!--"))
        {
            i = skipPast(text, length, i + 4, "-->");
            continue;
        }
        if (startsWith(text, length, i, "<![CDATA["))
        {
            i = skipPast(text, length, i + 9, "]]>");
            continue;
        }
        if (startsWith(text, length, i, "<!"))
            return false; // a DTD: its entities expand recursively
        if (startsWith(text, length, i, "<?"))
        {
            i = skipPast(text, length, i + 2, "?>");
            continue;
        }

        // A closing tag ends the innermost open element whatever its name,
        // as the parser reads it.
        const bool closing = i + 1 < length && text[i + 1] == '/';
        char quote = 0;
        char last = 0;
        size_t j = i + 1;
        for (; j < length && text[j] != '\0'; ++j)
        {
            const char c = text[j];
            if (quote != 0)
            {
                if (c == quote)
                    quote = 0;
                continue;
            }
            if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
                break;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                last = c;
        }
        i = j + 1;
        if (closing)
            depth = depth > 0 ? depth - 1 : 0;
        else if (last != '/' && ++depth > maxDepth)
            return false;
    }
    return true;
}

bool isXmlNestingWithin(const juce::String& text, int maxDepth)
{
    const char* raw = text.toRawUTF8();
    return isXmlNestingWithin(raw, std::strlen(raw), maxDepth);
}

std::unique_ptr<juce::XmlElement> parseXmlGuarded(const juce::String& text)
{
    if (!isXmlNestingWithin(text))
        return nullptr;
    return juce::parseXML(text);
}

std::unique_ptr<juce::XmlElement> parseXmlGuarded(const juce::File& file)
{
    if (!file.existsAsFile())
        return nullptr;
    return parseXmlGuarded(file.loadFileAsString());
}
} // namespace zu
