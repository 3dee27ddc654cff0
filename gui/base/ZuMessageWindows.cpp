// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMessageWindows.h"

#include "ZumiraboxAudioProcessorEditor.h"

ZuMessageWindow::ZuMessageWindow(juce::String titleText, juce::String secondLine, float factor, juce::Colour colour1,
                                 juce::Colour colour2, juce::Colour colour3, juce::Colour colour4, juce::Colour colour5,
                                 juce::Colour colour6)
    : fontFactor(factor), title(std::move(titleText)), subText(std::move(secondLine)), c1(colour1), c2(colour2),
      c3(colour3), c4(colour4), c5(colour5), c6(colour6)
{
}

void ZuMessageWindow::calcGuiBaseStuff()
{
    const auto bounds = getLocalBounds();
    const int m = (int) (0.35f * (float) bounds.getHeight());
    frameArea = {bounds.getX() + m, bounds.getY() + m, juce::jmax(0, bounds.getWidth() - 2 * m),
                 juce::jmax(0, bounds.getHeight() - 2 * m)};
    const int n = (int) (0.15f * (float) frameArea.getHeight());
    titleArea = frameArea.reduced(n);
    titleArea.removeFromBottom(juce::jmin((int) (0.1f * (float) titleArea.getHeight()), titleArea.getHeight()));
    subTextArea = {};
    if (subText.isNotEmpty())
    {
        fontFactor = 0.33f;
        const int k = juce::jmin((int) (0.5f * (float) titleArea.getHeight()), titleArea.getHeight());
        subTextArea = titleArea.removeFromBottom(k);
    }
}

void ZuMessageWindow::resized()
{
    calcGuiBaseStuff();
}

void ZuMessageWindow::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff000000));
    g.setColour(c1);
    g.drawRect(frameArea, 1);
    g.setColour(c2);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", (float) titleArea.getHeight() * fontFactor, juce::Font::bold));
    g.drawFittedText(title, titleArea, juce::Justification::centred, 10, 0.1f);
    if (subText.isNotEmpty())
        g.drawFittedText(subText, subTextArea, juce::Justification::centred, 10, 0.1f);
}

void ZuMessageWindow::mouseDown(const juce::MouseEvent&)
{
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        editor->closeMessageWndw();
}

ZuOverWritePresetWndw::ZuOverWritePresetWndw(ZuGuiBase& panel, juce::String question, juce::Colour colour1,
                                             juce::Colour colour2, juce::Colour colour3, juce::Colour colour4,
                                             juce::Colour colour5, juce::Colour colour6)
    : message(std::move(question)), c1(colour1), c2(colour2), c3(colour3), c4(colour4), c5(colour5), c6(colour6),
      owner(&panel)
{
    setUpButton(overwriteButton, "Overwrite", overwriteCommand);
    setUpButton(saveAsNewButton, "Save as new", saveAsNewCommand);
    saveAsNewButton.getProperties().set("fontsize", 0.55);
}

ZuOverWritePresetWndw::~ZuOverWritePresetWndw()
{
    overwriteButton.setLookAndFeel(nullptr);
    saveAsNewButton.setLookAndFeel(nullptr);
}

void ZuOverWritePresetWndw::setUpButton(juce::TextButton& button, const juce::String& text, int command)
{
    addAndMakeVisible(button);
    button.setButtonText(text);
    button.setLookAndFeel(&buttonLookAndFeel.get());
    button.getProperties().set("bgcolor", c1.toString());
    button.getProperties().set("outlinecolor", c4.darker(0.5f).toString());
    button.getProperties().set("fontsize", 0.6);
    button.setColour(juce::TextButton::buttonOnColourId, c4);
    button.setColour(juce::TextButton::buttonColourId, c3);
    button.setColour(juce::TextButton::textColourOffId, c5);
    button.setColour(juce::TextButton::textColourOnId, c6);
    button.setCommandToTrigger(nullptr, command, false);
    button.onClick = [this, command] { answer(command); };
}

void ZuOverWritePresetWndw::answer(int command)
{
    // Dismissing the box deletes this window later, not now; the owner may be
    // gone already.
    auto target = owner;
    dismissBox();
    if (auto* panel = target.getComponent())
        panel->calloutBoxButtonIsClicked(command);
}

void ZuOverWritePresetWndw::dismissBox()
{
    if (auto* box = findParentComponentOfClass<juce::CallOutBox>())
        box->dismiss();
}

void ZuOverWritePresetWndw::exitWndw(juce::Button* button)
{
    if (button == nullptr)
        dismissBox();
    else
        answer(button->getCommandID());
}

void ZuOverWritePresetWndw::calcGuiBaseStuff()
{
    const auto bounds = getLocalBounds();
    const int x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    windowBounds = bounds;
    const int inset = (int) (0.15f * (float) h);
    const int textTop = (int) (0.21f * (float) h);
    const int textHeight = (int) (0.155f * (float) h);
    textArea = {x + inset, textTop, juce::jmax(0, w - 2 * inset), juce::jmax(0, textHeight)};

    const int t = textTop + textHeight + 1;
    const int b = y + h - 1;
    const int bandHeight = juce::jmax(b - t, 0);
    const int v = (int) (0.26f * (float) bandHeight);
    const int b2 = juce::jmax(bandHeight - 2 * v, 0);
    const int u = juce::jmin((int) (0.1f * (float) b2), b2);
    const int i = (int) (0.1f * (float) w);
    const int w2 = juce::jmax(w - 2 * i, 0);
    const int buttonWidth = juce::jmax((int) (0.435f * (float) w2), 0);
    const juce::Rectangle<int> left{x + i, juce::jmin(t, b) + v + u, buttonWidth, b2 - u};

    buttonAreas.clear();
    buttonAreas.addWithoutMerging(left);
    buttonAreas.addWithoutMerging(left.withX(x + i + w2 - buttonWidth));
}

void ZuOverWritePresetWndw::resized()
{
    calcGuiBaseStuff();
    saveAsNewButton.setBounds(buttonAreas.getRectangle(0));
    overwriteButton.setBounds(buttonAreas.getRectangle(1));
}

void ZuOverWritePresetWndw::paint(juce::Graphics& g)
{
    g.fillAll(c1);
    g.setColour(c2);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 0.91f * (float) textArea.getHeight(), juce::Font::bold));
    g.drawFittedText(message, textArea, juce::Justification::centred, 1, 0.1f);
}

void ZuOverWritePresetWndw::mouseDown(const juce::MouseEvent&) {}

ZuMeessageWndw::ZuMeessageWndw(const juce::String& messageText, juce::Colour backgroundColour, juce::Colour colour)
    : text(messageText), background(backgroundColour), textColour(colour)
{
}

void ZuMeessageWndw::paint(juce::Graphics& g)
{
    g.fillAll(background);
    const int a = (int) (0.1f * (float) getWidth());
    const int b = (int) (0.25f * (float) getHeight());
    const juce::Rectangle<int> area{a, b, getWidth() - 2 * a, getHeight() - 2 * b};
    g.setColour(textColour);
    g.setFont(ZuCLAF_BaseBase::faceFont("SemiBold", 0.62f * (float) area.getHeight(), juce::Font::bold));
    g.drawFittedText(text, area, juce::Justification::centred, 1, 0.5f);
}
