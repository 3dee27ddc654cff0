// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordEditPanel.h"
#include "MyDocumentWindow.h"
#include "ToolTargetPanels.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_MenuStripButtons.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The chord section of the scale page: chord power ("p9_chord_pwr"), the
// OPEN toggle ("chord_edit" of "maintree") that shows the chord set editor
// in a floating window over the editor, and the four pitch unit targets.
// The window keeps its size and place in "maintree" as fractions of the
// editor, so it comes back where the user left it.
//
// Every close of the window ends MIDI chord note entry and gives the
// keyboard focus back to the unit column. Message thread only.
class ChordPanel : public ZuGuiBase
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SvgButton> powerLook;
    ZuShared<ZuCLAF_ModOpenButton> openLook;

public:
    static constexpr double windowAspect = 1.88;
    static constexpr float defaultHeightFactor = 0.35f;
    static constexpr int titleBarHeight = 22;
    static constexpr int delayedOpenMs = 500;
    static constexpr const char* windowId = "floatchordwndw";

    ChordPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree guiTree, juce::ValueTree paramTree);
    ~ChordPanel() override;

    void resized() override;
    void colorMapping() override;
    // OPEN's value: on opens the window, off closes it.
    void valueChanged(juce::Value& value) override;

    // Shows the window over the editor at its stored place; a shown window
    // stays as it is.
    void openChordFloatWndw();
    void closeChordFloatWndw();
    // Shows or hides the window so that it matches OPEN.
    void checkChordEditWndw();
    void onoffStateChanged();

    // Whether the window is shown in the editor.
    bool isWindowShown() const;
    MyDocumentWindow& getWindow() noexcept { return window; }
    ChordEditPanel& getChordEditPanel() noexcept { return chordEditPanel; }

    juce::Label titleLabel;
    juce::TextButton powerButton;
    juce::Label targetsLabel;
    ChordTargetPanel targetPanel;
    juce::TextButton openButton;

private:
    ChordEditPanel chordEditPanel;
    juce::Rectangle<int> windowBounds;
    const juce::Identifier heightFactorId{"chord_wndwhfactor"};
    const juce::Identifier xFactorId{"chord_wndwposfactorx"};
    const juce::Identifier yFactorId{"chord_wndwposfactory"};
    MyDocumentWindow window;
    juce::ValueTree guiState;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerAttachment;

    juce::Component* shownWindowIn(juce::Component& editor) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordPanel)
};
