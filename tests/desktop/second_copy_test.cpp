// SPDX-License-Identifier: GPL-3.0-or-later
// The player starts the game again while it runs, on a desktop with a window
// manager (openbox): the running copy's window comes to the front, and the
// second copy ends at once as it always did.
// gtest first: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "support/temp_dir.h"
#include "virtual_display.h"

namespace {

using namespace std::chrono_literals;

// openbox on the test's display, ended with the test.
class WindowManager {
public:
    ~WindowManager() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    bool Start(const std::string& program, const std::string& display) {
        pid_ = ::fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            const int devnull = ::open("/dev/null", O_WRONLY);
            ::dup2(devnull, STDOUT_FILENO);
            ::dup2(devnull, STDERR_FILENO);
            ::setenv("DISPLAY", display.c_str(), 1);
            ::execl(program.c_str(), "openbox", "--sm-disable", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return true;
    }

private:
    pid_t pid_ = -1;
};

// One window-sized property of the root window, None when it is not set.
Window RootWindowProperty(Display* x, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window value = None;
    if (XGetWindowProperty(x, DefaultRootWindow(x), XInternAtom(x, name, False), 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        value = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return value;
}

std::string TitleOf(Display* x, Window window) {
    char* name = nullptr;
    std::string title;
    if (window != None && XFetchName(x, window, &name) && name) title = name;
    if (name) XFree(name);
    return title;
}

std::string ActiveTitle(const VirtualDisplay& display) {
    return TitleOf(display.X(), RootWindowProperty(display.X(), "_NET_ACTIVE_WINDOW"));
}

// A window of another program, shown and made active as a click would.
Window ShowOtherWindow(const VirtualDisplay& display) {
    Display* x = display.X();
    const Window window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 300, 200, 0, 0, 0);
    XStoreName(x, window, "Another program");
    XMapWindow(x, window);
    XSync(x, False);
    WaitUntil([&] { return ActiveTitle(display) == "Another program"; }, 2s);  // openbox may focus it itself
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // as from a task bar: the user's own choice
    XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(x, False);
    return window;
}

TEST(SecondCopy, BringsTheRunningWindowToTheFrontAndEnds) {
    const std::string openbox = FindProgram("openbox");
    if (FindProgram("Xvfb").empty() || openbox.empty())
        GTEST_SKIP() << "Xvfb and openbox are needed (packages xvfb, openbox)";
    VirtualDisplay display;
    ASSERT_TRUE(display.Start()) << "Xvfb would not start";
    WindowManager manager;
    ASSERT_TRUE(manager.Start(openbox, display.Name()));
    ASSERT_TRUE(WaitUntil([&] { return RootWindowProperty(display.X(), "_NET_SUPPORTING_WM_CHECK") != None; }, 10s))
        << "openbox did not take over the display";

    TempDir dir;
    GameProcess first;
    ASSERT_TRUE(first.Start(dir.Path() / "first", display.Name()));
    ASSERT_TRUE(WaitUntil([&] { return ActiveTitle(display) == "Veltrim"; }, 10s)) << first.StandardError();

    ShowOtherWindow(display);
    ASSERT_TRUE(WaitUntil([&] { return ActiveTitle(display) == "Another program"; }, 5s));

    // The second copy shares the first one's single-copy lock.
    GameProcess second;
    ASSERT_TRUE(second.Start(dir.Path() / "second", display.Name(), dir.Path() / "first"));
    const std::optional<int> status = second.WaitForExit(10s);
    ASSERT_TRUE(status) << "the second copy did not end";
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 255) << "the program returns -1 when the media layer does not start";
    EXPECT_EQ(second.StandardError(), "");

    EXPECT_TRUE(WaitUntil([&] { return ActiveTitle(display) == "Veltrim"; }, 5s))
        << "the active window is \"" << ActiveTitle(display) << "\"";
    EXPECT_TRUE(first.Running()) << "the first copy goes on";
}

// Without a window manager nobody answers the request: the second copy still
// ends at once and the first goes on.
TEST(SecondCopy, WithoutAWindowManagerItStillEndsAtOnce) {
    if (FindProgram("Xvfb").empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    VirtualDisplay display;
    ASSERT_TRUE(display.Start()) << "Xvfb would not start";
    TempDir dir;
    GameProcess first;
    ASSERT_TRUE(first.Start(dir.Path() / "first", display.Name()));
    ASSERT_TRUE(WaitUntil([&] { return display.FindWindow("Veltrim").has_value(); }, 10s)) << first.StandardError();
    GameProcess second;
    ASSERT_TRUE(second.Start(dir.Path() / "second", display.Name(), dir.Path() / "first"));
    const std::optional<int> status = second.WaitForExit(10s);
    ASSERT_TRUE(status && WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 255);
    EXPECT_TRUE(first.Running());
}

}  // namespace
