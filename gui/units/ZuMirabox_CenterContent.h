// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCenterUnitPanelBase.h"
#include "ZuGuiBase.h"

#include "ZuData.h"

#include <memory>
#include <vector>

// The unit column inside the center container: it owns the unit panels in
// display order and keeps their list and header states in the GUI tree's
// "ctstate" ("CT:" then id x 100 + (minimised + 2 x expanded) x 10 + mod and a
// blank per unit), which it also hands to the global data so that the engine
// knows which units exist. Message thread only.
//
// For now it holds what the unit frames ask of it: the state-change and
// delete callbacks and the renaming of a unit.
class ZuMirabox_CenterContent : public ZuGuiBase
{
public:
    ZuMirabox_CenterContent(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree,
                            juce::ValueTree paramTree, MirabelGlobalData& globalData, ScaleData& scaleData,
                            ChordData& chordData, CtrPtchSqData& pitchData, LfoData& lfoData);
    ~ZuMirabox_CenterContent() override;

    // Takes a built unit panel (its id set) at index of the display order
    // (the end for an index outside it) and shows it.
    void adoptUnitPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index);
    // After a unit's minimise, expand or mod-panel button changed: lays the
    // container out again and stores the list. Outside a container: nothing.
    void seqUnitPanelStateChanged();
    // Removes and deletes the unit panel with that id (nothing when there is
    // none), then lays out and stores the list.
    void deleteItem(int unitId);
    // Applies the quick bar's order string ("TB:" then unit ids separated by
    // blanks) to the panels and stores the list.
    void unitOrderChanged(juce::String order);
    // The unit ids of the panels in display order.
    void getUnitOrderList(std::vector<int>& out) const;
    // Sets the header name of the unit with that id; no such unit: nothing.
    void unitNameChanged(int unitId, juce::String name);
    // Writes "ctstate" and hands it to the global data.
    void updateVtState();

    int getNumUnitPanels() const noexcept { return (int) unitPanels.size(); }
    ZuCenterUnitPanelBase* getUnitPanel(int index) const;

private:
    std::vector<std::unique_ptr<ZuCenterUnitPanelBase>> unitPanels;
    juce::ValueTree guiTree;
    MirabelGlobalData& globalData;
};
