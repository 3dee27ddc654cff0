// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuDataModelBase.h"

#include <array>

// The single 32-step sequencer ("SEQ1"): one unit with eight snapshots of
// unit values and 32 steps, a power flag, the snapshot that writes go to and
// the step that is playing. It is fed like the engine's models, by name and
// value through setParamVal after createParamMap; every name begins with
// "sq1_". The processor does not build it and no engine reads it: its panels
// receive it by reference.
class Seq1Data : public ZuDataModelBase
{
public:
    static constexpr int numSnapshots = 8;
    static constexpr int numSteps = 32;
    static constexpr int numChordNotes = 5;
    static constexpr int numNames = 1195;
    static constexpr int minChannel = 1;
    static constexpr int maxChannel = 16;

    struct StepData
    {
        ZuAtomic<bool> chordOn{false};
        // The step's chord pickers' item ids (0 nothing chosen, 1 no note,
        // n + 2 note n).
        std::array<ZuAtomic<int32_t>, numChordNotes> chordNotes{};
        MyParam<int> pitch{0};
        MyParam<int> relPitch{0};
        MyParam<int> octave{2};
        MyParam<float> velocity{100.0f};
        MyParam<float> gate{50.0f};
        MyParam<float> probability{100.0f};
        MyParam<int> slur{0};
        MyParam<int> stepOn{1};
    };

    struct SnapData
    {
        ZuAtomic<bool> relMode{false};
        ZuAtomic<int32_t> resetCount{0};
        // Written values are 1..16.
        ZuAtomic<int32_t> channel{0};
        ZuAtomic<float> freeClock{0.3f};
        ZuAtomic<bool> clockSync{true};
        ZuAtomic<int32_t> clockType{0};
        MyParam<int> relBaseNote{48};
        MyParam<int> direction{0};
        MyParam<int> start{1};
        MyParam<int> size{16};
        MyParam<int> octave{0};
        MyParam<int> transpose{0};
        MyParam<int> syncedClock{11};
        std::array<StepData, numSteps> steps;
    };

    // A step property's stem and its number of modulation slots.
    struct StepStem
    {
        juce::String name;
        int slots;
    };

    Seq1Data();
    ~Seq1Data() override = default;

    using ZuDataModelBase::snapCopyPaste;

    // Clears the list of names, then lists the 1195 names in their order.
    void createParamMap() override;
    // Stores one value in the snapshot that is current (see the .cpp for
    // the conversions). A name the list lacks and a value that is not finite
    // change nothing.
    void setParamVal(const juce::String& name, float value) override;
    // Copies snapshot source (unit values, channel and all 32 steps) over
    // snapshot destination; an index outside 0..7 copies nothing.
    void snapCopyPaste(int source, int destination);
    void setSnapshotStatesFromValueTree(juce::ValueTree) {}

    // The position of a name in the list, -1 when it is not listed.
    static int indexOfName(const juce::String& name);

    std::array<SnapData, numSnapshots> snapshots;
    ZuAtomic<bool> power{true};
    // Kept within 0..7, so that no write lands outside the eight records.
    ZuAtomic<int32_t> currentSnapshot{0};
    juce::Value snapshotValue;
    // The step being played (0..31), -1 for none. Whoever plays the
    // sequencer writes it; the step lights poll it from the message thread.
    ZuAtomic<int32_t> currentStep{-1};
    const std::array<StepStem, 9> stepStems;

private:
    JUCE_DECLARE_NON_COPYABLE(Seq1Data)
};
