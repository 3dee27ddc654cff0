// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuGuiBase.h"

// The owner of a chord note editor: a panel that shows the same five chord
// notes in pickers of its own and hears when the editor ends.
class ChordModePanelBase : public ZuGuiBase
{
public:
    ChordModePanelBase() = default;

    // The note editor this panel opened has ended (however it ended); the
    // owner ends MIDI keyboard entry here.
    virtual void editPanelClosed() {}

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordModePanelBase)
};
