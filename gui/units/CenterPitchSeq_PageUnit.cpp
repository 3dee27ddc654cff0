// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_PageUnit.h"

#include "ZuCenterUnitPanelBase.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"
#include "ZuUnits.h"

CenterPitchSeq_PageUnit::CenterPitchSeq_PageUnit(ZuMirabox_CenterPitchSeqPanel& panel, int unitIndex,
                                                 MirabelGlobalData& globalData)
    : lightRow(zu::units::pitch, unitIndex, globalData), owner(panel)
{
    addAndMakeVisible(lightRow);
    for (auto& step : steps)
    {
        step.setOwnerPanel(&owner);
        addAndMakeVisible(step);
    }
}

CenterPitchSeq_PageUnit::~CenterPitchSeq_PageUnit() = default;

void CenterPitchSeq_PageUnit::setAttachment(juce::ValueTree unitTree, juce::String prefix, int page)
{
    for (int k = 0; k < numStepsPerPage; ++k)
    {
        const int index = page * numStepsPerPage + k;
        steps[(size_t) k].setAttachment(unitTree, prefix, index);
        steps[(size_t) k].setStepIndex(index);
    }
}

void CenterPitchSeq_PageUnit::setPageIndex(int page)
{
    pageIndex = page;
    lightRow.setCurPageIndex(pageIndex);
    for (int k = 0; k < numStepsPerPage; ++k)
        steps[(size_t) k].setStepIndex(pageIndex * numStepsPerPage + k);
}

void CenterPitchSeq_PageUnit::setStepRange(int start, int size)
{
    std::array<bool, zu::units::numSteps> active{};
    for (int i = 0; i < size && i < zu::units::numSteps; ++i)
        active[(size_t) (((start + i) % zu::units::numSteps + zu::units::numSteps) % zu::units::numSteps)] = true;
    for (int k = 0; k < numStepsPerPage; ++k)
    {
        const int step = pageIndex * numStepsPerPage + k;
        steps[(size_t) k].setStepRngState(step >= 0 && step < zu::units::numSteps && active[(size_t) step]);
    }
}

void CenterPitchSeq_PageUnit::setVgpMode(bool on)
{
    for (auto& step : steps)
        step.vgpButtonClicked(on);
}

void CenterPitchSeq_PageUnit::setRelMode(bool relative)
{
    for (auto& step : steps)
        step.setRelMode(relative);
}

void CenterPitchSeq_PageUnit::setDispNoteList(CenterPitchSeq_StepUnit::NoteNames& names)
{
    for (auto& step : steps)
        step.setDispNoteList(names);
}

void CenterPitchSeq_PageUnit::panelExtendChanged()
{
    if (getWidth() > 0)
        for (auto& step : steps)
            step.resized();
}

void CenterPitchSeq_PageUnit::colorMapping()
{
    panelColor = colorTheme->entry(31, skinMode);
    // The owner, not a search: the page not shown is outside the panel.
    baseColor = static_cast<const ZuCenterUnitPanelBase&>(owner).unitColor;
    for (auto& step : steps)
        step.setSkinMode(skinMode);
    lightRow.setSkinMode(skinMode);
    repaint();
}

void CenterPitchSeq_PageUnit::parentHierarchyChanged()
{
    colorMapping();
}

void CenterPitchSeq_PageUnit::resized()
{
    const int w = getWidth(), h = getHeight();
    const bool expanded = owner.isExpanded();
    const int H = juce::jmax(0, h - 2);
    const int lh = juce::jmin(H, juce::jmax(2, (int) ((float) H * (expanded ? 0.013f : 0.029f))));
    const int W = juce::jmax(0, juce::jmax(0, w - 2) - 2);
    const float f = 0.06252f;
    const int cw = (int) ((float) W * f);
    const int x0 = (int) (((float) W - 16.0f * f * (float) W) * 0.5f) + 4;
    for (int k = 0; k < numStepsPerPage; ++k)
        steps[(size_t) k].setBounds(x0 + k * cw, lh + 2, cw, juce::jmax(0, H - lh - 2));
    lightRow.setBounds(x0, 1, numStepsPerPage * cw, lh);
}
