// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMidiMapPanel.h"

#include "CenterPitchSeq_CtrlPanel1.h"
#include "PluginSettingState.h"
#include "ZuGlobalPanelParts.h"
#include "ZumiraboxAudioProcessorEditor.h"
#include "ZuStyleProps.h"

#include <cmath>

namespace
{
constexpr int numWhiteKeys = 75;
constexpr int transposeKeys = 25;
} // namespace

ZuMidiMapPanel::ZuMidiMapPanel(int baseNote)
{
    backgroundColour = juce::Colour(0xff131e2a).darker(0.2f);

    keyboard.setScrollButtonsVisible(false);
    keyboard.setAvailableRange(0, 127);
    keyboard.setLowestVisibleKey(0);
    keyboard.setBlackNoteLengthProportion(1.0f);
    keyboard.setInterceptsMouseClicks(false, false);
    zu::global::keepFocusAway(keyboard);
    keyboard.setColour(juce::MidiKeyboardComponent::whiteNoteColourId, juce::Colour(0xffd0d0d0));
    keyboard.setColour(juce::MidiKeyboardComponent::blackNoteColourId, juce::Colour(0xff040404));
    keyboard.setColour(juce::MidiKeyboardComponent::keySeparatorLineColourId, juce::Colour(0xff040404));
    keyboard.setColour(juce::MidiKeyboardComponent::keyDownOverlayColourId, juce::Colour(0xffe4dd43));
    for (int id : {(int) juce::MidiKeyboardComponent::mouseOverKeyOverlayColourId,
                   (int) juce::MidiKeyboardComponent::upDownButtonBackgroundColourId,
                   (int) juce::MidiKeyboardComponent::upDownButtonArrowColourId,
                   (int) juce::MidiKeyboardComponent::shadowColourId})
        keyboard.setColour(id, juce::Colour(0x00dddddd));
    keyboard.setColour(juce::MidiKeyboardComponent::textLabelColourId, juce::Colour(0x00000000));
    addAndMakeVisible(keyboard);

    addAndMakeVisible(heading);
    heading.setText("Midi Transpose (Uses 25 keys)", juce::dontSendNotification);
    heading.setLookAndFeel(&headingLook.get());
    heading.setEditable(false, false, false);
    heading.setJustificationType(juce::Justification::centred);
    heading.getProperties().set(ZuStyle::fontsize, 0.6);
    const auto headingBg = juce::Colour(0xff2e3d4a).darker(0.3f);
    heading.getProperties().set(ZuStyle::bgcolor, headingBg.toString());
    heading.setColour(juce::Label::backgroundColourId, headingBg);
    heading.setColour(juce::Label::textColourId, juce::Colour(0xffeeeeee));

    addAndMakeVisible(selector);
    zu::global::keepFocusAway(selector);
    selector.setName({});
    selector.setLookAndFeel(&selectorLook.get());
    selector.setJustificationType(juce::Justification::centred);
    selector.getProperties().set(ZuStyle::fontsize, 0.75);
    selector.getProperties().set(ZuStyle::index, 0);
    selector.setColour(juce::ComboBox::backgroundColourId, backgroundColour.darker(0.5f));
    selector.setColour(juce::ComboBox::textColourId, colorTheme->single(7));
    selector.setColour(juce::ComboBox::arrowColourId, colorTheme->single(7).withAlpha(0.8f));

    for (int n = 0; n < (int) noteNames.size(); ++n)
        noteNames[(size_t) n] = CenterPitchSeq_CtrlPanel1::noteText(n);
    for (int k = 0; k < numSelectorItems; ++k)
        selector.addItem(noteNames[(size_t) (12 * k)], 12 * k + 1);

    // Showing the stored base stores nothing: a base that is no C note shows
    // an empty selector until the user picks one.
    selector.setSelectedId(juce::jlimit(0, 127, baseNote) + 1, juce::dontSendNotification);
    selector.onChange = [this] { selectorChanged(); };
}

ZuMidiMapPanel::~ZuMidiMapPanel()
{
    heading.setLookAndFeel(nullptr);
    selector.setLookAndFeel(nullptr);
}

void ZuMidiMapPanel::selectorChanged()
{
    repaint();
    const auto access = zu::global::editorAccess(*this);
    if (!access)
        return;
    const int base = juce::jlimit(0, PluginSettingState::maxMidiTpNote, selector.getSelectedId() - 1);
    auto& settings = access->getSettings();
    settings.midiTpNote = base;
    settings.updateAndSaveSettingFile();
    access->getGlobalData().setMidiTpNote(base);
    // The call-out sits over the editor, beside its main panel.
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        if (auto* main = editor->getMainPanel())
            main->bottomPanel.mainPagePanel.octTpPanel.updateMidiTpLabel();
}

void ZuMidiMapPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int U = juce::jmin(h, (int) ((float) h * 0.65f));
    const int V = h - U;
    lineY = (float) U;
    lineX = 0.0f;
    lineWidth = (float) w;

    const float kw = juce::jmax(1.0f, juce::jmax(0.0f, (float) w * 0.98f) * 0.013f);
    keyboard.setKeyWidth(kw);
    const float m = 0.15f * (float) U;
    const float K0 = juce::jmax(0.0f, (float) U - 2.0f * m);
    const float Kh = K0 - juce::jmin(0.55f * K0, K0);
    const float kbW = (float) numWhiteKeys * kw + 1.0f;
    keyboard.setBounds(juce::roundToInt((float) w / 2.0f - kbW / 2.0f), juce::roundToInt(m), juce::roundToInt(kbW),
                       juce::roundToInt(Kh));
    keyboard.setLowestVisibleKey(0);

    const float Ky = (float) keyboard.getY(), KhLaid = (float) keyboard.getHeight();
    const float bottom = Ky - 0.07f * KhLaid;
    namesTop = juce::jmin((float) (int) ((float) h * 0.02f), bottom);
    namesHeight = juce::jmax(0.0f, bottom - namesTop);

    const int mx = (int) ((float) w * 0.01f), my = (int) ((float) V * 0.2f);
    const int W2 = juce::jmax(0, w - 2 * mx), H2 = juce::jmax(0, V - 2 * my);
    const int Lh = juce::jmin(H2, (int) ((float) H2 * 0.4f));
    const int cw = (int) ((float) W2 * 0.3f);
    const int gap = (int) ((float) W2 * 0.04f);
    const int x0 = mx + (int) ((float) (W2 - 3 * cw - 2 * gap) * 0.5f);
    heading.setBounds(x0, U + my, cw, Lh);

    const int Ch = juce::jmax(0, juce::jmin(H2 - Lh, (int) ((float) (H2 - Lh) * 0.65f)));
    const int Cw = juce::jmax(0, cw - 2 * (int) ((float) cw * 0.33f));
    selector.setBounds(heading.getX() + heading.getWidth() / 2 - Cw / 2, U + my + H2 - Ch, Cw, Ch);
}

void ZuMidiMapPanel::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
    g.setColour(juce::Colour(0xff808080));
    g.drawLine(lineX, lineY, lineX + lineWidth, lineY, 1.0f);

    const auto kx = (float) keyboard.getX();
    const float kw = keyboard.getKeyWidth();
    for (int n = 0; n <= 120; n += 12)
    {
        const auto area = juce::Rectangle<float>(kx + keyboard.getKeyStartPosition(n), namesTop, kw, namesHeight)
                              .toNearestInt()
                              .toFloat();
        headingLook->drawText(g, noteNames[(size_t) n], "Medium", area, 0.5f, juce::Colour(0xff909090),
                              juce::Justification::centred);
    }

    const int s = getSelectedBase();
    if (s < 0 || s > 127)
        return;
    const float hb = 0.45f * (float) keyboard.getHeight();
    const float bh = juce::jmax(0.0f, hb - 4.0f);
    const float bw = juce::jmax(0.0f, keyboard.getKeyStartPosition(transposeKeys) - 4.0f);
    const float x0 = kx + 2.0f + keyboard.getKeyStartPosition(s);
    const float y0 = (float) keyboard.getBottom() + 3.0f;
    juce::Path bracket;
    bracket.startNewSubPath(x0, y0);
    bracket.lineTo(x0, y0 + bh);
    bracket.lineTo(x0 + bw, y0 + bh);
    bracket.lineTo(x0 + bw, y0);
    g.setColour(juce::Colour(0xffa0a0a0));
    g.strokePath(bracket, juce::PathStrokeType(1.2f));

    g.setColour(juce::Colour(0xffd0d0d0));
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 0.55f * bh));
    g.drawFittedText("Midi Transpose", juce::Rectangle<float>(x0, y0, bw, juce::jmax(0.0f, 0.85f * bh)).toNearestInt(),
                     juce::Justification::centred, 1, 0.3f);
}
