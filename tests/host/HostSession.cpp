// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace hostsession
{
std::unique_ptr<VstHost> openPlugin()
{
    auto host = std::make_unique<VstHost>(ZU_PLUGIN_PATH);
    if (host->effect() != nullptr)
    {
        host->open(sampleRate, blockSize);
        host->resume();
    }
    return host;
}

bool restoreState(VstHost& host, const ChunkText& state)
{
    const auto units = state.attribute({"maintree"}, "ctstate");
    host.setChunk(state.toChunk());
    return host.idleUntil(
        [&] { return ChunkText::fromChunk(host.getChunk()).attribute({"maintree"}, "ctstate") == units; });
}

int paramIndex(VstHost& host, const std::string& name)
{
    for (int i = 0; i < host.effect()->numParams; ++i)
        if (host.paramName(i) == name)
            return i;
    return -1;
}

void setPlainParameter(VstHost& host, const std::string& name, float value, float min, float max)
{
    const int index = paramIndex(host, name);
    ASSERT_GE(index, 0) << name;
    host.setParameter(index, (value - min) / (max - min));
}

int64_t sixteenthStart(int64_t k, double scale)
{
    const int64_t bar = k / 16;
    const int64_t index = k % 16;
    const auto s = (int64_t) std::ceil((double) index * (double) samplesPerBar / scale) - 1;
    return bar * samplesPerBar + std::max<int64_t>(s, 0);
}

void Session::run(int numBlocks, const std::function<void(int)>& beforeBlock)
{
    for (int b = 0; b < numBlocks; ++b)
    {
        if (beforeBlock)
            beforeBlock(blocks);
        host.clearReceived();
        host.process(blockSize);
        for (const auto& e : host.receivedEvents())
        {
            EXPECT_GE(e.deltaFrames, 0);
            EXPECT_LT(e.deltaFrames, blockSize);
            HostEvent h;
            h.sample = position + e.deltaFrames;
            h.block = blocks;
            h.delta = e.deltaFrames;
            h.status = e.bytes[0] & 0xF0;
            h.channel = (e.bytes[0] & 0x0F) + 1;
            h.data1 = e.bytes[1];
            h.data2 = e.bytes[2];
            events.push_back(h);
        }
        host.advance(blockSize);
        position += blockSize;
        ++blocks;
    }
}

std::vector<HostEvent> Session::noteOns() const
{
    std::vector<HostEvent> out;
    std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                 [](const HostEvent& e) { return e.isNoteOn(); });
    return out;
}

std::vector<HostEvent> Session::controllers(int number) const
{
    std::vector<HostEvent> out;
    std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                 [number](const HostEvent& e) { return e.isController() && e.data1 == number; });
    return out;
}

int Session::soundingNotes() const
{
    std::map<std::pair<int, int>, int> count;
    for (const auto& e : events)
    {
        if (!e.isNoteOn() && !e.isNoteOff())
            continue;
        auto& c = count[{e.channel, e.data1}];
        c = e.isNoteOn() ? c + 1 : 0;
    }
    int total = 0;
    for (const auto& [key, c] : count)
        total += c;
    return total;
}
} // namespace hostsession
