// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the data models in step with the host parameters and the "param"
// tree, and the timer jobs that finish on the message thread what other
// threads hand over.
#include "PluginProcessor.h"
#include "ZuTreeProperties.h"

#include <algorithm>

int ZumiraboxAudioProcessor::ownerDigit(const juce::String& id)
{
    if (id.length() < 2)
        return 0;
    const auto c = id[1];
    return (c >= '0' && c <= '9') ? (int) (c - '0') : 0;
}

SeqDataBase* ZumiraboxAudioProcessor::unitModelOfKind(int kindIndex)
{
    switch (kindIndex)
    {
    case 0:
        return &pitchSeqData;
    case 1:
        return &paramSeqData;
    case 2:
        return &ccSeqData;
    case 3:
        return &octTpSeqData;
    case 4:
        return &ccRackData;
    default:
        return nullptr;
    }
}

void ZumiraboxAudioProcessor::buildParameterRoutes()
{
    // Host parameters may change on the audio thread: resolve every identifier
    // to its model and field once, here, so routing needs no strings later.
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        const auto id = paramProfile.getParamID(i);
        paramIndexById[id] = i;
        paramIdentifiers[(size_t) i] = id;

        auto& route = paramRoutes[(size_t) i];
        route.owner = ownerDigit(id);
        if (auto it = snapshotParamUnits.find(id); it != snapshotParamUnits.end())
            route.unitId = it->second;

        switch (route.owner)
        {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        {
            route.unitModel = unitModelOfKind(route.owner - 1);
            const int unitDigit = id.length() > 4 ? (int) (id[4] - '1') : 0;
            route.unit = juce::jlimit(0, 3, unitDigit);
            route.modelIndex = route.unitModel->getParamIndex(id.substring(6));
            break;
        }
        case 0:
            route.modelIndex = globalData.getParamIndex(id);
            break;
        case 7:
            route.modelIndex = macroData.getParamIndex(id);
            break;
        case 8:
            route.modelIndex = scaleData.getParamIndex(id);
            break;
        case 9:
            route.modelIndex = chordData.getParamIndex(id);
            break;
        default:
            break;
        }
    }
}

void ZumiraboxAudioProcessor::routeParameter(int index, float value)
{
    const auto& route = paramRoutes[(size_t) index];
    switch (route.owner)
    {
    case 0:
        globalData.setParamValAt(route.modelIndex, value);
        break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        route.unitModel->setParamValAt(route.unit, route.modelIndex, value);
        break;
    case 7:
        macroData.setParamValAt(route.modelIndex, value);
        break;
    case 8:
        scaleData.setParamValAt(route.modelIndex, value);
        break;
    case 9:
        chordData.setParamValAt(route.modelIndex, value);
        break;
    default:
        break; // modulation slots have no host parameters
    }
}

int ZumiraboxAudioProcessor::currentSnapshotOfUnit(int unitId) const
{
    if (unitId < 1 || unitId > numUnits)
        return 0;
    const int kind = zu::units::kindOf(unitId);
    const int index = zu::units::indexOf(unitId);
    switch (kind)
    {
    case 0:
        return pitchSeqData.units[(size_t) index].currentSnapshot;
    case 1:
        return paramSeqData.units[(size_t) index].currentSnapshot;
    case 2:
        return ccSeqData.units[(size_t) index].currentSnapshot;
    case 3:
        return octTpSeqData.units[0].currentSnapshot;
    default:
        return ccRackData.units[(size_t) juce::jlimit(0, 1, index)].currentSnapshot;
    }
}

int ZumiraboxAudioProcessor::pendingSnapshotOfUnit(int unitId) const
{
    if (unitId < 1 || unitId > numUnits)
        return -1;
    const int kind = zu::units::kindOf(unitId);
    const int index = zu::units::indexOf(unitId);
    switch (kind)
    {
    case 0:
        return pitchSeqData.units[(size_t) index].pendingSnapshot;
    case 1:
        return paramSeqData.units[(size_t) index].pendingSnapshot;
    case 2:
        return ccSeqData.units[(size_t) index].pendingSnapshot;
    case 3:
        return octTpSeqData.units[0].pendingSnapshot;
    default:
        return ccRackData.units[(size_t) juce::jlimit(0, 1, index)].pendingSnapshot;
    }
}

void ZumiraboxAudioProcessor::setPendingSnapshotOfUnit(int unitId, int snapshot)
{
    if (unitId < 1 || unitId > numUnits)
        return;
    const int kind = zu::units::kindOf(unitId);
    const int index = zu::units::indexOf(unitId);
    switch (kind)
    {
    case 0:
        pitchSeqData.setPendingSnapshot(index, snapshot);
        break;
    case 1:
        paramSeqData.setPendingSnapshot(index, snapshot);
        break;
    case 2:
        ccSeqData.setPendingSnapshot(index, snapshot);
        break;
    case 3:
        octTpSeqData.setPendingSnapshot(snapshot);
        break;
    default:
        ccRackData.setPendingSnapshot(index, snapshot);
        break;
    }
}

void ZumiraboxAudioProcessor::parameterChanged(const juce::String& parameterID, float newValue)
{
    // Any thread, the audio thread included: no strings, no allocation, no lock.
    const auto it = paramIndexById.find(parameterID);
    if (it == paramIndexById.end())
        return;
    const int index = it->second;
    const int unitId = paramRoutes[(size_t) index].unitId;
    const bool isSwitch = !isStateTransferOnThisThread() && unitId >= 1 && unitId <= numUnits;

    if (isSwitch && unitId >= 5)
        setPendingSnapshotOfUnit(unitId, -1);

    // The model takes the new snapshot before the request goes up, so the
    // switch that answers it reads where to go.
    routeParameter(index, newValue);

    if (isSwitch)
    {
        switchRequests[(size_t) unitId - 1].store(true, std::memory_order_release);
        requestTimer(snapshotSwitchTimer);
    }
}

bool ZumiraboxAudioProcessor::hasPendingSwitches() const noexcept
{
    for (const auto& request : switchRequests)
        if (request.load(std::memory_order_acquire))
            return true;
    return false;
}

void ZumiraboxAudioProcessor::routeTreeProperty(const juce::String& name, float value)
{
    switch (ownerDigit(name))
    {
    case 0:
        globalData.setParamVal(name, value);
        break;
    case 1:
        pitchSeqData.setParamVal(name, value);
        break;
    case 2:
        paramSeqData.setParamVal(name, value);
        break;
    case 3:
        ccSeqData.setParamVal(name, value);
        break;
    case 4:
        octTpSeqData.setParamVal(name, value);
        break;
    case 5:
        ccRackData.setParamVal(name, value);
        break;
    case 6:
        lfoData.setParamVal(name, value);
        break;
    case 8:
        scaleData.setParamVal(name, value);
        break;
    case 9:
        chordData.setParamVal(name, value);
        break;
    default:
        break; // macros have no tree properties
    }
}

void ZumiraboxAudioProcessor::valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property)
{
    // A load tells of the properties of each node in order: look for each one
    // after the last one found.
    thread_local int lastIndex = 0;
    const int index = zu::propertyIndexFrom(tree, property, lastIndex + 1);
    if (index >= 0)
        lastIndex = index;
    const auto* stored = index >= 0 ? zu::propertyValueAt(tree, index) : tree.getPropertyPointer(property);
    const float value = stored != nullptr ? treeValueAsModelValue(*stored) : 0.0f;
    if (!routeUnitTreeProperty(property, value))
        routeTreeProperty(property.toString(), value);

    if (!isStateTransferOnThisThread())
        requestTimer(dummyFlipTimer);
}

//==============================================================================
int ZumiraboxAudioProcessor::timerPeriod(int timerId)
{
    switch (timerId)
    {
    case polarityPollTimer:
        return 200;
    case startPolarityTimer:
        return 1000;
    case snapshotSwitchTimer:
        return 10;
    case dummyFlipTimer:
        return 300;
    case editorRefreshTimer:
        return 100;
    case chordCaptureTimer:
        return 300;
    case startUpEndTimer:
        return 3000;
    case keyTransposeTimer:
        return 1;
    case learnTimeoutTimer:
        return 10000;
    case learntValueTimer:
        return 2;
    case settingsSaveTimer:
        return 50;
    case forceResyncTimer:
        return 50;
    default:
        return 10;
    }
}

void ZumiraboxAudioProcessor::requestTimer(int timerId)
{
    // JUCE timers belong to the message thread; from any other thread raise a
    // request that the poll timer turns into a start within 10 ms.
    if (juce::MessageManager::existsAndIsCurrentThread())
        startTimer(timerId, timerPeriod(timerId));
    else
        timerRequests.fetch_or(1u << timerId, std::memory_order_acq_rel);
}

void ZumiraboxAudioProcessor::startRequestedTimers()
{
    const uint32_t requests = timerRequests.exchange(0, std::memory_order_acq_rel);
    for (int id = 0; id < 32; ++id)
        if ((requests & (1u << id)) != 0)
            startTimer(id, timerPeriod(id));
}

void ZumiraboxAudioProcessor::toggleValue(juce::Value& value)
{
    const int i = value.getValue().toString().getIntValue();
    value = 1 - i;
}

void ZumiraboxAudioProcessor::timerCallback(int timerId)
{
    if (timerId != polarityPollTimer && timerId != requestPollTimer)
        stopTimer(timerId);

    switch (timerId)
    {
    case polarityPollTimer:
        if (lfoData.polarityChanged.exchange(false))
            toggleValue(polarityToggle);
        break;
    case startPolarityTimer:
        toggleValue(polarityToggle);
        startTimer(polarityPollTimer, 200);
        break;
    case snapshotSwitchTimer:
        drainSnapshotQueue();
        break;
    case dummyFlipTimer:
        flipDummyParameter();
        break;
    case editorRefreshTimer:
        if (auto* editor = getActiveEditor())
            editor->postCommandMessage(1000);
        break;
    case chordCaptureTimer:
        takeCapturedChordNotes();
        break;
    case startUpEndTimer:
        startUpFlag = false;
        stopTimer(keyTransposeTimer);
        applyKeyTransposes();
        break;
    case keyTransposeTimer:
        applyKeyTransposes();
        break;
    case learnTimeoutTimer:
        learnArmed = false;
        break;
    case learntValueTimer:
        applyLearntValues();
        break;
    case settingsSaveTimer:
        applyLearntControllers();
        updateAndSaveSettingFile();
        break;
    case forceResyncTimer:
        globalData.forceResync = true;
        break;
    case requestPollTimer:
        applyPendingLoad();
        startRequestedTimers();
        pitchSeqData.syncSnapValues();
        paramSeqData.syncSnapValues();
        ccSeqData.syncSnapValues();
        octTpSeqData.syncSnapValues();
        ccRackData.syncSnapValues();
        break;
    default:
        break;
    }
}

void ZumiraboxAudioProcessor::drainSnapshotQueue()
{
    // Switches change the trees and juce::Values: the message thread only.
    if (!juce::MessageManager::existsAndIsCurrentThread())
        return;

    // Publish snapshot writes from other threads first, so the editor and the
    // modulation slot model see the switch about to be carried out.
    pitchSeqData.syncSnapValues();
    paramSeqData.syncSnapValues();
    ccSeqData.syncSnapValues();
    octTpSeqData.syncSnapValues();
    ccRackData.syncSnapValues();

    // A request only says that a unit's snapshot parameter moved. The switch
    // goes from the snapshot the live trees hold to the one the model plays
    // now, so a burst of changes collapses into one switch to the newest, and
    // a change made before or during a load cannot store values into the
    // wrong snapshot.
    for (int unit = 1; unit <= numUnits; ++unit)
    {
        if (!switchRequests[(size_t) unit - 1].exchange(false, std::memory_order_acq_rel))
            continue;
        const int from = liveSnapshotOfUnit(unit);
        const int to = juce::jlimit(0, zu::units::numSnapshots - 1, currentSnapshotOfUnit(unit));
        if (from != to)
            snapshotChanged(unit, from, to);
        else
            setPendingSnapshotOfUnit(unit, -1);
    }
}

void ZumiraboxAudioProcessor::flipDummyParameter()
{
    float f = 0.0f;
    getValueFromValueTree(f, 99);
    if (auto* param = paramState.getParameter(paramIds[99]))
        param->setValueNotifyingHost(1.0f - f);
}

void ZumiraboxAudioProcessor::takeCapturedChordNotes()
{
    auto notes = globalData.capturedChordNotes.takeAll();
    notes.sort();
    juce::Array<int> unique;
    for (int n : notes)
        if (unique.isEmpty() || unique.getLast() != n)
            unique.add(n);

    const int target = chordNoteTarget.load();
    if (!chordSlotRange.contains(target))
        return;

    for (int i = 1; i <= 5; ++i)
    {
        const int itemId = i <= unique.size() ? juce::jlimit(0, 127, unique[i - 1]) + 2 : 0;
        paramTree.setProperty("p9_chord" + juce::String(target + 1) + "_cn" + juce::String(i), itemId, nullptr);
    }
}

void ZumiraboxAudioProcessor::applyKeyTransposes()
{
    const int n = keyTransposeQueue.size();
    for (int i = 0; i < n; ++i)
    {
        std::tuple<int, int, int, int> record;
        if (!keyTransposeQueue.pop(record))
            break;
        if (std::get<3>(record) != 0)
            continue;
        const int root = midiTpNote.load();
        const int t = juce::jlimit(-12, 12, std::get<0>(record) - root - 12);
        setValueToValueTree(61, (float) t);
    }
}

void ZumiraboxAudioProcessor::applyLearntValues()
{
    const juce::ScopedLock sl(learntValueLock);
    const int n = learntValueQueue.size();
    for (int i = 0; i < n; ++i)
    {
        LearntValue entry;
        if (!learntValueQueue.pop(entry))
            break;
        if (entry.paramIndex < 0 || entry.paramIndex >= ZuKern_ParamProfile::numParams)
            continue;
        const float lo = paramProfile.getMinVal(entry.paramIndex);
        const float hi = paramProfile.getMaxVal(entry.paramIndex);
        setValueToValueTree(entry.paramIndex, lo + (hi - lo) * entry.value);
    }
}

void ZumiraboxAudioProcessor::applyLearntControllers()
{
    // Controllers learnt on the audio thread reach the settings' map here.
    LearntController learnt;
    while (learntControllers.pop(learnt))
    {
        if (learnt.controller < 0 || learnt.controller >= numMidiMapEntries || learnt.paramIndex < 0)
            continue;
        const auto id = paramIds[learnt.paramIndex];
        midiMap[(size_t) learnt.controller] = id;
        for (int c = 0; c < numMidiMapEntries; ++c)
            if (c != learnt.controller && midiMap[(size_t) c] == id)
                midiMap[(size_t) c] = {};
    }
    rebuildMidiMapMirror();
}

void ZumiraboxAudioProcessor::rebuildMidiMapMirror()
{
    for (int c = 0; c < numMidiMapEntries; ++c)
    {
        const auto& id = midiMap[(size_t) c];
        midiMapIndex[(size_t) c].store(id.isEmpty() ? -1 : paramProfile.getParamIndexFromString(id));
    }
}
