// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuGuiBase.h"
#include "ZuPresetFiles.h"

#include <memory>

// The base of the chord and scale panels that keep their own preset files:
// one preset menu (file list, Save, Save as..., Initialize, Open and Set
// Preset Folder), saving, loading and stepping. What a file holds is the
// subclass's: it gives the XML to write and takes the tree read back.
//
// Files are written through a temporary file and renamed; a file becomes
// current only once it loaded. Message thread only.
class EffectUnitPanelBae : public ZuGuiBase
{
public:
    EffectUnitPanelBae() = default;
    ~EffectUnitPanelBae() override;

    // Hooks, in this order. The frame does nothing unless said.
    virtual void initialize();
    // Carries out a menu choice; anchor is where an overwrite question points.
    virtual void menuHandler(int id, juce::TextButton& anchor, juce::Component*);
    virtual void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName);
    // The subclass keeps presetFolder in the settings here.
    virtual void newPresetFolderPathIsSelected();
    // An empty element named presetName.
    virtual juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName);
    virtual void openPresetFolderPermDeniedWndw();
    virtual void openPresetFolderNotFoundWndw();

    // 0 overwrites the current file, 1 saves under a new name.
    void calloutBoxButtonIsClicked(int choice) override;

    enum MenuId
    {
        saveId = 1000,
        saveAsId = 1001,
        openFolderId = zu::presetfiles::openFolderItemId,
        setFolderId = zu::presetfiles::setFolderItemId,
        initializeId = zu::presetfiles::initializeItemId,
        firstFileId = 1005
    };

    juce::PopupMenu getMyMenu(bool filesOnly, bool withoutFiles);
    void addFilesToMenu(juce::PopupMenu& menu, juce::String folder);
    void savePreset(int id);
    void presetLoadHandler(int index);
    void presetSelectArrow(bool forward, juce::String& current, juce::String& refresh, juce::String presetName);

    // What runs once the user chose in a chooser (an empty file: cancelled).
    void saveAsFileChosen(const juce::File& chosen);
    void presetFolderChosen(const juce::File& chosen);

    juce::StringArray presetFiles;
    juce::String presetFolder;
    juce::String currentPresetPath;
    juce::String presetExtension;
    std::unique_ptr<juce::FileChooser> presetChooser;
    // A save-as name that the added extension turned into an existing file,
    // waiting for the overwrite answer.
    juce::String pendingOverwritePath;

private:
    bool writePreset(const juce::File& file);
    void askToOverwrite();

    juce::Component::SafePointer<juce::Component> lastAnchor;
};
