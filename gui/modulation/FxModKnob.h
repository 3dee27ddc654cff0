// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DispShareData.h"
#include "Scurve.h"
#include "ZuCLAF_SwingModKnobs.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The names of the first twelve modulation sources, one list per process.
class modSrcInfo
{
public:
    modSrcInfo();
    juce::StringArray names;
};

// One modulation slot of a control: a small amount knob for the depth, a
// hidden source slider, a drop target for the modulator and macro handles,
// a right-click source menu, and a blink while the pointer rests on the
// handle of the slot's own source.
//
// Assignment format, for a control whose value lives under <id>: slot k keeps
// its source in <id> + "_ms" + k (0 none, 1..8 the unit's modulators, 9..16
// the macros, whole numbers up to 23) and its depth in <id> + "_md" + k
// (-1..1), both beside <id> in the same tree, 0 when missing. A slot takes the
// handle texts H + "MOD1".."MOD8" of its own unit (H the characters 2..4 of
// <id>) and "MACRO1".."MACRO8"; text i of that list writes source i + 1.
//
// Message thread only.
class FxModKnob : public juce::Component,
                  public juce::DragAndDropTarget,
                  public juce::MultiTimer,
                  public juce::Value::Listener
{
public:
    FxModKnob();
    ~FxModKnob() override;

    void enablementChanged() override;
    void resized() override;
    bool isInterestedInDragSource(const SourceDetails& details) override;
    void itemDropped(const SourceDetails& details) override;
    void itemDragEnter(const SourceDetails& details) override;
    void itemDragExit(const SourceDetails& details) override;
    bool shouldDrawDragImageWhenOver() override { return true; }
    void valueChanged(juce::Value& value) override;
    void timerCallback(int timerId) override;

    void setAttachment(juce::ValueTree tree, juce::String depthKey, juce::String sourceKey, juce::String unitHead);
    void setDdIdHead(juce::String head);
    void updateModTargetDisp();
    void openPopupMenu(const juce::MouseEvent& e);
    void setBgColor(juce::Colour colour);
    void setDispBgColor(juce::Colour colour);
    void setOutlineColor(juce::Colour colour);
    double getModDepVal() const { return amountKnob.getValue(); }
    double getModSrcVal() const { return sourceSlider.getValue(); }
    void setValue(float depth);
    void setSrcVal(double source);
    void reset();

    // The source menu: "Clear" (1), "Modulator" with "Mod1".."Mod8" (2..9),
    // "Macro" with "Macro1".."Macro8" (10..17).
    static juce::PopupMenu buildSourceMenu();
    // What a menu result does: r > 0 writes source r - 1; 0 writes nothing.
    void sourceMenuChosen(int result);
    // Refers the slot to the editor's polarity toggle and hovered handle, when
    // it is bound, not yet linked and inside an editor.
    void tryToLink();

    // The value text of a depth: "+" above 0, the shaped percentage, " %".
    juce::String depthText(double depth) const;
    // The number shown for a source; empty outside 1..16.
    juce::String sourceText(int source) const;

    // Controls that no running panel builds.
    void setPopupDispState(bool on);
    void setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hovered);
    void updateTextFromValFunction();
    void setLnf(int);
    bool isModAssignActive() const { return sourceSlider.getValue() > 0.0; }
    void checkModSrcSelState() {}
    void setModTrkColorSet(int) {}
    void forceToCheckModTarDisp() { updateModTargetDisp(); }
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String sourceId, juce::String depthId);
    void setAttachments(juce::AudioProcessorValueTreeState& state, int, int, int, int);

    // The visible depth knob: the right button opens the source menu, and a
    // depth dragged into the narrow window around +0.5 lands on 0.5.
    class PopupSlider : public juce::Slider
    {
    public:
        void mouseDown(const juce::MouseEvent& e) override;
        double snapValue(double value, juce::Slider::DragMode mode) override;
        static constexpr double snapLow = (double) 0.495f;
        static constexpr double snapHigh = (double) 0.505f;
    };

    static constexpr int idleTimer = 0;
    static constexpr int blinkTimer = 1;
    static constexpr int linkTimer = 2;

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_ModKnob> modKnobLook;
    ZuShared<ZuCLAF_ModKnob> modKnobLook2;
    ZuShared<modSrcInfo> sourceNames;
    ScurveShared scurve;
    ZuShared<DispShareData> dispShare;
    ZuShared<ZuParamAttacher> attacher;

public:
    int unitTypeCache = 0;
    int unitIndexCache = 0;
    int colorSetIndex = 0;
    int slotIndex = 0;
    bool isLinked = false;
    bool isAttached = false;
    PopupSlider amountKnob;
    juce::Slider sourceSlider;
    juce::Colour bgColor{0xff000000};
    juce::Colour outlineColor{0xff909090};
    juce::Colour dispBgColor{0xff151515};
    std::array<juce::String, 23> srcNumberTexts;
    juce::StringArray acceptedDragTexts;
    juce::Value polarityToggle;
    juce::Value hoveredHandle;
    juce::DrawablePath dropFrame;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> depthParamAttachment, sourceParamAttachment;
    void notifyOwnerDepth();
    // The badge, colours and polarity of the current source; writes nothing.
    void showAssignment();
    void linkTo(juce::Value polarity, juce::Value hovered);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FxModKnob)
};
