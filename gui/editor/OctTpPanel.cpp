// SPDX-License-Identifier: GPL-3.0-or-later
#include "OctTpPanel.h"

#include "CenterPitchSeq_CtrlPanel1.h"
#include "PluginSettingState.h"
#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"

#include <cmath>

OctTpTargetPanel::OctTpTargetPanel(juce::AudioProcessorValueTreeState& state)
    : ZuUnitTargetPanel(state, "p0_gocttptar", 4, 0.85f, "Medium", true)
{
}

void OctTpTargetPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int cw = (w - 4) / 2;
    const int t = juce::jlimit(2, 12, (int) ((float) (h - 2) * 0.025f));
    const int rest = h - 2 - t;
    const int r2 = rest - rest / 2;
    const int bw = juce::jmax(cw - 2, 0), bh = juce::jmax(r2 - 2, 0);
    for (int n = 1; n <= 4; ++n)
        getButton(n).setBounds(3 + ((n - 1) % 2) * cw, t + 2 + ((n - 1) / 2) * r2, bw, bh);
}

double GlobalKnob::snapValue(double value, juce::Slider::DragMode mode)
{
    // A drag reaches its value through the parameter's single-precision
    // range (2 % arrives as 0.0199999809): the window is judged on the value
    // as far as that precision carries.
    const double judged = std::round(value * 1.0e6) / 1.0e6;
    return FxKnob::snapValue(judged, mode) == judged ? value : snapTarget;
}

void OctTpPanel::shapeGlobalKnob(juce::Component& owner, FxKnob& knob, juce::LookAndFeel& look,
                                 const juce::String& name, const juce::String& tooltip, juce::Colour background,
                                 juce::Colour thumb, double velocityOffset)
{
    owner.addAndMakeVisible(knob);
    zu::global::keepFocusAway(knob);
    knob.setName(name);
    knob.setTooltip(tooltip);
    knob.setLookAndFeel(&look);
    knob.setVelocityModeParameters(
        1.0, 1, velocityOffset, false,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
    knob.getProperties().set(ZuStyle::iscenter, true);
    knob.getProperties().set(ZuStyle::fontface, "Medium");
    knob.getProperties().set(ZuStyle::fontsize, 1.5);
    knob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    const float pi = juce::MathConstants<float>::pi;
    knob.setRotaryParameters(1.25f * pi, 2.75f * pi, true);
    knob.setRange(0.0, 1.0, 0.0);
    knob.setColour(juce::Slider::backgroundColourId, background);
    knob.setColour(juce::Slider::rotarySliderOutlineColourId, juce::Colour(0xff303030));
    knob.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffc0c0c0));
    knob.setColour(juce::Slider::thumbColourId, thumb);
    knob.snapOn = true;
    knob.snapTarget = 0.0;
    knob.snapLower = -0.02;
    knob.snapUpper = 0.02;
}

OctTpPanel::OctTpPanel(juce::AudioProcessorValueTreeState& state, MirabelGlobalData& global)
    : targetPanel(state), globalData(global)
{
    baseColor = colorTheme->entry(1, 0);
    addAndMakeVisible(targetPanel);

    const auto thumb = colorTheme->entry(48, skinMode).brighter(0.5f);
    shapeGlobalKnob(*this, octKnob, knobLook.get(), "OCT", "Sets the global octave transposition +/-2oct", baseColor,
                    thumb, colorTheme->dragValue(0));
    if (state.getParameter("p0_goct") != nullptr)
        octAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, "p0_goct", octKnob);
    shapeGlobalKnob(*this, tpKnob, knobLook.get(), "TP", "Sets the transpose value +/-12st", baseColor, thumb,
                    colorTheme->dragValue(0));
    if (state.getParameter("p0_gtp") != nullptr)
        tpAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, "p0_gtp", tpKnob);

    zu::global::addCaption(*this, targetsLabel, labelLook.get(), baseColor, "Targets", 1.1f);
    targetsLabel.setColour(juce::Label::textColourId, colorTheme->entry(49, 0));
    zu::global::addCaption(*this, keyRangeLabel, labelLook.get(), baseColor, "C0~C5", 0.94f);
    keyRangeLabel.setColour(juce::Label::textColourId, colorTheme->entry(49, 0));

    addAndMakeVisible(keyButton);
    zu::global::keepFocusAway(keyButton);
    keyButton.setButtonText("key");
    keyButton.setLookAndFeel(&keyLook.get());
    keyButton.setClickingTogglesState(true);
    keyButton.setTooltip("Toggle the Midi transpose on/off");
    keyButton.setColour(juce::TextButton::buttonOnColourId, baseColor);
    keyButton.setColour(juce::TextButton::buttonColourId, baseColor);
    keyButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff303030));
    keyButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffe0e0e0));
    keyButton.getProperties().set(ZuStyle::svgname, "key");
    keyButton.getProperties().set(ZuStyle::scale, 1.0);
    // Host automation reaches the toggle as a click too, so the range label
    // follows every change of the parameter.
    keyButton.onClick = [this] { keyRangeLabel.setVisible(keyButton.getToggleState()); };
    if (state.getParameter("p0_miditp") != nullptr)
        keyAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(state, "p0_miditp", keyButton);

    startTimer(octTpPollTimer, octTpPollMs);
    keyRangeLabel.setVisible(keyButton.getToggleState());
    updateMidiTpLabel();
}

OctTpPanel::~OctTpPanel()
{
    stopTimer(octTpPollTimer);
    octAttachment.reset();
    tpAttachment.reset();
    keyAttachment.reset();
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&octKnob, &tpKnob, &keyButton, &targetsLabel, &keyRangeLabel})
        c->setLookAndFeel(nullptr);
}

void OctTpPanel::timerCallback(int timerId)
{
    if (timerId != octTpPollTimer)
        return;
    const bool unitOwnsOctTp = globalData.octTpOn.load();
    if (octKnob.isEnabled() == unitOwnsOctTp)
    {
        octKnob.setEnabled(!unitOwnsOctTp);
        tpKnob.setEnabled(!unitOwnsOctTp);
    }
}

void OctTpPanel::parentHierarchyChanged()
{
    updateMidiTpLabel();
}

void OctTpPanel::updateMidiTpLabel()
{
    const auto access = zu::global::editorAccess(*this);
    if (!access)
        return;
    const int base = juce::jlimit(0, PluginSettingState::maxMidiTpNote, access->getSettings().midiTpNote.load());
    keyRangeLabel.setText(CenterPitchSeq_CtrlPanel1::noteText(base) + " ~ " +
                              CenterPitchSeq_CtrlPanel1::noteText(juce::jmin(base + 24, 127)),
                          juce::dontSendNotification);
}

void OctTpPanel::colorMapping()
{
    baseColor = colorTheme->entry(1, skinMode);
    targetPanel.setSkinMode(skinMode);
    for (auto* knob : {&octKnob, &tpKnob})
    {
        knob->setColour(juce::Slider::backgroundColourId, baseColor);
        knob->setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffcccccc));
        knob->setColour(juce::Slider::thumbColourId, colorTheme->entry(48, skinMode).brighter(0.5f));
    }
    for (auto* label : {&targetsLabel, &keyRangeLabel})
        zu::global::recolourCaption(*label, baseColor, juce::Colour(0xffb0b0b0));
    keyButton.setColour(juce::TextButton::buttonOnColourId, baseColor);
    keyButton.setColour(juce::TextButton::buttonColourId, baseColor);
    keyButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff050505));
    keyButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffe0e0e0));
    repaint();
}

void OctTpPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int m = juce::jlimit(2, 12, (int) ((float) w * 0.05f));
    const int W = w - 2 * m, H = h - 2;

    // Two knob cells side by side.
    const int kw = juce::jmin((int) ((float) H * 0.95f), W);
    const int i = juce::jlimit(1, 8, (int) ((float) kw * 0.07f));
    const int j = juce::jlimit(2, 14, (int) ((float) H * 0.03f));
    const int knobH = juce::jmax(H - 2 * j, 0);
    octKnob.setBounds(m + i, 1 + j, juce::jmax(kw - 2 * i, 0), knobH);
    int left = W - kw;
    const int gap = juce::jmin((int) ((float) kw * 0.08f), juce::jmax(left, 0));
    left -= gap;
    const int tw = juce::jlimit(0, juce::jmax(left, 0), kw);
    left -= tw;
    tpKnob.setBounds(m + kw + gap + i, 1 + j, juce::jmax(tw - 2 * i, 0), knobH);

    // The right column: key switch and range on top, targets below.
    const int g2 = juce::jmin(juce::jlimit(2, 12, (int) ((float) left * 0.06f)), juce::jmax(left, 0));
    const int rw = juce::jmax(left - g2, 0);
    const int cx = m + kw + gap + tw + g2;
    const int top = (int) ((float) H * 0.22f);
    const int topH = top - (int) ((float) top * 0.13f);
    const int inset = (int) ((float) rw * 0.07f);
    const int innerW = juce::jmax(rw - 2 * inset, 0);
    const int keyW = juce::jmin((int) ((float) topH * 1.1f), innerW);
    keyButton.setBounds(cx + inset, 1, keyW, topH);
    const int labelGap = juce::jmin(4, innerW - keyW);
    keyRangeLabel.setBounds(cx + inset + keyW + labelGap, 1, juce::jmax(innerW - keyW - labelGap, 0), topH);

    const int g3 = juce::jlimit(1, 12, (int) ((float) rw * 0.05f));
    const int areaTop = 1 + top + g3;
    const int areaH = juce::jmax(1 + H - areaTop, 0);
    const int mt = juce::jlimit(2, 12, (int) ((float) areaH * 0.05f));
    const int contentTop = areaTop + mt, contentH = juce::jmax(areaH - 2 * mt, 0);
    const int cell = (int) ((float) contentH * 0.25f);
    const int labelW = juce::jmax(w - 1 - (cx + 1), 0);
    targetsLabel.setBounds(cx + 1, contentTop, labelW, juce::jmax(cell - 1, 0));
    const int below = contentH - cell;
    const int g4 = (int) ((float) below * 0.05f);
    const int rest = below - g4;
    const int sx = (int) ((float) labelW * 0.1f), sy = (int) ((float) rest * 0.02f);
    targetPanel.setBounds(cx + 1 + sx, contentTop + cell + g4 + sy, juce::jmax(labelW - 2 * sx, 0),
                          juce::jmax(rest - 2 * sy, 0));
}
