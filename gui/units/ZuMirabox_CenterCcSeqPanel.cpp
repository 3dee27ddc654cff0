// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterCcSeqPanel.h"

#include "ZuUnits.h"

ZuMirabox_CenterCcSeqPanel::ZuMirabox_CenterCcSeqPanel(int index, juce::ValueTree gui, juce::ValueTree modTree,
                                                       juce::Colour colour, MirabelGlobalData& globalData,
                                                       LfoData& lfoData)
    : ZuMirabox_CenterSeqPanelBase({zu::units::cc, numberedName("CC-SEQ ", zu::units::cc, index),
                                    numberedName("CC Sequencer ", zu::units::cc, index), 49, 2, true, false, false, 31},
                                   index, gui, modTree, colour, globalData, lfoData),
      ctrlPanel1(unitIndex, *this)
{
    finishConstruction(ctrlPanel1, pointersTo(steps));
}

ZuMirabox_CenterCcSeqPanel::~ZuMirabox_CenterCcSeqPanel()
{
    ctrlTabs.clearTabs();
}

void ZuMirabox_CenterCcSeqPanel::minmaxValueChanged()
{
    std::pair<double, double> range;
    ctrlPanel1.getOutMinMax(range);
    for (auto& step : steps)
        step.setOutMinMax(range);
}

void ZuMirabox_CenterCcSeqPanel::bindPageHostControls(juce::AudioProcessorValueTreeState& state)
{
    ctrlPanel1.setAttachment(state);
}

void ZuMirabox_CenterCcSeqPanel::afterHostBinding()
{
    refreshStepTexts();
}

void ZuMirabox_CenterCcSeqPanel::afterTreeBinding()
{
    refreshStepTexts();
    snapshotChanged();
}
