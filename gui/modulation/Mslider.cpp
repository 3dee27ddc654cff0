// SPDX-License-Identifier: GPL-3.0-or-later
#include "Mslider.h"

Mslider::Mslider()
{
    for (int k = 0; k < numSliders; ++k)
    {
        auto& s = sliders[(size_t) k];
        s.setName(juce::String(k + 1));
        addAndMakeVisible(s);
        s.setLookAndFeel(&sliderLook.get());
        s.setSliderStyle(juce::Slider::LinearBarVertical);
        s.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
        // The row forwards every mouse event itself.
        s.setInterceptsMouseClicks(false, false);
        s.setVelocityModeParameters(
            1.0, 1, 0.05, true,
            juce::ModifierKeys::Flags(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
        s.getProperties().set("bgcolor", colorTheme->entry(2, 0).toString());
        s.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0x00000000));
    }
    applyColours();
}

Mslider::~Mslider()
{
    hostAttachments.clear();
    for (auto& s : sliders)
        s.setLookAndFeel(nullptr);
}

void Mslider::applyColours()
{
    for (auto& s : sliders)
    {
        s.setColour(juce::Slider::backgroundColourId, baseColour.withAlpha(0.15f));
        s.setColour(juce::Slider::rotarySliderOutlineColourId, baseColour.withAlpha(0.08f));
        s.setColour(juce::Slider::trackColourId, baseColour);
        s.setColour(juce::Slider::thumbColourId, baseColour.brighter(0.5f));
        s.setColour(juce::Slider::textBoxTextColourId, baseColour.withAlpha(0.9f));
    }
}

void Mslider::setBaseColor(juce::Colour c)
{
    baseColour = c;
    applyColours();
}

void Mslider::setAttachment(juce::ValueTree slotNode, juce::String prefix)
{
    for (int k = 1; k <= numSliders; ++k)
        attacher->attachToSlider(slotNode, prefix + "prb" + juce::String(k), k == 1 ? 1.0f : 0.0f, {0.0, 1.0, 0.0, 1.0},
                                 sliders[(size_t) (k - 1)]);
}

void Mslider::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String prefix)
{
    hostAttachments.clear();
    for (int k = 1; k <= sliderCount; ++k)
        if (state.getParameter(prefix + juce::String(k)) != nullptr)
            hostAttachments.push_back(std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(
                state, prefix + juce::String(k), sliders[(size_t) (k - 1)]));
}

void Mslider::initialize()
{
    for (auto& s : sliders)
        s.setValue(0.5, juce::sendNotification);
}

void Mslider::setBaseBoundsList(const juce::RectangleList<int>& list)
{
    baseBoundsList = list;
}

juce::Slider* Mslider::getSliderAtLocation(const juce::Point<int>& p)
{
    for (int k = 0; k < sliderCount; ++k)
    {
        const auto r = k < baseBoundsList.getNumRectangles() ? baseBoundsList.getRectangle(k) : juce::Rectangle<int>();
        if (r.contains(p))
            return &sliders[(size_t) k];
    }
    return nullptr;
}

void Mslider::resized()
{
    const auto b = getLocalBounds();
    const int W = std::max(b.getWidth() - 2, 0), H = std::max(b.getHeight() - 2, 0);
    const int d = (int) ((float) W * 0.125f);
    const int o = (int) ((double) (W - sliderCount * d) * 0.5);
    baseBoundsList.clear();
    for (int k = 0; k < sliderCount; ++k)
        baseBoundsList.add(
            juce::Rectangle<int>(b.getX() + 2 + o + k * d, b.getY() + 2, std::max(d - 2, 0), std::max(H - 2, 0)));
    for (int i = 0; i < baseBoundsList.getNumRectangles() && i < sliderCount; ++i)
        sliders[(size_t) i].setBounds(baseBoundsList.getRectangle(i));
    dragRowY = b.getY() + 1 + H / 2;
    if (!baseBoundsList.isEmpty())
    {
        const auto first = baseBoundsList.getRectangle(0);
        const auto last = baseBoundsList.getRectangle(baseBoundsList.getNumRectangles() - 1);
        dragMinX = first.getX() + 1;
        dragMaxX = last.getRight() - 1;
    }
    else
    {
        dragMinX = 1;
        dragMaxX = -1;
    }
}

void Mslider::mouseMove(const juce::MouseEvent&) {}

void Mslider::mouseEnter(const juce::MouseEvent&) {}

void Mslider::mouseDown(const juce::MouseEvent& e)
{
    if (activeSlider != nullptr)
        activeSlider->mouseUp(e);
    activeSlider = getSliderAtLocation(e.getPosition());
    if (activeSlider != nullptr)
        activeSlider->mouseDown(e);
}

void Mslider::mouseDrag(const juce::MouseEvent& e)
{
    if (juce::ModifierKeys::getCurrentModifiersRealtime().isRightButtonDown())
        return;
    // Only x picks the slider; an empty row (min above max) hits nothing.
    const int x = dragMinX <= dragMaxX ? juce::jlimit(dragMinX, dragMaxX, e.getPosition().x) : dragMinX;
    auto* hit = getSliderAtLocation({x, dragRowY});
    if (hit == nullptr)
        return;
    if (hit == activeSlider)
    {
        hit->mouseDrag(e);
        return;
    }
    if (activeSlider != nullptr)
        activeSlider->mouseUp(e);
    hit->mouseDown(e);
    activeSlider = hit;
}

void Mslider::mouseUp(const juce::MouseEvent& e)
{
    if (activeSlider != nullptr)
        activeSlider->mouseUp(e);
    activeSlider = nullptr;
}

void Mslider::mouseExit(const juce::MouseEvent& e)
{
    if (activeSlider != nullptr)
        activeSlider->mouseUp(e);
    activeSlider = nullptr;
    for (auto& s : sliders)
    {
        s.mouseUp(e);
        s.mouseExit(e);
    }
}

void Mslider::mouseDoubleClick(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
        return;
    activeSlider = getSliderAtLocation(e.getPosition());
    if (activeSlider != nullptr)
        activeSlider->mouseDoubleClick(e);
}

void Mslider::handleDoubleClick(const juce::MouseEvent& e)
{
    activeSlider = getSliderAtLocation(e.getPosition());
    if (activeSlider != nullptr)
    {
        activeSlider->mouseDoubleClick(e);
        activeSlider->mouseUp(e);
    }
}

void Mslider::mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    handleMouseWheel(e, wheel);
}

void Mslider::handleMouseWheel(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (auto* s = getSliderAtLocation(e.getPosition()))
    {
        activeSlider = s;
        s->mouseWheelMove(e, wheel);
    }
}
