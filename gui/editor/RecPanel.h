// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DdMidiFileItem.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_MenuStripButtons.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_Switches.h"
#include "ZuCLAF_TargetButtons.h"
#include "ZuGlobalPanelParts.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The ten units one recording track takes ("p0_rectrk" + t + "tarunit" + k
// of "otherparams"): pitch units 1..4, CC units 1..4, CC racks 1 and 2.
class RecTrkPanel : public juce::Component
{
public:
    RecTrkPanel(juce::ValueTree paramTree, int track, juce::Colour background, zu::global::UnitColours unitColours);
    ~RecTrkPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    ZuShared<ZuCLAF_SwgTarButton> buttonLook;
    juce::Colour background;
    int trackIndex;

public:
    juce::Label label;
    std::array<juce::TextButton, 10> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(RecTrkPanel)
};

// The content of the recorder's EDIT call-out: the targets of tracks 1..4.
class RecEditPanel : public juce::Component
{
public:
    RecEditPanel(juce::ValueTree paramTree, juce::Colour background, zu::global::UnitColours unitColours);
    ~RecEditPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    juce::Colour background;

public:
    juce::Label heading;
    std::array<std::unique_ptr<RecTrkPanel>, 4> tracks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(RecEditPanel)
};

// The box "5 Track Midi Recorder". The record button arms all five
// recorder lanes while the host is stopped; the next host start records the
// set number of bars ("p0_recleng"); each lane that caught MIDI then offers
// its take as a drag item. The panel writes only the armed flags and follows
// the engine through the global model's recorder flags, polled on timers.
// Message thread only.
class RecPanel : public juce::Component,
                 public juce::ComponentListener,
                 public juce::MultiTimer,
                 public juce::AsyncUpdater
{
public:
    RecPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree paramTree, MirabelGlobalData& globalData);
    ~RecPanel() override;

    void setSkinMode(int skin);
    // Opens the target call-out (inside an editor only).
    void editButtonClicked();
    void timerCallback(int timerId) override;
    void handleAsyncUpdate() override;
    void componentBeingDeleted(juce::Component& component) override;
    void resized() override;

    // Timers: armed poll, recorder state poll, its delay, the items' refresh.
    static constexpr int armedTimer = 0, stateTimer = 1, stateDelayTimer = 2, itemsTimer = 3;
    static constexpr int armedPollMs = 300, statePollMs = 40, stateDelayMs = 100, itemsFirstMs = 200,
                         itemsAfterTakeMs = 100, recordButtonShowMs = 1000;

    // The open EDIT call-out, if any.
    juce::CallOutBox* getEditCallOut() const noexcept { return editCallOut.getComponent(); }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_ModOpenButton> editLook;
    ZuShared<ZuCLAF_RecButton> recordLook;
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;
    ZuShared<ZuParamAttacher> attacher;
    juce::Colour baseColor;
    int skinMode = 0;

public:
    juce::Label titleLabel, lengthLabel;
    juce::Slider lengthBox;
    juce::TextButton editButton, recordButton;
    std::array<std::unique_ptr<DdMidiFileItem>, 5> items;

private:
    juce::ValueTree paramTree;
    MirabelGlobalData& globalData;
    juce::Component::SafePointer<juce::CallOutBox> editCallOut;

    void recordButtonClicked();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(RecPanel)
};
