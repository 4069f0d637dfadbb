// SPDX-License-Identifier: GPL-3.0-or-later
// The two input reads: the single-key test and the combined pad state.
#include "media/media.h"
#include "media/media_internal.h"
#include "media/pad_bits.h"
#include "media/platform/platform.h"

namespace media_detail {

namespace {

struct KeyboardSnapshot {
    KeyboardState keys{};
    uint32_t refreshedAt = 0;
    bool valid = false;
};

KeyboardSnapshot& Snapshot() {
    static KeyboardSnapshot snapshot;
    return snapshot;
}

// Refreshed at most once per clock tick unless a key changed, so two reads
// in the same frame agree.
void RefreshKeyboard(Platform& platform) {
    KeyboardSnapshot& snapshot = Snapshot();
    const uint32_t now = platform.TicksMs();
    const bool changed = platform.TakeKeyboardChanged();
    if (snapshot.valid && now == snapshot.refreshedAt && !changed) return;
    platform.ProcessEvents();
    if (platform.QuitRequested()) return;
    platform.ReadKeyboard(snapshot.keys);
    snapshot.refreshedAt = now;
    snapshot.valid = true;
}

}  // namespace

void ResetInput() { Snapshot() = KeyboardSnapshot{}; }

}  // namespace media_detail

using namespace media_detail;

int IsKeyDown(int keyCode) {
    MediaLock lock(MediaMutex());
    Platform* platform = CurrentPlatform();
    if (!platform) return -1;
    if (keyCode < 0 || keyCode > 255) return 0;
    RefreshKeyboard(*platform);
    return (Snapshot().keys[keyCode] & 0x80) ? 1 : 0;
}

int GetPadState(int input) {
    MediaLock lock(MediaMutex());
    Platform* platform = CurrentPlatform();
    if (!platform) return -1;
    uint32_t bits = 0;
    const int padNumber = input & 0xFFF;
    if (padNumber >= 1 && padNumber <= platform->PadCount()) {
        PadReading reading;
        if (platform->ReadPad(padNumber - 1, reading)) bits |= PadReadingBits(reading);
    }
    if (input & kPadWithKeyboard) {
        RefreshKeyboard(*platform);
        bits |= KeyboardPadBits(Snapshot().keys);
    }
    return static_cast<int>(bits);
}
