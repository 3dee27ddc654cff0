// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_SEQ1Panel.h"

ZuMirabox_SEQ1Panel::ZuMirabox_SEQ1Panel()
{
    addAndMakeVisible(snapButton);
}

void ZuMirabox_SEQ1Panel::snapshotChanged()
{
    currentSnapshot = juce::jlimit(0, 7, (int) snapButton.getHiddenSlider().getValue());
}
