// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the editor may reach of the processor: the host parameters, the three
// trees, the data models, the settings, the recorder lanes for dragging out a
// take, and the processor's operations on units, presets and MIDI learn. The
// editor holds one of these instead of reaching into the processor's fields;
// the processor's own members (the ones other parts name) stay where they are
// and these accessors lead to them.
//
// Message thread only. The models are read by the editor's timers (their
// cross-thread fields are atomics or double buffers) and written only through
// the trees and parameters.

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

class ZumiraboxAudioProcessor;
class PluginSettingState;
class ZuMidiRecEngine;

class ZuEditorAccess
{
public:
    explicit ZuEditorAccess(ZumiraboxAudioProcessor& processor) noexcept : p(processor) {}

    // Host parameters and trees.
    juce::AudioProcessorValueTreeState& getParameterState() const noexcept;
    juce::ValueTree getMainTree() const;
    juce::ValueTree getParamTree() const;
    juce::ValueTree getSnapTree() const;
    juce::ValueTree getMidiMapTree() const;
    // The editor follows this value (timers 0 and 1 toggle it), and holds the other.
    juce::Value getPolarityToggle() const;
    juce::Value getEditorValue() const;

    // The data models.
    MirabelGlobalData& getGlobalData() const noexcept;
    CtrPtchSqData& getPitchData() const noexcept;
    CtrPrmSqData& getParamSeqData() const noexcept;
    CtrCcSqData& getCcSeqData() const noexcept;
    CtrOctSqData& getOctTpData() const noexcept;
    CtrCcRackData& getCcRackData() const noexcept;
    LfoData& getLfoData() const noexcept;
    MacroData& getMacroData() const noexcept;
    ScaleData& getScaleData() const noexcept;
    ChordData& getChordData() const noexcept;

    PluginSettingState& getSettings() const noexcept;
    // A recorder lane 0..4 (clamped), for dragging its take out as a MIDI file.
    ZuMidiRecEngine& getRecorder(int lane) const noexcept;
    // The chord slot 0..11 whose custom notes the MIDI input enters, -1 for none.
    void setChordNoteTarget(int slot) const noexcept;

    // Unit operations (unit ids 1..15, kind and index as zu::units numbers them).
    void copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot) const;
    void initUnitParams(int kindIndex, int unitIndex) const;
    // A unit preset tree of a unit, and one loaded into a unit (the answer is
    // the message of a refused preset, empty when it loaded).
    void createVtForUnitPreset(juce::ValueTree& root, int kindIndex, int unitIndex) const;
    juce::String loadUnitStateFromVt(juce::ValueTree& tree, int kindIndex, int unitIndex) const;
    bool getModSrcPolarity(int kindIndex, int unitIndex, int slot) const;
    // Shifts a unit's step values: mode 0 left, 1 right, 2 up, 3 down.
    void shiftCenterSqParams(int kindIndex, int unitIndex, int mode) const;
    // Sets one step property (the set-all target index) of every unlocked
    // step of a unit's window.
    void setAllCenterSqParams(int kindIndex, int unitIndex, int target, float value) const;
    // Randomises (mode 0) or resets (any other mode) one step property
    // (1..n) or every unlocked one (0) of a unit's window.
    void rndRstCenterSqParams(int kindIndex, int unitIndex, int property, int mode) const;
    void initializeAllParamValues() const;

    // MIDI learn and presets.
    void startMidiLearn(const juce::String& parameterId) const;
    void midiUnLearn(const juce::String& parameterId) const;
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& nameOfPreset) const;
    void loadStateFromXML(juce::XmlElement* document, const juce::String& nameOfPreset) const;

private:
    ZumiraboxAudioProcessor& p;
};
