// SPDX-License-Identifier: GPL-3.0-or-later
// One audio block: preparation, the MIDI input filter, the engine, MIDI thru.
// Runs on the audio thread: nothing here allocates, locks or builds strings.
#include "PluginProcessor.h"

void ZumiraboxAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    juce::ScopedNoDenormals noDenormals;

    const int n = buffer.getNumSamples();
    if (n > preparedBlockSize)
    {
        forcePrepare = true;
        prepareToPlay(processSpec.sampleRate > 0.0 ? processSpec.sampleRate : getSampleRate(), n);
    }

    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        buffer.clear(ch, 0, n);

    if (n <= 0)
        return;

    juce::Optional<juce::AudioPlayHead::PositionInfo> position;
    if (auto* hostPlayHead = getPlayHead())
        position = hostPlayHead->getPosition();

    engineInput.clear();
    engineOutput.clear();

    processMidiInput(midi, engineInput, n);
    mainEngine->processBlock(engineInput, engineOutput, inputNoteRecords, position, n);

    if (globalData.midiThru.load())
        for (const auto metadata : midi)
            engineOutput.addEvent(metadata.data, metadata.numBytes, metadata.samplePosition);

    // Copy into the host's buffer rather than swapping: a swap would hand our
    // reserved storage to the host and leave us its smaller buffer, which a
    // dense block would then grow on this thread.
    midi.clear();
    midi.addEvents(engineOutput, 0, -1, 0);
}

void ZumiraboxAudioProcessor::processMidiInput(const juce::MidiBuffer& input, juce::MidiBuffer& engineIn, int)
{
    inputNoteRecords.clear();
    for (int i = 0; i < numTouchedControllers; ++i)
        controllerValues[(size_t) touchedControllers[(size_t) i]] = -1;
    numTouchedControllers = 0;

    const bool keyTranspose = globalData.midiTp.load();
    const int root = midiTpNote.load();
    const int chordTarget = chordNoteTarget.load();
    const bool chordEntry = chordSlotRange.contains(chordTarget);
    bool captured = false;
    bool keysQueued = false;

    for (const auto metadata : input)
    {
        const auto message = metadata.getMessage();
        const int position = metadata.samplePosition;

        if (message.isNoteOnOrOff())
        {
            const int key = message.getNoteNumber();
            const bool noteOn = message.isNoteOn(false);
            if (chordEntry)
            {
                if (noteOn)
                {
                    globalData.capturedChordNotes.push(key);
                    captured = true;
                }
                continue;
            }
            if (!noteOn)
                continue;

            engineIn.addEvent(message, position);
            if (keyTranspose && key >= root && key <= root + 24)
            {
                const auto record = std::make_tuple(key, 1, position, 0);
                if ((int) inputNoteRecords.size() < maxInputNoteRecords)
                    inputNoteRecords.push_back(record);
                keyTransposeQueue.push(record);
                keysQueued = true;
            }
        }
        else if (message.isController())
        {
            const int c = message.getControllerNumber();
            if (learnArmed.load())
            {
                if (c > 127)
                    continue;
                const int target = learnTargetIndex.load();
                midiMapIndex[(size_t) c].store(target);
                for (int other = 0; other < 128; ++other)
                    if (other != c && target >= 0 && midiMapIndex[(size_t) other].load() == target)
                        midiMapIndex[(size_t) other].store(-1);
                learntControllers.push({c, target});
                learnArmed = false;
                requestTimer(settingsSaveTimer);
                continue;
            }
            if (c < 0 || c > 127)
                continue;
            if (controllerValues[(size_t) c] < 0)
                touchedControllers[(size_t) numTouchedControllers++] = c;
            controllerValues[(size_t) c] = message.getControllerValue();
        }
    }

    if (captured)
        requestTimer(chordCaptureTimer);

    if (numTouchedControllers > 0)
    {
        for (int i = 0; i < numTouchedControllers; ++i)
        {
            const int c = touchedControllers[(size_t) i];
            const int paramIndex = midiMapIndex[(size_t) c].load();
            const float v = juce::jlimit(0.0f, 1.0f, (float) controllerValues[(size_t) c] * 0.0078741f);

            const int unitId = paramIndex >= 0 ? paramRoutes[(size_t) paramIndex].unitId : 0;
            if (unitId >= 1 && unitId <= numUnits)
            {
                // Naming the snapshot already current leaves nothing pending.
                const int snapshot = (int) (snapshotRange.convertFrom0to1(v) + 0.5f);
                setPendingSnapshotOfUnit(unitId, snapshot == currentSnapshotOfUnit(unitId) ? -1 : snapshot);
            }

            learntValueQueue.push({paramIndex, v});
        }
        requestTimer(learntValueTimer);
    }

    if (keysQueued || !keyTransposeQueue.isEmpty())
        requestTimer(keyTransposeTimer);
}

void ZumiraboxAudioProcessor::startMidiLearn(juce::String parameterId)
{
    learnTarget = parameterId;
    learnTargetIndex = paramProfile.getParamIndexFromString(parameterId);
    learnArmed = true;
    startTimer(learnTimeoutTimer, timerPeriod(learnTimeoutTimer));
}

void ZumiraboxAudioProcessor::midiUnLearn(juce::String parameterId)
{
    // Learning may have happened on the audio thread since the last save.
    applyLearntControllers();
    for (int c = 0; c < numMidiMapEntries; ++c)
        if (midiMap[(size_t) c] == parameterId)
            midiMap[(size_t) c] = {};
    rebuildMidiMapMirror();
}

void ZumiraboxAudioProcessor::midiMapChanged()
{
    // Controllers learnt on the audio thread join the map before the copy is
    // rebuilt, so the rebuild does not forget them.
    applyLearntControllers();
}
