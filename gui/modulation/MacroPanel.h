// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DraggableItemBase2.h"
#include "MyDocumentWindow.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_Labels.h"
#include "ZuData.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// One global macro: a knob on the host parameter "p7_macro" + (k + 1), its
// editable name "macrolabel" + (k + 1) in the editor's tree, and the handle
// "MACRO" + (k + 1) that assigns the macro to a modulation slot.
class MacroKnobUnit : public ZuGuiBase
{
public:
    explicit MacroKnobUnit(int k);
    ~MacroKnobUnit() override;

    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, int k);
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_MacroKnob> knobLook;

public:
    int macroIndex;
    juce::Label nameLabel;
    FxKnob knob;
    DraggableItemBase2 handle;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    juce::Colour bgColor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MacroKnobUnit)
};

// The row of the eight macros, centred as a block.
class MacroPanel : public ZuGuiBase
{
public:
    MacroPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree);

    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    std::array<std::unique_ptr<MacroKnobUnit>, 8> units;

private:
    juce::Colour bgColor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MacroPanel)
};

// The bottom area's page "Mod": the macro row with a margin around it.
class ModPanelMain : public ZuGuiBase
{
public:
    ModPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, MirabelGlobalData&, LfoData&,
                 MyDocumentWindow&, juce::Value, juce::Value);

    void colorMapping() override;
    void resized() override;
    void setModUnitOnOff(int) {}
    void updateDrawable() {}

    MacroPanel macroPanel;

private:
    juce::ValueTree guiTree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ModPanelMain)
};
