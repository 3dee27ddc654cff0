// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCtrlPanel_DiceUnit.h"

#include "ZuConvert.h"
#include "ZuEditorAccess.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

int CenterCtrlPanel_DiceUnit::kindEntryOf(int type)
{
    switch (type)
    {
    case zu::units::param:
        return 48;
    case zu::units::cc:
        return 49;
    case zu::units::octTp:
        return 51;
    default:
        return 47;
    }
}

namespace
{
juce::String percentText(double v)
{
    return juce::String(zu::toIntSaturating(std::floor(100.0 * zu::finiteOr(v, 0.0)))) + "%";
}
} // namespace

CenterCtrlPanel_DiceUnit::CenterCtrlPanel_DiceUnit()
{
    baseColor = colorTheme->entry(31, skinIndex);
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };

    addAndMakeVisible(diceButton);
    diceButton.setButtonText("dice");
    diceButton.setLookAndFeel(&diceLook.get());
    diceButton.setTooltip("Left click: Randomizes target step values, Right click: Initializes target step values");
    diceButton.getProperties().set("fontsize", 1.0);
    diceButton.getProperties().set("focuscolor", juce::Colour(0xffc0c0c0).toString());
    diceButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffc0c0c0));
    diceButton.setColour(juce::TextButton::buttonColourId, baseColor);
    diceButton.setColour(juce::TextButton::textColourOffId, entry(40));
    diceButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffc0c0c0));
    diceButton.onClick = [this] { diceClicked(); };

    addAndMakeVisible(rangeKnob);
    rangeKnob.setLookAndFeel(&rangeLook.get());
    rangeKnob.setName("RndRange");
    rangeKnob.setTooltip("Sets the randomize range");
    rangeKnob.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    rangeKnob.setRotaryParameters(juce::MathConstants<float>::pi * 1.3f, juce::MathConstants<float>::pi * 2.7f, true);
    rangeKnob.setRange(0.0, 1.0, 0.0);
    rangeKnob.setVelocityModeParameters(1.0, 1, colorTheme->dragValue(0), true,
                                        juce::ModifierKeys::ctrlAltCommandModifiers);
    rangeKnob.setColour(juce::TooltipWindow::backgroundColourId, juce::Colour(0x50ffffff));
    rangeKnob.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    rangeKnob.getProperties().set("barflag", 1);
    rangeKnob.getProperties().set("fontsize", 0.72);
    rangeKnob.getProperties().set("popupfontsize", 3.0);
    rangeKnob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    rangeKnob.setColour(juce::Slider::textBoxTextColourId, entry(38));
    rangeKnob.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff000000));
    rangeKnob.setChangeNotificationOnlyOnRelease(true);
    rangeKnob.textFromValueFunction = percentText;
    rangeKnob.onValueChange = [this] { startTimer(0, 50); };

    addAndMakeVisible(lockButton);
    lockButton.setButtonText("lock");
    lockButton.setLookAndFeel(&lockLook.get());
    lockButton.setClickingTogglesState(true);
    lockButton.setTooltip("Locks the target parameter, locked parameter will ignore randomize all action");
    lockButton.getProperties().set("outlinecolor", juce::Colour(0x003f3f3f).toString());
    lockButton.getProperties().set("focuscolor", juce::Colour(0x003f3f3f).toString());
    lockButton.getProperties().set("reducefactor", 0.11);
    lockButton.setColour(juce::TextButton::buttonOnColourId, entry(47));
    lockButton.setColour(juce::TextButton::buttonColourId, baseColor);
    lockButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff606060));
    lockButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));
    lockButton.onClick = [this] { lockButtonClicked(); };
}

CenterCtrlPanel_DiceUnit::~CenterCtrlPanel_DiceUnit()
{
    stopTimer(0);
    diceButton.setLookAndFeel(nullptr);
    rangeKnob.setLookAndFeel(nullptr);
    lockButton.setLookAndFeel(nullptr);
}

bool CenterCtrlPanel_DiceUnit::isTwoValued(int type, const juce::String& label)
{
    if (type == zu::units::pitch)
        return label == "S" || label == "OO";
    return label == "OO";
}

juce::Colour CenterCtrlPanel_DiceUnit::unitColourOf(const juce::Component& inside, int type)
{
    return settingsColourOfKind(inside, type).value_or(juce::Colour(0xffd0d0d0));
}

juce::Identifier CenterCtrlPanel_DiceUnit::lockKey() const
{
    return juce::Identifier(stem + "_prmlck" + juce::String(property));
}

void CenterCtrlPanel_DiceUnit::showRangeKnob()
{
    rangeKnob.setVisible(!lockButton.getToggleState() && !isTwoValued(unitType, labelText));
}

void CenterCtrlPanel_DiceUnit::paintKindColour(juce::Colour kindColour)
{
    diceButton.getProperties().set("focuscolor", kindColour.toString());
    rangeKnob.setColour(juce::Slider::trackColourId, kindColour.brighter(0.3f).withAlpha(0.9f));
    rangeKnob.setColour(juce::Slider::textBoxBackgroundColourId, kindColour.darker(1.2f));
    lockButton.getProperties().set("focuscolor", kindColour.withAlpha(0.7f).toString());
    lockButton.setColour(juce::TextButton::buttonOnColourId, kindColour);
}

void CenterCtrlPanel_DiceUnit::setLabelTextAndParamIdAndTree(juce::String label, juce::String range, int type,
                                                             int unitInstance, int k, juce::ValueTree tree)
{
    unitType = type;
    instance = unitInstance;
    property = k;
    labelText = label;
    guiTree = tree;
    stem = zu::units::editorKeyStem(type, unitInstance);
    diceButton.getProperties().set("labeltext", label);
    if (range.isNotEmpty())
        rangeKey = juce::Identifier(range);
    showRangeKnob();

    // A range the tree lacks is the processor's own default, the whole range:
    // reading it as 0 would write 0 back and stop the dice.
    rangeKnob.setValue(zu::readFloatProperty(guiTree, rangeKey, 1.0f), juce::sendNotificationAsync);

    // Any value other than 0 locks, as the processor reads it when it rolls.
    const bool locked = zu::readIntProperty(guiTree, lockKey(), 0) != 0;
    lockButton.setToggleState(locked, juce::dontSendNotification);
    diceButton.setEnabled(!locked);
    showRangeKnob();
    paintKindColour(colorTheme->entry(kindEntryOf(unitType), skinIndex));
}

void CenterCtrlPanel_DiceUnit::diceClicked()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr || property < 1)
        return;
    ZuEditorAccess(editor->processor).rndRstCenterSqParams(unitType, instance, property, diceButton.rightClick);
}

void CenterCtrlPanel_DiceUnit::lockButtonClicked()
{
    const bool locked = lockButton.getToggleState();
    diceButton.setEnabled(!locked);
    showRangeKnob();
    if (property >= 1)
        guiTree.setProperty(lockKey(), locked ? 1 : 0, nullptr);
}

void CenterCtrlPanel_DiceUnit::timerCallback(int timerId)
{
    if (timerId != 0)
        return;
    stopTimer(0);
    if (property >= 1)
        guiTree.setProperty(rangeKey, rangeKnob.getValue(), nullptr);
}

void CenterCtrlPanel_DiceUnit::setSkinMode(int skin)
{
    skinIndex = skin;
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };
    baseColor = entry(31);
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();

    rangeKnob.textFromValueFunction = percentText;
    rangeKnob.updateText();
    rangeKnob.setPopupDisplayEnabled(true, false, editor, 2000);
    paintKindColour(unitColourOf(*this, unitType));

    diceButton.setColour(juce::TextButton::buttonColourId, baseColor);
    diceButton.setColour(juce::TextButton::textColourOffId, entry(40));
    lockButton.getProperties().set("bgcolor", baseColor.toString());
    lockButton.setColour(juce::TextButton::buttonColourId, baseColor);
    lockButton.setColour(juce::TextButton::textColourOffId, entry(41));
    repaint();
}

void CenterCtrlPanel_DiceUnit::resized()
{
    auto area = getLocalBounds().reduced(1);
    auto top = area.removeFromTop((int) (0.4 * area.getHeight()));
    lockButton.setBounds(top.withTrimmedBottom(1).reduced(1));
    diceButton.setBounds(area.removeFromTop((int) (0.77 * area.getHeight())));
    area.removeFromTop(1);
    area.removeFromTop(juce::jmin(2, area.getHeight()));
    rangeKnob.setBounds(area);
}
