// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Storage of one recorder take: events in time order, held in fixed-size
// chunks so that a take can grow while recording without the audio thread
// ever allocating. New chunks are made off the audio thread (RecChunkSupply
// ::topUp, from the message thread) and handed over through a lock-free
// queue; the audio thread only takes a ready chunk when its store is full.
// Chunks are never freed while recording: a cleared store keeps them.

#include <juce_core/juce_core.h>

#include <array>
#include <memory>
#include <vector>

// One recorded event: its time in ticks and up to three MIDI bytes. The
// tempo event keeps its microseconds per quarter note in tempo instead.
struct RecEvent
{
    double tick = 0.0;
    juce::uint8 bytes[3]{};
    juce::uint8 size = 0;
    juce::int32 tempo = -1;
};

class RecChunkSupply
{
public:
    static constexpr int eventsPerChunk = 16384;
    using Chunk = std::array<RecEvent, eventsPerChunk>;

    // Every topUp keeps readyTarget chunks ready; none is made before the
    // first topUp, so an instance that never plays holds none.
    explicit RecChunkSupply(int readyTarget);
    ~RecChunkSupply();

    // Any thread but the audio thread (it allocates): refills the ready queue
    // to its target. Safe against concurrent callers of its own kind.
    void topUp();
    // Audio thread: a ready chunk, or null when none is left.
    std::unique_ptr<Chunk> take() noexcept;
    int getNumReady() const noexcept { return fifo.getNumReady(); }

private:
    static constexpr int queueSize = 64;
    const int target;
    juce::AbstractFifo fifo{queueSize};
    std::array<Chunk*, queueSize> slots{};
    juce::CriticalSection producerLock;

    JUCE_DECLARE_NON_COPYABLE(RecChunkSupply)
};

class RecTakeStore
{
public:
    using Chunk = RecChunkSupply::Chunk;
    static constexpr int eventsPerChunk = RecChunkSupply::eventsPerChunk;
    // A take of this many chunks (about 16 million events) is full for good.
    static constexpr int maxChunks = 1024;

    RecTakeStore() = default;

    // Off the audio thread (allocates): room for every chunk a take may hold,
    // so that taking chunks later never grows the store; then one chunk.
    void addFirstChunk(std::unique_ptr<Chunk> chunk);

    // Audio thread from here on: nothing allocates.
    void clear() noexcept { count = 0; }
    int size() const noexcept { return count; }
    int capacity() const noexcept { return static_cast<int>(chunks.size()) * eventsPerChunk; }
    // Makes room for `needed` more events, taking ready chunks from supply as
    // required. False when the supply cannot give enough.
    bool reserveFree(int needed, RecChunkSupply& supply) noexcept;
    // Inserts in time order (events of equal time keep their arrival order).
    // The caller has made room with reserveFree.
    void insert(const RecEvent& event) noexcept;

    const RecEvent& operator[](int index) const noexcept { return slot(index); }

private:
    RecEvent& slot(int index) noexcept
    {
        return (*chunks[(size_t) (index / eventsPerChunk)])[(size_t) (index % eventsPerChunk)];
    }
    const RecEvent& slot(int index) const noexcept
    {
        return (*chunks[(size_t) (index / eventsPerChunk)])[(size_t) (index % eventsPerChunk)];
    }

    std::vector<std::unique_ptr<Chunk>> chunks;
    int count = 0;

    JUCE_DECLARE_NON_COPYABLE(RecTakeStore)
};
