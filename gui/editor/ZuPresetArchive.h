// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The whole-plug-in preset file: a zip archive holding one entry, the state
// document as indented UTF-8 XML, named after the preset with ".zumira8".
//
// An archive is written from memory into a temporary file beside it, which
// then replaces it: a failed write leaves the old preset as it was, and no
// other file of the folder is touched.
namespace zu::presets
{
enum class WriteResult
{
    written,
    // The archive's folder does not exist.
    folderMissing,
    // The folder exists, but the archive could not be written into it.
    writeFailed
};

constexpr int compressionLevel = 6;
// Entries larger than this are not read (a damaged or hostile archive).
constexpr juce::int64 maxEntryBytes = 256 * 1024 * 1024;

WriteResult writeArchive(const juce::File& archive, const juce::String& entryName, const juce::XmlElement& document);

// The document of the archive's first entry, whatever its name; null when the
// file is no archive, has no entry, or the entry is unreadable or no XML.
// hasEntry tells whether there was a readable first entry at all.
std::unique_ptr<juce::XmlElement> readArchive(const juce::File& archive, bool* hasEntry = nullptr);
} // namespace zu::presets
