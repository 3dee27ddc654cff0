// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuKolt_ModEngineBase.h"

#include "MirabelGlobalData.h"

const std::array<float, ZuKolt_ModEngineBase::numSyncedRates> ZuKolt_ModEngineBase::syncedRatePeriods{
    30720.0f, 15360.0f, 7680.0f, 3840.0f, 1920.0f, 960.0f, 480.0f, 240.0f, 120.0f, 60.0f, 30.0f, 15.0f, 7.5f, 3.75f};

ZuKolt_ModEngineBase::ZuKolt_ModEngineBase(MirabelGlobalData& global, int slot) : slotIndex(slot), globalData(global) {}

ZuKolt_ModEngineBase::~ZuKolt_ModEngineBase() = default;

float ZuKolt_ModEngineBase::getSyncedRateHz(int division, int type, float bpm) noexcept
{
    float f = 1.0f;
    if (type == 1)
        f = 0.666667f;
    else if (type == 2)
        f = 1.5f;
    if (division < 0 || division >= numSyncedRates)
        return 1.0f;
    return 1.0f / (f * syncedRatePeriods[(size_t) division] / bpm);
}
