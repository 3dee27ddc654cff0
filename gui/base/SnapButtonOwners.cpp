// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapButtonOwners.h"

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
}
