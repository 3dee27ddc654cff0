// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

#include <limits>

ZumiraboxAudioProcessor::ZumiraboxAudioProcessor()
    : juce::AudioProcessor(BusesProperties().withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      ZuParamBase(static_cast<juce::AudioProcessor&>(*this)), PluginSettingState()
{
    for (int u = 1; u <= numUnits; ++u)
        snapshotParamUnits[zu::units::unitPrefix(u) + "snp"] = u;

    chordSlotRange = juce::Range<int>(0, 12);
    stateTransferThread = juce::Thread::getCurrentThreadId();
    stateTransferFlag = true;

    for (auto& index : midiMapIndex)
        index.store(-1);
    controllerValues.fill(-1);
    inputNoteRecords.reserve(maxInputNoteRecords);

    globalData.createParamMap();
    pitchSeqData.createParamMap();
    paramSeqData.createParamMap();
    ccSeqData.createParamMap();
    octTpSeqData.createParamMap();
    ccRackData.createParamMap();
    lfoData.createParamMap();
    macroData.createParamMap();
    scaleData.createParamMap();
    chordData.createParamMap();

    // The modulation slot model follows each unit's current snapshot (its
    // editor values refer to the unit models' values).
    lfoData.followUnitModel(0, pitchSeqData);
    lfoData.followUnitModel(4, paramSeqData);
    lfoData.followUnitModel(8, ccSeqData);
    lfoData.followUnitModel(12, octTpSeqData);
    lfoData.followUnitModel(13, ccRackData);
    for (int unitId = 1; unitId <= numUnits; ++unitId)
        setLiveSnapshotOfUnit(unitId, 0);

    mainEngine = std::make_unique<MainEngine>(globalData, pitchSeqData, paramSeqData, ccSeqData, octTpSeqData,
                                              ccRackData, lfoData, macroData, scaleData, chordData);
    // A stand-alone application (never the plug-in) has no host transport.
    mainEngine->setWithoutTransport(juce::JUCEApplicationBase::createInstance != nullptr);

    buildParameterRoutes();

    isReady = false;
    preparePlugin();
    getSettingFile();
    rebuildMidiMapMirror();
    isReady = true;

    // Logic and the Steinberg hosts start the transport a little early; JUCE
    // reports none of them on Linux, but the check costs nothing.
    const auto host = juce::PluginHostType();
    if (host.isLogic() || host.isSteinberg())
        mainEngine->startOnBeat = true;

    scaleData.setKeyTree(paramTree);
    scaleData.type1KeyStatesChanged();

    stateTransferFlag = false;
    stateTransferThread = nullptr;
    globalData.setMidiTpNote(midiTpNote.load());

    snapshotRange = juce::NormalisableRange<float>(paramProfile.getMinVal(2), paramProfile.getMaxVal(2), 0.0f, 1.0f);

    startTimer(startPolarityTimer, 1000);
    startTimer(startUpEndTimer, 3000);
    startTimer(requestPollTimer, 10);
}

ZumiraboxAudioProcessor::~ZumiraboxAudioProcessor()
{
    for (int id : {polarityPollTimer, startPolarityTimer, snapshotSwitchTimer, dummyFlipTimer, forceResyncTimer,
                   requestPollTimer})
        stopTimer(id);
    delete pendingLoad.exchange(nullptr);
}

const juce::String ZumiraboxAudioProcessor::getName() const
{
    return "ZU-MIRA8";
}

void ZumiraboxAudioProcessor::prepareToPlay(double sampleRate, int samplesPerBlock)
{
    if (samplesPerBlock <= (int) processSpec.maximumBlockSize && sampleRate == processSpec.sampleRate && !forcePrepare)
        return;

    processSpec.sampleRate = sampleRate;
    processSpec.maximumBlockSize = (juce::uint32) juce::jmax(0, samplesPerBlock);
    processSpec.numChannels = 2;
    mainEngine->prepare(processSpec);

    preparedBlockSize = samplesPerBlock;
    forcePrepare = false;

    prepareEngineBuffers(juce::jmax(1, samplesPerBlock));
}

void ZumiraboxAudioProcessor::prepareEngineBuffers(int numSamples)
{
    modBlock = juce::dsp::AudioBlock<float>(modBlockMemory, (size_t) numModChannels, (size_t) numSamples);
    modBlock.clear();
    mainEngine->setModulationBlock(modBlock);

    // Room for a dense block of generated MIDI, so the audio thread does not
    // grow these buffers in normal use.
    const size_t midiBytes = (size_t) juce::jmax(4096, numSamples * 64);
    engineInput.ensureSize(midiBytes);
    engineOutput.ensureSize(midiBytes);
}

void ZumiraboxAudioProcessor::releaseResources() {}

void ZumiraboxAudioProcessor::processBlockBypassed(juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

double ZumiraboxAudioProcessor::getTailLengthSeconds() const
{
    return std::numeric_limits<double>::infinity();
}

bool ZumiraboxAudioProcessor::acceptsMidi() const
{
    return true;
}

bool ZumiraboxAudioProcessor::producesMidi() const
{
    return true;
}

bool ZumiraboxAudioProcessor::isMidiEffect() const
{
    return false;
}

ZumiraboxAudioProcessor::EditorFactory ZumiraboxAudioProcessor::editorFactory = nullptr;

juce::AudioProcessorEditor* ZumiraboxAudioProcessor::createEditor()
{
    return editorFactory != nullptr ? editorFactory(*this) : nullptr;
}

bool ZumiraboxAudioProcessor::hasEditor() const
{
    return true;
}

int ZumiraboxAudioProcessor::getNumPrograms()
{
    return 1;
}

int ZumiraboxAudioProcessor::getCurrentProgram()
{
    return 0;
}

void ZumiraboxAudioProcessor::setCurrentProgram(int) {}

const juce::String ZumiraboxAudioProcessor::getProgramName(int)
{
    return {};
}

void ZumiraboxAudioProcessor::changeProgramName(int, const juce::String&) {}

bool ZumiraboxAudioProcessor::isBusesLayoutSupported(const BusesLayout& layout) const
{
    if (!layout.inputBuses.isEmpty() && layout.inputBuses.getReference(0).size() > 0)
        return false;
    if (layout.outputBuses.isEmpty())
        return false;
    return layout.outputBuses.getReference(0).size() == 2;
}
