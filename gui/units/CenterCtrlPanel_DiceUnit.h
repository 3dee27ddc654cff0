// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_Switches.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The dice of one step property of a unit: a left click on the dice
// randomises that property of the unit's window, a right click resets it to
// the stored set-all value; the lock keeps the property out of "dice all";
// the range knob says how far a randomisation may move the values. The range
// ("_rndrng" + k) and lock ("_prmlck" + k) live in the GUI tree; the processor
// does the randomising. Inert until setLabelTextAndParamIdAndTree binds it.
// Message thread only.
class CenterCtrlPanel_DiceUnit : public juce::Component, public juce::MultiTimer
{
public:
    CenterCtrlPanel_DiceUnit();
    ~CenterCtrlPanel_DiceUnit() override;

    void setLabelTextAndParamIdAndTree(juce::String label, juce::String rangeKey, int unitType, int instance,
                                       int property, juce::ValueTree guiTree);
    void lockButtonClicked();
    void timerCallback(int timerId) override;
    void setSkinMode(int skin);
    void resized() override;

    // Slur and on/off of a pitch unit and on/off of the others are either on
    // or off: no range to set.
    static bool isTwoValued(int type, const juce::String& label);
    // The unit colour the user chose for a unit type, from the settings of
    // the enclosing editor; light grey outside an editor.
    // The theme's kind colour entry of a unit type (the theme's kind entries
    // follow the colour page's order, where the octave-transpose unit is last).
    static int kindEntryOf(int type);
    static juce::Colour unitColourOf(const juce::Component& inside, int type);

private:
    ZuShared<ZuCLAF_RndRngSlider> rangeLook;
    ZuShared<ZuCLAF_DiceLockButton> diceLook;
    ZuShared<ZuCLAF_SEQ1SvgButton> lockLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;

public:
    RndButton diceButton;
    juce::TextButton lockButton;
    juce::Slider rangeKnob;
    int unitType = 0;
    int instance = 0;
    int property = 0;
    juce::String stem;
    juce::String labelText;
    juce::Colour baseColor;
    int skinIndex = 0;
    juce::Identifier rangeKey{"none"};
    juce::ValueTree guiTree;

private:
    void diceClicked();
    juce::Identifier lockKey() const;
    void showRangeKnob();
    void paintKindColour(juce::Colour kindColour);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCtrlPanel_DiceUnit)
};
