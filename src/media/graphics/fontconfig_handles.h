// SPDX-License-Identifier: GPL-3.0-or-later
// Owning handles for fontconfig's objects, and what the game reads from a face.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

namespace media_detail {

struct FcPatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct FcObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FcCharSetDeleter {
    void operator()(FcCharSet* s) const { FcCharSetDestroy(s); }
};

using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetDeleter>;
using FcCharSetPtr = std::unique_ptr<FcCharSet, FcCharSetDeleter>;

// The file a face pattern names (empty when it names none).
inline std::string FaceFileOf(FcPattern* face) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(face, FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    return reinterpret_cast<const char*>(file);
}

// Whether the face's own weight is bold.
inline bool FaceIsBold(FcPattern* face) {
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(face, FC_WEIGHT, 0, &weight);
    return weight >= FC_WEIGHT_BOLD;
}

}  // namespace media_detail
