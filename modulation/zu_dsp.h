// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The signal module (namespace zu::zudsp): plain class templates over the
// sample type in the JUCE dsp shape (prepare, reset, in-place block
// processing from the block's start sample). Nothing allocates after prepare.
// Each family of helpers has its own header; this one brings them all.

#include "zu_dsp_slide.h"
