// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1ChordModePanel.h"

#include "SEQ1ChordModeEditPanel.h"
#include "ZumiraboxAudioProcessorEditor.h"

SEQ1ChordModePanel::SEQ1ChordModePanel()
{
    const auto panelBg = themeColour(colorTheme->panelBgColor);
    const int d = zu::tools::octaveNumberOffset();
    for (auto& picker : notePickers)
    {
        addAndMakeVisible(picker);
        picker.setName("NoteMenu");
        picker.setLookAndFeel(&noteLook.get());
        picker.setTooltip({});
        ZuStyle::setReal(picker, ZuStyle::fontsize, 0.65f);
        picker.getProperties().set(ZuStyle::fontface, "SemiBold");
        picker.setColour(juce::ComboBox::backgroundColourId, panelBg);
        picker.setColour(juce::ComboBox::outlineColourId, juce::Colour(0xff505050));
        picker.setColour(juce::ComboBox::textColourId, juce::Colour(0xff202020));
        picker.setScrollWheelEnabled(true);
        picker.setTextWhenNothingSelected("--");
        zu::tools::addNoteItems(picker, d);
    }

    addAndMakeVisible(editButton);
    editButton.setButtonText("Edit");
    editButton.setLookAndFeel(&editLook.get());
    editButton.setTooltip({});
    zu::seq1::setButtonColours(editButton, juce::Colour(0xffc0c0c0), panelBg, juce::Colour(0xff505050),
                               juce::Colour(0xffc0c0c0));
    editButton.onClick = [this] { editButtonClicked(); };

    addAndMakeVisible(stepLabel);
    stepLabel.setLookAndFeel(&labelLook.get());
    ZuStyle::setReal(stepLabel, ZuStyle::fontsize, 1.0f);
    styleLabel(panelBg, juce::Colour(0xff202020));
    stepLabel.setJustificationType(juce::Justification::centred);
    stepLabel.setText("1", juce::dontSendNotification);
}

SEQ1ChordModePanel::~SEQ1ChordModePanel()
{
    // The bindings go first, last made first.
    while (!bindings.isEmpty())
        bindings.removeLast();
    for (auto& picker : notePickers)
        picker.setLookAndFeel(nullptr);
    editButton.setLookAndFeel(nullptr);
    stepLabel.setLookAndFeel(nullptr);
}

void SEQ1ChordModePanel::styleLabel(juce::Colour background, juce::Colour text)
{
    ZuStyle::setColour(stepLabel, ZuStyle::bgcolor, background);
    stepLabel.setColour(juce::Label::backgroundColourId, background);
    stepLabel.setColour(juce::Label::textColourId, text);
}

juce::String SEQ1ChordModePanel::parameterName(int k) const
{
    return (centrePanelFlag ? "p1_psq1_s" : "sq1_s") + juce::String(stepIndex + 1) + "_cn" + juce::String(k + 1);
}

void SEQ1ChordModePanel::setAttachment(juce::AudioProcessorValueTreeState& state, int index)
{
    stepIndex = index;
    for (int k = 0; k < numNotes; ++k)
    {
        // Earlier bindings stay. JUCE asserts on a name the state lacks:
        // such a picker stays unbound and keeps its own selection.
        const auto name = parameterName(k);
        if (state.getParameter(name) == nullptr)
            continue;
        bindings.add(new juce::AudioProcessorValueTreeState::ComboBoxAttachment(state, name, notePickers[(size_t) k]));
        boundNames.add(name);
    }
    editButton.getProperties().set(ZuStyle::stepindex, stepIndex + 1);
    stepLabel.setText(juce::String(stepIndex + 1), juce::dontSendNotification);
}

void SEQ1ChordModePanel::setCenterPanelFlag()
{
    centrePanelFlag = true;
    for (auto& picker : notePickers)
    {
        picker.setLookAndFeel(&centreNoteLook.get());
        picker.colour = themeColour(colorTheme->pitchUnitColor);
        picker.setColour(juce::ComboBox::backgroundColourId, themeColour(colorTheme->unitAreaBgColor));
        picker.setColour(juce::ComboBox::outlineColourId, themeColour(colorTheme->unitBoxOutlineColor));
        picker.setColour(juce::ComboBox::textColourId, themeColour(colorTheme->unitBoxTextColor));
    }
    const auto areaBg = themeColour(colorTheme->unitAreaBgColor);
    zu::seq1::setButtonColours(editButton, themeColour(colorTheme->panelBgColor), areaBg,
                               themeColour(colorTheme->unitLabelTextColor), areaBg);
    styleLabel(areaBg, themeColour(colorTheme->unitLabelTextColor));
}

void SEQ1ChordModePanel::editButtonClicked()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;

    std::array<juce::Value, numNotes> notes;
    for (int k = 0; k < numNotes; ++k)
        notes[(size_t) k].referTo(notePickers[(size_t) k].getSelectedIdAsValue());
    auto noteEditor =
        std::make_unique<SEQ1ChordModeEditPanel>(*this, notes[0], notes[1], notes[2], notes[3], notes[4], editColour);
    // A step's chord has no chord slot to capture MIDI into: MIDI keyboard
    // entry would fill the chord tool's first slot instead, so it is off.
    noteEditor->unitIndex = -1;
    noteEditor->keyButton.setEnabled(false);
    noteEditor->setSize(zu::seq1::trunc(0.97f * (float) editor->getWidth()),
                        zu::seq1::trunc(0.4f * (float) editor->getHeight()));
    editCallOut.launch(std::move(noteEditor), editButton, *editor, themeColour(colorTheme->popupBgColor),
                       editColour.darker(0.5f));
}

void SEQ1ChordModePanel::componentBeingDeleted(juce::Component& component)
{
    component.removeComponentListener(this);
    editPanelClosed();
}

void SEQ1ChordModePanel::editPanelClosed()
{
    zu::tools::setChordNoteTarget(*this, -1);
}

void SEQ1ChordModePanel::enablementChanged()
{
    for (auto& picker : notePickers)
        picker.setAlpha(isEnabled() ? 1.0f : 0.5f);
}

void SEQ1ChordModePanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void SEQ1ChordModePanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int my = juce::jmax(2, zu::seq1::trunc(0.05f * (float) H));
    const int h = juce::jmax(0, H - 2 * my);
    const int w = juce::jmax(0, W - 4);
    const int c = zu::seq1::trunc(0.33f * (float) w);
    const int r = zu::seq1::trunc(0.48f * (float) h);
    const int r2 = juce::jmin(h - r, r);
    const int x0 = 2 + (int) ((double) (w - 3 * c) * 0.5);
    const int pickerH = juce::jmax(0, r - 2);
    for (int k = 0; k < 3; ++k)
        notePickers[(size_t) k].setBounds(x0 + k * c, my + 1, c, pickerH);
    const int yb = my + h - r2;
    notePickers[3].setBounds(x0, yb + 1, c, pickerH);
    notePickers[4].setBounds(x0 + c, yb + 1, c, pickerH);
    editButton.setBounds(x0 + 2 * c, yb, c, r);
}

void SEQ1ChordModePanel::colorMapping()
{
    panelColor = themeColour(centrePanelFlag ? colorTheme->unitAreaBgColor : colorTheme->panelBgColor);
    editColour = themeColour(colorTheme->accentColor);
    const auto panelBg = themeColour(colorTheme->panelBgColor);
    for (auto& picker : notePickers)
    {
        picker.colour = themeColour(centrePanelFlag ? colorTheme->pitchUnitColor : colorTheme->accentColor);
        picker.setColour(juce::ComboBox::backgroundColourId, panelBg);
        picker.setColour(juce::ComboBox::outlineColourId, themeColour(colorTheme->comboOutlineColor));
        picker.setColour(juce::ComboBox::textColourId, themeColour(colorTheme->comboTextColor));
    }
    zu::seq1::setButtonColours(editButton, panelBg, panelBg, themeColour(colorTheme->knobTextColor), panelBg);
    styleLabel(panelBg, juce::Colour(0xff202020));
    repaint();
}
