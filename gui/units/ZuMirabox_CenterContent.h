// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddComp.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuGuiBase.h"

#include "ZuData.h"

#include <array>
#include <memory>
#include <vector>

// The unit column inside the center container: it owns the unit panels in
// display order (at most one per unit id 1..15) and the add slots between
// them, lays them out in one column and keeps their list and header states in
// the GUI tree's "ctstate", which it also hands to the global data so that the
// engine knows which units exist.
//
// "ctstate" is "CT:" followed, per unit in display order, by the token
// id x 100 + (minimised + 2 x expanded) x 10 + mod and one blank, e.g.
// "CT:121 1510 ". Tokens read back below 100 are skipped, ids above 15 become
// 15, a tens digit above 3 becomes 3, any non-zero last digit means the mod
// panel shows, and a repeated id builds nothing more.
//
// The column builds no panel in its constructor: 300 ms later it builds the
// units of "ctstate". Message thread only.
class ZuMirabox_CenterContent : public ZuGuiBase
{
public:
    ZuMirabox_CenterContent(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree,
                            juce::ValueTree paramTree, MirabelGlobalData& globalData, ScaleData& scaleData,
                            ChordData& chordData, CtrPtchSqData& pitchData, LfoData& lfoData);
    ~ZuMirabox_CenterContent() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void timerCallback(int timerId) override;
    void colorMapping() override;

    // Builds the panel of that unit id (1..15) and inserts it at index of the
    // display order (the end for an index outside it), hidden.
    void addChildUnit(int unitId, int index);
    // The user's add: nothing when the unit is there already; otherwise the
    // new unit opens as the settings for new units say, scrolled into view.
    void addUnit(int unitId, int index);
    // Removes and deletes the unit panel with that id (nothing when there is
    // none), then refreshes the slots, the layout, the quick bar and the list.
    void deleteItem(int unitId);
    // Applies the quick bar's order string ("TB:" then unit ids separated by
    // blanks) to the panels and stores the list.
    void unitOrderChanged(juce::String order);
    // After a unit's minimise, expand or mod-panel button changed: lays the
    // container out again and stores the list. Outside a container: nothing.
    void seqUnitPanelStateChanged();
    // The unit ids of the panels in display order.
    void getUnitOrderList(std::vector<int>& out) const;
    // Writes "ctstate" and hands it to the global data.
    void updateVtState();
    // Rebuilds every panel from "ctstate" (an empty string keeps the panels).
    void loadPanelStateFromVt();
    // One add slot above each unit and one below the last.
    void updateAddComps();
    // Lays every slot out for the width and height of area and returns the
    // column's height.
    int calcChildBounds(juce::Rectangle<int> area);
    // The top of the first panel of that unit; without one -1 while at most
    // four units show, else 0.
    int getForcustYpos(int unitId, int, int, int) const;
    // Sets the header name of the unit with that id; no such unit: nothing.
    void unitNameChanged(int unitId, juce::String name);
    void scaleParamChanged();
    void chordParamChanged();

    // Takes a built unit panel (its id set) at index of the display order
    // (the end for an index outside it) and shows it.
    void adoptUnitPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index);

    bool hasUnit(int unitId) const;
    int getNumUnitPanels() const noexcept { return (int) unitPanels.size(); }
    ZuCenterUnitPanelBase* getUnitPanel(int index) const;
    int getNumAddSlots() const noexcept { return (int) addSlots.size(); }
    AddComp* getAddSlot(int index) const;

    static constexpr int colourTimer = 0;
    static constexpr int colourDelayMs = 100;
    static constexpr int firstBuildDelayMs = 300;

    // The rectangles of the last layout: add slot, unit, add slot, ..., add slot.
    std::vector<juce::Rectangle<int>> slotRects;
    // Height factor of a minimised unit and of a slot without a panel.
    const float minimisedFactor = 0.03f;
    // An add slot's height plus the gaps above and below it.
    int slotPitch = 0;
    // Filled when an add menu opens: flag id - 1 is set for every unit present.
    std::array<bool, 15> presentFlags{};

private:
    std::vector<std::unique_ptr<AddComp>> addSlots;
    std::vector<std::unique_ptr<ZuCenterUnitPanelBase>> unitPanels;
    juce::ValueTree guiTree;
    juce::ValueTree modMain;
    juce::ValueTree seqMain;
    juce::AudioProcessorValueTreeState& parameters;
    MirabelGlobalData& globalData;
    ScaleData& scaleData;
    ChordData& chordData;
    CtrPtchSqData& pitchData;
    LfoData& lfoData;

    // The one place where a unit id becomes its panel class.
    std::unique_ptr<ZuCenterUnitPanelBase> makeUnitPanel(int unitId);
    float heightFactorOf(const ZuCenterUnitPanelBase* panel) const;
    void deleteAllPanels();
    // Adds panel as a child (its visibility as it is) at index of the display
    // order, the end for an index outside it.
    void insertPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index);
    void removeUnitPanelAt(size_t index);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterContent)
};
