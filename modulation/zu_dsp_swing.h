// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Swing's two signal helpers: a value table over a normalised input, and the
// time warp of a 16-step phase ramp that swing samples into such a table.
// Plain templates in the JUCE dsp shape; the tables are sized at
// construction, so nothing allocates when a table is rebuilt or read.

#include <juce_core/juce_core.h>
#include <juce_dsp/juce_dsp.h>

#include <cmath>

namespace zu::zudsp
{
// A table of values over an input position in [0, 1], with one guard point
// after the last value so that interpolation never needs a bounds test.
template <typename T> class ZuLookupTable
{
public:
    ZuLookupTable() { data.add(T(0)); }

    // n points plus the guard (new values 0, existing ones kept). Not for the
    // audio thread: it may allocate. Fewer than one point counts as one.
    void initialise(int n)
    {
        n = juce::jmax(n, 1);
        data.resize(getRequiredBufferSize(n));
        scale = T(n - 1);
        prepare();
    }

    // The guard point repeats the last value.
    void prepare() noexcept
    {
        const int size = data.size();
        if (size > 1)
            data.getReference(size - 1) = data.getUnchecked(size - 2);
    }

    // Writes point i; an index outside the table writes nothing.
    void setTableValues(int i, T v) noexcept
    {
        if (juce::isPositiveAndBelow(i, data.size()))
            data.getReference(i) = v;
    }

    // The table becomes a copy of a, followed by a's first value as the guard.
    // The input scale is kept, so the table must have been initialised for
    // a.size() points; then the copy reuses the storage and allocates nothing.
    void setTableFromArray(const juce::Array<T>& a)
    {
        data.resize(a.size() + 1);
        for (int i = 0; i < a.size(); ++i)
            data.getReference(i) = a.getUnchecked(i);
        data.getReference(a.size()) = data.getUnchecked(0);
    }

    // The value at position x. Positions below 0 (and not-a-number) read the
    // first point and positions above 1 the last, so no input reads outside
    // the table. Linear between points when interpolation is on, else the
    // point at or below x.
    T getUnchecked(T x) const noexcept
    {
        const int size = data.size();
        if (size < 2)
            return data.getFirst();
        if (!(x > T(0)))
            x = T(0);
        else if (x > T(1))
            x = T(1);
        const T scaled = x * scale;
        const int i = juce::jlimit(0, size - 2, (int) scaled);
        if (!interp)
            return data.getUnchecked(i);
        const T a = data.getUnchecked(i);
        return a + (scaled - T(i)) * (data.getUnchecked(i + 1) - a);
    }

    T get(T x) const noexcept { return getUnchecked(x); }
    T operator[](T x) const noexcept { return getUnchecked(x); }

    // Replaces the first n samples of channel 0 by their table values.
    void processBlock(const juce::dsp::AudioBlock<T>& block, int n) noexcept
    {
        if (block.getNumChannels() == 0)
            return;
        T* samples = block.getChannelPointer(0);
        const int count = juce::jmin(n, (int) block.getNumSamples());
        for (int i = 0; i < count; ++i)
            samples[i] = getUnchecked(samples[i]);
    }

    int getNumPoints() const noexcept { return data.size() - 1; }
    int getGuardIndex() const noexcept { return data.size() - 1; }
    bool isInitialised() const noexcept { return data.size() > 1; }
    static int getRequiredBufferSize(int n) noexcept { return n + 1; }
    void setInterp(bool on) noexcept { interp = on; }
    bool getIterpState() const noexcept { return interp; }

private:
    bool interp = true;
    juce::Array<T> data;
    T scale = T(0);
};

// Swing as a time warp of a phase ramp whose cycle spans 16 steps: the first
// step of every pair lasts `breakpoint` steps and the second 2 - `breakpoint`.
// Pair boundaries and the cycle ends map to themselves; a breakpoint of 1 is
// the identity. The warp is sampled into a table that is rebuilt only when
// the breakpoint changes.
template <typename T> class ZuSwinger
{
public:
    static constexpr int tablePoints = 512;
    static constexpr int stepsPerCycle = 16;

    ZuSwinger()
    {
        table.initialise(tablePoints);
        buildValues.resize(tablePoints);
    }

    // 1 (straight) for a depth of exactly 0.5, else the depth's place within r.
    void setSwingDepth(T d, juce::Range<T> r) noexcept
    {
        setBreakpoint(d == T(0.5) ? T(1) : r.getStart() + (r.getEnd() - r.getStart()) * d);
    }
    void setSwingDepth(T d) noexcept { setSwingDepth(d, juce::Range<T>(T(0.3), T(1.8))); }
    void setSwingDepthAndUpdateTable(T d) noexcept
    {
        setSwingDepth(d);
        updateSwingTable();
    }

    // Call before processBlock whenever the breakpoint was set.
    void updateSwingTable() noexcept
    {
        if (breakpoint != builtBreakpoint)
        {
            builtBreakpoint = breakpoint;
            makeNewSwingTable();
        }
    }

    void makeNewSwingTable() noexcept
    {
        const T spacing = T(1) / T(tablePoints - 1);
        for (int j = 0; j < tablePoints; ++j)
            buildValues.getReference(j) = calcSwingPosSample(T(j) * spacing);
        table.setTableFromArray(buildValues);
        ++numTableBuilds;
    }

    // The exact warp of a cycle position in [0, 1].
    T calcSwingPosSample(T x) const noexcept
    {
        const int pairsPerCycle = stepsPerCycle / 2;
        const T y = T(pairsPerCycle) * x;
        const T e = std::fmod(y, T(1));
        const T f = T(2) * e;          // time inside the pair, in steps
        const T base = T(2) * (y - e); // first step of the pair

        T g;
        if (breakpoint > f)
            g = pairStart + (f - pairStart) * (pairMid - pairStart) / (breakpoint - pairStart);
        else
            g = pairMid + (f - breakpoint) * (pairEnd - pairMid) / (pairEnd - breakpoint);
        return (base + g) / T(stepsPerCycle);
    }

    // The table's warp of one position; positions outside [0, 1] read as the ends.
    T processSample(T x) const noexcept { return table.get(x); }

    // Replaces the first n samples of channel 0 by their warp.
    void processBlock(const juce::dsp::AudioBlock<T>& block, int n) noexcept { table.processBlock(block, n); }

    T getBreakpoint() const noexcept { return breakpoint; }
    // How often the table was built; it tells a rebuild from a reuse.
    int getNumTableBuilds() const noexcept { return numTableBuilds; }

private:
    // A breakpoint at or beyond 0 or 2 would leave one step of a pair without
    // length (and divide by zero); not-a-number plays straight.
    void setBreakpoint(T b) noexcept
    {
        constexpr T margin = T(1.0e-6);
        breakpoint = std::isfinite(b) ? juce::jlimit(margin, T(2) - margin, b) : T(1);
    }

    T breakpoint = T(1);
    T builtBreakpoint = T(0);
    const T pairStart = T(0);
    const T pairMid = T(1);
    const T pairEnd = T(2);
    ZuLookupTable<T> table;
    juce::Array<T> buildValues;
    int numTableBuilds = 0;
};
} // namespace zu::zudsp
