// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDesktop.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <utility>

// The preset-file handling that the unit frames and the chord and scale
// panels share: listing a preset folder into a menu, writing a file without
// ever leaving a half-written one, reading one back, and stepping through a
// list. Message thread only.
namespace zu::presetfiles
{
// Deepest sub-folder level that a listing descends to.
constexpr int maxFolderDepth = 16;

// Lists the preset files of folder into menu and appends their full paths to
// files: first one sub-menu per sub-folder at any depth (hidden folders left
// out, sorted by path, named by the folder's own name, side by side), each
// with that folder's own files; then the files of folder itself (hidden ones
// left out). Files match "*" + extension (case-sensitive) and are sorted by
// path. File i gets the id firstId + i and is ticked when it is current.
// Symbolic links that lead back into the scan are not followed. A missing
// folder lists nothing. files is cleared first.
void addFilesToMenu(juce::PopupMenu& menu, const juce::String& folder, const juce::String& extension,
                    const juce::String& currentPath, int firstId, juce::StringArray& files);

// The file a save-as choice names: extension appended to the whole name when
// the chosen one differs ignoring case (bass.txt becomes bass.txt.pchsq).
juce::File withExtension(const juce::File& chosen, const juce::String& extension);

// The file a new name typed in a chooser names: only the name made legal
// (the characters a path may not hold removed, the length kept), the folder
// as chosen. A file that exists is taken as it is; a name with nothing legal
// in it gives no file (juce::File()).
juce::File withLegalName(const juce::File& chosen);

// Writes xml to file through a temporary file in the same folder renamed over
// it; false, and the old file untouched, when anything fails.
bool writeXmlReplacing(const juce::XmlElement& xml, const juce::File& file);

// The document element of a file, null when it is not XML or nests deeper
// than any preset can (zu::maxXmlNesting).
std::unique_ptr<juce::XmlElement> readXml(const juce::File& file);

// The index a previous/next arrow loads: from current in files (0 when not
// found, wrapping at both ends), or, without a current file, 0 forward and
// n - 2 backward. May lie outside the list, which loads nothing.
int stepIndex(const juce::StringArray& files, const juce::String& current, bool forward);

// The ids both preset menus give their common commands.
constexpr int openFolderItemId = 1002;
constexpr int setFolderItemId = 1003;
constexpr int initializeItemId = 1004;
// The common end of both preset menus: "Initialize", a separator, "Open
// Preset Folder", "Set Preset Folder".
void addInitializeAndFolderItems(juce::PopupMenu& menu);

// Whether path names an existing folder.
bool isFolder(const juce::String& path);
// Opens folder in the file manager when it is an existing folder.
void openFolderIfPresent(const juce::String& folder);

// The file a save-as choice writes (the extension added where needed).
// pendingOverwrite receives its path when adding the extension named an
// existing file, which the chooser did not ask about: the caller asks first.
juce::File saveAsTarget(const juce::File& chosen, const juce::String& extension, juce::String& pendingOverwrite);

// The overwrite question's answer: 0 writes the pending file (writePending)
// or, with none pending, saves over the current one (save(true)); 1 saves
// under a new name (save(false)). The pending file is forgotten either way.
template <typename WritePending, typename Save>
void answerOverwrite(int choice, juce::String& pendingOverwrite, WritePending writePending, Save save)
{
    const auto pending = std::exchange(pendingOverwrite, juce::String());
    if (choice == 0 && pending.isNotEmpty())
        writePending(juce::File(pending));
    else if (choice == 0 || choice == 1)
        save(choice == 0);
}

// The chooser of a preset file name: "save preset as..." in folder, with the
// extension's pattern, warning before it replaces a file.
void launchSaveChooser(std::unique_ptr<juce::FileChooser>& holder, const juce::String& folder,
                       const juce::String& extension, ZuDesktop::ChooserDone done);
// The chooser of a preset folder, "Select Preset Folder".
void launchFolderChooser(std::unique_ptr<juce::FileChooser>& holder, const juce::File& start,
                         ZuDesktop::ChooserDone done);

// A chooser answer for a panel that may be gone by then: it reaches
// (panel->*handler)(file) only while the panel exists.
template <typename Panel> ZuDesktop::ChooserDone answerTo(Panel* panel, void (Panel::*handler)(const juce::File&))
{
    juce::Component::SafePointer<Panel> target(panel);
    return [target, handler](const juce::File& chosen)
    {
        if (auto* p = target.getComponent())
            (p->*handler)(chosen);
    };
}
} // namespace zu::presetfiles
