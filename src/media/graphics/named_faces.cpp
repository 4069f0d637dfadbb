// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/named_faces.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "media/graphics/fontconfig_handles.h"

namespace media_detail {

namespace {

struct Entry {
    ResolvedFace face;
    FcCharSetPtr charset;  // of the named face only
};

std::map<std::string, Entry>& Cache() {
    static std::map<std::string, Entry> cache;
    return cache;
}

// Faces already reported missing: once a run, however often the cache is dropped.
std::set<std::string>& Reported() {
    static std::set<std::string> reported;
    return reported;
}

std::string Key(const NamedFace& face) { return std::string(face.family) + ":" + face.style; }

// The installed files of exactly this family and style (no substitution);
// the first by file name when there are several, so the choice is stable.
Entry ListExact(const NamedFace& face) {
    Entry entry;
    FcPatternPtr pattern(FcPatternCreate());
    if (!pattern) return entry;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.family));
    FcPatternAddString(pattern.get(), FC_STYLE, reinterpret_cast<const FcChar8*>(face.style));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcObjectSetPtr objects(FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_CHARSET, nullptr));
    FcFontSetPtr faces(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!faces) return entry;
    FcPattern* best = nullptr;
    for (int i = 0; i < faces->nfont; ++i) {
        const std::string file = FaceFileOf(faces->fonts[i]);
        if (!file.empty() && (!best || file < FaceFileOf(best))) best = faces->fonts[i];
    }
    if (!best) return entry;
    entry.face = ResolvedFace{FaceFileOf(best), true, FaceIsBold(best)};
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(best, FC_CHARSET, 0, &charset) == FcResultMatch && charset)
        entry.charset.reset(FcCharSetCopy(charset));
    return entry;
}

// fontconfig's own choice for the face's fallback pattern.
ResolvedFace Fallback(const NamedFace& face) {
    ResolvedFace resolved;
    FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(face.fallbackPattern)));
    if (!pattern) return resolved;
    if (face.monospace) FcPatternAddInteger(pattern.get(), FC_SPACING, FC_MONO);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (match) resolved = ResolvedFace{FaceFileOf(match.get()), false, FaceIsBold(match.get())};
    return resolved;
}

const Entry& Resolve(const NamedFace& face) {
    const std::string key = Key(face);
    auto found = Cache().find(key);
    if (found != Cache().end()) return found->second;
    Entry entry = ListExact(face);
    if (!entry.face.exact) {
        entry.face = Fallback(face);
        if (Reported().insert(key).second)
            std::fprintf(stderr, "font: %s %s is not installed; using %s\n", face.family, face.style,
                         entry.face.file.empty() ? "no face at all" : entry.face.file.c_str());
    }
    return Cache().emplace(key, std::move(entry)).first->second;
}

}  // namespace

const ResolvedFace& ResolveFace(const NamedFace& face) { return Resolve(face).face; }

bool FaceCovers(const NamedFace& face, const std::u32string& characters) {
    const Entry& entry = Resolve(face);
    if (!entry.face.exact || !entry.charset) return false;
    for (char32_t c : characters)
        if (c >= 0x20 && !FcCharSetHasChar(entry.charset.get(), static_cast<FcChar32>(c))) return false;
    return true;
}

void CheckNamedFaces() {
    for (const NamedFace* face : {&kTextFace, &kTextBoldFace, &kMessageFace, &kMessageBoldFace, &kMessageJapaneseFace})
        Resolve(*face);
}

void ForgetFaces() { Cache().clear(); }

}  // namespace media_detail
