// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockTypeButton.h"
#include "DispShareData.h"
#include "SEQ1CtrlPanel_StrtSizeBox.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_gui_basics/juce_gui_basics.h>

// How fast a sequencer unit steps: a tempo-synced division ("sclk", 14 note
// values, with its clock type and two modulation slots) or a free rate in Hz
// ("fclk"). The "sync" toggle ("csync") picks one; only the rate knob that
// applies is shown, in the same place. Message thread only.
class CenterPitchSeq_ClockPanel : public juce::Component, public juce::Value::Listener
{
public:
    CenterPitchSeq_ClockPanel();
    ~CenterPitchSeq_ClockPanel() override;

    // Binds prefix + "clktyp", "sclk" (and its slots), "fclk" and "csync",
    // writing the defaults 0, 11, 0.3 and 1 where missing.
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);
    // Shows the synced-rate knob and clock type with sync on, the free-rate
    // knob with sync off.
    void syncButtonClicked();
    void valueChanged(juce::Value& value) override;
    void setSkinMode(int skin);
    void resized() override;

    // "0.01 Hz" .. "20 Hz" for a free-rate value 0..1.
    static juce::String freeRateText(double value);

    juce::Slider& getSyncedRateKnob() noexcept { return syncedRateKnob; }
    juce::Slider& getFreeRateKnob() noexcept { return freeRateKnob; }
    ClockTypeButton& getClockType() noexcept { return clockType; }
    MappableButton& getSyncButton() noexcept { return syncButton; }
    ZuPairOfModKnobs& getModPair() noexcept { return modPair; }

private:
    juce::Colour entry(int e) const { return colorTheme->entry(e, skinMode); }
    void setUpRateKnob(juce::Slider& knob, const juce::String& tooltip);
    void colourRateKnob(juce::Slider& knob, juce::Colour unitColour, float trackAlpha);

    ZuShared<ZuCLAF_SEQ1Label> labelLook;
    ZuShared<ZuCLAF_Seq1NumbBox> knobLook;
    ZuShared<ZuCLAF_SEQ1SvgButton> syncLook;
    ZuShared<DispShareData> dispData;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    juce::Colour baseColor;
    int skinMode = 0;
    juce::Slider syncedRateKnob;
    juce::Slider freeRateKnob;
    ClockTypeButton clockType{false};
    MappableButton syncButton;
    ZuPairOfModKnobs modPair{true, 2};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_ClockPanel)
};

// The reset count of a sequencer unit ("rst", 0..1024, 0 = never): after
// that many steps the unit starts again from its start step. The count is
// typed into an entry window, never dragged. Message thread only.
class CenterPanel_Reset : public juce::Component
{
public:
    CenterPanel_Reset();
    ~CenterPanel_Reset() override;

    // Binds prefix + "rst", writing 0 when missing.
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);
    void setSkinMode(int skin);
    void resized() override;

    juce::Label& getCaption() noexcept { return caption; }
    ResetKnob& getKnob() noexcept { return knob; }

private:
    juce::Colour entry(int e) const { return colorTheme->entry(e, skinMode); }

    ZuShared<ZuCLAF_SEQ1Label> labelLook;
    ZuShared<ZuCLAF_Seq1NumbBox> knobLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    juce::Colour baseColor;
    int skinMode = 0;
    juce::Label caption;
    ResetKnob knob;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPanel_Reset)
};
