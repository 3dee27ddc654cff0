// SPDX-License-Identifier: GPL-3.0-or-later
#include "SwingPanel.h"

#include "OctTpPanel.h"
#include "ZuGlobalPanelParts.h"

SwingTargetPanel::SwingTargetPanel(juce::AudioProcessorValueTreeState& state)
    : ZuUnitTargetPanel(state, "p0_swgtar", 13, 1.5f, "SemiBold", false)
{
}

void SwingTargetPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int cw = (int) ((float) (w - 6) * 0.25f);
    const int t = juce::jmin(2, h);
    const int rh = (int) ((float) (h - t) * 0.25f);
    const int bw = juce::jmax(cw - 2, 0), bh = juce::jmax(h - t - 3 * rh - 3, 0);
    for (int n = 1; n <= getNumButtons(); ++n)
    {
        const int row = (n - 1) / 4, column = (n - 1) % 4;
        getButton(n).setBounds(4 + column * cw, t + 2 + row * rh, bw, bh);
    }
}

SwingPanel::SwingPanel(juce::AudioProcessorValueTreeState& state) : targetPanel(state)
{
    baseColor = colorTheme->entry(1, 0);
    addAndMakeVisible(targetPanel);
    OctTpPanel::shapeGlobalKnob(*this, swingKnob, knobLook.get(), "Swing", "Controls the swing depth +/-100%",
                                baseColor, colorTheme->entry(48, skinMode).brighter(0.5f), colorTheme->dragValue(0));
    if (state.getParameter("p0_swing") != nullptr)
        swingAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, "p0_swing", swingKnob);

    zu::global::addCaption(*this, targetsLabel, labelLook.get(), baseColor, "Targets", 1.0f);
    targetsLabel.setColour(juce::Label::textColourId, colorTheme->entry(49, 0));
}

SwingPanel::~SwingPanel()
{
    swingAttachment.reset();
    swingKnob.setLookAndFeel(nullptr);
    targetsLabel.setLookAndFeel(nullptr);
}

void SwingPanel::colorMapping()
{
    baseColor = colorTheme->entry(1, skinMode);
    targetPanel.setSkinMode(skinMode);
    swingKnob.setColour(juce::Slider::backgroundColourId, baseColor);
    swingKnob.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffcccccc));
    swingKnob.setColour(juce::Slider::thumbColourId, colorTheme->entry(48, skinMode).brighter(0.5f));
    zu::global::recolourCaption(targetsLabel, baseColor, juce::Colour(0xffb0b0b0));
    repaint();
}

void SwingPanel::parentHierarchyChanged()
{
    colorMapping();
}

void SwingPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int H = h - 2;
    const int kw = juce::jmin((int) ((float) H * 0.92f), w - 2);
    const int j = juce::jlimit(2, 14, (int) ((float) H * 0.03f));
    swingKnob.setBounds(1, 1 + j, juce::jmax(kw, 0), juce::jmax(H - 2 * j, 0));

    int left = juce::jmax(w - 2 - kw, 0);
    const int g = juce::jmin(juce::jlimit(1, 8, (int) ((float) H * 0.06f)), left);
    left -= g;
    const int s = juce::jmin(juce::jlimit(2, 12, (int) ((float) left * 0.05f)), left / 2);
    const int vm = juce::jlimit(1, 10, (int) ((float) H * 0.01f));
    const juce::Rectangle<int> column(1 + kw + g + s, 1 + vm, juce::jmax(left - 2 * s, 0), juce::jmax(H - 2 * vm, 0));

    const int lh = (int) ((float) column.getHeight() * 0.2f);
    targetsLabel.setBounds(column.withHeight(juce::jmax(lh - 1, 0)));
    const int inset = juce::jlimit(1, 8, (int) ((float) column.getWidth() * 0.03f));
    targetPanel.setBounds(column.getX() + inset, column.getY() + lh + 1, juce::jmax(column.getWidth() - 2 * inset, 0),
                          juce::jmax(column.getHeight() - lh - 2, 0));
}
