// SPDX-License-Identifier: GPL-3.0-or-later
// zu_bench_engine: runs the engine's work for each host block over a stretch
// of audio (a minute at 48 kHz in 64-sample blocks unless told otherwise) and
// prints the CPU time it took as a fraction of real time and the heap
// allocations made while processing. Run by hand (scripts/bench.sh); it
// passes or fails nothing.

#include "AllocationCounter.h"
#include "Scurve.h"
#include "SeqClock.h"

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
};

// What the host hands in with one block: a playing transport at a steady tempo.
struct HostBlock
{
    double ppq = 0.0;
    double bpm = 120.0;
    int numSamples = 0;
};

// Stands in for the tempo fields of the global model.
struct BenchTempo
{
    double bpm = 120.0;
    double invBpm = 1.0 / 120.0;
};

// The work measured for each block. To measure something else (the main
// engine's processBlock), replace this class; the runner below stays as it is.
// prepare() runs before the measurement starts, process() once per host block.
class ClockAndCurveWork
{
public:
    static constexpr int numUnitClocks = 13; // the clocked units: 4 pitch, 4 parameter, 4 CC, 1 octave-transpose
    static constexpr int numModReadsPerUnit = 16;
    static constexpr int numModChannels = 16;

    const char* describe() const
    {
        return "master clock, chainer clock, 13 unit clocks, 16 depth-curve reads per unit";
    }

    void prepare(double sampleRate, int maxBlockSize)
    {
        const juce::dsp::ProcessSpec spec{sampleRate, static_cast<juce::uint32>(maxBlockSize), 1};
        blockSize = static_cast<size_t>(maxBlockSize);

        clocks.clear();
        for (int c = 0; c < numUnitClocks + 2; ++c)
        {
            auto clock = std::make_unique<Clock>(tempo);
            clock->prepare(spec);
            clock->reset();
            clocks.push_back(std::move(clock));
        }
        phases.assign(clocks.size() * blockSize, 0.0);

        // A modulation block with something in every channel, and depths across the range.
        modBlock.assign(static_cast<size_t>(numModChannels) * blockSize, 0.0f);
        for (size_t ch = 0; ch < static_cast<size_t>(numModChannels); ++ch)
            for (size_t i = 0; i < blockSize; ++i)
                modBlock[ch * blockSize + i] = std::sin(0.01f * static_cast<float>(i + 7 * ch));
        for (size_t k = 0; k < depths.size(); ++k)
            depths[k] = -1.0f + 2.0f * static_cast<float>(k) / static_cast<float>(depths.size() - 1);
    }

    void process(const HostBlock& block)
    {
        if (block.bpm != tempo.bpm)
        {
            tempo.bpm = block.bpm;
            tempo.invBpm = 1.0 / std::max(block.bpm, 10.0);
        }
        const auto n = static_cast<size_t>(block.numSamples);

        // The master clock: one cycle a bar, scaled to ticks of 960 per quarter.
        double* master = runClock(0, block, n, 11, 0, 0.0, true);
        for (size_t i = 0; i < n; ++i)
            master[i] *= 3840.0;
        sink += master[n - 1];

        // The snapshot chainer's clock.
        sink += runClock(1, block, n, 9, 0, 0.0, true)[n - 1];

        // The units: a spread of divisions and types, three of them free-running,
        // each reading its modulated values through the depth curve.
        const size_t readAt = std::min<size_t>(65, n - 1);
        for (int u = 0; u < numUnitClocks; ++u)
        {
            const bool synced = u % 5 != 4;
            const double* phase =
                runClock(static_cast<size_t>(u) + 2, block, n, 8 + u % 6, u % 3, 0.5 + static_cast<double>(u), synced);
            sink += static_cast<double>(static_cast<int>(phase[n - 1] * 15.995));

            float modSum = 0.0f;
            for (int k = 0; k < numModReadsPerUnit; ++k)
            {
                const auto ch = static_cast<size_t>((u + k) % numModChannels);
                const float depth = scurve->calcModDep(depths[static_cast<size_t>(k + u) % depths.size()]);
                modSum += depth * modBlock[ch * blockSize + readAt];
            }
            sink += static_cast<double>(modSum);
        }
    }

    double checksum() const { return sink; }

private:
    using Clock = SeqClock<double, BenchTempo>;

    double* runClock(size_t index, const HostBlock& block, size_t n, int division, int type, double rateHz, bool synced)
    {
        double* out = phases.data() + index * blockSize;
        double* channels[] = {out};
        juce::dsp::AudioBlock<double> view(channels, 1, n);
        double inc = 0.0;
        double stepLen = 0.0;
        auto& clock = *clocks[index];
        clock.updateSamplesPerBeat();
        clock.processBlock(view, inc, block.ppq, -1, division, type, rateHz, synced, stepLen);
        sink += stepLen * 1e-9;
        return out;
    }

    BenchTempo tempo;
    ScurveShared scurve;
    std::vector<std::unique_ptr<Clock>> clocks;
    std::vector<double> phases;
    std::vector<float> modBlock;
    std::array<float, 23> depths{};
    size_t blockSize = 0;
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
    zubench::AllocationCounts allocations;
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
        zubench::ScopedAllocationCount counting;
        for (long long done = 0; done < totalSamples; done += block.numSamples)
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
                 "usage: %s [--seconds S] [--rate HZ] [--block N] [--bpm B]\n"
                 "  defaults: 60 s of audio at 48000 Hz in 64-sample blocks at 120 bpm\n",
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

    ClockAndCurveWork work;
    const auto result = runBench(work, settings);

    std::printf("zu_bench_engine: %.1f s of audio at %.0f Hz in %d-sample blocks (%lld blocks), %.1f bpm\n",
                result.audioSeconds, settings.sampleRate, settings.blockSize, result.numBlocks, settings.bpm);
    std::printf("work per block: %s\n", work.describe());
    std::printf("CPU time: %.6f s = %.5f of real time (%.3f %%); wall %.6f s; %.3f us per block\n", result.cpuSeconds,
                result.cpuSeconds / result.audioSeconds, 100.0 * result.cpuSeconds / result.audioSeconds,
                result.wallSeconds, 1e6 * result.cpuSeconds / static_cast<double>(result.numBlocks));
    std::printf("heap allocations while processing: %llu (operator new %llu, malloc family %llu)\n",
                static_cast<unsigned long long>(result.allocations.total()),
                static_cast<unsigned long long>(result.allocations.operatorNew),
                static_cast<unsigned long long>(result.allocations.cAlloc));
    if (!counterWorks)
        std::printf("WARNING: the allocation counter saw no test allocation; the count above is not valid\n");
    std::printf("checksum: %.6f\n", work.checksum());
    return 0;
}
