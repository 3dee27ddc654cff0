// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PluginSettingState.h"
#include "ZuData.h"
#include "ZuLockFree.h"
#include "ZuParamBase.h"
#include "ZuStateText.h"
#include "ZuUnitOps.h"

#include "MainEngine.h"
#include "ZuPrefaulted.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

// The object the VST2 host creates: owns the parameter base with the host
// parameters and the three value trees, the settings state, the ten data
// models, the hand-offs between the threads and the sequencing engine.
class ZumiraboxAudioProcessor : public juce::AudioProcessor, public ZuParamBase, public PluginSettingState
{
public:
    ZU_PREFAULTED_ALLOCATION

    // Timer identifiers; each has one fixed job.
    enum TimerId
    {
        polarityPollTimer = 0,
        startPolarityTimer = 1,
        snapshotSwitchTimer = 2,
        dummyFlipTimer = 3,
        editorRefreshTimer = 4,
        chordCaptureTimer = 5,
        startUpEndTimer = 11,
        keyTransposeTimer = 12,
        learnTimeoutTimer = 17,
        learntValueTimer = 18,
        settingsSaveTimer = 19,
        forceResyncTimer = 20,
        // Starts the timers that other threads ask for (they may not touch a
        // JUCE timer themselves) and publishes snapshot values.
        requestPollTimer = 21,
    };

    static constexpr int numModChannels = 16;
    static constexpr const char* pluginVersionString = "1.1.82";

    // Builds the editor; the editor library installs it (the processor
    // library knows nothing of the editor). Without one there is no editor.
    using EditorFactory = juce::AudioProcessorEditor* (*) (ZumiraboxAudioProcessor&);
    static EditorFactory editorFactory;
    static constexpr int maxInputNoteRecords = 256;

    ZumiraboxAudioProcessor();
    ~ZumiraboxAudioProcessor() override;

    // juce::AudioProcessor
    const juce::String getName() const override;
    void prepareToPlay(double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int index) override;
    const juce::String getProgramName(int index) override;
    void changeProgramName(int index, const juce::String& newName) override;
    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported(const BusesLayout& layout) const override;

    // Listeners and timers
    void parameterChanged(const juce::String& parameterID, float newValue) override;
    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override;
    void timerCallback(int timerId) override;
    void initUnitParams(int kindIndex, int unitIndex) override;

    // MIDI input (audio thread) and MIDI learn (message thread)
    void processMidiInput(const juce::MidiBuffer& input, juce::MidiBuffer& engineInput, int numSamples);
    void startMidiLearn(juce::String parameterId);
    void midiUnLearn(juce::String parameterId);
    void midiMapChanged() override;

    // State document
    void saveStateToXML(juce::XmlElement& document, juce::String nameOfPreset);
    // The document as the text a host chunk holds.
    void writeStateDocument(juce::OutputStream& out, juce::String nameOfPreset);
    // Restores a parsed document (null: refused), as loadStateFromXML does.
    void loadStateDocument(zu::statetext::Document* document, juce::String nameOfPreset);
    void loadStateFromXML(juce::XmlElement* document, bool flag, juce::String nameOfPreset);
    // Whether loadStateFromXML would take this document (its root and version).
    bool isReadableStateDocument(const juce::XmlElement& document) const;
    juce::XmlElement getXmlStateForSaveingPreset(juce::String nameOfPreset);
    void getStateAsText(juce::String& text);
    void setStateFromText(const juce::String& text);
    juce::ValueTree& getValueTreeStateSavingPreset() { return paramState.state; }

    // Unit operations (message thread)
    void snapshotChanged(int unit, int oldSnapshot, int newSnapshot);
    void copyPasteSnapshot(int srcUnit, int dstUnit, int srcSnapshot, int dstSnapshot);
    void copyPasteSeqSnapVt(ZuDataModelBase& model, ZuDataModelBase& lfoModel, int type, int srcUnit, int dstUnit,
                            int srcSnap, int dstSnap);
    bool getModSrcPolarity(int kindIndex, int unitIndex, int slot);
    // The dice (mode 0 randomise, else initialise), set all and the shift arrows.
    void rndRstCenterSqParams(int kindIndex, int unitIndex, int property, int mode);
    void setAllCenterSqParams(int kindIndex, int unitIndex, int target, float value);
    void shiftCenterSqParams(int kindIndex, int unitIndex, int mode);
    // Unit presets; loading answers the message to show, empty when loaded.
    void createVtForUnitPreset(juce::ValueTree& root, int kindIndex, int unitIndex);
    juce::String loadUnitStateFromVt(juce::ValueTree& tree, int kindIndex, int unitIndex);

    // Unit ids 1..15 by kind and index and back; the current and pending
    // snapshot of a unit in its model.
    int currentSnapshotOfUnit(int unitId) const;
    void setPendingSnapshotOfUnit(int unitId, int snapshot);
    int pendingSnapshotOfUnit(int unitId) const;
    SeqDataBase* unitModelOfKind(int kindIndex);
    // The snapshot whose values a unit's live trees hold: the last switch
    // carried out, or what the last load or reset set (0 for an unknown id).
    int liveSnapshotOfUnit(int unitId) const;

    // Make a unit's model snapshots and its modulation slot snapshots what the
    // trees say: the live trees for the live snapshot, the stored snapshot
    // otherwise, or the trees' defaults for one never stored (message thread
    // or the loading thread).
    void syncUnitModelsFromTrees(int kindIndex, int unitIndex);
    void syncUnitSnapshotFromTrees(int kindIndex, int unitIndex, int snapshot);
    void syncUnitSlotsFromTrees(int kindIndex, int unitIndex, int snapshot);
    // The trees, the unit models and the current snapshots, for the unit operations.
    zu::unitops::UnitTarget unitOpsTarget();

    // Members, in construction order.
    juce::dsp::ProcessSpec processSpec{0.0, 0, 0};
    int32_t preparedBlockSize = 0;
    bool forcePrepare = false;
    juce::Range<int> chordSlotRange{0, 12};
    std::atomic<int> chordNoteTarget{-1};
    std::unique_ptr<MainEngine> mainEngine;
    juce::dsp::AudioBlock<float> modBlock;
    juce::HeapBlock<char> modBlockMemory;
    juce::Value polarityToggle;
    juce::Value editorValue;

    MirabelGlobalData globalData;
    CtrPtchSqData pitchSeqData;
    CtrPrmSqData paramSeqData;
    CtrCcSqData ccSeqData;
    CtrOctSqData octTpSeqData;
    CtrCcRackData ccRackData;
    LfoData lfoData;
    MacroData macroData;
    ScaleData scaleData;
    ChordData chordData;

    // Units whose snapshot parameter moved since the message thread last
    // switched their trees; any thread may raise one. A flag per unit rather
    // than a queue: a burst of changes can never overflow it, and the switch
    // goes to the snapshot the parameter names when it is carried out.
    std::array<std::atomic<bool>, numUnits> switchRequests{};
    bool hasPendingSwitches() const noexcept;
    // Controller values for learnt parameters (host parameter index, -1 when
    // nothing usable is learnt for the controller; value 0..1).
    struct LearntValue
    {
        int paramIndex = -1;
        float value = 0.0f;
    };
    ZuSpscQueue<LearntValue, 512> learntValueQueue;
    juce::CriticalSection learntValueLock;
    std::vector<std::tuple<int, int, int, int>> inputNoteRecords;
    ZuSpscQueue<std::tuple<int, int, int, int>, 512> keyTransposeQueue;
    // Last value per controller number in the current block (-1: none).
    std::array<int, 128> controllerValues{};
    std::unordered_map<juce::String, int> snapshotParamUnits;
    juce::NormalisableRange<float> snapshotRange{0.0f, 1.0f};

private:
    // Owner digit of an identifier (second character; not a digit reads 0).
    static int ownerDigit(const juce::String& id);
    // Routes one host parameter value to its model without building strings.
    void routeParameter(int index, float value);
    void buildParameterRoutes();
    void routeTreeProperty(const juce::String& name, float value);
    // Routes a unit or modulation slot value by a table made once per process;
    // false for a name it does not know.
    bool routeUnitTreeProperty(const juce::Identifier& name, float value);
    static float treeValueAsModelValue(const juce::var& value);

    // Other threads ask for a timer; the poll timer starts it.
    void requestTimer(int timerId);
    void startRequestedTimers();
    static int timerPeriod(int timerId);

    void toggleValue(juce::Value& value);
    void drainSnapshotQueue();
    void flipDummyParameter();
    void takeCapturedChordNotes();
    void applyKeyTransposes();
    void applyLearntValues();
    void applyLearntControllers();
    void rebuildMidiMapMirror();

    void prepareEngineBuffers(int numSamples);

    // True while this thread moves a state document in or out; only its own
    // writes are kept from queueing snapshot switches and timers.
    bool isStateTransferOnThisThread() const;
    std::atomic<juce::Thread::ThreadID> stateTransferThread{nullptr};
    void applyLockRules(juce::ValueTree& loaded, bool chLocked, bool scaleLocked,
                        const std::array<std::array<int, 8>, 2>& rackChannels);

    // The state document as the host chunk holds it (tree access held).
    void writeStateChunk(juce::MemoryBlock& destData);
    // The last chunk saved or loaded, for a save whose thread could not reach
    // the trees; host and message threads only.
    std::mutex lastChunkMutex;
    juce::MemoryBlock lastChunk;
    void rememberChunk(const void* data, size_t size);
    // A load whose thread could not reach the trees, carried out by the
    // message thread's poll timer.
    std::atomic<zu::statetext::Document*> pendingLoad{nullptr};
    void applyPendingLoad();

    // The snapshot each unit's live trees hold. The unit models keep a copy
    // that routes tree writes to it (liveTreeSnapshot).
    std::array<std::atomic<int>, numUnits> liveTreeSnapshots{};
    void setLiveSnapshotOfUnit(int unitId, int snapshot);
    ZuAtomic<int32_t>* modelLiveSnapshotOfUnit(int unitId);
    // Models the snapshot reads write into before a finished snapshot is
    // copied over; made on first use.
    struct SnapshotScratch
    {
        CtrPtchSqData pitch;
        CtrPrmSqData param;
        CtrCcSqData cc;
        CtrOctSqData octTp;
        LfoData slots;
    };
    std::unique_ptr<SnapshotScratch> scratch;
    SnapshotScratch& snapshotScratch();
    void readSnapshotNode(int kindIndex, int unitIndex, int snapshot, const juce::ValueTree& node);
    void readSlotNode(int lfoUnit, int snapshot, int slot, const juce::ValueTree& node);

    struct ParamRoute
    {
        int owner = 0;
        SeqDataBase* unitModel = nullptr;
        int unit = 0;
        int modelIndex = 0;
        int unitId = 0; // 1..15 for a snapshot parameter
    };
    std::array<ParamRoute, ZuKern_ParamProfile::numParams> paramRoutes{};
    std::unordered_map<juce::String, int> paramIndexById;
    std::array<juce::Identifier, ZuKern_ParamProfile::numParams> paramIdentifiers;

    std::atomic<uint32_t> timerRequests{0};

    // Audio-thread mirrors of the MIDI map and the learn target (host
    // parameter indices, -1 for none); the strings stay on the message thread.
    std::array<std::atomic<int>, 128> midiMapIndex{};
    std::atomic<int> learnTargetIndex{-1};
    // Controllers learnt on the audio thread, written into the map by timer 19.
    struct LearntController
    {
        int controller = 0;
        int paramIndex = -1;
    };
    ZuSpscQueue<LearntController, 64> learntControllers;

    // Buffers the audio thread reuses.
    juce::MidiBuffer engineInput;
    juce::MidiBuffer engineOutput;
    std::array<int, 128> touchedControllers{};
    int numTouchedControllers = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZumiraboxAudioProcessor)
};
