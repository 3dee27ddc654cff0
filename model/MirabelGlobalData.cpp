// SPDX-License-Identifier: GPL-3.0-or-later
#include "MirabelGlobalData.h"

#include <algorithm>
#include <vector>

void CenterUnitListExchange::publish(const CenterUnitList& list) noexcept
{
    // Take the writer's turn: the sequence goes odd while the list is written.
    uint32_t s = sequence.load(std::memory_order_relaxed);
    for (;;)
    {
        if ((s & 1u) != 0)
        {
            juce::Thread::yield();
            s = sequence.load(std::memory_order_relaxed);
            continue;
        }
        if (sequence.compare_exchange_weak(s, s + 1, std::memory_order_acquire, std::memory_order_relaxed))
            break;
    }
    std::atomic_thread_fence(std::memory_order_release);

    const int n = juce::jlimit(0, CenterUnitList::capacity, list.count);
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i].store((int) i < n ? list.ids[i] : 0, std::memory_order_relaxed);
    count.store(n, std::memory_order_relaxed);

    sequence.store(s + 2, std::memory_order_release);
}

bool CenterUnitListExchange::read(CenterUnitList& out) const noexcept
{
    const uint32_t before = sequence.load(std::memory_order_acquire);
    if ((before & 1u) != 0)
        return false;

    CenterUnitList copy;
    copy.count = juce::jlimit(0, CenterUnitList::capacity, count.load(std::memory_order_relaxed));
    for (size_t i = 0; i < ids.size(); ++i)
        copy.ids[i] = ids[i].load(std::memory_order_relaxed);

    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence.load(std::memory_order_relaxed) != before)
        return false;
    out = copy;
    return true;
}

//==============================================================================
namespace
{
constexpr int idxGch = 1;
constexpr int idxSwing = 2;      // 2..6 value, sources, depths
constexpr int idxSwgTar = 7;     // 7..19
constexpr int idxGoct = 20;      // 20..24
constexpr int idxGtp = 25;       // 25..29
constexpr int idxGoctTpTar = 30; // 30..33
constexpr int idxClkReset = 34;
constexpr int idxClkResync = 35;
constexpr int idxRebtnTar = 36; // 36..48
constexpr int idxRecLeng = 49;
constexpr int idxRecTrk = 50; // 50..89
constexpr int idxMidiMute = 90;
constexpr int idxMidiThru = 91;
constexpr int idxMidiChLock = 92;
constexpr int idxScaleLock = 93;
constexpr int idxChrPwr = 94;
constexpr int idxChrSize = 95;
constexpr int idxChrSpd = 96;
constexpr int idxChrt = 97;    // 97..224
constexpr int idxChrTar = 225; // 225..239
constexpr int idxMidiTp = 240;
} // namespace

MirabelGlobalData::MirabelGlobalData()
{
    for (auto& f : swgTar)
        f = true;
    for (auto& s : curSteps)
        s = -1;
    for (auto& f : goctTpTar)
        f = true;
    for (auto& f : rebtnTar)
        f = true;
    for (int t = 0; t < numRecTracks; ++t)
        for (int u = 0; u < numRecTargets; ++u)
            recTargets[(size_t) t][(size_t) u] = (t == u);
}

void MirabelGlobalData::createParamMap()
{
    paramMap.share(ZuKeyMap::once(
        [](ZuKeyMap::Map& map)
        {
            int i = 1;
            auto add = [&map, &i](const juce::String& key) { map[key] = i++; };
            auto addModulated = [&add](const juce::String& key)
            {
                add(key);
                add(key + "_modsrc1");
                add(key + "_modsrc2");
                add(key + "_moddep1");
                add(key + "_moddep2");
            };

            add("p0_gch");
            addModulated("p0_swing");
            for (int n = 1; n <= numSeqUnits; ++n)
                add("p0_swgtar" + juce::String(n));
            addModulated("p0_goct");
            addModulated("p0_gtp");
            for (int n = 1; n <= 4; ++n)
                add("p0_gocttptar" + juce::String(n));
            add("p0_clk_reset");
            add("p0_clk_resync");
            for (int n = 1; n <= numSeqUnits; ++n)
                add("p0_rebtntar" + juce::String(n));
            add("p0_recleng");
            for (int t = 1; t <= numRecTracks; ++t)
                for (int u = 1; u <= numRecTargets; ++u)
                    add("p0_rectrk" + juce::String(t) + "tarunit" + juce::String(u));
            add("p0_midimute");
            add("p0_midithru");
            add("p0_midichlock");
            add("p0_scalelock");
            add("p0_chrpwr");
            add("p0_chrsize");
            add("p0_chrspd");
            for (int t = 1; t <= numChainerRows; ++t)
                for (int s = 1; s <= numChainerSteps; ++s)
                    add("p0_chrt" + juce::String(t) + "stp" + juce::String(s));
            for (int n = 1; n <= numChainerTargets; ++n)
                add("p0_chrtar" + juce::String(n));
            add("p0_miditp");
            jassert(i == numParams + 1);
        }));
}

int MirabelGlobalData::getParamIndex(const juce::String& name) const
{
    const auto it = paramMap.find(name);
    return it == paramMap.end() ? 0 : it->second;
}

void MirabelGlobalData::setParamVal(const juce::String& name, float value)
{
    setParamValAt(getParamIndex(name), value);
}

void MirabelGlobalData::setParamValAt(int index, float v) noexcept
{
    if (index < 1 || index > numParams || !std::isfinite(v))
        return;

    const bool flag = zu::toFlag(v);
    const int32_t integer = zu::toIntSaturating(v);

    // The modulated values' keys follow the field numbering of
    // handleParamVals: value, sources 1 and 2, depths 1 and 2.
    if (index == idxGch)
        gch = zu::clampInt(integer, 1, 16);
    else if (index < idxSwgTar)
        handleParamVals(swing, index - idxSwing, v);
    else if (index < idxGoct)
        swgTar[(size_t) (index - idxSwgTar)] = flag;
    else if (index < idxGtp)
        handleParamVals(goct, index - idxGoct, v);
    else if (index < idxGoctTpTar)
        handleParamVals(gtp, index - idxGtp, v);
    else if (index < idxClkReset)
        goctTpTar[(size_t) (index - idxGoctTpTar)] = flag;
    else if (index == idxClkReset)
    {
        // A one-shot: only the press (exactly 1) raises it; the release
        // leaves it for the engine to lower.
        if (v == 1.0f)
            clkReset = true;
    }
    else if (index == idxClkResync)
    {
        if (v == 1.0f)
            clkResync = true;
    }
    else if (index < idxRecLeng)
        rebtnTar[(size_t) (index - idxRebtnTar)] = flag;
    else if (index == idxRecLeng)
        recLength = zu::clampInt(integer, 0, maxRecLength);
    else if (index < idxMidiMute)
    {
        const int rel = index - idxRecTrk;
        recTargets[(size_t) (rel / numRecTargets)][(size_t) (rel % numRecTargets)] = flag;
    }
    else if (index == idxMidiMute)
        midiMute = flag;
    else if (index == idxMidiThru)
        midiThru = flag;
    else if (index == idxMidiChLock)
        midiChLock = flag;
    else if (index == idxScaleLock)
        scaleLock = flag;
    else if (index == idxChrPwr)
        chrPwr = flag;
    else if (index == idxChrSize)
        chrSize = zu::clampInt(integer, 2, numChainerSteps);
    else if (index == idxChrSpd)
        chrSpd = zu::clampInt(integer, 0, 6);
    else if (index < idxChrTar)
    {
        const int rel = index - idxChrt;
        chrSteps[(size_t) (rel / numChainerSteps)][(size_t) (rel % numChainerSteps)] = zu::clampInt(integer, 0, 8);
    }
    else if (index < idxMidiTp)
        chrTargets[(size_t) (index - idxChrTar)] = zu::clampInt(integer, 0, numChainerRows);
    else
        midiTp = flag;
}

void MirabelGlobalData::loadCenterUnitStateFromString(juce::String text)
{
    centerUnitsChanged = false;

    std::vector<int> found;
    if (text.isNotEmpty())
    {
        // The first three characters are the editor's "CT:", whatever they hold.
        juce::StringArray tokens;
        tokens.addTokens(text.substring(3), " \t\r\n", "");
        for (const auto& token : tokens)
        {
            const int32_t v = zu::parseLeadingInt(token);
            if (v <= 9)
                continue;
            found.push_back(v < 100 ? 1 : juce::jmin(v / 100, CenterUnitList::capacity));
        }
        std::sort(found.begin(), found.end());
    }

    CenterUnitList list;
    for (const int id : found)
    {
        if (list.count == CenterUnitList::capacity)
            break;
        list.ids[(size_t) list.count++] = id;
    }
    centerUnits.publish(list);
    centerUnitsChanged = true;
}

bool MirabelGlobalData::takeCenterUnits(CenterUnitList& dest) noexcept
{
    // Lowered before the copy: a replacement that lands after this point
    // raises it again, so no change is ever lost.
    centerUnitsChanged = false;
    if (centerUnits.read(dest))
        return true;
    centerUnitsChanged = true;
    return false;
}

CenterUnitList MirabelGlobalData::getCenterUnits() const
{
    CenterUnitList list;
    while (!centerUnits.read(list))
        juce::Thread::yield();
    return list;
}

void MirabelGlobalData::initChainerData()
{
    chrPwr = false;
    chrSize = 4;
    chrSpd = 4;
    for (auto& row : chrSteps)
        for (auto& s : row)
            s = 0;
    for (auto& t : chrTargets)
        t = 0;
}
