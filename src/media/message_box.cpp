#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

int ShowMessageBox(const char* text, const char* caption) {
    media_detail::Platform* platform = media_detail::CurrentPlatform();
    if (!platform) return -1;
    platform->ShowMessage(text ? text : "", caption ? caption : "");
    return 0;
}
