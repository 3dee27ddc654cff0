// SPDX-License-Identifier: GPL-3.0-or-later
// How long the audio thread's blocks take while a host thread saves or loads
// the state, as a host drives the plug-in: one thread calls processReplacing
// with a playing transport at the pace of a sound card, while the host's thread asks
// for the chunk (save) or hands it back (load) as fast as it can. The same
// runs on an empty JUCE instrument show what the machine itself adds. Links
// no JUCE.
//
//   zu_bench_state_latency <ours.so> <empty.so> [--seconds S]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <thread>
#include <vector>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffect.h>
#include <pluginterfaces/vst2.x/aeffectx.h>
} // namespace Vst2

namespace
{
using Clock = std::chrono::steady_clock;
using Entry = Vst2::AEffect* (*) (Vst2::audioMasterCallback);

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

Vst2::VstTimeInfo timeInfo{};

Vst2::VstIntPtr hostCallback(Vst2::AEffect*, Vst2::VstInt32 opcode, Vst2::VstInt32, Vst2::VstIntPtr, void*, float)
{
    switch (opcode)
    {
    case Vst2::audioMasterVersion:
        return 2400;
    case Vst2::audioMasterGetTime:
        return reinterpret_cast<Vst2::VstIntPtr>(&timeInfo);
    default:
        return 0;
    }
}

struct Stats
{
    double worstMs = 0.0, p999Ms = 0.0, medianMs = 0.0;
    size_t blocks = 0, hostCalls = 0;
};

enum class HostWork
{
    none,
    save,
    load
};

// Block times in microsecond bins up to 100 ms (longer ones in the last), so
// the audio thread records a block without allocating.
struct Histogram
{
    static constexpr size_t numBins = 100000;
    std::vector<uint64_t> bins = std::vector<uint64_t>(numBins, 0);
    uint64_t count = 0;
    double worstMs = 0.0;

    void add(double ms)
    {
        bins[std::min(numBins - 1, static_cast<size_t>(ms * 1000.0))] += 1;
        ++count;
        worstMs = std::max(worstMs, ms);
    }
    double quantileMs(double q) const
    {
        const auto wanted = static_cast<uint64_t>(static_cast<double>(count) * q);
        uint64_t seen = 0;
        for (size_t i = 0; i < numBins; ++i)
            if ((seen += bins[i]) > wanted)
                return static_cast<double>(i) / 1000.0;
        return worstMs;
    }
};

Stats measure(Vst2::AEffect* fx, HostWork work, const std::vector<char>& chunk, double seconds)
{
    Histogram times;
    std::atomic<bool> running{true};
    std::thread audio(
        [&]
        {
            std::vector<float> left(blockSize), right(blockSize);
            float* outputs[2] = {left.data(), right.data()};
            const auto period = std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(blockSize / sampleRate));
            auto due = Clock::now();
            while (running.load(std::memory_order_relaxed))
            {
                // Blocks come at the pace a sound card asks for them.
                due += period;
                std::this_thread::sleep_until(due);
                const auto start = Clock::now();
                fx->processReplacing(fx, nullptr, outputs, blockSize);
                times.add(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                timeInfo.samplePos += blockSize;
                timeInfo.ppqPos += blockSize * 2.0 / sampleRate;
            }
        });

    size_t calls = 0;
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end)
    {
        if (work == HostWork::save)
        {
            void* out = nullptr;
            fx->dispatcher(fx, Vst2::effGetChunk, 0, 0, &out, 0.0f);
        }
        else if (work == HostWork::load && !chunk.empty())
            fx->dispatcher(fx, Vst2::effSetChunk, 0, (Vst2::VstIntPtr) chunk.size(), const_cast<char*>(chunk.data()),
                           0.0f);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++calls;
    }
    running = false;
    audio.join();

    Stats s;
    s.blocks = times.count;
    s.hostCalls = work == HostWork::none ? 0 : calls;
    s.worstMs = times.worstMs;
    s.p999Ms = times.quantileMs(0.999);
    s.medianMs = times.quantileMs(0.5);
    return s;
}

// The plug-in's own chunk, with every unit listed in its unit list when it
// has one (JUCE's XML chunk: magic, text length, text), so that our units
// play while the host saves and loads.
std::vector<char> chunkWithUnitsPlaying(Vst2::AEffect* fx)
{
    void* data = nullptr;
    const auto size = fx->dispatcher(fx, Vst2::effGetChunk, 0, 0, &data, 0.0f);
    if (size <= 8 || data == nullptr)
        return {};
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(size));
    const std::string empty = "ctstate=\"CT:\"";
    const auto at = bytes.find(empty);
    if (at == std::string::npos)
        return {bytes.begin(), bytes.end()};
    bytes.replace(at, empty.size(), "ctstate=\"CT:100 200 300 400 500 900 1000 1300 1400 1500 \"");
    const auto length = static_cast<uint32_t>(bytes.size() - 9);
    std::memcpy(&bytes[4], &length, 4);
    return {bytes.begin(), bytes.end()};
}

bool runPlugin(const char* path, double seconds)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        return false;
    }
    auto entry = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"));
    auto* fx = entry != nullptr ? entry(hostCallback) : nullptr;
    if (fx == nullptr)
    {
        std::fprintf(stderr, "no instance from %s\n", path);
        return false;
    }
    fx->dispatcher(fx, Vst2::effOpen, 0, 0, nullptr, 0.0f);
    fx->dispatcher(fx, Vst2::effSetSampleRate, 0, 0, nullptr, (float) sampleRate);
    fx->dispatcher(fx, Vst2::effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    fx->dispatcher(fx, Vst2::effMainsChanged, 0, 1, nullptr, 0.0f);

    timeInfo = {};
    timeInfo.sampleRate = sampleRate;
    timeInfo.tempo = 120.0;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
    timeInfo.flags = Vst2::kVstTransportPlaying | Vst2::kVstPpqPosValid | Vst2::kVstTempoValid;

    // Our plug-in plays every unit kind (the empty one has no state to change).
    const auto chunk = chunkWithUnitsPlaying(fx);
    if (!chunk.empty())
        fx->dispatcher(fx, Vst2::effSetChunk, 0, (Vst2::VstIntPtr) chunk.size(), const_cast<char*>(chunk.data()), 0.0f);

    std::printf("%s\n", path);
    for (auto [work, name] : {std::pair{HostWork::none, "playing alone"}, std::pair{HostWork::save, "host saving"},
                              std::pair{HostWork::load, "host loading"}})
    {
        const auto s = measure(fx, work, chunk, seconds);
        std::printf("  %-14s blocks %8zu  host calls %6zu  median %.4f ms  99.9%% %.4f ms  worst %.3f ms\n", name,
                    s.blocks, s.hostCalls, s.medianMs, s.p999Ms, s.worstMs);
    }
    std::fflush(stdout);

    fx->dispatcher(fx, Vst2::effMainsChanged, 0, 0, nullptr, 0.0f);
    fx->dispatcher(fx, Vst2::effClose, 0, 0, nullptr, 0.0f);
    dlclose(library);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <ours.so> <empty.so> [--seconds S]\n", argv[0]);
        return 2;
    }
    double seconds = 10.0;
    for (int i = 3; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(0.5, std::atof(argv[i + 1]));
    std::printf("block of %d samples at %.0f Hz lasts %.3f ms\n", blockSize, sampleRate,
                blockSize * 1000.0 / sampleRate);
    const bool ok = runPlugin(argv[1], seconds) && runPlugin(argv[2], seconds);
    return ok ? 0 : 1;
}
