// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuGuiBase.h"

class ZuMirabox_CenterContent;

// The center area of the main panel, which scrolls the unit column. For now
// it holds only what the unit column asks of it: a layout pass after a unit's
// height changed. Message thread only.
class ZuMirabox_CenterPanelMain : public ZuGuiBase
{
public:
    ZuMirabox_CenterPanelMain() = default;

    void resized() override;

    // The unit column this container scrolls; none until the column is built.
    ZuMirabox_CenterContent* getCenterContent() const noexcept { return content; }
    // Scrolls the column so that the unit with that id shows.
    void quickAccessButtonClicked(int unitId);
    // Hands the column's unit order to the quick bar.
    void updateQuickBar();

    // How many layout passes ran (a unit's state change asks for one).
    int getNumLayouts() const noexcept { return numLayouts; }

private:
    int numLayouts = 0;
    ZuMirabox_CenterContent* content = nullptr;
};
