// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChPanel.h"
#include "KeyboardMenu.h"
#include "SEQ1CtrlPanel_StrtSizeBox.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

class ZuMirabox_CenterPitchSeqPanel;

// The first control page of a pitch sequencer unit: how the unit plays, as
// opposed to what its steps hold. Direction, clock, reset count, MIDI
// channel, the play window (Start, Size), the unit's octave and transpose,
// and the relative pitch mode with its base note.
//
// Everything the user sets lives in the unit's data tree ("ptchsq1".. of
// "seqmain"), keys prefixed "p1m11_".."p1m14_"; only the channel box is bound
// to a host parameter. The relative mode is applied whenever the stored mode
// changes (a click, a state load, an undo), so the steps always follow it.
//
// Message thread only.
class CenterPitchSeq_CtrlPanel1 : public juce::Component, public juce::Value::Listener
{
public:
    CenterPitchSeq_CtrlPanel1(int instance, ZuMirabox_CenterPitchSeqPanel& panel);
    ~CenterPitchSeq_CtrlPanel1() override;

    // Binds every widget but the channel box to the unit tree (writing the
    // missing defaults), then applies the stored relative mode.
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);
    // Binds the channel box to the unit's channel host parameter.
    void setAttachment(juce::AudioProcessorValueTreeState& state);
    void setSkinMode(int skin);
    // Applies the relative-mode toggle's state to the unit's steps and
    // set-all panel, and shows the base-note widgets only while it is on.
    void relModeButtonClicked();
    void valueChanged(juce::Value& value) override;
    void resized() override;

    // The base-note picker's text of MIDI note 0..127: "-C2" .. "-B1", "C0" ..
    // "G8" (the octave is note / 12 - 2, its sign in front of the name).
    static juce::String noteText(int note);
    // The value rounded down, without a fraction or a sign for positives.
    static juce::String wholeNumberText(double value);

    // The calls into the pitch unit panel that owns this page: the relative
    // mode reaching its 32 steps and its set-all panel, and a change of the
    // play window (Start or Size). Nothing is called while they are empty.
    std::function<void(bool)> onRelativeModeChanged;
    std::function<void()> onStepRangeChanged;

private:
    ZuShared<ZuCLAF_RelModeButton> relModeLook;
    ZuShared<ZuCLAF_BaseNoteMenu> baseNoteLook;
    ZuShared<ZuCLAF_Label> labelLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;

    juce::Colour entry(int e) const { return colorTheme->entry(e, skinIndex); }

public:
    const int instance;
    // Set by the owning unit panel from its expand toggle before each layout.
    bool expanded = false;
    juce::Colour baseColor;
    int skinIndex = 0;

    MappableButton relModeButton;
    juce::Label baseNoteLabel;
    KeyboardMenu2 baseNoteMenu;
    ZuPairOfModKnobs baseNoteModKnobs{true, 2};
    // Places of the direction selector, the clock panel and the reset-count
    // panel, laid out and added like the widgets that fill them.
    juce::Component dirButton;
    juce::Component clockPanel;
    juce::Component resetPanel;
    ChPanel chPanel;
    SEQ1CtrlPanel_StrtSizeBox strtBox{true, false};
    SEQ1CtrlPanel_StrtSizeBox sizeBox{true, false};
    SEQ1CtrlPanel_StrtSizeBox octBox{true, false};
    SEQ1CtrlPanel_StrtSizeBox tpBox{true, false};

    ZuMirabox_CenterPitchSeqPanel& ownerPanel;

private:
    juce::Colour unitColour() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_CtrlPanel1)
};
