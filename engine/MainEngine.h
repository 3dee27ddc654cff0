// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The conductor of the sequencing engine. Each host block it reads the
// transport and decides whether the sequencer plays, handles host loops,
// runs the master clock, fills the macro channels of the modulation block,
// applies the global octave and transpose, and runs the snapshot chainer, the
// listed units, the note handler and the five recorder lanes. It writes the
// transport into the global model for the clocks, modulators and the editor.
//
// The processor builds it on the message thread with the ten models, prepares
// it whenever the sample rate or the block size grows, hands it the modulation
// block, and calls processBlock once per host block on the audio thread.

#include "CenterUnitHandler.h"
#include "MacroEngine.h"
#include "ModEngineHandler.h"
#include "NoteHandler.h"
#include "NoteInfo.h"
#include "PrmSqTargetEvents.h"
#include "ZuPrefaulted.h"
#include "Scurve.h"
#include "SeqClock.h"
#include "SnapChainerEngine.h"
#include "SwingHandler.h"
#include "ZuMainEngBase.h"
#include "ZuMidiRecEngine.h"

#include "MirabelGlobalData.h"

#include <array>
#include <atomic>
#include <tuple>
#include <vector>

class CtrPtchSqData;
class CtrPrmSqData;
class CtrCcSqData;
class CtrOctSqData;
class CtrCcRackData;
class LfoData;
class MacroData;
class ScaleData;
class ChordData;

class MainEngine : public ZuMainEngBase
{
public:
    ZU_PREFAULTED_ALLOCATION

    static constexpr int numRecorders = 5;
    static constexpr int numModChannels = 16;
    static constexpr int firstMacroChannel = 8;
    static constexpr int masterClockDivision = 11; // one cycle per 4/4 bar
    static constexpr double ticksPerBar = 3840.0;  // 960 per quarter note
    // Play starts when the host position lies within this much of a beat after it.
    static constexpr double startOnBeatWindow = 0.09;
    // The loop end counts as near within this many quarter notes of the block end.
    static constexpr double nearLoopEndDistance = 0.05;
    // Tempo floors: for the inverse tempo and the loop increment, and for samples per beat.
    static constexpr double minIncBpm = 10.0;
    static constexpr double minBeatBpm = 5.0;
    static constexpr double defaultSampleRate = 1000.0;

    using InputNotes = std::vector<std::tuple<int, int, int, int>>;
    using Position = juce::Optional<juce::AudioPlayHead::PositionInfo>;

    // Message thread, after every model exists and has its name map.
    MainEngine(MirabelGlobalData& global, CtrPtchSqData& pitch, CtrPrmSqData& param, CtrCcSqData& cc,
               CtrOctSqData& octTp, CtrCcRackData& rack, LfoData& lfo, MacroData& macros, ScaleData& scale,
               ChordData& chord);
    ~MainEngine() override;

    using ZuMainEngBase::processBlock;

    // The host's preparation thread, or the audio thread when a larger block
    // arrives. Reserves every buffer that the audio thread uses.
    void prepare(const juce::dsp::ProcessSpec& newSpec);
    void prepare(juce::dsp::ProcessSpec& newSpec) override;

    // The processor's modulation block (16 channels of the prepared block
    // size). Until one is handed over, or when it is too small for a block,
    // the engine works on a zeroed block of its own.
    void setModulationBlock(const juce::dsp::AudioBlock<float>& block) noexcept { modBlock = block; }

    // Set by the owner where no host transport exists (a stand-alone
    // application, never the plug-in): every block then plays as a playing,
    // non-looping host at 120 bpm, without start or stop.
    void setWithoutTransport(bool withoutTransport) noexcept { noTransport = withoutTransport; }

    // Audio thread. engineInput: the host note-ons the processor let through;
    // output: empty on entry, receives every event of the block; inputNotes:
    // (note, 1, sample, kind) records, kind 0 a key press in the keyboard
    // transpose range; numSamples >= 1.
    void processBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, InputNotes& inputNotes,
                      Position& position, int numSamples);

    // The start of play: creates the engines of listed units, forgets the
    // sounding notes (the stop already ended them) and restarts the units,
    // clocks, chainer and recorders.
    void reset() override;

    // Moves octTp by the modulation of the global octave (x, semitones) and
    // transpose (y) read at sample min(numSamples - 1, 65) of the block.
    void handleParamModGlbOctTp(juce::dsp::AudioBlock<float>& modulation, OctTpShift& octTp,
                                ZuDataModelBase::MyParam<int> octave, ZuDataModelBase::MyParam<int> transpose,
                                int numSamples);

    // Rebuilds recorderLaneTargets from the recorder track targets.
    void updateRecTarPchSqList();

    // Message thread: keeps ready storage for the recorders' growing takes.
    // A timer of the engine calls it; tests call it directly.
    void topUpRecorderStores();

    // Read access for the processor, the editor's recorder panel and tests.
    ZuMidiRecEngine& getRecorder(int lane) noexcept;
    NoteHandler& getNoteHandler() noexcept { return noteHandler; }
    CenterUnitHandler& getUnitHandler() noexcept { return unitHandler; }
    const SnapChainerEngine::Requests& getSnapshotRequests() const noexcept { return snapshotRequests; }
    const std::array<std::vector<int>, 4>& getRecorderLaneTargets() const noexcept { return recorderLaneTargets; }
    // The global octave and transpose of the last playing block.
    OctTpShift getGlobalOctTp() const noexcept { return octTp; }
    // The loop wrap sample of the last playing block (-1 when none).
    int getLastWrapSample() const noexcept { return lastWrapSample; }
    // The tick ramp (position within the bar, 960 ticks per quarter) of the last playing block.
    const juce::dsp::AudioBlock<double>& getTickBlock() const noexcept { return tickBlock; }
    // The recorder lanes as the last playing block filled them.
    const std::array<juce::MidiBuffer, numRecorders>& getLanes() const noexcept { return lanes; }

    juce::dsp::AudioBlock<float> modBlock;

private:
    struct Transport
    {
        double ppq = 0.0;
        bool looping = false;
        double loopStart = 0.0;
        double loopEnd = 0.0;
    };

    Transport readTransport(const juce::AudioPlayHead::PositionInfo& info, int numSamples);
    void updateTempo(const juce::AudioPlayHead::PositionInfo& info);
    void writeTempo(double bpm);
    void pushTempo();
    bool waitsForBeat(double ppq, int numSamples);
    void processStoppedBlock(juce::MidiBuffer& output, int numSamples);
    void startPlay();
    void processPlayingBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, InputNotes& inputNotes,
                             const Transport& transport, int numSamples);
    int handleLoop(const Transport& transport, int numSamples);
    void applyGlobalOctTp(juce::dsp::AudioBlock<float>& modulation, const InputNotes& inputNotes, int numSamples);
    juce::dsp::AudioBlock<float> modulationFor(int numSamples) noexcept;
    double ppqPerSample() const noexcept;
    bool scaleTableChanged() const noexcept;
    int preparedBlockSize() const noexcept { return static_cast<int>(tickCapacity); }

    ScurveShared scurve;
    MacroEngine macroEngine;
    CenterUnitHandler unitHandler;
    // The first-generation slot host: built and destroyed with the engine,
    // never prepared or run (each unit engine runs its own slot host).
    ModEngineHandler modEngineHandler;
    SnapChainerEngine chainer;
    SnapChainerEngine::Requests snapshotRequests;
    SeqClock<double> masterClock;
    juce::HeapBlock<char> tickStorage;
    size_t tickCapacity = 0;
    juce::dsp::AudioBlock<double> tickBlock;
    std::vector<NoteInfo> noteInfos;
    NoteHandler noteHandler;
    PrmSqTargetEvents prmSqTargetEvents;
    std::array<bool, 5> pitchUnitOn{};
    MirabelGlobalData& globalData;
    ScaleData& scaleData;
    SwingHandler swingHandler;
    bool wasPlaying = false;
    std::array<ZuMidiRecEngine, numRecorders> recorders;
    std::array<juce::MidiBuffer, numRecorders> lanes;
    std::array<std::vector<int>, 4> recorderLaneTargets;

    // Used when the processor's modulation block is missing or too small.
    juce::HeapBlock<char> ownModStorage;
    juce::dsp::AudioBlock<float> ownModBlock;
    OctTpShift octTp;
    std::atomic<bool> noTransport{false};
    int lastWrapSample = -1;
    // Where the next block should start while playing: stands in for a
    // position that the host omits.
    double expectedPpq = 0.0;
    bool hasExpectedPpq = false;
    // The previous looping block reached the loop end: this block starts a new pass.
    bool loopPassEnded = false;

    // Tops up the recorders' storage from the message thread.
    struct RecorderStoreKeeper : private juce::Timer
    {
        explicit RecorderStoreKeeper(MainEngine& engineToServe);
        ~RecorderStoreKeeper() override;
        void timerCallback() override { engine.topUpRecorderStores(); }
        MainEngine& engine;
    };
    // Last member: its timer stops before anything it serves goes.
    RecorderStoreKeeper storeKeeper{*this};

    JUCE_DECLARE_NON_COPYABLE(MainEngine)
};
