// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuGuiBase.h"
#include "ZuShared.h"

// Small MIDI learn windows for a call-out beside a control: "Start Midi
// Learn", "Delete Midi Assign", an "Assigned CC" caption and a value line.
// Both command buttons only close the call-out; the windows never talk to
// the processor. The second window adds a button-mode switch that writes the
// caller's flag (the flag is the opposite of the switch).
class ZuMidiLearnWndw : public ZuGuiBase
{
public:
    ZuMidiLearnWndw(juce::Component* target, juce::String text, juce::Colour c1, juce::Colour c2, juce::Colour c3,
                    juce::Colour c4, juce::Colour c5, juce::Colour c6);
    ~ZuMidiLearnWndw() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseDown(const juce::MouseEvent&) override {}
    void exitWndw();

    juce::TextButton& getLearnButton() noexcept { return learnButton; }
    juce::TextButton& getDeleteButton() noexcept { return deleteButton; }
    juce::Label& getCaption() noexcept { return captionLabel; }
    juce::Label& getValueLabel() noexcept { return valueLabel; }

    // Lays the two buttons and two labels out in area, the value label on
    // its bottom edge.
    static void layoutLearnRows(juce::Rectangle<int> area, juce::Component& learn, juce::Component& remove,
                                juce::Component& caption, juce::Component& value);

private:
    ZuShared<ZuCLAF_Base> buttonLookAndFeel, labelLookAndFeel;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextButton learnButton{"Start Midi Learn"}, deleteButton{"Delete Midi Assign"};
    juce::Label captionLabel, valueLabel;
    // The control this window serves; it may go before the window.
    juce::Component::SafePointer<juce::Component> target;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMidiLearnWndw)
};

class ZuMidiLearnWndw2 : public ZuGuiBase
{
public:
    ZuMidiLearnWndw2(juce::Component* target, bool& buttonModeFlag, juce::String text, juce::Colour c1, juce::Colour c2,
                     juce::Colour c3, juce::Colour c4, juce::Colour c5, juce::Colour c6);
    ~ZuMidiLearnWndw2() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseDown(const juce::MouseEvent&) override {}
    void exitWndw();

    juce::TextButton& getLearnButton() noexcept { return learnButton; }
    juce::TextButton& getDeleteButton() noexcept { return deleteButton; }
    juce::TextButton& getModeSwitch() noexcept { return modeSwitch; }
    juce::Label& getCaption() noexcept { return captionLabel; }
    juce::Label& getValueLabel() noexcept { return valueLabel; }
    juce::Label& getModeCaption() noexcept { return modeCaption; }

private:
    ZuShared<ZuCLAF_Base> buttonLookAndFeel, labelLookAndFeel, switchLookAndFeel;
    juce::Colour c1, c2, c3, c4, c5, c6;
    juce::TextButton learnButton{"Start Midi Learn"}, deleteButton{"Delete Midi Assign"};
    juce::Label captionLabel, valueLabel, modeCaption;
    juce::TextButton modeSwitch;
    bool& buttonModeFlag;
    juce::Component::SafePointer<juce::Component> target;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMidiLearnWndw2)
};
