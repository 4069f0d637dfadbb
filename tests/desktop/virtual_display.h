// SPDX-License-Identifier: GPL-3.0-or-later
// The real game on a virtual X display of its own: an Xvfb server on a free
// display number, the game started as a process in a folder of the test's,
// and the X requests a test needs to look at its windows.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where a program is found on PATH (empty when it is not).
std::string FindProgram(const std::string& name);

class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts Xvfb on a display number it picks itself, its screen of this
    // size ("WIDTHxHEIGHTxDEPTH"); false when it cannot.
    bool Start(const std::string& screen = "800x600x24");
    // Starts openbox on the display and waits until it manages windows;
    // false when it cannot.
    bool StartWindowManager();
    // Ends the server at once, as a crash of the display would.
    void Kill();
    const std::string& Name() const { return name_; }
    Display* X() const { return display_; }

    // Top-level windows that are shown.
    std::vector<Window> ShownTopLevelWindows() const;
    // The shown top-level window with this title.
    std::optional<Window> FindWindow(const std::string& title) const;
    // The application's own window with this title, also inside a window
    // manager's frame.
    std::optional<Window> FindClientWindow(const std::string& title) const;
    // The window's client area: top-left on the screen and size.
    struct Area {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Area ClientArea(Window window) const;
    // The frame a window manager drew round the window (_NET_FRAME_EXTENTS:
    // left, right, top, bottom); all 0 without one.
    std::array<long, 4> FrameExtents(Window window) const;
    // The screen's size.
    std::pair<int, int> ScreenSize() const;
    // The window's 640x480 picture as 0x00RRGGBB pixels (empty when it cannot be read).
    std::vector<uint32_t> Picture(Window window) const;
    // The window's top-left on the screen.
    std::pair<int, int> Position(Window window) const;
    void Focus(Window window) const;
    // The window manager's close request, as the close box sends it.
    void RequestClose(Window window) const;
    void Destroy(Window window) const;
    // Runs xdotool on this display with these arguments; false when it failed.
    bool XdoTool(const std::string& arguments) const;

private:
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// The game program running in its own folder on a virtual display.
class GameProcess {
public:
    GameProcess() = default;
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Copies the game program into `folder` and starts it there, its
    // single-copy lock in `runtimeFolder` (else in `folder` too), its
    // standard error to a file, in the C locale (the messages in their
    // original Japanese).
    bool Start(const std::filesystem::path& folder, const std::string& display,
               const std::filesystem::path& runtimeFolder = {});
    bool Running();
    // The wait status once it has ended within the time, else nullopt.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    std::string StandardError() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path folder_;
};

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
