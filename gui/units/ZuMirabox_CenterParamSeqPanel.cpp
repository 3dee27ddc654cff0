// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterParamSeqPanel.h"

#include "ZuUnits.h"

ZuMirabox_CenterParamSeqPanel::ZuMirabox_CenterParamSeqPanel(int index, juce::ValueTree gui, juce::ValueTree modTree,
                                                             juce::Colour colour, MirabelGlobalData& globalData,
                                                             LfoData& lfoData)
    : ZuMirabox_CenterSeqPanelBase({zu::units::param, numberedName("Prm-SEQ ", zu::units::param, index),
                                    numberedName("Param Sequencer ", zu::units::param, index), 48, 1, true, true, true,
                                    2},
                                   index, gui, modTree, colour, globalData, lfoData),
      ctrlPanel1(unitIndex, *this)
{
    finishConstruction(ctrlPanel1, pointersTo(steps));
}

ZuMirabox_CenterParamSeqPanel::~ZuMirabox_CenterParamSeqPanel()
{
    ctrlTabs.clearTabs();
}

void ZuMirabox_CenterParamSeqPanel::ctrlPageButtonClicked()
{
    applyCtrlPage();
    if (ctrlPageButton.getToggleState())
        ctrlPanel2.setAllPanel.tarMenuChanged();
}

void ZuMirabox_CenterParamSeqPanel::afterHostBinding()
{
    ctrlPageButtonClicked();
    refreshStepTexts();
}
