// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LFO_WaveformButton.h"
#include "LfoData.h"
#include "LfoDrawParams.h"
#include "LfoWaveDispPanel.h"
#include "ModSyncPanel.h"
#include "ProbSliderPanel.h"
#include "SahModeButton.h"
#include "SahWaveDispPanel.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_TargetButtons.h"
#include "ZuModulatableKnob.h"
#include "ZuValueFollower.h"

#include <array>
#include <utility>

// The editor of one modulation slot: rate, phase, offset, smoothing and
// level knobs, the shape switches, the waveform, sample-and-hold mode and
// sync selectors, the probability sliders and the two displays, shown, laid
// out and enabled after the slot's engine mode and power, which the slot
// editor that owns it holds.
class LfoPanel : public ZuGuiBase, public LfoEditorHooks
{
public:
    enum Knob
    {
        freeRate = 0,
        phase,
        offset,
        smooth,
        level,
        syncedRate,
        numKnobs
    };
    enum Switch
    {
        bipolarSwitch = 0,
        invertSwitch,
        squareSwitch,
        saturateSwitch,
        numSwitches
    };
    static constexpr int redrawTimer = 0;
    static constexpr int displayCheckTimer = 1;

    LfoPanel(ModSlotHooks& owner, std::pair<int, int> unitAndSlot, LfoData& data);
    ~LfoPanel() override;

    void setAttachment(juce::ValueTree slotNode, juce::String prefix);

    void visibilityChanged() override {}
    void parentHierarchyChanged() override {}
    void enablementChanged() override {}
    void resized() override;
    void timerCallback(int id) override;
    void setSkinMode(int skin) override;
    void colorMapping() override;
    void setBaseColor(const juce::Colour& c);
    void setBaseColor(juce::Colour& c) override { setBaseColor(static_cast<const juce::Colour&>(c)); }

    void modeButtonClicked() override;
    void powerButtonClicked();
    void syncMenuChanged() override;
    void showRateKnobFor(bool syncOn) override;
    void updateWaveDisp() override;
    LfoDrawParams getPramStatesForDrawPath() const override;

    // Written by the unit modulation panel; nothing here reads it.
    void setSeqTypeIndex(int kind) { seqTypeIndex = kind; }

    // The value text of a knob's main slider at value x.
    juce::String knobText(int knob, double x) const;

    // Kept for the floating slot window, which no panel builds. Both reach the
    // modulation slots of the five knobs of the first group only.
    void setModPolAndIndctSrcValue(juce::Value polarity, juce::Value indicator);
    void checkBipolarDisp();
    void setAttachment(juce::AudioProcessorValueTreeState&, juce::ValueTree, int) {}

    ZuModulatableKnob& getKnob(int k) { return knobs[(size_t) k]; }
    MappableButton& getSwitch(int k) { return switches[(size_t) k]; }
    LFO_WaveformButton& getWaveformSelector() noexcept { return waveSelector; }
    SahModeButton& getSahModeSelector() noexcept { return sahSelector; }
    LfoWaveDispPanel& getLfoDisplay() noexcept { return lfoDisplay; }
    SahWaveDispPanel& getSahDisplay() noexcept { return sahDisplay; }
    ProbSliderPanel& getProbSliders() noexcept { return probSliders; }
    ModSyncPanel& getSyncBlock() noexcept { return syncBlock; }
    bool hasSeparator() const { return separatorLayer.getNumChildComponents() > 0; }

private:
    void setUpKnob(ZuModulatableKnob& knob, const juce::String& name);
    juce::Colour unitColourFromEditor(juce::Colour fallback) const;

    ZuShared<ZuCLAF_LfoButton> switchLook;
    ZuShared<ZuCLAF_ModFlatKnob> knobLook;
    ZuShared<ZuParamAttacher> attacher;
    std::pair<int, int> unitAndSlot;
    LFO_WaveformButton waveSelector{0};
    LfoWaveDispPanel lfoDisplay;
    SahWaveDispPanel sahDisplay;
    ProbSliderPanel probSliders;
    ModSyncPanel syncBlock;
    std::array<MappableButton, numSwitches> switches;
    // Free rate, Phase, Offset, Smooth, Level, then the synced rate, which
    // takes the free rate's place while sync is on; two modulation slots each.
    std::array<ZuModulatableKnob, numKnobs> knobs{{ZuModulatableKnob{2}, ZuModulatableKnob{2}, ZuModulatableKnob{2},
                                                   ZuModulatableKnob{2}, ZuModulatableKnob{2}, ZuModulatableKnob{2}}};
    SahModeButton sahSelector;
    juce::Path separatorPath;
    juce::DrawablePath separator;
    juce::DrawableComposite separatorLayer;
    juce::Colour bgColour, baseColour;
    juce::StringArray divisionNames{"128/1", "64/1", "32/1", "16/1", "8/1",  "4/1",  "2/1",
                                    "1/1",   "1/2",  "1/4",  "1/8",  "1/16", "1/32", "1/64"};
    LfoData& lfoData;
    static constexpr int unitColourTable[LfoData::numUnits] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 4, 3, 3};
    ModSlotHooks& owner;
    int seqTypeIndex = 0;
    // Redraws the waveform whenever its knobs, switches or selector change,
    // also when the slot's tree changes them (a load).
    ZuValueFollower waveFollower;
};
