// SPDX-License-Identifier: GPL-3.0-or-later
#include "zu_dsp_phasor.h"

namespace zu::zudsp
{
template class ZuPhasor<float>;
template class ZuPhasor<double>;
} // namespace zu::zudsp
