// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChunkText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
// The chunk header: a magic number and the text size, both 32-bit little endian.
constexpr uint32_t chunkMagic = 0x21324356;

size_t elementEnd(const std::string& xml, size_t start, const std::string& tag)
{
    // End of the element that starts at start: its closing tag, or the end of
    // a self-closing start tag.
    const size_t startTagEnd = xml.find('>', start);
    if (startTagEnd == std::string::npos)
        return std::string::npos;
    if (xml[startTagEnd - 1] == '/')
        return startTagEnd + 1;
    int depth = 1;
    size_t pos = startTagEnd + 1;
    const std::string open = "<" + tag, close = "</" + tag + ">";
    while (depth > 0)
    {
        const size_t nextOpen = xml.find(open, pos);
        const size_t nextClose = xml.find(close, pos);
        if (nextClose == std::string::npos)
            return std::string::npos;
        if (nextOpen != std::string::npos && nextOpen < nextClose)
        {
            const char after = xml[nextOpen + open.size()];
            const size_t end = xml.find('>', nextOpen);
            if ((after == ' ' || after == '>' || after == '/') && end != std::string::npos && xml[end - 1] != '/')
                ++depth;
            pos = nextOpen + open.size();
        }
        else
        {
            --depth;
            pos = nextClose + close.size();
        }
    }
    return pos;
}

size_t findTag(const std::string& xml, const std::string& tag, size_t from, size_t to)
{
    const std::string open = "<" + tag;
    size_t pos = from;
    while ((pos = xml.find(open, pos)) != std::string::npos && pos < to)
    {
        const char after = xml[pos + open.size()];
        if (after == ' ' || after == '>' || after == '/')
            return pos;
        pos += open.size();
    }
    return std::string::npos;
}
} // namespace

ChunkText ChunkText::fromChunk(const std::vector<char>& chunk)
{
    ChunkText text;
    if (chunk.size() < 8)
        return text;
    uint32_t magic = 0, size = 0;
    std::memcpy(&magic, chunk.data(), 4);
    std::memcpy(&size, chunk.data() + 4, 4);
    if (magic != chunkMagic || size + 8 > chunk.size())
        return text;
    text.xml.assign(chunk.data() + 8, size);
    while (!text.xml.empty() && text.xml.back() == '\0')
        text.xml.pop_back();
    return text;
}

std::vector<char> ChunkText::toChunk() const
{
    std::vector<char> chunk(8 + xml.size() + 1, 0);
    const uint32_t magic = chunkMagic, size = (uint32_t) xml.size() + 1;
    std::memcpy(chunk.data(), &magic, 4);
    std::memcpy(chunk.data() + 4, &size, 4);
    std::memcpy(chunk.data() + 8, xml.data(), xml.size());
    return chunk;
}

size_t ChunkText::find(const std::vector<std::string>& path) const
{
    size_t from = 0, to = xml.size();
    size_t found = std::string::npos;
    for (const auto& tag : path)
    {
        found = findTag(xml, tag, from, to);
        if (found == std::string::npos)
            return found;
        const size_t end = elementEnd(xml, found, tag);
        if (end == std::string::npos)
            return std::string::npos;
        from = found + 1;
        to = end;
    }
    return found;
}

std::optional<std::string> ChunkText::attribute(const std::vector<std::string>& path, const std::string& name) const
{
    const size_t start = find(path);
    if (start == std::string::npos)
        return std::nullopt;
    const size_t tagEnd = xml.find('>', start);
    const std::string key = " " + name + "=\"";
    const size_t at = xml.find(key, start);
    if (at == std::string::npos || at > tagEnd)
        return std::nullopt;
    const size_t valueStart = at + key.size();
    const size_t valueEnd = xml.find('"', valueStart);
    return xml.substr(valueStart, valueEnd - valueStart);
}

std::optional<double> ChunkText::number(const std::vector<std::string>& path, const std::string& name) const
{
    const auto text = attribute(path, name);
    if (!text)
        return std::nullopt;
    return std::strtod(text->c_str(), nullptr);
}

std::optional<std::pair<size_t, size_t>> ChunkText::attributeSpan(const std::vector<std::string>& path,
                                                                  const std::string& name) const
{
    const size_t start = find(path);
    if (start == std::string::npos)
        return std::nullopt;
    const size_t tagEnd = xml.find('>', start);
    const std::string key = " " + name + "=\"";
    const size_t at = xml.find(key, start);
    if (at == std::string::npos || at > tagEnd)
        return std::nullopt;
    return std::make_pair(at, xml.find('"', at + key.size()));
}

bool ChunkText::setAttribute(const std::vector<std::string>& path, const std::string& name, const std::string& value)
{
    const auto span = attributeSpan(path, name);
    if (!span)
        return false;
    const size_t valueStart = span->first + name.size() + 3;
    xml.replace(valueStart, span->second - valueStart, value);
    return true;
}

bool ChunkText::removeAttribute(const std::vector<std::string>& path, const std::string& name)
{
    const auto span = attributeSpan(path, name);
    if (!span)
        return false;
    xml.erase(span->first, span->second + 1 - span->first);
    return true;
}
