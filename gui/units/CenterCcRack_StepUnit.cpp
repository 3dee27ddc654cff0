// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCcRack_StepUnit.h"

#include "ZuConvert.h"
#include "ZuUnitKindColours.h"
#include "ZuUnitLayout.h"
#include "ZuUnits.h"

#include <cmath>

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
const juce::String defaultName{"Knob Name"};
const juce::Colour labelText{0xffcccccc};
} // namespace

CenterCcRack_StepUnit::CenterCcRack_StepUnit(ZuMirabox_CenterCcRackPanel& owner) : panel(owner)
{
    unitBgColour = entry(2);

    addAndMakeVisible(channelBox);
    channelBox.setCenterPanelFlag();

    for (auto* label : {&valueLabel, &nameLabel, &ccLabel})
        setUpLabel(*label);
    valueLabel.setLookAndFeel(&valLabelLook.get());
    valueLabel.setText("0", juce::dontSendNotification);
    valueLabel.setColour(juce::Label::backgroundColourId, theme->entry(50, 0).withAlpha(0.2f));
    valueLabel.setColour(juce::Label::textColourId, theme->entry(50, 0).brighter(0.1f));
    valueLabel.getProperties().set("fontsize", 0.75);
    valueLabel.setInterceptsMouseClicks(false, true);
    valueLabel.onTextChange = [this] { valueEntered(); };
    nameLabel.setText(defaultName, juce::dontSendNotification);
    nameLabel.setColour(juce::Label::textColourId, theme->entry(50, 0));
    nameLabel.getProperties().set("fontsize", 0.7);
    ccLabel.setText("CC", juce::dontSendNotification);
    ccLabel.setEditable(false, false, false);
    ccLabel.getProperties().set("fontsize", 0.7);

    addAndMakeVisible(knob);
    auto& main = knob.mainKnob;
    main.setName("Val");
    knob.setBgColor(entry(2));
    knob.setTextColor(juce::Colour(0xffa0a0a0));
    main.setColour(juce::Slider::thumbColourId, entry(48).brighter(0.5f));
    for (int k = 0; k < knob.numSlots; ++k)
        knob.slots[(size_t) k].setOutlineColor(entry(35));
    main.setTooltip("Sets the knob value");
    knob.modKnobRatio = 0.25f;
    knob.layoutMode = 1;
    knob.resized();
    main.setLookAndFeel(&knobLook.get());
    main.setColour(juce::Slider::rotarySliderOutlineColourId, theme->entry(48, 0).withAlpha(0.5f));
    main.getProperties().set("fontface", "SemiBold");
    main.getProperties().set("fontsize", 1.7);
    setVelocityMode(main);

    addAndMakeVisible(powerButton);
    powerButton.setButtonText({});
    powerButton.setLookAndFeel(&toggleLook.get());
    powerButton.setClickingTogglesState(true);
    powerButton.setTooltip("Toggles the knob on/off");
    powerButton.getProperties().set("fontsize", 0.9);
    powerButton.getProperties().set("bgcolor", entry(2).toString());
    powerButton.getProperties().set("outlinecolor", entry(23).toString());
    powerButton.setColour(juce::TextButton::buttonOnColourId, entry(50));
    powerButton.setColour(juce::TextButton::buttonColourId, entry(2));
    powerButton.setColour(juce::TextButton::textColourOffId, entry(22));
    powerButton.setColour(juce::TextButton::textColourOnId, entry(21));

    setUpBox(ccBox);
    ccBox.setName({});
    ccBox.setLookAndFeel(&ccBoxLook.get());
    ccBox.setTooltip("Sets the target CC number");
    ccBox.getProperties().set("fontsize", 0.75);
    ccBox.textFromValueFunction = [](double v) { return CcBox::valueText(v); };

    const std::array<std::tuple<juce::Slider*, const char*, const char*>, 2> rangeBoxes{
        {{&minBox, "Min", "Adjusts the minimum value of the output"},
         {&maxBox, "Max", "Adjusts the maximum value of the output"}}};
    for (const auto& [slider, name, tip] : rangeBoxes)
    {
        setUpBox(*slider);
        slider->setName(name);
        slider->setTooltip(tip);
        slider->setLookAndFeel(&numbBoxLook.get());
        slider->setRange(0.0, 1.0, 0.0);
        slider->getProperties().set("barflag", 0);
        slider->getProperties().set("fontsize", 0.7);
        slider->textFromValueFunction = [](double v) { return juce::String(zu::toIntSaturating(v)); };
        // Any change of the range, wherever it came from.
        slider->getValueObject().addListener(this);
    }

    setUpBox(dragBox);
    dragBox.setName({});
    dragBox.setTooltip({});
    dragBox.setLookAndFeel(&transpLook.get());
    dragBox.getProperties().set("fontsize", 0.9);
    dragBox.setColour(juce::Slider::backgroundColourId, juce::Colours::transparentBlack);
    dragBox.toBack();
}

CenterCcRack_StepUnit::~CenterCcRack_StepUnit()
{
    cancelPendingUpdate();
    stopTimer(rangeTimer);
    for (auto& attachment : hostAttachments)
        attachment.reset();
    knob.mainKnob.getValueObject().removeListener(this);
    powerButton.getToggleStateValue().removeListener(this);
    minBox.getValueObject().removeListener(this);
    maxBox.getValueObject().removeListener(this);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&valueLabel, &nameLabel, &ccLabel, &knob.mainKnob,
                                                                      &powerButton, &ccBox, &minBox, &maxBox, &dragBox})
        c->setLookAndFeel(nullptr);
}

void CenterCcRack_StepUnit::setVelocityMode(juce::Slider& slider) const
{
    slider.setVelocityModeParameters(1.0, 1, theme->velocityOffset, true, juce::ModifierKeys::ctrlAltCommandModifiers);
}

void CenterCcRack_StepUnit::setUpLabel(juce::Label& label)
{
    addAndMakeVisible(label);
    label.setLookAndFeel(&labelLook.get());
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(true, false, false);
    label.getProperties().set("bgcolor", unitBgColour.toString());
    label.setColour(juce::Label::backgroundColourId, unitBgColour);
    label.setColour(juce::Label::textColourId, labelText);
    label.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colour(0xff000000));
    label.getProperties().set("fontsize", 0.8);
    label.getProperties().set("fontface", "SemiBold");
}

void CenterCcRack_StepUnit::setUpBox(juce::Slider& slider)
{
    addAndMakeVisible(slider);
    slider.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    setVelocityMode(slider);
    slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    slider.setColour(juce::Slider::backgroundColourId, entry(2));
    slider.setColour(juce::Slider::textBoxBackgroundColourId, entry(2));
    slider.setColour(juce::Slider::textBoxTextColourId, entry(38));
    slider.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
    slider.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
}

void CenterCcRack_StepUnit::setStepIndex(int index)
{
    knobIndex = index;
    knob.mainKnob.setName(juce::String(index + 1));
}

void CenterCcRack_StepUnit::setAttachment(juce::ValueTree gui, juce::ValueTree unitData, juce::String prefix,
                                          int unitIndex, int index)
{
    guiState = gui;
    knobIndex = index;
    const int j = index + 1;
    const auto key = [&prefix, j](const char* name) { return zu::units::numberedKey(prefix, name, j); };

    knob.setAttachment(unitData, key("kval"), 0.0f, {0.0, 1.0});
    knob.mainKnob.setName(juce::String(j));
    setVelocityMode(knob.mainKnob);
    knob.mainKnob.getValueObject().removeListener(this);
    knob.mainKnob.getValueObject().addListener(this);
    ZuParamAttacher::attachToSlider(unitData, juce::Identifier(key("kval")), 0.0f, {0.0, 1.0}, dragBox);

    powerButton.getToggleStateValue().removeListener(this);
    ZuParamAttacher::attachToButton(unitData, juce::Identifier(key("kpwr")), true, powerButton);
    powerButton.getToggleStateValue().addListener(this);

    ZuParamAttacher::attachToSlider(unitData, juce::Identifier(key("kmin")), 0.0f, {0.0, 127.0, 1.0}, minBox);
    ZuParamAttacher::attachToSlider(unitData, juce::Identifier(key("kmax")), 127.0f, {0.0, 127.0, 1.0}, maxBox);
    ZuParamAttacher::attachToSlider(unitData, juce::Identifier(key("ktarcc")), 0.0f, {0.0, 128.0, 1.0}, ccBox);
    channelBox.setAttachment(unitData, key("kch"));

    ZuParamAttacher::attachToLabel(unitData, juce::Identifier(key("kname")), defaultName, nameLabel);
    if (nameLabel.getText().isEmpty())
        nameLabel.setText(defaultName, juce::dontSendNotification);
    // An emptied name goes back to the default, in the tree too (the text
    // refers to the property).
    nameLabel.onTextChange = [this]
    {
        if (nameLabel.getText().isEmpty())
            nameLabel.setText(defaultName, juce::dontSendNotification);
    };
    nameLabel.setName("p5_ccrk" + juce::String(unitIndex + 1) + "lbl" + juce::String(j));

    triggerAsyncUpdate();
    applyKnobPower();
}

int CenterCcRack_StepUnit::outputValue(double v, double lo, double hi)
{
    const auto out = (float) (lo + (hi - lo) * v);
    return zu::clampInt(zu::toIntSaturating(out + 0.5f), 0, 127);
}

float CenterCcRack_StepUnit::knobValueOf(float t, float lo, float hi)
{
    t = std::isfinite(t) ? juce::jmax(juce::jmin(t, 127.0f), 0.0f) : 0.0f;
    // Min equal to Max would divide 0 by 0: the knob takes one end instead.
    if (lo == hi || !std::isfinite(hi - lo))
        return t >= lo ? 1.0f : 0.0f;
    const float r = (t - lo) / (hi - lo);
    return std::isfinite(r) ? juce::jmax(juce::jmin(r, 1.0f), 0.0f) : 0.0f;
}

void CenterCcRack_StepUnit::valueEntered()
{
    const float t = valueLabel.getText().getFloatValue();
    knob.setKnobVal(0, knobValueOf(t, (float) minBox.getValue(), (float) maxBox.getValue()));
    handleAsyncUpdate();
}

void CenterCcRack_StepUnit::handleAsyncUpdate()
{
    valueLabel.setText(juce::String(outputValue(knob.mainKnob.getValue(), minBox.getValue(), maxBox.getValue())),
                       juce::dontSendNotification);
}

void CenterCcRack_StepUnit::setOutMinMax(std::pair<double, double> range)
{
    outMinMax = range;
    triggerAsyncUpdate();
}

void CenterCcRack_StepUnit::valueChanged(juce::Value& value)
{
    if (value.refersToSameSourceAs(knob.mainKnob.getValueObject()))
    {
        cancelPendingUpdate();
        handleAsyncUpdate();
    }
    else if (value.refersToSameSourceAs(powerButton.getToggleStateValue()))
        applyKnobPower();
    else
        startTimer(rangeTimer, rangeDelayMs);
}

void CenterCcRack_StepUnit::timerCallback(int timerId)
{
    if (timerId != rangeTimer)
        return;
    stopTimer(rangeTimer);
    triggerAsyncUpdate();
}

void CenterCcRack_StepUnit::buttonClicked(juce::Button*)
{
    applyKnobPower();
}

void CenterCcRack_StepUnit::applyKnobPower()
{
    const bool on = powerButton.getToggleState();
    for (juce::Component* c : std::initializer_list<juce::Component*>{&knob, &ccBox, &minBox, &maxBox, &channelBox,
                                                                      &nameLabel, &valueLabel, &ccLabel})
        c->setEnabled(on);
}

void CenterCcRack_StepUnit::setSkinMode(int skin)
{
    skinIndex = skin;
    unitBgColour = entry(31);
    channelBox.setSkinMode(skin);
    if (const auto fromSettings = settingsColourOfKind(*this, zu::units::ccRack))
        accentColour = *fromSettings;

    knob.setBgColor(unitBgColour);
    auto& main = knob.mainKnob;
    main.setColour(juce::Slider::thumbColourId, entry(33));
    for (int k = 0; k < knob.numSlots; ++k)
        knob.slots[(size_t) k].setOutlineColor(entry(35));
    main.setColour(juce::Slider::rotarySliderOutlineColourId, accentColour.withAlpha(0.5f));
    main.setColour(juce::Slider::textBoxBackgroundColourId, entry(34));
    main.setColour(juce::Slider::rotarySliderFillColourId, juce::Colour(0xffeaeae1));

    for (auto* slider : {&minBox, &maxBox})
    {
        slider->setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
        slider->setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    }
    ccBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));

    powerButton.getProperties().set("outlinecolor", entry(23).toString());
    powerButton.setColour(juce::TextButton::buttonOnColourId, accentColour);
    powerButton.setColour(juce::TextButton::buttonColourId, entry(39));

    nameLabel.setColour(juce::Label::textColourId, accentColour.brighter(0.3f));
    nameLabel.setColour(juce::Label::backgroundColourId, accentColour.darker(4.5f));
    nameLabel.getProperties().set("bgcolor", accentColour.darker(4.5f).toString());
    ccLabel.setColour(juce::Label::backgroundColourId, unitBgColour);
    ccLabel.getProperties().set("bgcolor", unitBgColour.toString());
    valueLabel.setColour(juce::Label::backgroundColourId, unitBgColour.darker(0.8f));
    valueLabel.setColour(juce::Label::textColourId, accentColour.brighter(0.1f));
    repaint();
}

void CenterCcRack_StepUnit::paint(juce::Graphics& g)
{
    g.fillAll(unitBgColour);
}

void CenterCcRack_StepUnit::resized()
{
    const int W = getWidth(), H = getHeight();
    const int mx = juce::jmax(1, T((float) W * 0.025f));
    const int ix = mx, iw = juce::jmax(0, W - 2 * mx), iy = 1, ih = juce::jmax(0, H - 2);

    const int t = juce::jmin(T((float) ih * 0.46f), ih);
    const int km = juce::jlimit(2, 14, T((float) iw * 0.11f));
    knob.setBounds(box(ix + T((float) iw * 0.075f) + km, iy, iw - 2 * km, t));
    const int g = juce::jlimit(2, 8, T((float) t * 0.08f));

    // Power, name and value.
    const int rest = ih - t;
    const int cut = juce::jmin(2, rest);
    const int rest1 = rest - cut;
    const int r = juce::jmin(T((float) rest1 * 0.27f), rest1);
    const int y2 = iy + t + cut;
    const int p = juce::jmin(r + 2, iw);
    powerButton.setBounds(box(ix + 1, y2, p - 2, r));
    const int q = juce::jmin(T((float) r * 1.25f), iw - p);
    valueLabel.setBounds(box(ix + iw - q + 1, y2, q - 2, r));
    dragBox.setBounds(valueLabel.getBounds());
    const int nw = iw - p - q;
    const int e = juce::jlimit(1, 6, T((float) nw * 0.1f));
    nameLabel.setBounds(box(ix + p + e, y2, nw - 2 * e, r));

    // Channel, "CC" and the target controller.
    const int rest2 = rest1 - r;
    const int gap2 = juce::jmin(g, rest2);
    const int yb = y2 + r + gap2;
    const int r2 = juce::jmin(T((float) rest1 * 0.27f), rest2 - gap2);
    const int bw = juce::jmax(0, iw - 2);
    const int right = ix + 1 + bw;
    const int c = juce::jmin(T((float) bw * 0.43f), bw);
    channelBox.setBounds(box(right - c + juce::jmin(1, c), yb, c - juce::jmin(1, c), r2));
    const int d = juce::jmin(juce::jmax(T((float) c * 0.05f), 2), bw - c);
    const int rem = bw - c - d;
    const int l = juce::jmin(T((float) rem * 0.28f), rem);
    ccLabel.setBounds(box(ix + 1, yb, l - juce::jmin(2, l), r2));
    const int rem2 = rem - l;
    ccBox.setBounds(box(ix + 1 + l + juce::jmin(2, rem2), yb, rem2 - juce::jmin(2, rem2), r2));

    // Min and Max.
    const int rest3 = rest2 - gap2 - juce::jmax(0, r2);
    const int gap3 = juce::jmin(g, juce::jmax(0, rest3));
    const int y5 = yb + juce::jmax(0, r2) + gap3;
    const int s = juce::jmax(0, rest3 - gap3);
    const int m = juce::jmin(juce::jmax(2, juce::jmin(T((float) s * 0.22f), 10)), s);
    const int r3 = juce::jmax(0, s - m);
    const int hb = juce::jmin(T((float) bw * 0.5f), bw);
    minBox.setBounds(box(ix + 2, y5, bw - hb - 2, r3));
    maxBox.setBounds(box(right - hb + 1, y5, hb - 2, r3));
}
