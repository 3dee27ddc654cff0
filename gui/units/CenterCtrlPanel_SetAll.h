// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DispShareData.h"
#include "SEQ1CtrlPanel_StrtSizeBox.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// The set-all page of a sequencer unit: pick one step property, pick a value,
// and every unlocked step of the unit's play window takes it; the shift
// arrows move the picked property. The page only keeps the user's choices in
// the GUI tree ("_setall_tar", "_setall_val" + k); the processor edits the
// steps. A unit type (0 pitch, 1 parameter, 2 CC, 3 octave-transpose) picks
// its targets and value boxes. Message thread only.
class CenterCtrlPanel_SetAll : public juce::Component, public juce::MultiTimer
{
public:
    CenterCtrlPanel_SetAll(int unitType, int instance, juce::ValueTree guiTree);
    ~CenterCtrlPanel_SetAll() override;

    // Stores the picked target and shows its value box.
    void tarMenuChanged();
    void timerCallback(int timerId) override;
    void setSkinMode(int skin, juce::Colour unitColour);
    void parentHierarchyChanged() override;
    void resized() override;

    // How many value boxes (8, 3, 3, 4) and targets (8, 4, 4, 5) a unit type
    // has; 0 for other types.
    static int numSliders(int type) noexcept;
    static int numTargets(int type) noexcept;
    // The value box a pitch unit shows for "Note" in relative mode.
    static constexpr int relativeNoteSlider = 7;

    // Whether the unit this page sits in plays its notes relative to a base
    // note: false outside a pitch unit or an editor.
    bool isInRelativeMode() const;

private:
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;
    ZuShared<ZuCLAF_FlatMenu> menuLook;
    ZuShared<ZuCLAF_SEQ1Label> captionLook;
    ZuShared<DispShareData> dispShare;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;

public:
    const int unitType;
    const int instance;
    const juce::String stem;
    juce::Colour baseColor;
    int skinIndex = 0;
    std::array<juce::Label, 2> captions;
    juce::ComboBox targetMenu;
    std::array<juce::Slider, 8> sliders;
    SEQ1ArrowButton arrows;
    const juce::Identifier targetKey;
    juce::ValueTree guiTree;

private:
    void showOnly(int sliderIndex);
    juce::Identifier valueKey(int sliderIndex) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCtrlPanel_SetAll)
};
