// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModClockTypeSeam.h"

ModClockTypeSeam::ModClockTypeSeam()
{
    const char* texts[] = {"N", "T", "D"};
    const char* tips[] = {"The clock becomes normal notes", "The clock becomes triplet notes",
                          "The clock becomes dotted notes"};
    const int edges[] = {juce::Button::ConnectedOnRight, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight,
                         juce::Button::ConnectedOnLeft};
    slider.setName("ClockType");
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    for (int k = 0; k < 3; ++k)
    {
        auto& t = toggles[(size_t) k];
        addAndMakeVisible(t);
        t.setRadioGroupId(1000);
        t.setLookAndFeel(&dirLook.get());
        t.setClickingTogglesState(true);
        t.getProperties().set("fontsize", 1.0f);
        t.getProperties().set("index", k);
        t.setButtonText(texts[k]);
        t.setTooltip(tips[k]);
        t.setConnectedEdges(edges[k]);
        t.addListener(this);
    }
    toggles[0].setToggleState(true, juce::dontSendNotification);
}

ModClockTypeSeam::~ModClockTypeSeam()
{
    slider.getValueObject().removeListener(this);
    for (auto& t : toggles)
        t.setLookAndFeel(nullptr);
}

void ModClockTypeSeam::setCenterPanelFlag()
{
    for (auto& t : toggles)
    {
        t.getProperties().set("outlinecolor", juce::Colour(0xff454545).toString());
        t.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(47, skinMode));
        t.setColour(juce::TextButton::buttonColourId, colorTheme->entry(2, skinMode));
        t.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
        t.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, skinMode));
    }
}

void ModClockTypeSeam::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    ZuParamAttacher::attachToSlider(tree, prefix + "clktyp", 0.0f, {0.0, 2.0, 1.0}, slider);
    showIndex();
    slider.getValueObject().addListener(this);
}

void ModClockTypeSeam::showIndex()
{
    const double v = slider.getValue();
    curIndex = std::isfinite(v) ? juce::jlimit(0, 2, (int) v) : 0;
    toggles[(size_t) curIndex].setToggleState(true, juce::dontSendNotification);
}

void ModClockTypeSeam::buttonClicked(juce::Button* b)
{
    if (b == nullptr || !b->getToggleState())
        return;
    curIndex = (int) b->getProperties().getWithDefault("index", 0);
    slider.setValue(curIndex, juce::sendNotificationSync);
}

void ModClockTypeSeam::valueChanged(juce::Value&)
{
    showIndex();
}

void ModClockTypeSeam::setBaseColor(const juce::Colour& c)
{
    for (auto& t : toggles)
    {
        t.getProperties().set("outlinecolor", c.darker(0.5f).toString());
        t.setColour(juce::TextButton::buttonOnColourId, c);
        t.setColour(juce::TextButton::textColourOffId, c);
        t.setColour(juce::TextButton::buttonColourId, colorTheme->entry(2, skinMode));
        t.setColour(juce::TextButton::textColourOnId, colorTheme->entry(2, skinMode));
    }
}

void ModClockTypeSeam::setBgColor(juce::Colour c)
{
    for (auto& t : toggles)
    {
        t.setColour(juce::TextButton::buttonColourId, c);
        t.setColour(juce::TextButton::textColourOnId, c);
    }
    repaint();
}

void ModClockTypeSeam::resized()
{
    const int w = std::max(0, getWidth() - 2), h = std::max(0, getHeight() - 2);
    const int bw = w / 3;
    const int x0 = 1 + (w - 3 * bw) / 2;
    for (int k = 0; k < 3; ++k)
        toggles[(size_t) k].setBounds(x0 + k * bw, 1, bw, h);
}
