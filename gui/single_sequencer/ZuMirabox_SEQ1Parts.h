// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Chief header of the single-sequencer step widgets: value boxes and
// toggles, lights, octave selectors and the step's chord panel. The editor
// builds none of them; the single-sequencer panel does.
#include "SEQ1ChordModePanel.h"
#include "SEQ1StepLedPanel.h"
#include "SEQ1StepOctPanel.h"
#include "SEQ1StepValuePanels.h"
