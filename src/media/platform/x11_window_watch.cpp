// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/x11_window_watch.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace media_detail {

namespace {

// Xlib's handlers are plain functions: what they need lives here.
std::atomic<unsigned long> watchedWindow{0};
std::atomic<bool> windowLost{false};
Display* watchedDisplay = nullptr;
XErrorHandler previousErrorHandler = nullptr;
bool handlersInstalled = false;

int OnXError(Display* display, XErrorEvent* error) {
    const unsigned long watched = watchedWindow.load();
    const bool aboutTheWindow = watched != 0 && error->resourceid == watched;
    const bool noSuchWindow = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (aboutTheWindow || noSuchWindow) {
        // Gone from outside: the game closes as if the close box were clicked.
        if (watched != 0) windowLost.store(true);
        return 0;
    }
    return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

[[noreturn]] int OnXConnectionLost(Display*) {
    // Nothing more can be shown; the kernel frees the single-copy lock with
    // the process. Exit handlers would talk to the dead display: skip them.
    static const char kLine[] = "display connection lost\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
    ::_exit(1);
}

}  // namespace

void InstallX11ErrorHandlers() {
    if (handlersInstalled) return;
    previousErrorHandler = XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXConnectionLost);
    // A write to a display that has gone must fail as an error Xlib
    // reports, not kill the game with SIGPIPE.
    struct sigaction current {};
    if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) ::signal(SIGPIPE, SIG_IGN);
    handlersInstalled = true;
}

void WatchX11Window(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    windowLost.store(false);
    watchedDisplay = info.info.x11.display;
    watchedWindow.store(info.info.x11.window);
    // The window's own X events (its destruction among them) reach NoteX11Event.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void ForgetX11Window() {
    if (watchedWindow.load() == 0) return;
    // SDL puts Xlib's exiting handler back when it quits: errors about the
    // window just destroyed (twice, when it was destroyed from outside) must
    // come in now, while they are still ours to ignore.
    if (watchedDisplay) XSync(watchedDisplay, False);
    watchedWindow.store(0);
    watchedDisplay = nullptr;
    SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
}

bool X11WindowLost() { return windowLost.load(); }

bool X11KeyHeld(const char* keysymName) {
    if (!watchedDisplay || watchedWindow.load() == 0) return false;
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(watchedDisplay, keysym);
    if (code == 0) return false;
    char keys[32] = {};
    XQueryKeymap(watchedDisplay, keys);
    return (keys[code / 8] & (1 << (code % 8))) != 0;
}

bool X11WindowManagerRunning() {
    if (!watchedDisplay || watchedWindow.load() == 0) return true;  // not X11: the desktop's own business
    const Atom check = XInternAtom(watchedDisplay, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(watchedDisplay, DefaultRootWindow(watchedDisplay), check, 0, 1, False,
                                          AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
                       count == 1;
    if (data) XFree(data);
    return found;
}

void NoteX11Event(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11) return;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type == DestroyNotify && watchedWindow.load() != 0 && x.xdestroywindow.window == watchedWindow.load())
        windowLost.store(true);
}

}  // namespace media_detail
