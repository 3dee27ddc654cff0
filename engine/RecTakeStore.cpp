// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecTakeStore.h"

#include <algorithm>

RecChunkSupply::RecChunkSupply(int readyTarget) : target(juce::jlimit(0, queueSize - 1, readyTarget)) {}

RecChunkSupply::~RecChunkSupply()
{
    while (auto chunk = take())
        chunk.reset();
}

void RecChunkSupply::topUp()
{
    const juce::ScopedLock sl(producerLock);
    const int missing = target - fifo.getNumReady();
    if (missing <= 0)
        return;

    // Chunks are made before the write scope: the consumer may take some in
    // between, which only leaves more free slots.
    const auto write = fifo.write(missing);
    for (int i = 0; i < write.blockSize1; ++i)
        slots[(size_t) (write.startIndex1 + i)] = new Chunk();
    for (int i = 0; i < write.blockSize2; ++i)
        slots[(size_t) (write.startIndex2 + i)] = new Chunk();
}

std::unique_ptr<RecChunkSupply::Chunk> RecChunkSupply::take() noexcept
{
    Chunk* chunk = nullptr;
    fifo.read(1).forEach([&](int index) { chunk = std::exchange(slots[(size_t) index], nullptr); });
    return std::unique_ptr<Chunk>(chunk);
}

//==============================================================================
void RecTakeStore::addFirstChunk(std::unique_ptr<Chunk> chunk)
{
    chunks.reserve((size_t) maxChunks);
    if (chunk != nullptr && chunks.size() < (size_t) maxChunks)
        chunks.push_back(std::move(chunk));
}

bool RecTakeStore::reserveFree(int needed, RecChunkSupply& supply) noexcept
{
    while (capacity() - count < needed)
    {
        // A store given no first chunk has no room reserved: it takes none.
        if (chunks.size() >= std::min(chunks.capacity(), (size_t) maxChunks))
            return false;
        auto chunk = supply.take();
        if (chunk == nullptr)
            return false;
        chunks.push_back(std::move(chunk)); // within the reserved capacity: no allocation
    }
    return true;
}

void RecTakeStore::insert(const RecEvent& event) noexcept
{
    jassert(count < capacity());
    // Events arrive almost in time order: shift the few later ones up.
    int i = count++;
    while (i > 0 && slot(i - 1).tick > event.tick)
    {
        slot(i) = slot(i - 1);
        --i;
    }
    slot(i) = event;
}
