// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The signal module zu::zudsp: small class templates over the sample type in
// the JUCE dsp shape (prepare, reset, block processing in place). Each family
// has its own header; this one gathers them.

#include "zu_dsp_swing.h"
#include "zu_dsp_phasor.h"
#include "zu_dsp_filters.h"
#include "zu_dsp_delay.h"
