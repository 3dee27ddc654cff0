// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The octave strip lives with the direction strip, its close family.
#include "CenterDirButton.h"
