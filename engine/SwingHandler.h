// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Swing: delays (or advances) every second step of a unit by warping the
// unit's clock phase before its step triggers are derived from it. The main
// engine owns one SwingHandler and every swinging unit applies it to its own
// phase block, one unit after the other on the audio thread.

#include <juce_dsp/juce_dsp.h>

#include <array>

class SwingHandler
{
public:
    // The time warp of a 16-step phase ramp: the first step of every pair of
    // steps lasts `breakpoint` steps, the second 2 - `breakpoint`. Pair
    // boundaries and the cycle ends map to themselves. The warp is sampled
    // into a table that is rebuilt only when the breakpoint changes.
    class Swinger
    {
    public:
        static constexpr int tablePoints = 512;
        static constexpr int stepsPerCycle = 16;

        // breakpoint = 1 (straight) for a depth of exactly 0.5, else the
        // depth's place within the range. Kept strictly inside (0, 2), where
        // both halves of a pair have a length.
        void setSwingDepth(double depth, juce::Range<double> range) noexcept;

        // Rebuilds the table when the breakpoint differs from the one it was
        // last built for. Call it before processBlock whenever the breakpoint was set.
        void updateSwingTable() noexcept;

        // The exact warp of one cycle position in [0, 1].
        double calcSwingPosSample(double x) const noexcept;

        // The table's warp of one position, linearly interpolated; negative
        // positions read as 0 and positions past 1 as 1.
        double processSample(double x) const noexcept;

        // Replaces the first n samples of channel 0 by their warp.
        void processBlock(const juce::dsp::AudioBlock<double>& block, int n) noexcept;

        double getBreakpoint() const noexcept { return breakpoint; }
        // How often the table was built; it tells a rebuild from a reuse.
        int getNumTableBuilds() const noexcept { return numTableBuilds; }

    private:
        void makeNewSwingTable() noexcept;

        double breakpoint = 1.0;
        double builtBreakpoint = 0.0;
        const double pairStart = 0.0;
        const double pairMid = 1.0;
        const double pairEnd = 2.0;
        // The points and one guard point; all zero until the first build.
        std::array<double, tablePoints + 1> table{};
        int numTableBuilds = 0;
    };

    static constexpr int depthMapPoints = 128;

    // Message thread (with the main engine): builds the depth map.
    SwingHandler();

    // The depth (0..1) of a swing amount (-1..1, clamped; not a number reads as 0):
    // -1 gives 0, 0 gives 0.5, 1 gives 1.
    double getDepth(double amount) const noexcept;
    // The breakpoint of a depth: 1 (straight) at exactly 0.5, else the
    // depth's place within depthRange.
    double getBreakpoint(double depth) const noexcept;

    // Warps the first n samples of a unit's phase block for a swing amount
    // that already carries the unit's modulation.
    void processBlock(const juce::dsp::AudioBlock<double>& phaseBlock, double amount, int n) noexcept;

    Swinger swinger;
    // (sign(a) a^2 + 1) / 2 over [-1, 1], read with linear interpolation.
    juce::dsp::LookupTableTransform<double> depthMap;
    // The breakpoints reached at depth 0 and 1.
    const juce::Range<double> depthRange{0.51, 1.49};

private:
    JUCE_DECLARE_NON_COPYABLE(SwingHandler)
};
