// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The common core of the unit engines (pitch, parameter, CC, octave-transpose
// sequencers and the CC racks). It owns what every unit needs: the unit's step
// clock and phase buffer, its modulation slots, the random sources, the
// step-order lists, the snapshot, reset, resync and restart state, and the
// operations that turn a phase ramp into step triggers and step numbers.
//
// A clocked engine runs one block as a fixed sequence of frame calls (see
// "Per-block frame" below) and adds its own output where the frame leaves
// room. Everything here runs on the audio thread except construction and,
// for engines built while the host prepares, prepare. Nothing on the block
// path allocates, locks or builds text: the step-order lists have fixed
// storage and the random generators are seeded when the engine is prepared.

#include "PrmSqTargetEvents.h"
#include "SeqClock.h"
#include "StepOrderQueue.h"
#include "UnitModSlotHost.h"

#include "MirabelGlobalData.h"
#include "ZuDataModelBase.h"
#include "ZuUnits.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <random>
#include <utility>
#include <vector>

class Scurve;
class DispShareData;
class ScaleData;
class ChordData;
class LfoData;
class SwingHandler;

class SeqEngineBase
{
public:
    template <typename T> using MyParam = ZuDataModelBase::MyParam<T>;
    using ModBlock = juce::dsp::AudioBlock<float>;
    using PhaseBlock = juce::dsp::AudioBlock<double>;

    // The unit's modulation slots. Until the slot host exists this stands in
    // as eight switched-off slots (channels 0 to 7 read 0); the slot host
    // takes its place here with the same construction and calls.
    using ModSlotHost = UnitModSlotHost;

    static constexpr int numUnitSteps = 32;
    static constexpr int numDirections = 6;
    static constexpr int numClockDivisions = 14;
    static constexpr int numDisplayEntries = MirabelGlobalData::numSeqUnits;
    // The two scales that number the sixteen steps of a clock cycle: the
    // coarse one for the cycle position of the pitch and CC units, the fine
    // one for the others and for the CC units' search of a step's start sample.
    static constexpr double indexScaleCoarse = 15.995;
    static constexpr double indexScaleFine = 15.999991;
    // Read position of unit and step modulation: never earlier than this sample.
    static constexpr int earliestModReadSample = 65;
    // The skip of steps that fell out of the window is a bounded loop: the
    // longest legitimate run of skips drains both lists of a full window.
    static constexpr int maxStepRetries = 3 * numUnitSteps;
    // Draws of the random modes before they give up.
    static constexpr int maxRandomDraws = 256;

    // unitType a zu::units::Kind (pitch, parameter, CC, octave-transpose, CC rack),
    // unitIndex within the kind (0..3, 0, 0..1), engineId 0..14 for the
    // modulation slots. The depth curve and the display tables are shared
    // objects held by the owner (an engine created on the audio thread takes
    // no share of its own).
    SeqEngineBase(MirabelGlobalData& globalData, ScaleData& scaleData, ChordData& chordData, LfoData& lfoData,
                  const Scurve& depthCurve, const DispShareData& displayTables, int unitType, int unitIndex,
                  int engineId);
    virtual ~SeqEngineBase();

    //==========================================================================
    // Lifecycle.

    // Stores the ProcessSpec, sizes the phase buffer for the maximum block size (it
    // grows only; a repeat with the same or a smaller size allocates nothing),
    // zeroes it, prepares the clock and seeds the random sources.
    void prepareBase(const juce::dsp::ProcessSpec& spec);
    // prepareBase, the modulation slots' prepare, then baseReset: the prepare
    // of every clocked engine.
    void prepareClockedUnit(const juce::dsp::ProcessSpec& spec);
    // The CC racks' prepare: the ProcessSpec without the clock, the modulation
    // slots, baseReset.
    void prepareRackUnit(const juce::dsp::ProcessSpec& spec);

    // Back to the start: the clock, the step count and the trigger state
    // restart, the step order is rebuilt at the next step and the next step
    // realigns to the host position. Keeps the lists' contents, the current
    // step and the snapshot index.
    void baseReset();

    // Seeds both random sources (the step probability and "?" draws, and the
    // "??" shuffles). prepareBase seeds them from the time; tests fix them.
    void seedRandom(juce::int64 seed) noexcept;

    //==========================================================================
    // Requests from the unit handler and the main engine.

    // Empties the forward and ping-pong lists (a restart of the step order).
    virtual void resetCounter();
    // baseReset at the next step trigger.
    virtual void setResetFlag();
    // Realign to the host position at the next step trigger.
    virtual void setReSyncFlag();
    virtual void bpmChanged();

    //==========================================================================
    // Note shaping of the pitch units: humanise, scale and the trigger chord.

    // Varies a positive velocity by up to 0.2 x amount and a positive gate by
    // up to 0.08 x amount, each in a random direction.
    virtual void processHumanizeVelGate(float& velocity, float& gate, float amount);
    // Fits a note to the unit's scale table with the scale model's root, root
    // shift and order (transpose before or after quantising); the result is
    // 0..127, or -1 when the note falls below 0 and is dropped.
    virtual void processScaleType1(int& note, int transpose);
    // A second scale hook; it changes nothing.
    virtual void processScaleType2(int& note, int transpose, const std::array<int, 12>& table);
    // Fills the trigger chord list from five menu values (n - 1 per entry),
    // shifted by shift; entries outside 0..127 become -1.
    virtual void prepareTrigChordList(int shift, const std::array<int, 5>& notes);
    // Realign to the host position at the next step trigger; set after the
    // engine is created and, each block, while its unit is not listed.
    void setStartFlag() noexcept { startFlag = true; }

    //==========================================================================
    // Step order (window start curStrt, size curSize, direction curDir).

    // Builds 0 .. curSize - 1 into the forward and the ping-pong list.
    virtual void generateStepTrigList();
    // Fills the "??" list with 0 .. n - 1 in a fresh random order.
    virtual void generateRnd2TrigList(int n);
    // True when step lies in the window of size steps from start (always for a
    // full window, never for an empty one).
    virtual bool checkCurStepInRange(int step, int start, int size);
    // Advances the order by one step and sets curStep (-1 when there is none).
    // The unit values, the double and the int are not read; counter receives
    // the number of skipped candidates.
    virtual void stepProcess(ModBlock& modBlock, MyParam<int> dir, MyParam<int> strt, MyParam<int> size, double ppq,
                             int numSamples, int& counter);

    //==========================================================================
    // Modulation of unit values. Each reads its sources at one sample of the
    // modulation block and does nothing for a value whose modActive is clear.

    virtual void handleParamModDirStrtSize(ModBlock& modBlock, MyParam<int> dir, MyParam<int> strt, MyParam<int> size,
                                           int numSamples);
    // A pitch step's unit octave and step octave (semitones), transpose, step
    // pitch, velocity, gate and probability (0..1) and slur, each moved by its
    // own slots and kept to its range.
    virtual void handleParamModOctTpStepPrms(ModBlock& modBlock, int& unitOctave, MyParam<int> goct, int& transpose,
                                             MyParam<int> tp, int& pitch, MyParam<int> pch, int& stepOctave,
                                             MyParam<int> oct, float& velocity, MyParam<float> vel, float& gate,
                                             MyParam<float> gateParam, float& probability, MyParam<float> prob,
                                             bool& slur, MyParam<int> slr, int step, int stepSamplePos, int numSamples);
    virtual void handleParamModClock(ModBlock& modBlock, MyParam<int> sclk, int stepSamplePos, int numSamples);
    virtual void handleParamModStepOnOff(ModBlock& modBlock, bool& on, MyParam<int> spwr, int step, int stepSamplePos,
                                         int numSamples);
    virtual void handleParamModStepOnOffProb(ModBlock& modBlock, bool& on, MyParam<int> spwr, float& prob,
                                             MyParam<float> probParam, int step, int stepSamplePos, int numSamples);
    // Relative mode: the base note (0..127; any modulation raises it by the
    // square of the amount) and the step's relative pitch (-12..12).
    virtual void handleParamModRelBaseNote(ModBlock& modBlock, int& baseNote, MyParam<int> relbn, int& relPitch,
                                           MyParam<int> relpch, int step, int stepSamplePos, int numSamples);
    virtual void handleParamModSwing(ModBlock& modBlock, MyParam<float> swing, int stepSamplePos, int numSamples);
    // A probability below 1 draws whether the step plays; 1 or more leaves it.
    void stepProbProcess(const float& prob, bool& on);

    //==========================================================================
    // Parameter-sequencer targets: what a parameter unit's step event changes
    // in the pitch units it targets. An entry's event code is the enumerator
    // + 1; codes 14 and above name nothing. Each mapping replaces the pitch
    // unit's own value for the one step it reaches.
    enum PRMSQTARGET
    {
        Direction = 0,
        Start,
        Size,
        Octave,
        Transpose,
        StepPitch,
        StepOctave,
        StepVelocity,
        StepGate,
        StepProbability,
        StepSlur,
        StepOnOff,
        Restart
    };
    static constexpr int numPrmSqTargets = Restart + 1;
    // Flags of the codes 1..20, index code - 1.
    static constexpr int numPrmSqTarStates = 20;
    using PrmSqTargetList = std::vector<PrmSqTargetEntry>;

    static constexpr int prmSqEventCode(PRMSQTARGET target) noexcept { return (int) target + 1; }
    // An entry the receivers act on: a code with a flag and a finite value.
    static bool isUsablePrmSqEntry(const PrmSqTargetEntry& entry) noexcept;

    // The sender's step value moved by its two modulation slots, read at the
    // step's sample (no earlier than sample 65), kept inside (0, 1).
    virtual void handleParamModPrmSqStepVal(ModBlock& modBlock, float& value, MyParam<float> step, int sample,
                                            int numSamples);
    // Clears the flags, then raises the flag of every usable entry's code.
    void updatePrmSqTarStates(const PrmSqTargetList& list) noexcept;
    bool isPrmSqTarStateSet(int code) const noexcept;
    // The receiver's side, each acting only when a flag of its codes is set;
    // of several entries with one code the last in the list wins.
    // Direction, window start and size of the step about to be chosen.
    void handlePrmSqToDirStrtSize(const PrmSqTargetList& list) noexcept;
    void handlePrmSqToStepOnOff(const PrmSqTargetList& list, bool& on) const noexcept;
    // Octaves and transpose in semitones, pitch 0..12, the rest 0..1.
    void handlePrmSqToStepParams(const PrmSqTargetList& list, int& unitOctave, int& transpose, int& pitch,
                                 int& stepOctave, float& velocity, float& gate, float& probability,
                                 bool& slur) const noexcept;
    // Unused by the engines: a restart that a later entry below 0.5 cancels,
    // the mapping in octaves rather than semitones, and the window values
    // set through that mapping.
    void handlePrmSqToRestart(const PrmSqTargetList& list) noexcept;
    static float getPrmSqRepModVal(PRMSQTARGET target, float value) noexcept;
    void procPrmSqToParam(const PrmSqTargetList& list, PRMSQTARGET target) noexcept;

    // The mapping of an entry's value onto each target.
    static int prmSqToDirection(float v) noexcept;
    static int prmSqToStart(float v) noexcept;      // step 0..31
    static int prmSqToSize(float v) noexcept;       // 1..32 steps
    static int prmSqToOctave(float v) noexcept;     // semitones -36..36
    static int prmSqToTranspose(float v) noexcept;  // semitones -12..12
    static int prmSqToStepPitch(float v) noexcept;  // 0..12
    static int prmSqToStepOctave(float v) noexcept; // semitones -24..24
    static float prmSqToUnit(float v) noexcept;     // 0..1
    static bool prmSqToSwitch(float v) noexcept;    // on from 0.5
    static bool prmSqToRestart(float v) noexcept;   // above 0.5

    //==========================================================================
    // Modulation slots and swing.

    // Runs the unit's modulation slots, which write channels 0 to 7 of the block.
    void processModEngine(ModBlock& modBlock, float ppq, bool playing, int wrapSample, bool nearLoopEnd,
                          int numSamples);
    // The slots re-align at their next block.
    void resyncModEngine() noexcept;

    // Takes this block's global swing value and whether unit n (type x 4 +
    // index, 0..12) is a swing target.
    void updateSwingState(int n) noexcept;
    bool isSwingActiveForThisUnit() const noexcept;
    // Modulates the swing amount and warps the first n samples of the phase block.
    void swingProcess(PhaseBlock& phaseBlock, ModBlock& modBlock, SwingHandler& swing, int numSamples);

    // localPh = frac(masterPh x r), y = x x r, with r the cycles per bar of divIndex (clamped to 0..13).
    void getLocalPhFromMasterPh(double masterPh, double& localPh, double x, double& y, int divIndex,
                                int) const noexcept;

    //==========================================================================
    // The scale table copy of a pitch unit (audio thread, between unit runs).

    // Copies the scale model's newest table and lowers its change flag.
    void updateScaleTableType1() noexcept;
    // Copies the newest table and leaves the flag alone: for a unit that is
    // new, and for every unit after the first that follows one raised flag.
    void copyScaleTableType1() noexcept;
    const std::array<int, 12>& getScaleTable() const noexcept { return scaleTable; }
    const std::array<int, 5>& getTrigChordList() const noexcept { return trigChordList; }

    //==========================================================================
    // Read access for the owner and the editor-side tests.

    int getUnitType() const noexcept { return unitType; }
    int getUnitIndex() const noexcept { return unitIndex; }
    int getEngineId() const noexcept { return engineId; }
    int getCurStep() const noexcept { return curStep; }
    bool hasCurStep() const noexcept { return curStep >= 0 && curStep < numUnitSteps; }
    int getSnapIndex() const noexcept { return snapIndex; }
    int getStepSamplePos() const noexcept { return stepSamplePos; }
    // Whether the unit realigns to the host position at its next step.
    bool isStartFlagSet() const noexcept { return startFlag; }
    bool isResyncFlagSet() const noexcept { return resyncFlag; }
    // The entry of the current-step display array, -1 for the CC racks.
    int getDisplayIndex() const noexcept;
    const ModSlotHost& getModSlots() const noexcept { return modHandler; }

    // Cycles per 4/4 bar of each clock division index.
    static const std::array<double, numClockDivisions> divRatioTable;

    // Half away from zero (0.5 -> 1, -0.5 -> -1), saturating.
    static int roundHalfAway(double x) noexcept;
    // The modulation read position of a block: the step's sample, but no
    // earlier than sample 65 and no later than the last sample.
    static int modReadPosition(int stepSamplePos, int numSamples) noexcept;
    // 20^v for v in 0..1 through the (4,4) Pade approximant of e^h.
    static double padePowTwenty(double v) noexcept;
    // The free clock's rate in Hz of a normalised knob value (0.01 Hz at 0, 20 Hz at 1).
    static double freeRateHz(double v) noexcept;

protected:
    //==========================================================================
    // Per-block frame of a clocked unit, in call order:
    //   takeSnapshotRequest, runModulationSlots, (engine reads its snapshot),
    //   beginBlockSettings, applyClockRequests, runClockAndTrigger ->
    //   if a step begins: beginStep, (engine's own window changes), chooseStep,
    //   publishCurrentStep, (engine evaluates the step), checkRestartLength;
    //   endBlock in every block.
    // The step order may find no step (curStep -1, after an empty window or
    // failed draws): an engine reads step values only when hasCurStep().
    // The pitch engine also sets cyclesPerBar after beginBlockSettings.

    // The values the frame takes from the unit's current snapshot.
    struct BlockSettings
    {
        bool unitOn = true;
        bool clockSync = true;
        int clockType = 0;
        float freeRate = 0.3f;
        int clockDiv = 11;
        int restartLength = 0;
    };

    // The frame's values from a unit snapshot whose fields are named as the
    // sequencer models name them.
    template <typename Snapshot> static BlockSettings blockSettingsOf(bool unitOn, const Snapshot& snap) noexcept
    {
        BlockSettings settings;
        settings.unitOn = unitOn;
        settings.clockSync = snap.csync;
        settings.clockType = snap.clktyp;
        settings.freeRate = snap.fclk;
        settings.clockDiv = snap.sclk.value;
        settings.restartLength = snap.rst;
        return settings;
    }

    // The snapshot to play: the chainer's request, else the pending snapshot,
    // else the current one. A request above 7 (the chainer's restart) plays
    // snapshot 0 and resets the unit for this block. Returns the snapshot index.
    int takeSnapshotRequest(int request, int pendingSnapshot, int currentSnapshot);
    // Re-aligns the slots when the unit is about to realign, then runs them.
    void runModulationSlots(ModBlock& modBlock, double ppq, bool playing, int wrapSample, bool nearLoopEnd,
                            int numSamples);
    // Swing state, hold-off countdown, per-block clears and the clock values.
    void beginBlockSettings(const BlockSettings& settings, int numSamples);
    // The block's reset and resync requests for this unit's target flag, and
    // the unit model's own resync request (which the caller then clears).
    void applyClockRequests(const std::pair<bool, bool>& resetResync, bool modelResyncRequest) noexcept;
    // Clock modulation, free rate, the phase block, cycle count, swing, the
    // cycle position and the trigger decision. True when a step begins.
    bool runClockAndTrigger(ModBlock& modBlock, const MyParam<int>& sclk, SwingHandler& swing, double ppq,
                            bool nearLoopEnd, int wrapSample, int numSamples);
    // Step count, restart, the step's start sample, realignment, hold-off,
    // the provisional step and the window with its modulation. True when a
    // pending reset request ran baseReset.
    bool beginStep(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt, const MyParam<int>& size,
                   double ppq, int numSamples);
    // Lets the step order choose curStep (-1 when it finds none).
    void chooseStep(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt, const MyParam<int>& size,
                    double ppq, int numSamples);
    // The unit's display entry: curStep, or -1 while the unit is off or reset.
    void publishCurrentStep() noexcept;
    void publishDisplay(int value) noexcept;
    // Restart the step order at the next step once restartLength steps have played.
    void checkRestartLength() noexcept;
    // Keeps the step count from overflowing; the wrap flag lasts one block.
    void endBlock() noexcept;

    // Every value the engine holds between blocks back to what construction
    // gave it, without touching storage or the spec: a unit slot reused on the
    // audio thread starts as a newly built engine would. Derived engines that
    // add state of their own clear it beside this call.
    void restoreConstructionState() noexcept;

    // The sum of a value's modulation over its first numSlots slots, each
    // source sample weighted by its curved depth, limited to +-0.999999.
    template <typename T>
    float modulationSum(const ModBlock& modBlock, const MyParam<T>& param, int numSlots, int readPos) const noexcept
    {
        float m = 0.0f;
        for (int k = 0; k < juce::jmin(numSlots, 2); ++k)
        {
            const int source = param.modSource[k];
            if (source <= 0)
                continue;
            const float depth = curvedDepth(param.modDepth[k]);
            if (depth != 0.0f)
                m += depth * readModSample(modBlock, source - 1, readPos);
        }
        return juce::jlimit(-modLimit, modLimit, m);
    }
    // One sample of a modulation channel; outside the block, or not a number, reads as 0.
    static float readModSample(const ModBlock& modBlock, int channel, int sample) noexcept;
    float curvedDepth(float depth) const noexcept;

    static constexpr float modLimit = 0.999999f;

    //==========================================================================
    const Scurve& scurve;
    const DispShareData& dispShare;
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    const int numSteps = numUnitSteps;
    SeqClock<double> clock;
    std::vector<double> phaseStorage;
    std::array<double*, 1> phaseChannel{};
    int phaseCapacity = 0;
    const int unitType;
    const int unitIndex;
    const int engineId;
    int stepProcCounter = 0;
    bool regenTrigList = false;
    bool resetThisBlock = false;
    int trigListSize = -1;
    StepOrderQueue stepTrigList;
    StepOrderQueue pingPongTrigList;
    StepOrderQueue rnd2TrigList;
    juce::Random random;
    std::mt19937 shuffleEngine;
    bool unitOn = true;
    int snapIndex = 0;
    bool startFlag = false;
    int trigHoldSamples = 0;
    // 16-step cycles per bar, used when realigning; the pitch engine sets it per block.
    double cyclesPerBar = 1.0;
    bool resetFlag = false;
    int restartLength = 0;
    bool restartPending = false;
    bool resyncFlag = false;
    int cycleCount = 0;
    bool clockSync = true;
    int clockDiv = 11;
    int clockType = 0;
    // The normalised knob value until the frame turns it into Hz.
    double freeRate = 0.3;
    bool swingOn = false;
    double swingAmount = 0.0;
    // This block's copy of the global swing value.
    MyParam<float> swingParam;
    bool trigFlag = false;
    int stepSamplePos = 0;
    int curPhaseIdx = 0;
    int curDir = 0;
    int curStrt = 0;
    int curSize = 0;
    int curStep = 0;
    double lastPhase = 0.0;
    int stepCounter = 0;
    int lastPhaseIdx = -1;
    bool wrapped = false;
    int lastStrt = 0;
    // Samples of one step in this block (the base gate length).
    double stepLen = 0.0;
    // The cycle-position and step-search scales of this unit kind, and the
    // samples the hold-off adds to a 128th note.
    const double indexScale;
    const double searchScale;
    const int holdExtraSamples;
    MirabelGlobalData& globalData;
    ScaleData& scaleData;
    ChordData& chordData;
    LfoData& lfoData;
    ModSlotHost modHandler;
    // The unit's copy of the scale model's table (pitch class -> semitone from
    // the C of the note's octave); identity until a pitch unit copies one.
    std::array<int, 12> scaleTable = identityScaleTable();
    // Entries -1 = empty; nothing plays from it.
    std::array<int, 5> trigChordList{-1, -1, -1, -1, -1};
    // Which parameter-sequencer codes this block's entries carry.
    std::array<bool, numPrmSqTarStates> prmSqTarStates{};
    // Humanise of velocity and gate: cleared by the pitch unit every block.
    bool humanizeFlag = false;
    float humanizeAmount = 0.0f;

    static std::array<int, 12> identityScaleTable() noexcept { return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; }

private:
    enum class PassResult
    {
        done,
        retry
    };
    PassResult stepProcessPass(int& drawCounter);
    // Direction, window start or size from a parameter unit's value.
    void applyPrmSqWindowEntry(PRMSQTARGET target, float value) noexcept;
    void rebuildStepLists();
    bool decideTrigger(const double* phase, bool nearLoopEnd) noexcept;
    void realign(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt, const MyParam<int>& size,
                 const double* phase, double ppq, int numSamples);
    // The block length the frame can process: the phase buffer's size caps it.
    int frameLength(int numSamples) const noexcept;
    PhaseBlock phaseView(int numSamples) noexcept;

    JUCE_DECLARE_NON_COPYABLE(SeqEngineBase)
};
