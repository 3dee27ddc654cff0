// SPDX-License-Identifier: GPL-3.0-or-later
// An empty JUCE instrument as a plug-in. The instance-creation benchmark
// measures it beside the real plug-in, both built with the same JUCE library
// and VST2 wrapper, so the difference is what our own construction costs.

#include "BareProcessor.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new BareProcessor();
}
