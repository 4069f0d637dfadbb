// SPDX-License-Identifier: GPL-3.0-or-later
// The faces the game draws its text with, named exactly by family and
// style, so that every machine shows the letters the game was tested with
// whatever else fontconfig would prefer there. A face that is not installed
// falls back to fontconfig's choice for a pattern, with one line on
// standard error.
#pragma once

#include <string>

namespace media_detail {

struct NamedFace {
    const char* family;
    const char* style;
    const char* fallbackPattern;  // fontconfig's pattern when the face is missing
    bool monospace = false;       // the fallback must be fixed-pitch
};

// The game's own text (DrawText): bold for thickness 6 and above
// (package fonts-dejavu-core).
inline constexpr NamedFace kTextFace{"DejaVu Sans Mono", "Book", "monospace", true};
inline constexpr NamedFace kTextBoldFace{"DejaVu Sans Mono", "Bold", "monospace:bold", true};
// The message box: Latin text, and Japanese text (fonts-ipafont-gothic).
inline constexpr NamedFace kMessageFace{"DejaVu Sans", "Book", "sans-serif"};
inline constexpr NamedFace kMessageBoldFace{"DejaVu Sans", "Bold", "sans-serif:bold"};
inline constexpr NamedFace kMessageJapaneseFace{"IPAPGothic", "Regular", "sans-serif:lang=ja"};

struct ResolvedFace {
    std::string file;    // empty when fontconfig knows no face at all
    bool exact = false;  // the named face itself, not the fallback
    bool bold = false;   // the file's own weight is bold
};

// Where the face lies; looked up once and remembered until ForgetFaces.
const ResolvedFace& ResolveFace(const NamedFace& face);
// Whether the named face itself is installed and has a glyph for every
// printable one of these characters.
bool FaceCovers(const NamedFace& face, const std::u32string& characters);
// Looks up every named face now, so a missing one is reported at start.
void CheckNamedFaces();
// Drops what was looked up (before fontconfig itself is let go). A missing
// face is still reported only once per run.
void ForgetFaces();

}  // namespace media_detail
