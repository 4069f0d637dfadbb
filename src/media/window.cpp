// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up options, the layer's life cycle and the per-frame primitives.
#include <memory>
#include <string>

#include "media/headless.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

namespace media_detail {

void ResetInput();

namespace {

struct Options {
    std::string title = "Media";
    int iconId = 0;
    bool windowed = false;
    bool runInBackground = false;
    bool logOutput = true;  // nothing is logged either way
};

struct LayerState {
    Options options;
    bool headless = false;
    std::unique_ptr<Platform> platform;
};

// Never destroyed: a process that exits without EndMedia (say, when the
// display connection is lost) must not tear the window down from exit
// handlers; the system reclaims it and the single-copy lock.
LayerState& Layer() {
    static LayerState& state = *new LayerState;
    return state;
}

// Lets the window come up fully before the game draws its first frame.
void SettleWindow(Platform& platform) {
    const uint32_t start = platform.TicksMs();
    while (platform.TicksMs() - start <= 199 && !platform.QuitRequested()) {
        platform.ProcessEvents();
        platform.SleepMs(1);
    }
}

}  // namespace

std::recursive_mutex& MediaMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

Platform* CurrentPlatform() { return Layer().platform.get(); }
bool IsHeadless() { return Layer().headless; }
bool IsRunning() { return Layer().platform != nullptr; }
void SelectHeadlessPlatform(bool headless) { Layer().headless = headless; }

}  // namespace media_detail

using namespace media_detail;

int SetLogOutput(int enable) {
    MediaLock lock(MediaMutex());
    Layer().options.logOutput = enable != 0;
    return 0;
}

int SetWindowIcon(int resourceId) {
    MediaLock lock(MediaMutex());
    Layer().options.iconId = resourceId;
    if (Platform* platform = CurrentPlatform()) platform->SetIcon(resourceId);
    return 0;
}

int SetRunInBackground(int enable) {
    MediaLock lock(MediaMutex());
    Layer().options.runInBackground = enable != 0;
    return 0;
}

int SetWindowedMode(int windowed) {
    MediaLock lock(MediaMutex());
    const bool changed = Layer().options.windowed != (windowed != 0);
    Layer().options.windowed = windowed != 0;
    if (Platform* platform = CurrentPlatform(); platform && changed) platform->SetWindowed(windowed != 0);
    return 0;
}

int SetWindowTitle(const char* text) {
    MediaLock lock(MediaMutex());
    Layer().options.title = text ? text : "";
    if (Platform* platform = CurrentPlatform()) platform->SetTitle(Layer().options.title);
    return 0;
}

int InitMedia() {
    MediaLock lock(MediaMutex());
    LayerState& layer = Layer();
    if (layer.platform) return -1;
    std::unique_ptr<Platform> platform = layer.headless ? MakeHeadlessPlatform() : MakeSdlPlatform();
    if (!platform || !platform->AcquireInstanceLock(layer.options.title)) return -1;
    WindowConfig config;
    config.title = layer.options.title;
    config.iconId = layer.options.iconId;
    config.windowed = layer.options.windowed;
    if (!platform->OpenWindow(config)) return -1;

    layer.platform = std::move(platform);
    ResetInput();
    if (!GraphicsInit()) {
        layer.platform.reset();
        return -1;
    }
    AudioInit();  // without a sound device the game runs silently
    layer.platform->SetScreenSaverEnabled(false);
    SettleWindow(*layer.platform);
    return 0;
}

int EndMedia() {
    MediaLock lock(MediaMutex());
    LayerState& layer = Layer();
    if (!layer.platform) return -1;
    AudioShutdown();
    GraphicsShutdown();
    layer.platform->SetScreenSaverEnabled(true);
    layer.platform->CloseWindow();
    layer.platform.reset();  // releases the single-copy lock too
    return 0;
}

int PumpMessages() {
    MediaLock lock(MediaMutex());
    Platform* platform = CurrentPlatform();
    if (!platform) return -1;
    platform->ProcessEvents();
    while (!Layer().options.runInBackground && !platform->QuitRequested() && !platform->WindowActive() &&
           platform->CanWaitForActivation()) {
        platform->SleepMs(1);
        platform->ProcessEvents();
    }
    return platform->QuitRequested() ? -1 : 0;
}

int GetTimeMs() {
    MediaLock lock(MediaMutex());
    uint32_t now = 0;
    if (Platform* platform = CurrentPlatform())
        now = platform->TicksMs();
    else if (IsHeadless())
        now = headless::Clock();
    else
        now = MonotonicMs();
    return static_cast<int>(now);
}

int SleepMs(int ms) {
    const uint32_t duration = ms > 0 ? static_cast<uint32_t>(ms) : 0;
    {
        MediaLock lock(MediaMutex());
        if (Platform* platform = CurrentPlatform()) {
            if (IsHeadless()) {
                platform->SleepMs(duration);
                return 0;
            }
        } else if (IsHeadless()) {
            headless::AdvanceClock(duration);
            return 0;
        }
    }
    // A real sleep never holds the lock: other threads may use the layer meanwhile.
    SleepRealMs(duration);
    return 0;
}

int FlipScreen() {
    MediaLock lock(MediaMutex());
    Platform* platform = CurrentPlatform();
    if (!platform || platform->QuitRequested()) return -1;
    const uint32_t* pixels = BackBufferPixels();
    if (!pixels) return -1;
    platform->Present(pixels);
    OnFrontScreenPresented();
    return 0;
}

int IsWindowActive() {
    MediaLock lock(MediaMutex());
    Platform* platform = CurrentPlatform();
    if (!platform) return -1;
    return platform->WindowActive() ? 1 : 0;
}
