// Hooks between the parts of the media layer (window, graphics, audio).
#pragma once

#include <cstdint>

namespace media_detail {

class Platform;

// The platform in use; valid between InitMedia and EndMedia.
Platform* CurrentPlatform();
bool IsHeadless();
bool IsRunning();

// Graphics: the 640x480 back buffer and the picture currently shown.
bool GraphicsInit();
void GraphicsShutdown();
const uint32_t* BackBufferPixels();
// Called by FlipScreen after presenting: the back buffer became the front screen.
void OnFrontScreenPresented();

// Audio: the device and the synthesizer.
bool AudioInit();
void AudioShutdown();

}  // namespace media_detail
