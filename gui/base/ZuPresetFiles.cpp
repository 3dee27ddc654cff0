// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuPresetFiles.h"
#include "ZuXmlGuard.h"

#include <climits>
#include <cstring>
#include <cstdlib>
#include <set>
#include <string>

namespace zu::presetfiles
{
namespace
{
// The canonical path of a folder (links resolved), empty when it has none.
std::string canonicalPath(const juce::File& folder)
{
    char resolved[PATH_MAX];
    if (::realpath(folder.getFullPathName().toRawUTF8(), resolved) == nullptr)
        return {};
    return resolved;
}

void collectSubFolders(const juce::File& folder, int depth, std::set<std::string>& seen, juce::Array<juce::File>& out)
{
    if (depth >= maxFolderDepth)
        return;
    for (const auto& child : folder.findChildFiles(juce::File::findDirectories | juce::File::ignoreHiddenFiles, false))
    {
        const auto real = canonicalPath(child);
        if (real.empty() || !seen.insert(real).second)
            continue;
        out.add(child);
        collectSubFolders(child, depth + 1, seen, out);
    }
}

juce::Array<juce::File> presetFilesIn(const juce::File& folder, const juce::String& extension, bool withHidden)
{
    juce::Array<juce::File> result;
    const int flags = juce::File::findFiles | (withHidden ? 0 : juce::File::ignoreHiddenFiles);
    for (const auto& file : folder.findChildFiles(flags, false))
        if (file.getFileName().endsWith(extension) && file.getFileName().length() > extension.length())
            result.add(file);
    result.sort();
    return result;
}

void addFileItems(juce::PopupMenu& menu, const juce::Array<juce::File>& presets, const juce::String& currentPath,
                  int firstId, juce::StringArray& files)
{
    for (const auto& file : presets)
    {
        const auto path = file.getFullPathName();
        menu.addItem(firstId + files.size(), file.getFileNameWithoutExtension(), true, path == currentPath);
        files.add(path);
    }
}
} // namespace

void addFilesToMenu(juce::PopupMenu& menu, const juce::String& folderPath, const juce::String& extension,
                    const juce::String& currentPath, int firstId, juce::StringArray& files)
{
    files.clear();
    if (folderPath.isEmpty() || !juce::File::isAbsolutePath(folderPath))
        return;
    const juce::File folder(folderPath);
    if (!folder.isDirectory())
        return;

    std::set<std::string> seen{canonicalPath(folder)};
    juce::Array<juce::File> subFolders;
    collectSubFolders(folder, 0, seen, subFolders);
    subFolders.sort();
    for (const auto& sub : subFolders)
    {
        juce::PopupMenu subMenu;
        addFileItems(subMenu, presetFilesIn(sub, extension, true), currentPath, firstId, files);
        menu.addSubMenu(sub.getFileName(), subMenu);
    }
    addFileItems(menu, presetFilesIn(folder, extension, false), currentPath, firstId, files);
}

juce::File withExtension(const juce::File& chosen, const juce::String& extension)
{
    if (chosen.getFileExtension().equalsIgnoreCase(extension))
        return chosen;
    return chosen.getSiblingFile(chosen.getFileName() + extension);
}

juce::File withLegalName(const juce::File& chosen)
{
    // A file that exists already has a name this system takes (the chooser
    // asked before replacing it): keep it, or the answer would write another.
    if (chosen.exists())
        return chosen;
    // The path form keeps long names whole (the file form cuts them at 128).
    const auto name = juce::File::createLegalPathName(chosen.getFileName());
    return name.isEmpty() ? juce::File() : chosen.getSiblingFile(name);
}

bool writeXmlReplacing(const juce::XmlElement& xml, const juce::File& file)
{
    if (file.isDirectory())
        return false;
    juce::TemporaryFile temp(file);
    {
        juce::FileOutputStream out(temp.getFile());
        if (!out.openedOk())
            return false;
        xml.writeTo(out, juce::XmlElement::TextFormat());
        out.flush();
        if (out.getStatus().failed())
            return false;
    }
    return temp.overwriteTargetFileWithTemporary();
}

std::unique_ptr<juce::XmlElement> readXml(const juce::File& file)
{
    // Preset files come from anywhere: one nested deeper than any preset can
    // be is refused before JUCE's recursive parser sees it.
    return zu::parseXmlGuarded(file);
}

void addInitializeAndFolderItems(juce::PopupMenu& menu)
{
    menu.addItem(initializeItemId, "Initialize");
    menu.addSeparator();
    menu.addItem(openFolderItemId, "Open Preset Folder");
    menu.addItem(setFolderItemId, "Set Preset Folder");
}

bool isFolder(const juce::String& path)
{
    return path.isNotEmpty() && juce::File::isAbsolutePath(path) && juce::File(path).isDirectory();
}

void openFolderIfPresent(const juce::String& folder)
{
    if (isFolder(folder))
        ZuDesktop::openFolder(juce::File(folder));
}

juce::File saveAsTarget(const juce::File& chosen, const juce::String& extension, juce::String& pendingOverwrite)
{
    const auto file = withExtension(chosen, extension);
    pendingOverwrite.clear();
    if (file != chosen && file.exists())
        pendingOverwrite = file.getFullPathName();
    return file;
}

void launchSaveChooser(std::unique_ptr<juce::FileChooser>& holder, const juce::String& folder,
                       const juce::String& extension, ZuDesktop::ChooserDone done)
{
    const int flags = juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
                      juce::FileBrowserComponent::warnAboutOverwriting;
    ZuDesktop::launchChooser(holder, {"save preset as...", juce::File(folder), "*" + extension, flags},
                             std::move(done));
}

void launchFolderChooser(std::unique_ptr<juce::FileChooser>& holder, const juce::File& start,
                         ZuDesktop::ChooserDone done)
{
    ZuDesktop::launchChooser(
        holder, {"Select Preset Folder", start, {}, juce::FileBrowserComponent::canSelectDirectories}, std::move(done));
}

int stepIndex(const juce::StringArray& files, const juce::String& current, bool forward)
{
    const int n = files.size();
    if (current.isEmpty())
        return forward ? 0 : n - 2;
    const int i = files.indexOf(current);
    if (i < 0)
        return 0;
    if (forward)
        return i + 1 >= n ? 0 : i + 1;
    return i - 1 < 0 ? n - 1 : i - 1;
}
} // namespace zu::presetfiles
