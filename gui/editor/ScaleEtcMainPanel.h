// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordPanel.h"
#include "OctTpPanel.h"
#include "RecPanel.h"
#include "ResetPanel.h"
#include "ScalePanel.h"
#include "SwingPanel.h"
#include "ZuCLAF_Base.h"
#include "ZuGuiBase.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The bottom area's "Main" page: swing, global octave and transpose, the
// chord section, the scale section, restart and resync, and the MIDI
// recorder side by side in one band, with thin lines between them. The page
// lays them out, passes the skin on and relays the editor's events to the
// scale and chord sections. Message thread only.
class ScaleEtcMainPanel : public ZuGuiBase
{
public:
    ScaleEtcMainPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, juce::ValueTree paramTree,
                      MirabelGlobalData& globalData, ScaleData& scaleData);
    ~ScaleEtcMainPanel() override;

    void presetIsChanged();
    void initAllTriggered();
    void scaleParamChanged();
    void checkChordEditWndw();
    void closeChordFloatWndw();

    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuCLAF_Base> baseLook;

public:
    juce::DrawablePath separators;
    SwingPanel swingPanel;
    OctTpPanel octTpPanel;
    ScalePanel scalePanel;
    ChordPanel chordPanel;
    ResetPanel resetPanel;
    RecPanel recPanel;

private:
    juce::ValueTree guiTree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ScaleEtcMainPanel)
};
