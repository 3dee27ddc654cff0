// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <unordered_map>

// Where dragged-out MIDI files are written: a folder only this user may
// enter (mode 0700) in the temporary folder, or, when that name is taken by
// anything but such a folder of ours, one under the user's own cache folder.
// Every drag gets a file of its own, created exclusively under a new name, so
// no other user's file or link is ever written and a drop still reading an
// earlier file keeps it. Files older than a day are removed at the next drag.
namespace zu::midifiles
{
// The folder, made when missing; an invalid File when none can be made safe.
juce::File privateFolder();
// A new file in folder named stem + a unique suffix + ".mid", created
// exclusively (never an existing file or link) and filled with bytes; an
// invalid File when it could not be written (nothing is left behind).
juce::File writeNewFile(const juce::File& folder, const juce::String& stem, const juce::MemoryBlock& bytes);
// Removes this folder's earlier MIDI files older than maxAge, except keep.
void removeOldFiles(const juce::File& folder, const juce::File& keep, juce::RelativeTime maxAge);
} // namespace zu::midifiles

// One recorder lane's finished take, offered as a standard MIDI file: a press
// with any mouse button writes the file and starts dragging it out of the
// window, to a host's MIDI track or the desktop (the file is copied, never
// moved). Lane 0 ("all") holds everything the units sent while recording,
// lanes 1..4 the tracks 1..4. Message thread only.
class DdMidiFileItem : public juce::Component, public juce::DragAndDropContainer, public juce::SettableTooltipClient
{
public:
    // name: "midifile1".."midifile5" for lanes 0..4.
    DdMidiFileItem(juce::String name, juce::Colour iconColour);
    ~DdMidiFileItem() override;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent&) override {}
    void paint(juce::Graphics& g) override;
    void resized() override;

    int getLane() const;
    // "MidiRecAll" for lane 0, "MidiRec1".."MidiRec4".
    juce::String getTrackName() const;
    // The lane's take as the file holds it: the finished take of the
    // enclosing editor's processor (empty without one), then the track name
    // at tick 0 after every event already there.
    juce::MidiMessageSequence buildTrack() const;
    // The file bytes: format 1, one track, 960 ticks per quarter note.
    static juce::MemoryBlock fileBytes(const juce::MidiMessageSequence& track);
    // Writes the lane's file (what a press does before the drag); an invalid
    // File when it could not be written.
    juce::File writeMidiFile() const;

    // Starts the external drag of the written file; true when it started.
    // Tests replace it (the real one needs the window system's pointer).
    std::function<bool(const juce::File&)> startDrag;

    juce::Colour backgroundColour{0xff202020};

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Base> textLook;
    juce::String itemName;
    juce::Colour iconColour;
    juce::Path iconOutline;
    juce::DrawablePath iconDrawable, textDrawable;
    juce::DrawableComposite drawables;
    juce::Rectangle<int> innerArea;
    std::unordered_map<juce::String, int> laneOfName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DdMidiFileItem)
};
