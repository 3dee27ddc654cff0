// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloatUnitPanel.h"

ModMenuPanel::ModMenuPanel(FloatUnitPanel& ownerPanel, std::pair<int, int> slot)
    : unitAndSlot(slot), handle("MOD" + juce::String(slot.second + 1), juce::Colour(0xff000000)), owner(ownerPanel)
{
    handle.handleBgColor = juce::Colour(0xffa0a0a0);
    bgColour = colorTheme->entry(56, 0);
    addAndMakeVisible(slotLabel);
    slotLabel.setText(juce::String(slot.second + 1), juce::dontSendNotification);
    slotLabel.setLookAndFeel(&labelLook.get());
    slotLabel.setJustificationType(juce::Justification::centred);
    slotLabel.setColour(juce::Label::backgroundColourId, bgColour);
    slotLabel.setColour(juce::Label::textColourId, juce::Colour(0xffcccccc));
    slotLabel.getProperties().set("bgcolor", bgColour.toString());
    slotLabel.getProperties().set("fontsize", 0.95f);
    slotLabel.getProperties().set("fontface", "Medium");

    addAndMakeVisible(powerButton);
    powerButton.setButtonText("Power");
    powerButton.setLookAndFeel(&powerLook.get());
    powerButton.setClickingTogglesState(true);
    powerButton.setTooltip("Modulation unit on/off");
    powerButton.setColour(juce::TextButton::buttonOnColourId, bgColour);
    powerButton.setColour(juce::TextButton::buttonColourId, bgColour);
    powerButton.setColour(juce::TextButton::textColourOffId, bgColour.brighter(0.25f));
    powerButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffd0d0d0));

    addAndMakeVisible(modeButton);
    addAndMakeVisible(handle);
}

ModMenuPanel::~ModMenuPanel()
{
    powerButton.getToggleStateValue().removeListener(this);
    powerButton.setLookAndFeel(nullptr);
    slotLabel.setLookAndFeel(nullptr);
}

void ModMenuPanel::setAttachment(juce::ValueTree slotTree, juce::String prefix)
{
    modeButton.setAttachment(slotTree, prefix);
    attacher->attachToButton(slotTree, prefix + "pwr", false, powerButton);
    powerButton.getToggleStateValue().addListener(this);
    powerButtonClicked();
}

void ModMenuPanel::applyHandleVisibility()
{
    handle.setVisible(powerButton.getToggleState() && isEnabled());
}

void ModMenuPanel::powerButtonClicked()
{
    modeButton.setEnabled(powerButton.getToggleState());
    applyHandleVisibility();
    owner.getLfoPanel().powerButtonClicked();
}

void ModMenuPanel::valueChanged(juce::Value&)
{
    powerButtonClicked();
}

void ModMenuPanel::enablementChanged()
{
    applyHandleVisibility();
}

void ModMenuPanel::setSkinMode(int skin, juce::Colour unitColour)
{
    bgColour = colorTheme->entry(56, skin);
    handle.handleBgColor = bgColour;
    handle.repaint();
    slotLabel.getProperties().set("bgcolor", bgColour.toString());
    slotLabel.setColour(juce::Label::backgroundColourId, bgColour);
    slotLabel.setColour(juce::Label::textColourId, unitColour);
    modeButton.setSkinMode(skin);
    modeButton.setBaseColor(unitAndSlot.first, unitColour);
    powerButton.setColour(juce::TextButton::buttonOnColourId, bgColour);
    powerButton.setColour(juce::TextButton::buttonColourId, bgColour);
    powerButton.setColour(juce::TextButton::textColourOffId, unitColour.darker(1.5f));
    powerButton.setColour(juce::TextButton::textColourOnId, unitColour.brighter(0.2f));
    handle.handleBgColor = unitColour;
    handle.repaint();
}

void ModMenuPanel::setBaseColor(juce::Colour colour)
{
    modeButton.setBaseColor(unitAndSlot.first, colour);
    const auto off = colorTheme->entry(56, 0);
    powerButton.setColour(juce::TextButton::buttonOnColourId, off);
    powerButton.setColour(juce::TextButton::buttonColourId, off);
    powerButton.setColour(juce::TextButton::textColourOffId, colour.darker(1.5f));
    powerButton.setColour(juce::TextButton::textColourOnId, colour.brighter(0.2f));
    slotLabel.setColour(juce::Label::textColourId, colour);
    handle.handleBgColor = colour;
    handle.repaint();
}

void ModMenuPanel::setDdIdHead(juce::String head)
{
    handle.ddId = head + handle.ddId;
}

double ModMenuPanel::getCurOnOffAndModeState(std::pair<bool, int>& state) const
{
    return owner.getCurOnOffAndModeState(state);
}

void ModMenuPanel::resized()
{
    const int m = juce::jlimit(1, 12, (int) (0.18 * getWidth()));
    const int W = std::max(0, getWidth() - 2);
    const int L = std::min(W, juce::jlimit(1, 14, (int) (0.135 * W)));
    const int x0 = L + 1, R = W - L, top = m, H = std::max(0, getHeight() - 2 * m);
    const int A = std::min(H, (int) (0.6 * R)), B = std::min(A, H - A);
    const int Q = std::min(R, (int) (0.35 * R));
    slotLabel.setBounds(x0, top, Q, A);
    const int D = (int) (0.1 * (R - Q));
    powerButton.setBounds(x0 + Q + D, top, std::max(0, R - Q - 2 * D), A);
    handle.setBounds(x0, top + H - B, R, B);
    const int E = (int) (0.15 * (H - A - B));
    modeButton.setBounds(x0, top + A + E, R, std::max(0, H - A - B - 2 * E));
}

FloatUnitPanel::FloatUnitPanel(LfoData& data, std::pair<int, int> unitAndSlot)
    : unit(unitAndSlot.first), slot(unitAndSlot.second), header(*this, unitAndSlot), lfoPanel(*this, unitAndSlot, data)
{
    bgColour = colorTheme->entry(56, 0);
    addAndMakeVisible(header);
    addAndMakeVisible(lfoPanel);
}

void FloatUnitPanel::setAttachment(juce::ValueTree slotTree, juce::String prefix)
{
    header.setAttachment(slotTree, prefix);
    lfoPanel.setAttachment(slotTree, prefix);
    header.setDdIdHead(prefix.substring(2, 5));
}

void FloatUnitPanel::setSkinMode(int skin, juce::Colour unitColour)
{
    bgColour = colorTheme->entry(56, skin);
    lfoPanel.setSkinMode(skin);
    header.setSkinMode(skin, unitColour);
}

void FloatUnitPanel::setBaseColor(juce::Colour colour)
{
    header.setBaseColor(colour);
    lfoPanel.setBaseColor(colour);
}

double FloatUnitPanel::getCurOnOffAndModeState(std::pair<bool, int>& state) const
{
    const double v = header.getModeButtonValue();
    state.first = header.isPowerOn();
    state.second = std::isfinite(v) ? juce::jlimit(0, 2, (int) v) : 0;
    return v;
}

std::pair<bool, int> FloatUnitPanel::getCurOnOffAndModeState() const
{
    std::pair<bool, int> state;
    getCurOnOffAndModeState(state);
    return state;
}

void FloatUnitPanel::modeButtonClicked()
{
    lfoPanel.setVisible(true);
    lfoPanel.modeButtonClicked();
}

void FloatUnitPanel::powerButtonClicked()
{
    lfoPanel.powerButtonClicked();
}

void FloatUnitPanel::setModPolAndIndctSrcValue(juce::Value polarity, juce::Value hoveredSource)
{
    lfoPanel.setModPolAndIndctSrcValue(polarity, hoveredSource);
}

void FloatUnitPanel::resized()
{
    const int W = std::max(0, getWidth() - 2), H = std::max(0, getHeight() - 2);
    const int e = std::min(W, (int) (0.113 * W));
    const int c = (int) (0.02 * H);
    header.setBounds(2, 1 + c, std::max(0, e - 2), std::max(0, H - 2 * c));
    const int g = std::min(juce::jlimit(1, 8, c), W - e);
    lfoPanel.setBounds(1 + e + g, 1, W - e - g, H);
}
