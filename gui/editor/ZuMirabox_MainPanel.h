// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"
#include "ZuGuiBase.h"
#include "ZuKern_TooltipPanel.h"
#include "ZuMiraCollection2_MenuPanel.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"
#include "ZuMirabox_BottomPanel.h"
#include "ZuMirabox_CenterPanelMain.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The editor's one child: always 1000 x 580 in its own coordinates (the
// editor scales it). It holds the top strip (the MIDI switches and the menu
// strip), the center unit container, a separator, the bottom panel and the
// tooltip strip, and relays the editor-wide events (a state was loaded,
// everything was initialised, scale or chord settings changed, a floating
// window closed, the skin changed) to the panels that react to them.
class ZuMirabox_MainPanel : public ZuGuiBase
{
public:
    ZuMirabox_MainPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree mainTree,
                        juce::ValueTree paramTree, juce::ValueTree midiMapTree, MirabelGlobalData& globalData,
                        CtrPtchSqData& pitchData, LfoData& lfoData, ScaleData& scaleData, ChordData& chordData,
                        juce::Value modPolValue, juce::Value indctSrcValue);
    ~ZuMirabox_MainPanel() override;

    void resized() override;
    void timerCallback(int timerId) override;
    void colorMapping() override;

    void presetIsChanged();
    void initAllTriggered();
    void scaleParamChanged();
    void chordParamChanged();
    void closeModFloatWndw();
    void closeChordFloatWndw();

    static constexpr int chordWindowTimer = 0;
    static constexpr int chordWindowDelayMs = 100;
    static constexpr int firstSettingsDelayMs = 500;

    // How many state loads reached this panel (the center units and the
    // bottom pages rebuild on each).
    int getNumPresetChanges() const noexcept { return numPresetChanges; }
    int getNumScaleUpdates() const noexcept { return numScaleUpdates; }

private:
    ZuShared<ZuCLAF_Base> baseLookAndFeel;
    ZuShared<ZuCLAF_Label> labelLookAndFeel;
    ZuShared<ZuCLAF_MidiButton> midiButtonLookAndFeel;
    ZuShared<ZuParamAttacher> attacher;

public:
    ZuMirabox_CenterPanelMain centerContainer;
    ZuMirabox_BottomPanel bottomPanel;
    ZuKern_TooltipPanel tooltipPanel;
    ZuMiraCollection2_MenuPanel menuPanel;
    juce::Label midiLabel;
    MappableButton muteButton, thruButton;
    juce::TextButton chLockButton;
    juce::DrawablePath separator;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> muteAttachment, thruAttachment;
    int numPresetChanges = 0;
    int numScaleUpdates = 0;

    void setUpSwitch(juce::TextButton& button, const juce::String& text, const juce::String& tooltip);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_MainPanel)
};
