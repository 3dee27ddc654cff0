// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seq1Style.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuModulatableKnob.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// A step's octave selector: five radio buttons "-2" .. "+2" over a hidden
// slider holding the selected index 0..4 (2 is no shift). A click moves the
// slider at once; a slider change from elsewhere lights its button 100 ms
// after the last change. Message thread only.
class OctButton : public ZuGuiBase
{
    ZuShared<ZuCLAF_OctButton> buttonLook;

public:
    static constexpr int numButtons = 5;
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;

    OctButton();
    ~OctButton() override;

    // Binds nothing: the octave is stored only in snapshots.
    void setAttachment(juce::AudioProcessorValueTreeState&, juce::String) {}
    // Selects button clamp(int(value), 0, 4) as a click would.
    void setValue(float value);

    void resized() override;
    void timerCallback(int timerID) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void buttonClicked(juce::Button* button) override;
    void colorMapping() override;

    int getCurOctIndex() const noexcept { return curOctIndex; }
    juce::Slider& getOctSlider() noexcept { return octSlider; }
    MappableButton& getButton(int i) noexcept { return octButtons[(size_t) juce::jlimit(0, numButtons - 1, i)]; }

private:
    void paintButtons();

    int curOctIndex = 0;
    juce::Slider octSlider;
    std::array<MappableButton, numButtons> octButtons;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OctButton)
};

// One step's octave selector with its two modulation slots.
class SEQ1OctUnit : public ZuGuiBase
{
public:
    SEQ1OctUnit();

    void setAttachment(juce::AudioProcessorValueTreeState&, int) {}
    void setStepIndex(int index) noexcept { stepIndex = index; }
    int getStepIndex() const noexcept { return stepIndex; }
    // octave: the selected index 0..4; mods: source 1, depth 1, source 2, depth 2.
    void getCurState(double& octave, std::array<double, 4>& mods);
    void setCurState(double octave, std::array<double, 4>& mods);

    void resized() override;
    void colorMapping() override;

    OctButton octSelector;
    ZuPairOfModKnobs modKnobs{true, 2};

private:
    int stepIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1OctUnit)
};

// The octave row of one page. It saves and loads its 16 steps' selections
// and slots in the snapshot children of the tree setAttachment gives it
// ("sq1_oct" + step and its four modulation properties).
class SEQ1StepOctPanel : public ZuGuiBase
{
    ZuShared<ZuCLAF_Base> baseLook;

public:
    SEQ1StepOctPanel();

    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree, int page);
    // Writes the row into snapshot s (0..7), or loads it from there.
    void updateSnapState(int snapshot);
    void snapshotChanged(int snapshot);
    // Saves into from, then loads from to.
    void snapshotChanged(int from, int to);

    void resized() override;
    void colorMapping() override;
    void paint(juce::Graphics& g) override { g.fillAll(panelColor); }

    SEQ1OctUnit& getUnit(int k) noexcept { return units[(size_t) juce::jlimit(0, zu::seq1::stepsPerPage - 1, k)]; }
    int getPage() const noexcept { return page; }

private:
    std::array<SEQ1OctUnit, zu::seq1::stepsPerPage> units;
    int page = 0;
    juce::ValueTree tree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1StepOctPanel)
};
