// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameWndw.h"

#include "ZuCallOut.h"
#include "ZuFocusPolicy.h"
#include "ZumiraboxAudioProcessorEditor.h"

RenameWndw::RenameWndw(ZumiraboxAudioProcessorEditor& ed, int id, juce::String name, juce::Colour col1,
                       juce::Colour col2, juce::Colour col3, juce::Colour col4, juce::Colour col5, juce::Colour col6)
    : unitId(id), c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), editor(&ed)
{
    addAndMakeVisible(textField);
    textField.setSelectAllWhenFocused(true);
    // Escape and Return travel on to the call-out, which closes on them.
    textField.setEscapeAndReturnKeysConsumed(false);
    textField.setColour(juce::TextEditor::textColourId, c2);
    textField.setColour(juce::TextEditor::backgroundColourId, c1.darker(0.1f));
    textField.setColour(juce::TextEditor::outlineColourId, c1.brighter(0.5f));
    textField.setColour(juce::TextEditor::focusedOutlineColourId, c1.brighter(0.5f));
    textField.setColour(juce::TextEditor::highlightedTextColourId, c2.brighter(0.3f));
    textField.setFont(juce::LookAndFeel::getDefaultLookAndFeel().getAlertWindowMessageFont());
    textField.setInputRestrictions(maxNameLength);
    textField.setMultiLine(false);
    textField.setJustification(juce::Justification::centredLeft);
    textField.setText(name, true);
    textField.onReturnKey = [this] { exitWndw(); };
    setOpaque(true);
    // Ready for typing as soon as the call-out shows.
    ZuFocusPolicy::focusWhenShown(textField);
}

RenameWndw::~RenameWndw()
{
    renamedNotify();
}

void RenameWndw::renamedNotify()
{
    const auto text = textField.getText();
    if (text.isNotEmpty())
        if (auto* ed = editor.getComponent())
            ed->unitNameChanged(unitId, text);
}

void RenameWndw::exitWndw()
{
    zu::callout::dismissEnclosing(*this);
}

void RenameWndw::paint(juce::Graphics& g)
{
    g.fillAll(c1);
}

void RenameWndw::resized()
{
    const int w = getWidth(), h = getHeight();
    textField.setBounds(getLocalBounds().reduced((int) ((float) w * 0.1f), (int) ((float) h * 0.22f)));
}
