// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdio>
#include <string>

#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

namespace {

// A text on one line of standard error: its line breaks become spaces.
std::string OneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

int ShowMessageBox(const char* text, const char* caption) {
    media_detail::MediaLock lock(media_detail::MediaMutex());
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "";
    // Every message also goes to standard error as it appears, so a bug
    // report can quote it; before the window exists that is the only place.
    std::fprintf(stderr, "%s: %s\n", OneLine(shownCaption).c_str(), OneLine(shownText).c_str());
    std::fflush(stderr);
    media_detail::Platform* platform = media_detail::CurrentPlatform();
    if (!platform) return -1;
    platform->ShowMessage(shownText, shownCaption, media_detail::FrontScreenPixels());
    return 0;
}
