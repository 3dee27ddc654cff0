// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuEditorAccess.h"

#include "PluginProcessor.h"

juce::AudioProcessorValueTreeState& ZuEditorAccess::getParameterState() const noexcept
{
    return p.paramState;
}

juce::ValueTree ZuEditorAccess::getMainTree() const
{
    return p.mainTree;
}

juce::ValueTree ZuEditorAccess::getParamTree() const
{
    return p.paramTree;
}

juce::ValueTree ZuEditorAccess::getSnapTree() const
{
    return p.snapTree;
}

juce::ValueTree ZuEditorAccess::getMidiMapTree() const
{
    return p.midiMapTree;
}

juce::Value ZuEditorAccess::getPolarityToggle() const
{
    return p.polarityToggle;
}

juce::Value ZuEditorAccess::getEditorValue() const
{
    return p.editorValue;
}

MirabelGlobalData& ZuEditorAccess::getGlobalData() const noexcept
{
    return p.globalData;
}

CtrPtchSqData& ZuEditorAccess::getPitchData() const noexcept
{
    return p.pitchSeqData;
}

CtrPrmSqData& ZuEditorAccess::getParamSeqData() const noexcept
{
    return p.paramSeqData;
}

CtrCcSqData& ZuEditorAccess::getCcSeqData() const noexcept
{
    return p.ccSeqData;
}

CtrOctSqData& ZuEditorAccess::getOctTpData() const noexcept
{
    return p.octTpSeqData;
}

CtrCcRackData& ZuEditorAccess::getCcRackData() const noexcept
{
    return p.ccRackData;
}

LfoData& ZuEditorAccess::getLfoData() const noexcept
{
    return p.lfoData;
}

MacroData& ZuEditorAccess::getMacroData() const noexcept
{
    return p.macroData;
}

ScaleData& ZuEditorAccess::getScaleData() const noexcept
{
    return p.scaleData;
}

ChordData& ZuEditorAccess::getChordData() const noexcept
{
    return p.chordData;
}

PluginSettingState& ZuEditorAccess::getSettings() const noexcept
{
    return p;
}

ZuMidiRecEngine& ZuEditorAccess::getRecorder(int lane) const noexcept
{
    return p.mainEngine->getRecorder(juce::jlimit(0, MainEngine::numRecorders - 1, lane));
}

void ZuEditorAccess::setChordNoteTarget(int slot) const noexcept
{
    p.chordNoteTarget = slot >= 0 && slot < 12 ? slot : -1;
}

void ZuEditorAccess::copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot) const
{
    p.copyPasteSnapshot(srcUnit, dstUnit, srcSnapshot, dstSnapshot);
}

void ZuEditorAccess::initUnitParams(int kindIndex, int unitIndex) const
{
    p.initUnitParams(kindIndex, unitIndex);
}

void ZuEditorAccess::createVtForUnitPreset(juce::ValueTree& root, int kindIndex, int unitIndex) const
{
    p.createVtForUnitPreset(root, kindIndex, unitIndex);
}

juce::String ZuEditorAccess::loadUnitStateFromVt(juce::ValueTree& tree, int kindIndex, int unitIndex) const
{
    return p.loadUnitStateFromVt(tree, kindIndex, unitIndex);
}

bool ZuEditorAccess::getModSrcPolarity(int kindIndex, int unitIndex, int slot) const
{
    return p.getModSrcPolarity(kindIndex, unitIndex, slot);
}

void ZuEditorAccess::shiftCenterSqParams(int kindIndex, int unitIndex, int mode) const
{
    p.shiftCenterSqParams(kindIndex, unitIndex, mode);
}

void ZuEditorAccess::setAllCenterSqParams(int kindIndex, int unitIndex, int target, float value) const
{
    p.setAllCenterSqParams(kindIndex, unitIndex, target, value);
}

void ZuEditorAccess::rndRstCenterSqParams(int kindIndex, int unitIndex, int property, int mode) const
{
    p.rndRstCenterSqParams(kindIndex, unitIndex, property, mode);
}

void ZuEditorAccess::initializeAllParamValues() const
{
    p.initializeAllParamValues();
}

void ZuEditorAccess::startMidiLearn(const juce::String& parameterId) const
{
    p.startMidiLearn(parameterId);
}

void ZuEditorAccess::midiUnLearn(const juce::String& parameterId) const
{
    p.midiUnLearn(parameterId);
}

juce::XmlElement ZuEditorAccess::getXmlStateForSaveingPreset(const juce::String& nameOfPreset) const
{
    return p.getXmlStateForSaveingPreset(nameOfPreset);
}

void ZuEditorAccess::loadStateFromXML(juce::XmlElement* document, const juce::String& nameOfPreset) const
{
    p.loadStateFromXML(document, true, nameOfPreset);
}
