// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCcSeq_CtrlPanel1.h"

#include "ZuUnitLayout.h"
#include "ZuMirabox_CenterCcSeqPanel.h"
#include "ZuUnits.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

CenterCcSeq_CtrlPanel1::CenterCcSeq_CtrlPanel1(int index, ZuMirabox_CenterCcSeqPanel& owner)
    : CenterSeq_CtrlPanel1Base(index, 1.4f), ownerPanel(owner)
{
    addAndMakeVisible(channelPanel);
    channelPanel.setCenterPanelFlag();
    setUpCaption(ccLabel, "CC", 0.8);
    setUpCaption(rangeLabel, "Range", 0.6);

    setUpNumberBox(targetCcBox);
    targetCcBox.setLookAndFeel(&ccBoxLook.get());
    targetCcBox.getProperties().set("fontsize", 0.69);
    targetCcBox.setTooltip("Sets the target CC number");
    targetCcBox.setColour(juce::Slider::backgroundColourId, entry(2));
    targetCcBox.textFromValueFunction = [](double v) { return CcBox::valueText(v); };

    const std::pair<juce::Slider*, const char*> rangeBoxes[] = {{&outMinSlider, "Min"}, {&outMaxSlider, "Max"}};
    for (const auto& [slider, name] : rangeBoxes)
    {
        setUpNumberBox(*slider);
        slider->setLookAndFeel(&rangeBoxLook.get());
        slider->setName(name);
        slider->getProperties().set("barflag", 0);
        slider->getProperties().set("fontsize", 0.6);
        slider->setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
        slider->setRange(0.0, 1.0, 0.0);
        slider->textFromValueFunction = [](double v) { return wholeText(v); };
        // Any change of the range, a snapshot switch or a load included.
        slider->getValueObject().addListener(this);
    }
    outMinSlider.setTooltip("Adjusts the minimum value of the output");
    outMaxSlider.setTooltip("Adjusts the maximum value of the output");
}

CenterCcSeq_CtrlPanel1::~CenterCcSeq_CtrlPanel1()
{
    stopTimer(rangeTimer);
    outMinSlider.getValueObject().removeListener(this);
    outMaxSlider.getValueObject().removeListener(this);
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&ccLabel, &rangeLabel, &targetCcBox, &outMinSlider, &outMaxSlider})
        c->setLookAndFeel(nullptr);
}

void CenterCcSeq_CtrlPanel1::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    dirButton.setAttachment(unitTree, prefix);
    resetPanel.setAttachment(unitTree, prefix);
    clockPanel.setAttachment(unitTree, prefix);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(prefix + "omin"), 0.0f, {0.0, 127.0, 1.0}, outMinSlider);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(prefix + "omax"), 127.0f, {0.0, 127.0, 1.0},
                                    outMaxSlider);
    bindStartAndSize(unitTree, prefix, 0.67);
    ZuParamAttacher::attachToSlider(unitTree, juce::Identifier(prefix + "tarcc"), 0.0f, {0.0, 128.0, 1.0}, targetCcBox);
}

void CenterCcSeq_CtrlPanel1::setAttachment(juce::AudioProcessorValueTreeState& state)
{
    const auto id = zu::units::unitKey(zu::units::cc, unitIndex, "ch");
    if (state.getParameter(id) != nullptr)
        channelPanel.setAttachment(state, id);
    startTimer(rangeTimer, rangeDelayMs);
}

void CenterCcSeq_CtrlPanel1::valueChanged(juce::Value& value)
{
    if (value.refersToSameSourceAs(outMinSlider.getValueObject()) ||
        value.refersToSameSourceAs(outMaxSlider.getValueObject()))
    {
        startTimer(rangeTimer, rangeDelayMs);
        return;
    }
    CenterSeq_CtrlPanel1Base::valueChanged(value);
}

void CenterCcSeq_CtrlPanel1::timerCallback(int timerId)
{
    if (timerId != rangeTimer)
        return;
    stopTimer(rangeTimer);
    std::pair<double, double> range;
    getOutMinMax(range);
    for (int k = 0; k < zu::units::numSteps; ++k)
        ownerPanel.getCcStep(k).setOutMinMax(range);
}

void CenterCcSeq_CtrlPanel1::getOutMinMax(std::pair<double, double>& range) const
{
    range = {outMinSlider.getValue(), outMaxSlider.getValue()};
}

void CenterCcSeq_CtrlPanel1::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    channelPanel.setSkinMode(skin);
    for (auto* label : {&ccLabel, &rangeLabel})
        label->getProperties().set("bgcolor", baseColor.toString());
    recolourCommonWidgets();
    for (auto* slider : {(juce::Slider*) &outMinSlider, (juce::Slider*) &outMaxSlider, (juce::Slider*) &targetCcBox})
    {
        slider->setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
        slider->setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    }
    repaint();
}

void CenterCcSeq_CtrlPanel1::resized()
{
    const int w = getWidth(), h = getHeight();
    const int dx = juce::jmax(2, T((float) w * 0.03f)), dy = juce::jmax(2, T((float) h * 0.05f));
    const int x = dx, W = juce::jmax(0, w - 2 * dx), H = juce::jmax(0, h - 2 * dy);
    const int bottom = dy + H;
    int y = dy;
    const int r1 = T((float) H * 0.168f);

    // Row 1 spans the whole width: "CC" and its box, then the range.
    const int fullW = juce::jmax(0, w - 2);
    const int lw = T((float) fullW * 0.3f);
    const int boxW = T((float) lw * 0.55f);
    targetCcBox.setBounds(box(1 + lw - boxW + 1, y, boxW - 2, r1));
    ccLabel.setBounds(box(1 + 1, y, lw - boxW - 2, r1));
    const int rightX = 1 + lw + 1, rw = juce::jmax(0, fullW - lw - 2);
    const int labelW = T((float) rw * 0.25f);
    rangeLabel.setBounds(box(rightX, y, labelW, r1));
    const int m = rw - labelW;
    const int minW = T((float) m * 0.495f);
    outMinSlider.setBounds(box(rightX + labelW, y, minW, r1));
    const int maxW = juce::jmin(minW, m - minW);
    outMaxSlider.setBounds(box(rightX + rw - maxW, y, maxW, r1));
    y += r1;

    const int gapA = juce::jmax(2, T((float) (H - r1) * 0.07f));
    y = juce::jmin(bottom, y + gapA);
    const int r2 = juce::jmin(T((float) r1 * 1.05f), bottom - y);
    dirButton.setBounds(box(x + 1, y, W - 2, r2));
    y = juce::jmin(bottom, y + r2 + gapA);

    const int r3 = juce::jmin(T((float) r1 * 1.9f) + 1, bottom - y);
    const int q = T((float) W * 0.46f);
    const int chW = T((float) q * 0.35f);
    channelPanel.setBounds(box(x + W - chW + 2, y, chW - 2, r3));
    resetPanel.setBounds(box(x + W - q, y, q - chW, r3));
    clockPanel.setBounds(box(x, y, W - q, r3));
    y = juce::jmin(bottom, y + r3 + juce::jmax(2, T((float) (H - r1) * 0.06f)));

    const int r4 = juce::jmax(0, bottom - 2 - y);
    const int half = T((float) W * 0.494f);
    startBox.setBounds(box(x, y, half, r4));
    const int sizeW = juce::jmin(half, W - half);
    sizeBox.setBounds(box(x + W - sizeW, y, sizeW, r4));
}
