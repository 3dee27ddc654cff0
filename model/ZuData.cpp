// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuData.h"
