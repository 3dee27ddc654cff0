// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seq1Style.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuGuiBase.h"
#include "ZuModulatableKnob.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The single sequencer's per-step number boxes (velocity "V", gate "G",
// probability "P") and per-step toggles (slur "slur", step on "onoff"), one
// row of 16 per page, each with one modulation slot beside it. The boxes bind
// to host parameters named stem + step number; a name the parameter state
// lacks leaves the box unbound. Message thread only.

// The id stem of a row kind ("V" "sq1_vel", "G" "sq1_gate", "P" "sq1_prob",
// "slur" "sq1_slr", "onoff" "sq1_spwr"); empty for any other kind.
juce::String seq1IdStem(const juce::String& kind);

class SEQ1NumBoxUnit : public ZuGuiBase
{
    ZuShared<ZuCLAF_Seq1NumbBox> boxLook;

public:
    SEQ1NumBoxUnit();
    ~SEQ1NumBoxUnit() override;

    // Names the box; "V", "G" and "P" also give it its scale and value text.
    void setParamName(juce::String kind);
    // Binds the box to the host parameter id (replacing an earlier binding)
    // and its slot to id + "_modsrc1" and id + "_moddep1".
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id);
    void setStepIndex(int index) noexcept { stepIndex = index; }
    int getStepIndex() const noexcept { return stepIndex; }
    bool isBound() const noexcept { return boxAttachment != nullptr; }

    void resized() override;
    void colorMapping() override;

    juce::Slider valueBox;
    ZuPairOfModKnobs modKnobs{true, 1};

private:
    int stepIndex = 0;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> boxAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1NumBoxUnit)
};

class SEQ1StepNumBoxPanel : public ZuGuiBase
{
    ZuShared<ZuCLAF_Base> baseLook;

public:
    explicit SEQ1StepNumBoxPanel(juce::String kind);

    // Binds unit k to idStem + (16 x page + k + 1).
    void setAttachment(juce::AudioProcessorValueTreeState& state, int page);

    void resized() override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override { g.fillAll(panelColor); }

    SEQ1NumBoxUnit& getUnit(int k) noexcept { return units[(size_t) juce::jlimit(0, zu::seq1::stepsPerPage - 1, k)]; }
    const juce::String& getIdStem() const noexcept { return idStem; }

private:
    juce::String idStem;
    std::array<SEQ1NumBoxUnit, zu::seq1::stepsPerPage> units;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1StepNumBoxPanel)
};

// The velocity, gate and probability rows of one page.
class SEQ1StepVgpPanel : public ZuGuiBase
{
    ZuShared<ZuCLAF_Base> baseLook;

public:
    SEQ1StepVgpPanel();

    void setAttachment(juce::AudioProcessorValueTreeState& state, int page);
    // The boxes follow their parameters; a snapshot change needs nothing more.
    void snapshotChanged() {}

    void resized() override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override { g.fillAll(panelColor); }

    SEQ1StepNumBoxPanel velocityRow{"V"}, gateRow{"G"}, probabilityRow{"P"};

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1StepVgpPanel)
};

class SEQ1ButtonUnit : public ZuGuiBase
{
    ZuShared<ZuCLAF_Seq1Button> buttonLook;

public:
    SEQ1ButtonUnit();
    ~SEQ1ButtonUnit() override;

    // The button text and its drag group: an Alt-drag paints only onto
    // buttons of the same text.
    void setButtonText(juce::String text);
    void setButtonOnOff(bool on);
    bool getButtonOnOff() const noexcept { return stepButton.getToggleState(); }
    // The flags are stored nowhere yet: binds nothing.
    void setAttachment(juce::AudioProcessorValueTreeState&, juce::String) {}
    void setStepIndex(int index) noexcept { stepIndex = index; }
    int getStepIndex() const noexcept { return stepIndex; }

    void resized() override;
    void colorMapping() override;

    DraggableButton stepButton;
    ZuPairOfModKnobs modKnobs{true, 1};

private:
    void paintButton(juce::Colour textOn);

    int stepIndex = 0;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> buttonAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1ButtonUnit)
};

class SEQ1StepButtonPanel : public ZuGuiBase
{
    ZuShared<ZuCLAF_Base> baseLook;

public:
    explicit SEQ1StepButtonPanel(juce::String kind);

    // Keeps tree and page and hands each unit its identifier (which binds
    // nothing).
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree, int page);
    void snapshotChanged(int, int) {}
    void snapshotChanged(int) {}
    void updateSnapState(int) {}

    void resized() override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override { g.fillAll(panelColor); }

    SEQ1ButtonUnit& getUnit(int k) noexcept { return units[(size_t) juce::jlimit(0, zu::seq1::stepsPerPage - 1, k)]; }
    const juce::String& getIdStem() const noexcept { return idStem; }
    int getPage() const noexcept { return page; }

private:
    juce::String idStem;
    std::array<SEQ1ButtonUnit, zu::seq1::stepsPerPage> units;
    int page = 0;
    juce::ValueTree tree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1StepButtonPanel)
};
