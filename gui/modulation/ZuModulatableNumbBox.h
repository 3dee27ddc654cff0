// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FxModKnob.h"
#include "ZuCLAF_Base.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// What the two modulatable number boxes share: a label, the number box on
// a host parameter and two modulation slots, with the same keys (the box on
// the parameter id, slot k on id + "_modsrc" + k and id + "_moddep" + k), the
// same operations and the same layout. Message thread only.
class ZuModNumbBoxBase : public ZuGuiBase
{
public:
    ~ZuModNumbBoxBase() override;

    void reset();
    void initKnobUnit(float value);
    // 0 the box; 1, 2 the depth and 3, 4 the source of slot 1, 2.
    void setValue(int what, float value);
    void changeLnf(int index);
    void setNumbBoxOutlineColor(juce::Colour colour);
    void setTextColor(juce::Colour colour);
    void setLabelTextColor(juce::Colour colour);
    void setBoxBgColor(juce::Colour colour);
    virtual void setBgColor(juce::Colour colour);
    void setModknobOutColor(juce::Colour colour);
    void setModknobOutlineColor(juce::Colour colour);

    // Lays the label, the box and the slots out: vertical, the label (when
    // on top, labelFraction of the height less a pixel) over the box
    // (boxFraction of the rest) over the slots side by side; otherwise the
    // label over the box at the left and the slots stacked at the right.
    void layOut(bool labelOnTop, float labelFraction, float boxFraction);

    juce::Label label;
    FxKnob numbBox;
    std::array<FxModKnob, 2> slots;
    float knobRatio;
    bool vertical;
    juce::String parameterId;
    juce::Colour bgColour{0xff202020};

protected:
    ZuModNumbBoxBase(const juce::String& name, bool vertical, float knobRatio);
    // Binds the box and both slots; keeps id.
    void attachBoxAndSlots(juce::AudioProcessorValueTreeState& state, const juce::String& id);

    ZuShared<ZuCLAF_Base> boxLook0, boxLook1, spareLook, labelLook;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> sliderAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuModNumbBoxBase)
};

// A labelled number box on a host parameter with two modulation slots, the
// number-box sibling of the modulatable knob. No running panel builds it; it
// compiles beside the modulation editors. Message thread only.
class ZuModulatableNumbBox : public ZuModNumbBoxBase
{
public:
    ZuModulatableNumbBox(juce::String name, bool labelOnTop, bool vertical, float knobRatio, bool withModKnobs);

    void resized() override;
    void resize_guiBounds() override;
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id);

    bool labelOnTop;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuModulatableNumbBox)
};
