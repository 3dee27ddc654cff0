// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuHostType.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace
{
juce::String& injected()
{
    static juce::String text;
    return text;
}
} // namespace

juce::String zu::host::description()
{
    if (injected().isNotEmpty())
        return injected();
    return juce::PluginHostType().getHostDescription();
}

void zu::host::setDescriptionForTesting(const juce::String& hostDescription)
{
    injected() = hostDescription;
}

int zu::host::octaveCaptionOffset(const juce::String& hostDescription)
{
    if (hostDescription == "FruityLoops")
        return 0;
    static const juce::StringArray minusOne{"ProTools", "Cakewalk Sonar 8", "Cakewalk Sonar", "Cakewalk by Bandlab",
                                            "Reaper"};
    return minusOne.contains(hostDescription) ? -1 : -2;
}
