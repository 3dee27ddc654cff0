// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChainerStepPanel.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The chainer's cycle length ("p0_chrsize", 2..16 steps) and speed
// ("p0_chrspd", "16/1".."1/4" bars a step).
class ChainerCtrlPanel : public juce::Component, public juce::Value::Listener
{
public:
    ChainerCtrlPanel();
    ~ChainerCtrlPanel() override;

    void setAttachments(juce::ValueTree paramTree);
    void setSkinMode(int skin);
    // A new cycle length enables the step boxes within it.
    void valueChanged(juce::Value& value) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;
    ZuShared<ZuParamAttacher> attacher;
    juce::Colour backgroundColour;
    const juce::StringArray speedTexts{"16/1", "8/1", "4/1", "2/1", "1/1", "1/2", "1/4"};

public:
    juce::Label sizeLabel, speedLabel;
    juce::Slider sizeBox, speedBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerCtrlPanel)
};

// One unit's chainer target: its label in the unit colour over the track it
// follows ("-" for none, 1..8).
class ChainerTargetUnitPanel : public ZuGuiBase
{
public:
    ChainerTargetUnitPanel();
    ~ChainerTargetUnitPanel() override;

    void setAttachments(juce::ValueTree tree, juce::String id, juce::String labelText, juce::Colour colour);
    // The label's colour only (also through the panel base's hook).
    void setBaseColor(const juce::Colour& colour);
    void setBaseColor(juce::Colour& colour) override { setBaseColor(static_cast<const juce::Colour&>(colour)); }
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuParamAttacher> attacher;
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;

public:
    juce::Label label;
    juce::Slider box;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerTargetUnitPanel)
};

// The fifteen chainer targets ("p0_chrtar1".."15"): pitch, parameter and CC
// units 1..4, the CC racks 1 and 2, and the octave-transpose unit. It takes
// the unit colours whenever it is (re)placed in the editor.
class ChainerTargetPanel : public ZuGuiBase
{
public:
    ChainerTargetPanel();

    void setAttachments(juce::ValueTree paramTree);
    void colorMapping() override;
    void parentHierarchyChanged() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int numTargets = 15;
    // The cell of target u, 1..15.
    ChainerTargetUnitPanel& getCell(int u) { return cells[(size_t) juce::jlimit(1, numTargets, u) - 1]; }

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuParamAttacher> attacher;
    std::array<ChainerTargetUnitPanel, numTargets> cells;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerTargetPanel)
};

// The bottom area's "Chainer" page: the snapshot chainer's power, its track
// group, cycle and speed, the eight tracks of sixteen steps with the play
// position, and the track each unit follows. Everything lives on the root of
// the "param" tree; while the chainer is off the steps are hidden and the
// rest disabled. Message thread only.
class ChainerMainPanel : public ZuGuiBase
{
public:
    ChainerMainPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, juce::ValueTree paramTree,
                     MirabelGlobalData& globalData);
    ~ChainerMainPanel() override;

    // Shows or hides and enables or disables by the power state.
    void onoffStateChanged();
    // Enables the step boxes within the cycle length in all eight tracks.
    void updateStepEnabling();
    void valueChanged(juce::Value& value) override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int resyncDelayMs = 500;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SvgButton> powerLook;
    ZuShared<ZuParamAttacher> attacher;
    ZuShared<ZuCLAF_ChainerTrkButton> trackLook;

public:
    juce::Label titleLabel;
    juce::TextButton powerButton;
    juce::TextButton trackButton;
    ChainerStepPanelMain stepArea;
    ChainerCtrlPanel ctrlPanel;
    ChainerTargetPanel targetPanel;

private:
    juce::ValueTree guiTree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChainerMainPanel)
};
