// SPDX-License-Identifier: GPL-3.0-or-later
#include "VstHost.h"

#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <thread>

namespace
{
thread_local VstHost* hostBeingLoaded = nullptr;
using EntryPoint = Vst2::AEffect* (*) (Vst2::audioMasterCallback);
} // namespace

VstHost::VstHost(const std::string& path)
{
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        loadError = dlerror();
        return;
    }

    auto entry = reinterpret_cast<EntryPoint>(dlsym(library, "VSTPluginMain"));
    if (entry == nullptr)
    {
        entry = reinterpret_cast<EntryPoint>(dlsym(library, "main"));
        legacyEntry = true;
    }
    if (entry == nullptr)
    {
        loadError = "no VST2 entry point";
        return;
    }

    hostBeingLoaded = this;
    fx = entry(&VstHost::hostCallback);
    hostBeingLoaded = nullptr;

    if (fx == nullptr)
        loadError = "entry point returned no effect";
    else
        fx->resvd1 = reinterpret_cast<Vst2::VstIntPtr>(this);
}

VstHost::~VstHost()
{
    close();
    // The library stays loaded: a plug-in may keep process-wide threads and
    // singletons alive, and unloading it under them proves nothing here.
}

Vst2::VstIntPtr VstHost::hostCallback(Vst2::AEffect* effect, Vst2::VstInt32 opcode, Vst2::VstInt32 index,
                                      Vst2::VstIntPtr value, void* ptr, float opt)
{
    VstHost* host = hostBeingLoaded;
    if (effect != nullptr && effect->resvd1 != 0)
        host = reinterpret_cast<VstHost*>(effect->resvd1);

    if (opcode == Vst2::audioMasterVersion)
        return kVstVersion;
    if (host == nullptr)
        return 0;
    return host->handleCallback(opcode, index, value, ptr, opt);
}

std::intptr_t VstHost::handleCallback(int opcode, int index, std::intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
    case Vst2::audioMasterGetTime:
        timeInfo = {};
        timeInfo.sampleRate = transport.sampleRate;
        timeInfo.samplePos = transport.samplePos;
        timeInfo.ppqPos = transport.ppqPos;
        timeInfo.tempo = transport.tempo;
        timeInfo.timeSigNumerator = 4;
        timeInfo.timeSigDenominator = 4;
        timeInfo.cycleStartPos = transport.loopStart;
        timeInfo.cycleEndPos = transport.loopEnd;
        timeInfo.flags = Vst2::kVstPpqPosValid | Vst2::kVstTempoValid | Vst2::kVstTimeSigValid |
                         Vst2::kVstCyclePosValid | (transport.playing ? Vst2::kVstTransportPlaying : 0) |
                         (transport.looping ? Vst2::kVstTransportCycleActive : 0);
        return reinterpret_cast<std::intptr_t>(&timeInfo);

    case Vst2::audioMasterProcessEvents:
    {
        auto* events = static_cast<Vst2::VstEvents*>(ptr);
        for (int i = 0; events != nullptr && i < events->numEvents; ++i)
        {
            const auto* e = events->events[i];
            if (e->type != Vst2::kVstMidiType)
                continue;
            const auto* m = reinterpret_cast<const Vst2::VstMidiEvent*>(e);
            HostMidiEvent out;
            out.deltaFrames = m->deltaFrames;
            std::memcpy(out.bytes, m->midiData, 3);
            received.push_back(out);
        }
        return 1;
    }

    case Vst2::audioMasterGetSampleRate:
        return (std::intptr_t) transport.sampleRate;
    case Vst2::audioMasterGetBlockSize:
        return maxBlock;
    case Vst2::audioMasterGetCurrentProcessLevel:
        return Vst2::kVstProcessLevelRealtime;
    case Vst2::audioMasterGetAutomationState:
        return Vst2::kVstAutomationOff;
    case Vst2::audioMasterCanDo:
    {
        const auto* what = static_cast<const char*>(ptr);
        for (const char* yes : {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
                                "receiveVstMidiEvent", "sizeWindow"})
            if (what != nullptr && std::strcmp(what, yes) == 0)
                return 1;
        return 0;
    }
    case Vst2::audioMasterWantMidi:
    case Vst2::audioMasterAutomate:
    case Vst2::audioMasterBeginEdit:
    case Vst2::audioMasterEndEdit:
    case Vst2::audioMasterIOChanged:
    case Vst2::audioMasterUpdateDisplay:
        return 1;
    case Vst2::audioMasterSizeWindow:
        editorSizeRequest = {index, (int) value};
        if (onSizeWindow)
            onSizeWindow(index, (int) value);
        return 1;
    default:
        return 0;
    }
}

std::intptr_t VstHost::dispatch(int opcode, int index, std::intptr_t value, void* ptr, float opt)
{
    return fx != nullptr ? fx->dispatcher(fx, opcode, index, value, ptr, opt) : 0;
}

std::string VstHost::getString(int opcode, int index)
{
    char text[512] = {};
    dispatch(opcode, index, 0, text, 0.0f);
    return text;
}

bool VstHost::canDo(const char* what)
{
    return dispatch(Vst2::effCanDo, 0, 0, const_cast<char*>(what), 0.0f) > 0;
}

void VstHost::open(double sampleRate, int blockSize)
{
    transport.sampleRate = sampleRate;
    maxBlock = blockSize;
    dispatch(Vst2::effOpen);
    dispatch(Vst2::effSetSampleRate, 0, 0, nullptr, (float) sampleRate);
    dispatch(Vst2::effSetBlockSize, 0, blockSize);
    isOpen = true;

    outputs.assign((size_t) fx->numOutputs, std::vector<float>((size_t) blockSize, 0.0f));
    inputs.assign((size_t) fx->numInputs, std::vector<float>((size_t) blockSize, 0.0f));
}

void VstHost::resume()
{
    dispatch(Vst2::effMainsChanged, 0, 1);
}

void VstHost::suspend()
{
    dispatch(Vst2::effMainsChanged, 0, 0);
}

void VstHost::close()
{
    if (fx != nullptr && isOpen)
    {
        suspend();
        dispatch(Vst2::effClose);
        fx = nullptr;
        isOpen = false;
    }
}

float VstHost::getParameter(int index) const
{
    return fx->getParameter(fx, index);
}

void VstHost::setParameter(int index, float normalised)
{
    fx->setParameter(fx, index, normalised);
}

void VstHost::sendEvents(const std::vector<HostMidiEvent>& events)
{
    pendingMidi.clear();
    for (const auto& e : events)
    {
        Vst2::VstMidiEvent m{};
        m.type = Vst2::kVstMidiType;
        m.byteSize = sizeof(Vst2::VstMidiEvent);
        m.deltaFrames = e.deltaFrames;
        std::memcpy(m.midiData, e.bytes, 3);
        pendingMidi.push_back(m);
    }

    const size_t count = pendingMidi.size();
    eventsStorage.assign(sizeof(Vst2::VstEvents) + count * sizeof(Vst2::VstEvent*), 0);
    auto* list = reinterpret_cast<Vst2::VstEvents*>(eventsStorage.data());
    list->numEvents = (int) count;
    for (size_t i = 0; i < count; ++i)
        list->events[i] = reinterpret_cast<Vst2::VstEvent*>(&pendingMidi[i]);
    dispatch(Vst2::effProcessEvents, 0, 0, list);
}

void VstHost::process(int numSamples)
{
    std::vector<float*> in, out;
    for (auto& ch : inputs)
        in.push_back(ch.data());
    for (auto& ch : outputs)
    {
        std::fill(ch.begin(), ch.end(), 0.0f);
        out.push_back(ch.data());
    }
    fx->processReplacing(fx, in.data(), out.data(), numSamples);
}

void VstHost::advance(int numSamples)
{
    if (!transport.playing)
        return;
    transport.samplePos += numSamples;
    transport.ppqPos += numSamples * transport.tempo / (60.0 * transport.sampleRate);
    if (transport.looping && transport.loopEnd > transport.loopStart && transport.ppqPos >= transport.loopEnd)
        transport.ppqPos -= transport.loopEnd - transport.loopStart;
}

void VstHost::idle(int times)
{
    for (int i = 0; i < times; ++i)
    {
        dispatch(Vst2::effIdle);
        dispatch(Vst2::effEditIdle);
    }
}

void VstHost::idleFor(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end)
    {
        idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    idle();
}

bool VstHost::idleUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        idle();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::vector<char> VstHost::getChunk()
{
    void* data = nullptr;
    const auto size = dispatch(Vst2::effGetChunk, 0, 0, &data);
    if (data == nullptr || size <= 0)
        return {};
    const auto* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

void VstHost::setChunk(const std::vector<char>& data)
{
    dispatch(Vst2::effSetChunk, 0, (std::intptr_t) data.size(), const_cast<char*>(data.data()));
}
