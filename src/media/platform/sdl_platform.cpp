// SPDX-License-Identifier: GPL-3.0-or-later
// The real platform: an SDL2 window with a streaming texture presented with
// vertical-blank waiting, the keyboard, game controllers and joysticks.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "media/media.h"
#include "media/platform/display_fit.h"
#include "media/message_box/acknowledgement.h"
#include "media/message_box/message_box_picture.h"
#include "media/platform/instance_lock.h"
#include "media/platform/platform.h"
#include "media/platform/sdl_display.h"
#include "media/platform/sdl_icon.h"
#include "media/platform/sdl_keymap.h"
#include "media/platform/sdl_message_input.h"
#include "media/platform/x11_raise.h"
#include "media/platform/x11_window_watch.h"

namespace media_detail {

namespace {

constexpr int kMaxPads = 8;
constexpr int kPadButtons = 24;

// Controller buttons in the order of the pad's buttons 1, 2, ...: confirm,
// cancel and the third button on the face, the shoulders as buttons 7 and 8
// (previous and next page).
constexpr SDL_GameControllerButton kControllerButtons[] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,          SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,  SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_GUIDE,      SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,    SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3,    SDL_CONTROLLER_BUTTON_PADDLE4,
    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

// Whether an OpenGL renderer is an emulation running on the processor
// (as on a virtual display or a machine without graphics drivers).
bool RendersOnTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString(kGlRenderer);
    if (!name) return false;
    const std::string text(reinterpret_cast<const char*>(name));
    for (const char* emulated : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (text.find(emulated) != std::string::npos) return true;
    return false;
}

// F11, or Alt with either Enter key: switch between window and full screen.
bool IsFullScreenToggle(const SDL_KeyboardEvent& key) {
    if (key.repeat) return false;
    const SDL_Scancode code = key.keysym.scancode;
    if (code == SDL_SCANCODE_F11) return true;
    return (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (key.keysym.mod & KMOD_ALT) != 0;
}

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;  // only when no controller mapping exists
};

class SdlPlatform final : public Platform {
public:
    ~SdlPlatform() override {
        CloseWindow();
        if (sdlStarted_) SDL_Quit();
    }

    bool AcquireInstanceLock(const std::string& title) override {
        const std::string path = InstanceLockPath(title);
        if (lock_.Acquire(path)) return true;
        // Started again while running: show the player the copy that runs.
        RaiseWindowOfProcess(InstanceLockHolder(path));
        return false;
    }

    bool OpenWindow(const WindowConfig& config) override {
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");  // the layer decides, below
        // A small window among others: leave the desktop's compositor on.
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        // The sound server and the screen-saver inhibitor name the game.
        SDL_SetHint(SDL_HINT_APP_NAME, config.title.c_str());
        InstallX11ErrorHandlers();
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            return false;
        }
        sdlStarted_ = true;
        if (!DriverShowsWindows(SDL_GetHint(SDL_HINT_VIDEODRIVER), SDL_GetCurrentVideoDriver())) {
            std::fprintf(stderr, "no display\n");
            CloseWindow();
            return false;
        }
        // Pads are optional: without them the keyboard still plays.
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);

        width_ = config.width;
        height_ = config.height;
        window_ = SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   config.width, config.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
        if (!window_) return Fail();
        // Sized for the desktop before it is shown, so it is first seen at its size.
        FitWindowToDisplay(std::max(0, SDL_GetWindowDisplayIndex(window_)));
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (renderer_ && RendersOnTheProcessor(renderer_)) {
            // An emulated GPU only costs processor time: the plain window
            // surface shows our finished picture more cheaply.
            SDL_DestroyRenderer(renderer_);
            renderer_ = nullptr;
        }
        if (!renderer_) {
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        }
        if (!renderer_) return Fail();
        WatchX11Window(window_);  // now: making a renderer may replace the system's window
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     config.width, config.height);
        if (!texture_) return Fail();
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);  // pixels stay sharp
        SDL_ShowWindow(window_);
        // Only a shown window knows its frame: centred again with it.
        WaitForFrame();
        CentreOnDisplay(std::max(0, SDL_GetWindowDisplayIndex(window_)));
        SetFullScreen(!config.windowed);

        SetIcon(config.iconId);
        SDL_StopTextInput();
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderPresent(renderer_);
        active_ = true;
        quit_ = false;
        OpenPads();
        return true;
    }

    void CloseWindow() override {
        ClosePads();
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        ForgetX11Window();
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        quit_ = true;
        if (sdlStarted_) SDL_StartTextInput();
    }

    void SetTitle(const std::string& title) override {
        if (window_) SDL_SetWindowTitle(window_, title.c_str());
    }

    void SetIcon(int iconId) override {
        if (!window_) return;
        if (SDL_Surface* icon = LoadWindowIcon(iconId)) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
    }

    void SetWindowed(bool windowed) override { SetFullScreen(!windowed); }

    void ProcessEvents() override {
        SDL_Event event;
        while (!quit_ && SDL_PollEvent(&event)) Handle(event);
        if (!quit_ && X11WindowLost()) CloseWindow();  // destroyed from outside: as the close box
    }

    bool QuitRequested() const override { return quit_; }
    bool WindowActive() const override { return active_; }
    bool TakeKeyboardChanged() override { return std::exchange(keyboardChanged_, false); }
    bool CanWaitForActivation() const override { return true; }

    uint32_t TicksMs() override { return MonotonicMs(); }
    void SleepMs(uint32_t ms) override { SleepRealMs(ms); }

    void Present(const uint32_t* pixels) override {
        if (!texture_) return;
        SDL_UpdateTexture(texture_, nullptr, pixels, width_ * static_cast<int>(sizeof(uint32_t)));
        PixelSize output{width_, height_};
        SDL_GetRendererOutputSize(renderer_, &output.width, &output.height);
        const PixelRect shown = LetterboxRect(output, {width_, height_});
        const SDL_Rect target{shown.x, shown.y, shown.width, shown.height};
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
        SDL_RenderPresent(renderer_);  // waits for the vertical blank
    }

    void ReadKeyboard(KeyboardState& keys) override {
        keys.fill(0);
        int count = 0;
        const Uint8* held = SDL_GetKeyboardState(&count);
        if (!held) return;
        for (int scancode = 0; scancode < count; ++scancode)
            if (held[scancode] && scancode != swallowedKey_)
                if (const uint8_t code = KeyCodeForScancode(static_cast<SDL_Scancode>(scancode))) keys[code] = 0x80;
    }

    int PadCount() override { return static_cast<int>(pads_.size()); }

    bool ReadPad(int index, PadReading& reading) override {
        if (index < 0 || index >= PadCount()) return false;
        const Pad& pad = pads_[index];
        reading = PadReading{};
        if (pad.controller) {
            ReadController(pad.controller, reading);
        } else if (pad.joystick) {
            ReadJoystick(pad.joystick, reading);
        }
        return true;
    }

    void ShowMessage(const std::string& text, const std::string& caption, const uint32_t* frame) override {
        ShowMessageInWindow(text, caption, frame);  // without a window, standard error has it already
    }

    void SetScreenSaverEnabled(bool enabled) override {
        if (!sdlStarted_) return;
        if (enabled)
            SDL_EnableScreenSaver();
        else
            SDL_DisableScreenSaver();
    }

private:
    // The window's frame, in window coordinates; a frame the desktop does not
    // report (not yet shown, or no window manager) is taken as none.
    FrameBorders Borders() const {
        FrameBorders frame;
        if (SDL_GetWindowBordersSize(window_, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0) return {};
        return frame;
    }

    // A window manager tells the frame it drew round the window shortly after
    // the window is shown; without one no frame ever comes, and the wait
    // ends after a moment (InitMedia lets the window settle longer anyway).
    void WaitForFrame() {
        constexpr uint32_t kFrameWaitMs = 250;
        const uint32_t start = TicksMs();
        while (TicksMs() - start < kFrameWaitMs) {
            SDL_PumpEvents();
            const FrameBorders frame = Borders();
            if (frame.top + frame.bottom + frame.left + frame.right > 0) return;
            SleepMs(5);
        }
    }

    // Output pixels per window coordinate (above 1 on HiDPI desktops).
    double PixelRatio() const {
        int points = 0, pointsHigh = 0, pixels = 0, pixelsHigh = 0;
        SDL_GetWindowSize(window_, &points, &pointsHigh);
        SDL_GetWindowSizeInPixels(window_, &pixels, &pixelsHigh);
        return points > 0 && pixels > 0 ? static_cast<double>(pixels) / points : 1.0;
    }

    // Gives the window the largest whole multiple of the screen that fits the
    // display's usable area with its frame, counted in output pixels, and
    // centres it there when the scale changes.
    void FitWindowToDisplay(int display) {
        SDL_Rect usable{};
        if (fullScreen_ || SDL_GetDisplayUsableBounds(display, &usable) != 0) return;
        const double ratio = PixelRatio();
        const FrameBorders borders = Borders();
        PixelSize frame{borders.left + borders.right, borders.top + borders.bottom};
        if (frame.height == 0) frame = kAssumedFrame;  // not known yet: leave room for a common one
        auto inPixels = [ratio](int length) { return static_cast<int>(length * ratio); };
        const int scale = ChooseWindowScale({inPixels(usable.w), inPixels(usable.h)},
                                            {inPixels(frame.width), inPixels(frame.height)}, {width_, height_});
        const int wide = static_cast<int>(width_ * scale / ratio + 0.5);
        const int high = static_cast<int>(height_ * scale / ratio + 0.5);
        int currentWide = 0, currentHigh = 0;
        SDL_GetWindowSize(window_, &currentWide, &currentHigh);
        if (wide == currentWide && high == currentHigh) return;
        SDL_SetWindowSize(window_, wide, high);
        CentreOnDisplay(display);
    }

    // Puts the whole window, frame and title bar included, in the middle of
    // the display's usable area.
    void CentreOnDisplay(int display) {
        SDL_Rect usable{};
        if (fullScreen_ || SDL_GetDisplayUsableBounds(display, &usable) != 0) return;
        PixelSize client{};
        SDL_GetWindowSize(window_, &client.width, &client.height);
        const PixelSize at =
            CentredClientPosition({usable.x, usable.y, usable.w, usable.h}, client, Borders());
        SDL_SetWindowPosition(window_, at.width, at.height);
    }

    // Full screen on the desktop's own mode, the pointer hidden; leaving it
    // gives the window back its size.
    void SetFullScreen(bool fullScreen) {
        if (!window_ || fullScreen == fullScreen_) return;
        if (fullScreen) {
            SDL_GetWindowPosition(window_, &windowedAt_.width, &windowedAt_.height);
            SDL_GetWindowSize(window_, &windowedSize_.width, &windowedSize_.height);
        }
        if (fullScreen ? !EnterFullScreen() : !LeaveFullScreen()) return;
        fullScreen_ = fullScreen;
        SDL_ShowCursor(fullScreen ? SDL_DISABLE : SDL_ENABLE);
        // Back in its window: where it was, whatever the window manager
        // remembered of it.
        if (!fullScreen) SDL_SetWindowPosition(window_, windowedAt_.width, windowedAt_.height);
    }

    // X11 full screen is the window manager's work; on a bare X display the
    // window itself covers the display instead.
    bool EnterFullScreen() {
        if (X11WindowManagerRunning()) return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &bounds) != 0) return false;
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
        coveringDisplay_ = true;
        return true;
    }

    bool LeaveFullScreen() {
        if (!coveringDisplay_) return SDL_SetWindowFullscreen(window_, 0) == 0;
        SDL_SetWindowSize(window_, windowedSize_.width, windowedSize_.height);
        coveringDisplay_ = false;
        return true;
    }

    // The box drawn over the current picture; the game stands still until it
    // is acknowledged or the window closes. False when there is no window to
    // show it in.
    bool ShowMessageInWindow(const std::string& text, const std::string& caption, const uint32_t* frame) {
        ProcessEvents();  // what came before the box is the game's
        if (!window_ || quit_) return false;
        const MessageBoxPicture box = DrawMessageBoxPicture(frame, width_, height_, caption, text);
        if (box.pixels.empty()) return false;
        Acknowledgement acknowledgement(box.layout.button, HeldConfirmKeys() | HeldPadButton1());
        constexpr uint32_t kRepaintMs = 100;  // in case the window was covered meanwhile
        constexpr uint32_t kReleaseWaitMs = 2000;
        uint32_t shownAt = TicksMs();
        std::optional<uint32_t> acknowledgedAt;
        Present(box.pixels.data());
        while (!quit_ && !acknowledgement.Finished()) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, 20)) {
                FeedAcknowledgement(acknowledgement, InScreenCoordinates(event));
                Handle(event);  // focus, pads, the close box
            }
            if (!quit_ && X11WindowLost()) CloseWindow();
            const uint32_t now = TicksMs();
            if (acknowledgement.Acknowledged()) {
                // Wait for the key to come up, so it does not act in the game too.
                if (!acknowledgedAt) acknowledgedAt = now;
                if (now - *acknowledgedAt >= kReleaseWaitMs) break;
            } else if (!quit_ && now - shownAt >= kRepaintMs) {
                Present(box.pixels.data());
                shownAt = now;
            }
        }
        return true;
    }

    // A pointer event with its position moved from the window to the
    // 640x480 picture, however the picture is scaled and letterboxed.
    SDL_Event InScreenCoordinates(SDL_Event event) const {
        if (event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP) return event;
        PixelSize window{width_, height_}, output{width_, height_};
        SDL_GetWindowSize(window_, &window.width, &window.height);
        SDL_GetRendererOutputSize(renderer_, &output.width, &output.height);
        const PixelSize at = PointerToScreen(event.button.x, event.button.y, window, output, {width_, height_});
        event.button.x = at.width;
        event.button.y = at.height;
        return event;
    }

    uint32_t HeldPadButton1() const {
        for (const Pad& pad : pads_) {
            if (pad.controller && SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_A))
                return kConfirmPadButton1;
            if (pad.joystick && SDL_JoystickGetButton(pad.joystick, 0)) return kConfirmPadButton1;
        }
        return 0;
    }

    bool Fail() {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        CloseWindow();
        return false;
    }

    void Handle(const SDL_Event& event) {
        switch (event.type) {
            case SDL_QUIT:
                CloseWindow();
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) active_ = true;
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) active_ = false;
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) CloseWindow();
                // Moved to another display: the scale that fits there.
                if (event.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) FitWindowToDisplay(event.window.data1);
                break;
            case SDL_KEYDOWN:
                keyboardChanged_ = true;
                if (IsFullScreenToggle(event.key)) {
                    SetFullScreen(!fullScreen_);
                    // The Enter of Alt+Enter does nothing else until it is let go.
                    if (event.key.keysym.scancode != SDL_SCANCODE_F11) swallowedKey_ = event.key.keysym.scancode;
                }
                break;
            case SDL_KEYUP:
                keyboardChanged_ = true;
                if (event.key.keysym.scancode == swallowedKey_) swallowedKey_ = SDL_SCANCODE_UNKNOWN;
                break;
            case SDL_SYSWMEVENT:
                NoteX11Event(event);
                break;
            case SDL_JOYDEVICEADDED:
            case SDL_JOYDEVICEREMOVED:
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
                OpenPads();  // keep the system's order after a hot-plug
                break;
            default:
                break;
        }
    }

    void OpenPads() {
        ClosePads();
        if (!SDL_WasInit(SDL_INIT_JOYSTICK)) return;
        const int count = SDL_NumJoysticks();
        for (int i = 0; i < count && static_cast<int>(pads_.size()) < kMaxPads; ++i) {
            Pad pad;
            if (SDL_IsGameController(i)) pad.controller = SDL_GameControllerOpen(i);
            if (!pad.controller) pad.joystick = SDL_JoystickOpen(i);
            if (pad.controller || pad.joystick) pads_.push_back(pad);
        }
    }

    void ClosePads() {
        for (Pad& pad : pads_) {
            if (pad.controller) SDL_GameControllerClose(pad.controller);
            if (pad.joystick) SDL_JoystickClose(pad.joystick);
        }
        pads_.clear();
    }

    static void ReadController(SDL_GameController* controller, PadReading& reading) {
        reading.x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
        reading.y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
        // The d-pad steers like the stick pushed all the way.
        if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) reading.x = -32768;
        if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) reading.x = 32767;
        if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP)) reading.y = -32768;
        if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) reading.y = 32767;
        int n = 0;
        for (SDL_GameControllerButton button : kControllerButtons) {
            if (SDL_GameControllerGetButton(controller, button)) reading.buttons |= 1u << n;
            ++n;
        }
    }

    static void ReadJoystick(SDL_Joystick* joystick, PadReading& reading) {
        if (SDL_JoystickNumAxes(joystick) >= 2) {
            reading.x = SDL_JoystickGetAxis(joystick, 0);
            reading.y = SDL_JoystickGetAxis(joystick, 1);
        }
        if (SDL_JoystickNumHats(joystick) >= 1) {
            const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
            if (hat & SDL_HAT_LEFT) reading.x = -32768;
            if (hat & SDL_HAT_RIGHT) reading.x = 32767;
            if (hat & SDL_HAT_UP) reading.y = -32768;
            if (hat & SDL_HAT_DOWN) reading.y = 32767;
        }
        const int buttons = SDL_JoystickNumButtons(joystick);
        for (int n = 0; n < buttons && n < kPadButtons; ++n)
            if (SDL_JoystickGetButton(joystick, n)) reading.buttons |= 1u << n;
    }

    InstanceLock lock_;
    bool sdlStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int width_ = 640;
    int height_ = 480;
    bool active_ = true;
    bool quit_ = false;
    bool keyboardChanged_ = false;
    bool fullScreen_ = false;
    PixelSize windowedAt_;    // the window's place and size before full screen
    PixelSize windowedSize_;
    bool coveringDisplay_ = false;  // full screen without a window manager
    int swallowedKey_ = SDL_SCANCODE_UNKNOWN;
    std::vector<Pad> pads_;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform() { return std::make_unique<SdlPlatform>(); }

}  // namespace media_detail
