// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuButtonParts.h"

// On/off switches: power switches, the top strip's MIDI switches, lock
// switches, dice, edit, relative-mode and record switches. Each draws the
// whole face from the toggle and mouse state, the colour ids, its text or
// component name and a few style properties.

class ZuCLAF_PowerButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// The unit header's power switch: thin power icon, the unit number under it.
class ZuCLAF_NumbPwrButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

class ZuCLAF_SEQ1PowerButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// The face shared by the mute and channel-lock switches.
class ZuCLAF_TopStripSwitchFace : public ZuCLAF_Base
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Loudspeaker ("mute") or door ("thru") by component name.
class ZuCLAF_MuteButton : public ZuCLAF_TopStripSwitchFace
{
public:
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

class ZuCLAF_ChLockButton : public ZuCLAF_TopStripSwitchFace
{
public:
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// The text shared by the MIDI and lock switches: bold fitted text.
class ZuCLAF_FittedTextSwitch : public ZuCLAF_Base
{
public:
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;

protected:
    // The frame at alpha 1 under the mouse, 0.5 when toggled, else none.
    static void stateFrame(juce::Graphics& g, juce::Button& button, bool highlighted);
};

class ZuCLAF_MidiButton : public ZuCLAF_FittedTextSwitch
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

class ZuCLAF_LockButton : public ZuCLAF_FittedTextSwitch
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// "dice": a die under the "labeltext" caption; "lock": a padlock.
class ZuCLAF_DiceLockButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    ZuCLAF_DiceLockButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

private:
    juce::Path dice, lockClose, lockOpen;
};

class ZuCLAF_EditModeButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

class ZuCLAF_ChordEditButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Fader icon with the caption "RelMode".
class ZuCLAF_RelModeButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    ZuCLAF_RelModeButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

private:
    juce::Path fader;
};

class ZuCLAF_RecButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};
