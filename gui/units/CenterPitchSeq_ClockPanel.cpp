// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_ClockPanel.h"

#include "CenterPanelNumBoxUnit.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuStyleProps.h"

namespace
{
constexpr float syncedRateDefault = 11.0f;
constexpr float freeRateDefault = 0.3f;
constexpr double maxResetCount = 1024.0;
} // namespace

CenterPitchSeq_ClockPanel::CenterPitchSeq_ClockPanel()
{
    baseColor = entry(31);
    addAndMakeVisible(modPair);
    modPair.setBgColor(entry(2));
    modPair.setThumbColor(entry(35));

    addAndMakeVisible(clockType);
    clockType.setCenterPanelFlag();

    setUpRateKnob(syncedRateKnob, "Sets the clock speed");
    setUpRateKnob(freeRateKnob, {});
    syncedRateKnob.getProperties().set(ZuStyle::maxval, DispShareData::numClockDivisions - 1);

    addAndMakeVisible(syncButton);
    syncButton.setButtonText("sync");
    syncButton.setLookAndFeel(&syncLook.get());
    syncButton.setClickingTogglesState(true);
    syncButton.setTooltip("BPM synced speed");
    ZuStyle::setColour(syncButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setColour(syncButton, ZuStyle::outlinecolor, entry(23));
    ZuStyle::setReal(syncButton, ZuStyle::reducefactor, 0.03f);
    syncButton.setColour(juce::TextButton::buttonOnColourId, entry(47));
    syncButton.setColour(juce::TextButton::buttonColourId, baseColor);
    syncButton.setColour(juce::TextButton::textColourOffId, entry(20));
    syncButton.setColour(juce::TextButton::textColourOnId, entry(21));
}

CenterPitchSeq_ClockPanel::~CenterPitchSeq_ClockPanel()
{
    syncButton.getToggleStateValue().removeListener(this);
    syncButton.setLookAndFeel(nullptr);
    syncedRateKnob.setLookAndFeel(nullptr);
    freeRateKnob.setLookAndFeel(nullptr);
}

void CenterPitchSeq_ClockPanel::setUpRateKnob(juce::Slider& knob, const juce::String& tooltip)
{
    addAndMakeVisible(knob);
    knob.setName({});
    knob.setTooltip(tooltip);
    knob.setRange(0.0, 1.0);
    shapeUnitNumberBox(knob, knobLook.get(), colorTheme->dragValue(1));
    knob.getProperties().set(ZuStyle::barflag, 1);
    ZuStyle::setReal(knob, ZuStyle::fontsize, 0.87f);
    colourRateKnob(knob, entry(47), 0.3f);
}

void CenterPitchSeq_ClockPanel::colourRateKnob(juce::Slider& knob, juce::Colour unitColour, float trackAlpha)
{
    knob.setColour(juce::Slider::backgroundColourId, baseColor);
    knob.setColour(juce::Slider::textBoxBackgroundColourId, baseColor);
    knob.setColour(juce::Slider::textBoxTextColourId, entry(38));
    knob.setColour(juce::Slider::trackColourId, unitColour.withAlpha(trackAlpha));
    knob.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
}

juce::String CenterPitchSeq_ClockPanel::freeRateText(double value)
{
    return juce::String(DispShareData::freeRateHz(value)) + " Hz";
}

void CenterPitchSeq_ClockPanel::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    clockType.setAttachment(unitTree, prefix);
    const auto syncedId = prefix + "sclk";
    attacher->attachToSlider(unitTree, juce::Identifier(syncedId), syncedRateDefault,
                             juce::NormalisableRange<double>(0.0, DispShareData::numClockDivisions - 1.0, 1.0),
                             syncedRateKnob);
    modPair.setAttachment(unitTree, syncedId);
    attacher->attachToSlider(unitTree, juce::Identifier(prefix + "fclk"), freeRateDefault,
                             juce::NormalisableRange<double>(0.0, 1.0), freeRateKnob);
    attacher->attachToButton(unitTree, juce::Identifier(prefix + "csync"), true, syncButton);
    syncButton.getToggleStateValue().addListener(this);

    syncedRateKnob.textFromValueFunction = [this](double v)
    { return dispData->clockDivNames[(size_t) DispShareData::listIndex(v, DispShareData::numClockDivisions)]; };
    freeRateKnob.textFromValueFunction = freeRateText;
    syncedRateKnob.updateText();
    freeRateKnob.updateText();
    syncButtonClicked();
}

void CenterPitchSeq_ClockPanel::syncButtonClicked()
{
    const bool synced = (bool) syncButton.getToggleStateValue().getValue();
    syncedRateKnob.setVisible(synced);
    clockType.setVisible(synced);
    freeRateKnob.setVisible(!synced);
}

void CenterPitchSeq_ClockPanel::valueChanged(juce::Value&)
{
    syncButtonClicked();
}

void CenterPitchSeq_ClockPanel::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    auto unitColour = entry(47);
    if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        unitColour = unit->unitColor;
    clockType.setSkinMode(skin);
    colourRateKnob(syncedRateKnob, unitColour, 0.4f);
    colourRateKnob(freeRateKnob, unitColour, 0.4f);
    ZuStyle::setColour(syncButton, ZuStyle::bglayercolor, entry(1));
    ZuStyle::setColour(syncButton, ZuStyle::outlinecolor, entry(23));
    ZuStyle::setColour(syncButton, ZuStyle::focuscolor, unitColour);
    syncButton.setColour(juce::TextButton::buttonOnColourId, unitColour);
    syncButton.setColour(juce::TextButton::buttonColourId, entry(18));
    syncButton.setColour(juce::TextButton::textColourOffId, entry(20));
    syncButton.setColour(juce::TextButton::textColourOnId, entry(21));
    modPair.setBgColor(baseColor);
    modPair.setThumbColor(entry(35));
    repaint();
}

void CenterPitchSeq_ClockPanel::resized()
{
    const auto area = getLocalBounds().reduced(1);
    const int x = area.getX(), y = area.getY(), iw = area.getWidth(), ih = area.getHeight();
    const int top = (int) (ih * 0.56);
    const int b = juce::jmax(0, ih - top - 1);
    const int pairWidth = juce::jmin((int) (b * 2.4), (int) (iw * 0.4));
    modPair.setBounds(x + iw - pairWidth, y, pairWidth, top);
    const int knobWidth = juce::jmax(0, iw - pairWidth - juce::jmax(2, (int) (iw * 0.05)));
    const int knobHeight = juce::jmax(0, top - juce::jmax(1, (int) (top * 0.1)));
    syncedRateKnob.setBounds(x, y, knobWidth, knobHeight);
    freeRateKnob.setBounds(x, y, knobWidth, knobHeight);
    const int bottomY = y + juce::jmin(top + 1, ih);
    const int syncWidth = juce::jmin((int) (b * 1.55), iw);
    syncButton.setBounds(x, bottomY, syncWidth, b);
    const int typeX = juce::jmin(syncWidth + (int) (syncWidth * 0.68), iw);
    clockType.setBounds(x + typeX, bottomY, iw - typeX, b);
}

//==============================================================================
CenterPanel_Reset::CenterPanel_Reset()
{
    baseColor = entry(31);
    addAndMakeVisible(caption);
    caption.setLookAndFeel(&labelLook.get());
    caption.setText("Reset Count", juce::dontSendNotification);
    caption.setJustificationType(juce::Justification::centred);
    caption.setEditable(false, false, false);
    caption.setColour(juce::Label::backgroundColourId, baseColor);
    caption.setColour(juce::Label::textColourId, entry(36));
    ZuStyle::setReal(caption, ZuStyle::fontsize, 0.78f);
    caption.getProperties().set(ZuStyle::fontface, "Medium");

    addAndMakeVisible(knob);
    knob.setName({});
    knob.setRange(0.0, maxResetCount, 1.0);
    shapeUnitNumberBox(knob, knobLook.get(), colorTheme->dragValue(1));
    knob.getProperties().set(ZuStyle::barflag, 0);
    ZuStyle::setReal(knob, ZuStyle::fontsize, 0.78f);
    knob.getProperties().set(ZuStyle::maxval, maxResetCount);
    knob.setColour(juce::Slider::backgroundColourId, baseColor);
    knob.setColour(juce::Slider::textBoxBackgroundColourId, baseColor.darker(0.5f));
    knob.setColour(juce::Slider::textBoxTextColourId, entry(38));
    knob.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.4f));
    knob.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    knob.textFromValueFunction = roundedDownText;
    knob.updateText();
}

CenterPanel_Reset::~CenterPanel_Reset()
{
    caption.setLookAndFeel(nullptr);
    knob.setLookAndFeel(nullptr);
}

void CenterPanel_Reset::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    attacher->attachToSlider(unitTree, juce::Identifier(prefix + "rst"), 0.0f,
                             juce::NormalisableRange<double>(0.0, maxResetCount, 1.0), knob);
}

void CenterPanel_Reset::setSkinMode(int skin)
{
    skinMode = skin;
    knob.skinIndex = skin;
    baseColor = entry(31);
    caption.setColour(juce::Label::backgroundColourId, baseColor);
    caption.setColour(juce::Label::textColourId, entry(12));
    knob.setColour(juce::Slider::backgroundColourId, baseColor);
    knob.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
    knob.setColour(juce::Slider::textBoxTextColourId, entry(11));
    knob.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
    knob.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    repaint();
}

void CenterPanel_Reset::resized()
{
    auto area = getLocalBounds().withTrimmedLeft(2).withTrimmedRight(2).withTrimmedTop(1).withTrimmedBottom(1);
    const int inset = (int) (area.getWidth() * 0.1);
    caption.setBounds(area.removeFromTop((int) (area.getHeight() * 0.45)));
    area.removeFromTop(2);
    knob.setBounds(area.reduced(inset, 0));
}
