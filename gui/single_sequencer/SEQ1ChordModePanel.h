// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordModePanelBase.h"
#include "KeyboardMenu.h"
#include "Seq1Style.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"
#include "ZuToolsCommon.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The custom chord of one single-sequencer step: five note pickers on the
// chord tools' note scheme (id 1 no note, n + 2 note n), an "Edit" button that
// opens the chord note editor over the editor in a call-out, and a step
// label. The pickers bind to host parameters "sq1_s" + step + "_cn" + k, or
// "p1_psq1_s" ... once the centre flag is set; names the parameter state
// lacks stay unbound. The panel listens to its call-out, so however the
// editor ends (the box goes before its content), MIDI chord entry ends too.
// Message thread only.
class SEQ1ChordModePanel : public ChordModePanelBase, public juce::ComponentListener
{
    ZuShared<ZuCLAF_ChordNoteMenu> centreNoteLook;
    ZuShared<ZuCLAF_ChordNoteMenu2> noteLook;
    ZuShared<ZuCLAF_ChordEditButton> editLook;
    ZuShared<ZuCLAF_Label> labelLook;

public:
    static constexpr int numNotes = 5;

    SEQ1ChordModePanel();
    ~SEQ1ChordModePanel() override;

    void setAttachment(juce::AudioProcessorValueTreeState& state, int stepIndex);
    void setCenterPanelFlag();
    void editButtonClicked();

    void editPanelClosed() override;
    void componentBeingDeleted(juce::Component& component) override;
    void enablementChanged() override;
    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;

    // The host parameter name of picker k (0..4) for the current family.
    juce::String parameterName(int k) const;

    KeyboardMenu& getNotePicker(int k) noexcept { return notePickers[(size_t) juce::jlimit(0, numNotes - 1, k)]; }
    int getStepIndex() const noexcept { return stepIndex; }
    bool getCenterPanelFlag() const noexcept { return centrePanelFlag; }
    juce::Colour getEditColour() const noexcept { return editColour; }
    int getNumBindings() const noexcept { return bindings.size(); }
    const juce::StringArray& getBoundNames() const noexcept { return boundNames; }
    juce::CallOutBox* getEditCallOut() const noexcept { return editCallOut.get(); }

    juce::TextButton editButton;
    juce::Label stepLabel;

private:
    void styleLabel(juce::Colour background, juce::Colour text);

    int stepIndex = 0;
    bool centrePanelFlag = false;
    juce::Colour editColour{0x00000000};
    std::array<KeyboardMenu, numNotes> notePickers;
    juce::OwnedArray<juce::AudioProcessorValueTreeState::ComboBoxAttachment> bindings;
    juce::StringArray boundNames;
    // Last, so that it stops listening before anything else goes.
    zu::tools::WatchedCallOut editCallOut{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1ChordModePanel)
};
