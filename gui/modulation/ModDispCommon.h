// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LfoData.h"
#include "ZuGuiBase.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <utility>

// Base of the modulator displays: whenever the display may have been shown,
// hidden, enabled or disabled, it decides again whether to poll.
class ZuModDispBase : public ZuGuiBase
{
public:
    void visibilityChanged() override { handleDispTimer(); }
    void parentHierarchyChanged() override { handleDispTimer(); }
    void enablementChanged() override { handleDispTimer(); }
    void updateCompColor() override {}
    // Starts or stops the polling by whether the display is active.
    virtual void handleDispTimer() = 0;
    // The owner's recolouring; the base's hook takes the same path.
    virtual void setBaseColor(const juce::Colour& c) = 0;
    void setBaseColor(juce::Colour& c) override { setBaseColor(static_cast<const juce::Colour&>(c)); }
};

// Pieces the modulator displays (waveform, sample-and-hold, probability)
// share. Message thread only.
namespace zumoddisp
{
// The unit's current snapshot as the editor's value of it reads (text to
// int), kept inside 0..7 so that a stray value never indexes past the model.
int displayedSnapshot(const LfoData& data, int unit);

// The slot record a display polls: unit (0..14) and slot (0..7) of the
// identity, in the unit's current snapshot; every index clamped.
const LfoData::ModUnitData& displayedSlot(const LfoData& data, std::pair<int, int> unitAndSlot);

// "Showing and enabled": the state in which a display polls the model.
inline bool isActive(const juce::Component& c)
{
    return c.isShowing() && c.isEnabled();
}

// The frame and, for a bipolar slot, the centre line: filled with fillColour
// and outlined 0.5 wide in outline colour, rebuilt into layer. An empty frame
// (before the first layout) puts the two drawables back unchanged.
void rebuildBackground(juce::DrawableComposite& layer, juce::DrawablePath& fill, juce::DrawablePath& outline,
                       const juce::Path& frame, const juce::Path& centreLine, bool bipolar, juce::Colour fillColour,
                       juce::Colour outlineColour);

// A bar of a bipolar level meter: from the strip's centre to the value's
// height (v in 0..1, 0.5 the centre).
juce::Rectangle<int> bipolarBar(juce::Rectangle<int> strip, float v);

// The centre line under a frame rectangle: one pixel high, across its width.
juce::Path centreLinePath(juce::Rectangle<float> frame);

// The inner area where a display draws: inset 2 % of the width and 12 % of
// the height, at least one pixel each way.
juce::Rectangle<float> insetDrawArea(float x, float y, float w, float h);
} // namespace zumoddisp
