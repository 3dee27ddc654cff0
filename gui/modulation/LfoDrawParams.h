// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

// The shape settings of one modulation slot as its LFO display draws them.
struct LfoDrawParams
{
    bool bipolar = false;
    bool saturate = false;
    bool square = false;
    bool invert = false;
    float level = 1.0f;
    float phase = 0.0f;
    float offset = 0.5f;
    int waveform = 0;
};

// Whoever hands a LFO display the shape it draws: the slot's LFO editor.
class LfoDrawParamSource
{
public:
    virtual ~LfoDrawParamSource() = default;
    virtual LfoDrawParams getPramStatesForDrawPath() const = 0;
};

// What the widgets inside a slot's LFO editor ask of it, upward.
class LfoEditorHooks : public LfoDrawParamSource
{
public:
    // Redraws the wave display shortly, once per burst of changes.
    virtual void updateWaveDisp() = 0;
    // Re-reads the sync switch and shows the matching rate knob.
    virtual void syncMenuChanged() = 0;
    // Shows the synced-rate knob when sync is on, the free-rate knob when off.
    virtual void showRateKnobFor(bool syncOn) = 0;
    // Re-applies the visibility and layout of the slot's engine mode.
    virtual void modeButtonClicked() = 0;
};

// What the widgets of a slot editor ask of the slot editor, upward.
class ModSlotHooks
{
public:
    virtual ~ModSlotHooks() = default;
    // Shows the LFO editor and re-applies the layout of the slot's mode.
    virtual void modeButtonClicked() = 0;
    // The slot's power and engine mode (0 LFO, 1 sample-and-hold, 2
    // probability LFO, clamped).
    virtual std::pair<bool, int> getCurOnOffAndModeState() const = 0;
};
