#pragma once

#include <juce_core/juce_core.h>

namespace zutest
{
// CTest runs each test in its own process, in parallel: a name picked by
// getNonexistentChildFile can be picked by two processes at once, so every
// folder gets a name no other process can choose.
inline juce::File uniqueTempFolder(const juce::String& stem)
{
    auto folder =
        juce::File::getSpecialLocation(juce::File::tempDirectory).getChildFile(stem + "-" + juce::Uuid().toString());
    folder.createDirectory();
    return folder;
}
} // namespace zutest
