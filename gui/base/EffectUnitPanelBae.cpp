// SPDX-License-Identifier: GPL-3.0-or-later
#include "EffectUnitPanelBae.h"

#include "ZuPresetFiles.h"

EffectUnitPanelBae::~EffectUnitPanelBae()
{
    presetChooser.reset();
}

void EffectUnitPanelBae::initialize() {}
void EffectUnitPanelBae::updateFxStateFromVt(juce::ValueTree, juce::String) {}
void EffectUnitPanelBae::newPresetFolderPathIsSelected() {}

juce::XmlElement EffectUnitPanelBae::getXmlStateForSaveingPreset(const juce::String& presetName)
{
    // An element needs a name: a preset name that is no XML name falls back.
    return juce::XmlElement(juce::XmlElement::isValidXmlName(presetName) ? presetName : juce::String("Preset"));
}

void EffectUnitPanelBae::openPresetFolderPermDeniedWndw() {}
void EffectUnitPanelBae::openPresetFolderNotFoundWndw() {}

juce::PopupMenu EffectUnitPanelBae::getMyMenu(bool filesOnly, bool withoutFiles)
{
    juce::PopupMenu menu;
    if (!withoutFiles)
    {
        if (presetFolder.isNotEmpty())
            addFilesToMenu(menu, presetFolder);
        if (filesOnly)
            return menu;
        menu.addSeparator();
    }
    if (withoutFiles && filesOnly)
        return menu;
    menu.addItem(saveId, "Save");
    menu.addItem(saveAsId, "Save as...");
    menu.addSeparator();
    zu::presetfiles::addInitializeAndFolderItems(menu);
    return menu;
}

void EffectUnitPanelBae::addFilesToMenu(juce::PopupMenu& menu, juce::String folder)
{
    zu::presetfiles::addFilesToMenu(menu, folder, presetExtension, currentPresetPath, firstFileId, presetFiles);
}

void EffectUnitPanelBae::menuHandler(int id, juce::TextButton& anchor, juce::Component*)
{
    lastAnchor = &anchor;
    switch (id)
    {
    case saveId:
        // A question left unanswered earlier no longer holds.
        pendingOverwritePath.clear();
        if (presetFiles.contains(currentPresetPath))
            askToOverwrite();
        else
            savePreset(saveAsId);
        return;
    case saveAsId:
        savePreset(saveAsId);
        return;
    case initializeId:
        initialize();
        return;
    case openFolderId:
        zu::presetfiles::openFolderIfPresent(presetFolder);
        return;
    case setFolderId:
    {
        const auto start =
            juce::File::isAbsolutePath(presetFolder) ? juce::File(presetFolder).getParentDirectory() : juce::File();
        zu::presetfiles::launchFolderChooser(presetChooser, start,
                                             zu::presetfiles::answerTo(this, &EffectUnitPanelBae::presetFolderChosen));
        return;
    }
    default:
        if (id >= firstFileId && id - firstFileId < presetFiles.size())
            presetLoadHandler(id - firstFileId);
        return;
    }
}

void EffectUnitPanelBae::askToOverwrite()
{
    if (auto* anchor = lastAnchor.getComponent())
        openOverWritePresetWndw(*anchor);
    else
        openOverWritePresetWndw(*this);
}

void EffectUnitPanelBae::presetFolderChosen(const juce::File& chosen)
{
    if (chosen == juce::File() || !chosen.isDirectory())
        return;
    presetFolder = chosen.getFullPathName();
    newPresetFolderPathIsSelected();
}

void EffectUnitPanelBae::calloutBoxButtonIsClicked(int choice)
{
    zu::presetfiles::answerOverwrite(
        choice, pendingOverwritePath, [this](const juce::File& file) { writePreset(file); },
        [this](bool overCurrent) { savePreset(overCurrent ? saveId : saveAsId); });
}

bool EffectUnitPanelBae::writePreset(const juce::File& file)
{
    const auto xml = getXmlStateForSaveingPreset(file.getFileNameWithoutExtension());
    return zu::presetfiles::writeXmlReplacing(xml, file);
}

void EffectUnitPanelBae::savePreset(int id)
{
    if (id == saveId && currentPresetPath.isNotEmpty() && juce::File::isAbsolutePath(currentPresetPath))
    {
        // The file loaded last, as it is named: making its name legal again
        // could name another file and leave this one as it was.
        const juce::File file(currentPresetPath);
        if (file.getParentDirectory().hasWriteAccess())
            writePreset(file);
        else
            openPresetFolderPermDeniedWndw();
        return;
    }
    if (!zu::presetfiles::isFolder(presetFolder))
    {
        openPresetFolderNotFoundWndw();
        return;
    }
    zu::presetfiles::launchSaveChooser(presetChooser, presetFolder, presetExtension,
                                       zu::presetfiles::answerTo(this, &EffectUnitPanelBae::saveAsFileChosen));
}

void EffectUnitPanelBae::saveAsFileChosen(const juce::File& chosen)
{
    if (chosen == juce::File())
        return;
    const auto legal = zu::presetfiles::withLegalName(chosen);
    if (legal == juce::File())
        return;
    if (!legal.getParentDirectory().hasWriteAccess())
    {
        openPresetFolderPermDeniedWndw();
        return;
    }
    const auto file = zu::presetfiles::saveAsTarget(legal, presetExtension, pendingOverwritePath);
    if (pendingOverwritePath.isNotEmpty())
        askToOverwrite();
    else
        writePreset(file); // a new name leaves the current file as it was
}

void EffectUnitPanelBae::presetLoadHandler(int index)
{
    if (index < 0 || index >= presetFiles.size())
        return;
    const juce::File file(presetFiles[index]);
    const auto xml = zu::presetfiles::readXml(file);
    if (xml == nullptr)
        return;
    auto tree = juce::ValueTree::fromXml(*xml);
    if (!tree.isValid())
        return;
    currentPresetPath = file.getFullPathName();
    updateFxStateFromVt(tree, file.getFileNameWithoutExtension());
}

void EffectUnitPanelBae::presetSelectArrow(bool forward, juce::String& current, juce::String& refresh,
                                           juce::String presetName)
{
    if (refresh.isNotEmpty())
    {
        juce::PopupMenu unused;
        addFilesToMenu(unused, presetFolder);
    }
    if (current.isEmpty() && presetName.isNotEmpty())
        for (int i = 0; i < presetFiles.size(); ++i)
            if (juce::File(presetFiles[i]).getFileNameWithoutExtension() == presetName)
            {
                current = presetFiles[juce::jmin(i, presetFiles.size() - 1)];
                break;
            }
    presetLoadHandler(zu::presetfiles::stepIndex(presetFiles, current, forward));
}
