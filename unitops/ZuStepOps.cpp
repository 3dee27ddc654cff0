// SPDX-License-Identifier: GPL-3.0-or-later
// Randomise, initialise, set all and shift over a unit's step window.
#include "ZuStepOps.h"

#include <cmath>
#include <iterator>
#include <vector>

namespace zu::unitops
{
using namespace zu::units;

namespace
{
constexpr float noThreshold = -1.0f;

// Numbered properties per kind (number 1 first); the pitch unit's relative
// pitch stands apart, as it replaces property 1 in relative mode.
const StepProperty pitchProperties[] = {
    {"pch", 0.0f, 12.0f, noThreshold, 2, 1.0f},   {"oct", 0.0f, 4.0f, noThreshold, 1, 1.0f},
    {"vel", 0.0f, 127.0f, noThreshold, 1, 1.0f},  {"gate", 0.0f, 100.0f, noThreshold, 1, 1.0f},
    {"prob", 0.0f, 100.0f, noThreshold, 1, 1.0f}, {"slr", 0.0f, 1.0f, 0.8f, 0, 1.0f},
    {"spwr", 0.0f, 1.0f, 0.27f, 0, 1.0f}};
const StepProperty relativePitch{"relpch", -12.0f, 12.0f, noThreshold, 2, 1.0f};
const StepProperty valueProperties[] = {{"sval", 0.0f, 1.0f, noThreshold, 2, 1.0f / 128.0f},
                                        {"prob", 0.0f, 100.0f, noThreshold, 0, 1.0f},
                                        {"spwr", 0.0f, 1.0f, 0.27f, 0, 1.0f}};
const StepProperty octTpProperties[] = {{"stp", -12.0f, 12.0f, noThreshold, 2, 1.0f},
                                        {"soct", 0.0f, 4.0f, noThreshold, 1, 1.0f},
                                        {"prob", 0.0f, 100.0f, noThreshold, 0, 1.0f},
                                        {"spwr", 0.0f, 1.0f, 0.27f, 0, 1.0f}};
// Rotated with the others by "All", never offset.
const StepProperty stepLock{"slk", 0.0f, 1.0f, noThreshold, 0, 0.0f};
const StepProperty entryMenu{"emenu", 0.0f, 1.0f, noThreshold, 0, 0.0f};

float floatOf(const juce::var& v, float fallback)
{
    if (v.isVoid())
        return fallback;
    const auto d = (double) v;
    return std::isfinite(d) ? (float) d : fallback;
}

int intOf(const juce::var& v, int fallback)
{
    return v.isVoid() ? fallback : (int) zu::toIntSaturating((double) v);
}

juce::Identifier stepId(const juce::String& prefix, const char* key, int position)
{
    return juce::Identifier(numberedKey(prefix, key, position + 1));
}

// The live unit node, or an invalid tree for kinds without steps.
juce::ValueTree liveSequencer(const UnitTarget& target, int kind, int index)
{
    if (!isUnit(kind, index) || kind == ccRack)
        return {};
    return target.paramTree.getChildWithName("seqmain").getChildWithName(nodeName(kind, index));
}

juce::var editorKey(const UnitTarget& target, int kind, int index, const juce::String& key)
{
    return target.mainTree.getProperty(juce::Identifier(editorKeyStem(kind, index) + key));
}

bool isParamLocked(const UnitTarget& target, int kind, int index, int number)
{
    return intOf(editorKey(target, kind, index, "_prmlck" + juce::String(number)), 0) != 0;
}

bool isRelativeMode(const juce::ValueTree& unit, const juce::String& prefix)
{
    return floatOf(unit.getProperty(juce::Identifier(prefix + "relmode")), 0.0f) > 0.5f;
}

float roundedInRange(float x, const StepProperty& p)
{
    if (p.isWhole())
        x = std::round(x);
    return juce::jlimit(p.min, p.max, x);
}

void rndRstStpParams(juce::ValueTree& unit, const juce::String& prefix, const StepProperty& p, const LockTable& locks,
                     int mode, float range, float resetValue, const StepWindow& window, juce::Random& random)
{
    const bool reset = mode != 0;
    if (!reset && range <= 0.0f)
        return;
    const float factor = juce::jlimit(0.01f, 1.0f, range * range);
    const float spread = (p.max - p.min) * factor;

    for (int i = 0; i < window.size; ++i)
    {
        const int position = window.positions[(size_t) i];
        const auto id = stepId(prefix, p.key, position);
        if (locks[(size_t) position] || !unit.hasProperty(id))
            continue;
        float x = 0.0f;
        if (reset)
            x = resetValue;
        else if (range == 1.0f)
        {
            if (p.isOnOff())
                x = random.nextFloat() > p.threshold ? 1.0f : 0.0f;
            else
                x = roundedInRange(p.min + random.nextFloat() * (p.max - p.min), p);
        }
        else
        {
            const float current = floatOf(unit.getProperty(id), p.min);
            const float direction = random.nextBool() ? spread : -spread;
            x = roundedInRange(current + random.nextFloat() * direction, p);
        }
        unit.setProperty(id, (double) x, nullptr);
    }
}

void setAllSeqStpParam(juce::ValueTree& unit, const juce::String& prefix, const char* key, const LockTable& locks,
                       float value, const StepWindow& window)
{
    for (int i = 0; i < window.size; ++i)
    {
        const int position = window.positions[(size_t) i];
        const auto id = stepId(prefix, key, position);
        if (!locks[(size_t) position] && unit.hasProperty(id))
            unit.setProperty(id, (double) value, nullptr);
    }
}

void shiftStepVals(juce::ValueTree& unit, const juce::String& prefix, const StepProperty& p, const LockTable& locks,
                   int mode, const StepWindow& window)
{
    if (mode >= 2)
    {
        if (p.shiftStep <= 0.0f)
            return;
        const float step = mode == 2 ? p.shiftStep : -p.shiftStep;
        for (int i = 0; i < window.size; ++i)
        {
            const int position = window.positions[(size_t) i];
            const auto id = stepId(prefix, p.key, position);
            if (locks[(size_t) position] || !unit.hasProperty(id))
                continue;
            float x = floatOf(unit.getProperty(id), p.min) + step;
            x = x < p.min ? p.min : std::min(x, std::max(p.min, p.max));
            unit.setProperty(id, (double) x, nullptr);
        }
        return;
    }

    // Rotation: the value and its moved modulation pairs travel together;
    // locks do not hold a value in place.
    struct Entry
    {
        juce::String name;
        std::array<float, 5> values{};
    };
    std::vector<Entry> entries;
    for (int i = 0; i < window.size; ++i)
    {
        const auto name = numberedKey(prefix, p.key, window.positions[(size_t) i] + 1);
        if (!unit.hasProperty(juce::Identifier(name)))
            continue;
        Entry e{name, {}};
        e.values[0] = floatOf(unit.getProperty(juce::Identifier(name)), 0.0f);
        for (int k = 1; k <= p.shiftPairs; ++k)
        {
            e.values[(size_t) (2 * k - 1)] =
                floatOf(unit.getProperty(juce::Identifier(numberedKey(name, "_ms", k))), 0);
            e.values[(size_t) (2 * k)] = floatOf(unit.getProperty(juce::Identifier(numberedKey(name, "_md", k))), 0);
        }
        entries.push_back(e);
    }
    const size_t n = entries.size();
    if (n < 2)
        return;
    for (size_t i = 0; i < n; ++i)
    {
        const auto& from = entries[mode == 0 ? (i + 1) % n : (i + n - 1) % n].values;
        const auto& name = entries[i].name;
        unit.setProperty(juce::Identifier(name), (double) from[0], nullptr);
        for (int k = 1; k <= p.shiftPairs; ++k)
        {
            unit.setProperty(juce::Identifier(numberedKey(name, "_ms", k)), (double) from[(size_t) (2 * k - 1)],
                             nullptr);
            unit.setProperty(juce::Identifier(numberedKey(name, "_md", k)), (double) from[(size_t) (2 * k)], nullptr);
        }
    }
}
} // namespace

StepWindow stepWindow(int strt, int size)
{
    StepWindow window;
    const int start = juce::jlimit(1, numSteps, strt);
    window.size = juce::jlimit(0, numSteps, size);
    for (int i = 0; i < window.size; ++i)
        window.positions[(size_t) i] = (start - 1 + i) % numSteps;
    return window;
}

StepWindow stepWindowOf(const juce::ValueTree& unit, const juce::String& prefix)
{
    return stepWindow(intOf(unit.getProperty(juce::Identifier(prefix + "strt")), 1),
                      intOf(unit.getProperty(juce::Identifier(prefix + "size")), 16));
}

void updateStepLockStates(const juce::ValueTree& unit, LockTable& locks, const juce::String& prefix,
                          const StepWindow& window)
{
    for (int i = 0; i < window.size; ++i)
    {
        const int position = window.positions[(size_t) i];
        locks[(size_t) position] = (double) unit.getProperty(stepId(prefix, "slk", position), 0.0) == 1.0;
    }
}

const StepProperty* stepProperty(int kind, int number, bool relativeMode)
{
    if (number < 1 || number > numStepProperties(kind))
        return nullptr;
    const auto i = (size_t) (number - 1);
    switch (kind)
    {
    case pitch:
        return number == 1 && relativeMode ? &relativePitch : &pitchProperties[i];
    case param:
    case cc:
        return &valueProperties[i];
    case octTp:
        return &octTpProperties[i];
    default:
        return nullptr;
    }
}

int numStepProperties(int kind)
{
    switch (kind)
    {
    case pitch:
        return (int) std::size(pitchProperties);
    case param:
    case cc:
        return (int) std::size(valueProperties);
    case octTp:
        return (int) std::size(octTpProperties);
    default:
        return 0;
    }
}

void rndRstCenterSqParams(UnitTarget& target, int kind, int index, int property, int mode,
                          std::optional<juce::int64> seed)
{
    auto unit = liveSequencer(target, kind, index);
    const int count = numStepProperties(kind);
    if (!unit.isValid() || property < 0 || property > count)
        return;

    const auto prefix = unitPrefix(kind, index);
    const auto window = stepWindowOf(unit, prefix);
    LockTable locks{};
    updateStepLockStates(unit, locks, prefix, window);

    const int first = property == 0 ? 1 : property;
    const int last = property == 0 ? count : property;
    for (int k = first; k <= last; ++k)
    {
        if (isParamLocked(target, kind, index, k))
            continue;
        const auto number = juce::String(k);
        // The relative pitch initialises to property 1's value, as the plain pitch.
        const float resetValue = floatOf(editorKey(target, kind, index, "_setall_val" + number), 0.0f);
        const float range = floatOf(editorKey(target, kind, index, "_rndrng" + number), 1.0f);
        const auto* p = stepProperty(kind, k, kind == pitch && isRelativeMode(unit, prefix));
        juce::Random random;
        if (seed.has_value())
            random.setSeed(*seed + k);
        rndRstStpParams(unit, prefix, *p, locks, mode, range, resetValue, window, random);
    }
}

void setAllCenterSqParams(UnitTarget& target, int kind, int index, int setAllTarget, float value)
{
    auto unit = liveSequencer(target, kind, index);
    if (!unit.isValid() || !std::isfinite(value))
        return;
    // Pitch target 7 is always the relative pitch, target 0 always the plain one.
    const bool relative = kind == pitch && setAllTarget == numStepProperties(pitch);
    const auto* p = stepProperty(kind, relative ? 1 : setAllTarget + 1, relative);
    if (p == nullptr)
        return;

    const auto prefix = unitPrefix(kind, index);
    const auto window = stepWindowOf(unit, prefix);
    LockTable locks{};
    updateStepLockStates(unit, locks, prefix, window);
    setAllSeqStpParam(unit, prefix, p->key, locks, value, window);
}

void shiftCenterSqParams(UnitTarget& target, int kind, int index, int mode)
{
    auto unit = liveSequencer(target, kind, index);
    if (!unit.isValid() || mode < 0 || mode > 3)
        return;

    const auto prefix = unitPrefix(kind, index);
    const auto window = stepWindowOf(unit, prefix);
    const int shiftTarget = intOf(editorKey(target, kind, index, "_setall_tar"), 0);
    LockTable locks{};
    if (mode >= 2)
        updateStepLockStates(unit, locks, prefix, window);
    if (window.size <= 1)
        return;

    const int count = numStepProperties(kind);
    auto shiftNumber = [&](int number)
    {
        if (isParamLocked(target, kind, index, number))
            return;
        const bool relative = kind == pitch && isRelativeMode(unit, prefix);
        shiftStepVals(unit, prefix, *stepProperty(kind, number, relative), locks, mode, window);
    };

    if (shiftTarget >= 0 && shiftTarget < count)
    {
        shiftNumber(shiftTarget + 1);
    }
    else if (shiftTarget == count)
    {
        // "All": the locks travel with the values they guard.
        shiftStepVals(unit, prefix, stepLock, locks, mode, window);
        for (int number = 1; number <= count; ++number)
            shiftNumber(number);
        if (kind == param)
            shiftStepVals(unit, prefix, entryMenu, locks, mode, window);
    }
}
} // namespace zu::unitops
