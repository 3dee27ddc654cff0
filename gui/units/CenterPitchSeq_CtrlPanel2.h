// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCtrlPanel_RndPanel.h"
#include "CenterCtrlPanel_SetAll.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The second control page of a sequencer unit (pitch, parameter, CC and
// octave-transpose units alike): the set-all panel over the randomise row,
// with a thin separator between them. Message thread only.
class CenterPitchSeq_CtrlPanel2 : public juce::Component
{
public:
    CenterPitchSeq_CtrlPanel2(int unitType, int instance, juce::ValueTree guiTree);
    ~CenterPitchSeq_CtrlPanel2() override;

    void setSkinMode(int skin, juce::Colour unitColour);
    // This page binds no host parameter; the unit panels call it like their
    // other pages'.
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String prefix, bool flag);
    void updateDrawable();
    void resized() override;

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;

public:
    juce::Colour baseColor;
    const int instance;
    int skinIndex = 0;
    juce::Label setAllCaption;
    // Built like the "SetAll" caption; the page has no room for it, so it is
    // given no bounds and never shows.
    juce::Label randomizeCaption;
    CenterCtrlPanel_SetAll setAllPanel;
    CenterCtrlPanel_RndPanel rndPanel;
    juce::DrawablePath separator;
    juce::Path separatorPath;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_CtrlPanel2)
};
