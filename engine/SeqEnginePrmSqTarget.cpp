// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter-sequencer target routing of SeqEngineBase: how a parameter
// unit's step value is modulated before it is sent, and how a pitch unit
// applies the entries it receives in the same block.
#include "SeqEngineBase.h"

#include "ZuConvert.h"

#include <cmath>

namespace
{
// The step value a parameter unit sends after modulation stays strictly
// inside 0..1, so that a fully modulated value never reaches either end.
constexpr float minModulatedStepValue = 0.0000001f;
constexpr float maxModulatedStepValue = 0.999999f;

constexpr int codeOf(SeqEngineBase::PRMSQTARGET target) noexcept
{
    return SeqEngineBase::prmSqEventCode(target);
}

// Truncation toward zero, saturating, of a window mapping.
int windowIndex(float v) noexcept
{
    return zu::clampInt(zu::toIntSaturating(std::trunc(32.0f * v + 0.5f)), 0, SeqEngineBase::numUnitSteps - 1);
}

// floor(min(span x v - offset, offset)), or -offset when span x v is below 0.
int centredSteps(float v, float span, int offset) noexcept
{
    const float scaled = span * v;
    if (scaled < 0.0f)
        return -offset;
    return zu::toIntSaturating(std::floor(juce::jmin(scaled - (float) offset, (float) offset)));
}
} // namespace

bool SeqEngineBase::isUsablePrmSqEntry(const PrmSqTargetEntry& entry) noexcept
{
    const int code = std::get<0>(entry);
    return code >= 1 && code <= numPrmSqTarStates && std::isfinite(std::get<1>(entry));
}

//==============================================================================
// Mappings

int SeqEngineBase::prmSqToDirection(float v) noexcept
{
    return zu::clampInt(zu::toIntSaturating(std::floor(6.0 * (double) v)), 0, numDirections - 1);
}

int SeqEngineBase::prmSqToStart(float v) noexcept
{
    return windowIndex(v);
}

int SeqEngineBase::prmSqToSize(float v) noexcept
{
    return windowIndex(v) + 1;
}

int SeqEngineBase::prmSqToOctave(float v) noexcept
{
    return 12 * centredSteps(v, 7.0f, 3);
}

int SeqEngineBase::prmSqToTranspose(float v) noexcept
{
    return centredSteps(v, 25.0f, 12);
}

int SeqEngineBase::prmSqToStepPitch(float v) noexcept
{
    return zu::clampInt(zu::toIntSaturating(std::floor(13.0 * (double) v)), 0, 12);
}

int SeqEngineBase::prmSqToStepOctave(float v) noexcept
{
    return 12 * centredSteps(v, 5.0f, 2);
}

float SeqEngineBase::prmSqToUnit(float v) noexcept
{
    return juce::jlimit(0.0f, 1.0f, v);
}

bool SeqEngineBase::prmSqToSwitch(float v) noexcept
{
    return v >= 0.5f;
}

bool SeqEngineBase::prmSqToRestart(float v) noexcept
{
    return v > 0.5f;
}

//==============================================================================
// Sender

void SeqEngineBase::handleParamModPrmSqStepVal(ModBlock& modBlock, float& value, MyParam<float> step, int sample,
                                               int numSamples)
{
    if (!step.modActive)
        return;
    const float m = modulationSum(modBlock, step, 2, modReadPosition(sample, numSamples));
    value = juce::jlimit(minModulatedStepValue, maxModulatedStepValue, value + m);
}

//==============================================================================
// Receiver

void SeqEngineBase::updatePrmSqTarStates(const PrmSqTargetList& list) noexcept
{
    prmSqTarStates.fill(false);
    // Codes without a flag (below 1, above 20) and values that are not
    // numbers are ignored here and by every handler below.
    for (const auto& entry : list)
        if (isUsablePrmSqEntry(entry))
            prmSqTarStates[(size_t) (std::get<0>(entry) - 1)] = true;
}

bool SeqEngineBase::isPrmSqTarStateSet(int code) const noexcept
{
    return code >= 1 && code <= numPrmSqTarStates && prmSqTarStates[(size_t) (code - 1)];
}

void SeqEngineBase::handlePrmSqToDirStrtSize(const PrmSqTargetList& list) noexcept
{
    if (!isPrmSqTarStateSet(codeOf(Direction)) && !isPrmSqTarStateSet(codeOf(Start)) &&
        !isPrmSqTarStateSet(codeOf(Size)))
        return;
    for (const auto& entry : list)
    {
        const int code = std::get<0>(entry);
        if (isUsablePrmSqEntry(entry) && code <= codeOf(Size))
            applyPrmSqWindowEntry((PRMSQTARGET) (code - 1), std::get<1>(entry));
    }
}

void SeqEngineBase::applyPrmSqWindowEntry(PRMSQTARGET target, float value) noexcept
{
    const int mapped = (int) getPrmSqRepModVal(target, value);
    if (target == Direction)
        curDir = mapped;
    else if (target == Start)
        curStrt = mapped;
    else if (target == Size)
        curSize = mapped;
}

void SeqEngineBase::handlePrmSqToStepOnOff(const PrmSqTargetList& list, bool& on) const noexcept
{
    if (!isPrmSqTarStateSet(codeOf(StepOnOff)))
        return;
    for (const auto& entry : list)
        if (isUsablePrmSqEntry(entry) && std::get<0>(entry) == codeOf(StepOnOff))
            on = prmSqToSwitch(std::get<1>(entry));
}

void SeqEngineBase::handlePrmSqToStepParams(const PrmSqTargetList& list, int& unitOctave, int& transpose, int& pitch,
                                            int& stepOctave, float& velocity, float& gate, float& probability,
                                            bool& slur) const noexcept
{
    bool any = false;
    for (int code = codeOf(Octave); code <= codeOf(StepSlur); ++code)
        any = any || isPrmSqTarStateSet(code);
    if (!any)
        return;

    for (const auto& entry : list)
    {
        if (!isUsablePrmSqEntry(entry))
            continue;
        const float v = std::get<1>(entry);
        switch (std::get<0>(entry) - 1)
        {
        case Octave:
            unitOctave = prmSqToOctave(v);
            break;
        case Transpose:
            transpose = prmSqToTranspose(v);
            break;
        case StepPitch:
            pitch = prmSqToStepPitch(v);
            break;
        case StepOctave:
            stepOctave = prmSqToStepOctave(v);
            break;
        case StepVelocity:
            velocity = prmSqToUnit(v);
            break;
        case StepGate:
            gate = prmSqToUnit(v);
            break;
        case StepProbability:
            probability = prmSqToUnit(v);
            break;
        case StepSlur:
            slur = prmSqToSwitch(v);
            break;
        default:
            break;
        }
    }
}

void SeqEngineBase::handlePrmSqToRestart(const PrmSqTargetList& list) noexcept
{
    if (!isPrmSqTarStateSet(codeOf(Restart)))
        return;
    for (const auto& entry : list)
        if (isUsablePrmSqEntry(entry) && std::get<0>(entry) == codeOf(Restart))
            restartPending = prmSqToSwitch(std::get<1>(entry));
}

float SeqEngineBase::getPrmSqRepModVal(PRMSQTARGET target, float v) noexcept
{
    switch (target)
    {
    case Direction:
        return (float) prmSqToDirection(v);
    case Start:
        return (float) prmSqToStart(v);
    case Size:
        return (float) prmSqToSize(v);
    case Octave:
        return (float) centredSteps(v, 7.0f, 3);
    case Transpose:
        return (float) prmSqToTranspose(v);
    case StepPitch:
        return (float) prmSqToStepPitch(v);
    case StepOctave:
        return (float) centredSteps(v, 5.0f, 2);
    case StepVelocity:
    case StepGate:
    case StepProbability:
        return prmSqToUnit(v);
    case StepSlur:
    case StepOnOff:
    case Restart:
        return prmSqToSwitch(v) ? 1.0f : 0.0f;
    default:
        return 0.0f;
    }
}

void SeqEngineBase::procPrmSqToParam(const PrmSqTargetList& list, PRMSQTARGET target) noexcept
{
    if (target != Direction && target != Start && target != Size && target != Restart)
        return;
    for (const auto& entry : list)
    {
        if (!isUsablePrmSqEntry(entry) || std::get<0>(entry) != codeOf(target))
            continue;
        if (target == Restart)
            restartPending = getPrmSqRepModVal(target, std::get<1>(entry)) > 0.5f;
        else
            applyPrmSqWindowEntry(target, std::get<1>(entry));
    }
}
