// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reset-count panel lives with the clock panel, its close family.
#include "CenterPitchSeq_ClockPanel.h"
