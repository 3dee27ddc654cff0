// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as a host shows it: embedded in an X11 window of the host's own,
// opened, idled, resized and closed, alone and beside a second instance's.

#include "ChunkText.h"
#include "HostSession.h"
#include "VstHost.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

// Xlib's macros (None, Bool, Status ...) come last, after every other header.
#include "XAtomsEnvironment.h"
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

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

    // What a Linux host does when the editor asks for another size.
    void resize(int w, int h) const
    {
        XResizeWindow(display, window, (unsigned) w, (unsigned) h);
        XSync(display, False);
    }

    // The size of the first embedded window as the X server has it.
    std::pair<int, int> childSize() const
    {
        std::pair<int, int> size{0, 0};
        forFirstChild(
            [&](::Window child)
            {
                XWindowAttributes attributes{};
                if (XGetWindowAttributes(display, child, &attributes) != 0)
                    size = {attributes.width, attributes.height};
            });
        return size;
    }

    // Gives the first embedded window the keyboard, as a window manager does
    // when the user clicks into it.
    void focusChild() const
    {
        forFirstChild([&](::Window child) { XSetInputFocus(display, child, RevertToParent, CurrentTime); });
        XSync(display, False);
    }

    // A key press and release in the first embedded window.
    void pressKey(KeySym key) const
    {
        forFirstChild(
            [&](::Window child)
            {
                ::Window root = DefaultRootWindow(display);
                for (int type : {KeyPress, KeyRelease})
                {
                    XEvent event{};
                    event.xkey.type = type;
                    event.xkey.display = display;
                    event.xkey.window = child;
                    event.xkey.root = root;
                    event.xkey.time = CurrentTime;
                    event.xkey.keycode = XKeysymToKeycode(display, key);
                    event.xkey.same_screen = True;
                    XSendEvent(display, child, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
                }
            });
        XFlush(display);
    }

    // Puts the pointer in the screen's top-left corner, out of the way of
    // what the keys choose in a menu.
    void parkPointer() const
    {
        XWarpPointer(display, 0, DefaultRootWindow(display), 0, 0, 0, 0, 0, 0);
        XSync(display, False);
    }

    // The windows shown on the screen itself (menus open as such windows).
    int numShownTopLevelWindows() const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        int shown = 0;
        for (unsigned int i = 0; i < count; ++i)
        {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
                ++shown;
        }
        if (children != nullptr)
            XFree(children);
        return shown;
    }

    int numChildren() const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (children != nullptr)
            XFree(children);
        return (int) count;
    }

    // A click at (x, y) of the first embedded window, as the X server would
    // deliver it: the left button unless another is named.
    void clickChild(int x, int y, unsigned int button = Button1) const
    {
        forFirstChild(
            [&](::Window child)
            {
                ::Window root = DefaultRootWindow(display);
                for (int type : {ButtonPress, ButtonRelease})
                {
                    XEvent event{};
                    event.xbutton.type = type;
                    event.xbutton.display = display;
                    event.xbutton.window = child;
                    event.xbutton.root = root;
                    event.xbutton.time = CurrentTime;
                    event.xbutton.x = x;
                    event.xbutton.y = y;
                    event.xbutton.button = button;
                    event.xbutton.state = type == ButtonRelease ? (Button1Mask << (button - Button1)) : 0;
                    event.xbutton.same_screen = True;
                    XSendEvent(display, child, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
                }
            });
        XFlush(display);
    }

    // The pointer as a user moves it: the left button pressed at (x0, y0) of
    // the first embedded window, moved to (x1, y1) and released there, each
    // step delivered by the X server's input (XTest) and followed by between().
    void dragInChild(int x0, int y0, int x1, int y1, const std::function<void()>& between) const
    {
        int rootX = 0, rootY = 0;
        forFirstChild(
            [&](::Window child)
            {
                ::Window unused = 0;
                XTranslateCoordinates(display, child, DefaultRootWindow(display), 0, 0, &rootX, &rootY, &unused);
            });
        const int screen = DefaultScreen(display);
        const auto step = [&](auto fake)
        {
            fake();
            XSync(display, False);
            between();
        };
        step([&] { XTestFakeMotionEvent(display, screen, rootX + x0, rootY + y0, CurrentTime); });
        step([&] { XTestFakeButtonEvent(display, Button1, True, CurrentTime); });
        for (int i = 1; i <= 8; ++i)
            step(
                [&]
                {
                    XTestFakeMotionEvent(display, screen, rootX + x0 + (x1 - x0) * i / 8,
                                         rootY + y0 + (y1 - y0) * i / 8, CurrentTime);
                });
        step([&] { XTestFakeButtonEvent(display, Button1, False, CurrentTime); });
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
    template <typename Fn> void forFirstChild(Fn fn) const
    {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (count > 0)
            fn(children[0]);
        if (children != nullptr)
            XFree(children);
    }

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
std::uint64_t settledPicture(VstHost& host, const HostWindow& window, int visibleHeight, int visibleWidth = 1000)
{
    using Clock = std::chrono::steady_clock;
    std::uint64_t last = 0;
    int same = 0;
    auto since = Clock::now();
    host.idleUntil(
        [&]
        {
            const auto now = window.fingerprint(visibleWidth, visibleHeight);
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

// The plug-in's settings file under the harness's HOME.
std::string settingsFile()
{
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "/tmp") + "/.config/Zurvana/ZU-MIRA8/ZU-MIRA8.ini";
}

// Writes a settings file that holds only the window scale.
void storeWindowScale(double scale)
{
    const std::filesystem::path path(settingsFile());
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::trunc);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n  <VALUE name=\"window_scalefactor\" val=\""
        << scale << "\"/>\n</PROPERTIES>\n";
}

// The window scale the settings file holds, -1 when it holds none.
double storedWindowScale()
{
    std::ifstream in(settingsFile());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string key = "name=\"window_scalefactor\" val=\"";
    const auto at = text.find(key);
    return at == std::string::npos ? -1.0 : std::atof(text.c_str() + at + key.size());
}

// The middle of the menu strip's "Menu" button, at scale 1.
constexpr std::pair<int, int> menuButtonCentre{428, 13};

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

// A window manager's hosts (and any Linux host) resize the editor's window
// when the editor asks: the editor keeps a small stored scale and the menu's
// sizes, on the screen and in the settings file, however late it redraws.
TEST(HostEditor, KeepsASmallStoredScaleAndTheMenuSizeInAHostThatResizesItsWindow)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    storeWindowScale(0.4);
    HostWindow window(0, 0);
    VstHost host(ZU_PLUGIN_PATH);
    ASSERT_NE(host.effect(), nullptr);
    host.onSizeWindow = [&](int w, int h) { window.resize(w, h); };
    host.open(48000.0, 512);
    ASSERT_TRUE(window.ok());
    struct Cleanup
    {
        VstHost& host;
        ~Cleanup()
        {
            host.dispatch(Vst2::effEditClose);
            host.close();
            // The editors of the tests after this one open at the usual size.
            storeWindowScale(1.0);
        }
    } cleanup{host};

    ASSERT_EQ(host.dispatch(Vst2::effEditOpen, 0, 0, window.handle()), 1);
    window.resize(editorRect(host).width, editorRect(host).height);
    ASSERT_TRUE(host.idleUntil([&] { return window.numChildren() == 1; }));
    // Past the resizing rules (10 ms), the preset name and the skin (300 ms).
    ASSERT_NE(settledPicture(host, window, 232, 400), 0u);
    EXPECT_EQ(editorRect(host).width, 400);
    EXPECT_EQ(editorRect(host).height, 232);
    EXPECT_EQ(window.childSize(), std::make_pair(400, 232));
    EXPECT_NEAR(storedWindowScale(), 0.4, 1e-6);

    // Menu > Resize > 50 %, by mouse and keys as a user picks it.
    window.focusChild();
    window.parkPointer();
    const int menus = window.numShownTopLevelWindows();
    const float s = 0.4f;
    window.clickChild((int) ((float) menuButtonCentre.first * s), (int) ((float) menuButtonCentre.second * s));
    ASSERT_TRUE(host.idleUntil([&] { return window.numShownTopLevelWindows() > menus; })) << "the plug-in menu opens";
    for (int i = 0; i < 4; ++i) // to "Resize", past two separators
    {
        window.pressKey(XK_Down);
        host.idle(5);
    }
    window.pressKey(XK_Right);
    ASSERT_TRUE(host.idleUntil([&] { return window.numShownTopLevelWindows() > menus + 1; })) << "its sub-menu opens";
    // A user reads the menu for a while; the editor's window, undrawn all
    // that time, drops its drawing buffer (JUCE does so after 3 s) and so
    // redraws from scratch after the resize.
    host.idleFor(3500);
    window.pressKey(XK_Return);
    ASSERT_TRUE(host.idleUntil([&] { return window.numShownTopLevelWindows() == menus; })) << "the menus close";

    ASSERT_TRUE(host.idleUntil([&] { return window.childSize() == std::make_pair(500, 290); }))
        << window.childSize().first << " x " << window.childSize().second << ", editor " << editorRect(host).width
        << " x " << editorRect(host).height << ", asked " << host.editorSizeRequest.first << " x "
        << host.editorSizeRequest.second;
    // It stays so, also once the editor has drawn itself anew.
    window.exposeChildren();
    EXPECT_NE(settledPicture(host, window, 290, 500), 0u);
    EXPECT_EQ(window.childSize(), std::make_pair(500, 290));
    EXPECT_EQ(editorRect(host).width, 500);
    EXPECT_EQ(editorRect(host).height, 290);
    EXPECT_NEAR(storedWindowScale(), 0.5, 1e-6);
}

// The rename field of a unit takes what the user types at once: the name
// lands in the state the host saves.
TEST(HostEditor, ARenameFromTheQuickBarMenuTakesTheTypedName)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostWindow window(0, 0);
    auto host = hostsession::openPlugin();
    ASSERT_NE(host->effect(), nullptr);
    ASSERT_TRUE(window.ok());
    auto state = ChunkText::fromChunk(host->getChunk());
    ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", "CT:100 "));
    ASSERT_TRUE(hostsession::restoreState(*host, state));

    ASSERT_EQ(host->dispatch(Vst2::effEditOpen, 0, 0, window.handle()), 1);
    struct CloseEditor
    {
        VstHost& host;
        ~CloseEditor() { host.dispatch(Vst2::effEditClose); }
    } closeEditor{*host};
    ASSERT_TRUE(host->idleUntil([&] { return window.numChildren() == 1; }));
    ASSERT_NE(settledPicture(*host, window, 580), 0u);
    const float s = (float) editorRect(*host).width / 1000.0f;

    const int x = 0, y = (int) (50 * s), w = (int) (400 * s), h = (int) (80 * s);
    const auto withoutField = window.fingerprint(x, y, w, h);
    window.focusChild();
    window.parkPointer();
    const int menus = window.numShownTopLevelWindows();
    window.clickChild((int) (83 * s), (int) (39 * s), Button3);
    ASSERT_TRUE(host->idleUntil([&] { return window.numShownTopLevelWindows() > menus; })) << "the button's menu opens";
    for (KeySym key : {XK_Down, XK_Down, XK_Return})
    {
        window.pressKey(key);
        host->idle(5);
    }
    ASSERT_TRUE(host->idleUntil([&] { return window.numShownTopLevelWindows() == menus; })) << "the menu closes";
    // The name field shows in a call-out below the button.
    ASSERT_TRUE(host->idleUntil([&] { return window.fingerprint(x, y, w, h) != withoutField; }));
    for (KeySym key : {XK_b, XK_a, XK_s, XK_s, XK_Return})
        window.pressKey(key);
    const auto storedName = [&]
    { return ChunkText::fromChunk(host->getChunk()).attribute({"maintree"}, "unitlabel1").value_or(""); };
    EXPECT_TRUE(host->idleUntil([&] { return storedName() == "bass"; })) << storedName();
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
// The plug-in in a window of the host's own, with its editor opened there and
// settled; the editor closes (if open) before the plug-in and the window go.
struct HostedEditor
{
    HostWindow window{0, 0};
    std::unique_ptr<VstHost> host = hostsession::openPlugin();
    // The editor's scale: its width over the design width.
    float s = 1.0f;
    bool editorOpen = false;

    ~HostedEditor()
    {
        if (editorOpen)
            host->dispatch(Vst2::effEditClose);
    }

    // The plug-in with the unit list units ("ctstate") and its editor open.
    bool open(const char* units)
    {
        if (host->effect() == nullptr || !window.ok())
            return false;
        auto state = ChunkText::fromChunk(host->getChunk());
        return state.setAttribute({"maintree"}, "ctstate", units) && hostsession::restoreState(*host, state) &&
               openEditor();
    }
    bool openEditor()
    {
        if (host->dispatch(Vst2::effEditOpen, 0, 0, window.handle()) != 1)
            return false;
        editorOpen = true;
        if (!host->idleUntil([&] { return window.numChildren() == 1; }) || settledPicture(*host, window, 580) == 0)
            return false;
        s = (float) editorRect(*host).width / 1000.0f;
        window.parkPointer();
        return true;
    }
    void closeEditor()
    {
        host->dispatch(Vst2::effEditClose);
        editorOpen = false;
        EXPECT_TRUE(host->idleUntil([&] { return window.numChildren() == 0; }));
        host->idle(20);
    }

    // A design coordinate in the window.
    int at(int v) const { return (int) ((float) v * s); }
    void click(int x, int y) const { window.clickChild(at(x), at(y)); }
    // What the window shows in a design area.
    std::uint64_t picture(int x, int y, int w, int h) const { return window.fingerprint(at(x), at(y), at(w), at(h)); }
};

// The parameter, CC, octave-transpose and rack panels in the host's window:
// clicks on their controls land in the state the host saves.
TEST(HostEditor, ClicksOnTheOtherUnitKindsReachTheSavedState)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostedEditor hosted;
    XSetErrorHandler(countXError);
    const int errorsBefore = xErrorCount;
    ASSERT_TRUE(hosted.open("CT:500 900 1300 1400 "));
    auto& host = hosted.host;
    const auto saved = [&](std::vector<std::string> path, const char* key)
    { return ChunkText::fromChunk(host->getChunk()).number(path, key).value_or(-1.0); };

    // The CC unit's block page button, under its steps.
    hosted.click(551, 256);
    EXPECT_TRUE(host->idleUntil([&] { return saved({"param", "seqmain", "ccsq1"}, "p3m31_page") == 1.0; }));
    // The first rack knob's own power switch.
    hosted.click(199, 431);
    EXPECT_TRUE(host->idleUntil([&] { return saved({"param", "seqmain", "ccrack1"}, "p5m51_kpwr1") == 0.0; }));
    // The parameter unit's power switch in its header strip.
    hosted.click(22, 73);
    EXPECT_TRUE(host->idleUntil([&] { return saved({"ZUMIRA8"}, "p2m21_pwr") == 0.0; }));
    EXPECT_EQ(xErrorCount, errorsBefore);
}

// The bottom area's page column at scale 1: the middle of page button i.
std::pair<int, int> pageButtonCentre(int i)
{
    return {25, 511 + 10 * i};
}

// Shows page i of the bottom area with a click on its button.
void showPage(HostedEditor& hosted, int i)
{
    const auto page = hosted.picture(51, 501, 940, 60);
    hosted.click(pageButtonCentre(i).first, pageButtonCentre(i).second);
    EXPECT_TRUE(hosted.host->idleUntil([&] { return hosted.picture(51, 501, 940, 60) != page; })) << i;
}

// The call-outs of the bottom pages in a host: the MIDI map and the
// recorder's targets over the editor, the colour selector on the desktop.
// They stay open until the user answers, and closing the editor with them
// open is safe; the colour selector closes with the editor.
TEST(HostEditor, TheBottomPagesCallOutsStayOpenAndAreSafeWhenTheEditorCloses)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    HostedEditor hosted;
    XSetErrorHandler(countXError);
    const int errorsBefore = xErrorCount;
    ASSERT_TRUE(hosted.open("CT:"));
    auto& host = hosted.host;

    // Clicks target and expects the area to change and to stay changed.
    const auto opensAndStays = [&](std::pair<int, int> target, std::array<int, 4> area)
    {
        const auto closed = hosted.picture(area[0], area[1], area[2], area[3]);
        hosted.click(target.first, target.second);
        EXPECT_TRUE(host->idleUntil([&] { return hosted.picture(area[0], area[1], area[2], area[3]) != closed; }));
        // Hosts often seem in the background to JUCE: the call-out stays anyway.
        host->idleFor(800);
        EXPECT_NE(hosted.picture(area[0], area[1], area[2], area[3]), closed);
        return closed;
    };

    // Settings: "Edit" opens the MIDI map over the unit column; a click
    // beside it closes it.
    showPage(hosted, 3);
    const auto withoutMap = opensAndStays({345, 542}, {100, 300, 600, 100});
    hosted.click(900, 150);
    EXPECT_TRUE(host->idleUntil([&] { return hosted.picture(100, 300, 600, 100) == withoutMap; }));

    // Main: the recorder's EDIT opens the track targets; the editor closes
    // while they are open.
    showPage(hosted, 0);
    opensAndStays({898, 510}, {800, 350, 150, 100});
    hosted.closeEditor();

    // Color: the selector opens as a window of its own and goes with the editor.
    ASSERT_TRUE(hosted.openEditor());
    showPage(hosted, 4);
    const int windowsBefore = hosted.window.numShownTopLevelWindows();
    hosted.click(172, 541);
    EXPECT_TRUE(host->idleUntil([&] { return hosted.window.numShownTopLevelWindows() == windowsBefore + 1; }));
    host->idleFor(800);
    EXPECT_EQ(hosted.window.numShownTopLevelWindows(), windowsBefore + 1);
    hosted.closeEditor();
    EXPECT_TRUE(host->idleUntil([&] { return hosted.window.numShownTopLevelWindows() == windowsBefore; }));
    EXPECT_EQ(xErrorCount, errorsBefore);
}

// A take recorded while the host plays, dragged out of the editor with the
// mouse as a user does: the drag hands out a MIDI file of its own in the
// user's private folder, and the editor answers clicks again after the drop.
TEST(HostEditor, ARecordedTakeDragsOutAsAMidiFile)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    // A temporary folder of this test's own.
    char pattern[] = "/tmp/zu-host-tmp-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string temp = pattern;
    const char* savedTmp = std::getenv("TMPDIR");
    struct RestoreTmp
    {
        std::string value, folder;
        bool had;
        ~RestoreTmp()
        {
            if (had)
                setenv("TMPDIR", value.c_str(), 1);
            else
                unsetenv("TMPDIR");
            std::filesystem::remove_all(folder);
        }
    } restoreTmp{savedTmp != nullptr ? savedTmp : "", temp, savedTmp != nullptr};
    setenv("TMPDIR", temp.c_str(), 1);

    HostedEditor hosted;
    XSetErrorHandler(countXError);
    const int errorsBefore = xErrorCount;
    ASSERT_TRUE(hosted.open("CT:100 "));
    auto& host = hosted.host;

    // Arm, then play a bar (the length of a new instance) and a little more.
    const auto unarmed = hosted.picture(890, 520, 40, 20);
    hosted.click(910, 530);
    ASSERT_TRUE(host->idleUntil([&] { return hosted.picture(890, 520, 40, 20) != unarmed; }));
    const auto noItems = hosted.picture(888, 542, 95, 18);
    hostsession::Session session(*host);
    host->transport.playing = true;
    session.run(200, [&](int block) { host->idle(block % 8 == 0 ? 1 : 0); });
    host->transport.playing = false;
    session.run(8);
    ASSERT_FALSE(session.noteOns().empty());
    ASSERT_TRUE(host->idleUntil([&] { return hosted.picture(888, 542, 95, 18) != noItems; }));

    // Lane 0's item, dragged onto the unit column and dropped there.
    hosted.window.dragInChild(hosted.at(898), hosted.at(551), hosted.at(500), hosted.at(300), [&] { host->idle(5); });
    host->idle(20);
    const std::string folder = temp + "/ZU-MIRA8-" + std::to_string(geteuid());
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string().rfind("MidiRecAll-", 0), 0u) << files[0];
    std::ifstream in(files[0], std::ios::binary);
    std::vector<unsigned char> head(14);
    in.read(reinterpret_cast<char*>(head.data()), 14);
    ASSERT_EQ(std::string(head.begin(), head.begin() + 4), "MThd");
    EXPECT_EQ((head[8] << 8) | head[9], 1);     // format 1
    EXPECT_EQ((head[10] << 8) | head[11], 1);   // one track
    EXPECT_EQ((head[12] << 8) | head[13], 960); // ticks per quarter note

    // The pointer is the user's again: a click selects another page.
    showPage(hosted, 2);
    EXPECT_EQ(xErrorCount, errorsBefore);
}
} // namespace
