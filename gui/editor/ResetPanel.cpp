// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResetPanel.h"

#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"

ResetTargetPanel::ResetTargetPanel(juce::AudioProcessorValueTreeState& state)
    : ZuUnitTargetPanel(state, "p0_rebtntar", 13, 0.95f, "Medium", true)
{
}

namespace
{
// The 8 x 2 grid of a target panel of w x h: column width, row height and
// the tops of the two rows.
struct TargetGrid
{
    int cw, rh, row1, row2;
};
TargetGrid targetGrid(int w, int h)
{
    const int cw = (int) ((float) (w - 2) * 0.125f);
    const int t = juce::jlimit(2, 12, (int) ((float) (h - 2) * 0.03f));
    const int rh = (h - 2 - t) / 2;
    return {cw, rh, t + 2, t + 2 + rh};
}
} // namespace

juce::Rectangle<int> ResetTargetPanel::spareCells(int w, int h)
{
    const auto g = targetGrid(w, h);
    return {2 + 5 * g.cw, g.row2, juce::jmax(3 * g.cw - 2, 0), juce::jmax(g.rh - 2, 0)};
}

void ResetTargetPanel::resized()
{
    const auto [cw, rh, row1, row2] = targetGrid(getWidth(), getHeight());
    const auto place = [&](int n, int column, int y)
    { getButton(n).setBounds(2 + column * cw, y, juce::jmax(cw - 2, 0), juce::jmax(rh - 2, 0)); };
    for (int i = 0; i < 4; ++i)
    {
        place(1 + i, i, row1);
        place(5 + i, 4 + i, row1);
        place(9 + i, i, row2);
    }
    place(13, 4, row2);
}

ResetPanel::ResetPanel(juce::AudioProcessorValueTreeState& state, MirabelGlobalData& global)
    : targetPanel(state), globalData(global)
{
    baseColor = colorTheme->entry(1, 0);
    addAndMakeVisible(targetPanel);

    setUpButton(restartButton, "ReStart", "Forces to restart the target sequencer units");
    setUpButton(resyncButton, "ReSync", "Forces to resync the target sequencer units to the host song position");
    if (state.getParameter("p0_clk_reset") != nullptr)
        restartAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
            state, "p0_clk_reset", restartButton);
    if (state.getParameter("p0_clk_resync") != nullptr)
        resyncAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
            state, "p0_clk_resync", resyncButton);

    zu::global::addCaption(*this, targetsLabel, labelLook.get(), baseColor, "Targets", 1.05f);
    zu::global::addCaption(*this, titleLabel, labelLook.get(), baseColor, "SEQ ReStart/ReSync", 1.1f);
}

ResetPanel::~ResetPanel()
{
    restartAttachment.reset();
    resyncAttachment.reset();
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&restartButton, &resyncButton, &titleLabel, &targetsLabel})
        c->setLookAndFeel(nullptr);
}

void ResetPanel::setUpButton(MomentaryButton& button, const juce::String& text, const juce::String& tooltip)
{
    addAndMakeVisible(button);
    zu::global::keepFocusAway(button);
    button.setButtonText(text);
    button.setTooltip(tooltip);
    button.setLookAndFeel(&buttonLook.get());
    ZuStyle::setReal(button, ZuStyle::fontsize, 0.99f);
    ZuStyle::setReal(button, ZuStyle::corner, 1.5f);
    button.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
    button.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff505050));
    button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffb0b0b0));
    button.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    ZuStyle::setColour(button, ZuStyle::bgcolor, baseColor);
    // On while held: the parameter is 1 from the press to the release.
    button.momentary = true;
}

void ResetPanel::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = colorTheme->entry(1, skinMode);
    targetPanel.setSkinMode(skinMode);
    for (auto* label : {&titleLabel, &targetsLabel})
        zu::global::recolourCaption(*label, baseColor, juce::Colour(0xffb0b0b0));
    for (auto* button : {&restartButton, &resyncButton})
    {
        ZuStyle::setColour(*button, ZuStyle::bgcolor, baseColor);
        button->setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
        button->setColour(juce::TextButton::buttonColourId, juce::Colour(0xff808080));
        button->setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa5a5a5));
        button->setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    }
    repaint();
}

void ResetPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int m = juce::jlimit(2, 12, (int) ((float) w * 0.02f));
    const int W = w - 2 * m;
    const int title = (int) ((float) h * 0.17f);
    titleLabel.setBounds(m, 0, juce::jmax(W, 0), title);

    const int row = (int) ((float) (h - title) * 0.41f);
    const int g = juce::jmin(2, row);
    const int v = juce::jlimit(1, 12, (int) ((float) (row - g) * 0.15f));
    const int bh = juce::jmax((row - g) - 2 * v, 0);
    const int bw = juce::jmax((int) ((float) W * 0.46f) - 2, 0);
    const int by = title + g + v;
    restartButton.setBounds(m + 1, by, bw, bh);
    resyncButton.setBounds(m + W - 1 - bw, by, bw, bh);

    const int top = juce::jmin(title + row + 1, h);
    targetPanel.setBounds(m, top, juce::jmax(W, 0), h - top);
    // The caption of the grid sits in the grid's free cells, after the
    // octave-transpose unit.
    targetsLabel.setBounds(ResetTargetPanel::spareCells(targetPanel.getWidth(), targetPanel.getHeight())
                               .translated(targetPanel.getX(), targetPanel.getY()));
}
