// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// X errors about windows that went away while a test looked are expected.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string file = folder + "/" + name;
        if (::access(file.c_str(), X_OK) == 0) return file;
    }
    return {};
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

VirtualDisplay::~VirtualDisplay() {
    Kill();
    if (display_) XCloseDisplay(display_);
}

bool VirtualDisplay::Start(const std::string& screen) {
    const std::string xvfb = FindProgram("Xvfb");
    if (xvfb.empty()) return false;
    int number[2];
    if (::pipe(number) != 0) return false;
    server_ = ::fork();
    if (server_ < 0) return false;
    if (server_ == 0) {
        ::close(number[0]);
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, STDOUT_FILENO);
        ::dup2(devnull, STDERR_FILENO);
        const std::string fd = std::to_string(number[1]);
        ::execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(number[1]);
    // Xvfb writes the number it took once it listens.
    std::string digits;
    pollfd readable{number[0], POLLIN, 0};
    while (digits.find('\n') == std::string::npos && ::poll(&readable, 1, 10000) > 0) {
        char buffer[16];
        const ssize_t n = ::read(number[0], buffer, sizeof buffer);
        if (n <= 0) break;
        digits.append(buffer, static_cast<size_t>(n));
    }
    ::close(number[0]);
    if (digits.empty() || digits.find('\n') == std::string::npos) return false;
    name_ = ":" + digits.substr(0, digits.find('\n'));
    display_ = XOpenDisplay(name_.c_str());
    XSetErrorHandler(IgnoreXErrors);
    return display_ != nullptr;
}

bool VirtualDisplay::StartWindowManager() {
    const std::string openbox = FindProgram("openbox");
    if (openbox.empty() || !display_) return false;
    windowManager_ = ::fork();
    if (windowManager_ < 0) return false;
    if (windowManager_ == 0) {
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, STDOUT_FILENO);
        ::dup2(devnull, STDERR_FILENO);
        ::setenv("DISPLAY", name_.c_str(), 1);
        ::execl(openbox.c_str(), "openbox", "--sm-disable", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // A manager announces itself with a check window on the root.
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    return WaitUntil(
        [&] {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            const bool found = XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False,
                                                  XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                               count == 1;
            if (data) XFree(data);
            return found;
        },
        std::chrono::seconds(10));
}

void VirtualDisplay::Kill() {
    if (windowManager_ > 0) {
        ::kill(windowManager_, SIGKILL);
        ::waitpid(windowManager_, nullptr, 0);
        windowManager_ = -1;
    }
    if (server_ <= 0) return;
    // The test's own connection goes first: Xlib would end the test with the server.
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
    ::kill(server_, SIGKILL);
    ::waitpid(server_, nullptr, 0);
    server_ = -1;
}

std::vector<Window> VirtualDisplay::ShownTopLevelWindows() const {
    std::vector<Window> shown;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return shown;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable)
            shown.push_back(children[i]);
    }
    if (children) XFree(children);
    return shown;
}

std::optional<Window> VirtualDisplay::FindWindow(const std::string& title) const {
    for (Window window : ShownTopLevelWindows()) {
        char* name = nullptr;
        const bool named = XFetchName(display_, window, &name) && name;
        const bool same = named && title == name;
        if (name) XFree(name);
        if (same) return window;
    }
    return std::nullopt;
}

namespace {

// The window with this name at or below `window`, a few levels down.
std::optional<Window> FindNamed(Display* display, Window window, const std::string& title, int depth) {
    char* name = nullptr;
    const bool same = XFetchName(display, window, &name) && name && title == name;
    if (name) XFree(name);
    if (same) return window;
    if (depth == 0) return std::nullopt;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) found = FindNamed(display, children[i], title, depth - 1);
    if (children) XFree(children);
    return found;
}

}  // namespace

std::optional<Window> VirtualDisplay::FindClientWindow(const std::string& title) const {
    for (Window window : ShownTopLevelWindows())
        if (auto found = FindNamed(display_, window, title, 3)) return found;
    return std::nullopt;
}

VirtualDisplay::Area VirtualDisplay::ClientArea(Window window) const {
    Area area;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) return area;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &area.x, &area.y, &child);
    area.width = attributes.width;
    area.height = attributes.height;
    return area;
}

std::array<long, 4> VirtualDisplay::FrameExtents(Window window) const {
    std::array<long, 4> extents{};
    const Atom property = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 4)
        for (int i = 0; i < 4; ++i) extents[static_cast<size_t>(i)] = reinterpret_cast<long*>(data)[i];
    if (data) XFree(data);
    return extents;
}

std::pair<int, int> VirtualDisplay::ScreenSize() const {
    return {DisplayWidth(display_, DefaultScreen(display_)), DisplayHeight(display_, DefaultScreen(display_))};
}

std::vector<uint32_t> VirtualDisplay::Picture(Window window) const {
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display_, window, 0, 0, 640, 480, AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    XDestroyImage(image);
    return pixels;
}

std::pair<int, int> VirtualDisplay::Position(Window window) const {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y};
}

void VirtualDisplay::Focus(Window window) const {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
}

void VirtualDisplay::RequestClose(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

void VirtualDisplay::Destroy(Window window) const {
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

bool VirtualDisplay::XdoTool(const std::string& arguments) const {
    const std::string command = "DISPLAY=" + name_ + " xdotool " + arguments;
    return std::system(command.c_str()) == 0;
}

GameProcess::~GameProcess() {
    if (pid_ > 0 && !status_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool GameProcess::Start(const std::filesystem::path& folder, const std::string& display,
                        const std::filesystem::path& runtimeFolder) {
    folder_ = folder;
    std::filesystem::create_directories(folder);
    const std::filesystem::path program = folder / "veltrim";
    std::error_code error;
    std::filesystem::copy_file(VELTRIM_GAME_PROGRAM, program, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    pid_ = ::fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        ::chdir(folder.c_str());
        const int errors = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(errors, STDERR_FILENO);
        ::setenv("DISPLAY", display.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (runtimeFolder.empty() ? folder : runtimeFolder).c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::setenv("LC_ALL", "C.UTF-8", 1);
        ::unsetenv("LANGUAGE");
        ::unsetenv("SDL_VIDEODRIVER");
        ::unsetenv("WAYLAND_DISPLAY");
        ::execl(program.c_str(), "veltrim", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return true;
}

bool GameProcess::Running() {
    if (status_) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return !status_;
}

std::optional<int> GameProcess::WaitForExit(std::chrono::milliseconds timeout) {
    WaitUntil([this] { return !Running(); }, timeout);
    return status_;
}

std::string GameProcess::StandardError() const {
    std::ifstream in(folder_ / "stderr.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
}
