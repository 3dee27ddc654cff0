// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Sliders.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>
#include <vector>

// A row of eight vertical bar sliders that takes every mouse event itself, so
// that one stroke across the row paints all eight values: while dragging, only
// the pointer's x picks the slider, which then takes the pointer's height.
// Message thread only.
class Mslider : public juce::Component
{
public:
    static constexpr int numSliders = 8;

    Mslider();
    ~Mslider() override;

    void mouseMove(const juce::MouseEvent& e) override;
    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;
    void mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void resized() override;

    // Binds slider k to prefix + "prb" + (k + 1): 1 for the first, 0 for the
    // others, so that a new slot weights only the first curve.
    void setAttachment(juce::ValueTree slotNode, juce::String prefix);
    void setBaseColor(juce::Colour c);
    juce::Slider* getSliderAtLocation(const juce::Point<int>& p);

    juce::Slider& getSlider(int k) { return sliders[(size_t) k]; }
    juce::Slider* getActiveSlider() const noexcept { return activeSlider; }
    const juce::RectangleList<int>& getBaseBoundsList() const noexcept { return baseBoundsList; }
    int getDragRowY() const noexcept { return dragRowY; }

    // Kept for host-parameter bindings; the editor binds to the slot's tree.
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String prefix);
    void initialize();
    void setBaseBoundsList(const juce::RectangleList<int>& list);
    void handleDoubleClick(const juce::MouseEvent& e);
    void handleMouseWheel(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel);

private:
    void applyColours();

    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_MSlider> sliderLook;
    ZuShared<ZuParamAttacher> attacher;
    juce::RectangleList<int> baseBoundsList;
    int sliderCount = numSliders;
    std::array<juce::Slider, numSliders> sliders;
    juce::Slider* activeSlider = nullptr;
    int dragRowY = 0, dragMinX = 1, dragMaxX = -1;
    juce::Colour baseColour{0xffa0a0a0};
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>> hostAttachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Mslider)
};
