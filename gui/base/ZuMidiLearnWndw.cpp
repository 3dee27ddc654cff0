// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMidiLearnWndw.h"

#include "ZuCallOut.h"
#include "ZuStyleProps.h"

namespace
{
void makeCommandButton(juce::Component& parent, juce::TextButton& button, juce::LookAndFeel& lookAndFeel,
                       juce::Colour c1, juce::Colour c3, juce::Colour c4, juce::Colour c5, juce::Colour c6)
{
    parent.addAndMakeVisible(button);
    button.setLookAndFeel(&lookAndFeel);
    ZuStyle::setColour(button, ZuStyle::bgcolor, c1);
    ZuStyle::setColour(button, ZuStyle::outlinecolor, c1.brighter(0.5f));
    ZuStyle::setReal(button, ZuStyle::corner, 4.0f);
    button.setOpaque(true);
    button.setColour(juce::TextButton::buttonOnColourId, c4);
    button.setColour(juce::TextButton::buttonColourId, c3.darker(0.1f));
    button.setColour(juce::TextButton::textColourOffId, c5);
    button.setColour(juce::TextButton::textColourOnId, c6);
    button.onClick = [&parent] { zu::callout::dismissEnclosing(parent); };
}

void makeLabel(juce::Component& parent, juce::Label& label, juce::LookAndFeel& lookAndFeel, const juce::String& text,
               juce::Colour background, juce::Colour textColour)
{
    parent.addAndMakeVisible(label);
    label.setLookAndFeel(&lookAndFeel);
    label.setText(text, juce::dontSendNotification);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false, false, false);
    label.setColour(juce::Label::backgroundColourId, background);
    ZuStyle::setReal(label, ZuStyle::fontsize, 0.85f);
    label.getProperties().set(ZuStyle::fontface, "Medium");
    label.setColour(juce::Label::textColourId, textColour);
}

int part(int length, float factor)
{
    return juce::jmin((int) ((float) length * factor), length);
}
} // namespace

void ZuMidiLearnWndw::layoutLearnRows(juce::Rectangle<int> area, juce::Component& learn, juce::Component& remove,
                                      juce::Component& caption, juce::Component& value)
{
    const int bottom = area.getBottom();
    const int r = part(area.getHeight(), 0.2f);
    learn.setBounds(area.removeFromTop(r));
    area.removeFromTop(part(area.getHeight(), 0.15f));
    remove.setBounds(area.removeFromTop(juce::jmin(r, area.getHeight())));
    area.removeFromTop(part(area.getHeight(), 0.2f));
    const int lh = part(area.getHeight(), 0.43f);
    caption.setBounds(area.removeFromTop(lh));
    const int vh = juce::jmin(lh, area.getHeight());
    value.setBounds(area.getX(), bottom - vh, area.getWidth(), vh);
}

namespace
{
juce::Rectangle<int> innerArea(juce::Rectangle<int> b, float yFactor)
{
    const int mx = (int) ((float) b.getWidth() * 0.07f), my = (int) ((float) b.getHeight() * yFactor);
    return {b.getX() + mx, b.getY() + my, juce::jmax(b.getWidth() - 2 * mx, 0), juce::jmax(b.getHeight() - 2 * my, 0)};
}
} // namespace

ZuMidiLearnWndw::ZuMidiLearnWndw(juce::Component* targetComponent, juce::String, juce::Colour col1, juce::Colour col2,
                                 juce::Colour col3, juce::Colour col4, juce::Colour col5, juce::Colour col6)
    : c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), target(targetComponent)
{
    makeCommandButton(*this, learnButton, buttonLookAndFeel.get(), c1, c3, c4, c5, c6);
    makeCommandButton(*this, deleteButton, buttonLookAndFeel.get(), c1, c3, c4, c5, c6);
    makeLabel(*this, captionLabel, labelLookAndFeel.get(), "Assigned CC", c1, juce::Colour(0xff777777));
    makeLabel(*this, valueLabel, labelLookAndFeel.get(), "test", c1, juce::Colour(0xffcccccc));
}

ZuMidiLearnWndw::~ZuMidiLearnWndw()
{
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&learnButton, &deleteButton, &captionLabel, &valueLabel})
        c->setLookAndFeel(nullptr);
    if (auto* t = target.getComponent())
        t->repaint();
}

void ZuMidiLearnWndw::paint(juce::Graphics& g)
{
    g.fillAll(c1);
}

void ZuMidiLearnWndw::resized()
{
    layoutLearnRows(innerArea(getLocalBounds(), 0.1f), learnButton, deleteButton, captionLabel, valueLabel);
}

void ZuMidiLearnWndw::exitWndw()
{
    zu::callout::dismissEnclosing(*this);
}

ZuMidiLearnWndw2::ZuMidiLearnWndw2(juce::Component* targetComponent, bool& flag, juce::String, juce::Colour col1,
                                   juce::Colour col2, juce::Colour col3, juce::Colour col4, juce::Colour col5,
                                   juce::Colour col6)
    : c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), buttonModeFlag(flag), target(targetComponent)
{
    makeCommandButton(*this, learnButton, buttonLookAndFeel.get(), c1, c3, c4, c5, c6);
    makeCommandButton(*this, deleteButton, buttonLookAndFeel.get(), c1, c3, c4, c5, c6);
    makeLabel(*this, captionLabel, labelLookAndFeel.get(), "Assigned CC", c1, juce::Colour(0xff777777));
    makeLabel(*this, valueLabel, labelLookAndFeel.get(), "test", c1, juce::Colour(0xffcccccc));
    makeLabel(*this, modeCaption, labelLookAndFeel.get(), "Button Mode", c1, juce::Colour(0xffcccccc));

    addAndMakeVisible(modeSwitch);
    modeSwitch.setButtonText("ButtonMode");
    modeSwitch.setLookAndFeel(&switchLookAndFeel.get());
    modeSwitch.setClickingTogglesState(true);
    modeSwitch.setTooltip("Selects the button mode");
    ZuStyle::setColour(modeSwitch, ZuStyle::bgcolor, c1);
    modeSwitch.getProperties().set("choice1", "Momentary");
    modeSwitch.getProperties().set("choice2", "Toggle");
    ZuStyle::setReal(modeSwitch, ZuStyle::fontsize, 0.57f);
    modeSwitch.setColour(juce::TextButton::buttonColourId, c1.darker(0.9f));
    modeSwitch.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffdddddd));
    modeSwitch.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff707070));
    modeSwitch.setColour(juce::TextButton::textColourOnId, c1);
    modeSwitch.setToggleState(!buttonModeFlag, juce::dontSendNotification);
    modeSwitch.onClick = [this] { buttonModeFlag = !modeSwitch.getToggleState(); };
}

ZuMidiLearnWndw2::~ZuMidiLearnWndw2()
{
    for (juce::Component* c : std::initializer_list<juce::Component*>{&learnButton, &deleteButton, &captionLabel,
                                                                      &valueLabel, &modeCaption, &modeSwitch})
        c->setLookAndFeel(nullptr);
    if (auto* t = target.getComponent())
        t->repaint();
}

void ZuMidiLearnWndw2::paint(juce::Graphics& g)
{
    g.fillAll(c1);
}

void ZuMidiLearnWndw2::resized()
{
    auto area = innerArea(getLocalBounds(), 0.04f);
    auto band = area.removeFromTop(part(area.getHeight(), 0.28f));
    auto reduceByOne = [](juce::Rectangle<int> r)
    {
        return juce::Rectangle<int>(r.getX() + 1, r.getY() + 1, juce::jmax(0, r.getWidth() - 2),
                                    juce::jmax(0, r.getHeight() - 2));
    };
    modeCaption.setBounds(reduceByOne(band.removeFromTop(part(band.getHeight(), 0.4f))));
    band.removeFromTop(juce::jmin(1, band.getHeight()));
    modeSwitch.setBounds(reduceByOne(band));

    area.removeFromTop(part(area.getHeight(), 0.08f));
    area.removeFromTop(part(area.getHeight(), 0.08f));
    ZuMidiLearnWndw::layoutLearnRows(area, learnButton, deleteButton, captionLabel, valueLabel);
}

void ZuMidiLearnWndw2::exitWndw()
{
    zu::callout::dismissEnclosing(*this);
}
