// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's whole-plug-in preset operations: save, save as, load from the
// preset menu, the arrows and a dropped file.
#include "ZumiraboxAudioProcessorEditor.h"

#include "ZuCallOut.h"
#include "ZuOverWritePresetWndw2.h"
#include "ZuPresetArchive.h"

namespace
{
const juce::String archiveExtension{".zip"};
const juce::String entryExtension{".zumira8"};

juce::File fileAt(const juce::String& path)
{
    return juce::File::isAbsolutePath(path) ? juce::File(path) : juce::File();
}

// The archive a current preset path names: the path itself when it is an
// archive, else the path with ".zip" added (a dotted name keeps its dots).
juce::File archiveForCurrentPath(const juce::String& path)
{
    return fileAt(path.endsWithIgnoreCase(archiveExtension) ? path : path + archiveExtension);
}

// The preset name of an archive: its file name less ".zip".
juce::String presetNameOf(const juce::File& archive)
{
    return archive.getFileName().dropLastCharacters(archiveExtension.length());
}
} // namespace

void ZumiraboxAudioProcessorEditor::savePreset(int asNew)
{
    auto& settings = access.getSettings();
    if (asNew == 0 && settings.curPresetPath.isNotEmpty())
    {
        const auto archive = archiveForCurrentPath(settings.curPresetPath);
        if (archive == juce::File())
            OpenPresetFolderNotFoundWndw();
        else
            // An empty name keeps the stored preset name.
            writePresetArchive(archive, presetNameOf(archive), {});
        return;
    }

    const auto start = settings.lastSaveFolder.isNotEmpty() ? settings.lastSaveFolder : presetFolder();
    if (launchSaveAsChooser)
        launchSaveAsChooser(fileAt(start));
}

void ZumiraboxAudioProcessorEditor::startSaveAsChooser(const juce::File& startFolder)
{
    fileChooser.reset();
    fileChooser =
        std::make_unique<juce::FileChooser>("Save preset as...", startFolder, juce::String(), false, false, this);
    juce::Component::SafePointer<ZumiraboxAudioProcessorEditor> self(this);
    fileChooser->launchAsync(juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
                                 juce::FileBrowserComponent::warnAboutOverwriting,
                             [self](const juce::FileChooser& chooser)
                             {
                                 if (auto* editor = self.getComponent())
                                 {
                                     const auto result = chooser.getResult();
                                     // The chooser asks itself before it returns an existing archive's full name.
                                     editor->saveAsChosen(result,
                                                          result.getFileName().endsWithIgnoreCase(archiveExtension));
                                 }
                             });
}

void ZumiraboxAudioProcessorEditor::saveAsChosen(const juce::File& result, bool confirmedByChooser)
{
    auto path = result.getFullPathName();
    if (path.isEmpty())
        return;
    if (path.endsWithIgnoreCase(archiveExtension))
        path = path.dropLastCharacters(archiveExtension.length());
    path = juce::File::createLegalPathName(path);
    if (path.isEmpty() || !juce::File::isAbsolutePath(path))
        return;
    if (path.endsWithIgnoreCase(entryExtension))
        path = path.dropLastCharacters(entryExtension.length());

    const juce::File base(path);
    const auto archive = fileAt(path + archiveExtension);
    if (!archive.getParentDirectory().isDirectory())
    {
        OpenPresetFolderNotFoundWndw();
        return;
    }
    if (!archive.getParentDirectory().hasWriteAccess())
    {
        openPresetFolderPermDeniedWndw();
        return;
    }
    if (archive.exists() && !confirmedByChooser)
    {
        pendingOverwritePath = path;
        openSaveAsOverwriteCallout(archive.getFileName());
        return;
    }

    const auto name = base.getFileName();
    if (writePresetArchive(archive, name, name))
    {
        auto& settings = access.getSettings();
        settings.lastSaveFolder = archive.getParentDirectory().getFullPathName();
        settings.setCurPresetPath(archive.getFullPathName());
    }
}

void ZumiraboxAudioProcessorEditor::openSaveAsOverwriteCallout(const juce::String& fileName)
{
    // The question points at the Save As button that started the save as;
    // its answer comes back through calloutBoxButtonIsClicked.
    const auto popup = colorTheme->entry(3, 0);
    const juce::Colour light(0xffdddddd);
    auto window = std::make_unique<ZuOverWritePresetWndw2>(*this, fileName, popup, light, popup, light, light, popup);
    const auto w = (float) getWidth();
    window->setSize((int) (0.19f * w), (int) (0.085f * w));
    juce::Rectangle<int> area;
    if (mainPanel != nullptr)
        mainPanel->menuPanel.getSaveAsButtonPos(area);
    zu::callout::launch(std::move(window), area, *this, popup, juce::Colour(0xffaaaaaa));
}

void ZumiraboxAudioProcessorEditor::calloutBoxButtonIsClicked(int answer)
{
    const auto pending = std::exchange(pendingOverwritePath, juce::String());
    if (answer == 0)
    {
        // The archive was asked about: replace it as the save as would have.
        if (pending.isNotEmpty())
            saveAsChosen(fileAt(pending + archiveExtension), true);
    }
    else if (answer == 1)
        savePreset(1);
}

bool ZumiraboxAudioProcessorEditor::writePresetArchive(const juce::File& zip, const juce::String& name,
                                                       const juce::String& nameToStore)
{
    const auto folder = zip.getParentDirectory();
    if (!folder.isDirectory())
    {
        OpenPresetFolderNotFoundWndw();
        return false;
    }
    const auto document = access.getXmlStateForSaveingPreset(nameToStore);
    switch (zu::presets::writeArchive(zip, name + entryExtension, document))
    {
    case zu::presets::WriteResult::written:
        return true;
    case zu::presets::WriteResult::folderMissing:
        OpenPresetFolderNotFoundWndw();
        return false;
    case zu::presets::WriteResult::writeFailed:
        openPresetFolderPermDeniedWndw();
        return false;
    }
    return false;
}

bool ZumiraboxAudioProcessorEditor::loadPresetWithFile(const juce::File& file)
{
    const auto document = zu::presets::readArchive(file);
    if (document == nullptr || !processor.isReadableStateDocument(*document))
        return false;

    access.loadStateFromXML(document.get(), file.getFileNameWithoutExtension());
    auto& settings = access.getSettings();
    settings.setCurPresetPath(file.getFullPathName());
    settings.lastSaveFolder = file.getParentDirectory().getFullPathName();
    return true;
}

void ZumiraboxAudioProcessorEditor::loadMyPreset(int id)
{
    auto folder = presetFolder();
    juce::String path;
    const auto file = getFileForLoadingPreset(id, path, folder);
    if (file.existsAsFile())
        loadPresetWithFile(file);
}

void ZumiraboxAudioProcessorEditor::presetArrow(int direction)
{
    auto folder = presetFolder();
    auto current = access.getSettings().curPresetPath;
    const bool next = direction != 0;
    int id = presetSelectArrow(next, current, folder);
    const int n = (int) presetPaths.size();

    // A file that is no loadable preset is stepped over in the same
    // direction, at most once round.
    for (int tries = 0; tries < n && id >= 1 && id <= n; ++tries)
    {
        juce::String path;
        const auto file = getFileForLoadingPreset(id, path, folder);
        if (file.existsAsFile() && loadPresetWithFile(file))
            return;
        id = next ? id % n + 1 : (id > 1 ? id - 1 : n);
    }
}

bool ZumiraboxAudioProcessorEditor::isInterestedInFileDrag(const juce::StringArray&)
{
    return true;
}

void ZumiraboxAudioProcessorEditor::filesDropped(const juce::StringArray& files, int, int)
{
    if (files.isEmpty() || !files[0].endsWith(archiveExtension))
        return;
    const auto file = fileAt(files[0]);
    if (file.existsAsFile())
        loadPresetWithFile(file);
}
