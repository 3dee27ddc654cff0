// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_StripMembers.h"
#include "ZuGuiBase.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// One of the eight snapshot buttons "A" to "H" of a unit's snapshot
// selector. Besides selecting, it can be dragged (after a 200 ms press) onto
// a snapshot button of a unit of the same kind to copy its snapshot there,
// after a confirmation; a right click opens a menu to MIDI-learn the unit's
// snapshot parameter.
class SnapButtonBase : public juce::TextButton, public juce::DragAndDropContainer, public juce::DragAndDropTarget
{
public:
    // The drag description and the properties a dragged button carries.
    static inline const juce::String dragDescription{"snapshot"};
    static constexpr int dragDelayMs = 200;
    // Menu items of the right-click menu.
    enum MenuItem
    {
        midiLearnItem = 1,
        midiUnLearnItem = 2,
        assignedCcItem = 3
    };

    explicit SnapButtonBase(int snapshotIndex);
    // Copies only the snapshot index.
    SnapButtonBase(const SnapButtonBase& other);
    ~SnapButtonBase() override;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;

    bool isInterestedInDragSource(const SourceDetails& details) override;
    void itemDragEnter(const SourceDetails& details) override;
    void itemDragExit(const SourceDetails& details) override;
    void itemDropped(const SourceDetails& details) override;
    bool shouldDrawDragImageWhenOver() override { return true; }

    // Whether the source's unit is of this button's kind.
    bool checkSeqId(const SourceDetails& details);
    // The source's "snapindex" (1..8), -1 when missing or gone.
    int getSrcIndex(const SourceDetails& details);
    void processCopyAndPasteSnapshot(int sourceSeqId, int sourceSnapshot, int targetSnapshot);

    // The right-click menu as it would open now (needs the editor above).
    juce::PopupMenu getLearnMenu() const;
    // What the menu does with its answer.
    void learnMenuChosen(int result);
    // "Assigned CC: " + the first controller learnt for the parameter, or "--".
    juce::String assignedCcText() const;

    // Letters "A" to "H" of snapshots 0..7.
    static juce::String letter(int snapshot);
    // Whether a unit of seq id target may take a snapshot of seq id source.
    static bool sameKind(int source, int target);

    int snapshotIndex;
    int seqId = 0;
    int unitIndex = 0;
    juce::String parameterID;

    // Asks in a call-out whether to copy a snapshot onto the target button;
    // OK copies, Cancel or a click outside does nothing.
    class ZuConfirmWndw : public juce::Component
    {
    public:
        ZuConfirmWndw(int sourceSeqId, int targetSeqId, int sourceSnapshot, int targetSnapshot, SnapButtonBase& target,
                      juce::String message, juce::Colour c1, juce::Colour c2, juce::Colour c3, juce::Colour c4,
                      juce::Colour c5, juce::Colour c6);
        ~ZuConfirmWndw() override;

        void paint(juce::Graphics& g) override;
        void resized() override;
        void calcGuiBaseStuff();
        // With a button: does what OK does; then closes the call-out.
        void exitWndw(juce::Button* button);

        const juce::String& getMessage() const noexcept { return message; }
        juce::TextButton& getOkButton() noexcept { return okButton; }
        juce::TextButton& getCancelButton() noexcept { return cancelButton; }
        juce::Rectangle<int> getTextArea() const noexcept { return textArea; }

    private:
        void copy();

        ZuShared<ZuCLAF_DirButton> buttonLookAndFeel;
        juce::Rectangle<int> textArea, localArea;
        juce::Array<juce::Rectangle<int>> buttonAreas;
        juce::String message;
        juce::Colour c1, c2, c3, c4, c5, c6;
        juce::TextButton okButton{"OK"}, cancelButton{"Cancel"};
        int sourceSeqId, targetSeqId, sourceSnapshot, targetSnapshot;
        // The target can go with its unit while the call-out is open.
        juce::Component::SafePointer<SnapButtonBase> target;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuConfirmWndw)
    };

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_MidiLearnPopMenu> menuLookAndFeel;

    JUCE_LEAK_DETECTOR(SnapButtonBase)
};

// The snapshot selector of one unit: eight radio buttons "A" to "H" that
// mirror the unit's snapshot host parameter through a hidden slider. A click
// writes the parameter and tells the owning unit panel 250 ms later; a change
// from elsewhere (automation) turns on the matching button 100 ms later
// without telling the owner.
class SnapButton : public ZuGuiBase
{
public:
    static constexpr int numSnapshots = 8;
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;
    static constexpr int ownerTimer = 1;
    static constexpr int ownerDelayMs = 250;

    SnapButton();
    ~SnapButton() override;

    void setAttachment(int seqId, juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    void setVerFlag();
    void setColor(juce::Colour background, juce::Colour outline, juce::Colour buttonOn, juce::Colour button,
                  juce::Colour textOn, juce::Colour textOff, float fontSize);
    void setValue(float value);

    void colorMapping() override;
    void sliderValueChanged(juce::Slider* slider) override;
    void buttonClicked(juce::Button* button) override;
    void timerCallback(int timerID) override;
    void resized() override;
    void paint(juce::Graphics& g) override;

    int getCurrentIndex() const noexcept { return currentIndex; }
    bool isVertical() const noexcept { return verticalFlag; }
    juce::Slider& getHiddenSlider() noexcept { return hiddenSlider; }
    SnapButtonBase& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, numSnapshots - 1, i)]; }

private:
    void notifyOwner();

    ZuShared<ZuCLAF_SnapButton> buttonLookAndFeel;
    int currentIndex = 0;
    bool verticalFlag = false;
    juce::Colour panelColour;
    juce::Slider hiddenSlider;
    std::array<SnapButtonBase, numSnapshots> buttons;
    const juce::StringArray buttonTexts{"0", "1", "2", "3", "4", "5", "6", "7"};
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SnapButton)
};
