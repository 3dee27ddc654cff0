// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

// The host the plug-in runs in, as JUCE's PluginHostType describes it
// ("Reaper", "FruityLoops" ...). Texts that depend on the host ask here, so
// tests can pretend to be any host.
namespace zu::host
{
// The injected description when one is set, otherwise JUCE's.
juce::String description();
// Pretends to run in the host so described; an empty text restores JUCE's.
void setDescriptionForTesting(const juce::String& hostDescription);

// How the host numbers octaves relative to MIDI octave 0 of note 0: 0 for
// "FruityLoops", -1 for "ProTools", the Cakewalk hosts and "Reaper", -2 for
// every other host.
int octaveCaptionOffset(const juce::String& hostDescription);
} // namespace zu::host
