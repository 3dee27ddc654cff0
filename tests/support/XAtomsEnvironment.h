// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bare Xvfb has no window manager, so the EWMH atoms JUCE looks up "only if
// they exist" (once, when it first connects to the display) are missing, and
// JUCE then sets a window property with atom 0: an X error that ends the
// process. A window manager would have created them; tests that show windows
// create them before anything connects, and keep the connection open so that
// the server does not reset and drop them.
//
// Include after GoogleTest and every other header: Xlib defines macros (None,
// Bool, Status) that clash with their names.

#include <chrono>
#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>

namespace zutest
{
// A connection to the test display, or nullptr when there is none. Tests in
// parallel share one server, which refuses connections while it resets after
// its last client left: wait for the connection itself, up to 30 s, rather
// than let JUCE connect later to a server without the atoms.
inline Display* openDisplay()
{
    if (std::getenv("DISPLAY") == nullptr)
        return nullptr;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;)
    {
        if (auto* d = XOpenDisplay(nullptr))
            return d;
        if (std::chrono::steady_clock::now() > deadline)
            return nullptr;
        std::this_thread::yield();
    }
}

class XAtomsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        display = openDisplay();
        if (display == nullptr)
            return;
        for (auto* name :
             {"WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE",
              "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN", "_NET_WM_WINDOW_TYPE_COMBO",
              "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE", "_MOTIF_WM_HINTS",
              "_NET_WM_ALLOWED_ACTIONS", "_NET_FRAME_EXTENTS", "_NET_WORKAREA"})
            XInternAtom(display, name, False);
        XSync(display, False);
    }

    void TearDown() override
    {
        if (display != nullptr)
            XCloseDisplay(display);
        display = nullptr;
    }

private:
    Display* display = nullptr;
};
} // namespace zutest
