// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterPanelMain.h"

void ZuMirabox_CenterPanelMain::resized()
{
    ++numLayouts;
}

void ZuMirabox_CenterPanelMain::quickAccessButtonClicked(int) {}

void ZuMirabox_CenterPanelMain::updateQuickBar() {}
