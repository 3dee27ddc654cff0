// SPDX-License-Identifier: GPL-3.0-or-later
#include "FxModKnob.h"

#include "ZuCenterUnitPanelBase.h"
#include "ZuEditorAccess.h"
#include "ZuModulatableKnob.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
const juce::Identifier modsrcProp{"modsrc"}, polindexProp{"polindex"}, indicatorProp{"indicator"};
constexpr int macroColourEntry = 53;
constexpr int lastMacroSource = 16;
constexpr int numUnitModulators = 8;

// The whole-number source of a stored value; a non-finite one counts as none.
int wholeSource(double value)
{
    if (!std::isfinite(value))
        return 0;
    return (int) juce::jlimit(-1.0, 1.0e6, value);
}
} // namespace

modSrcInfo::modSrcInfo()
{
    for (int i = 1; i <= 8; ++i)
        names.add("MOD" + juce::String(i));
    for (int i = 1; i <= 4; ++i)
        names.add("MACRO" + juce::String(i));
}

FxModKnob::FxModKnob()
{
    for (int i = 0; i < 8; ++i)
    {
        srcNumberTexts[(size_t) i] = juce::String(i + 1);
        srcNumberTexts[(size_t) (i + 8)] = juce::String(i + 1);
    }

    addAndMakeVisible(amountKnob);
    amountKnob.setName("Mod");
    amountKnob.setTooltip("Modulation of this parameter. Right click to assign a modulation source. Left click to "
                          "adjust amount.");
    amountKnob.setLookAndFeel(&modKnobLook.get());
    amountKnob.getProperties().set("popupfontsize", 0.9);
    amountKnob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    amountKnob.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    amountKnob.setRotaryParameters(juce::MathConstants<float>::pi * 1.05f, juce::MathConstants<float>::pi * 2.95f,
                                   true);
    amountKnob.setColour(juce::Slider::trackColourId, juce::Colours::skyblue);
    amountKnob.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xff999999));
    amountKnob.setColour(juce::Slider::textBoxBackgroundColourId, juce::Colour(0xff101010));
    amountKnob.setTextValueSuffix({});

    dispBgColor = juce::Colour(0xff151515);
    setDdIdHead({});

    amountKnob.onValueChange = [this] { notifyOwnerDepth(); };
    sourceSlider.onValueChange = [this]
    {
        updateModTargetDisp();
        notifyOwnerDepth();
    };

    updateModTargetDisp();
    // The callbacks above hear only changes made through the sliders; these
    // hear every change of the bound properties (snapshot switch, copy, load,
    // automation), so the badge and the owner's arc always show the tree.
    sourceSlider.getValueObject().addListener(this);
    amountKnob.getValueObject().addListener(this);

    juce::Component::SafePointer<FxModKnob> weak(this);
    juce::Timer::callAfterDelay(2000,
                                [weak]
                                {
                                    if (auto* slot = weak.getComponent())
                                        if (slot->isShowing())
                                            slot->tryToLink();
                                });

    addChildComponent(dropFrame);
    dropFrame.setFill(juce::Colour(0xffffffff));
    dropFrame.setInterceptsMouseClicks(false, false);
}

FxModKnob::~FxModKnob()
{
    stopTimer(idleTimer);
    stopTimer(blinkTimer);
    stopTimer(linkTimer);
    polarityToggle.removeListener(this);
    hoveredHandle.removeListener(this);
    sourceSlider.getValueObject().removeListener(this);
    amountKnob.getValueObject().removeListener(this);
    amountKnob.setLookAndFeel(nullptr);
}

void FxModKnob::setAttachment(juce::ValueTree tree, juce::String depthKey, juce::String sourceKey,
                              juce::String unitHead)
{
    ZuParamAttacher::attachToSlider(tree, juce::Identifier(depthKey), 0.0f, {-1.0, 1.0, 0.0, 1.0}, amountKnob);
    ZuParamAttacher::attachToSlider(tree, juce::Identifier(sourceKey), 0.0f,
                                    {0.0, (double) (ZuParamAttacher::numModSources - 1), 1.0, 1.0}, sourceSlider);
    setDdIdHead(unitHead);
    updateTextFromValFunction();
    updateModTargetDisp();
    startTimer(idleTimer, 1000);
    startTimer(linkTimer, 1000);
    notifyOwnerDepth();
    isAttached = true;
}

void FxModKnob::setDdIdHead(juce::String head)
{
    acceptedDragTexts.clear();
    for (int i = 1; i <= numUnitModulators; ++i)
        acceptedDragTexts.add(head + "MOD" + juce::String(i));
    for (int i = 1; i <= 8; ++i)
        acceptedDragTexts.add("MACRO" + juce::String(i));
}

juce::String FxModKnob::depthText(double depth) const
{
    const double shaped = scurve->calcModDep(depth);
    const int percent = (int) std::floor(shaped * 100.0);
    return (depth > 0.0 ? "+" : "") + juce::String(percent) + " %";
}

juce::String FxModKnob::sourceText(int source) const
{
    // Sources past the table (foreign state) show no number.
    if (source < 1 || source > (int) srcNumberTexts.size())
        return {};
    return srcNumberTexts[(size_t) (source - 1)];
}

void FxModKnob::updateTextFromValFunction()
{
    amountKnob.textFromValueFunction = [this](double value) { return depthText(value); };
    amountKnob.updateText();
}

void FxModKnob::updateModTargetDisp()
{
    showAssignment();
    // Clearing the source clears the depth with it.
    if (wholeSource(sourceSlider.getValue()) <= 0)
        amountKnob.setValue(0.0, juce::sendNotificationSync);
}

void FxModKnob::showAssignment()
{
    const int s = wholeSource(sourceSlider.getValue());
    amountKnob.getProperties().set(modsrcProp, s <= 0 ? juce::String("-") : sourceText(s));
    amountKnob.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);

    juce::Colour c(0x00000000);
    if (s <= 0)
    {
        amountKnob.setColour(juce::Slider::trackColourId, c);
        amountKnob.setColour(juce::Slider::textBoxTextColourId, c);
        amountKnob.setColour(juce::Slider::textBoxBackgroundColourId, bgColor);
        amountKnob.setMouseCursor(juce::MouseCursor::NormalCursor);
    }
    else if (s <= numUnitModulators)
    {
        c = juce::Colour(0xffc0c0c0);
        amountKnob.setColour(juce::Slider::trackColourId, c);
        amountKnob.setColour(juce::Slider::textBoxTextColourId, c.brighter(0.35f));
        amountKnob.setColour(juce::Slider::textBoxBackgroundColourId, dispBgColor);
    }
    else if (s <= lastMacroSource)
    {
        c = colorTheme->entry(macroColourEntry, colorSetIndex);
        amountKnob.setColour(juce::Slider::trackColourId, c);
        amountKnob.setColour(juce::Slider::textBoxTextColourId, c);
        amountKnob.setColour(juce::Slider::textBoxBackgroundColourId, dispBgColor);
    }

    if (getParentComponent() == nullptr)
    {
        amountKnob.repaint();
        return;
    }

    int polarity = 0;
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor != nullptr && s > 0)
    {
        if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        {
            unitTypeCache = unit->unitType;
            unitIndexCache = unit->unitIndex;
        }
        // Only the numbers the editor produces ask the processor.
        if (s < ZuParamAttacher::numModSources)
            polarity =
                ZuEditorAccess(editor->processor).getModSrcPolarity(unitTypeCache, unitIndexCache, s - 1) ? 1 : 0;
        amountKnob.getProperties().set(polindexProp, polarity);
    }

    if (auto* owner = findParentComponentOfClass<ZuModulatableKnob>())
    {
        owner->setModTrackColor(slotIndex, c, polarity);
        owner->repaint();
    }
    amountKnob.repaint();
}

void FxModKnob::notifyOwnerDepth()
{
    if (auto* owner = findParentComponentOfClass<ZuModulatableKnob>())
        owner->setModValProp(slotIndex, amountKnob.getValue());
}

juce::PopupMenu FxModKnob::buildSourceMenu()
{
    juce::PopupMenu menu, modulators, macros;
    for (int i = 1; i <= 8; ++i)
    {
        modulators.addItem(1 + i, "Mod" + juce::String(i));
        macros.addItem(9 + i, "Macro" + juce::String(i));
    }
    menu.addItem(1, "Clear");
    menu.addSubMenu("Modulator", modulators);
    menu.addSubMenu("Macro", macros);
    return menu;
}

void FxModKnob::sourceMenuChosen(int result)
{
    if (result > 0)
        sourceSlider.setValue((double) (result - 1), juce::sendNotificationSync);
}

void FxModKnob::openPopupMenu(const juce::MouseEvent&)
{
    if (!isEnabled() || findParentComponentOfClass<ZumiraboxAudioProcessorEditor>() == nullptr)
        return;

    const auto mouse = juce::Desktop::getMousePosition();
    auto options = juce::PopupMenu::Options()
                       .withMinimumWidth(100)
                       .withStandardItemHeight(18)
                       .withMaximumNumColumns(8)
                       .withTargetComponent(&amountKnob)
                       .withTargetScreenArea({mouse.x, mouse.y, 0, 0});
    juce::Component::SafePointer<FxModKnob> safe(this);
    buildSourceMenu().showMenuAsync(options,
                                    [safe](int result)
                                    {
                                        if (auto* slot = safe.getComponent())
                                            slot->sourceMenuChosen(result);
                                    });
}

void FxModKnob::setBgColor(juce::Colour colour)
{
    bgColor = colour;
    amountKnob.setColour(juce::Slider::backgroundColourId, colour);
    amountKnob.repaint();
    repaint();
}

void FxModKnob::setDispBgColor(juce::Colour colour)
{
    dispBgColor = colour;
    amountKnob.setColour(juce::Slider::textBoxBackgroundColourId, colour);
    amountKnob.repaint();
    repaint();
}

void FxModKnob::setOutlineColor(juce::Colour colour)
{
    outlineColor = colour;
    amountKnob.setColour(juce::Slider::rotarySliderOutlineColourId, colour);
}

void FxModKnob::setValue(float depth)
{
    amountKnob.setValue(depth, juce::sendNotificationSync);
}

void FxModKnob::setSrcVal(double source)
{
    sourceSlider.setValue(source, juce::sendNotificationSync);
    updateModTargetDisp();
}

void FxModKnob::reset()
{
    setValue(0.0f);
    setSrcVal(0.0);
}

bool FxModKnob::isInterestedInDragSource(const SourceDetails& details)
{
    return isEnabled() && acceptedDragTexts.contains(details.description.toString());
}

void FxModKnob::itemDragEnter(const SourceDetails& details)
{
    if (!acceptedDragTexts.contains(details.description.toString()))
        return;
    amountKnob.setColour(juce::Slider::backgroundColourId, juce::Colour(0xff202020));
    dropFrame.setVisible(true);
}

void FxModKnob::itemDragExit(const SourceDetails& details)
{
    if (acceptedDragTexts.contains(details.description.toString()))
        amountKnob.setColour(juce::Slider::backgroundColourId, bgColor);
    dropFrame.setVisible(false);
}

void FxModKnob::itemDropped(const SourceDetails& details)
{
    const int index = acceptedDragTexts.indexOf(details.description.toString());
    if (index >= 0)
    {
        sourceSlider.setValue((double) (index + 1), juce::sendNotificationSync);
        updateModTargetDisp();
        amountKnob.setColour(juce::Slider::backgroundColourId, bgColor);
    }
    dropFrame.setVisible(false);
}

void FxModKnob::valueChanged(juce::Value& value)
{
    // A change the tree brought shows as it is: only the user's own choice
    // of "no source" clears the depth.
    if (value.refersToSameSourceAs(sourceSlider.getValueObject()))
    {
        showAssignment();
        notifyOwnerDepth();
        return;
    }
    if (value.refersToSameSourceAs(amountKnob.getValueObject()))
    {
        notifyOwnerDepth();
        return;
    }
    if (value.refersToSameSourceAs(polarityToggle))
    {
        updateModTargetDisp();
        return;
    }
    if (!value.refersToSameSourceAs(hoveredHandle))
        return;

    const int s = wholeSource(sourceSlider.getValue());
    if (s <= 0)
    {
        stopTimer(blinkTimer);
        return;
    }

    const auto text = hoveredHandle.toString();
    const int last = text.getLastCharacters(1).getIntValue();
    int m = -1;
    if (text.dropLastCharacters(1) == "MACRO")
        m = 8 + last;
    else if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        if (unit->getModIdHead() == text.substring(0, 3))
            m = last;

    if (m == s)
    {
        startTimer(blinkTimer, 10);
        return;
    }
    stopTimer(blinkTimer);
    if ((int) amountKnob.getProperties().getWithDefault(indicatorProp, 1) == 1)
    {
        amountKnob.getProperties().set(indicatorProp, 0);
        amountKnob.repaint();
    }
}

void FxModKnob::timerCallback(int timerId)
{
    if (timerId == blinkTimer)
    {
        startTimer(blinkTimer, 350);
        const int lit = (int) amountKnob.getProperties().getWithDefault(indicatorProp, 0);
        amountKnob.getProperties().set(indicatorProp, 1 - lit);
        amountKnob.repaint();
        return;
    }
    stopTimer(timerId);
    if (timerId == linkTimer)
        tryToLink();
}

void FxModKnob::tryToLink()
{
    if (!isAttached || isLinked)
        return;
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    linkTo(editor->modPolValue, editor->indctSrcValue);
    updateModTargetDisp();
}

void FxModKnob::linkTo(juce::Value polarity, juce::Value hovered)
{
    polarityToggle.removeListener(this);
    hoveredHandle.removeListener(this);
    polarityToggle.referTo(polarity);
    hoveredHandle.referTo(hovered);
    polarityToggle.addListener(this);
    hoveredHandle.addListener(this);
    isLinked = true;
}

void FxModKnob::setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hovered)
{
    linkTo(polarity, hovered);
}

void FxModKnob::resized()
{
    amountKnob.setBounds(getLocalBounds().reduced(1));
    if (isTimerRunning(idleTimer) || isTimerRunning(blinkTimer))
    {
        stopTimer(idleTimer);
        stopTimer(blinkTimer);
    }
    if (isShowing())
        startTimer(linkTimer, 2000);

    juce::Path frame;
    frame.addRoundedRectangle(1.0f, 1.0f, (float) juce::jmax(0, getWidth() - 2), (float) juce::jmax(0, getHeight() - 2),
                              2.0f);
    juce::Path outline;
    juce::PathStrokeType(1.0f).createStrokedPath(outline, frame);
    dropFrame.setPath(outline);
    dropFrame.setVisible(false);
}

void FxModKnob::enablementChanged()
{
    if (isAttached && !isLinked)
        tryToLink();
    else
        updateModTargetDisp();
    amountKnob.setInterceptsMouseClicks(isEnabled(), isEnabled());
}

void FxModKnob::setPopupDispState(bool on)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    amountKnob.setPopupDisplayEnabled(on, on, editor, 2000);
}

void FxModKnob::setLnf(int)
{
    amountKnob.setLookAndFeel(&modKnobLook.get());
}

void FxModKnob::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String sourceId, juce::String depthId)
{
    depthParamAttachment.reset();
    sourceParamAttachment.reset();
    if (state.getParameter(depthId) != nullptr)
        depthParamAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, depthId, amountKnob);
    if (state.getParameter(sourceId) != nullptr)
        sourceParamAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, sourceId, sourceSlider);
    updateTextFromValFunction();
    updateModTargetDisp();
    isAttached = true;
}

void FxModKnob::setAttachments(juce::AudioProcessorValueTreeState& state, int, int, int, int)
{
    setAttachments(state, {}, {});
    startTimer(idleTimer, 1000);
    startTimer(linkTimer, 1000);
}

void FxModKnob::PopupSlider::mouseDown(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        if (auto* slot = findParentComponentOfClass<FxModKnob>())
            slot->openPopupMenu(e);
        return;
    }
    juce::Slider::mouseDown(e);
}

double FxModKnob::PopupSlider::snapValue(double value, juce::Slider::DragMode)
{
    if (value > snapLow && value < snapHigh)
        return 0.5;
    return value;
}
