// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCtrlPanel_DiceUnit.h"

#include <array>

// The randomise row of a sequencer unit: one "dice all" button and one dice
// unit per step property of the unit type (7 pitch, 3 parameter, 3 CC,
// 4 octave-transpose). The columns sit at the same places for every type.
// Message thread only.
class CenterCtrlPanel_RndPanel : public juce::Component
{
public:
    CenterCtrlPanel_RndPanel(int unitType, int instance, juce::ValueTree guiTree);
    ~CenterCtrlPanel_RndPanel() override;

    void setSkinMode(int skin);
    void resized() override;

    // The dice labels of a unit type, in the processor's property order.
    static juce::StringArray diceLabels(int type);

private:
    ZuShared<ZuCLAF_DiceLockButton> diceLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;

public:
    std::array<CenterCtrlPanel_DiceUnit, 7> diceUnits;
    RndButton diceAllButton;
    juce::ValueTree guiTree;
    juce::Colour baseColor;
    int skinIndex = 0;
    const int unitType;
    const int instance;
    const juce::String stem;
    const int numDice;

private:
    void diceAllClicked();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCtrlPanel_RndPanel)
};
