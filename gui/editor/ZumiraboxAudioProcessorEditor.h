// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuMessageWindows.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"

#include "PluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in's editor: the one window the host shows. Panels find it as
// their nearest ancestor of this class to reach the processor and to parent
// their call-outs; it is also the drag-and-drop container of the window.
//
// While any editor is open the shared common look-and-feel is JUCE's default
// look-and-feel; the last editor to close resets the default, so a closing
// editor never leaves a look-and-feel in use that another one still needs.
class ZumiraboxAudioProcessorEditor : public juce::AudioProcessorEditor,
                                      public juce::DragAndDropContainer,
                                      public juce::MultiTimer
{
public:
    ZumiraboxAudioProcessorEditor(ZumiraboxAudioProcessor& processor, MirabelGlobalData& globalData,
                                  CtrPtchSqData& pitchData, LfoData& lfoData, ScaleData& scaleData,
                                  ChordData& chordData, juce::ValueTree midiMapTree, juce::Value modPolarity,
                                  juce::Value hoveredSource);
    ~ZumiraboxAudioProcessorEditor() override;

    void resized() override;
    void timerCallback(int timerId) override;

    static constexpr int baseWidth = 1000;
    static constexpr int baseHeight = 580;
    // One-shot timer that switches the panels to the visible skin.
    static constexpr int skinTimer = 11;
    static constexpr int skinDelayMs = 300;

    // Number of editors open in this process.
    static int getNumOpenEditors() noexcept { return numOpenEditors; }

    // The message overlay: at most one, over the whole window; a new one
    // replaces the open one, and any click on it closes it.
    void openMessageWndw(const juce::String& title, const juce::String& text, float sizeFactor);
    void closeMessageWndw();
    ZuMessageWindow* getMessageWndw() const noexcept { return messageWindow.get(); }
    // The floating windows ask the editor to take them away; their owners
    // keep them for the next time they are shown.
    void closeChordFloatWndw();
    void closeModFloatWndw();

private:
    // Shares first: every component below is destroyed before them.
    ZuShared<ZuCLAF_Base> lookAndFeel;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;

    // Full-size background behind the panels.
    class ZuBgComp : public juce::Component
    {
    public:
        void paint(juce::Graphics& g) override { g.fillAll(colour); }
        juce::Colour colour{0xff000000};
    };
    ZuBgComp background;
    std::unique_ptr<ZuMessageWindow> messageWindow;

public:
    // Refers to the processor's polarity toggle and to the hovered
    // modulation source ("off" while the editor opens).
    juce::Value modPolValue;
    juce::Value indctSrcValue;

private:
    const float baseAspect = (float) baseWidth / (float) baseHeight;
    juce::String pendingOverwritePath;

public:
    ZumiraboxAudioProcessor& processor;

private:
    std::unique_ptr<juce::FileChooser> fileChooser;

    static int numOpenEditors;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZumiraboxAudioProcessorEditor)
};
