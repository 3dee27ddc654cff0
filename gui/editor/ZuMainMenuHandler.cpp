// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMainMenuHandler.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace
{
// The folder with every link resolved; the path itself when it cannot be resolved.
juce::String canonicalPath(const juce::File& folder)
{
    char resolved[PATH_MAX];
    if (realpath(folder.getFullPathName().toRawUTF8(), resolved) != nullptr)
        return juce::String::fromUTF8(resolved);
    return folder.getFullPathName();
}

void sortByFullPath(juce::Array<juce::File>& files)
{
    std::sort(files.begin(), files.end(),
              [](const juce::File& a, const juce::File& b)
              { return a.getFullPathName().compare(b.getFullPathName()) < 0; });
}

juce::File folderOf(const juce::String& path)
{
    return juce::File::isAbsolutePath(path) ? juce::File(path) : juce::File();
}
} // namespace

ZuLinkButton::ZuLinkButton(const juce::String& address) : juce::HyperlinkButton(address, juce::URL(address)) {}

void ZuLinkButton::clicked()
{
    ZuDesktop::processStarter()({"xdg-open", getURL().toString(false)});
}

ZuMainMenuHandler::ZuMainMenuHandler() : lifeToken(std::make_shared<ZuMainMenuHandler*>(this))
{
    linkButtons[0] = std::make_unique<ZuLinkButton>(makerSiteAddress);
    linkButtons[1] = std::make_unique<ZuLinkButton>(manualAddress);
    linkButtons[2] = std::make_unique<ZuLinkButton>(bugReportAddress);
}

ZuMainMenuHandler::~ZuMainMenuHandler()
{
    *lifeToken = nullptr;
}

void ZuMainMenuHandler::menuItemSelected(int) {}

juce::PopupMenu ZuMainMenuHandler::getMyPluginPopupMenu()
{
    juce::PopupMenu menu;
    menu.addItem(initializeCommand, "Initialize All Param Values");
    menu.addSeparator();
    menu.addItem(setPresetFolderCommand, "Set Preset Folder Location");
    menu.addItem(openPresetFolderCommand, "Open Preset Folder");
    menu.addSeparator();
    juce::PopupMenu resize;
    for (int k = 0; k < numResizeCommands; ++k)
        resize.addItem(firstResizeCommand + k, juce::String(50 + 10 * k) + "%");
    menu.addSubMenu("Resize", resize);
    menu.addSeparator();
    menu.addItem(resetWindowSizeCommand, "Reset Window Size");
    menu.addSeparator();
    menu.addItem(visitMakerCommand, "Visit Zurvana");
    menu.addItem(manualCommand, "Go to Manual Page");
    menu.addItem(bugReportCommand, "Bug Report");
    menu.addSeparator();
    menu.addItem(aboutCommand, "About");
    return menu;
}

juce::Point<int> ZuMainMenuHandler::resizeCommandSize(int commandId, int baseWidth, int baseHeight)
{
    const float f = 0.5f + 0.1f * (float) (commandId - firstResizeCommand);
    return {(int) ((float) baseWidth * f), (int) ((float) baseHeight * f)};
}

void ZuMainMenuHandler::openMyPluginMenu(juce::Button* button, juce::Component* parent)
{
    if (parent == nullptr)
        return;
    showMenu(getMyPluginPopupMenu(), button, parent, 16);
}

void ZuMainMenuHandler::openMyPresetMenu(juce::Button* button, juce::String& folder, juce::String& current,
                                         juce::Component* parent)
{
    if (parent == nullptr || folder.isEmpty())
        return;
    showMenu(getMyPresetPopupMenu(folder, current), button, parent, 8);
}

void ZuMainMenuHandler::showMenu(juce::PopupMenu menu, juce::Button* button, juce::Component* parent, int maxColumns)
{
    const auto mouse = juce::Desktop::getMousePosition();
    auto options = juce::PopupMenu::Options()
                       .withMinimumWidth(120)
                       .withStandardItemHeight(20)
                       .withMaximumNumColumns(maxColumns)
                       .withTargetComponent(button != nullptr ? static_cast<juce::Component*>(button) : parent)
                       .withTargetScreenArea(juce::Rectangle<int>(mouse.x, mouse.y, 0, 0));

    std::weak_ptr<ZuMainMenuHandler*> weakSelf = lifeToken;
    juce::Component::SafePointer<juce::Component> owner(parent);
    menu.showMenuAsync(options,
                       [weakSelf, owner](int result)
                       {
                           auto handler = weakSelf.lock();
                           if (result > 0 && handler != nullptr && *handler != nullptr && owner != nullptr)
                               (*handler)->menuItemSelected(result);
                       });
}

juce::PopupMenu ZuMainMenuHandler::getMyPresetPopupMenu(juce::String& folder, juce::String& current)
{
    juce::PopupMenu menu;
    rebuildMenu(menu, folder, current, false);
    return menu;
}

void ZuMainMenuHandler::addFilesToMenu(juce::PopupMenu& menu, juce::String folder, juce::String& current)
{
    rebuildMenu(menu, folder, current, true);
}

void ZuMainMenuHandler::rebuildMenu(juce::PopupMenu& menu, const juce::String& folder, const juce::String& current,
                                    bool topFilesArePresetsOnly)
{
    presetPaths.clear();
    currentFound = false;
    scanChain.clear();
    const auto top = folderOf(folder);
    if (top.isDirectory())
        addFolderContent(menu, top, current, true, topFilesArePresetsOnly);
    scanChain.clear();
}

void ZuMainMenuHandler::addFilesToMenu2(juce::PopupMenu& menu, juce::String folder, juce::String& current)
{
    const auto dir = folderOf(folder);
    if (dir.isDirectory())
        addFolderContent(menu, dir, current, false, true);
}

void ZuMainMenuHandler::addFolderContent(juce::PopupMenu& menu, const juce::File& folder, const juce::String& current,
                                         bool isTop, bool topFilesArePresetsOnly)
{
    const auto canonical = canonicalPath(folder);
    if ((int) scanChain.size() >= maxFolderDepth ||
        std::find(scanChain.begin(), scanChain.end(), canonical) != scanChain.end())
        return;
    scanChain.push_back(canonical);

    constexpr int hiddenSkipped = juce::File::ignoreHiddenFiles;
    auto folders = folder.findChildFiles(juce::File::findDirectories | hiddenSkipped, false, "*");
    sortByFullPath(folders);
    for (const auto& sub : folders)
    {
        // A link back into a folder the scan is inside would only repeat it.
        const auto subCanonical = canonicalPath(sub);
        if (std::find(scanChain.begin(), scanChain.end(), subCanonical) != scanChain.end() ||
            (int) scanChain.size() >= maxFolderDepth)
            continue;
        juce::PopupMenu submenu;
        addFolderContent(submenu, sub, current, false, true);
        menu.addSubMenu(sub.getFileName(), submenu, true);
    }

    const bool presetsOnly = !isTop || topFilesArePresetsOnly;
    auto files =
        folder.findChildFiles(juce::File::findFiles | hiddenSkipped, false, presetsOnly ? presetWildcard : "*");
    if (presetsOnly)
        sortByFullPath(files);
    for (const auto& file : files)
        addFileItem(menu, file, current);

    scanChain.pop_back();
}

void ZuMainMenuHandler::addFileItem(juce::PopupMenu& menu, const juce::File& file, const juce::String& current)
{
    const int id = (int) presetPaths.size() + 1;
    const auto path = file.getFullPathName();
    const bool ticked = !currentFound && path == current;
    if (ticked)
        currentFound = true;
    menu.addItem(id, file.getFileNameWithoutExtension(), true, ticked);
    presetPaths.push_back(path);
}

int ZuMainMenuHandler::presetSelectArrow(bool next, juce::String& current, juce::String& folder)
{
    juce::PopupMenu discarded;
    rebuildMenu(discarded, folder, current, false);
    const int n = (int) presetPaths.size();
    if (current.isEmpty())
        return next ? 1 : n;
    if (n == 0)
        return 0;
    const auto found = std::find(presetPaths.begin(), presetPaths.end(), current);
    const int i = (int) std::distance(presetPaths.begin(), found);
    if (next)
        return i + 1 < n ? i + 2 : 1;
    return i > 0 ? i : n;
}

juce::File ZuMainMenuHandler::getFileForLoadingPreset(int id, juce::String& path, juce::String& folder)
{
    if (presetPaths.empty())
    {
        juce::PopupMenu discarded;
        addFilesToMenu(discarded, folder, path);
    }
    if (id < 1 || id > (int) presetPaths.size())
        return {};
    const auto& candidate = presetPaths[(size_t) id - 1];
    if (!juce::File::isAbsolutePath(candidate) || !juce::File(candidate).existsAsFile())
        return {};
    path = candidate;
    return juce::File(candidate);
}
