// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trees of a new instance and the unit models, without the processor: what
// the unit operations work on. Records every property change of "param" as
// the processor's tree listener would receive it.

#include "ZuUnitOps.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

struct UnitOpsFixture : ::testing::Test, juce::ValueTree::Listener
{
    UnitOpsFixture()
    {
        for (ZuDataModelBase* model :
             std::initializer_list<ZuDataModelBase*>{&pitch, &param, &cc, &octTp, &ccRack, &lfo})
            model->createParamMap();
        zu::unitops::createParamTree(paramTree, snapTree);
        paramTree.addListener(this);
        currentSnapshots.fill(0);
    }
    ~UnitOpsFixture() override { paramTree.removeListener(this); }

    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override
    {
        treeCalls.emplace_back(property.toString(), tree.getProperty(property));
    }

    // What the processor hands the operations; a unit's current snapshot is
    // currentSnapshots[unit id - 1].
    zu::unitops::UnitTarget target()
    {
        return {paramTree,
                snapTree,
                {pitch, param, cc, octTp, ccRack, lfo},
                [this](int kind, int index) { return currentSnapshots[(size_t) zu::units::unitNumberOf(kind, index)]; },
                mainTree};
    }

    juce::ValueTree live(const char* unit) { return paramTree.getChildWithName("seqmain").getChildWithName(unit); }
    juce::ValueTree liveSlot(const char* modNode, int slot)
    {
        return paramTree.getChildWithName("modmain").getChildWithName(modNode).getChild(slot - 1);
    }
    juce::ValueTree stored(const char* unit, int snapshot)
    {
        return snapTree.getChildWithName(unit).getChildWithName(zu::units::snapNodeName(snapshot));
    }
    juce::ValueTree storedSlot(int unitId, int snapshot, int slot)
    {
        return snapTree.getChildWithName("modsnapmain")
            .getChildWithName(zu::units::modSnapNodeName(unitId))
            .getChildWithName(zu::units::snapNodeName(snapshot))
            .getChildWithName(zu::units::storedSlotNodeName(slot - 1));
    }

    CtrPtchSqData pitch;
    CtrPrmSqData param;
    CtrCcSqData cc;
    CtrOctSqData octTp;
    CtrCcRackData ccRack;
    LfoData lfo;
    juce::ValueTree paramTree{"param"};
    juce::ValueTree snapTree;
    // Editor keys: empty, so every key reads as its fallback unless a test sets it.
    juce::ValueTree mainTree{"maintree"};
    std::array<int, zu::units::numUnits> currentSnapshots{};
    std::vector<std::pair<juce::String, juce::var>> treeCalls;
};
