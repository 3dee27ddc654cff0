// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterOctTpSeq_CtrlPanel1.h"

#include "ZuUnitLayout.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

CenterOctTpSeq_CtrlPanel1::CenterOctTpSeq_CtrlPanel1(int index) : CenterSeq_CtrlPanel1Base(index, 1.4f) {}

void CenterOctTpSeq_CtrlPanel1::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    dirButton.setAttachment(unitTree, prefix);
    resetPanel.setAttachment(unitTree, prefix);
    clockPanel.setAttachment(unitTree, prefix);
    bindStartAndSize(unitTree, prefix, 0.7);
}

void CenterOctTpSeq_CtrlPanel1::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    recolourCommonWidgets();
    repaint();
}

void CenterOctTpSeq_CtrlPanel1::paint(juce::Graphics& g)
{
    g.fillAll(baseColor);
}

void CenterOctTpSeq_CtrlPanel1::resized()
{
    const int w = getWidth(), h = getHeight();
    const int dx = juce::jmax(2, T((float) w * 0.03f)), dy = juce::jmax(2, T((float) h * 0.09f));
    const int x = dx, W = juce::jmax(0, w - 2 * dx), H = juce::jmax(0, h - 2 * dy);
    int y = dy;
    const int bottom = dy + H;
    const int gap = juce::jmax(2, T((float) H * 0.0999f));

    const int r1 = T((float) H * 0.205f);
    dirButton.setBounds(box(x + 1, y, W - 2, juce::jmin(r1, bottom - y)));
    y = juce::jmin(bottom, y + r1 + gap);

    const int r2 = juce::jmin(T((float) r1 * 1.9f), bottom - y);
    const int rw = T((float) W * 0.43f);
    resetPanel.setBounds(box(x + W - rw, y, rw - T((float) rw * 0.1f), r2));
    clockPanel.setBounds(box(x, y, W - rw - 2, r2));
    y = juce::jmin(bottom, y + r2 + gap);

    const int r3 = juce::jmax(0, bottom - 2 - y);
    const int half = T((float) W * 0.498f);
    startBox.setBounds(box(x, y, half - 1, r3));
    const int sizeW = juce::jmin(half, W - half);
    sizeBox.setBounds(box(x + W - sizeW + 1, y, sizeW - 1, r3));
}
