// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_CtrlPanel1.h"

#include "ZuStyleProps.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"

#include <array>
#include <cmath>

namespace
{
constexpr int numNotes = 128;
// The stored base note is the picker's item id; 48 is note 47, B1.
constexpr int defaultBaseNoteId = 48;
const juce::Colour fallbackUnitColour{0xffd0d0d0};
const juce::Colour relTextOffColour{0xff707070};
const juce::Colour relTextOnColour{0xff202020};
const juce::Colour pickerTextColour{0xffc0c0c0};

// One value box: its key, caption (the slider's name), default and range.
struct BoxBinding
{
    const char* key;
    const char* name;
    float defaultValue;
    double min, max;
};

constexpr std::array<BoxBinding, 4> boxBindings{{
    {"strt", "Start", 1.0f, 1.0, 32.0},
    {"size", "Size", 16.0f, 1.0, 32.0},
    {"goct", "Oct", 0.0f, -3.0, 3.0},
    {"tp", "TP", 0.0f, -12.0, 12.0},
}};
} // namespace

CenterPitchSeq_CtrlPanel1::CenterPitchSeq_CtrlPanel1(int instanceIndex, ZuMirabox_CenterPitchSeqPanel& panel)
    : instance(instanceIndex), baseColor(colorTheme->entry(31, 0)), ownerPanel(panel)
{
    addAndMakeVisible(dirButton);
    addAndMakeVisible(clockPanel);

    for (auto* box : {&strtBox, &sizeBox, &octBox, &tpBox})
    {
        addAndMakeVisible(*box);
        box->modPairWidthFactor = 1.9f;
        box->resized();
    }

    addAndMakeVisible(resetPanel);
    addAndMakeVisible(chPanel);
    chPanel.setCenterPanelFlag();

    addAndMakeVisible(relModeButton);
    relModeButton.setButtonText({});
    relModeButton.setLookAndFeel(&relModeLook.get());
    relModeButton.setClickingTogglesState(true);
    relModeButton.setTooltip("Relative step pitch mode");
    ZuStyle::setReal(relModeButton, ZuStyle::fontsize, 0.65f);
    ZuStyle::setColour(relModeButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setColour(relModeButton, ZuStyle::outlinecolor, entry(37));
    relModeButton.setColour(juce::TextButton::buttonOnColourId, entry(47));
    relModeButton.setColour(juce::TextButton::buttonColourId, baseColor);
    relModeButton.setColour(juce::TextButton::textColourOffId, relTextOffColour);
    relModeButton.setColour(juce::TextButton::textColourOnId, relTextOnColour);
    relModeButton.onClick = [this] { relModeButtonClicked(); };

    addAndMakeVisible(baseNoteMenu);
    baseNoteMenu.setName("NoteMenu");
    baseNoteMenu.setTooltip("Sets the base note of relative step pitch");
    baseNoteMenu.setLookAndFeel(&baseNoteLook.get());
    ZuStyle::setReal(baseNoteMenu, ZuStyle::fontsize, 0.65f);
    baseNoteMenu.getProperties().set(ZuStyle::fontface, "SemiBold");
    baseNoteMenu.setColour(juce::ComboBox::backgroundColourId, entry(2));
    baseNoteMenu.setColour(juce::ComboBox::outlineColourId, entry(37));
    baseNoteMenu.setColour(juce::ComboBox::textColourId, pickerTextColour);
    baseNoteMenu.setScrollWheelEnabled(true);
    for (int note = 0; note < numNotes; ++note)
        baseNoteMenu.addItem(noteText(note), note + 1);

    addAndMakeVisible(baseNoteLabel);
    baseNoteLabel.setLookAndFeel(&labelLook.get());
    ZuStyle::setColour(baseNoteLabel, ZuStyle::bgcolor, entry(2));
    ZuStyle::setReal(baseNoteLabel, ZuStyle::fontsize, 0.54f);
    baseNoteLabel.setColour(juce::Label::backgroundColourId, entry(2));
    baseNoteLabel.setColour(juce::Label::textColourId, entry(36));
    baseNoteLabel.setJustificationType(juce::Justification::centred);
    baseNoteLabel.setText("Base Note", juce::dontSendNotification);

    addAndMakeVisible(baseNoteModKnobs);
    baseNoteModKnobs.setBgColor(entry(2));
    baseNoteModKnobs.setThumbColor(entry(35));
}

CenterPitchSeq_CtrlPanel1::~CenterPitchSeq_CtrlPanel1()
{
    relModeButton.getToggleStateValue().removeListener(this);
    strtBox.valueBox.getValueObject().removeListener(this);
    sizeBox.valueBox.getValueObject().removeListener(this);
    relModeButton.setLookAndFeel(nullptr);
    baseNoteMenu.setLookAndFeel(nullptr);
    baseNoteLabel.setLookAndFeel(nullptr);
}

juce::String CenterPitchSeq_CtrlPanel1::noteText(int note)
{
    static const char* const names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    const int n = juce::jlimit(0, numNotes - 1, note);
    const int octave = n / 12 - 2;
    return juce::String(octave < 0 ? "-" : "") + names[n % 12] + juce::String(std::abs(octave));
}

juce::String CenterPitchSeq_CtrlPanel1::wholeNumberText(double value)
{
    if (!std::isfinite(value))
        return "0";
    return juce::String((juce::int64) std::floor(juce::jlimit(-1.0e9, 1.0e9, value)));
}

void CenterPitchSeq_CtrlPanel1::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    dirButton.setAttachment(unitTree, prefix);
    resetPanel.setAttachment(unitTree, prefix);
    clockPanel.setAttachment(unitTree, prefix);

    attacher->attachToButton(unitTree, juce::Identifier(prefix + "relmode"), false, relModeButton);
    relModeButton.getToggleStateValue().addListener(this);

    attacher->attachToComboBox(unitTree, juce::Identifier(prefix + "relbn"), defaultBaseNoteId, baseNoteMenu);
    baseNoteModKnobs.setAttachment(unitTree, prefix + "relbn");

    SEQ1CtrlPanel_StrtSizeBox* const boxes[] = {&strtBox, &sizeBox, &octBox, &tpBox};
    for (size_t i = 0; i < boxBindings.size(); ++i)
    {
        const auto& b = boxBindings[i];
        auto& box = *boxes[i];
        box.setAttachment(unitTree, prefix + b.key, b.defaultValue, juce::NormalisableRange<double>(b.min, b.max, 1.0));
        box.valueBox.setName(b.name);
        ZuStyle::setReal(box.valueBox, ZuStyle::fontsize, 0.85f);
        box.valueBox.textFromValueFunction = [](double v) { return wholeNumberText(v); };
        box.valueBox.updateText();
    }
    // Only the play window moves the steps' in-range marks; Oct and TP do not.
    strtBox.valueBox.getValueObject().addListener(this);
    sizeBox.valueBox.getValueObject().addListener(this);

    relModeButtonClicked();
}

void CenterPitchSeq_CtrlPanel1::setAttachment(juce::AudioProcessorValueTreeState& state)
{
    // An instance without a channel parameter (none but 0..3 has one) stays unbound.
    const auto id = zu::units::unitKey(zu::units::pitch, instance, "ch");
    if (state.getParameter(id) != nullptr)
        chPanel.setAttachment(state, id);
}

void CenterPitchSeq_CtrlPanel1::relModeButtonClicked()
{
    const bool on = relModeButton.getToggleState();
    if (onRelativeModeChanged)
        onRelativeModeChanged(on);
    baseNoteMenu.setVisible(on);
    baseNoteLabel.setVisible(on);
    baseNoteModKnobs.setVisible(on);
}

void CenterPitchSeq_CtrlPanel1::valueChanged(juce::Value& value)
{
    if (value.refersToSameSourceAs(relModeButton.getToggleStateValue()))
        relModeButtonClicked();
    else if (onStepRangeChanged)
        onStepRangeChanged();
}

juce::Colour CenterPitchSeq_CtrlPanel1::unitColour() const
{
    return settingsColourOfKind(*this, zu::units::pitch).value_or(fallbackUnitColour);
}

void CenterPitchSeq_CtrlPanel1::setSkinMode(int skin)
{
    skinIndex = skin;
    baseColor = entry(31);
    const auto unit = unitColour();

    dirButton.setSkinMode(skin);
    clockPanel.setSkinMode(skin);
    resetPanel.setSkinMode(skin);

    chPanel.setSkinMode(skin);
    for (auto* box : {&strtBox, &sizeBox, &octBox, &tpBox})
        box->setSkinMode(skin);

    baseNoteModKnobs.setBgColor(baseColor);
    baseNoteModKnobs.setThumbColor(entry(35));

    ZuStyle::setColour(baseNoteLabel, ZuStyle::bgcolor, baseColor);
    baseNoteLabel.setColour(juce::Label::backgroundColourId, baseColor);
    baseNoteLabel.setColour(juce::Label::textColourId, entry(36));

    baseNoteMenu.skinIndex = skin;
    baseNoteMenu.setColour(juce::ComboBox::backgroundColourId, baseColor);
    baseNoteMenu.setColour(juce::ComboBox::outlineColourId, entry(37));
    baseNoteMenu.setColour(juce::ComboBox::textColourId, pickerTextColour);

    ZuStyle::setColour(relModeButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setColour(relModeButton, ZuStyle::outlinecolor, entry(37));
    relModeButton.setColour(juce::TextButton::buttonOnColourId, unit);
    relModeButton.setColour(juce::TextButton::buttonColourId, baseColor);
    relModeButton.setColour(juce::TextButton::textColourOffId, relTextOffColour);
    relModeButton.setColour(juce::TextButton::textColourOnId, relTextOnColour);

    repaint();
}

void CenterPitchSeq_CtrlPanel1::resized()
{
    const int W = getWidth(), H = getHeight();
    const int padX = juce::jmax(2, (int) ((float) W * 0.03f));
    const int padY = juce::jmax(2, (int) ((float) H * (expanded ? 0.035f : 0.02f)));
    auto area = getLocalBounds().reduced(padX, padY);
    area.removeFromTop(1);
    const int iw = area.getWidth();

    // Top row: relative mode, caption, picker, modulation pair.
    auto row = area.removeFromTop((int) ((float) area.getHeight() * 0.17f));
    const int rowH = row.getHeight();
    const int relW = (int) ((float) iw * 0.34f);
    relModeButton.setBounds(row.removeFromLeft(relW));
    row.removeFromLeft(2);
    baseNoteLabel.setBounds(row.removeFromLeft((int) ((float) relW * 0.8f)).reduced(1, 0));
    row.removeFromLeft(2);
    baseNoteMenu.setBounds(row.removeFromLeft((int) ((float) row.getWidth() * 0.49f)).reduced(0, 1));
    row.removeFromLeft(2);
    const auto pair = row.reduced(0, (int) ((float) rowH * 0.15f));
    baseNoteModKnobs.setBounds(pair);
    const int mh = pair.getHeight();

    area.removeFromTop(4);
    dirButton.setBounds(area.removeFromTop((int) ((float) mh * 1.2f)).reduced(1, 0));

    area.removeFromTop(4);
    auto clockRow = area.removeFromTop((int) ((float) mh * (expanded ? 2.2f : 2.1f)));
    const int J = (int) ((float) iw * 0.48f);
    auto right = clockRow.removeFromRight(J);
    clockRow.removeFromRight(2);
    clockPanel.setBounds(clockRow);
    chPanel.setBounds(right.removeFromRight((int) ((float) J * 0.34f)));
    resetPanel.setBounds(right);

    area.removeFromTop(4);
    const int f = area.getHeight();
    const int P = (int) ((float) f * 0.48f);
    const int Q = (int) ((float) iw * 0.498f);
    const int R = juce::jmin(P, (int) ((float) Q * 0.22f));
    const int rightW = juce::jmin(iw - Q, Q);
    const auto place = [&](SEQ1CtrlPanel_StrtSizeBox& leftBox, SEQ1CtrlPanel_StrtSizeBox& rightBox, int y)
    {
        leftBox.setBounds(area.getX(), y, Q - 1, R);
        rightBox.setBounds(area.getRight() - rightW + 1, y, rightW - 1, R);
    };
    place(strtBox, sizeBox, area.getY());
    place(octBox, tpBox, area.getY() + P + 1);
}
