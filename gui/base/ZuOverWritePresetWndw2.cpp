// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuOverWritePresetWndw2.h"

#include "ZuCallOut.h"
#include "ZumiraboxAudioProcessorEditor.h"

ZuOverWritePresetWndw2::ZuOverWritePresetWndw2(ZumiraboxAudioProcessorEditor& ed, juce::String name, juce::Colour col1,
                                               juce::Colour col2, juce::Colour col3, juce::Colour col4,
                                               juce::Colour col5, juce::Colour col6)
    : fileName(std::move(name)), c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), editor(&ed)
{
    int command = 0;
    for (auto* button : {&overwriteButton, &saveAsNewButton})
    {
        addAndMakeVisible(*button);
        button->setLookAndFeel(&lookAndFeel.get());
        button->setOpaque(true);
        button->setColour(juce::TextButton::buttonOnColourId, c4);
        button->setColour(juce::TextButton::buttonColourId, c3);
        button->setColour(juce::TextButton::textColourOffId, c5);
        button->setColour(juce::TextButton::textColourOnId, c6);
        button->setCommandToTrigger(nullptr, command++, false);
        button->onClick = [this, button] { exitWndw(button); };
    }
    setOpaque(true);
}

ZuOverWritePresetWndw2::~ZuOverWritePresetWndw2()
{
    overwriteButton.setLookAndFeel(nullptr);
    saveAsNewButton.setLookAndFeel(nullptr);
}

void ZuOverWritePresetWndw2::exitWndw(juce::Button* button)
{
    if (button == nullptr)
        return;
    if (auto* ed = editor.getComponent())
        ed->calloutBoxButtonIsClicked(button->getCommandID());
    zu::callout::dismissEnclosing(*this);
}

juce::String ZuOverWritePresetWndw2::getMessage() const
{
    return "\"" + fileName + "\" " + messageSuffix;
}

void ZuOverWritePresetWndw2::paint(juce::Graphics& g)
{
    g.fillAll(c1);
    g.setColour(c2);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 1.0f, juce::Font::bold)
                  .withPointHeight((float) messageArea.getHeight() * 0.91f));
    g.drawFittedText(getMessage(), messageArea, juce::Justification::centred, 1, 0.1f);
}

void ZuOverWritePresetWndw2::calcGuiBaseStuff()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), W = b.getWidth(), H = b.getHeight();
    windowBounds = b;
    buttonAreas.clear();

    const int side = (int) (0.15f * (float) H);
    const int top = (int) (0.21f * (float) H);
    const int textH = juce::jmax(0, (int) (0.155f * (float) H));
    messageArea = {x + side, top, juce::jmax(0, W - 2 * side), textH};

    const int below = top + textH + 1;
    const int rem = juce::jmax(0, (y + H - 1) - below);
    const int margin = (int) (0.1f * (float) W);
    const int innerW = juce::jmax(0, W - 2 * margin);
    const int bw = juce::jmax(0, (int) (0.435f * (float) innerW));
    const int pad = (int) (0.26f * (float) rem);
    const int bh0 = juce::jmax(0, rem - 2 * pad);
    const int d = juce::jmin((int) (0.1f * (float) bh0), bh0);
    const int buttonTop = juce::jmin(below, y + H - 1) + pad + d;
    const int buttonH = bh0 - d;
    buttonAreas.addWithoutMerging({x + margin, buttonTop, bw, buttonH});
    buttonAreas.addWithoutMerging({x + margin + innerW - bw, buttonTop, bw, buttonH});
}

void ZuOverWritePresetWndw2::resized()
{
    calcGuiBaseStuff();
    overwriteButton.setBounds(buttonAreas.getRectangle(0));
    saveAsNewButton.setBounds(buttonAreas.getRectangle(1));
}
