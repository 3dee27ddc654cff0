// SPDX-License-Identifier: GPL-3.0-or-later
#include "zu_dsp_delay.h"

namespace zu::zudsp
{
template class ZuSampleDelay<float>;
template class ZuSampleDelay<double>;
template class PitchShifter<float>;
template class PitchShifter<double>;
} // namespace zu::zudsp
