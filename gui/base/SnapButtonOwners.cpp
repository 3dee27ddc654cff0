// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapButtonOwners.h"

#include "ZuMirabox_CenterUnitPanels.h"
#include "ZuMirabox_SEQ1Panel.h"

namespace
{
template <typename Owner> void tell(juce::Component& selector)
{
    if (auto* parent = selector.getParentComponent())
    {
        auto* owner = dynamic_cast<Owner*>(parent);
        if (owner == nullptr)
            owner = parent->findParentComponentOfClass<Owner>();
        if (owner != nullptr)
            owner->snapshotChanged();
    }
}
} // namespace

void zu::snapshot::notifyOwner(juce::Component& selector, int seqId)
{
    if (seqId == 0)
        tell<ZuMirabox_SEQ1Panel>(selector);
    else if (seqId >= 1 && seqId <= 4)
        tell<ZuMirabox_CenterPitchSeqPanel>(selector);
    else if (seqId >= 5 && seqId <= 8)
        tell<ZuMirabox_CenterParamSeqPanel>(selector);
    else if (seqId >= 9 && seqId <= 12)
        tell<ZuMirabox_CenterCcSeqPanel>(selector);
    else if (seqId == 13)
        tell<ZuMirabox_CenterOctTpSeqPanel>(selector);
    else if (seqId == 14 || seqId == 15)
        tell<ZuMirabox_CenterCcRackPanel>(selector);
}
