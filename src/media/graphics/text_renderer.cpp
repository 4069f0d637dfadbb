// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/text_renderer.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <string>

#include "media/graphics/blit.h"
#include "media/graphics/draw_state.h"
#include "media/graphics/named_faces.h"

namespace media_detail {

namespace {

// The font size counts the whole character cell (ascent plus descent) in
// pixels, while SDL2_ttf sizes a face by its em square: take the largest
// point size whose cell still fits.
bool FitCellHeight(TTF_Font* font, int pixels) {
    int points = pixels;
    while (points > 1 && TTF_FontHeight(font) > pixels)
        if (TTF_SetFontSize(font, --points) != 0) return false;
    // Faces whose cell is smaller than their em square grow instead; the
    // bound stops at faces that do not scale at all.
    while (TTF_FontHeight(font) < pixels && points < 2 * pixels) {
        if (TTF_SetFontSize(font, points + 1) != 0) return false;
        if (TTF_FontHeight(font) > pixels) return TTF_SetFontSize(font, points) == 0;
        ++points;
    }
    return true;
}

struct FontCache {
    TTF_Font* font = nullptr;
    bool ttfStarted = false;
    FontSettings builtWith;
    bool built = false;

    void Close() {
        if (font) TTF_CloseFont(font);
        font = nullptr;
        built = false;
    }
};

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

bool SameFont(const FontSettings& a, const FontSettings& b) {
    return a.size == b.size && a.thickness == b.thickness && a.type == b.type;
}

TTF_Font* CurrentFont() {
    FontCache& cache = Cache();
    const FontSettings& wanted = State().font;
    if (cache.built && SameFont(cache.builtWith, wanted)) return cache.font;
    cache.Close();
    if (!cache.ttfStarted) {
        if (TTF_Init() != 0) return nullptr;
        cache.ttfStarted = true;
    }
    const std::string& path = ResolveFace(wanted.thickness >= 6 ? kTextBoldFace : kTextFace).file;
    if (path.empty()) return nullptr;
    cache.font = TTF_OpenFont(path.c_str(), std::max(1, wanted.size));
    if (!cache.font || !FitCellHeight(cache.font, std::max(1, wanted.size))) {
        cache.Close();
        return nullptr;
    }
    TTF_SetFontHinting(cache.font, (wanted.type & 2) ? TTF_HINTING_LIGHT : TTF_HINTING_MONO);
    cache.builtWith = wanted;
    cache.built = true;
    return cache.font;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

bool RenderTextMask(const char* text, TextMask& mask) {
    TTF_Font* font = CurrentFont();
    if (!font) return false;
    const bool smooth = (State().font.type & 2) != 0;
    const SDL_Color white{255, 255, 255, 255};
    SurfacePtr rendered(smooth ? TTF_RenderUTF8_Blended(font, text, white) : TTF_RenderUTF8_Solid(font, text, white));
    if (!rendered) return false;
    SurfacePtr argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb || SDL_LockSurface(argb.get()) != 0) return false;
    mask.width = argb->w;
    mask.height = argb->h;
    mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0);
    for (int y = 0; y < mask.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < mask.width; ++x) {
            const uint32_t a = row[x] >> 24;
            // Without anti-aliasing a pixel is either ink or not.
            mask.coverage[static_cast<size_t>(y) * mask.width + x] = static_cast<uint8_t>(smooth ? a : (a ? 255 : 0));
        }
    }
    SDL_UnlockSurface(argb.get());
    return true;
}

TextMask GrowMask(const TextMask& mask, int radius) {
    TextMask grown;
    grown.width = mask.width + 2 * radius;
    grown.height = mask.height + 2 * radius;
    grown.coverage.assign(static_cast<size_t>(grown.width) * grown.height, 0);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const uint8_t c = mask.coverage[static_cast<size_t>(y) * mask.width + x];
            if (c == 0) continue;
            for (int dy = 0; dy <= 2 * radius; ++dy) {
                uint8_t* row = grown.coverage.data() + static_cast<size_t>(y + dy) * grown.width + x;
                for (int dx = 0; dx <= 2 * radius; ++dx) row[dx] = std::max(row[dx], c);
            }
        }
    return grown;
}

void PrepareFont() { CurrentFont(); }

std::string CurrentFontFile() {
    const FontCache& cache = Cache();
    return cache.built ? ResolveFace(cache.builtWith.thickness >= 6 ? kTextBoldFace : kTextFace).file : std::string();
}

void ShutdownText() {
    FontCache& cache = Cache();
    cache.Close();
    ForgetFaces();
    if (cache.ttfStarted) TTF_Quit();
    FcFini();  // fontconfig's configuration is set up on first use; let it go with the fonts
    cache.ttfStarted = false;
}

}  // namespace media_detail
