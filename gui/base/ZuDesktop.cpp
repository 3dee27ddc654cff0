// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuDesktop.h"

#include <algorithm>
#include <vector>

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
        // The programs run on their own; the ones that ended are reaped here,
        // so none is left behind as a zombie.
        static std::vector<std::unique_ptr<juce::ChildProcess>> started;
        started.erase(std::remove_if(started.begin(), started.end(), [](auto& p) { return !p->isRunning(); }),
                      started.end());
        auto process = std::make_unique<juce::ChildProcess>();
        if (!process->start(arguments, 0))
            return false;
        started.push_back(std::move(process));
        return true;
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
