// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <atomic>
#include <memory>

// What belongs to the user rather than to a song: preset folders, window size
// and scale, editor preferences, unit colours and the learnt MIDI controllers.
// One settings file per user ("ZU-MIRA8.ini" under ~/.config/Zurvana/ZU-MIRA8),
// read once by every instance and rewritten whenever a setting changes; the
// last instance that saves wins.
//
// Everything here runs on the thread that builds the processor or on the
// message thread, except the members the MIDI input and the state load share
// with other threads, which are atomics.
class PluginSettingState
{
public:
    static constexpr int numMidiMapEntries = 128;
    static constexpr int numUnitColors = 5;
    static constexpr int numUnitKinds = 5;
    static constexpr int defaultWidth = 1140;
    static constexpr int defaultHeight = 650;
    static constexpr float minScaleFactor = 0.4f;
    static constexpr float maxScaleFactor = 8.0f;
    static constexpr int maxSkinMode = 15;
    static constexpr int maxMidiTpNote = 127;

    // Unit colours, in the order of the colour page.
    enum UnitColorIndex
    {
        pitchColor = 0,
        paramColor,
        ccColor,
        ccRackColor,
        octTpColor
    };

    PluginSettingState();
    virtual ~PluginSettingState();

    virtual void setPresetFolderPath(juce::String path);
    virtual void setCurPresetPath(juce::String path);
    virtual void setPresetName(juce::String name);
    virtual juce::String getPresetName() const;

    // Opens the settings file and reads every key; a missing, damaged or
    // unreadable file leaves every member at its default. Does not write.
    void getSettingFile();
    // Writes every key and saves the file when anything changed. Does nothing
    // before getSettingFile has opened the file.
    void updateAndSaveSettingFile();
    // Opens an asynchronous folder chooser (needs the desktop); the choice
    // goes through presetFolderChosen.
    void selectPresetFolderLocation();
    // What a confirmed folder choice does: an existing folder becomes the
    // preset folder and the file is saved. Returns false (and changes
    // nothing) for a cancelled choice or a path that is not a folder.
    bool presetFolderChosen(const juce::File& folder);
    // Clears every MIDI map entry that repeats an earlier one, so the lowest
    // controller number keeps a parameter that several controllers shared.
    void midiMapDuplicationCheck();
    // Called after every change of the MIDI map made here (file read,
    // duplicates cleared); the processor rebuilds its audio-thread copy.
    virtual void midiMapChanged() {}
    void presetIsTweaked();
    void setLastWidthHeight(juce::Point<int> size);
    juce::Point<int> getLastWidthHeight() const;
    void setScaleFactor(float factor);
    void setRightCornerResizeState(bool state);
    void setWidthModeState(bool state);
    void setLoadedPresetModifiedFlag(bool flag);

    // Where the settings file lives and how it is opened.
    juce::PropertiesFile::Options getSettingFileOptions() const;
    juce::File getSettingFileLocation() const;
    juce::String getDefaultPresetFolder() const;

    // Members, in this order.
    bool openGlOnOff = false;
    juce::File makerFolder;
    juce::String curPresetPath;
    juce::String lastSaveFolder;
    juce::Value presetName;
    juce::String scalePresetFolder;
    juce::String chordPresetFolder;
    juce::String customChordPresetFolder;
    // Indexed by unit kind: 0 pitch, 1 parameter, 2 CC, 3 octave-transpose, 4 CC rack.
    std::array<juce::String, numUnitKinds> unitPresetFolders;
    bool presetModified = false;
    int skinMode = 1;
    bool modPanelByDefault = false;
    bool pitchPanelByDefault = false;
    int lastWidth = defaultWidth;
    int lastHeight = defaultHeight;
    float scaleFactor = 1.0f;
    bool rightCornerResize = true;
    bool widthMode = false;
    // Raised until the first state load or the end of the start-up phase.
    std::atomic<bool> startUpFlag{true};
    // Raised while the processor builds its models and while a state is saved or loaded.
    std::atomic<bool> stateTransferFlag{false};
    juce::ValueTree midiMapTree{"MidiMapState"};
    std::atomic<bool> learnArmed{false};
    // Entry c holds the host parameter identifier that controller c drives, "" for none.
    // The map and the learn target are message-thread text: the audio thread
    // must work from a lock-free mirror of its own, never from these strings.
    std::array<juce::String, numMidiMapEntries> midiMap;
    juce::String learnTarget;
    juce::ValueTree presetInfo{"PresetInfo"};
    juce::Value presetLocation;
    // Base note of MIDI keyboard transposition, 0..127 ("miditpnote").
    std::atomic<int> midiTpNote{0};
    std::unique_ptr<juce::FileChooser> folderChooser;
    std::array<juce::Colour, numUnitColors> unitColors;

private:
    // The values the settings file holds once the first save opened it; they
    // start from what getSettingFile read (the file is never parsed twice:
    // it is untrusted text) and note whether a save changed any of them.
    struct SettingValues : juce::PropertySet
    {
        using juce::PropertySet::PropertySet;
        void propertyChanged() override { changed = true; }
        bool changed = false;
    };
    // What getSettingFile read, and from where.
    juce::StringPairArray settingsRead;
    juce::File settingFilePath;
    std::unique_ptr<SettingValues> settingValues;
    SettingValues* openedSettingFile();
    static bool writeSettingFileReplacing(SettingValues& settings, const juce::File& target);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PluginSettingState)
};
