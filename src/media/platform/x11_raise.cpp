// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/x11_raise.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace media_detail {

namespace {

// A window may go away while we look at it; Xlib's own handler would end
// the process for that.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// The 32-bit items of a window property (Xlib hands them out as longs).
std::vector<unsigned long> ListProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && actualType == type) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data) XFree(data);
    return items;
}

// The server's time now, for the request's timestamp: window managers that
// guard the focus trust a fresh timestamp of the user's start of the game
// more than none. A property change on a window of our own reports it.
Time ServerTime(Display* display, Window root) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe =
        XCreateWindow(display, root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &attributes);
    const Atom stamp = XInternAtom(display, "VELTRIM_TIMESTAMP", False);
    XChangeProperty(display, probe, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event{};
    XWindowEvent(display, probe, PropertyChangeMask, &event);
    XDestroyWindow(display, probe);
    return event.xproperty.time;
}

Window ManagedWindowOf(Display* display, Window root, pid_t pid) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    for (unsigned long window : ListProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False), XA_WINDOW)) {
        const std::vector<unsigned long> owner = ListProperty(display, window, pidAtom, XA_CARDINAL);
        if (!owner.empty() && owner.front() == static_cast<unsigned long>(pid)) return window;
    }
    return None;
}

}  // namespace

bool RaiseWindowOfProcess(pid_t pid) {
    const char* name = std::getenv("DISPLAY");
    if (pid <= 0 || !name || !*name) return false;
    const auto previous = XSetErrorHandler(IgnoreXErrors);
    bool asked = false;
    if (std::unique_ptr<Display, DisplayCloser> display{XOpenDisplay(name)}) {
        Display* x = display.get();
        const Window root = DefaultRootWindow(x);
        if (const Window window = ManagedWindowOf(x, root, pid); window != None) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom(x, "_NET_ACTIVE_WINDOW", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = 1;  // the request comes from an application
            event.xclient.data.l[1] = static_cast<long>(ServerTime(x, root));
            event.xclient.data.l[2] = None;
            XSendEvent(x, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XSync(x, False);
            asked = true;
        }
    }
    XSetErrorHandler(previous);
    return asked;
}

}  // namespace media_detail
