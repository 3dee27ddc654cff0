// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zu::snapshot
{
// Tells the unit panel that owns a snapshot selector that the user picked a
// snapshot: walks up from the selector's parent to the first panel of the
// class that owns selectors of that seq id (0 the single sequencer, 1..4
// pitch, 5..8 parameter, 9..12 CC, 13 octave-transpose, 14 and 15 CC racks)
// and runs its snapshotChanged(). Nothing happens without such a panel.
void notifyOwner(juce::Component& selector, int seqId);
} // namespace zu::snapshot
