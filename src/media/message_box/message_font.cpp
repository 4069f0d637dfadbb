// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/message_box/message_font.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <memory>

#include "media/graphics/fontconfig_handles.h"
#include "media/graphics/named_faces.h"

namespace media_detail {

namespace {

// Where neither named face will do: whatever fontconfig prefers for Japanese.
constexpr const char* kFallbackPattern = "sans-serif:lang=ja";

bool Covers(FcPattern* face, const std::u32string& characters) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(face, FC_CHARSET, 0, &charset) != FcResultMatch || !charset) return false;
    for (char32_t c : characters)
        if (c >= 0x20 && !FcCharSetHasChar(charset, static_cast<FcChar32>(c))) return false;
    return true;
}

bool Scalable(FcPattern* face) {
    FcBool scalable = FcFalse;
    return FcPatternGetBool(face, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

FaceChoice Choice(FcPattern* face) {
    return FaceChoice{FaceFileOf(face), FaceIsBold(face)};
}

// The faces fontconfig offers for a pattern, best first.
FcFontSetPtr FacesFor(const char* name, bool bold) {
    FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(name)));
    if (!pattern) return nullptr;
    if (bold) FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return FcFontSetPtr(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
}

bool Usable(FcPattern* face) { return Scalable(face) && !FaceFileOf(face).empty(); }

}  // namespace

FaceChoice FindFaceCovering(const std::u32string& characters, bool bold) {
    for (const NamedFace* named : {bold ? &kMessageBoldFace : &kMessageFace, &kMessageJapaneseFace})
        if (FaceCovers(*named, characters)) {
            const ResolvedFace& face = ResolveFace(*named);
            return FaceChoice{face.file, face.bold};
        }
    // Neither named face has them all (or is installed): fontconfig's choice.
    auto faces = FacesFor(kFallbackPattern, bold);
    if (!faces) return {};
    FaceChoice closest;
    for (int i = 0; i < faces->nfont; ++i) {
        FcPattern* face = faces->fonts[i];
        if (!Usable(face)) continue;
        if (Covers(face, characters)) return Choice(face);
        if (closest.file.empty()) closest = Choice(face);
    }
    return closest;
}

MessageFont::~MessageFont() {
    if (font_) TTF_CloseFont(font_);
    if (ttfStarted_) TTF_Quit();  // counted: the game's own text keeps its start
}

bool MessageFont::Open(const FaceChoice& face, int pixels, bool bold) {
    if (font_ || face.file.empty()) return false;
    if (TTF_Init() != 0) return false;
    ttfStarted_ = true;
    // At SDL2_ttf's 72 dots per inch a point is a pixel.
    font_ = TTF_OpenFont(face.file.c_str(), pixels);
    if (!font_) return false;
    TTF_SetFontHinting(font_, TTF_HINTING_LIGHT);
    if (bold && !face.bold) TTF_SetFontStyle(font_, TTF_STYLE_BOLD);
    return true;
}

int MessageFont::Width(const std::string& utf8) const {
    int w = 0, h = 0;
    if (!font_ || utf8.empty() || TTF_SizeUTF8(font_, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

int MessageFont::Height() const { return font_ ? TTF_FontHeight(font_) : 0; }

bool MessageFont::HasGlyph(char32_t character) const {
    return font_ && TTF_GlyphIsProvided32(font_, static_cast<Uint32>(character)) != 0;
}

TextMask MessageFont::Render(const std::string& utf8) const {
    TextMask mask;
    if (!font_ || utf8.empty()) return mask;
    std::unique_ptr<SDL_Surface, SurfaceDeleter> rendered(
        TTF_RenderUTF8_Blended(font_, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
    if (!rendered) return mask;
    std::unique_ptr<SDL_Surface, SurfaceDeleter> argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb || SDL_LockSurface(argb.get()) != 0) return mask;
    mask.width = argb->w;
    mask.height = argb->h;
    mask.coverage.resize(static_cast<size_t>(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < mask.width; ++x) mask.coverage[static_cast<size_t>(y) * mask.width + x] = static_cast<uint8_t>(row[x] >> 24);
    }
    SDL_UnlockSurface(argb.get());
    return mask;
}

}  // namespace media_detail
