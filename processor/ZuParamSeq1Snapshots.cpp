// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamBase.h"

#include <array>

namespace
{
struct Row
{
    const char* key;
    double value;
    int slots;
};

// Unit values, keyed without their prefix, in the order written.
constexpr std::array<Row, 12> unitRows{{{"relmode", 0.0, 0},
                                        {"relbasenote", 48.0, 2},
                                        {"dir", 0.0, 2},
                                        {"fclk", 0.3, 0},
                                        {"sclk", 11.0, 2},
                                        {"csync", 1.0, 0},
                                        {"clktyp", 0.0, 0},
                                        {"rst", 0.0, 0},
                                        {"strt", 1.0, 2},
                                        {"size", 16.0, 2},
                                        {"goct", 0.0, 2},
                                        {"tp", 0.0, 2}}};

constexpr int numSteps = 32;
constexpr int numChordNotes = 5;

// One value, then per slot its source (an integer) and its depth.
void writeProperty(juce::ValueTree& tree, const juce::String& name, double value, int slots)
{
    tree.setProperty(name, value, nullptr);
    for (int k = 1; k <= slots; ++k)
    {
        tree.setProperty(name + "_modsrc" + juce::String(k), 0, nullptr);
        tree.setProperty(name + "_moddep" + juce::String(k), 0.0, nullptr);
    }
}

// Every step, property by property within a step. stepSwitchSlots: the
// modulation slots of slur and step on.
void writeSnapshot(juce::ValueTree& tree, const juce::String& unitPrefix, int stepSwitchSlots)
{
    for (const auto& row : unitRows)
        writeProperty(tree, unitPrefix + row.key, row.value, row.slots);

    for (int k = 1; k <= numSteps; ++k)
    {
        const juce::String n(k);
        writeProperty(tree, "sq1_pch" + n, 0.0, 2);
        writeProperty(tree, "sq1_schrd" + n, 0.0, 0);
        writeProperty(tree, "sq1_oct" + n, 2.0, 2);
        writeProperty(tree, "sq1_relpch" + n, 0.0, 2);
        for (int j = 1; j <= numChordNotes; ++j)
            writeProperty(tree, "sq1_s" + n + "_cn" + juce::String(j), 0.0, 0);
        writeProperty(tree, "sq1_vel" + n, 100.0, 1);
        writeProperty(tree, "sq1_gate" + n, 50.0, 1);
        writeProperty(tree, "sq1_prob" + n, 100.0, 1);
        writeProperty(tree, "sq1_slr" + n, 0.0, stepSwitchSlots);
        writeProperty(tree, "sq1_spwr" + n, 1.0, stepSwitchSlots);
    }
}
} // namespace

void ZuParamBase::prepareSeq1Snapshot(juce::ValueTree& tree)
{
    writeSnapshot(tree, "sq1_", 1);
}

void ZuParamBase::prepareCenterPtchSeqSnapshot(juce::ValueTree& tree)
{
    writeSnapshot(tree, "c_psq1_", 0);
}
