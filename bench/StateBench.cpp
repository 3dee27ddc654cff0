// SPDX-License-Identifier: GPL-3.0-or-later
// zu_bench_state: what a host waits for when it creates an instance and when it
// saves and restores one. Prints
// - the time to construct and destroy the processor, beside the same for a bare
//   juce::AudioProcessor in this binary, and their ratio;
// - the state chunk's size and the times of a save and of a restore into an
//   instance already in use, for a new instance's state and for a fully
//   randomised one (every host parameter, every tree value, every snapshot).
// Run by hand (scripts/bench-state.sh); it passes or fails nothing.

#include "BareProcessor.h"
#include "PluginProcessor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The bare processor with what JUCE itself costs for our host parameters: a
// value-tree state holding 100 float parameters.
class BareWithParameters : public BareProcessor
{
public:
    BareWithParameters() : state(*this, nullptr, "ZUMIRABOX", makeLayout()) {}

private:
    static juce::AudioProcessorValueTreeState::ParameterLayout makeLayout()
    {
        juce::AudioProcessorValueTreeState::ParameterLayout layout;
        for (int i = 0; i < 100; ++i)
            layout.add(std::make_unique<juce::AudioParameterFloat>(juce::ParameterID("p" + juce::String(i), 1),
                                                                   "P" + juce::String(i),
                                                                   juce::NormalisableRange<float>(0.0f, 1.0f), 0.0f));
        return layout;
    }
    juce::AudioProcessorValueTreeState state;
};

// Every numeric property of a tree and its children gets a random value of its
// own type (integers stay integers).
void randomiseTree(juce::ValueTree tree, std::mt19937& rng)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < tree.getNumProperties(); ++i)
    {
        const auto name = tree.getPropertyName(i);
        const auto& v = tree.getProperty(name);
        if (v.isInt())
            tree.setProperty(name, (int) (rng() % 8), nullptr);
        else if (v.isDouble())
            tree.setProperty(name, (double) (unit(rng) * 4.0f - 1.0f), nullptr);
    }
    for (auto child : tree)
        randomiseTree(child, rng);
}

void randomiseState(ZumiraboxAudioProcessor& p, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (auto* param : p.getParameters())
        param->setValueNotifyingHost(unit(rng));

    // Every snapshot of every unit stored with its own random values.
    constexpr int unitsOfKind[] = {4, 4, 4, 1, 2};
    for (int s = 0; s < 8; ++s)
    {
        randomiseTree(p.paramTree.getChildWithName("seqmain"), rng);
        randomiseTree(p.paramTree.getChildWithName("modmain"), rng);
        for (int kind = 0; kind < 5; ++kind)
            for (int index = 0; index < unitsOfKind[kind]; ++index)
                p.updateSeqSnapVt(kind, index, s);
    }
    randomiseTree(p.paramTree, rng);
}

struct StateFigures
{
    size_t bytes = 0;
    double saveMs = 0.0;
    double restoreMs = 0.0;
};

StateFigures measureState(ZumiraboxAudioProcessor& source, ZumiraboxAudioProcessor& target,
                          const juce::MemoryBlock& other, int rounds)
{
    StateFigures f;
    juce::MemoryBlock chunk;
    std::vector<double> saves, restores;
    for (int i = 0; i < rounds; ++i)
    {
        chunk.reset();
        saves.push_back(millisecondsOf([&] { source.getStateInformation(chunk); }));
        // Restore into an instance in use: it holds the other state first.
        target.setStateInformation(other.getData(), (int) other.getSize());
        restores.push_back(millisecondsOf([&] { target.setStateInformation(chunk.getData(), (int) chunk.getSize()); }));
    }
    f.bytes = chunk.getSize();
    f.saveMs = median(saves);
    f.restoreMs = median(restores);
    return f;
}

template <class Processor> double constructionMs(int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(millisecondsOf([] { std::make_unique<Processor>().reset(); }));
    return median(times);
}

void useFreshHome()
{
    char pattern[] = "/tmp/zu-bench-home-XXXXXX";
    if (const char* dir = mkdtemp(pattern))
        setenv("HOME", dir, 1);
}
} // namespace

int main(int argc, char** argv)
{
    int rounds = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));

    useFreshHome();
    juce::ScopedJuceInitialiser_GUI juceInit;

    // The first instance pays for what a process builds once; a host pays it
    // once too, so it is reported on its own.
    const double firstMs = millisecondsOf([] { std::make_unique<ZumiraboxAudioProcessor>().reset(); });
    const double bareMs = constructionMs<BareProcessor>(rounds * 4);
    const double paramsMs = constructionMs<BareWithParameters>(rounds * 4);
    const double oursMs = constructionMs<ZumiraboxAudioProcessor>(rounds);
    std::printf("construct+destroy (median of %d): processor %.3f ms, bare juce::AudioProcessor %.4f ms (ratio %.1f), "
                "bare with 100 JUCE parameters %.3f ms (ratio %.2f); first instance in the process %.3f ms\n",
                rounds, oursMs, bareMs, bareMs > 0.0 ? oursMs / bareMs : 0.0, paramsMs,
                paramsMs > 0.0 ? oursMs / paramsMs : 0.0, firstMs);

    ZumiraboxAudioProcessor fresh, randomised, target;
    randomiseState(randomised, 20261211u);

    juce::MemoryBlock defaultChunk, randomChunk;
    fresh.getStateInformation(defaultChunk);
    randomised.getStateInformation(randomChunk);

    const auto d = measureState(fresh, target, randomChunk, rounds);
    const auto r = measureState(randomised, target, defaultChunk, rounds);
    std::printf("default state:    %8zu bytes, save %7.2f ms, restore %7.2f ms (median of %d)\n", d.bytes, d.saveMs,
                d.restoreMs, rounds);
    std::printf("randomised state: %8zu bytes, save %7.2f ms, restore %7.2f ms (median of %d)\n", r.bytes, r.saveMs,
                r.restoreMs, rounds);
    return 0;
}
