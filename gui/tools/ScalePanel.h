// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScaleEditPanel.h"
#include "ScaleSelectors.h"
#include "ScaleType1Panel.h"
#include "ToolTargetPanels.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The scale section of the scale page: scale power ("p8_scale_pwr"), LOCK
// ("p0_scalelock" of the "param" tree: loaded states keep the scale), the
// order of transposition and scale, the key panel and the four pitch unit
// targets. The scale mode selector is built and bound but given no area. It
// relays the editor's preset, initialise and scale-change events to the key
// panel. Message thread only.
class ScalePanel : public ZuGuiBase
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SvgButton> powerLook;
    ZuShared<ZuCLAF_LockButton> lockLook;

public:
    ScalePanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree guiTree, juce::ValueTree paramTree,
               MirabelGlobalData& globalData, ScaleData& scaleData);
    ~ScalePanel() override;

    void resized() override;
    void paint(juce::Graphics& g) override;
    void colorMapping() override;
    void onoffButtonClicked();
    // After a state load: the key panel shows the loaded keys and name.
    void presetIsChanged();
    void initAllTriggered();
    void scaleParamChanged();

    juce::Label titleLabel;
    juce::TextButton powerButton, lockButton;
    ScaleModeButton modeSelector;
    TpScaleOrderButton orderSelector;
    ScaleType1Panel type1Panel;
    juce::Label targetsLabel;
    ScaleTargetPanel targetPanel;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ScalePanel)
};
