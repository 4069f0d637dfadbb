// SPDX-License-Identifier: GPL-3.0-or-later
// The seam between the media layer and the operating system. The layer talks
// to exactly one Platform: the SDL2 one in the shipped game, the headless one
// in tests (which drives a virtual clock and scripted input).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace media_detail {

struct WindowConfig {
    std::string title;
    int iconId = 0;
    bool windowed = true;
    int width = 640;
    int height = 480;
};

// One pad as read this frame: the stick's raw X and Y positions
// (-32768..32767, the layer applies the dead zone) and buttons 1..24 in bits
// 0..23.
struct PadReading {
    int x = 0;
    int y = 0;
    uint32_t buttons = 0;
};

// 256 bytes indexed by keyboard set-1 code (0x80 added for extended keys);
// a key is held when its top bit is set.
using KeyboardState = std::array<uint8_t, 256>;

class Platform {
public:
    virtual ~Platform() = default;

    // Single-copy lock named after the title, held until the platform is
    // destroyed; false when another copy holds it.
    virtual bool AcquireInstanceLock(const std::string& title) = 0;
    // Creates and shows the window cleared to black.
    virtual bool OpenWindow(const WindowConfig& config) = 0;
    virtual void CloseWindow() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetIcon(int iconId) = 0;
    virtual void SetWindowed(bool windowed) = 0;

    // Handles every waiting event (focus, close box, keys, pad hot-plug).
    virtual void ProcessEvents() = 0;
    virtual bool QuitRequested() const = 0;
    virtual bool WindowActive() const = 0;
    // Whether a key went down or up since the last call.
    virtual bool TakeKeyboardChanged() = 0;
    // Whether the layer may wait for the window to become active again.
    virtual bool CanWaitForActivation() const = 0;

    virtual uint32_t TicksMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;

    // Shows a 640x480 picture of 0x00RRGGBB pixels, row by row.
    virtual void Present(const uint32_t* pixels) = 0;

    virtual void ReadKeyboard(KeyboardState& state) = 0;
    virtual int PadCount() = 0;
    // index counts from 0; false when the pad cannot be read.
    virtual bool ReadPad(int index, PadReading& reading) = 0;

    // Modal; returns once acknowledged (or the window is closed). `frame` is
    // the 640x480 picture on the screen, to show the message over.
    virtual void ShowMessage(const std::string& text, const std::string& caption, const uint32_t* frame) = 0;
    virtual void SetScreenSaverEnabled(bool enabled) = 0;
};

std::unique_ptr<Platform> MakeSdlPlatform();
std::unique_ptr<Platform> MakeHeadlessPlatform();

// The real monotonic millisecond clock, also used before InitMedia.
uint32_t MonotonicMs();
void SleepRealMs(uint32_t ms);

}  // namespace media_detail
