// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

// What the panels ask of the desktop: file and folder choosers and opening a
// folder in the file manager. Both go through replaceable functions, so that a
// test can take the request and answer it as the user would. Message thread
// only.
struct ZuDesktop
{
    struct ChooserRequest
    {
        juce::String title;
        juce::File start;
        juce::String pattern;
        int flags = 0;
    };
    using ChooserDone = std::function<void(const juce::File& result)>;
    // Replaces the chooser in holder by a new one and launches it; done gets
    // the chosen file, or an empty one when the user cancelled.
    using ChooserLauncher =
        std::function<void(std::unique_ptr<juce::FileChooser>& holder, const ChooserRequest&, ChooserDone done)>;
    // Starts a program with its arguments (no shell); true when it started.
    using ProcessStarter = std::function<bool(const juce::StringArray& arguments)>;

    static ChooserLauncher& chooserLauncher();
    static ProcessStarter& processStarter();

    static void launchChooser(std::unique_ptr<juce::FileChooser>& holder, const ChooserRequest& request,
                              ChooserDone done);
    // The file manager's command for a folder: xdg-open and the path as one argument.
    static juce::StringArray openFolderCommand(const juce::File& folder);
    static bool openFolder(const juce::File& folder);
};
