// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EffectUnitPanelBae.h"

// The chord panel's main area. So far it only hosts the note pickers of the
// chord note boxes inside it, which size themselves from its bounds.
class ChordUnitsMainPanel : public EffectUnitPanelBae
{
public:
    ChordUnitsMainPanel() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChordUnitsMainPanel)
};
