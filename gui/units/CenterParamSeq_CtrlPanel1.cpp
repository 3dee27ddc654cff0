// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterParamSeq_CtrlPanel1.h"

#include "ZuUnitLayout.h"
#include "ZuMirabox_CenterParamSeqPanel.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

CenterParamSeq_CtrlPanel1::CenterParamSeq_CtrlPanel1(int index, ZuMirabox_CenterParamSeqPanel& owner)
    : CenterSeq_CtrlPanel1Base(index, 1.45f), ownerPanel(owner)
{
    addAndMakeVisible(targetPanel);
    targetPanel.colourSource = &owner;
    setUpCaption(targetLabel, "Target Unit", 0.72);
}

CenterParamSeq_CtrlPanel1::~CenterParamSeq_CtrlPanel1()
{
    targetLabel.setLookAndFeel(nullptr);
}

void CenterParamSeq_CtrlPanel1::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    targetPanel.setAttachment(unitTree, prefix);
    dirButton.setAttachment(unitTree, prefix);
    resetPanel.setAttachment(unitTree, prefix);
    clockPanel.setAttachment(unitTree, prefix);
    bindStartAndSize(unitTree, prefix, 0.75);
}

void CenterParamSeq_CtrlPanel1::setAttachment(juce::AudioProcessorValueTreeState& state)
{
    const auto stem = "p2_prmsq" + juce::String(unitIndex + 1);
    targetPanel.setAttachment(state, stem + "_tar");
    using Attachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    if (state.getParameter(stem + "_strt") != nullptr)
        startHostAttachment = std::make_unique<Attachment>(state, stem + "_strt", startBox.valueBox);
    if (state.getParameter(stem + "_size") != nullptr)
        sizeHostAttachment = std::make_unique<Attachment>(state, stem + "_size", sizeBox.valueBox);
    for (auto* box : {&startBox, &sizeBox})
        box->valueBox.getProperties().set("fontsize", 0.86);
}

void CenterParamSeq_CtrlPanel1::colorMapping()
{
    baseColor = entry(31);
    targetLabel.getProperties().set("bgcolor", baseColor.toString());
    targetPanel.setSkinMode(skinMode);
    recolourCommonWidgets();
    repaint();
}

void CenterParamSeq_CtrlPanel1::resized()
{
    const int w = getWidth(), h = getHeight();
    const int dx = juce::jmax(2, T((float) w * 0.03f)), dy = juce::jmax(2, T((float) h * 0.04f));
    const int x = dx, W = juce::jmax(0, w - 2 * dx), H = juce::jmax(0, h - 2 * dy);
    const int bottom = dy + H;
    int y = dy;
    const int r1 = T((float) H * 0.17f);

    const int lw = T((float) W * 0.415f);
    targetLabel.setBounds(box(x, y, lw, r1));
    targetPanel.setBounds(box(x + lw + 1, y, W - lw - 2, r1));
    y = juce::jmin(bottom, y + r1 + 4);

    const int r2 = juce::jmin(T((float) r1 * 0.96f), bottom - y);
    dirButton.setBounds(box(x + 1, y, W - 2, r2));
    y = juce::jmin(bottom, y + r2 + 5);

    const int r3 = juce::jmin(T((float) r1 * 1.88f), bottom - y);
    const int q = T((float) W * 0.43f);
    resetPanel.setBounds(box(x + W - q + 2, y, q - 4, r3));
    clockPanel.setBounds(box(x, y, W - q - 4, r3));
    y = juce::jmin(bottom, y + r3 + 4);

    const int r4 = juce::jmax(0, bottom - 1 - y);
    const int half = T((float) W * 0.498f);
    startBox.setBounds(box(x, y, half - 1, r4));
    const int sizeW = juce::jmin(half, W - half);
    sizeBox.setBounds(box(x + W - sizeW + 1, y, sizeW - 1, r4));
}
