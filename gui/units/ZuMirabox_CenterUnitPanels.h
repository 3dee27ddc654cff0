// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The five unit panels of the center column, one per unit kind.
#include "ZuMirabox_CenterCcRackPanel.h"
#include "ZuMirabox_CenterCcSeqPanel.h"
#include "ZuMirabox_CenterOctTpSeqPanel.h"
#include "ZuMirabox_CenterParamSeqPanel.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"
