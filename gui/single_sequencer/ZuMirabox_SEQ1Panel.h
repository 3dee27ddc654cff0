// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SnapButton.h"
#include "ZuGuiBase.h"

// The single-sequencer panel. The editor never builds it; so far it holds
// only its snapshot selector and what other panels ask of it.
class ZuMirabox_SEQ1Panel : public ZuGuiBase
{
public:
    ZuMirabox_SEQ1Panel();

    // Takes the snapshot the selector shows (clamped to 0..7).
    void snapshotChanged();
    // Whether relative step mode is on: never, until the panel's step widgets exist.
    bool getRelModeState() const noexcept { return false; }

    int getCurrentSnapshot() const noexcept { return currentSnapshot; }
    SnapButton& getSnapButton() noexcept { return snapButton; }

private:
    SnapButton snapButton;
    int currentSnapshot = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_SEQ1Panel)
};
