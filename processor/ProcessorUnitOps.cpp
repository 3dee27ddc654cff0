// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's unit operations: each hands the trees and the models to the
// unit operations library (message thread).
#include "PluginProcessor.h"
#include "ZuStepOps.h"
#include "ZuUnitPresets.h"

zu::unitops::UnitTarget ZumiraboxAudioProcessor::unitOpsTarget()
{
    // A unit's current snapshot for the trees is the one its live trees hold,
    // which a queued switch may not have reached yet.
    auto currentSnapshot = [this](int kind, int index)
    {
        if (!zu::units::isUnit(kind, index))
            return -1;
        return liveSnapshotOfUnit(zu::units::unitIdOf(kind, index));
    };
    return {paramTree,
            snapTree,
            {pitchSeqData, paramSeqData, ccSeqData, octTpSeqData, ccRackData, lfoData},
            currentSnapshot,
            mainTree};
}

void ZumiraboxAudioProcessor::snapshotChanged(int unit, int oldSnapshot, int newSnapshot)
{
    if (!zu::units::isUnitId(unit))
        return;
    const int kind = zu::units::kindOf(unit);
    const int index = zu::units::indexOf(unit);
    // Store, then load: the loaded values reach the model through the tree
    // listener, so the trees must be known to hold the new snapshot first.
    updateSeqSnapVt(kind, index, oldSnapshot);
    setLiveSnapshotOfUnit(unit, newSnapshot);
    loadSeqSnapVt(kind, index, newSnapshot);
    // The switch passed on only the values that differ between the two
    // snapshots; the model's new snapshot takes every value of its trees.
    syncUnitSnapshotFromTrees(kind, index, newSnapshot);
    setPendingSnapshotOfUnit(unit, -1);
}

void ZumiraboxAudioProcessor::copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot)
{
    auto target = unitOpsTarget();
    zu::unitops::copyPasteSnapshot(target, srcUnit, dstUnit, srcSnapshot, dstSnapshot);
    // A source never stored was filled from the trees' defaults; the
    // destination takes exactly what its trees now hold.
    if (zu::units::isUnitId(srcUnit))
    {
        const int kind = zu::units::kindOf(srcUnit);
        syncUnitSnapshotFromTrees(kind, dstUnit - zu::units::firstIdOfKind[(size_t) kind], dstSnapshot);
    }
}

void ZumiraboxAudioProcessor::copyPasteSeqSnapVt(ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si,
                                                 int di, int ss, int ds)
{
    auto target = unitOpsTarget();
    zu::unitops::copyPasteSeqSnapVt(target, model, lfoModel, kind, si, di, ss, ds);
    syncUnitSnapshotFromTrees(kind, di, ds);
}

void ZumiraboxAudioProcessor::initUnitParams(int kind, int index)
{
    if (!zu::units::isUnit(kind, index))
        return;
    // The parameter reset has just put the unit's snapshot parameter at its
    // default, and the live trees are about to hold that snapshot's defaults:
    // from here on they are that snapshot, whatever a switch still queued
    // says, so the copies below store the defaults into it and spread them.
    const int unitId = zu::units::unitIdOf(kind, index);
    const int snapParam = kindSnapParamIndex[kind][index];
    float snap = 0.0f;
    getValueFromValueTree(snap, snapParam);
    setLiveSnapshotOfUnit(unitId, zu::toIntSaturating(snap));

    auto target = unitOpsTarget();
    zu::unitops::initUnitParams(target, kind, index);

    // The model block was reset whole; the reset unit keeps playing the
    // snapshot its host parameter names, and every snapshot of it equals its
    // trees.
    setLiveSnapshotOfUnit(unitId, zu::toIntSaturating(snap));
    routeParameter(snapParam, snap);
    syncUnitModelsFromTrees(kind, index);
}

bool ZumiraboxAudioProcessor::getModSrcPolarity(int kind, int index, int slot)
{
    return zu::unitops::getModSrcPolarity(paramTree, kind, index, slot);
}

void ZumiraboxAudioProcessor::rndRstCenterSqParams(int kind, int index, int property, int mode)
{
    auto target = unitOpsTarget();
    zu::unitops::rndRstCenterSqParams(target, kind, index, property, mode);
}

void ZumiraboxAudioProcessor::setAllCenterSqParams(int kind, int index, int setAllTarget, float value)
{
    auto target = unitOpsTarget();
    zu::unitops::setAllCenterSqParams(target, kind, index, setAllTarget, value);
}

void ZumiraboxAudioProcessor::shiftCenterSqParams(int kind, int index, int mode)
{
    auto target = unitOpsTarget();
    zu::unitops::shiftCenterSqParams(target, kind, index, mode);
}

void ZumiraboxAudioProcessor::createVtForUnitPreset(juce::ValueTree& root, int kind, int index)
{
    auto target = unitOpsTarget();
    zu::unitops::createVtForUnitPreset(target, root, kind, index);
}

juce::String ZumiraboxAudioProcessor::loadUnitStateFromVt(juce::ValueTree& tree, int kind, int index)
{
    auto target = unitOpsTarget();
    const auto message = zu::unitops::loadUnitStateFromVt(target, tree, kind, index);
    // A loaded preset leaves every snapshot of the unit's models equal to its trees.
    if (message.isEmpty())
        syncUnitModelsFromTrees(kind, index);
    return message;
}
