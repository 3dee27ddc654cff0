// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuGuiBase.h"

#include "ZuCallOut.h"
#include "ZuMessageWindows.h"
#include "ZumiraboxAudioProcessorEditor.h"
#include "ZuUnits.h"

void ZuGuiBase::timerCallback(int) {}
void ZuGuiBase::sliderValueChanged(juce::Slider*) {}
void ZuGuiBase::buttonClicked(juce::Button*) {}
void ZuGuiBase::comboBoxChanged(juce::ComboBox*) {}
void ZuGuiBase::valueChanged(juce::Value&) {}

void ZuGuiBase::setSkinMode(int skin)
{
    skinMode = skin;
    colorMapping();
}

void ZuGuiBase::setBaseColor(juce::Colour& colour)
{
    baseColor = colour;
    updateCompColor();
}

void ZuGuiBase::tryToGetDispSrcValue() {}
void ZuGuiBase::calloutBoxButtonIsClicked(int) {}
void ZuGuiBase::colorMapping() {}
void ZuGuiBase::setPopupValDispState(bool) {}

void ZuGuiBase::checkModUnitParamTree(juce::ValueTree tree, juce::Identifier& id, int, int)
{
    auto mods = tree.getChildWithName(id);
    if (!mods.isValid())
    {
        juce::ValueTree fresh(id);
        for (int slot = 0; slot < zu::units::numSlots; ++slot)
            fresh.appendChild(juce::ValueTree(zu::units::slotNodeName(slot)), nullptr);
        tree.appendChild(fresh, nullptr);
        return;
    }

    for (int slot = 0; slot < zu::units::numSlots; ++slot)
    {
        const juce::Identifier name(zu::units::slotNodeName(slot));
        if (!mods.getChildWithName(name).isValid())
            mods.appendChild(juce::ValueTree(name), nullptr);
    }
}

void ZuGuiBase::panelInit() {}
void ZuGuiBase::updateCompColor() {}
void ZuGuiBase::resize_guiBounds() {}
void ZuGuiBase::handleAsyncUpdate() {}

void ZuGuiBase::makePanelKnob(juce::Slider& slider, juce::LookAndFeel_V4& knobLookAndFeel, juce::String name,
                              juce::String tooltip, bool, juce::Component*)
{
    addAndMakeVisible(slider);
    slider.setName(name);
    slider.setTooltip(tooltip);
    slider.setLookAndFeel(&knobLookAndFeel);
    slider.getProperties().set("popupfontsize", (double) 0.3f);
    slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    const float pi = juce::MathConstants<float>::pi;
    slider.setRotaryParameters(1.25f * pi, 2.75f * pi, true);
    slider.setRange(0.0, 1.0, 0.0);
    slider.setColour(juce::Slider::rotarySliderOutlineColourId, juce::Colours::black);
    slider.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffdddddd));
}

void ZuGuiBase::openOverWritePresetWndw(juce::Component& anchor)
{
    auto window = std::make_unique<ZuOverWritePresetWndw>(
        *this, "Overwrite existing file?", juce::Colour(0xff303030), juce::Colour(0xffdddddd), juce::Colour(0xff2a2a2a),
        juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), juce::Colour(0xff303030));
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;

    const auto bounds = editor->getLocalBounds();
    window->setSize((int) (0.19f * (float) bounds.getWidth()), (int) (0.16f * (float) bounds.getHeight()));
    const auto area = editor->getLocalArea(&anchor, anchor.getLocalBounds());
    auto& box = launchZuCallOut(std::move(window), area, *editor);
    box.setColour(juce::BubbleComponent::backgroundColourId, juce::Colour(0xff303030));
    box.setColour(juce::BubbleComponent::outlineColourId, juce::Colour(0xffaaaaaa));
}

juce::PopupMenu ZuGuiBase::getMyPanelMenu(bool)
{
    juce::PopupMenu menu;
    menu.addItem(initializeItemId, "Initialize");
    return menu;
}

void ZuGuiBase::panelMenuHandler(int itemId, juce::Component*)
{
    if (itemId == initializeItemId)
        panelInit();
}

void ZuGuiBase::openPanelMenu(juce::Button* button)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr || editor->getWidth() <= 0 || editor->getHeight() <= 0)
        return;

    const auto options = juce::PopupMenu::Options()
                             .withMinimumWidth(120)
                             .withStandardItemHeight(18)
                             .withMaximumNumColumns(16)
                             .withTargetComponent(button)
                             .withTargetScreenArea(juce::Rectangle<int>().withPosition(
                                 juce::Desktop::getInstance().getMainMouseSource().getScreenPosition().roundToInt()));

    // The menu can outlive this panel: the answer only reaches a panel that
    // still exists.
    juce::Component::SafePointer<ZuGuiBase> self(this);
    getMyPanelMenu(false).showMenuAsync(options,
                                        [self](int result)
                                        {
                                            if (auto* panel = self.getComponent())
                                                panel->panelMenuHandler(result, nullptr);
                                        });

    if (button != nullptr)
        button->setState(juce::Button::buttonNormal);
}

void ZuGuiBase::calcSeq1StepBaseRect(juce::Rectangle<int>& area, juce::Rectangle<int>& cell, int count)
{
    const int innerW = juce::jmax(area.getWidth() - 2, 0);
    const int innerH = juce::jmax(area.getHeight() - 2, 0);
    const float cellW = 0.0624f * (float) innerW;
    cell.setBounds(area.getX() + 1 + (int) (((float) innerW - cellW * (float) count) * 0.5f), area.getY() + 1,
                   (int) cellW, innerH);
}

double ZuGuiBase::SnapSlider_Center::snapValue(double value, juce::Slider::DragMode)
{
    if (value > detentLow && value < detentHigh)
        return 0.5;
    return value;
}
