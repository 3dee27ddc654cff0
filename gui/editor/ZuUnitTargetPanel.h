// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

// A panel of unit target toggles, one per sequencer unit a global control
// applies to, each bound to a two-state host parameter stem + n. With
// thirteen buttons n runs over pitch 1..4, parameter 1..4, CC 1..4 and the
// octave-transpose unit; with four over pitch 1..4. A button is lit in the
// colour the user gave its unit kind; until the panel sits in an editor it
// shows the theme's unit colours. The panels that use it differ in their
// grid, which they lay out themselves. Message thread only.
class ZuUnitTargetPanel : public ZuGuiBase
{
public:
    // Unit groups of the buttons.
    enum Group
    {
        pitchGroup = 0,
        paramGroup,
        ccGroup,
        octTpGroup
    };

    ZuUnitTargetPanel(juce::AudioProcessorValueTreeState& state, const juce::String& parameterStem, int numButtons,
                      float fontSize, const juce::String& fontFace, bool recolourWhenReparented);
    ~ZuUnitTargetPanel() override;

    // Base colour from the skin, then the unit colours of the enclosing
    // editor's settings (nothing more outside an editor).
    void colorMapping() override;
    void parentHierarchyChanged() override;

    int getNumButtons() const noexcept { return (int) buttons.size(); }
    // The button of host parameter stem + n, n = 1..getNumButtons().
    MappableButton& getButton(int n) { return *buttons[(size_t) juce::jlimit(1, getNumButtons(), n) - 1]; }
    static Group groupOf(int n) noexcept { return (Group) juce::jlimit(0, 3, (n - 1) / 4); }

private:
    ZuShared<ZuCLAF_SwgTarButton> buttonLook;
    std::vector<std::unique_ptr<MappableButton>> buttons;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> attachments;
    const bool recolourOnReparent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuUnitTargetPanel)
};
