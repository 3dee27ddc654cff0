// SPDX-License-Identifier: GPL-3.0-or-later
// zu_bench_engine: runs the engine's work for each host block over a stretch
// of audio (a minute at 48 kHz in 64-sample blocks unless told otherwise) and
// prints the CPU time it took as a fraction of real time and the heap
// allocations made while processing. Run by hand (scripts/bench.sh); it
// passes or fails nothing.

#include "AllocationCounter.h"
#include "MainEngine.h"
#include "ModEngineHandler2.h"

#include "ChordData.h"
#include "CtrCcRackData.h"
#include "CtrCcSqData.h"
#include "CtrOctSqData.h"
#include "CtrPrmSqData.h"
#include "CtrPtchSqData.h"
#include "LfoData.h"
#include "MacroData.h"
#include "MirabelGlobalData.h"
#include "ScaleData.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct BenchSettings
{
    double seconds = 60.0;
    double sampleRate = 48000.0;
    int blockSize = 64;
    double bpm = 120.0;
    bool recordersArmed = true;
};

// What the host hands in with one block: a playing transport at a steady tempo.
struct HostBlock
{
    double ppq = 0.0;
    double bpm = 120.0;
    int numSamples = 0;
};

// The ten models as the processor owns them.
struct Models
{
    Models()
    {
        global.createParamMap();
        pitch.createParamMap();
        param.createParamMap();
        cc.createParamMap();
        octTp.createParamMap();
        rack.createParamMap();
        lfo.createParamMap();
        macros.createParamMap();
        scale.createParamMap();
        chord.createParamMap();
    }

    MirabelGlobalData global;
    CtrPtchSqData pitch;
    CtrPrmSqData param;
    CtrCcSqData cc;
    CtrOctSqData octTp;
    CtrCcRackData rack;
    LfoData lfo;
    MacroData macros;
    ScaleData scale;
    ChordData chord;
};

// Every modulation slot of every unit on (15 x 8 x 8 snapshots), in mixed
// modes: the three engine modes, all eight waveforms, free and synced rates,
// hold and glide, smoothing, bipolar and shaped outputs, and knobs moved by
// lower slots and by the macros.
void switchOnAllSlots(LfoData& lfo)
{
    for (size_t u = 0; u < (size_t) LfoData::numUnits; ++u)
        for (auto& snap : lfo.unitSnaps[u])
            for (size_t j = 0; j < (size_t) LfoData::numSlots; ++j)
            {
                auto& s = snap[j];
                const int k = (int) (u * 8 + j);
                s.pwr = true;
                s.engn = k % 3;
                s.bwf = (k * 3) % 8;
                s.bsahm = (k / 3) % 2;
                s.csync = k % 2 == 0;
                s.clktyp = k % 3;
                s.ksr.value = 7 + k % 7;
                s.kfr.value = 0.2f + 0.1f * (float) (k % 7);
                s.bbi = k % 4 == 1;
                s.bphi = k % 5 == 2;
                s.bexp = k % 6 == 3;
                s.bsat = k % 7 == 4;
                s.ksm.value = k % 4 == 0 ? 0.3f : 0.0f;
                s.kph.value = 0.1f * (float) (k % 4);
                for (size_t w = 0; w < s.prb.size(); ++w)
                    s.prb[w] = 0.1f * (float) ((k + (int) w) % 5);
                s.weightsChanged = true;
                if (j > 0)
                {
                    // The level follows the slot below, the phase a macro.
                    s.klv.modSource[0] = (int) j;
                    s.klv.modDepth[0] = 0.4f;
                    s.klv.updateModActive();
                    s.kph.modSource[0] = 9 + (int) (j % 8);
                    s.kph.modDepth[0] = -0.3f;
                    s.kph.updateModActive();
                }
            }
}

// The modulation slots alone: one slot host per unit (15 units x 8 slots, all
// on), each filling its channels 0 to 7 of the block in turn, as the unit
// engines call them, with the macros in channels 8 to 15.
class ModSlotWork
{
public:
    static constexpr int numModChannels = 16;

    ModSlotWork()
    {
        for (int u = 0; u < LfoData::numUnits; ++u)
            hosts[(size_t) u] = std::make_unique<ModEngineHandler2>(models.global, models.lfo, u);
    }

    std::string describe() const
    {
        return "ModEngineHandler2::processBlock for 15 units: all 120 modulation slots on, mixed modes";
    }

    void prepare(double sampleRate, int maxBlockSize)
    {
        juce::dsp::ProcessSpec spec{sampleRate, static_cast<juce::uint32>(maxBlockSize), 1};
        for (auto& host : hosts)
            host->prepare(spec);
        modBlock = juce::dsp::AudioBlock<float>(modMemory, numModChannels, static_cast<size_t>(maxBlockSize));
        modBlock.clear();
        for (int c = 8; c < numModChannels; ++c)
            modBlock.getSingleChannelBlock((size_t) c).fill(0.1f * (float) (c - 7));
        switchOnAllSlots(models.lfo);
        models.global.bpm = 120.0;
    }

    void process(const HostBlock& block)
    {
        models.global.ppq = block.ppq;
        models.global.bpm = block.bpm;
        for (auto& host : hosts)
        {
            host->processBlock(modBlock, static_cast<float>(block.ppq), true, -1, false, block.numSamples);
            sink += modBlock.getSample(7, 0);
        }
    }

    double checksum() const { return sink; }
    std::string played() const { return "nothing (modulation slots only)"; }

private:
    Models models;
    std::array<std::unique_ptr<ModEngineHandler2>, LfoData::numUnits> hosts;
    juce::HeapBlock<char> modMemory;
    juce::dsp::AudioBlock<float> modBlock;
    double sink = 0.0;
};

// The work measured for each block: the main engine's processBlock, driven as
// the processor drives it. prepare() runs before the measurement starts,
// process() once per host block.
class MainEngineWork
{
public:
    static constexpr int numModChannels = 16;
    // The CC units send this controller, the racks' knobs 19 to 26.
    static constexpr int ccUnitController = 74;

    explicit MainEngineWork(bool armRecorders)
        : recordersArmed(armRecorders), engine(models.global, models.pitch, models.param, models.cc, models.octTp,
                                               models.rack, models.lfo, models.macros, models.scale, models.chord)
    {
    }

    std::string describe() const
    {
        return std::string("MainEngine::processBlock: playing host, all 15 units listed and every kind playing: four "
                           "CC units sending a controller per step, two racks of eight knobs following a macro, the "
                           "octave-transpose unit stepping, each parameter unit steering one pitch unit with an event "
                           "on every step (all thirteen targets in turn, the value modulated by a macro), the pitch "
                           "units playing chords of three to five notes with mixed gates, "
                           "slurs and directions, chainer on for every target, macros moving, global octave and "
                           "transpose modulated by a macro, keyboard transpose presses, a D major scale on every "
                           "pitch unit with its root and order changing, note values modulated by the macros, swing "
                           "on every target with its amount modulated, all 120 modulation slots on in mixed modes, ") +
               (recordersArmed ? "all five recorder lanes armed (one-bar takes)" : "recorder lanes not armed");
    }

    void prepare(double sampleRate, int maxBlockSize)
    {
        juce::dsp::ProcessSpec spec{sampleRate, static_cast<juce::uint32>(maxBlockSize), 0};
        engine.prepare(spec);
        modBlock = juce::dsp::AudioBlock<float>(modMemory, numModChannels, static_cast<size_t>(maxBlockSize));
        modBlock.clear();
        engine.setModulationBlock(modBlock);
        output.ensureSize(65536);
        inputNotes.reserve(64);

        auto& g = models.global;
        g.loadCenterUnitStateFromString("CT: 100 200 300 400 500 600 700 800 900 1000 1100 1200 1300 1400 1500");
        switchOnAllSlots(models.lfo);
        g.setParamVal("p0_chrpwr", 1.0f);
        g.setParamVal("p0_chrspd", 6.0f);
        g.setParamVal("p0_chrsize", 8.0f);
        for (int t = 1; t <= 15; ++t)
            g.setParamVal("p0_chrtar" + juce::String(t), static_cast<float>(1 + t % 8));
        g.setParamVal("p0_goct", 1.0f);
        g.setParamVal("p0_goct_modsrc1", 9.0f);
        g.setParamVal("p0_goct_moddep1", 0.5f);
        g.setParamVal("p0_gtp", 2.0f);
        g.setParamVal("p0_gtp_modsrc1", 10.0f);
        g.setParamVal("p0_gtp_moddep1", -0.7f);
        g.setParamVal("p0_miditp", 1.0f);
        g.setMidiTpNote(48);
        for (auto& armed : g.recArmed)
            armed = recordersArmed;

        // Four pitch units, each on its own channel, playing chords.
        auto& chord = models.chord;
        chord.setParamVal("p9_chord_pwr", 1.0f);
        for (int u = 1; u <= 4; ++u)
        {
            chord.setParamVal("p9_chordtar" + juce::String(u), 1.0f);
            const juce::String prefix = zu::units::unitPrefix(u);
            models.pitch.setParamVal(prefix + "ch", static_cast<float>(u));
            models.pitch.setParamVal(prefix + "dir", static_cast<float>(u - 1));
            for (int k = 1; k <= 32; ++k)
            {
                models.pitch.setParamVal(prefix + "pch" + juce::String(k), static_cast<float>((k * 5 + u) % 13));
                models.pitch.setParamVal(prefix + "gate" + juce::String(k), static_cast<float>((k * 37) % 101));
                models.pitch.setParamVal(prefix + "slr" + juce::String(k), (k + u) % 4 == 0 ? 1.0f : 0.0f);
            }
        }
        // Four parameter units, unit u steering pitch unit u, every step an
        // event (menu item = code + 1), the restart rarely.
        for (int u = 1; u <= 4; ++u)
        {
            const juce::String prefix = zu::units::unitPrefix(zu::units::param, u - 1);
            for (int t = 1; t <= 4; ++t)
                models.param.setParamVal(prefix + "tar" + juce::String(t), t == u ? 1.0f : 0.0f);
            for (int k = 1; k <= 32; ++k)
            {
                const int code = k == 32 ? 13 : 1 + (k + u) % 12;
                models.param.setParamVal(prefix + "emenu" + juce::String(k), static_cast<float>(code + 1));
                models.param.setParamVal(prefix + "sval" + juce::String(k),
                                         static_cast<float>((k * 7 + u) % 10) * 0.1f);
                models.param.setParamVal(prefix + "sval" + juce::String(k) + "_ms1", 9.0f);
                models.param.setParamVal(prefix + "sval" + juce::String(k) + "_md1", 0.3f);
            }
        }
        // C major laid from D on every pitch unit; unit transpose, step pitch,
        // velocity and gate follow the two moving macros (sources 9 and 10).
        auto& scale = models.scale;
        scale.publishTable(
            ScaleData::buildScaleTable({true, false, true, false, true, true, false, true, false, true, false, true}));
        scale.setParamVal("p8_scale_pwr", 1.0f);
        scale.setParamVal("p8_scale_root", 2.0f);
        for (int u = 1; u <= 4; ++u)
        {
            scale.setParamVal("p8_scaletar" + juce::String(u), 1.0f);
            const juce::String prefix = zu::units::unitPrefix(u);
            models.pitch.setParamVal(prefix + "tp_ms1", 9.0f);
            models.pitch.setParamVal(prefix + "tp_md1", 0.3f);
            models.pitch.setParamVal(prefix + "goct_ms2", 10.0f);
            models.pitch.setParamVal(prefix + "goct_md2", -0.4f);
            for (int k = 1; k <= 32; ++k)
                for (const char* value : {"pch", "vel", "gate"})
                {
                    models.pitch.setParamVal(prefix + value + juce::String(k) + "_ms1", 10.0f);
                    models.pitch.setParamVal(prefix + value + juce::String(k) + "_md1", 0.5f);
                }
        }
        // Swing on every target; a macro moves its amount, so the warp table is rebuilt now and then.
        g.setParamVal("p0_swing", 0.4f);
        g.setParamVal("p0_swing_modsrc1", 9.0f);
        g.setParamVal("p0_swing_moddep1", 0.6f);
        for (int n = 1; n <= 13; ++n)
            g.setParamVal("p0_swgtar" + juce::String(n), 1.0f);

        // CC units and racks send to controllers; their values follow macro 1.
        for (auto& unit : models.cc.units)
        {
            unit.snaps[0].tarcc = ccUnitController + 1;
            for (auto& step : unit.snaps[0].steps)
            {
                step.sval.value = 0.3f;
                step.sval.modSource[0] = 9;
                step.sval.modDepth[0] = 0.8f;
                step.sval.modActive = true;
            }
        }
        for (auto& rack : models.rack.units)
            for (int k = 0; k < 8; ++k)
            {
                auto& knob = rack.snaps[0].knobs[(size_t) k];
                knob.ktarcc = 20 + k;
                knob.kval.value = 0.1f * (float) k;
                knob.kval.modSource[0] = 9;
                knob.kval.modDepth[0] = 0.5f;
                knob.kval.modActive = true;
            }
        // The octave-transpose unit moves pitch units 1 and 2.
        g.setParamVal("p0_gocttptar1", 1.0f);
        g.setParamVal("p0_gocttptar2", 1.0f);
        for (int k = 0; k < 32; ++k)
        {
            models.octTp.units[0].snaps[0].steps[(size_t) k].soct.value = 1 + k % 3;
            models.octTp.units[0].snaps[0].steps[(size_t) k].stp.value = k % 5 - 2;
        }

        // Chord slots set as the editor stores them (menu value: type + 1).
        for (int slot = 1; slot <= 12; ++slot)
        {
            chord.setParamVal("p9_chord_type" + juce::String(slot), static_cast<float>(1 + (slot * 7) % 20));
            chord.setParamVal("p9_chord_inv" + juce::String(slot), static_cast<float>(1 + slot % 4));
        }
    }

    void process(const HostBlock& block)
    {
        // The host moves two macros now and then, and a key is pressed every 100 blocks.
        if (blockCount % 37 == 0)
            models.macros.macroValues[0] = static_cast<float>((blockCount / 37) % 11) * 0.1f;
        if (blockCount % 53 == 0)
            models.macros.macroValues[1] = static_cast<float>((blockCount / 53) % 7) * 0.15f;
        if (blockCount % 211 == 0)
        {
            models.scale.scaleOrder = static_cast<int>((blockCount / 211) % 2);
            models.scale.rootShift = (blockCount / 422) % 2 == 1;
        }
        inputNotes.clear();
        if (blockCount % 100 == 0)
            inputNotes.emplace_back(48 + static_cast<int>(blockCount / 100) % 25, 1, 0, 0);
        ++blockCount;

        juce::AudioPlayHead::PositionInfo info;
        info.setIsPlaying(true);
        info.setPpqPosition(block.ppq);
        info.setBpm(block.bpm);
        juce::Optional<juce::AudioPlayHead::PositionInfo> position(info);

        output.clear();
        engine.processBlock(input, output, inputNotes, position, block.numSamples);
        for (const auto metadata : output)
        {
            const auto message = metadata.getMessage();
            if (message.isNoteOn())
                ++noteOns;
            else if (message.isController())
                ++(message.getControllerNumber() == ccUnitController ? ccUnitMessages : rackMessages);
        }
        octTpSteps +=
            models.global.octTpOn.load() &&
                    models.global.curSteps[(size_t) zu::units::displayIndexOf(zu::units::octTp, 0)].load() >= 0
                ? 1
                : 0;
        sink += models.global.samplesPerBeat.load() * 1e-9 + models.global.chrCurStep.load() +
                engine.getGlobalOctTp().x + engine.getGlobalOctTp().y + engine.getTickBlock().getSample(0, 0) * 1e-6;
    }

    double checksum() const { return sink; }
    std::string played() const
    {
        return std::to_string(noteOns) + " note-ons, " + std::to_string(ccUnitMessages) + " CC unit controllers, " +
               std::to_string(rackMessages) + " rack controllers, " + std::to_string(octTpSteps) +
               " blocks with an octave-transpose step shown";
    }

private:
    bool recordersArmed = true;
    Models models;
    MainEngine engine;
    juce::HeapBlock<char> modMemory;
    juce::dsp::AudioBlock<float> modBlock;
    juce::MidiBuffer input;
    juce::MidiBuffer output;
    MainEngine::InputNotes inputNotes;
    long long blockCount = 0;
    long long noteOns = 0;
    long long ccUnitMessages = 0;
    long long rackMessages = 0;
    long long octTpSteps = 0;
    double sink = 0.0;
};

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

struct BenchResult
{
    long long numBlocks = 0;
    double audioSeconds = 0.0;
    double cpuSeconds = 0.0;
    double wallSeconds = 0.0;
    zubench::AllocationCounts firstBlockAllocations;
    zubench::AllocationCounts allocations; // after the first block
};

template <typename Work> BenchResult runBench(Work& work, const BenchSettings& settings)
{
    const auto totalSamples = static_cast<long long>(std::llround(settings.seconds * settings.sampleRate));
    const double ppqPerSample = settings.bpm / (60.0 * settings.sampleRate);

    work.prepare(settings.sampleRate, settings.blockSize);

    BenchResult result;
    HostBlock block;
    block.bpm = settings.bpm;

    const double cpuStart = threadCpuSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    {
        // The first block starts play (the recorders open their takes): counted on its own.
        long long done = 0;
        {
            zubench::ScopedAllocationCount counting;
            block.numSamples = static_cast<int>(std::min<long long>(settings.blockSize, totalSamples));
            block.ppq = 0.0;
            work.process(block);
            ++result.numBlocks;
            done += block.numSamples;
            result.firstBlockAllocations = counting.countsSoFar();
        }
        zubench::ScopedAllocationCount counting;
        for (; done < totalSamples; done += block.numSamples)
        {
            block.numSamples = static_cast<int>(std::min<long long>(settings.blockSize, totalSamples - done));
            block.ppq = static_cast<double>(done) * ppqPerSample;
            work.process(block);
            ++result.numBlocks;
        }
        result.allocations = counting.countsSoFar();
    }
    result.cpuSeconds = threadCpuSeconds() - cpuStart;
    result.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    result.audioSeconds = static_cast<double>(totalSamples) / settings.sampleRate;
    return result;
}

// One allocation through operator new and one through malloc, as JUCE's
// HeapBlock makes them: both must be seen, or the counts printed mean nothing.
// The pointers escape through a volatile so that the pairs are not optimised away.
void* volatile escapedPointer = nullptr;

bool allocationCounterWorks()
{
    zubench::AllocationCounts counts;
    {
        zubench::ScopedAllocationCount counting;
        auto* viaNew = new std::string(64, 'x');
        escapedPointer = viaNew;
        juce::HeapBlock<char> viaMalloc(256);
        escapedPointer = viaMalloc.get();
        counts = counting.countsSoFar();
        delete viaNew;
    }
    escapedPointer = nullptr;
    return counts.operatorNew >= 1 && counts.cAlloc >= 1;
}

void printUsage(const char* program)
{
    std::fprintf(stderr,
                 "usage: %s [--seconds S] [--rate HZ] [--block N] [--bpm B] [--no-rec]\n"
                 "  defaults: 60 s of audio at 48000 Hz in 64-sample blocks at 120 bpm, recorder lanes armed\n",
                 program);
}

bool parsePositive(const char* text, double& value)
{
    char* end = nullptr;
    const double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(parsed) || parsed <= 0.0)
        return false;
    value = parsed;
    return true;
}

bool parseArguments(int argc, char** argv, BenchSettings& settings)
{
    for (int i = 1; i < argc; ++i)
    {
        const char* option = argv[i];
        if (std::strcmp(option, "--no-rec") == 0)
        {
            settings.recordersArmed = false;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        double value = 0.0;
        if (!parsePositive(argv[++i], value))
            return false;

        if (std::strcmp(option, "--seconds") == 0)
            settings.seconds = value;
        else if (std::strcmp(option, "--rate") == 0 && value >= 1000.0)
            settings.sampleRate = value;
        else if (std::strcmp(option, "--block") == 0 && value >= 1.0 && value <= 65536.0)
            settings.blockSize = static_cast<int>(value);
        else if (std::strcmp(option, "--bpm") == 0)
            settings.bpm = value;
        else
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    BenchSettings settings;
    if (!parseArguments(argc, argv, settings))
    {
        printUsage(argv[0]);
        return 2;
    }

    const bool counterWorks = allocationCounterWorks();

    const auto report = [&](auto& work)
    {
        const auto result = runBench(work, settings);
        std::printf("zu_bench_engine: %.1f s of audio at %.0f Hz in %d-sample blocks (%lld blocks), %.1f bpm\n",
                    result.audioSeconds, settings.sampleRate, settings.blockSize, result.numBlocks, settings.bpm);
        std::printf("work per block: %s\n", work.describe().c_str());
        std::printf("CPU time: %.6f s = %.5f of real time (%.3f %%); wall %.6f s; %.3f us per block\n",
                    result.cpuSeconds, result.cpuSeconds / result.audioSeconds,
                    100.0 * result.cpuSeconds / result.audioSeconds, result.wallSeconds,
                    1e6 * result.cpuSeconds / static_cast<double>(result.numBlocks));
        std::printf("heap allocations in the first block: %llu (operator new %llu, malloc family %llu)\n",
                    static_cast<unsigned long long>(result.firstBlockAllocations.total()),
                    static_cast<unsigned long long>(result.firstBlockAllocations.operatorNew),
                    static_cast<unsigned long long>(result.firstBlockAllocations.cAlloc));
        std::printf("heap allocations after the first block: %llu (operator new %llu, malloc family %llu)\n",
                    static_cast<unsigned long long>(result.allocations.total()),
                    static_cast<unsigned long long>(result.allocations.operatorNew),
                    static_cast<unsigned long long>(result.allocations.cAlloc));
        if (!counterWorks)
            std::printf("WARNING: the allocation counter saw no test allocation; the count above is not valid\n");
        std::printf("played: %s\n", work.played().c_str());
        std::printf("checksum: %.6f\n\n", work.checksum());
    };

    MainEngineWork engineWork(settings.recordersArmed);
    report(engineWork);
    ModSlotWork slotWork;
    report(slotWork);
    return 0;
}
