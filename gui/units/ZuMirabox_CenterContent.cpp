// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterContent.h"

#include "ZuMirabox_CenterPanelMain.h"
#include "ZuUnits.h"

ZuMirabox_CenterContent::ZuMirabox_CenterContent(juce::AudioProcessorValueTreeState&, juce::ValueTree gui,
                                                 juce::ValueTree paramTree, MirabelGlobalData& global, ScaleData&,
                                                 ChordData&, CtrPtchSqData&, LfoData&)
    : guiTree(gui), globalData(global)
{
    auto modMain = paramTree.getChildWithName("modmain");
    if (!modMain.isValid() && paramTree.isValid())
    {
        modMain = juce::ValueTree("modmain");
        paramTree.appendChild(modMain, nullptr);
    }
    if (!modMain.isValid())
        return;
    for (int index = 0; index < zu::units::unitsOfKind[zu::units::pitch]; ++index)
    {
        juce::Identifier name(zu::units::modNodeName(zu::units::pitch, index));
        checkModUnitParamTree(modMain, name, 0, index);
    }
}

ZuMirabox_CenterContent::~ZuMirabox_CenterContent()
{
    while (!unitPanels.empty())
        unitPanels.pop_back();
}

void ZuMirabox_CenterContent::adoptUnitPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index)
{
    if (panel == nullptr)
        return;
    addAndMakeVisible(*panel);
    const auto at = (index < 0 || index >= (int) unitPanels.size()) ? unitPanels.end() : unitPanels.begin() + index;
    unitPanels.insert(at, std::move(panel));
}

ZuCenterUnitPanelBase* ZuMirabox_CenterContent::getUnitPanel(int index) const
{
    return index >= 0 && index < (int) unitPanels.size() ? unitPanels[(size_t) index].get() : nullptr;
}

void ZuMirabox_CenterContent::seqUnitPanelStateChanged()
{
    auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>();
    if (container == nullptr)
        return;
    container->resized();
    updateVtState();
}

void ZuMirabox_CenterContent::deleteItem(int unitId)
{
    for (auto it = unitPanels.begin(); it != unitPanels.end(); ++it)
        if ((*it)->unitId == unitId)
        {
            removeChildComponent(it->get());
            unitPanels.erase(it);
            break;
        }
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
        container->resized();
    updateVtState();
}

void ZuMirabox_CenterContent::unitOrderChanged(juce::String order)
{
    std::vector<std::unique_ptr<ZuCenterUnitPanelBase>> reordered;
    for (auto& token : juce::StringArray::fromTokens(order.fromFirstOccurrenceOf("TB:", false, false), " ", ""))
        for (auto& panel : unitPanels)
            if (panel != nullptr && panel->unitId == token.getIntValue())
                reordered.push_back(std::move(panel));
    for (auto& panel : unitPanels)
        if (panel != nullptr)
            reordered.push_back(std::move(panel));
    unitPanels = std::move(reordered);
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
        container->resized();
    updateVtState();
}

void ZuMirabox_CenterContent::getUnitOrderList(std::vector<int>& out) const
{
    out.clear();
    for (auto& panel : unitPanels)
        out.push_back(panel->unitId);
}

void ZuMirabox_CenterContent::unitNameChanged(int unitId, juce::String name)
{
    for (auto& panel : unitPanels)
        if (panel->unitId == unitId)
            panel->nameLabel.setText(name, juce::sendNotification);
}

void ZuMirabox_CenterContent::updateVtState()
{
    juce::String state("CT:");
    for (auto& panel : unitPanels)
    {
        const int minimised = panel->minimizeButton.getToggleState() ? 1 : 0;
        const int expanded = panel->expandButton.getToggleState() ? 1 : 0;
        const int mod = panel->modButton.getToggleState() ? 1 : 0;
        state << juce::String(panel->unitId * 100 + (minimised + 2 * expanded) * 10 + mod) << " ";
    }
    guiTree.setProperty("ctstate", state, nullptr);
    globalData.loadCenterUnitStateFromString(state);
}
