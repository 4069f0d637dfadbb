// SPDX-License-Identifier: GPL-3.0-or-later
// The message box's fonts: DejaVu Sans for the texts it covers, else IPA
// P Gothic (named_faces.h), drawn by SDL2_ttf.
#pragma once

#include <string>

#include "media/graphics/text_renderer.h"

struct _TTF_Font;

namespace media_detail {

// A face file and whether it is bold by itself.
struct FaceChoice {
    std::string file;
    bool bold = false;
};

// The face to draw these characters with: DejaVu Sans (bold or not) when it
// has them all, else IPA P Gothic when it has them all; else the first face
// in fontconfig's order for Japanese text that has them all, or failing
// that the closest match. An empty file when fontconfig knows no scalable
// face.
FaceChoice FindFaceCovering(const std::u32string& characters, bool bold);

class MessageFont {
public:
    MessageFont() = default;
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;
    ~MessageFont();

    // Opens the face at a size whose em is `pixels` high, made bold when the
    // face is not; false when it cannot.
    bool Open(const FaceChoice& face, int pixels, bool bold);
    // Width of the text on one line in pixels (0 when closed).
    int Width(const std::string& utf8) const;
    // Height of a line: ascent plus descent.
    int Height() const;
    bool HasGlyph(char32_t character) const;
    // Coverage of the rendered text (empty for an empty text).
    TextMask Render(const std::string& utf8) const;

private:
    _TTF_Font* font_ = nullptr;
    bool ttfStarted_ = false;
};

}  // namespace media_detail
