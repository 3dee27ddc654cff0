// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoSharedTable.h"

#include <cmath>

LfoSharedTable::LfoSharedTable()
{
    for (int k = 0; k < numTables; ++k)
        tables[(size_t) k].initialise(waveHandler->getWavetableFunc(k), 0.0f, 1.0f, numPoints);
}

float LfoSharedTable::lookup(int index, float x) const noexcept
{
    // A NaN would index the table at random.
    if (std::isnan(x))
        x = 0.0f;
    return tables[(size_t) juce::jlimit(0, numTables - 1, index)](x);
}
