// SPDX-License-Identifier: GPL-3.0-or-later
#include "LFO_WaveformButton.h"

#include "LfoDrawParams.h"

namespace
{
const char* const waveNames[] = {"Sin", "Tri", "ExpLog", "Up", "UpC1", "UpDown", "RectUp", "Rnd"};

// A stored index as the toggles can show it.
int clampWave(double v)
{
    return std::isfinite(v) ? juce::jlimit(0, LFO_WaveformButton::numWaveforms - 1, (int) v) : 0;
}
} // namespace

LFO_WaveformButton::LFO_WaveformButton(int unused) : unusedArg(unused)
{
    using B = juce::Button;
    const int edges[] = {
        B::ConnectedOnRight | B::ConnectedOnBottom,
        B::ConnectedOnLeft | B::ConnectedOnRight | B::ConnectedOnBottom,
        B::ConnectedOnLeft | B::ConnectedOnRight | B::ConnectedOnBottom,
        B::ConnectedOnLeft | B::ConnectedOnBottom,
        B::ConnectedOnRight | B::ConnectedOnTop,
        B::ConnectedOnLeft | B::ConnectedOnRight | B::ConnectedOnTop,
        B::ConnectedOnLeft | B::ConnectedOnRight | B::ConnectedOnTop,
        B::ConnectedOnLeft | B::ConnectedOnTop,
    };
    for (int k = 0; k < numWaveforms; ++k)
    {
        auto& t = toggles[(size_t) k];
        addAndMakeVisible(t);
        t.setButtonText(waveNames[k]);
        t.setRadioGroupId(1000);
        t.setLookAndFeel(&waveLook.get());
        t.setClickingTogglesState(true);
        t.setTooltip("Selects the waveform");
        t.addListener(this);
        t.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(58, skinMode));
        t.setColour(juce::TextButton::buttonColourId, colorTheme->entry(57, skinMode));
        t.setColour(juce::TextButton::textColourOffId, colorTheme->entry(59, skinMode));
        t.setColour(juce::TextButton::textColourOnId, colorTheme->entry(60, skinMode));
        t.setConnectedEdges(edges[k]);
    }
    slider.setName("Waveform");
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    curIndex = clampWave(slider.getValue());
    toggles[(size_t) curIndex].setToggleState(true, juce::dontSendNotification);
}

LFO_WaveformButton::~LFO_WaveformButton()
{
    cancelPendingUpdate();
    slider.getValueObject().removeListener(this);
    hostAttachment.reset();
    for (auto& t : toggles)
        t.setLookAndFeel(nullptr);
}

void LFO_WaveformButton::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    attacher->attachToSlider(tree, prefix + "bwf", 0.0f, {0.0, 7.0, 1.0}, slider);
    slider.onValueChange = [this]
    {
        if (auto* slot = findParentComponentOfClass<ModSlotHooks>())
            slot->modeButtonClicked();
    };
    selectStored();
    slider.getValueObject().addListener(this);
    valueChanged(slider.getValueObject());
}

void LFO_WaveformButton::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId)
{
    if (state.getParameter(paramId) == nullptr)
        return;
    hostAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, paramId, slider);
    for (auto& t : toggles)
    {
        t.setComponentID(paramId);
        t.paramId = paramId;
    }
}

void LFO_WaveformButton::setWaveform(int index)
{
    slider.getValueObject().setValue(index);
}

void LFO_WaveformButton::selectStored()
{
    curIndex = clampWave(slider.getValue());
    toggles[(size_t) curIndex].setToggleState(true, juce::dontSendNotification);
}

void LFO_WaveformButton::buttonClicked(juce::Button*)
{
    for (int k = 0; k < numWaveforms; ++k)
        if (toggles[(size_t) k].getToggleState())
        {
            slider.setValue(k, juce::sendNotificationSync);
            curIndex = k;
            return;
        }
}

void LFO_WaveformButton::sliderValueChanged(juce::Slider*)
{
    cancelPendingUpdate();
    triggerAsyncUpdate();
}

void LFO_WaveformButton::valueChanged(juce::Value&)
{
    cancelPendingUpdate();
    triggerAsyncUpdate();
}

void LFO_WaveformButton::handleAsyncUpdate()
{
    const double stored = slider.getValue();
    if ((int) stored == -1)
        return;
    // A value from a snapshot or a state may lie outside the toggles.
    const int v = clampWave(stored);
    for (int k = 0; k < numWaveforms; ++k)
        toggles[(size_t) k].setToggleState(k == v, juce::dontSendNotification);
    curIndex = v;
    if (auto* editor = findParentComponentOfClass<LfoEditorHooks>())
        editor->updateWaveDisp();
}

void LFO_WaveformButton::setBaseColor(const juce::Colour& c)
{
    const auto off = colorTheme->entry(56, 1);
    for (auto& t : toggles)
    {
        t.setColour(juce::TextButton::buttonOnColourId, c);
        t.setColour(juce::TextButton::buttonColourId, off);
        t.setColour(juce::TextButton::textColourOffId, c.darker(0.2f));
        t.setColour(juce::TextButton::textColourOnId, off);
    }
}

void LFO_WaveformButton::resized()
{
    const auto b = getLocalBounds();
    const int w2 = std::max(0, b.getWidth() - 2), h2 = std::max(0, b.getHeight() - 2);
    const int bw = std::max(0, (int) (0.245 * w2));
    const int x0 = b.getX() + 1 + (int) ((w2 - 4 * bw) * 0.5);
    const int rh = h2 - std::min(h2, (int) (0.5 * h2));
    for (int k = 0; k < numWaveforms; ++k)
        toggles[(size_t) k].setBounds(x0 + (k % 4) * bw, b.getY() + 1 + (k / 4) * rh, bw, rh);
    curIndex = clampWave(slider.getValue());
}
