// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterOctTpSeqPanel.h"

#include "ZuUnits.h"

ZuMirabox_CenterOctTpSeqPanel::ZuMirabox_CenterOctTpSeqPanel(int index, juce::ValueTree gui, juce::ValueTree modTree,
                                                             juce::Colour colour, MirabelGlobalData& globalData,
                                                             LfoData& lfoData)
    : ZuMirabox_CenterSeqPanelBase(
          {zu::units::octTp, "Oct/TP-SEQ", "Global Oct/TP Sequencer", 51, 4, false, false, true, 31}, index, gui,
          modTree, colour, globalData, lfoData),
      ctrlPanel1(unitIndex)
{
    finishConstruction(ctrlPanel1, pointersTo(steps));
}

ZuMirabox_CenterOctTpSeqPanel::~ZuMirabox_CenterOctTpSeqPanel()
{
    ctrlTabs.clearTabs();
}

void ZuMirabox_CenterOctTpSeqPanel::afterHostBinding()
{
    applyCtrlPage();
}

void ZuMirabox_CenterOctTpSeqPanel::afterTreeBinding()
{
    snapshotChanged();
}
