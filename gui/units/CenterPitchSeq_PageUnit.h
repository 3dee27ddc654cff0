// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterPitchSeq_StepLed.h"
#include "CenterPitchSeq_StepUnit.h"
#include "ZuGuiBase.h"

#include "ZuData.h"

#include <array>

class ZuMirabox_CenterPitchSeqPanel;

// One page of a pitch sequencer unit: sixteen step columns under the
// running-step light row. Page 0 shows steps 1 to 16, page 1 steps 17 to 32.
// The unit panel owns both pages and drives them.
//
// Message thread only.
class CenterPitchSeq_PageUnit : public ZuGuiBase
{
public:
    static constexpr int numStepsPerPage = 16;

    CenterPitchSeq_PageUnit(ZuMirabox_CenterPitchSeqPanel& panel, int unitIndex, MirabelGlobalData& globalData);
    ~CenterPitchSeq_PageUnit() override;

    void setAttachment(juce::ValueTree unitTree, juce::String prefix, int page);
    void setPageIndex(int page);
    // Marks the steps (start + i) mod 32, i = 0 .. size - 1, as in range.
    void setStepRange(int start, int size);
    void setVgpMode(bool on);
    void setRelMode(bool relative);
    void setDispNoteList(CenterPitchSeq_StepUnit::NoteNames& names);
    void panelExtendChanged();

    void colorMapping() override;
    void parentHierarchyChanged() override;
    void resized() override;

    int getPageIndex() const noexcept { return pageIndex; }
    CenterPitchSeq_StepUnit& getStep(int k) { return steps[(size_t) juce::jlimit(0, numStepsPerPage - 1, k)]; }

private:
    int pageIndex = 0;
    std::array<CenterPitchSeq_StepUnit, numStepsPerPage> steps;

public:
    CenterPitchSeq_StepLed lightRow;

private:
    ZuMirabox_CenterPitchSeqPanel& owner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPitchSeq_PageUnit)
};
