// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the playback tests share: the plug-in opened as a host opens it, a
// changed state document restored into it, host parameters found by name, and
// a session that plays blocks with the transport running and keeps every MIDI
// event the plug-in sends, with its position counted from the start of play.

#include "ChunkText.h"
#include "VstHost.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hostsession
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
// A 4/4 bar and a sixteenth at 120 bpm and 48 kHz.
constexpr int64_t samplesPerBar = 96000;
constexpr int64_t samplesPerSixteenth = 6000;

// A short channel message sent by the plug-in.
struct HostEvent
{
    int64_t sample = 0; // from the start of play
    int block = 0;      // the block it came in
    int delta = 0;      // its position within that block
    int status = 0;     // high nibble: 0x80, 0x90, 0xB0 ...
    int channel = 0;    // 1..16
    int data1 = 0;
    int data2 = 0;

    bool isNoteOn() const { return status == 0x90 && data2 > 0; }
    bool isNoteOff() const { return status == 0x80 || (status == 0x90 && data2 == 0); }
    bool isController() const { return status == 0xB0; }
};

// Opened, prepared at 48 kHz with 512-sample blocks and resumed; effect() is
// null when the plug-in did not load.
std::unique_ptr<VstHost> openPlugin();

// Restores state into the plug-in and waits until it has taken it, which the
// unit list ("ctstate" of "maintree") shows: the state must list other units
// than the plug-in does now.
bool restoreState(VstHost& host, const ChunkText& state);

// The index of the host parameter of that name, -1 when none has it.
int paramIndex(VstHost& host, const std::string& name);
// Sets a host parameter by its plain value within [min, max].
void setPlainParameter(VstHost& host, const std::string& name, float value, float min, float max);

// Sixteenth k of a unit that numbers the sixteenths of its bar on the given
// scale (phase x scale, the phase of sample s being (s + 1) / 96000 of the bar):
// the first sample where its index reaches k.
int64_t sixteenthStart(int64_t k, double scale);

class Session
{
public:
    explicit Session(VstHost& h) : host(h) {}

    // Runs blocks and keeps what the plug-in sends; beforeBlock (if given)
    // runs before each block with the block's number.
    void run(int numBlocks, const std::function<void(int)>& beforeBlock = {});

    std::vector<HostEvent> noteOns() const;
    std::vector<HostEvent> controllers(int number) const;
    // Notes sounding after everything received so far (per channel and note).
    int soundingNotes() const;

    VstHost& host;
    std::vector<HostEvent> events;
    int64_t position = 0;
    int blocks = 0;
};
} // namespace hostsession
