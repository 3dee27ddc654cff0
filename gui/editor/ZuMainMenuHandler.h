// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDesktop.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <vector>

// A web link of the plug-in menu: its click opens the address with
// "xdg-open" and the address as one argument (no shell). Never shown.
class ZuLinkButton : public juce::HyperlinkButton
{
public:
    explicit ZuLinkButton(const juce::String& address);

    void clicked() override;
};

// Builds the editor's two popup menus: the plug-in menu (initialise, preset
// folder, window size, links, about) and the preset menu (the whole-plug-in
// presets of the preset folder as a menu tree, numbered 1, 2, ... depth first,
// the current preset ticked). The same numbering drives the previous and next
// buttons and the loads by id. What a chosen item does is the editor's
// menuItemSelected.
//
// Folder scans follow symbolic links but never into a folder they are already
// inside, and stop at maxFolderDepth, so a link to a parent cannot make a
// menu without end.
//
// Message thread only; menus are asynchronous and answer later on it.
class ZuMainMenuHandler
{
public:
    // Plug-in menu command ids.
    enum CommandId
    {
        saveCommand = 100000001,
        saveAsCommand = 100000002,
        initializeCommand = 100000003,
        setPresetFolderCommand = 100000006,
        openPresetFolderCommand = 100000007,
        visitMakerCommand = 100000008,
        manualCommand = 100000009,
        bugReportCommand = 100000010,
        aboutCommand = 100000013,
        resetWindowSizeCommand = 100000014,
        firstResizeCommand = 100000019,
        lastResizeCommand = 100000034
    };
    static constexpr int numResizeCommands = lastResizeCommand - firstResizeCommand + 1;
    static constexpr int maxFolderDepth = 16;

    // The web links of the plug-in menu.
    static constexpr const char* makerSiteAddress = "https://zurvana.example/";
    static constexpr const char* manualAddress = "https://zurvana.example/zu-mira8/manual";
    static constexpr const char* bugReportAddress = "https://zurvana.example/zu-mira8/bug-report";

    ZuMainMenuHandler();
    virtual ~ZuMainMenuHandler();

    virtual void menuItemSelected(int itemId);

    void openMyPluginMenu(juce::Button* button, juce::Component* parent);
    juce::PopupMenu getMyPluginPopupMenu();
    void openMyPresetMenu(juce::Button* button, juce::String& folder, juce::String& current, juce::Component* parent);
    juce::PopupMenu getMyPresetPopupMenu(juce::String& folder, juce::String& current);
    // One subfolder's submenu: its subfolders (recursively), then its "*.zip"
    // files sorted by path.
    void addFilesToMenu2(juce::PopupMenu& menu, juce::String folder, juce::String& current);
    // The numbering used before a load: as the preset menu, but the top-level
    // files are restricted to "*.zip" and sorted too.
    void addFilesToMenu(juce::PopupMenu& menu, juce::String folder, juce::String& current);
    // The 1-based id of the previous or next preset, 0 when there is none.
    int presetSelectArrow(bool next, juce::String& current, juce::String& folder);
    // The existing preset file of id (path receives its full path), or an
    // empty file.
    juce::File getFileForLoadingPreset(int id, juce::String& path, juce::String& folder);

    const std::vector<juce::String>& getPresetPaths() const noexcept { return presetPaths; }
    juce::HyperlinkButton& getLinkButton(int index) { return *linkButtons[(size_t) juce::jlimit(0, 2, index)]; }

    // The width and height of resize command id at the base size.
    static juce::Point<int> resizeCommandSize(int commandId, int baseWidth, int baseHeight);

protected:
    std::vector<juce::String> presetPaths;
    std::array<std::unique_ptr<ZuLinkButton>, 3> linkButtons;
    const juce::String presetWildcard{"*.zip"};
    const juce::String presetExtension{".zip"};
    const juce::String stateExtension{".zumira8"};
    bool currentFound = false;

private:
    // The folders the scan is inside (canonical paths), outermost first.
    std::vector<juce::String> scanChain;

    void rebuildMenu(juce::PopupMenu& menu, const juce::String& folder, const juce::String& current,
                     bool topFilesArePresetsOnly);
    void addFolderContent(juce::PopupMenu& menu, const juce::File& folder, const juce::String& current, bool isTop,
                          bool topFilesArePresetsOnly);
    void addFileItem(juce::PopupMenu& menu, const juce::File& file, const juce::String& current);
    void showMenu(juce::PopupMenu menu, juce::Button* button, juce::Component* parent, int maxColumns);

    // Cleared when the handler goes, so a late menu answer reaches nothing.
    std::shared_ptr<ZuMainMenuHandler*> lifeToken;

    JUCE_DECLARE_NON_COPYABLE(ZuMainMenuHandler)
};
