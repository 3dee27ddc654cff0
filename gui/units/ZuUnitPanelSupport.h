// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UnitBg.h"
#include "ZuCenterUnitPanelBase.h"

#include <juce_gui_basics/juce_gui_basics.h>

// What every unit panel of the center column does alike around its unit
// frame: the header name kept in the GUI tree, the unit preset hooks, the
// six background shapes.
// Message thread only.
namespace zu::unitpanel
{
// The header name shows the GUI tree's "unitlabel" + unit id when it has
// one; an edit stores the new text there (without undo) and renames the
// unit's quick-bar button.
void bindHeaderLabel(ZuCenterUnitPanelBase& panel, juce::ValueTree guiTree);

// The settings' unit preset folder of the panel's kind becomes the frame's
// preset folder; outside an editor nothing changes.
void copyPresetFolder(ZuCenterUnitPanelBase& panel);

// The processor's unit preset tree of the panel's unit with "presetname" =
// name: the tree the unit preset loader reads back. Outside an editor, an
// empty "Preset" element with the name.
juce::XmlElement unitPresetXml(ZuCenterUnitPanelBase& panel, const juce::String& name);

// Hands the frame's shapes to the background: the body in the panel colour,
// the separators (the frame's and the panel's own, extra) and the header in
// shades of the unit colour; minimised, one rounded shape in the unit colour
// darkened by 0.6.
void paintUnitBackground(UnitBg& background, const ZuCenterUnitPanelBase& panel, juce::Colour panelColour,
                         const juce::Path& extraSeparator);

// "Initialize" from the unit menu: restored and switched on, both with
// notification, so the frame's handlers lay the unit out and enable it.
void initializeFrame(ZuCenterUnitPanelBase& panel);
} // namespace zu::unitpanel
