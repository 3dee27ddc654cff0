// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small VST2 host for tests: loads a plug-in through its entry point and
// drives it the way a host does. It links no JUCE, so it sees only what a real
// host sees through the binary interface.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffect.h>
#include <pluginterfaces/vst2.x/aeffectx.h>
} // namespace Vst2

struct HostMidiEvent
{
    int deltaFrames = 0;
    unsigned char bytes[3]{};
};

struct HostTransport
{
    bool playing = false;
    double sampleRate = 48000.0;
    double samplePos = 0.0;
    double ppqPos = 0.0;
    double tempo = 120.0;
    bool looping = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
};

class VstHost
{
public:
    // Loads the shared object and calls "VSTPluginMain", or the older "main"
    // when that is the only entry point. effect() is null on failure.
    explicit VstHost(const std::string& path);
    ~VstHost();

    VstHost(const VstHost&) = delete;
    VstHost& operator=(const VstHost&) = delete;

    Vst2::AEffect* effect() const { return fx; }
    const std::string& error() const { return loadError; }
    bool usedLegacyEntry() const { return legacyEntry; }

    std::intptr_t dispatch(int opcode, int index = 0, std::intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    std::string getString(int opcode, int index = 0);
    bool canDo(const char* what);

    void open(double sampleRate, int blockSize);
    void resume();
    void suspend();
    void close();

    float getParameter(int index) const;
    void setParameter(int index, float normalised);
    std::string paramName(int index) { return getString(Vst2::effGetParamName, index); }
    std::string paramDisplay(int index) { return getString(Vst2::effGetParamDisplay, index); }

    // Sends the events for the next process() call.
    void sendEvents(const std::vector<HostMidiEvent>& events);
    // Runs one block; the plug-in's outgoing events land in receivedEvents().
    void process(int numSamples);
    // Advances the transport as a playing host would after a block.
    void advance(int numSamples);
    void idle(int times = 1);
    // Idles the plug-in (which runs its message loop on the host's thread)
    // for about ms milliseconds, as a host's editor timer would.
    // Only for checks that something does NOT happen in that time.
    void idleFor(int ms);
    // Idles the plug-in until condition holds or timeoutMs have passed;
    // returns whether it holds. The deadline is generous: a loaded machine
    // may run the plug-in's timers late, and a passing test never waits it out.
    bool idleUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

    std::vector<char> getChunk();
    void setChunk(const std::vector<char>& data);

    HostTransport transport;
    // The last window size the plug-in asked for (width, height).
    std::pair<int, int> editorSizeRequest{0, 0};
    // What the host does with such a request before it says yes; Linux hosts
    // resize the window that holds the editor.
    std::function<void(int width, int height)> onSizeWindow;
    const std::vector<float>& output(int channel) const { return outputs[(size_t) channel]; }
    const std::vector<HostMidiEvent>& receivedEvents() const { return received; }
    void clearReceived() { received.clear(); }

private:
    static Vst2::VstIntPtr hostCallback(Vst2::AEffect* effect, Vst2::VstInt32 opcode, Vst2::VstInt32 index,
                                        Vst2::VstIntPtr value, void* ptr, float opt);
    std::intptr_t handleCallback(int opcode, int index, std::intptr_t value, void* ptr, float opt);

    void* library = nullptr;
    Vst2::AEffect* fx = nullptr;
    std::string loadError;
    bool legacyEntry = false;
    bool isOpen = false;
    int maxBlock = 0;

    Vst2::VstTimeInfo timeInfo{};
    std::vector<std::vector<float>> outputs;
    std::vector<std::vector<float>> inputs;
    std::vector<HostMidiEvent> received;
    std::vector<Vst2::VstMidiEvent> pendingMidi;
    std::vector<char> eventsStorage;
};
