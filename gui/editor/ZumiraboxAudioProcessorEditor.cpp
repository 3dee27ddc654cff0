// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZumiraboxAudioProcessorEditor.h"

int ZumiraboxAudioProcessorEditor::numOpenEditors = 0;

ZumiraboxAudioProcessorEditor::ZumiraboxAudioProcessorEditor(ZumiraboxAudioProcessor& p, MirabelGlobalData&,
                                                             CtrPtchSqData&, LfoData&, ScaleData&, ChordData&,
                                                             juce::ValueTree, juce::Value modPolarity,
                                                             juce::Value hoveredSource)
    : juce::AudioProcessorEditor(p), processor(p)
{
    ++numOpenEditors;
    juce::LookAndFeel::setDefaultLookAndFeel(&lookAndFeel.get());
    // Fonts resolved by name before this look-and-feel became the default
    // would keep the system face.
    juce::Typeface::clearTypefaceCache();

    modPolValue.referTo(modPolarity);
    indctSrcValue.referTo(hoveredSource);
    indctSrcValue.setValue("off");

    background.setOpaque(true);
    background.setBufferedToImage(true);
    background.setInterceptsMouseClicks(false, true);
    addAndMakeVisible(background);

    setSize(baseWidth, baseHeight);
    startTimer(skinTimer, skinDelayMs);
}

ZumiraboxAudioProcessorEditor::~ZumiraboxAudioProcessorEditor()
{
    stopTimer(skinTimer);
    // Only the last editor resets the default; the share member then releases
    // the instance (or leaves it to the panels that still hold it).
    if (--numOpenEditors == 0)
    {
        juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
        juce::Typeface::clearTypefaceCache();
    }
}

void ZumiraboxAudioProcessorEditor::resized()
{
    background.setBounds(getLocalBounds());
}

void ZumiraboxAudioProcessorEditor::timerCallback(int timerId)
{
    if (timerId != skinTimer)
        return;
    stopTimer(skinTimer);
    background.colour = colorTheme->entry(0, 1);
    background.repaint();
}

void ZumiraboxAudioProcessorEditor::openMessageWndw(const juce::String& title, const juce::String& text,
                                                    float sizeFactor)
{
    const juce::Colour black(0xff000000);
    messageWindow = std::make_unique<ZuMessageWindow>(title, text, sizeFactor, juce::Colour(0xff505050),
                                                      juce::Colour(0xffdddddd), black, black, black, black);
    messageWindow->toFront(false);
    addAndMakeVisible(*messageWindow);
    messageWindow->setBounds(getLocalBounds());
}

void ZumiraboxAudioProcessorEditor::closeMessageWndw()
{
    if (messageWindow == nullptr)
        return;
    removeChildComponent(messageWindow.get());
    messageWindow->setVisible(false);
    messageWindow->setEnabled(false);
    messageWindow->toBack();
    messageWindow.reset();
}

namespace
{
void removeFloatingWindow(juce::Component& host, const juce::String& componentId)
{
    if (auto* window = host.findChildWithID(componentId))
        host.removeChildComponent(window);
}
} // namespace

void ZumiraboxAudioProcessorEditor::closeChordFloatWndw()
{
    removeFloatingWindow(*this, "floatchordwndw");
}

void ZumiraboxAudioProcessorEditor::closeModFloatWndw()
{
    removeFloatingWindow(*this, "floatmodwndw");
}
