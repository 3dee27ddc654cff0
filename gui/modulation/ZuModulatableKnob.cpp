// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuModulatableKnob.h"

#include "ZuGuiBase.h"

namespace
{
// The unit modulator head of an identifier: its characters 2 to 4.
juce::String unitHeadOf(const juce::String& id)
{
    return id.substring(2, 5);
}

int truncToInt(float v)
{
    return (int) v;
}
} // namespace

ZuModulatableKnob::ZuModulatableKnob(int n) : numSlots(juce::jlimit(0, 3, n))
{
    makePanelKnob(mainKnob, knobLook.get(), "----", "FX Knob  :  ", false, nullptr);
    mainKnob.setColour(juce::Slider::thumbColourId, juce::Colour(0xffb4b4b4));
    mainKnob.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0x0000a1e9));
    mainKnob.setColour(juce::Slider::trackColourId, juce::Colour(0x00e4007f));
    mainKnob.setVelocityModeParameters(
        1.0, 1, velocityOffset, true,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));

    for (int k = 0; k < numSlots; ++k)
    {
        addAndMakeVisible(slots[(size_t) k]);
        slots[(size_t) k].slotIndex = k;
    }
}

ZuModulatableKnob::~ZuModulatableKnob()
{
    mainKnob.setLookAndFeel(nullptr);
    modeButton.setLookAndFeel(nullptr);
}

void ZuModulatableKnob::makePanelKnob(juce::Slider& knob, juce::LookAndFeel_V4& look, juce::String name,
                                      juce::String tooltip, bool, juce::Component*)
{
    ZuGuiBase::shapePanelKnob(*this, knob, look, name, tooltip);
}

void ZuModulatableKnob::setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                                      juce::NormalisableRange<double> range)
{
    ZuParamAttacher::attachToSlider(tree, juce::Identifier(id), defaultValue, range, mainKnob);
    const auto head = unitHeadOf(id);
    for (int k = 1; k <= numSlots; ++k)
        slots[(size_t) (k - 1)].setAttachment(tree, id + "_md" + juce::String(k), id + "_ms" + juce::String(k), head);
}

void ZuModulatableKnob::setModValProp(int slot, double depth)
{
    mainKnob.getProperties().set("Mod" + juce::String(slot + 1), scurve->calcModDep((float) depth));
    mainKnob.repaint();
}

void ZuModulatableKnob::setModTrackColor(int slot, juce::Colour colour, int polarity)
{
    mainKnob.getProperties().set("mod" + juce::String(slot + 1) + "trkcolor", colour.toString());
    mainKnob.getProperties().set("polindex" + juce::String(slot + 1), polarity);
}

void ZuModulatableKnob::setKnobVal(int which, float value)
{
    if (which == 0)
    {
        mainKnob.setValue(value, juce::sendNotificationSync);
        return;
    }
    if (which < 1 || which > 6)
        return;
    auto& slot = slots[(size_t) ((which - 1) / 2)];
    if (which % 2 == 1)
        slot.setValue(value);
    else
        slot.setSrcVal(value);
}

void ZuModulatableKnob::setTextColor(juce::Colour colour)
{
    mainKnob.setColour(juce::Slider::textBoxTextColourId, colour);
    if (labelMode == 1)
        valueLabel.setColour(juce::Label::textColourId, colour);
}

void ZuModulatableKnob::setBgColor(juce::Colour colour)
{
    bgColor = colour;
    mainKnob.setColour(juce::Slider::backgroundColourId, colour);
    for (int k = 0; k < numSlots; ++k)
        slots[(size_t) k].setBgColor(colour);
    if (labelMode == 1)
        valueLabel.setColour(juce::Label::backgroundColourId, colour);
    mainKnob.repaint();
}

void ZuModulatableKnob::enablementChanged()
{
    const bool on = isEnabled();
    for (int k = 0; k < numSlots; ++k)
        slots[(size_t) k].setEnabled(on);
    if (labelMode == 1)
        valueLabel.setVisible(on);
    mainKnob.setInterceptsMouseClicks(on, on);
}

void ZuModulatableKnob::resized()
{
    const auto b = getLocalBounds();
    const int X = b.getX() + 1, Y = b.getY() + 1;
    const int W = juce::jmax(0, b.getWidth() - 2), H = juce::jmax(0, b.getHeight() - 2);
    const float third = 0.333333f;

    if (layoutMode == 0)
    {
        const bool withButton = hasModeButton;
        const int m = juce::jmin(H, truncToInt((float) H * (withButton ? 0.2f : modKnobRatio)));
        mainKnob.setBounds(X, Y, W, juce::jmax(0, H - m - (withButton ? 2 : 1)));
        if (withButton && modeButton.isVisible())
        {
            const int g = truncToInt((float) (W - 3 * m) * third);
            const int x1 = X + (int) ((double) (W - 3 * m - 2 * g) * 0.5);
            slots[0].setBounds(x1, Y + H - m, m, m);
            modeButton.setBounds(x1 + m + g + 1, Y + H - m + 1, juce::jmax(0, m - 2), juce::jmax(0, m - 2));
            if (numSlots == 2)
                slots[1].setBounds(x1 + 2 * m + 2 * g, Y + H - m, m, m);
            return;
        }
        const int g = truncToInt((float) (W - 2 * m) * third);
        const int x1 = X + (int) ((double) (W - 2 * m - g) * 0.5);
        slots[0].setBounds(x1, Y + H - m, m, m);
        if (numSlots == 2)
            slots[1].setBounds(x1 + m + g, Y + H - m, m, m);
        return;
    }

    const int m = juce::jmin(W, truncToInt((float) W * modKnobRatio));
    mainKnob.setBounds(X, Y, juce::jmax(0, W - m - 1), H);
    const int g = truncToInt((float) (H - 2 * m) * third);
    const int y1 = Y + (int) ((double) (H - 2 * m - g) * 0.5);
    slots[0].setBounds(X + W - m, y1, m, m);
    if (numSlots == 2)
        slots[1].setBounds(X + W - m, y1 + m + g, m, m);
}

void ZuModulatableKnob::setTrkBgColor(juce::Colour colour)
{
    mainKnob.setColour(juce::Slider::rotarySliderOutlineColourId, colour);
}

void ZuModulatableKnob::setPopupDispState(bool on)
{
    if (auto* top = getTopLevelComponent(); top != nullptr && top != this)
        mainKnob.setPopupDisplayEnabled(on, on, top, 2000);
    for (int k = 0; k < numSlots; ++k)
        slots[(size_t) k].setPopupDispState(on);
}

void ZuModulatableKnob::setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hovered)
{
    for (int k = 0; k < numSlots; ++k)
        slots[(size_t) k].setModPolAndIndctSrcValue(polarity, hovered);
}

void ZuModulatableKnob::initKnobUnit(float value)
{
    mainKnob.setValue(value, juce::sendNotificationSync);
    for (int k = 0; k < numSlots; ++k)
    {
        slots[(size_t) k].setValue(0.0f);
        slots[(size_t) k].setSrcVal(0.0);
    }
}

void ZuModulatableKnob::getModKnobState(std::array<double, 4>& state)
{
    for (size_t k = 0; k < 2; ++k)
    {
        state[2 * k] = slots[k].getModSrcVal();
        state[2 * k + 1] = slots[k].getModDepVal();
    }
}

void ZuModulatableKnob::setValues(std::array<double, 5>& values)
{
    mainKnob.setValue(values[0], juce::sendNotificationSync);
    for (size_t k = 0; k < 2; ++k)
    {
        slots[k].setSrcVal(values[1 + 2 * k]);
        slots[k].setValue((float) values[2 + 2 * k]);
    }
}

void ZuModulatableKnob::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    setAttachments(state, id, id);
    std::array<juce::Value*, 3> listened{&mainKnob.value1, &mainKnob.value2, &mainKnob.value3};
    for (int k = 0; k < numSlots; ++k)
    {
        listened[(size_t) k]->referTo(slots[(size_t) k].amountKnob.getValueObject());
        listened[(size_t) k]->addListener(&mainKnob);
    }
    if (modeButton.isVisible() && state.getParameter("sq1_slk" + mainKnob.getName()) != nullptr)
        modeParamAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
            state, "sq1_slk" + mainKnob.getName(), modeButton);
}

void ZuModulatableKnob::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id, juce::String modId)
{
    mainParamAttachment.reset();
    if (state.getParameter(id) != nullptr)
        mainParamAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, id, mainKnob);
    for (int k = 1; k <= numSlots; ++k)
        slots[(size_t) (k - 1)].setAttachments(state, modId + "_modsrc" + juce::String(k),
                                               modId + "_moddep" + juce::String(k));
}

void ZuModulatableKnob::setRelMode(bool on)
{
    addAndMakeVisible(modeButton);
    modeButton.setButtonText("rel");
    modeButton.setLookAndFeel(&svgButtonLook.get());
    modeButton.setClickingTogglesState(true);
    modeButton.setTooltip("Relative mode");
    modeButton.getProperties().set("bglayercolor", colorTheme->entry(2, skinIndex).toString());
    modeButton.getProperties().set("outlinecolor", colorTheme->entry(23, skinIndex).toString());
    modeButton.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(4, skinIndex));
    modeButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff757575));
    modeButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff454545));
    modeButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));
    modeButton.getProperties().set("reducefactor", 0.05);
    modeButton.setToggleState(on, juce::dontSendNotification);
}

ZuPairOfModKnobs::ZuPairOfModKnobs(bool row, int n) : inRow(row), count(juce::jlimit(0, 2, n))
{
    for (int k = 0; k < count; ++k)
        addAndMakeVisible(slots[(size_t) k]);
}

void ZuPairOfModKnobs::resized()
{
    rects.clear();
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    const int cy = y + h / 2;
    int s = h, left = x, top = y;
    if (w <= h)
        s = w;
    else if (w < 2 * h)
    {
        s = (int) ((float) w * 0.49f);
        left = 0;
        top = cy - s / 2;
    }

    if (inRow && count == 2)
    {
        const int g = juce::jmax(0, (int) ((float) (w - 2 * s) * 0.39f));
        const int x1 = x + (int) ((double) (w - 2 * s - g) * 0.5);
        rects.add({x1, top, s, s});
        rects.add({x1 + s + g, top, s, s});
    }
    else if (inRow)
    {
        const int z = juce::jmin(juce::jmax(0, w), juce::jmax(0, h));
        rects.add({x + w / 2 - z / 2, cy - z / 2, z, z});
    }
    else
    {
        const int t = juce::jmin(top, cy);
        const int R = cy - t;
        const int e = (int) ((float) R * 0.04f);
        rects.add({left + e, t + e, juce::jmax(0, s - 2 * e), juce::jmax(0, R - 2 * e)});
        if (count == 2)
            rects.add({left + e, cy + e, juce::jmax(0, s - 2 * e), juce::jmax(0, R - 2 * e)});
    }
    for (int j = 0; j < juce::jmin(count, rects.size()); ++j)
        slots[(size_t) j].setBounds(rects[j]);
}

void ZuPairOfModKnobs::setAttachment(juce::ValueTree tree, juce::String id)
{
    const auto head = unitHeadOf(id);
    if (count > 0)
        slots[0].setAttachment(tree, id + "_md1", id + "_ms1", head);
    if (count > 1)
        slots[1].setAttachment(tree, id + "_md2", id + "_ms2", head);
}

void ZuPairOfModKnobs::setBgColor(juce::Colour colour)
{
    bgColor = colour;
    for (auto& slot : slots)
        slot.setBgColor(colour);
    repaint();
}

void ZuPairOfModKnobs::setThumbColor(juce::Colour colour)
{
    for (auto& slot : slots)
        slot.setOutlineColor(colour);
    repaint();
}

void ZuPairOfModKnobs::setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    for (int k = 1; k <= count; ++k)
        slots[(size_t) (k - 1)].setAttachments(state, id + "_modsrc" + juce::String(k),
                                               id + "_moddep" + juce::String(k));
}

void ZuPairOfModKnobs::getModKnobState(std::array<double, 4>& state)
{
    for (size_t k = 0; k < 2; ++k)
    {
        state[2 * k] = slots[k].getModSrcVal();
        state[2 * k + 1] = slots[k].getModDepVal();
    }
}

void ZuPairOfModKnobs::setStates(std::array<double, 4>& state)
{
    for (size_t k = 0; k < 2; ++k)
    {
        slots[k].setSrcVal(state[2 * k]);
        slots[k].setValue((float) state[2 * k + 1]);
    }
}
