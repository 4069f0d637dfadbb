// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/message_box/message_box_picture.h"

#include <algorithm>
#include <cmath>

#include "media/message_box/message_font.h"
#include "media/message_box/text_wrap.h"

namespace media_detail {

namespace {

struct Rgb {
    int r, g, b;
};

// The colours of the game's panels and menus.
constexpr Rgb kShadow{0, 0, 0};
constexpr Rgb kOutline{10, 12, 30};
constexpr Rgb kBorder{150, 160, 196};
constexpr Rgb kFillTop{46, 60, 116};
constexpr Rgb kFillBottom{26, 33, 72};
constexpr Rgb kRule{96, 108, 156};
constexpr Rgb kRuleShade{16, 20, 46};
constexpr Rgb kGold{250, 206, 92};
constexpr Rgb kCream{255, 243, 209};
constexpr Rgb kButtonTop{78, 96, 160};
constexpr Rgb kButtonBottom{50, 64, 122};
constexpr int kPanelRadius = 9;
constexpr int kButtonRadius = 6;

class Canvas {
public:
    Canvas(std::vector<uint32_t>& pixels, int width, int height) : pixels_(pixels), width_(width), height_(height) {}

    // Mixes colour c into the pixel with weight a (0..255).
    void Blend(int x, int y, Rgb c, int a) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
        a = std::min(a, 255);
        uint32_t& p = pixels_[static_cast<size_t>(y) * width_ + x];
        const auto mix = [a](int from, int to) { return (from * (255 - a) + to * a + 127) / 255; };
        const int r = mix(static_cast<int>((p >> 16) & 0xFF), c.r);
        const int g = mix(static_cast<int>((p >> 8) & 0xFF), c.g);
        const int b = mix(static_cast<int>(p & 0xFF), c.b);
        p = static_cast<uint32_t>((r << 16) | (g << 8) | b);
    }

    // A rounded rectangle, its corners smoothed, filled with a top-to-bottom gradient.
    void RoundedRect(BoxRect box, int radius, Rgb top, Rgb bottom, int alpha = 255) {
        for (int y = box.y; y < box.y + box.h; ++y) {
            const double t = box.h > 1 ? static_cast<double>(y - box.y) / (box.h - 1) : 0.0;
            const Rgb c{Lerp(top.r, bottom.r, t), Lerp(top.g, bottom.g, t), Lerp(top.b, bottom.b, t)};
            for (int x = box.x; x < box.x + box.w; ++x) Blend(x, y, c, alpha * Coverage(box, radius, x, y) / 255);
        }
    }

    // The coverage mask of a text, drawn in colour c with its top-left at (x, y).
    void Mask(const TextMask& mask, int x, int y, Rgb c, int alpha = 255) {
        for (int my = 0; my < mask.height; ++my)
            for (int mx = 0; mx < mask.width; ++mx)
                Blend(x + mx, y + my, c, alpha * mask.coverage[static_cast<size_t>(my) * mask.width + mx] / 255);
    }

    void Dim() {
        // Three eighths of the light, slightly towards the panels' blue.
        for (uint32_t& p : pixels_) {
            const uint32_t r = ((p >> 16) & 0xFF) * 3 / 8, g = ((p >> 8) & 0xFF) * 3 / 8, b = (p & 0xFF) * 7 / 16;
            p = (r << 16) | (g << 8) | b;
        }
    }

private:
    static int Lerp(int a, int b, double t) { return static_cast<int>(std::lround(a + (b - a) * t)); }

    // How much of pixel (x, y) lies inside the rounded box, 0..255, from 4x4 samples near the corners.
    static int Coverage(BoxRect box, int radius, int x, int y) {
        const bool cornerColumn = x < box.x + radius || x >= box.x + box.w - radius;
        const bool cornerRow = y < box.y + radius || y >= box.y + box.h - radius;
        if (!cornerColumn || !cornerRow) return 255;
        const double cx = x < box.x + radius ? box.x + radius : box.x + box.w - radius;
        const double cy = y < box.y + radius ? box.y + radius : box.y + box.h - radius;
        int inside = 0;
        for (int sy = 0; sy < 4; ++sy)
            for (int sx = 0; sx < 4; ++sx) {
                const double px = x + (sx + 0.5) / 4 - cx, py = y + (sy + 0.5) / 4 - cy;
                inside += px * px + py * py <= static_cast<double>(radius) * radius;
            }
        return inside * 255 / 16;
    }

    std::vector<uint32_t>& pixels_;
    int width_;
    int height_;
};

BoxRect Inset(BoxRect box, int by) { return BoxRect{box.x + by, box.y + by, box.w - 2 * by, box.h - 2 * by}; }

// Text with a soft shadow below and to the right, so it reads on any fill.
void ShadowedText(Canvas& canvas, const TextMask& mask, BoxRect at, Rgb colour) {
    canvas.Mask(mask, at.x + 1, at.y + 1, kShadow, 150);
    canvas.Mask(mask, at.x, at.y, colour);
}

}  // namespace

MessageBoxPicture DrawMessageBoxPicture(const uint32_t* frame, int width, int height, const std::string& caption,
                                        const std::string& text) {
    MessageBoxPicture picture;
    MessageFont captionFont, textFont, buttonFont;
    if (!captionFont.Open(FindFaceCovering(DecodeUtf8(caption), true), kMessageCaptionPixels, true) ||
        !textFont.Open(FindFaceCovering(DecodeUtf8(text), false), kMessageTextPixels, false) ||
        !buttonFont.Open(FindFaceCovering(DecodeUtf8(kMessageButtonLabel), true), kMessageButtonPixels, true))
        return picture;

    MessageBoxMetrics metrics;
    metrics.captionWidth = [&](const std::string& s) { return captionFont.Width(s); };
    metrics.captionHeight = captionFont.Height();
    metrics.textWidth = [&](const std::string& s) { return textFont.Width(s); };
    metrics.textLineHeight = textFont.Height();
    metrics.buttonWidth = [&](const std::string& s) { return buttonFont.Width(s); };
    metrics.buttonTextHeight = buttonFont.Height();
    const MessageBoxLayout layout = LayOutMessageBox(caption, text, metrics, width, height);

    picture.pixels.assign(static_cast<size_t>(width) * height, 0u);
    if (frame) std::copy(frame, frame + picture.pixels.size(), picture.pixels.begin());
    Canvas canvas(picture.pixels, width, height);
    canvas.Dim();

    const BoxRect panel = layout.panel;
    canvas.RoundedRect(BoxRect{panel.x + 5, panel.y + 7, panel.w, panel.h}, kPanelRadius + 2, kShadow, kShadow, 120);
    canvas.RoundedRect(Inset(panel, -1), kPanelRadius + 1, kOutline, kOutline);
    canvas.RoundedRect(panel, kPanelRadius, kBorder, kBorder);
    canvas.RoundedRect(Inset(panel, 2), kPanelRadius - 2, kFillTop, kFillBottom);

    ShadowedText(canvas, captionFont.Render(caption), layout.caption, kGold);
    for (int x = panel.x + 14; x < panel.x + panel.w - 14; ++x) {
        canvas.Blend(x, layout.separatorY, kRule, 255);
        canvas.Blend(x, layout.separatorY + 1, kRuleShade, 255);
    }
    for (size_t i = 0; i < layout.lines.size(); ++i)
        ShadowedText(canvas, textFont.Render(layout.lines[i]), layout.lineBoxes[i], kCream);

    // The one button, framed in gold like the game's chosen items.
    canvas.RoundedRect(layout.button, kButtonRadius, kGold, kGold);
    canvas.RoundedRect(Inset(layout.button, 2), kButtonRadius - 2, kButtonTop, kButtonBottom);
    ShadowedText(canvas, buttonFont.Render(kMessageButtonLabel), layout.buttonLabel, kCream);

    picture.layout = layout;
    return picture;
}

}  // namespace media_detail
