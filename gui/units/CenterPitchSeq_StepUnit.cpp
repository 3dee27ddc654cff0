// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_StepUnit.h"

#include "ZuConvert.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"

#include <cmath>

namespace
{
const juce::Colour labelText{0xffcccccc};
const juce::Colour slotThumb{0xff3a3a3a};
const juce::NormalisableRange<double> pitchRange{0.0, 12.0, 1.0};
const juce::NormalisableRange<double> relRange{-12.0, 12.0, 1.0};

// Truncation toward zero, as every layout step here divides.
int T(float v)
{
    return (int) v;
}

juce::Rectangle<int> box(int x, int y, int w, int h)
{
    return {x, y, juce::jmax(0, w), juce::jmax(0, h)};
}
} // namespace

CenterPitchSeq_StepUnit::CenterPitchSeq_StepUnit()
{
    addAndMakeVisible(octaveSelector);
    const std::array<std::pair<CenterPanelNumBoxUnit*, const char*>, 3> boxes{
        {{&vBox, "V"}, {&gBox, "G"}, {&pBox, "P"}}};
    for (const auto& [numBox, name] : boxes)
    {
        addAndMakeVisible(*numBox);
        numBox->setParamName(name);
    }
    for (auto* slots : {&octSlots, &onOffSlots, &slurSlots})
    {
        addAndMakeVisible(*slots);
        slots->setBgColor(backgroundColour);
        slots->setThumbColor(slotThumb);
    }

    addAndMakeVisible(noteLabel);
    noteLabel.setLookAndFeel(&labelLook.get());
    noteLabel.setText("C", juce::dontSendNotification);
    noteLabel.setJustificationType(juce::Justification::centred);
    noteLabel.setEditable(false, false, false);
    noteLabel.setInterceptsMouseClicks(false, false);
    noteLabel.getProperties().set("bgcolor", juce::Colour(0xff1a1a1a).toString());
    noteLabel.setColour(juce::Label::backgroundColourId, juce::Colour(0xff1a1a1a));
    noteLabel.setColour(juce::Label::textColourId, labelText);
    noteLabel.getProperties().set("fontsize", 1.05);
    noteLabel.getProperties().set("fontface", "SemiBold");

    setUpKnob(pitchKnob, "Pitch", "Sets the step pitch");
    setUpKnob(relKnob, "1", "Sets the relative pitch value");

    auto& pitch = pitchKnob.mainKnob;
    pitch.setLookAndFeel(&normKnobLook.get());
    setVelocityMode(pitch);
    pitch.setColour(juce::Slider::rotarySliderOutlineColourId, theme->entry(47, 0).withAlpha(0.5f));
    pitch.setColour(juce::Slider::textBoxBackgroundColourId, theme->entry(34, skin));
    pitch.getProperties().set("fontface", "SemiBold");
    pitch.getProperties().set("fontsize", 1.7);
    pitch.onValueChange = [this] { triggerAsyncUpdate(); };

    auto& rel = relKnob.mainKnob;
    rel.getProperties().set("fontsize", 0.7);
    rel.setLookAndFeel(&relSliderLook.get());
    rel.setColour(juce::Slider::thumbColourId, theme->entry(47, skin).brighter(0.2f));
    rel.setSliderStyle(juce::Slider::LinearBarVertical);
    rel.setColour(juce::Slider::rotarySliderOutlineColourId, juce::Colour(0xff555555));
    rel.getProperties().set("iscenter", 1);
    rel.onValueChange = [this] { triggerAsyncUpdate(); };

    addAndMakeVisible(lockButton);
    lockButton.setButtonText("lock");
    lockButton.setLookAndFeel(&lockLook.get());
    lockButton.setClickingTogglesState(true);
    lockButton.setTooltip("Locks the step values, when locked this step will ignore randomize action");
    lockButton.getProperties().set("bgcolor", backgroundColour.toString());
    lockButton.getProperties().set("outlinecolor", juce::Colour(0x003f3f3f).toString());
    lockButton.getProperties().set("focuscolor", theme->entry(47, skin).withAlpha(0.7f).toString());
    lockButton.setColour(juce::TextButton::buttonOnColourId, theme->entry(47, skin));
    lockButton.setColour(juce::TextButton::buttonColourId, backgroundColour);
    lockButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff606060));
    lockButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));
    lockButton.getProperties().set("reducefactor", 0.05);

    setUpStepButton(onOffButton, "", "Toggles the step onoff");
    setUpStepButton(slurButton, "slur",
                    "Toggles the step slur, if active step note will be streched out to the next active trigger");

    setUpDragArea(relDragArea);
    setUpDragArea(pitchDragArea);

    relChordButtonClicked();
}

CenterPitchSeq_StepUnit::~CenterPitchSeq_StepUnit()
{
    cancelPendingUpdate();
    pitchKnob.mainKnob.getValueObject().removeListener(this);
    relKnob.mainKnob.getValueObject().removeListener(this);
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&noteLabel, &pitchKnob.mainKnob, &relKnob.mainKnob, &lockButton,
                                                 &onOffButton, &slurButton, &pitchDragArea, &relDragArea})
        c->setLookAndFeel(nullptr);
}

void CenterPitchSeq_StepUnit::setUpKnob(ZuModulatableKnob& knob, const juce::String& name, const juce::String& tooltip)
{
    addAndMakeVisible(knob);
    knob.mainKnob.setName(name);
    knob.setBgColor(backgroundColour);
    knob.setTextColor(juce::Colour(0xffb0b0b0));
    knob.mainKnob.setColour(juce::Slider::thumbColourId, theme->entry(33, skin));
    for (int k = 0; k < knob.numSlots; ++k)
        knob.slots[(size_t) k].setOutlineColor(theme->entry(35, skin));
    knob.mainKnob.getProperties().set("fontsize", 1.3);
    knob.mainKnob.setTooltip(tooltip);
    knob.modKnobRatio = 0.25f;
    knob.layoutMode = 1;
    knob.resized();
}

void CenterPitchSeq_StepUnit::setUpStepButton(DraggableButton& button, const juce::String& text,
                                              const juce::String& tooltip)
{
    addAndMakeVisible(button);
    button.setButtonText(text);
    button.setTooltip(tooltip);
    button.setLookAndFeel(&stepButtonLook.get());
    button.setClickingTogglesState(true);
    button.getProperties().set("fontsize", 0.9);
    button.getProperties().set("bgcolor", backgroundColour.toString());
    button.getProperties().set("outlinecolor", theme->entry(23, skin).toString());
    button.setColour(juce::TextButton::buttonOnColourId, theme->entry(47, skin));
    button.setColour(juce::TextButton::buttonColourId, backgroundColour);
    button.setColour(juce::TextButton::textColourOffId, theme->entry(22, skin));
    button.setColour(juce::TextButton::textColourOnId, theme->entry(21, skin));
}

void CenterPitchSeq_StepUnit::setUpDragArea(juce::Slider& area)
{
    addAndMakeVisible(area);
    area.setName({});
    area.setTooltip({});
    area.setLookAndFeel(&transpBoxLook.get());
    area.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    setVelocityMode(area);
    area.getProperties().set("fontsize", 0.9);
    area.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    area.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    area.setColour(juce::Slider::backgroundColourId, juce::Colours::transparentBlack);
    area.setColour(juce::Slider::textBoxBackgroundColourId, backgroundColour);
    area.setColour(juce::Slider::textBoxTextColourId, theme->entry(38, skin));
    area.setColour(juce::Slider::trackColourId, theme->entry(47, skin).withAlpha(0.2f));
    area.setColour(juce::Slider::textBoxOutlineColourId, theme->entry(37, skin));
    area.toBack();
}

void CenterPitchSeq_StepUnit::setVelocityMode(juce::Slider& slider)
{
    slider.setVelocityModeParameters(
        1.0, 1, theme->velocityOffset, true,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
}

void CenterPitchSeq_StepUnit::setAttachment(juce::ValueTree unitTree, juce::String prefix, int index)
{
    const auto id = [&prefix, index](const char* key) { return prefix + key + juce::String(index + 1); };
    const auto stepName = juce::String(index + 1);
    const auto bindKnob = [&](ZuModulatableKnob& knob, const juce::String& key, juce::NormalisableRange<double> range)
    {
        knob.setAttachment(unitTree, key, 0.0f, range);
        knob.mainKnob.setName(stepName);
        setVelocityMode(knob.mainKnob);
        knob.mainKnob.getValueObject().addListener(this);
    };

    bindKnob(pitchKnob, id("pch"), pitchRange);
    bindKnob(relKnob, id("relpch"), relRange);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(id("relpch")), 0.0f, relRange, relDragArea);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(id("pch")), 0.0f, pitchRange, pitchDragArea);
    ZuParamAttacher::attachToButton(unitTree, juce::Identifier(id("slk")), false, lockButton);
    octaveSelector.setAttachment(unitTree, id("oct"));
    octSlots.setAttachment(unitTree, id("oct"));
    ZuParamAttacher::attachToButton(unitTree, juce::Identifier(id("spwr")), true, onOffButton);
    onOffSlots.setAttachment(unitTree, id("spwr"));
    ZuParamAttacher::attachToButton(unitTree, juce::Identifier(id("slr")), false, slurButton);
    slurSlots.setAttachment(unitTree, id("slr"));
    vBox.setAttachment(unitTree, id("vel"), 100.0f, {0.0, 127.0, 1.0});
    gBox.setAttachment(unitTree, id("gate"), 50.0f, {0.0, 100.0, 1.0});
    pBox.setAttachment(unitTree, id("prob"), 100.0f, {0.0, 100.0, 1.0});
    stepIndex = index;
    updateNoteDisp();
}

void CenterPitchSeq_StepUnit::setStepIndex(int index)
{
    stepIndex = index;
    pitchKnob.mainKnob.setName(juce::String(index + 1));
}

void CenterPitchSeq_StepUnit::setRelMode(bool relative)
{
    relativeFlag = relative;
    relChordButtonClicked();
}

void CenterPitchSeq_StepUnit::setDispNoteList(NoteNames& names)
{
    noteNames = names;
    updateNoteDisp();
}

ZuMirabox_CenterPitchSeqPanel* CenterPitchSeq_StepUnit::findPanel() const
{
    return ownerPanel != nullptr ? ownerPanel : findParentComponentOfClass<ZuMirabox_CenterPitchSeqPanel>();
}

bool CenterPitchSeq_StepUnit::panelExpanded() const
{
    const auto* panel = findPanel();
    return panel != nullptr && panel->isExpanded();
}

void CenterPitchSeq_StepUnit::showControls(bool controls, bool boxes)
{
    for (juce::Component* c : std::initializer_list<juce::Component*>{
             &noteLabel, &lockButton, &octaveSelector, &octSlots, &onOffButton, &onOffSlots, &slurButton, &slurSlots})
        c->setVisible(controls);
    for (auto* numBox : {&vBox, &gBox, &pBox})
        numBox->setVisible(boxes);
}

void CenterPitchSeq_StepUnit::updateExtendState(bool expanded)
{
    for (auto* numBox : {&vBox, &gBox, &pBox})
        numBox->getValueBox().getProperties().set("fontsize", expanded ? 0.85 : 0.94);
    if (expanded)
        showControls(true, true);
    else
        showControls(!vgpFlag, vgpFlag);
}

void CenterPitchSeq_StepUnit::vgpButtonClicked(bool on)
{
    vgpFlag = on;
    if (panelExpanded())
        showControls(true, true);
    else
        showControls(!vgpFlag, vgpFlag);
    resized();
}

void CenterPitchSeq_StepUnit::relChordButtonClicked()
{
    const auto* panel = findPanel();
    const bool relative = panel != nullptr ? panel->isRelativeMode() : relativeFlag;
    relativeFlag = relative;
    for (juce::Component* c : std::initializer_list<juce::Component*>{&pitchKnob, &pitchDragArea})
    {
        c->setVisible(!relative);
        c->setEnabled(!relative);
    }
    for (juce::Component* c : std::initializer_list<juce::Component*>{&relKnob, &relDragArea})
    {
        c->setVisible(relative);
        c->setEnabled(relative);
    }
    noteLabel.setVisible(!vgpFlag || panelExpanded());
    updateNoteDisp();
}

void CenterPitchSeq_StepUnit::updateNoteDisp()
{
    if (relativeFlag)
    {
        const double v = relKnob.mainKnob.getValue();
        const int whole = std::isfinite(v) ? (int) std::floor(juce::jlimit(-12.0, 12.0, v)) : 0;
        noteLabel.setText((v > 0.0 ? "+" : "") + juce::String(whole), juce::dontSendNotification);
        return;
    }
    const double v = pitchKnob.mainKnob.getValue();
    const int p = juce::jlimit(0, numNoteNames - 1, zu::toIntSaturating(v));
    noteLabel.setText(noteNames[(size_t) p], juce::dontSendNotification);
}

void CenterPitchSeq_StepUnit::setStepRngState(bool inRange)
{
    inRangeFlag = inRange;
    const float k = inRange ? 0.0f : 0.8f;
    auto& pitch = pitchKnob.mainKnob;
    pitch.setColour(juce::Slider::thumbColourId, inRange ? theme->entry(33, skin) : juce::Colour(0xff303030));
    pitch.setColour(juce::Slider::rotarySliderFillColourId,
                    inRange ? juce::Colour(0xffeaeae1) : juce::Colour(0xffeaeae1).darker(0.9f));
    relKnob.mainKnob.setColour(juce::Slider::thumbColourId,
                               inRange ? unitColour.brighter(0.2f) : unitColour.darker(2.0f));
    for (auto* button : {&onOffButton, &slurButton})
    {
        button->setColour(juce::TextButton::buttonOnColourId, unitColour.darker(k));
        button->getProperties().set("outlinecolor", theme->entry(23, skin).darker(k).toString());
    }
    lockButton.setColour(juce::TextButton::buttonOnColourId, unitColour.darker(k));
    octaveSelector.setStepRngState(inRange);
    for (auto* numBox : {&vBox, &gBox, &pBox})
        numBox->setStepRngState(inRange);
    noteLabel.setColour(juce::Label::textColourId, labelText.darker(k));
    repaint();
}

void CenterPitchSeq_StepUnit::updateCompColor()
{
    backgroundColour = theme->entry(31, skin);
    unitColour = theme->entry(47, 0);
    const auto* panel = findPanel();
    if (const auto settingsColour =
            settingsColourOfKind(panel != nullptr ? (const juce::Component&) *panel : *this, zu::units::pitch))
        unitColour = *settingsColour;

    pitchKnob.setBgColor(backgroundColour);
    setStepRngState(inRangeFlag);
    auto& pitch = pitchKnob.mainKnob;
    for (int k = 0; k < pitchKnob.numSlots; ++k)
        pitchKnob.slots[(size_t) k].setOutlineColor(theme->entry(35, skin));
    pitch.setColour(juce::Slider::rotarySliderOutlineColourId, unitColour.withAlpha(0.5f));
    pitch.setColour(juce::Slider::textBoxBackgroundColourId, theme->entry(34, skin));
    relKnob.mainKnob.setColour(juce::Slider::rotarySliderOutlineColourId, juce::Colour(0xff555555));

    lockButton.getProperties().set("bgcolor", backgroundColour.toString());
    lockButton.getProperties().set("outlinecolor", juce::Colour(0x003f3f3f).toString());
    lockButton.getProperties().set("focuscolor", unitColour.withAlpha(0.7f).toString());
    lockButton.setColour(juce::TextButton::buttonColourId, backgroundColour);

    for (auto* slots : {&octSlots, &onOffSlots, &slurSlots})
    {
        slots->setBgColor(backgroundColour);
        slots->setThumbColor(theme->entry(35, skin));
    }
    for (auto* numBox : {&vBox, &gBox, &pBox})
        numBox->setSkinMode(skin);
    octaveSelector.setSkinMode(skin);
    repaint();
}

void CenterPitchSeq_StepUnit::setSkinMode(int newSkin)
{
    skin = newSkin;
    updateCompColor();
}

void CenterPitchSeq_StepUnit::valueChanged(juce::Value&)
{
    updateNoteDisp();
}

void CenterPitchSeq_StepUnit::handleAsyncUpdate()
{
    updateNoteDisp();
}

void CenterPitchSeq_StepUnit::resized()
{
    const int w = getWidth(), h = getHeight();
    if (w < 1)
        return;

    const int m = juce::jmax(1, T((float) w * 0.025f));
    const int W = juce::jmax(0, w - 2 * m);
    const int H = juce::jmax(0, h - 2);
    const int L = juce::jmax(0, W - 2);
    const bool expanded = panelExpanded();
    updateExtendState(expanded);

    // The knob on top; everything else shares what is left below it.
    const int kh = juce::jmin(H, T((float) H * (expanded ? 0.22f : 0.467f)));
    pitchKnob.setBounds(box(m, 1, W, kh));
    relKnob.setBounds(box(m, 1, W, kh));
    int y = 1 + kh;
    int rest = juce::jmax(0, H - kh);
    const int gap = juce::jmin(2, rest);
    y += gap;
    rest -= gap;
    const int R = rest;

    const auto take = [&y, &rest](int amount)
    {
        const int a = juce::jlimit(0, juce::jmax(0, rest), amount);
        const int top = y;
        y += a;
        rest -= a;
        return top;
    };
    const auto placeLabelRow = [&](int lh, int s, int lockX)
    {
        lockButton.setBounds(box(lockX, y, s, s));
        const auto labelBox = box(m + 1, y, (L - s) - 2, lh);
        noteLabel.setBounds(labelBox);
        pitchDragArea.setBounds(labelBox);
        relDragArea.setBounds(labelBox);
    };
    const auto placeOctaveRow = [&](int oh, float slotFactor)
    {
        const int sw = juce::jmin(W, T((float) oh * slotFactor));
        octSlots.setBounds(box(m + W - sw, y, sw, oh));
        octaveSelector.setBounds(box(m, y, W - sw - 1, oh));
    };

    if (expanded)
    {
        const int a = juce::jlimit(1, 10, T((float) R * 0.02f));
        const int e = juce::jlimit(1, 10, T((float) R * 0.04f));
        take(a);
        const int F = juce::jmax(0, R - a - e);
        const int lh = juce::jmin(rest, T((float) F * 0.094f));
        const int s = juce::jmin(L, lh);
        placeLabelRow(lh, s, m + L - s + 1);
        take(lh);
        take(e);
        const int oh = juce::jmin(rest, T((float) rest * 0.123f));
        placeOctaveRow(oh, 1.07f);
        take(oh);
        take(e);

        const int Q = T((float) rest * 0.993f);
        const int r = T((float) Q * 0.168f);
        const int g = T((float) Q * 0.04f);
        int rowTop = y + (Q - 5 * r - 4 * g) / 2;
        for (auto* numBox : {&vBox, &gBox, &pBox})
        {
            numBox->setBounds(box(m + 1, rowTop + 1, L, r - 2));
            rowTop += r + g;
        }
        rowTop += juce::jmax(1, T((float) r * 0.1f));
        const int pw = juce::jmin(W - 4, T((float) (r - 2) * 1.2f));
        const int slotX = m + (W - 4) - pw + 2;
        const int buttonW = (W - 4 - pw - 2) - juce::jmax(1, T((float) pw * 0.13f));
        slurSlots.setBounds(box(slotX, rowTop + 1, pw, r - 2));
        slurButton.setBounds(box(m + 3, rowTop + 1, buttonW, r - 2));
        onOffSlots.setBounds(box(slotX, rowTop + r + g + 1, pw, r - 2));
        onOffButton.setBounds(box(m + 3, rowTop + r + g + 1, buttonW, r - 2));
        return;
    }

    if (vgpFlag)
    {
        const int R1 = R - 1;
        const int b = T((float) R1 * 0.332f);
        const int c = T((float) W * 0.04f);
        int top = y + (R1 - 3 * b - 2) / 2;
        for (auto* numBox : {&vBox, &gBox, &pBox})
        {
            numBox->setBounds(box(m + c, top, W - 2 * c, b));
            top += b + 1;
        }
        return;
    }

    const int lh = juce::jmin(rest, T((float) R * 0.26f));
    const int s = juce::jmin(L, T((float) lh * 1.2f));
    placeLabelRow(lh, s, m + L + 1 - s);
    take(lh);
    take(2);
    const int oh = juce::jmin(rest, T((float) rest * 0.425f));
    placeOctaveRow(oh, 1.05f);
    take(oh);
    take(1);
    take(1);
    const int N = rest;
    const int pad = juce::jmax(1, T((float) N * 0.09f));
    const int rowY = y + pad;
    const int rowH = N - 2 * pad;
    const int Q = T((float) L * 0.485f);
    const int onSlotW = T((float) Q * 0.42f);
    onOffSlots.setBounds(box(m + 1 + Q - onSlotW, rowY, onSlotW, rowH));
    onOffButton.setBounds(box(m + 1, rowY, Q - onSlotW - 1, rowH));
    const int rightW = juce::jmin(L - Q, Q);
    const int rightX = m + L + 1 - rightW;
    const int slurSlotW = T((float) rightW * 0.42f);
    slurSlots.setBounds(box(rightX + rightW - slurSlotW, rowY, slurSlotW, rowH));
    slurButton.setBounds(box(rightX, rowY, rightW - slurSlotW - 1, rowH));
}
