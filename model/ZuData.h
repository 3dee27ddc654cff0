// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Chief header of the engine data models.
#include <juce_audio_basics/juce_audio_basics.h>

#include "ZuAtomic.h"
#include "ZuConvert.h"
#include "ZuDataModelBase.h"
#include "ZuUnits.h"
#include "CtrPtchSqData.h"
#include "MirabelGlobalData.h"
#include "DispShareData.h"
#include "CtrPrmSqData.h"
#include "CtrCcSqData.h"
#include "CtrOctSqData.h"
#include "CtrCcRackData.h"
#include "LfoData.h"
#include "MacroData.h"
#include "ChordData.h"
#include "ScaleData.h"
#include "Seq1Data.h"
