// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoPanel.h"

#include "DispShareData.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cstdio>

namespace
{
const char* const switchTexts[] = {"Bi", "Phi", "Exp", "Sat"};
const char* const switchKeys[] = {"bbi", "bphi", "bexp", "bsat"};
const char* const switchTips[] = {"Bipolar switch, output signal becomes -1 ~ +1 range", "Invert the waveform",
                                  "Squares the output signal", "Saturates the output signal"};
const char* const knobNames[] = {"Rate", "Phase", "Offset", "Smooth", "Level", "Rate"};
const char* const knobKeys[] = {"kfr", "kph", "kos", "ksm", "klv", "ksr"};
const float knobDefaults[] = {0.5f, 0.0f, 0.5f, 0.0f, 1.0f, 8.0f};
const char* const knobTips[] = {"Controls the rate of the LFO",        "Adjusts the start phase of the LFO",
                                "Adjusts the offset level of the LFO", "Controls the smoothness",
                                "Controls the output level",           "Controls the rate of the LFO"};

// The modulation slots a knob was built with (its slot array holds three).
template <typename Fn> void forEachSlot(ZuModulatableKnob& knob, Fn&& fn)
{
    for (int s = 0; s < knob.numSlots; ++s)
        fn(knob.slots[(size_t) s]);
}

juce::String wholeNumber(double v)
{
    return juce::String((juce::int64) std::floor(v));
}
} // namespace

LfoPanel::LfoPanel(ModSlotHooks& ownerPanel, std::pair<int, int> slot, LfoData& data)
    : unitAndSlot(slot), lfoDisplay(*this, data, slot, juce::Colour(0xff909090)),
      sahDisplay(*this, data, slot, juce::Colour(0xff909090)), probSliders(slot, data), lfoData(data), owner(ownerPanel)
{
    bgColour = colorTheme->entry(56, 1);
    baseColour = colorTheme->entry(47, 0);
    addAndMakeVisible(separatorLayer);
    separatorLayer.toBack();
    addAndMakeVisible(waveSelector);
    waveSelector.setBaseColor(baseColour);
    addAndMakeVisible(sahSelector);
    addAndMakeVisible(lfoDisplay);
    lfoDisplay.setBaseColor(baseColour);
    addAndMakeVisible(sahDisplay);
    addAndMakeVisible(probSliders);
    for (juce::Component* d : {(juce::Component*) &lfoDisplay, (juce::Component*) &sahDisplay})
    {
        d->setInterceptsMouseClicks(false, false);
        d->setRepaintsOnMouseActivity(false);
    }
    addAndMakeVisible(syncBlock);

    for (int k = 0; k < numSwitches; ++k)
    {
        auto& s = switches[(size_t) k];
        addAndMakeVisible(s);
        s.setButtonText(switchTexts[k]);
        s.setLookAndFeel(&switchLook.get());
        s.setClickingTogglesState(true);
        s.setTooltip(switchTips[k]);
        s.getProperties().set("outlinecolor", baseColour.darker(0.9f).toString());
        s.setColour(juce::TextButton::buttonOnColourId, baseColour);
        s.setColour(juce::TextButton::buttonColourId, bgColour);
        s.setColour(juce::TextButton::textColourOffId, baseColour.darker(0.2f));
        s.setColour(juce::TextButton::textColourOnId, bgColour);
        s.onClick = [this] { updateWaveDisp(); };
    }
    for (int k = 0; k < numKnobs; ++k)
    {
        setUpKnob(knobs[(size_t) k], knobNames[k]);
        knobs[(size_t) k].mainKnob.setTooltip(knobTips[k]);
    }
    for (int k : {phase, offset, level})
        knobs[(size_t) k].mainKnob.onValueChange = [this] { updateWaveDisp(); };
    modeButtonClicked();
}

LfoPanel::~LfoPanel()
{
    separatorLayer.removeAllChildren();
    for (int id = 0; id < 3; ++id)
        stopTimer(id);
    for (auto& s : switches)
        s.setLookAndFeel(nullptr);
    for (auto& k : knobs)
        k.mainKnob.setLookAndFeel(nullptr);
}

void LfoPanel::setUpKnob(ZuModulatableKnob& knob, const juce::String& name)
{
    addAndMakeVisible(knob);
    knob.mainKnob.setName(name);
    knob.setBgColor(bgColour);
    knob.setTextColor(colorTheme->entry(61, 0));
    knob.mainKnob.setColour(juce::Slider::thumbColourId, baseColour);
    knob.mainKnob.setColour(juce::Slider::rotarySliderOutlineColourId, baseColour);
    forEachSlot(knob, [this](FxModKnob& slot) { slot.setOutlineColor(colorTheme->entry(35, skinMode)); });
    knob.modKnobRatio = 0.29f;
    knob.resized();
    knob.layoutMode = 0;
    knob.mainKnob.setLookAndFeel(&knobLook.get());
    knob.mainKnob.setVelocityModeParameters(
        1.0, 1, colorTheme->velocityOffset, true,
        juce::ModifierKeys::Flags(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
}

void LfoPanel::setAttachment(juce::ValueTree slotNode, juce::String prefix)
{
    waveSelector.setAttachment(slotNode, prefix);
    sahSelector.setAttachment(slotNode, prefix);
    probSliders.setAttachment(slotNode, prefix);
    syncBlock.setAttachment(slotNode, prefix);
    for (int k = 0; k < numSwitches; ++k)
        attacher->attachToButton(slotNode, prefix + switchKeys[k], false, switches[(size_t) k]);
    for (int k = 0; k < numKnobs; ++k)
    {
        const juce::NormalisableRange<double> range = k == syncedRate ? juce::NormalisableRange<double>(0.0, 13.0, 1.0)
                                                                      : juce::NormalisableRange<double>(0.0, 1.0);
        auto& knob = knobs[(size_t) k];
        knob.setAttachment(slotNode, prefix + knobKeys[k], knobDefaults[k], range);
        knob.mainKnob.textFromValueFunction = [this, k](double x) { return knobText(k, x); };
        knob.mainKnob.setPopupDisplayEnabled(true, true, nullptr, 2000);
    }
    knobs[offset].mainKnob.getProperties().set("iscenter", 1);
    waveFollower.stop();
    const auto redraw = [this] { updateWaveDisp(); };
    for (int k : {phase, offset, level})
        waveFollower.follow(knobs[(size_t) k].mainKnob.getValueObject(), redraw);
    for (auto& s : switches)
        waveFollower.follow(s.getToggleStateValue(), redraw);
    waveFollower.follow(waveSelector.getHiddenSlider().getValueObject(), redraw);
    syncMenuChanged();
    powerButtonClicked();
    modeButtonClicked();
}

juce::String LfoPanel::knobText(int knob, double x) const
{
    switch (knob)
    {
    case freeRate:
    {
        const double r = DispShareData::freeRateHz(x);
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%g", r);
        return juce::String(buffer).paddedRight(' ', 5) + "Hz";
    }
    case syncedRate:
    {
        if (!syncBlock.isSyncOn())
            return {};
        const int index = std::isfinite(x) ? juce::jlimit(0, 13, (int) x) : 0;
        const int type = syncBlock.getClockTypeIndex();
        return divisionNames[index] + (type == 1 ? "T" : type == 2 ? "D" : "");
    }
    case offset:
        return juce::String(x > 0.5 ? "+" : "") + wholeNumber(200.0 * x - 100.0);
    default:
        return wholeNumber(100.0 * x);
    }
}

void LfoPanel::modeButtonClicked()
{
    const int mode = juce::jlimit(0, 2, owner.getCurOnOffAndModeState().second);
    for (juce::Component* c : {(juce::Component*) &knobs[phase], (juce::Component*) &knobs[offset],
                               (juce::Component*) &switches[invertSwitch], (juce::Component*) &switches[squareSwitch],
                               (juce::Component*) &switches[saturateSwitch]})
        c->setVisible(mode != 1);
    waveSelector.setVisible(mode == 0);
    lfoDisplay.setVisible(mode == 0);
    sahSelector.setVisible(mode == 1);
    sahDisplay.setVisible(mode == 1);
    probSliders.setVisible(mode == 2);
    syncMenuChanged();
    resized();
}

void LfoPanel::powerButtonClicked()
{
    const bool on = owner.getCurOnOffAndModeState().first;
    for (auto& k : knobs)
        k.setEnabled(on);
    for (auto& s : switches)
        s.setEnabled(on);
    for (juce::Component* c :
         {(juce::Component*) &waveSelector, (juce::Component*) &syncBlock, (juce::Component*) &sahSelector,
          (juce::Component*) &lfoDisplay, (juce::Component*) &sahDisplay, (juce::Component*) &probSliders})
        c->setEnabled(on);
}

void LfoPanel::syncMenuChanged()
{
    showRateKnobFor(syncBlock.isSyncOn());
}

void LfoPanel::showRateKnobFor(bool syncOn)
{
    knobs[freeRate].setVisible(!syncOn);
    knobs[syncedRate].setVisible(syncOn);
}

void LfoPanel::updateWaveDisp()
{
    startTimer(redrawTimer, 10);
}

void LfoPanel::timerCallback(int id)
{
    if (id == redrawTimer)
    {
        // A hidden panel keeps the timer running until it shows.
        if (isShowing())
        {
            stopTimer(redrawTimer);
            lfoDisplay.updatePath();
        }
    }
    else if (id == displayCheckTimer)
    {
        lfoDisplay.handleDispTimer();
        sahDisplay.handleDispTimer();
        probSliders.handleDispTimer();
    }
}

LfoDrawParams LfoPanel::getPramStatesForDrawPath() const
{
    LfoDrawParams p;
    p.bipolar = switches[bipolarSwitch].getToggleState();
    p.saturate = switches[saturateSwitch].getToggleState();
    p.square = switches[squareSwitch].getToggleState();
    p.invert = switches[invertSwitch].getToggleState();
    p.level = (float) knobs[level].mainKnob.getValue();
    p.phase = (float) knobs[phase].mainKnob.getValue();
    p.offset = (float) knobs[offset].mainKnob.getValue();
    p.waveform = juce::jlimit(0, 7, waveSelector.getCurWaveformIndex());
    return p;
}

juce::Colour LfoPanel::unitColourFromEditor(juce::Colour fallback) const
{
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const int unit = juce::jlimit(0, LfoData::numUnits - 1, unitAndSlot.first);
        const auto& colours = editor->processor.unitColors;
        const auto index = (size_t) unitColourTable[unit];
        if (index < colours.size())
            return colours[index];
    }
    return fallback;
}

void LfoPanel::setBaseColor(const juce::Colour& c)
{
    baseColour = unitColourFromEditor(c);
    const auto base = baseColour;
    bgColour = colorTheme->entry(56, skinMode);
    waveSelector.setBaseColor(base);
    sahSelector.setBaseColor(base);
    lfoDisplay.setBaseColor(base);
    sahDisplay.setBaseColor(base);
    probSliders.setBaseColor(base);
    syncBlock.setBaseColor(base);
    for (auto& s : switches)
    {
        s.getProperties().set("outlinecolor", base.darker(0.9f).toString());
        s.setColour(juce::TextButton::buttonOnColourId, base);
        s.setColour(juce::TextButton::textColourOffId, base.darker(0.2f));
    }
    for (int k = 0; k < numKnobs; ++k)
    {
        // The synced-rate knob keeps its background, its slots' display
        // background and its track colour.
        auto& knob = knobs[(size_t) k];
        if (k != syncedRate)
            knob.setBgColor(bgColour);
        knob.setTextColor(base.brighter(0.1f));
        knob.mainKnob.setColour(juce::Slider::thumbColourId, base);
        forEachSlot(knob,
                    [&](FxModKnob& slot)
                    {
                        slot.setOutlineColor(base.darker(1.5f));
                        if (k != syncedRate)
                            slot.setDispBgColor(bgColour.brighter(0.16f));
                    });
        knob.mainKnob.setColour(juce::Slider::rotarySliderOutlineColourId, base);
        if (k != syncedRate)
            knob.mainKnob.setColour(juce::Slider::trackColourId, base.darker(3.0f));
    }
    repaint();
}

void LfoPanel::colorMapping()
{
    setBaseColor(unitColourFromEditor(baseColour));
}

void LfoPanel::setSkinMode(int skin)
{
    skinMode = skin;
    colorMapping();
}

void LfoPanel::setModPolAndIndctSrcValue(juce::Value polarity, juce::Value indicator)
{
    for (int k = 0; k < syncedRate; ++k)
        knobs[(size_t) k].setModPolAndIndctSrcValue(polarity, indicator);
}

void LfoPanel::checkBipolarDisp()
{
    if (!isShowing())
        return;
    for (int k = 0; k < syncedRate; ++k)
        forEachSlot(knobs[(size_t) k], [](FxModKnob& slot) { slot.forceToCheckModTarDisp(); });
}

void LfoPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    separatorPath.clear();
    separatorPath.addRectangle((float) W - 1.0f, 0.04f * (float) H, 0.6f, (float) H - 0.08f * (float) H);
    separator.setFill(baseColour.withAlpha(0.6f));
    separator.setPath(separatorPath);

    const int dx = std::max(1, (int) (0.015 * W)), dy = std::max(1, (int) (0.01 * H));
    const int L = std::min(W - 1, 1 + dx), R = W - 1, wA = R - L;
    const int T = 1 + dy, hA = std::max(0, H - 2 - 2 * dy), B = T + hA;
    const int g = std::min(hA, juce::jlimit(1, 12, (int) (0.015 * hA)));
    const int T2 = T + g, hB = hA - g;
    const int k = std::min(wA, (int) (0.58 * wA)), f = std::min(k, (int) (0.05 * k));
    const int xK = R - k + f, wK = k - f, wL = wA - k;
    const int G = std::min(hB, (int) (0.59 * hB)), I = std::min(G, (int) (0.1 * G)), J1 = G - I;
    const int P = std::min(J1, (int) (0.45 * J1)), Q = std::min(P, (int) (0.2 * P));
    const int yR = B - P + Q, hR = P - Q, yL = B - G + I, J2 = J1 - P;

    const int N = std::min(wL, (int) (0.25 * wL)), O = (int) (0.1 * N);
    for (int s = 0; s < numSwitches; ++s)
        switches[(size_t) s].setBounds(L + s * N + O, yR + O, std::max(0, N - 2 * O), std::max(0, hR - 2 * O));

    const int mode = juce::jlimit(0, 2, owner.getCurOnOffAndModeState().second);
    if (mode == 0)
    {
        waveSelector.setBounds(L, yL, wL, J2);
        lfoDisplay.setBounds(L, T2, wL, hB - G);
    }
    else if (mode == 1)
    {
        const int h1 = std::min(J2, (int) (0.5 * J2)), m = (int) (0.07 * wL);
        sahSelector.setBounds(L + m, yL + h1, std::max(0, wL - 2 * m), std::max(0, J2 - h1));
        const int yE = (yL + h1) - (int) (0.65 * (J2 - h1));
        const int y0 = std::min(T2, yE);
        sahDisplay.setBounds(L, y0, wL, yE - y0);
    }
    else
    {
        const int yE = yR - (int) (0.3 * hR);
        const int y0 = std::min(T2, yE);
        probSliders.setBounds(L, y0, wL, yE - y0);
    }

    const int Z = std::min(hB, (int) (0.5 * hB)), a = (int) (0.29 * wK);
    const int x0 = xK + (int) ((wK - 3 * a - 2 * (int) (0.035 * wK)) * 0.5);
    const int p = std::max(1, (int) (0.018 * Z)), kh = std::max(0, Z - 2 * p);
    const int ix = std::max(1, (int) (0.06 * a)), iy = std::max(1, (int) (0.15 * Z));
    syncBlock.setBounds(x0 + ix, T2 + iy, std::max(0, a - 2 * ix), std::max(0, Z - 2 * iy));
    knobs[freeRate].setBounds(x0 + a, T2 + p, a, kh);
    knobs[syncedRate].setBounds(x0 + a, T2, a, Z);
    knobs[phase].setBounds(x0 + 2 * a, T2 + p, a, kh);
    knobs[offset].setBounds(x0, T2 + Z + p, a, kh);
    knobs[smooth].setBounds(x0 + a, T2 + Z + p, a, kh);
    knobs[level].setBounds(x0 + 2 * a, T2 + Z + p, a, kh);

    separatorLayer.removeAllChildren();
    if (unitAndSlot.second != 3 && unitAndSlot.second != 7)
        separatorLayer.addAndMakeVisible(separator);
}
