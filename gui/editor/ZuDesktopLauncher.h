// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Hands a folder or a web address to the desktop's default handler. The
// target travels as one argument of "xdg-open", never through a shell, so a
// folder or address holding quotes, spaces or ";" cannot run anything.
//
// Tests replace the runner to see the argument list without a desktop.
class ZuDesktopLauncher
{
public:
    using Runner = std::function<bool(const juce::StringArray& arguments)>;

    // The argument list that opens target.
    static juce::StringArray commandFor(const juce::String& target);

    // Opens target; false when nothing could be started.
    bool open(const juce::String& target) const;

    // Replaces how the command is started (null restores the real start).
    void setRunner(Runner newRunner) { runner = std::move(newRunner); }

private:
    static bool startDetached(const juce::StringArray& arguments);

    Runner runner;
};

// A web link whose click opens its address through the launcher.
class ZuLinkButton : public juce::HyperlinkButton
{
public:
    ZuLinkButton(const juce::String& address, const ZuDesktopLauncher& launcherToUse);

    void clicked() override;

private:
    const ZuDesktopLauncher& launcher;
};
