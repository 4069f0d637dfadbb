// SPDX-License-Identifier: GPL-3.0-or-later
// The platform the tests drive: a virtual clock, scripted input, presented
// frames kept in memory and message boxes recorded.
#include <algorithm>
#include <utility>

#include "media/headless.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

namespace {

using headless::FrameInput;

struct HeadlessState {
    uint32_t clock = 0;
    headless::InputScript script;
    int lastScriptedFrame = -1;
    FrameInput input;
    bool keyboardChanged = false;
    bool closeRequested = false;
    bool quit = false;
    int framesPresented = 0;
    std::vector<uint32_t> lastFrame;
    std::function<void(int, const std::vector<uint32_t>&)> observer;
    bool otherInstance = false;
    std::string title;
    int icon = 0;
    bool screenSaverEnabled = true;
    std::vector<headless::Message> messages;
};

HeadlessState& State() {
    static HeadlessState state;
    return state;
}

void ApplyScriptForThisFrame() {
    HeadlessState& s = State();
    if (!s.script || s.lastScriptedFrame == s.framesPresented) return;
    s.lastScriptedFrame = s.framesPresented;
    FrameInput next;
    s.script(s.framesPresented, next);
    if (next.keysHeld != s.input.keysHeld) s.keyboardChanged = true;
    s.input = std::move(next);
}

class HeadlessPlatform final : public media_detail::Platform {
public:
    bool AcquireInstanceLock(const std::string&) override { return !State().otherInstance; }

    bool OpenWindow(const media_detail::WindowConfig& config) override {
        HeadlessState& s = State();
        s.title = config.title;
        s.icon = config.iconId;
        s.input.windowActive = true;  // a new window starts active
        s.quit = false;
        s.closeRequested = false;
        return true;
    }
    void CloseWindow() override { State().quit = true; }
    void SetTitle(const std::string& title) override { State().title = title; }
    void SetIcon(int iconId) override { State().icon = iconId; }
    void SetWindowed(bool) override {}

    void ProcessEvents() override {
        HeadlessState& s = State();
        if (s.quit) return;
        ApplyScriptForThisFrame();
        if (s.input.closeWindow || s.closeRequested) s.quit = true;
    }
    bool QuitRequested() const override { return State().quit; }
    bool WindowActive() const override { return State().input.windowActive; }
    bool TakeKeyboardChanged() override { return std::exchange(State().keyboardChanged, false); }
    // Nothing could bring the focus back while the layer waits.
    bool CanWaitForActivation() const override { return false; }

    uint32_t TicksMs() override { return State().clock; }
    void SleepMs(uint32_t ms) override { State().clock += ms; }

    void Present(const uint32_t* pixels) override {
        HeadlessState& s = State();
        s.lastFrame.assign(pixels, pixels + kScreenWidth * kScreenHeight);
        ++s.framesPresented;
        if (s.observer) s.observer(s.framesPresented, s.lastFrame);
    }

    void ReadKeyboard(media_detail::KeyboardState& keys) override {
        keys.fill(0);
        for (int code : State().input.keysHeld)
            if (code >= 0 && code < 256) keys[code] = 0x80;
    }
    int PadCount() override { return State().input.padAttached ? 1 : 0; }
    bool ReadPad(int index, media_detail::PadReading& reading) override {
        const FrameInput& in = State().input;
        if (index != 0 || !in.padAttached) return false;
        // Stick position -1000..1000 onto the raw axis range.
        auto raw = [](int position) { return std::clamp(position, -1000, 1000) * 32767 / 1000; };
        reading.x = raw(in.padX);
        reading.y = raw(in.padY);
        reading.buttons = in.padButtons & 0xFFFFFF;
        return true;
    }

    void ShowMessage(const std::string& text, const std::string& caption, const uint32_t*) override {
        State().messages.push_back({text, caption});
    }
    void SetScreenSaverEnabled(bool enabled) override { State().screenSaverEnabled = enabled; }
};

}  // namespace

namespace media_detail {

std::unique_ptr<Platform> MakeHeadlessPlatform() { return std::make_unique<HeadlessPlatform>(); }

}  // namespace media_detail

namespace headless {

void UseHeadlessPlatform() {
    media_detail::MediaLock lock(media_detail::MediaMutex());
    media_detail::SelectHeadlessPlatform(true);
    State() = HeadlessState{};
}

void SetClock(uint32_t ms) { State().clock = ms; }
void AdvanceClock(uint32_t ms) { State().clock += ms; }
uint32_t Clock() { return State().clock; }

void SetInputScript(InputScript script) {
    HeadlessState& s = State();
    s.script = std::move(script);
    s.lastScriptedFrame = -1;
}

void HoldKeys(std::vector<int> keys) {
    HeadlessState& s = State();
    s.input.keysHeld = std::move(keys);
    s.keyboardChanged = true;
}

void SetPad(bool attached, int x, int y, uint32_t buttons) {
    FrameInput& in = State().input;
    in.padAttached = attached;
    in.padX = x;
    in.padY = y;
    in.padButtons = buttons;
}

void SetWindowActive(bool active) { State().input.windowActive = active; }
void RequestClose() { State().closeRequested = true; }

int FramesPresented() { return State().framesPresented; }
const std::vector<uint32_t>& LastPresentedFrame() { return State().lastFrame; }
void SetFrameObserver(std::function<void(int, const std::vector<uint32_t>&)> observer) {
    State().observer = std::move(observer);
}
void SimulateOtherInstance(bool running) { State().otherInstance = running; }

const std::string& WindowTitle() { return State().title; }
int WindowIcon() { return State().icon; }
bool ScreenSaverEnabled() { return State().screenSaverEnabled; }

const std::vector<Message>& Messages() { return State().messages; }
void ClearMessages() { State().messages.clear(); }

}  // namespace headless
