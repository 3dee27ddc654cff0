// SPDX-License-Identifier: GPL-3.0-or-later
// The unit frame's right-click menu and its unit preset files.
#include "ZuCenterUnitPanelBase.h"

#include "ZuEditorAccess.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuPresetFiles.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

juce::PopupMenu ZuCenterUnitPanelBase::getDeleteItemMenu()
{
    presetExtension = presetExtensions[(size_t) juce::jlimit(0, 4, unitType)];
    if (auto* editor = findEditor(); editor != nullptr && unitType >= 0)
        presetFolder = zu::units::isKind(unitType)
                           ? ZuEditorAccess(editor->processor).getSettings().unitPresetFolders[(size_t) unitType]
                           : juce::String();

    juce::PopupMenu files;
    addFilesToMenu(files, presetFolder);

    juce::PopupMenu menu;
    menu.addSubMenu("Preset", files);
    menu.addSeparator();
    menu.addItem(saveId, "Save");
    menu.addItem(saveAsId, "Save as...");
    menu.addSeparator();
    menu.addItem(minimizeId, minimizeButton.getToggleState() ? "Maximize the panel" : "Minimize the panel");
    menu.addItem(modPanelId, modButton.getToggleState() ? "Hide the Mod panel" : "Show the Mod panel");
    if (unitType == zu::units::pitch)
        menu.addItem(expandId, expandButton.getToggleState() ? "Contract the panel" : "Expand the panel");
    menu.addSeparator();
    menu.addItem(deleteId, "Delete This Unit");
    menu.addSeparator();
    zu::presetfiles::addInitializeAndFolderItems(menu);
    return menu;
}

void ZuCenterUnitPanelBase::addFilesToMenu(juce::PopupMenu& menu, juce::String folder)
{
    zu::presetfiles::addFilesToMenu(menu, folder, presetExtension, currentPresetPath, firstFileId, presetFiles);
}

void ZuCenterUnitPanelBase::menuHandler(int id, juce::Component*)
{
    switch (id)
    {
    case saveId:
        // A question left unanswered earlier no longer holds.
        pendingOverwritePath.clear();
        if (presetFiles.contains(currentPresetPath))
            openOverWritePresetWndw(menuButton);
        else
            savePreset(saveAsId);
        return;
    case saveAsId:
        savePreset(saveAsId);
        return;
    case openFolderId:
        zu::presetfiles::openFolderIfPresent(presetFolder);
        return;
    case setFolderId:
    {
        zu::presetfiles::launchFolderChooser(
            presetChooser, juce::File(), zu::presetfiles::answerTo(this, &ZuCenterUnitPanelBase::presetFolderChosen));
        return;
    }
    case initializeId:
        initialize();
        currentPresetPath.clear();
        if (auto* editor = findEditor())
            ZuEditorAccess(editor->processor).initUnitParams(unitType, unitIndex);
        return;
    case deleteId:
        // The container deletes this frame: nothing may touch it afterwards.
        if (auto* container = findParentComponentOfClass<ZuMirabox_CenterContent>())
            container->deleteItem(unitId);
        return;
    case minimizeId:
        minimizeButton.setToggleState(!minimizeButton.getToggleState(), juce::sendNotification);
        return;
    case modPanelId:
        modButton.setToggleState(!modButton.getToggleState(), juce::sendNotification);
        return;
    case expandId:
        expandButton.setToggleState(!expandButton.getToggleState(), juce::sendNotification);
        return;
    default:
        if (id >= firstFileId && id - firstFileId < presetFiles.size())
            presetLoadHandler(id - firstFileId);
        return;
    }
}

void ZuCenterUnitPanelBase::presetFolderChosen(const juce::File& chosen)
{
    if (chosen == juce::File())
        return;
    presetFolder = chosen.getFullPathName();
    auto* editor = findEditor();
    if (editor == nullptr || !zu::units::isKind(unitType))
        return;
    auto& settings = ZuEditorAccess(editor->processor).getSettings();
    settings.unitPresetFolders[(size_t) unitType] = presetFolder;
    settings.updateAndSaveSettingFile();
}

bool ZuCenterUnitPanelBase::writeUnitPreset(const juce::File& file)
{
    auto* editor = findEditor();
    if (editor == nullptr)
        return false;
    juce::ValueTree tree("Preset");
    ZuEditorAccess(editor->processor).createVtForUnitPreset(tree, unitType, unitIndex);
    const auto xml = tree.createXml();
    return xml != nullptr && zu::presetfiles::writeXmlReplacing(*xml, file);
}

void ZuCenterUnitPanelBase::savePreset(int id)
{
    getPresetFolderPath();
    // A save that no menu led to still writes under the kind's extension.
    if (presetExtension.isEmpty())
        presetExtension = presetExtensions[(size_t) juce::jlimit(0, 4, unitType)];
    if (id == saveId && currentPresetPath.isNotEmpty() && juce::File::isAbsolutePath(currentPresetPath))
    {
        const juce::File file(currentPresetPath);
        if (file.getParentDirectory().hasWriteAccess())
            writeUnitPreset(file);
        return;
    }
    if (!zu::presetfiles::isFolder(presetFolder))
        return;

    zu::presetfiles::launchSaveChooser(presetChooser, presetFolder, presetExtension,
                                       zu::presetfiles::answerTo(this, &ZuCenterUnitPanelBase::saveAsFileChosen));
}

void ZuCenterUnitPanelBase::saveAsFileChosen(const juce::File& chosen)
{
    if (chosen == juce::File() || !chosen.getParentDirectory().hasWriteAccess())
        return;
    const auto file = zu::presetfiles::saveAsTarget(chosen, presetExtension, pendingOverwritePath);
    if (pendingOverwritePath.isNotEmpty())
        openOverWritePresetWndw(menuButton);
    else if (writeUnitPreset(file))
        currentPresetPath = file.getFullPathName();
}

void ZuCenterUnitPanelBase::calloutBoxButtonIsClicked(int choice)
{
    zu::presetfiles::answerOverwrite(
        choice, pendingOverwritePath,
        [this](const juce::File& file)
        {
            if (writeUnitPreset(file))
                currentPresetPath = file.getFullPathName();
        },
        [this](bool overCurrent) { savePreset(overCurrent ? saveId : saveAsId); });
}

void ZuCenterUnitPanelBase::presetLoadHandler(int index)
{
    if (index < 0 || index >= presetFiles.size())
        return;
    const juce::File file(presetFiles[index]);
    const auto xml = zu::presetfiles::readXml(file);
    if (xml == nullptr)
        return;
    auto tree = juce::ValueTree::fromXml(*xml);
    auto* editor = findEditor();
    if (!tree.isValid() || editor == nullptr)
        return;
    // Unit presets fail silently; a refused one does not become current.
    if (ZuEditorAccess(editor->processor).loadUnitStateFromVt(tree, unitType, unitIndex).isEmpty())
        currentPresetPath = file.getFullPathName();
}

void ZuCenterUnitPanelBase::presetSelectArrow(bool forward, juce::String& current, juce::String& refresh)
{
    if (refresh.isNotEmpty())
    {
        juce::PopupMenu unused;
        addFilesToMenu(unused, presetFolder);
    }
    presetLoadHandler(zu::presetfiles::stepIndex(presetFiles, current, forward));
}

juce::PopupMenu ZuCenterUnitPanelBase::getMyMenu(bool)
{
    juce::PopupMenu menu;
    menu.addItem(initializeId, "Initialize");
    menu.addSeparator();
    menu.addItem(deleteId, "Delete This FX");
    return menu;
}

void ZuCenterUnitPanelBase::handleMaenuItem(int id)
{
    if (id == initializeId)
        initialize();
    else if (id == deleteId)
        if (auto* container = findParentComponentOfClass<ZuMirabox_CenterContent>())
            container->deleteItem(unitId);
}
