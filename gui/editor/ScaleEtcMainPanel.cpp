// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleEtcMainPanel.h"

ScaleEtcMainPanel::ScaleEtcMainPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree,
                                     juce::ValueTree paramTree, MirabelGlobalData& globalData, ScaleData& scaleData)
    : swingPanel(state), octTpPanel(state, globalData), scalePanel(state, tree, paramTree, globalData, scaleData),
      chordPanel(state, tree, paramTree), resetPanel(state, globalData), recPanel(state, paramTree, globalData),
      guiTree(tree)
{
    panelColor = colorTheme->entry(1, skinMode);
    separators.setFill(panelColor.brighter(0.4f));
    for (juce::Component* c : std::initializer_list<juce::Component*>{&separators, &swingPanel, &octTpPanel,
                                                                      &scalePanel, &chordPanel, &resetPanel, &recPanel})
        addAndMakeVisible(c);
}

ScaleEtcMainPanel::~ScaleEtcMainPanel() = default;

void ScaleEtcMainPanel::presetIsChanged()
{
    scalePanel.presetIsChanged();
}

void ScaleEtcMainPanel::initAllTriggered()
{
    scalePanel.initAllTriggered();
}

void ScaleEtcMainPanel::scaleParamChanged()
{
    scalePanel.scaleParamChanged();
}

void ScaleEtcMainPanel::checkChordEditWndw()
{
    chordPanel.checkChordEditWndw();
}

void ScaleEtcMainPanel::closeChordFloatWndw()
{
    chordPanel.closeChordFloatWndw();
}

void ScaleEtcMainPanel::colorMapping()
{
    panelColor = colorTheme->entry(1, skinMode);
    separators.setFill(panelColor.brighter(0.4f));
    swingPanel.setSkinMode(skinMode);
    octTpPanel.setSkinMode(skinMode);
    scalePanel.setSkinMode(skinMode);
    chordPanel.setSkinMode(skinMode);
    resetPanel.setSkinMode(skinMode);
    recPanel.setSkinMode(skinMode);
    repaint();
}

void ScaleEtcMainPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ScaleEtcMainPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int vm = juce::jlimit(1, 8, (int) ((float) h * 0.03f));
    const int W = juce::jmax(w - 2, 0);
    const int H1 = juce::jmax(h - 2 * vm, 0);
    const int hm = juce::jmin(juce::jlimit(2, 8, (int) ((float) W * 0.004f)), W);

    int R = W - hm;
    int x = hm + 1;
    const int Y = vm + juce::jmin(1, H1);
    const int H2 = H1 - juce::jmin(1, H1);
    const int y = Y + 1, ph = juce::jmax(H2 - 2, 0);

    // Each box takes its share of what the boxes before it left; the boxes
    // after the swing box start with a line, a quarter pixel (the last two a
    // pixel and a quarter) into their share.
    juce::Path lines;
    const auto separatorAt = [&](float offset) { lines.addRectangle((float) x + offset, (float) Y, 0.5f, (float) H2); };
    const auto place = [&](juce::Component& box, int share, int inset, int width)
    {
        box.setBounds(x + inset, y, juce::jmax(width, 0), ph);
        x += share;
        R -= share;
    };
    const auto take = [&](float factor) { return juce::jmin((int) ((float) R * factor), R); };
    const auto placeInset2 = [&](juce::Component& box, float factor)
    {
        separatorAt(0.25f);
        const int share = take(factor);
        place(box, share, 2, share - 4);
    };
    const auto placeInsetByShare = [&](juce::Component& box, int share)
    {
        separatorAt(1.25f);
        const int m = juce::jlimit(1, 8, (int) ((float) share * 0.07f));
        place(box, share, m, share - 2 * m);
    };

    const int s = take(0.13f);
    place(swingPanel, s, 1, s - juce::jmin(1, s) - 2);
    placeInset2(octTpPanel, 0.21f);
    placeInset2(chordPanel, 0.18f);
    placeInset2(scalePanel, 0.55f);
    placeInsetByShare(resetPanel, take(0.5f));
    placeInsetByShare(recPanel, R);

    separators.setPath(lines);
}
