// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyDocumentWindow.h"

#include "ZumiraboxAudioProcessorEditor.h"

MyDocumentWindow::MyDocumentWindow(const juce::String& title, juce::Colour background, juce::ValueTree tree, int, bool)
    : juce::DocumentWindow(title, background, juce::DocumentWindow::maximiseButton, false), windowState(tree)
{
    addKeyListener(this);
}

MyDocumentWindow::~MyDocumentWindow()
{
    // A write pending from a move is dropped.
    stopTimer(stateTimer);
    removeKeyListener(this);
}

void MyDocumentWindow::updateVtState()
{
    auto* parent = getParentComponent();
    if (parent == nullptr || parent->getWidth() <= 0 || parent->getHeight() <= 0)
        return;
    const auto parentW = (float) parent->getWidth();
    const auto parentH = (float) parent->getHeight();
    const auto write = [this](const juce::Identifier& id, float factor)
    {
        if (id.isValid() && id.toString().isNotEmpty())
            windowState.setProperty(id, (double) factor, nullptr);
    };
    write(heightFactorId, (float) getHeight() / parentH);
    write(xFactorId, (float) getX() / parentW);
    write(yFactorId, (float) getY() / parentH);
}

void MyDocumentWindow::moved()
{
    startTimer(stateTimer, stateDelayMs);
}

void MyDocumentWindow::childBoundsChanged(juce::Component*) {}

void MyDocumentWindow::closeButtonPressed()
{
    updateVtState();
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    if (isChordWindow)
        editor->closeChordFloatWndw();
    else
        editor->closeModFloatWndw();
}

void MyDocumentWindow::timerCallback(int timerId)
{
    if (timerId != stateTimer)
        return;
    stopTimer(stateTimer);
    updateVtState();
}

bool MyDocumentWindow::keyPressed(const juce::KeyPress& key, juce::Component*)
{
    if (key.getKeyCode() == juce::KeyPress::backspaceKey)
        closeButtonPressed();
    return false;
}

juce::StringArray MyWndwBar::getMenuBarNames()
{
    return {};
}

juce::PopupMenu MyWndwBar::getMenuForIndex(int, const juce::String&)
{
    return {};
}

void MyWndwBar::menuItemSelected(int, int) {}
