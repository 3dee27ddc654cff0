// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter units steering pitch units through the main engine: the notes a
// pitch unit plays follow the entries its parameter units send in the same block.
#include "EnginePlayer.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int blockSize = 512;
constexpr double ppqPerSample = 120.0 / (60.0 * 48000.0);

// A step value whose transpose mapping gives t semitones.
float transposeValue(int t)
{
    return ((float) t + 12.5f) / 25.0f;
}

struct Steering
{
    EnginePlayer p{48000.0, blockSize};
    int64_t sample = 0;

    Steering(const char* units) { p.models.global.loadCenterUnitStateFromString(units); }

    CtrPrmSqData::SnapData& paramSnap(int unit) { return p.models.param.units[(size_t) unit].snaps[0]; }
    CtrPtchSqData::SnapData& pitchSnap(int unit) { return p.models.pitch.units[(size_t) unit].snaps[0]; }

    // Every step of parameter unit u sends the same event.
    void sendOnEveryStep(int u, int code, float value)
    {
        for (auto& step : paramSnap(u).steps)
        {
            step.emenu = code;
            step.sval.value = value;
        }
    }

    // Pitch unit u plays note 48 + k at step k (k up to 12).
    void pitchShowsItsStep(int u)
    {
        for (int k = 0; k < 32; ++k)
            pitchSnap(u).steps[(size_t) k].pch.value = k % 13;
    }

    // The note numbers of the next count note-ons.
    std::vector<int> notes(int count)
    {
        std::vector<int> played;
        for (int guard = 0; guard < 4000 && (int) played.size() < count; ++guard)
        {
            const auto& out = p.play((double) sample * ppqPerSample, blockSize);
            sample += blockSize;
            for (const auto& e : notesOf(out))
                if (e.noteOn)
                    played.push_back(e.note);
        }
        return played;
    }
};
} // namespace

TEST(ParamRoutingPlayback, ATransposeOnEachStepMovesThePitchUnitStepByStepUntilTheUnitStops)
{
    enum class Stop
    {
        removed,
        poweredOff
    };
    for (const auto stop : {Stop::removed, Stop::poweredOff})
    {
        SCOPED_TRACE(stop == Stop::removed ? "removed" : "powered off");
        Steering s("CT:100 500 ");
        std::vector<int> expected;
        for (int k = 0; k < 32; ++k)
        {
            const int t = k % 7 - 3;
            s.paramSnap(0).steps[(size_t) k].emenu = 5;
            s.paramSnap(0).steps[(size_t) k].sval.value = transposeValue(t);
            if (k < 10)
                expected.push_back(48 + t);
        }
        // The first step's note is transposed too: the parameter unit runs first in the block.
        EXPECT_EQ(s.notes(10), expected);

        if (stop == Stop::removed)
            s.p.models.global.loadCenterUnitStateFromString("CT:100 ");
        else
            s.p.models.param.units[0].pwr = false;
        EXPECT_EQ(s.notes(6), std::vector<int>(6, 48)) << "the pitch unit's own values from its next step";
    }
}

TEST(ParamRoutingPlayback, DirectionEventsChangeTheStepOrderFromTheStepTheyReach)
{
    Steering s("CT:100 500 ");
    s.pitchShowsItsStep(0);
    s.pitchSnap(0).size.value = 12;
    for (int k = 4; k < 32; ++k)
    {
        s.paramSnap(0).steps[(size_t) k].emenu = 1;
        s.paramSnap(0).steps[(size_t) k].sval.value = 0.2f; // "<"
    }
    // Forward to step 3, then backward through what is left of the order,
    // then backward through the whole window.
    const std::vector<int> steps{0, 1, 2, 3, 7, 6, 5, 4, 3, 2, 1, 0, 11, 10};
    std::vector<int> expected;
    for (const int k : steps)
        expected.push_back(48 + k);
    EXPECT_EQ(s.notes((int) expected.size()), expected);
}

TEST(ParamRoutingPlayback, WindowEventsFromTwoUnitsMoveTheWindow)
{
    Steering s("CT:100 500 600 ");
    s.pitchShowsItsStep(0);
    s.sendOnEveryStep(0, 2, 0.25f);    // start step 8
    s.sendOnEveryStep(1, 3, 0.09375f); // 4 steps
    EXPECT_EQ(s.notes(10), (std::vector<int>{56, 57, 58, 59, 56, 57, 58, 59, 56, 57}));
}

TEST(ParamRoutingPlayback, ARestartEventRestartsThePitchUnitAtItsWindowStart)
{
    for (const float value : {1.0f, 0.0f})
    {
        SCOPED_TRACE(value);
        Steering s("CT:100 500 ");
        s.pitchShowsItsStep(0);
        s.pitchSnap(0).strt.value = 3;
        s.pitchSnap(0).size.value = 8;
        s.paramSnap(0).steps[5].emenu = 13;
        s.paramSnap(0).steps[5].sval.value = value;
        const std::vector<int> restarted{2, 3, 4, 5, 6, 2, 3, 4, 5, 6, 7, 8, 9, 2};
        const std::vector<int> own{2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5, 6, 7};
        std::vector<int> expected;
        for (const int k : value > 0.5f ? restarted : own)
            expected.push_back(48 + k);
        EXPECT_EQ(s.notes((int) expected.size()), expected);
    }
}

TEST(ParamRoutingPlayback, OfTwoUnitsSendingOneCodeTheHigherUnitIdDecides)
{
    struct Case
    {
        const char* name;
        int secondCode;
        float secondValue;
        std::array<bool, 4> secondTargets;
        int note;
    };
    const Case cases[] = {
        {"same code: unit 6 wins", 5, 1.0f, {true, false, false, false}, 60},
        {"unit 6 aims elsewhere", 5, 1.0f, {false, true, false, false}, 36},
        {"different codes combine", 4, 1.0f, {true, false, false, false}, 36 + 36},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Steering s("CT:100 500 600 ");
        s.sendOnEveryStep(0, 5, 0.0f); // -12
        s.sendOnEveryStep(1, c.secondCode, c.secondValue);
        for (size_t k = 0; k < 4; ++k)
            s.paramSnap(1).tar[k] = c.secondTargets[k];
        EXPECT_EQ(s.notes(3), std::vector<int>(3, c.note));
    }
}
