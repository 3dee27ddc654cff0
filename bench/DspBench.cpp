// SPDX-License-Identifier: GPL-3.0-or-later
// zu_bench_dsp: the cost per sample of each signal-module class in float and
// double, once on a sine and once on silence after a burst (where states that
// decay into denormal numbers would slow a filter down), and the heap
// allocations made while processing. Run by hand (scripts/bench.sh dsp); it
// passes or fails nothing.

#include "AllocationCounter.h"
#include "zu_dsp.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace zu::zudsp;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 64;

enum class Signal
{
    sine,
    silence
};

struct Result
{
    double nsPerSample = 0.0;
    unsigned long long allocations = 0;
    double checksum = 0.0;
};

// Fills a stereo block: a 440 Hz sine, or silence after the first 10 ms of it.
template <typename T> void fillInput(juce::AudioBuffer<T>& buffer, long long firstSample, Signal signal)
{
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const long long n = firstSample + i;
        const bool on = signal == Signal::sine || n < static_cast<long long>(sampleRate * 0.01);
        const T x =
            on ? static_cast<T>(0.5 * std::sin(2.0 * juce::MathConstants<double>::pi * 440.0 * n / sampleRate)) : T(0);
        buffer.setSample(0, i, x);
        buffer.setSample(1, i, x);
    }
}

// Runs `work` over every block and times only the work.
template <typename T>
Result measure(double seconds, Signal signal, const std::function<void(juce::AudioBuffer<T>&)>& work)
{
    juce::AudioBuffer<T> buffer(2, blockSize);
    const long long blocks = static_cast<long long>(seconds * sampleRate) / blockSize;
    double elapsed = 0.0;
    Result result;
    zubench::ScopedAllocationCount allocations;
    for (long long b = 0; b < blocks; ++b)
    {
        fillInput(buffer, b * blockSize, signal);
        const auto start = std::chrono::steady_clock::now();
        work(buffer);
        elapsed += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        result.checksum += static_cast<double>(buffer.getSample(0, blockSize - 1));
    }
    result.allocations = allocations.countsSoFar().total();
    result.nsPerSample = elapsed * 1.0e9 / static_cast<double>(blocks * blockSize);
    return result;
}

// A per-sample filter over both channels of the block.
template <typename T, typename Filter> std::function<void(juce::AudioBuffer<T>&)> perSample(Filter& filter)
{
    return [&filter](juce::AudioBuffer<T>& buffer)
    {
        for (int ch = 0; ch < 2; ++ch)
        {
            T* data = buffer.getWritePointer(ch);
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                data[i] = filter.processSample(data[i], ch);
        }
    };
}

const juce::dsp::ProcessSpec spec{sampleRate, blockSize, 2};

template <typename T> void runAll(double seconds, const char* typeName)
{
    auto report = [&](const char* name, Signal signal, const std::function<void(juce::AudioBuffer<T>&)>& work)
    {
        const auto r = measure<T>(seconds, signal, work);
        std::printf("%-14s %-6s %-8s %8.2f ns/sample   allocations %llu   checksum %.6g\n", name, typeName,
                    signal == Signal::sine ? "sine" : "silence", r.nsPerSample, r.allocations, r.checksum);
    };

    for (const Signal signal : {Signal::sine, Signal::silence})
    {
        {
            auto phasor = std::make_unique<ZuPhasor<T>>();
            phasor->prepare(spec);
            phasor->setFrequency(T(3));
            phasor->setWidth(T(0.5));
            report("ZuPhasor", signal,
                   [&](juce::AudioBuffer<T>& buffer)
                   {
                       juce::dsp::AudioBlock<T> block(buffer);
                       phasor->setFrequency(phasor->getFrequency() == T(3) ? T(5) : T(3)); // keep a glide running
                       phasor->process(block, blockSize);
                   });
        }
        {
            LpLin<T> lp;
            lp.prepare(spec);
            lp.setCutoff(T(1000));
            report("LpLin", signal, perSample<T>(lp));
        }
        {
            ApLin<T> ap;
            ap.prepare(spec);
            ap.setCutoff(1000.0f);
            report("ApLin", signal, perSample<T>(ap));
        }
        {
            ZuHighShelf<T> hs;
            hs.prepare(spec);
            hs.setInitialState(T(2000), T(0.707), T(9));
            report("ZuHighShelf", signal, perSample<T>(hs));
        }
        {
            ZuLowShelf<T> ls;
            ls.prepare(spec);
            ls.setInitialState(T(200), T(0.707), T(-9));
            report("ZuLowShelf", signal, perSample<T>(ls));
        }
        {
            ZuSampleDelay<T> delay;
            delay.initialise(8192, 2, 0);
            delay.prepare(spec);
            delay.setDelaySec(T(0.05));
            delay.setDelaySec(T(0.1)); // glides
            report("ZuSampleDelay", signal,
                   [&](juce::AudioBuffer<T>& buffer)
                   {
                       juce::dsp::AudioBlock<T> block(buffer);
                       delay.process(juce::dsp::ProcessContextReplacing<T>(block));
                   });
        }
        {
            auto shifter = std::make_unique<PitchShifter<T>>();
            shifter->prepare(spec);
            report("PitchShifter", signal,
                   [&](juce::AudioBuffer<T>& buffer)
                   {
                       juce::dsp::AudioBlock<T> block(buffer);
                       shifter->process(juce::dsp::ProcessContextReplacing<T>(block));
                   });
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    double seconds = 20.0;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else
        {
            std::fprintf(stderr, "usage: %s [--seconds S]  (audio per class and signal, default 20)\n", argv[0]);
            return 2;
        }
    }
    if (!(seconds > 0.0))
        seconds = 20.0;
    std::printf("zu_bench_dsp: %.1f s of stereo audio per run at %.0f Hz in %d-sample blocks; denormals not "
                "flushed by the CPU\n",
                seconds, sampleRate, blockSize);
    runAll<float>(seconds, "float");
    runAll<double>(seconds, "double");
    return 0;
}
