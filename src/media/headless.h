// SPDX-License-Identifier: GPL-3.0-or-later
// Test controls of the headless platform. Tests call UseHeadlessPlatform()
// before InitMedia; the shipped game never does. The clock is virtual: it
// moves only when the test advances it or when the layer sleeps (SleepMs,
// the frame loop's wait, InitMedia's 200 ms of settling), so a run is
// deterministic and takes no real time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// Makes every following InitMedia use the headless platform and resets its
// state (clock 0, no input, no frames, no messages).
void UseHeadlessPlatform();

// Virtual clock in milliseconds.
void SetClock(uint32_t ms);
void AdvanceClock(uint32_t ms);
uint32_t Clock();

// Input script: called once at the start of every frame (by the first
// PumpMessages, or key read, after a frame was presented, and before the
// first frame) with the number of frames presented so far; it fills a fresh
// FrameInput with what is held during that frame.
struct FrameInput {
    std::vector<int> keysHeld;   // key codes (see MediaKey)
    int padX = 0;                // stick position -1000..1000 (the 25 % dead zone applies)
    int padY = 0;
    uint32_t padButtons = 0;     // button n in bit n-1
    bool padAttached = false;
    bool windowActive = true;
    bool closeWindow = false;    // the close box is clicked
};
using InputScript = std::function<void(int frame, FrameInput& input)>;
void SetInputScript(InputScript script);
// Holds these keys from now on (simple alternative to a script).
void HoldKeys(std::vector<int> keys);
// Attaches a pad held in this position (nullopt-like: attached=false detaches).
void SetPad(bool attached, int x, int y, uint32_t buttons);
// Focus change, seen by IsWindowActive at once. The headless window never
// waits for focus to come back, whatever SetRunInBackground says.
void SetWindowActive(bool active);
// The close box is clicked: the next PumpMessages returns -1.
void RequestClose();

// Presented frames.
int FramesPresented();
// The most recently presented 640x480 frame (0x00RRGGBB); empty before the first.
const std::vector<uint32_t>& LastPresentedFrame();
// Called with each presented frame and its number (from 1).
void SetFrameObserver(std::function<void(int frame, const std::vector<uint32_t>& pixels)> observer);
// Whether another copy holds the instance lock (to test the single-copy rule).
void SimulateOtherInstance(bool running);

// Window facts, for tests of the start-up options.
const std::string& WindowTitle();
int WindowIcon();
bool ScreenSaverEnabled();

// Message boxes are recorded instead of shown.
struct Message {
    std::string text;
    std::string caption;
};
const std::vector<Message>& Messages();
void ClearMessages();

// Audio rendered offline: mixes the next `frames` stereo frames at 44100 Hz
// into `out` (2 * frames int16 samples). Returns false when audio is off.
bool RenderAudio(int16_t* out, int frames);

}  // namespace headless
