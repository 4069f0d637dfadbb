#include <cstdio>

#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

int ShowMessageBox(const char* text, const char* caption) {
    media_detail::MediaLock lock(media_detail::MediaMutex());
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "";
    media_detail::Platform* platform = media_detail::CurrentPlatform();
    if (!platform) {
        // Before the window exists the player may still read it in a terminal.
        std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
        return -1;
    }
    platform->ShowMessage(shownText, shownCaption, media_detail::FrontScreenPixels());
    return 0;
}
