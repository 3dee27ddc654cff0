// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuMirabox_ColorTheme.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <optional>

class ZumiraboxAudioProcessorEditor;
class ZuMirabox_MainPanel;
class PluginSettingState;

// What the chord and scale tools share: the note names and piano tables, the
// note pickers' item scheme with its host-dependent octave numbers, the way
// to the editor and its main panel, and the section title style. Message
// thread only.
namespace zu::tools
{
constexpr int numPitchClasses = 12;
constexpr int numMidiNotes = 128;
constexpr int numChordTypes = 20;

// "C" .. "B" for pitch classes 0..11.
const juce::String& noteName(int pitchClass);
// Whether pitch class 0..11 is a white key.
bool isWhiteKey(int pitchClass) noexcept;

// Pitch classes of the white keys C D E F G A B, then of the black keys
// C# D# F# G# A#: the order the one-octave keyboards lay their keys out in.
inline constexpr std::array<int, numPitchClasses> keyOrder{0, 2, 4, 5, 7, 9, 11, 1, 3, 6, 8, 10};

// The octave the host calls MIDI octave 0 minus this (d): 0 for
// "FruityLoops" (note 60 reads C5), 1 for "ProTools", the Cakewalk hosts and
// "Reaper" (C4), 2 for every other host (C3).
int octaveNumberOffset();

// A note as the pickers show it: "-" when its octave number is negative, the
// note name, then the octave number without sign (with d = 2: -C2, C3, G8).
juce::String noteText(int note, int d);
// An octave number as the pickers' headings show it: "+" before a positive one.
juce::String octaveText(int octave);

// The note picker items: id 1 "-" (no note), then eleven sub-menus, one per
// octave, holding MIDI note n as id n + 2. So the item index is 0 for no
// note and n + 1 for note n.
void addNoteItems(juce::ComboBox& box, int d);

// Keeps a control from taking the keyboard focus when clicked, so the host
// keeps its shortcuts.
void noFocus(juce::Component& c);

// The plug-in editor among the component's ancestors, its main panel and the
// processor's settings; null when the component is not inside an editor.
ZumiraboxAudioProcessorEditor* editorOf(const juce::Component& c);
ZuMirabox_MainPanel* mainPanelOf(const juce::Component& c);
PluginSettingState* settingsOf(const juce::Component& c);
// Sets the processor's chord note entry target (-1 ends entry); nothing
// without an editor among the ancestors.
void setChordNoteTarget(const juce::Component& c, int slot);
// The processor's first unit colour (pitch units), when inside an editor.
std::optional<juce::Colour> pitchUnitColour(const juce::Component& c);

// The look of the chord and scale sections' titles.
void styleSectionTitle(juce::Component& owner, juce::Label& title, ZuCLAF_Label2& lookAndFeel, juce::Colour base,
                       juce::Colour text, float fontSize);
// What the sections' colour mapping changes of a title.
void recolourSectionTitle(juce::Label& title, juce::Colour base);

// The chord and scale sections' power toggle (an icon), at construction
// and as the sections' colour mapping leaves it.
void stylePowerButton(juce::Component& owner, juce::Button& power, juce::LookAndFeel& lookAndFeel,
                      const juce::String& tooltip, float iconScale, juce::Colour base);
void recolourPowerButton(juce::Button& power, juce::Colour base, juce::Colour textOff);
// What both sections' colour mapping does to their two titles and power.
void recolourSectionHeader(juce::Label& title, juce::Label& targets, juce::Button& power, juce::Colour base);

// The target-toggle look shared by the target panels and the scale mode
// selector: a plate lit in the pitch unit colour, transparent outline.
void styleTargetToggle(juce::Button& b, const ZuMirabox_ColorTheme& theme, float fontSize, const juce::String& face);

// The call-out a panel opened and listens to. A new box replaces the last
// one (which then no longer reports), and when the panel goes first the box
// stops reporting to it and closes. Message thread only.
class WatchedCallOut
{
public:
    explicit WatchedCallOut(juce::ComponentListener& owner) : listener(owner) {}
    ~WatchedCallOut();
    void watch(juce::CallOutBox& box);
    // Shows content in a call-out over parent pointing at anchor, filled and
    // outlined so, and follows it.
    void launch(std::unique_ptr<juce::Component> content, juce::Component& anchor, juce::Component& parent,
                juce::Colour fill, juce::Colour outline);
    juce::CallOutBox* get() const noexcept { return current.getComponent(); }

private:
    juce::ComponentListener& listener;
    juce::Component::SafePointer<juce::CallOutBox> current;

    JUCE_DECLARE_NON_COPYABLE(WatchedCallOut)
};

// A menu shown from a panel's button, placed at the mouse, at most 16 columns.
juce::PopupMenu::Options menuOptionsAtMouse(juce::Component& target, int minimumWidth, int itemHeight);
} // namespace zu::tools
