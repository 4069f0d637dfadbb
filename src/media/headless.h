// Test controls of the headless platform. Tests call UseHeadlessPlatform()
// before InitMedia; the shipped game never does. The clock is virtual: it
// moves only when the test advances it or when the layer sleeps.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// Makes the next InitMedia use the headless platform (and resets its state).
void UseHeadlessPlatform();

// Virtual clock in milliseconds.
void SetClock(uint32_t ms);
void AdvanceClock(uint32_t ms);
uint32_t Clock();

// Input script: called at the start of every frame (on each PumpMessages and
// before the first) with the number of frames presented so far; the callback
// sets the held keys and pad state for that frame.
struct FrameInput {
    std::vector<int> keysHeld;   // key codes (see MediaKey)
    int padX = 0;                // -1000..1000
    int padY = 0;
    uint32_t padButtons = 0;     // button n in bit n-1
    bool padAttached = false;
    bool windowActive = true;
    bool closeWindow = false;
};
using InputScript = std::function<void(int frame, FrameInput& input)>;
void SetInputScript(InputScript script);
// Holds these keys from now on (simple alternative to a script).
void HoldKeys(std::vector<int> keys);
void SetWindowActive(bool active);
void RequestClose();

// Presented frames.
int FramesPresented();
// The most recently presented 640x480 frame (0x00RRGGBB).
const std::vector<uint32_t>& LastPresentedFrame();
// Called with each presented frame and its number (from 1).
void SetFrameObserver(std::function<void(int frame, const std::vector<uint32_t>& pixels)> observer);
// Whether another copy holds the instance lock (to test the single-copy rule).
void SimulateOtherInstance(bool running);

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
