// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's unit operations: each hands the trees and the models to the
// unit operations library (message thread).
#include "PluginProcessor.h"
#include "ZuStepOps.h"
#include "ZuUnitPresets.h"

zu::unitops::UnitTarget ZumiraboxAudioProcessor::unitOpsTarget()
{
    // A unit's current snapshot is its host parameter "snp".
    auto currentSnapshot = [this](int kind, int index)
    {
        if (!zu::units::isUnit(kind, index))
            return -1;
        float v = 0.0f;
        getValueFromValueTree(v, kindSnapParamIndex[kind][index]);
        return (int) zu::toIntSaturating(v);
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
    auto target = unitOpsTarget();
    zu::unitops::switchSnapshot(target, unit, oldSnapshot, newSnapshot);
    setPendingSnapshotOfUnit(unit, -1);
}

void ZumiraboxAudioProcessor::copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot)
{
    auto target = unitOpsTarget();
    zu::unitops::copyPasteSnapshot(target, srcUnit, dstUnit, srcSnapshot, dstSnapshot);
}

void ZumiraboxAudioProcessor::copyPasteSeqSnapVt(ZuDataModelBase& model, ZuDataModelBase& lfoModel, int kind, int si,
                                                 int di, int ss, int ds)
{
    auto target = unitOpsTarget();
    zu::unitops::copyPasteSeqSnapVt(target, model, lfoModel, kind, si, di, ss, ds);
}

void ZumiraboxAudioProcessor::initUnitParams(int kind, int index)
{
    auto target = unitOpsTarget();
    zu::unitops::initUnitParams(target, kind, index);
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
    return zu::unitops::loadUnitStateFromVt(target, tree, kind, index);
}
