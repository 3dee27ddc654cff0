// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuDesktop.h"

ZuDesktop::ChooserLauncher& ZuDesktop::chooserLauncher()
{
    static ChooserLauncher launcher =
        [](std::unique_ptr<juce::FileChooser>& holder, const ChooserRequest& request, ChooserDone done)
    {
        holder = std::make_unique<juce::FileChooser>(request.title, request.start, request.pattern);
        holder->launchAsync(request.flags, [done](const juce::FileChooser& chooser) { done(chooser.getResult()); });
    };
    return launcher;
}

ZuDesktop::ProcessStarter& ZuDesktop::processStarter()
{
    static ProcessStarter starter = [](const juce::StringArray& arguments)
    {
        // The child runs on its own; the file manager outlives this object.
        juce::ChildProcess process;
        return process.start(arguments, 0);
    };
    return starter;
}

void ZuDesktop::launchChooser(std::unique_ptr<juce::FileChooser>& holder, const ChooserRequest& request,
                              ChooserDone done)
{
    chooserLauncher()(holder, request, std::move(done));
}

juce::StringArray ZuDesktop::openFolderCommand(const juce::File& folder)
{
    return {"xdg-open", folder.getFullPathName()};
}

bool ZuDesktop::openFolder(const juce::File& folder)
{
    return processStarter()(openFolderCommand(folder));
}
