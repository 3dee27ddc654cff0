// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the plug-in's state chunk without JUCE: the chunk is a small header
// followed by the XML text of the state document. Just enough XML to find an
// element by its path of tags and read or change one attribute.

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ChunkText
{
    static ChunkText fromChunk(const std::vector<char>& chunk);
    std::vector<char> toChunk() const;

    // Position of the start tag of the element reached by following the tags
    // in order, each searched inside the previous one; npos when missing.
    size_t find(const std::vector<std::string>& path) const;
    std::optional<std::string> attribute(const std::vector<std::string>& path, const std::string& name) const;
    std::optional<double> number(const std::vector<std::string>& path, const std::string& name) const;
    bool setAttribute(const std::vector<std::string>& path, const std::string& name, const std::string& value);
    bool removeAttribute(const std::vector<std::string>& path, const std::string& name);

    std::string xml;

private:
    // Where " name=\"value\"" starts and where its closing quote is.
    std::optional<std::pair<size_t, size_t>> attributeSpan(const std::vector<std::string>& path,
                                                           const std::string& name) const;
};
