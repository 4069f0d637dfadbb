// SPDX-License-Identifier: GPL-3.0-or-later
// Hooks between the parts of the media layer (window, graphics, audio).
#pragma once

#include <cstdint>
#include <mutex>

namespace media_detail {

class Platform;

// The platform in use; valid between InitMedia and EndMedia.
Platform* CurrentPlatform();
bool IsHeadless();
bool IsRunning();

// The layer's one process-wide recursive lock: every operation holds it.
std::recursive_mutex& MediaMutex();
using MediaLock = std::lock_guard<std::recursive_mutex>;

// Graphics: the 640x480 back buffer and the picture currently shown.
bool GraphicsInit();
void GraphicsShutdown();
const uint32_t* BackBufferPixels();
// What the window shows now (null while graphics is not running).
const uint32_t* FrontScreenPixels();
// Called by FlipScreen after presenting: the back buffer became the front screen.
void OnFrontScreenPresented();

// Audio: the device and the synthesizer.
bool AudioInit();
void AudioShutdown();

// Which platform the next InitMedia uses: the SDL one unless a test chose
// the headless one (headless::UseHeadlessPlatform).
void SelectHeadlessPlatform(bool headless);

}  // namespace media_detail
