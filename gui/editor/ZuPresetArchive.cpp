// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuPresetArchive.h"
#include "ZuXmlGuard.h"

namespace zu::presets
{
WriteResult writeArchive(const juce::File& archive, const juce::String& entryName, const juce::XmlElement& document)
{
    const auto folder = archive.getParentDirectory();
    if (!folder.isDirectory())
        return WriteResult::folderMissing;

    juce::MemoryOutputStream text;
    document.writeTo(text, juce::XmlElement::TextFormat());

    juce::ZipFile::Builder builder;
    builder.addEntry(new juce::MemoryInputStream(text.getMemoryBlock(), true), compressionLevel, entryName,
                     juce::Time::getCurrentTime());

    const juce::TemporaryFile temporary(archive, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out(temporary.getFile(), 16384);
        if (!out.openedOk() || !builder.writeToStream(out, nullptr))
            return WriteResult::writeFailed;
        out.flush();
        if (out.getStatus().failed())
            return WriteResult::writeFailed;
    }
    return temporary.overwriteTargetFileWithTemporary() ? WriteResult::written : WriteResult::writeFailed;
}

std::unique_ptr<juce::XmlElement> readArchive(const juce::File& archive, bool* hasEntry)
{
    if (hasEntry != nullptr)
        *hasEntry = false;
    if (!archive.existsAsFile())
        return nullptr;

    juce::ZipFile zip(archive);
    const auto* entry = zip.getEntry(0);
    if (entry == nullptr || entry->uncompressedSize > maxEntryBytes)
        return nullptr;
    std::unique_ptr<juce::InputStream> stream(zip.createStreamForEntry(0));
    if (stream == nullptr)
        return nullptr;
    if (hasEntry != nullptr)
        *hasEntry = true;

    return zu::parseXmlGuarded(stream->readEntireStreamAsString());
}
} // namespace zu::presets
