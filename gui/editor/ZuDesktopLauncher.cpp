// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuDesktopLauncher.h"

juce::StringArray ZuDesktopLauncher::commandFor(const juce::String& target)
{
    return {"xdg-open", target};
}

bool ZuDesktopLauncher::open(const juce::String& target) const
{
    if (target.isEmpty())
        return false;
    const auto arguments = commandFor(target);
    return runner ? runner(arguments) : startDetached(arguments);
}

bool ZuDesktopLauncher::startDetached(const juce::StringArray& arguments)
{
    // The handler lives on after the plug-in forgets it; its output goes nowhere.
    juce::ChildProcess process;
    return process.start(arguments, 0);
}

ZuLinkButton::ZuLinkButton(const juce::String& address, const ZuDesktopLauncher& launcherToUse)
    : juce::HyperlinkButton(address, juce::URL(address)), launcher(launcherToUse)
{
}

void ZuLinkButton::clicked()
{
    launcher.open(getURL().toString(false));
}
