// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The signal module zu::zudsp: phasors, smoothing, filters, delays and the
// warps the modulation engines and the units use. Each family has its own header.

#include "zu_dsp_phasor.h"
#include "zu_dsp_filters.h"
#include "zu_dsp_delay.h"
