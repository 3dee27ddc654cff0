// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The depth curve: every modulation depth passes through it before it scales a
// modulation source. Fine control near zero, full effect at +-1, odd-symmetric.
//
// One instance per process, shared through juce::SharedResourcePointer<Scurve>
// (ScurveShared). Holders on the message thread (the processor's main engine,
// the editor's knobs) take their share in their constructors; the main engine
// takes the first one when the processor is built, so the tables exist before
// any audio runs. Objects that are created on the audio thread must not take a
// share themselves (that takes the holder's spin lock and could build the
// tables there): they receive a `const Scurve&` from an owner that holds one.
// After construction the object is only read, from any thread, without locks.

#include <juce_dsp/juce_dsp.h>

class Scurve
{
public:
    static constexpr size_t numPoints = 128;
    static constexpr int numCurves = 5;

    Scurve();

    // The curve that the whole system uses.
    float calcModDep(float x) const noexcept;
    // The same curve in double precision (the knobs' value text).
    double calcModDep(double x) const noexcept;

    // Curve 0..4 selects one of the five single-precision curves; any other
    // number returns x unchanged.
    float calcModDepSwitch(float x, int curve) const noexcept;

    float calcModDep2(float x) const noexcept;
    float calcModDep3(float x) const noexcept;
    float calcModDep4(float x) const noexcept;
    float calcModDep5(float x) const noexcept;

private:
    template <typename T> static T read(const juce::dsp::LookupTableTransform<T>& table, T x) noexcept;

    juce::dsp::LookupTableTransform<float> table1;
    juce::dsp::LookupTableTransform<float> table2;
    juce::dsp::LookupTableTransform<float> table3;
    juce::dsp::LookupTableTransform<float> table4;
    juce::dsp::LookupTableTransform<float> table5;
    juce::dsp::LookupTableTransform<double> table6;

    JUCE_DECLARE_NON_COPYABLE(Scurve)
};

using ScurveShared = juce::SharedResourcePointer<Scurve>;
