// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <stdexcept>

namespace picgen {

namespace {

std::string FontFile(const Font& font) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    std::string pattern = font.family + (font.bold ? ":bold" : ":regular");
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pat, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pat);
    FcConfigDestroy(config);
    if (file.empty()) throw std::runtime_error("no font for " + pattern);
    return file;
}

// Fonts stay open for the life of the program and are closed at its end,
// with the font library.
class FontCache {
public:
    ~FontCache() {
        for (auto& [key, font] : open_) TTF_CloseFont(font);
        if (TTF_WasInit()) TTF_Quit();
        SDL_Quit();
    }

    TTF_Font* Get(const Font& font) {
        if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error("TTF_Init failed");
        std::string key = font.family + (font.bold ? "/b/" : "/r/") + std::to_string(font.pixelSize);
        auto it = open_.find(key);
        if (it != open_.end()) return it->second;
        TTF_Font* f = TTF_OpenFont(FontFile(font).c_str(), font.pixelSize);
        if (!f) throw std::runtime_error("cannot open font " + key);
        TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
        open_[key] = f;
        return f;
    }

private:
    std::map<std::string, TTF_Font*> open_;
};

TTF_Font* OpenFont(const Font& font) {
    static FontCache cache;
    return cache.Get(font);
}

}  // namespace

Canvas TextMask(const std::string& text, const Font& font) {
    TTF_Font* f = OpenFont(font);
    SDL_Surface* raw = TTF_RenderUTF8_Blended(f, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!raw) throw std::runtime_error("cannot render " + text);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
    SDL_FreeSurface(raw);
    Canvas mask(surface->w, surface->h);
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) mask.At(x, y) = {1, 1, 1, (row[x] >> 24) / 255.0f};
    }
    return mask;
}

int DrawText(Canvas& canvas, const std::string& text, const Font& font, int x, int y, const Paint& paint) {
    Canvas mask = TextMask(text, font);
    for (int my = 0; my < mask.Height(); ++my)
        for (int mx = 0; mx < mask.Width(); ++mx)
            if (mask.At(mx, my).a > 0)
                canvas.Blend(x + mx, y + my, paint(x + mx + 0.5f, y + my + 0.5f), mask.At(mx, my).a);
    return mask.Width();
}

int DrawTextCentred(Canvas& canvas, const std::string& text, const Font& font, int cx, int y, const Paint& paint) {
    Canvas mask = TextMask(text, font);
    return DrawText(canvas, text, font, cx - mask.Width() / 2, y, paint);
}

}  // namespace picgen
