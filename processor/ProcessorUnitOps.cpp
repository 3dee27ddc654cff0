// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's unit operations: each hands the trees and the models to the
// unit operations library (message thread).
#include "PluginProcessor.h"

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
            currentSnapshot};
}

void ZumiraboxAudioProcessor::snapshotChanged(int unit, int oldSnapshot, int newSnapshot)
{
    if (!zu::units::isUnitId(unit))
        return;
    auto target = unitOpsTarget();
    zu::unitops::switchSnapshot(target, unit, oldSnapshot, newSnapshot);
    setLiveSnapshotOfUnit(unit, newSnapshot);
    // The switch passed on only the values that differ between the two
    // snapshots; the model's new snapshot takes every value of its trees.
    syncUnitSnapshotFromTrees(zu::units::kindOf(unit), zu::units::indexOf(unit), newSnapshot);
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
    auto target = unitOpsTarget();
    zu::unitops::initUnitParams(target, kind, index);

    // The reset unit keeps playing the snapshot its host parameter names, and
    // every snapshot of it equals its trees.
    const int snapParam = kindSnapParamIndex[kind][index];
    float snap = 0.0f;
    getValueFromValueTree(snap, snapParam);
    routeParameter(snapParam, snap);
    syncUnitModelsFromTrees(kind, index);
}

bool ZumiraboxAudioProcessor::getModSrcPolarity(int kind, int index, int slot)
{
    return zu::unitops::getModSrcPolarity(paramTree, kind, index, slot);
}
