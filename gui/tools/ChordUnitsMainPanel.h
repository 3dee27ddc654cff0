// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EffectUnitPanelBae.h"
#include "NoteUnit.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The twelve chord units of the chord set editor, C to B side by side, each
// bound to its properties of the "param" tree. Note pickers inside it open
// their picker over this panel.
class ChordUnitsMainPanel : public EffectUnitPanelBae
{
public:
    static constexpr int numUnits = 12;

    // The parameter state is not used.
    ChordUnitsMainPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree paramTree);
    ~ChordUnitsMainPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;
    // Every unit to "Maj", root C, "Root", no notes, normal mode.
    void initialize() override;

    // Unit i writes its state into / restores it from child i of setTree,
    // where setTree has one.
    void getCurUnitsState(juce::ValueTree setTree);
    void updateUnitsStateFromVt(juce::ValueTree setTree);

    NoteUnit& getUnit(int i) noexcept { return units[(size_t) juce::jlimit(0, numUnits - 1, i)]; }

private:
    juce::DrawableComposite drawables;
    juce::DrawablePath dividers;
    std::array<NoteUnit, numUnits> units;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordUnitsMainPanel)
};
