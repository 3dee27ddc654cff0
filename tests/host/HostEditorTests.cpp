// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as a host shows it: embedded in an X11 window of the host's own,
// opened, idled, resized and closed, alone and beside a second instance's.

#include "ChunkText.h"
#include "VstHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

// Xlib's macros (None, Bool, Status ...) come last, after every other header.
#include "XAtomsEnvironment.h"
#include <X11/Xutil.h>

namespace
{
int xErrorCount = 0;
int countXError(Display*, XErrorEvent*)
{
    ++xErrorCount;
    return 0;
}

constexpr std::intptr_t fourCharCode(const char (&c)[5])
{
    return (std::intptr_t)(((unsigned) c[0] << 24) | ((unsigned) c[1] << 16) | ((unsigned) c[2] << 8) |
                           (unsigned) c[3]);
}

// The atoms a window manager would make, before any test loads the plug-in.
[[maybe_unused]] auto* const atomsRegistered = ::testing::AddGlobalTestEnvironment(new zutest::XAtomsEnvironment());

// A top-level window of the host's own, on its own connection.
class HostWindow
{
public:
    HostWindow(int x, int y)
    {
        display = zutest::openDisplay();
        if (display == nullptr)
            return;
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, 1000, 580, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
    }
    ~HostWindow()
    {
        if (display == nullptr)
            return;
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool ok() const { return display != nullptr; }
    void* handle() const { return reinterpret_cast<void*>(window); }

    int numChildren() const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (children != nullptr)
            XFree(children);
        return (int) count;
    }

    // A left click at (x, y) of the first embedded window, as the X server
    // would deliver it.
    void clickChild(int x, int y) const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (count > 0)
        {
            for (int type : {ButtonPress, ButtonRelease})
            {
                XEvent event{};
                event.xbutton.type = type;
                event.xbutton.display = display;
                event.xbutton.window = children[0];
                event.xbutton.root = root;
                event.xbutton.time = CurrentTime;
                event.xbutton.x = x;
                event.xbutton.y = y;
                event.xbutton.button = Button1;
                event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
                event.xbutton.same_screen = True;
                XSendEvent(display, children[0], True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask,
                           &event);
            }
        }
        if (children != nullptr)
            XFree(children);
        XFlush(display);
    }

    // Whether any pixel of the area differs from black.
    bool hasInk(int x, int y, int w, int h) const
    {
        XSync(display, False);
        XImage* image = XGetImage(display, window, x, y, (unsigned) w, (unsigned) h, AllPlanes, ZPixmap);
        if (image == nullptr)
            return false;
        bool ink = false;
        for (int j = 0; j < h && !ink; ++j)
            for (int i = 0; i < w && !ink; ++i)
                ink = (XGetPixel(image, i, j) & 0xffffff) != 0;
        XDestroyImage(image);
        return ink;
    }

    // Clears what the embedded windows show and asks them to draw it again.
    void exposeChildren() const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count; ++i)
            XClearArea(display, children[i], 0, 0, 0, 0, True);
        if (children != nullptr)
            XFree(children);
        XFlush(display);
    }

    // A fingerprint of what the window shows (its top-left w x h), 0 when it is all black.
    std::uint64_t fingerprint(int w, int h) const { return fingerprint(0, 0, w, h); }

    // The same for the area at x, y.
    std::uint64_t fingerprint(int left, int top, int w, int h) const
    {
        XSync(display, False);
        XImage* image = XGetImage(display, window, left, top, (unsigned) w, (unsigned) h, AllPlanes, ZPixmap);
        if (image == nullptr)
            return 0;
        std::uint64_t hash = 1469598103934665603ull;
        bool anyInk = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                const auto pixel = XGetPixel(image, x, y) & 0xffffff;
                anyInk = anyInk || pixel != 0;
                hash = (hash ^ pixel) * 1099511628211ull;
            }
        XDestroyImage(image);
        return anyInk ? hash : 0;
    }

private:
    Display* display = nullptr;
    ::Window window = 0;
};

struct EditorSize
{
    int width = 0, height = 0;
};

EditorSize editorRect(VstHost& host)
{
    Vst2::ERect* rect = nullptr;
    host.dispatch(Vst2::effEditGetRect, 0, 0, &rect);
    if (rect == nullptr)
        return {};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

// Asks the editor for a content scale, as hosts with scaled displays do, and
// waits until it asks the host for base scaled by that much.
bool scaleEditor(VstHost& host, float scale, EditorSize base)
{
    host.editorSizeRequest = {0, 0};
    host.dispatch(Vst2::effVendorSpecific, fourCharCode("PreS"), fourCharCode("AeCs"), nullptr, scale);
    const float w = (float) base.width * scale, h = (float) base.height * scale;
    return host.idleUntil(
        [&]
        {
            return std::abs((float) host.editorSizeRequest.first - w) <= 2.0f &&
                   std::abs((float) host.editorSizeRequest.second - h) <= 2.0f;
        });
}

// Waits until the window shows the same non-black picture on many idles in a
// row and for a while: the editor finishes its first build on timers (the unit
// column 300 ms, the skin and labels later), so a quick run of equal idles alone
// could catch the picture before them.
std::uint64_t settledPicture(VstHost& host, const HostWindow& window, int visibleHeight)
{
    using Clock = std::chrono::steady_clock;
    std::uint64_t last = 0;
    int same = 0;
    auto since = Clock::now();
    host.idleUntil(
        [&]
        {
            const auto now = window.fingerprint(1000, visibleHeight);
            if (now == 0 || now != last)
            {
                same = 0;
                since = Clock::now();
            }
            else
                ++same;
            last = now;
            return same >= 50 && Clock::now() - since >= std::chrono::milliseconds(1500);
        });
    return same >= 50 ? last : 0;
}

bool haveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != 0;
}

TEST(HostEditor, OpensIdlesResizesAndClosesManyTimesInTheHostsWindow)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostWindow window(0, 0);
    VstHost host(ZU_PLUGIN_PATH);
    ASSERT_NE(host.effect(), nullptr) << host.error();
    EXPECT_NE(host.effect()->flags & Vst2::effFlagsHasEditor, 0);
    host.open(48000.0, 512);
    host.resume();
    ASSERT_TRUE(window.ok());

    // The editor's size on the host's screen: 1000 x 580 times the display's scale.
    EditorSize base;
    for (int i = 0; i < 20; ++i)
    {
        ASSERT_EQ(host.dispatch(Vst2::effEditOpen, 0, 0, window.handle()), 1) << i;
        if (i == 0)
        {
            XSetErrorHandler(countXError);
            base = editorRect(host);
            EXPECT_NEAR((double) base.width / base.height, 1000.0 / 580.0, 0.01);
            EXPECT_GE(base.width, 1000);
        }
        ASSERT_TRUE(host.idleUntil([&] { return window.numChildren() == 1; })) << i;
        // The host's scaling rounds the editor's size by a pixel now and then.
        const auto size = editorRect(host);
        EXPECT_NEAR(size.width, base.width, base.width / 100) << i;
        EXPECT_NEAR((double) size.width / size.height, 1000.0 / 580.0, 0.01) << i;
        host.idle(5);

        const float scale = 1.0f + 0.25f * (float) (1 + i % 4);
        EXPECT_TRUE(scaleEditor(host, scale, size)) << i;
        host.idle(5);
        EXPECT_TRUE(scaleEditor(host, 1.0f, size)) << i;

        host.dispatch(Vst2::effEditClose);
        EXPECT_TRUE(host.idleUntil([&] { return window.numChildren() == 0; })) << i;
    }
    EXPECT_EQ(xErrorCount, 0);
    host.close();
}

TEST(HostEditor, ClosingOneOfTwoEditorsLeavesTheOtherDrawnAsBefore)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostWindow firstWindow(0, 0), secondWindow(0, 600);
    VstHost first(ZU_PLUGIN_PATH), second(ZU_PLUGIN_PATH);
    ASSERT_NE(first.effect(), nullptr);
    ASSERT_NE(second.effect(), nullptr);
    first.open(48000.0, 512);
    second.open(48000.0, 512);
    // Side by side on the screen, each fully visible where it is read.
    constexpr int visible = 400;
    ASSERT_TRUE(firstWindow.ok() && secondWindow.ok());

    ASSERT_EQ(first.dispatch(Vst2::effEditOpen, 0, 0, firstWindow.handle()), 1);
    ASSERT_EQ(second.dispatch(Vst2::effEditOpen, 0, 0, secondWindow.handle()), 1);
    struct CloseEditors
    {
        VstHost &a, &b;
        ~CloseEditors()
        {
            a.dispatch(Vst2::effEditClose);
            b.dispatch(Vst2::effEditClose);
            a.close();
            b.close();
        }
    } closeEditors{first, second};
    ASSERT_TRUE(second.idleUntil([&] { return firstWindow.numChildren() == 1 && secondWindow.numChildren() == 1; }));
    const auto before = settledPicture(second, secondWindow, visible);
    ASSERT_NE(before, 0u);

    first.dispatch(Vst2::effEditClose);
    ASSERT_TRUE(first.idleUntil([&] { return firstWindow.numChildren() == 0; }));

    // Everything of the remaining editor is drawn again, as it was.
    secondWindow.exposeChildren();
    EXPECT_EQ(settledPicture(second, secondWindow, visible), before);
}

TEST(HostEditor, TheSaveQuestionStaysOpenUntilAnswered)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostWindow window(0, 0);
    VstHost host(ZU_PLUGIN_PATH);
    ASSERT_NE(host.effect(), nullptr);
    host.open(48000.0, 512);
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(host.dispatch(Vst2::effEditOpen, 0, 0, window.handle()), 1);
    // A failed assertion must not leave the editor open in a window that goes.
    struct CloseEditor
    {
        VstHost& host;
        bool closed = false;
        ~CloseEditor()
        {
            if (!closed)
                host.dispatch(Vst2::effEditClose);
        }
    } closeEditor{host};
    ASSERT_TRUE(host.idleUntil([&] { return window.numChildren() == 1; }));
    const auto size = editorRect(host);
    const float s = (float) size.width / 1000.0f;
    ASSERT_NE(settledPicture(host, window, 580), 0u);

    // The question shows over the unit column below the Save button.
    const int x = (int) (640 * s), y = (int) (40 * s), w = (int) (220 * s), h = (int) (60 * s);
    const auto withoutQuestion = window.fingerprint(x, y, w, h);
    window.clickChild((int) ((162 + 590) * s), (int) (13 * s));
    ASSERT_TRUE(host.idleUntil([&] { return window.fingerprint(x, y, w, h) != withoutQuestion; }));
    // Hosts often seem in the background to JUCE: the question must stay anyway.
    host.idleFor(800);
    EXPECT_NE(window.fingerprint(x, y, w, h), withoutQuestion);

    // Closing the editor with the question open is safe.
    host.dispatch(Vst2::effEditClose);
    closeEditor.closed = true;
    EXPECT_TRUE(host.idleUntil([&] { return window.numChildren() == 0; }));
    host.idle(20);
    host.close();
}
TEST(HostEditor, AStateWithTheChordWindowOpenShowsItEachTimeTheEditorOpens)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostWindow window(0, 0);
    VstHost host(ZU_PLUGIN_PATH);
    ASSERT_NE(host.effect(), nullptr) << host.error();
    host.open(48000.0, 512);
    host.resume();
    ASSERT_TRUE(window.ok());
    XSetErrorHandler(countXError);
    const int errorsBefore = xErrorCount;

    // The lower right corner, where the chord window opens at first.
    const auto cornerPicture = [&](bool chordEdit)
    {
        auto state = ChunkText::fromChunk(host.getChunk());
        state.setAttribute({"maintree"}, "chord_edit", chordEdit ? "1" : "0");
        host.setChunk(state.toChunk());
        host.dispatch(Vst2::effEditOpen, 0, 0, window.handle());
        EXPECT_TRUE(host.idleUntil([&] { return window.numChildren() == 1; }));
        const auto size = editorRect(host);
        const float s = (float) size.width / 1000.0f;
        settledPicture(host, window, 580);
        const auto picture = window.fingerprint((int) (560 * s), (int) (340 * s), (int) (420 * s), (int) (200 * s));
        host.dispatch(Vst2::effEditClose);
        EXPECT_TRUE(host.idleUntil([&] { return window.numChildren() == 0; }));
        return picture;
    };
    const auto closed = cornerPicture(false);
    for (int i = 0; i < 6; ++i)
    {
        const auto open = cornerPicture(true);
        EXPECT_NE(open, closed) << i;
        EXPECT_EQ(ChunkText::fromChunk(host.getChunk()).attribute({"maintree"}, "chord_edit"), "1") << i;
    }
    EXPECT_EQ(xErrorCount, errorsBefore);
    host.close();
}
} // namespace
