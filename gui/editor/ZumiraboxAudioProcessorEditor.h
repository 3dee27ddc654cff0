// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuFocusPolicy.h"
#include "ZuMainMenuHandler.h"
#include "ZuMessageWindows.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuMirabox_MainPanel.h"
#include "ZuShared.h"

#include "PluginProcessor.h"
#include "ZuEditorAccess.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

// The plug-in's editor: the one window the host shows. Everything is laid out
// for 1000 x 580 in the main panel, which one transform scales to the window;
// the window keeps that aspect ratio and its scale is a user setting. Panels
// find the editor as their nearest ancestor of this class to reach the
// processor and to parent their call-outs; it is also the drag-and-drop
// container of the window and takes preset archives dropped on it.
//
// While any editor is open the shared common look-and-feel is JUCE's default
// look-and-feel; the last editor to close resets the default, so a closing
// editor never leaves a look-and-feel in use that another one still needs.
//
// Message thread only.
class ZumiraboxAudioProcessorEditor : public ZuMainMenuHandler,
                                      public juce::AudioProcessorEditor,
                                      public juce::FileDragAndDropTarget,
                                      public juce::DragAndDropContainer,
                                      public juce::MultiTimer
{
public:
    ZumiraboxAudioProcessorEditor(ZumiraboxAudioProcessor& processor, MirabelGlobalData& globalData,
                                  CtrPtchSqData& pitchData, LfoData& lfoData, ScaleData& scaleData,
                                  ChordData& chordData, juce::ValueTree midiMapTree, juce::Value modPolarity,
                                  juce::Value hoveredSource);
    ~ZumiraboxAudioProcessorEditor() override;

    void menuItemSelected(int itemId) override;
    void resized() override;
    void handleCommandMessage(int commandId) override;
    bool isInterestedInFileDrag(const juce::StringArray& files) override;
    void filesDropped(const juce::StringArray& files, int x, int y) override;
    void timerCallback(int timerId) override;

    static constexpr int baseWidth = 1000;
    static constexpr int baseHeight = 580;
    static constexpr int minWidth = 550, minHeight = 319, maxWidth = 4000, maxHeight = 2320;
    static constexpr int stateLoadedCommand = 1000;
    // One-shot timers: resizing rules, preset name, visible skin.
    static constexpr int resizeRulesTimer = 9;
    static constexpr int presetNameTimer = 10;
    static constexpr int skinTimer = 11;
    static constexpr int resizeRulesDelayMs = 10;
    static constexpr int presetNameDelayMs = 200;
    static constexpr int skinDelayMs = 300;

    // Re-applies the skin after delayMs (again from then on at every call),
    // so that a changed setting such as a unit colour reaches every panel.
    void startSkinTimer(int delayMs) { startTimer(skinTimer, delayMs); }

    // Number of editors open in this process.
    static int getNumOpenEditors() noexcept { return numOpenEditors; }

    // Operations of the panels and floating windows.
    void unitNameChanged(int unitId, juce::String text);
    void closeModFloatWndw();
    void closeChordFloatWndw();
    int getModSrcPolarity(int unitType, int instance, int slot);
    // The message overlay: at most one, over the whole window; a new one
    // replaces the open one, and any click on it closes it.
    void openMessageWndw(const juce::String& title, const juce::String& text, float sizeFactor);
    void closeMessageWndw();
    ZuMessageWindow* getMessageWndw() const noexcept { return messageWindow.get(); }
    void calloutBoxButtonIsClicked(int answer);
    void openPluginMenu(juce::Button* button);
    void openPresetMenu(juce::Button* button);
    void presetArrow(int direction);

    // Whole-plug-in presets.
    void savePreset(int asNew);
    // What runs when the save-as chooser closes (an empty file: cancelled).
    // confirmedByChooser tells whether the chooser itself already asked
    // before replacing that very file.
    void saveAsChosen(const juce::File& result, bool confirmedByChooser);
    // Loads a preset archive; true when the processor took its state.
    bool loadPresetWithFile(const juce::File& file);
    void loadMyPreset(int id);
    void OpenPresetFolderNotFoundWndw();
    void openPresetFolderPermDeniedWndw();
    void openAboutWndw();

    // What the open message says, empty when none is shown.
    juce::String getShownMessageTitle() const { return shownMessageTitle; }
    juce::String getShownMessageText() const { return shownMessageText; }
    // The file an accepted save-as overwrite answer will write, empty when no
    // question is pending.
    juce::String getPendingOverwritePath() const { return pendingOverwritePath; }

    ZuMirabox_MainPanel* getMainPanel() noexcept { return mainPanel.get(); }
    juce::Colour getBackgroundColour() const noexcept { return background.colour; }

    // How the save-as chooser is started (tests replace it; the real one is a
    // JUCE file chooser in save mode). It must end in saveAsChosen.
    std::function<void(const juce::File& startFolder)> launchSaveAsChooser;

    // Texts of the message windows.
    static constexpr const char* folderNotFoundTitle = "Preset folder not found";
    static constexpr const char* permissionDeniedTitle = "Folder permission denied.";
    static constexpr const char* permissionDeniedText = "Please check the folder permissions.";
    static const juce::String aboutText;

private:
    // Shares first: every component below is destroyed before them.
    ZuShared<ZuCLAF_Base> lookAndFeel;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    // Controls anywhere in the window never take the keyboard focus; it
    // outlives every component it watches.
    ZuFocusPolicy focusPolicy;

    // Full-size background behind the panels.
    class ZuBgComp : public juce::Component
    {
    public:
        void paint(juce::Graphics& g) override { g.fillAll(colour); }
        juce::Colour colour{0xff000000};
    };
    ZuBgComp background;
    std::unique_ptr<ZuMirabox_MainPanel> mainPanel;
    std::unique_ptr<ZuMessageWindow> messageWindow;
    juce::String shownMessageTitle, shownMessageText;

public:
    // Refers to the processor's polarity toggle and to the hovered
    // modulation source ("off" while the editor opens).
    juce::Value modPolValue;
    juce::Value indctSrcValue;

private:
    const float baseAspect = (float) baseWidth / (float) baseHeight;
    juce::String pendingOverwritePath;

public:
    ZumiraboxAudioProcessor& processor;

private:
    ZuEditorAccess access{processor};
    std::unique_ptr<juce::FileChooser> fileChooser;

    static int numOpenEditors;

    void initializeAllParamValues();
    void applyResizeRules();
    // Resizes the host wrapper's window component along with the editor.
    void keepHostWindowInStep();
    void startSaveAsChooser(const juce::File& startFolder);
    // Writes the current state as the archive zip with the entry name +
    // ".zumira8"; tells the user when it could not.
    bool writePresetArchive(const juce::File& zip, const juce::String& name, const juce::String& nameToStore);
    void openSaveAsOverwriteCallout(const juce::String& fileName);
    juce::String presetFolder() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZumiraboxAudioProcessorEditor)
};
