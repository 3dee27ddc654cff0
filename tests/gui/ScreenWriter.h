// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screens for people to look at, written to the build tree (never committed).
// Tests assert on behaviour and a few pixels, never on whole images.

#include <juce_gui_basics/juce_gui_basics.h>

namespace zutest
{
inline juce::File screensFolder()
{
    juce::File folder(ZU_SCREENS_DIR);
    folder.createDirectory();
    return folder;
}

// Writes image as name (a .png file) into the screens folder; true on success.
inline bool writeScreen(const juce::Image& image, const juce::String& name)
{
    const auto file = screensFolder().getChildFile(name);
    juce::TemporaryFile temp(file);
    {
        juce::FileOutputStream out(temp.getFile());
        juce::PNGImageFormat png;
        if (!out.openedOk() || !png.writeImageToStream(image, out))
            return false;
    }
    return temp.overwriteTargetFileWithTemporary();
}
} // namespace zutest
