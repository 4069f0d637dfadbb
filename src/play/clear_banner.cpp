// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/clear_banner.h"

#include <algorithm>

#include "media/media.h"
#include "scenes/caption_text.h"
#include "scenes/sub_draw.h"

namespace {

constexpr int kScreenCentre = 320;
constexpr int kFigureWidth = 32;
constexpr int kLabelFontSize = 13;
constexpr int kBadgeFontSize = 17;

struct Colours {
    int key = MakeColor(0, 255, 0);  // the transparent colour: rounded corners
    int ink = MakeColor(28, 24, 48);
    int plate = MakeColor(20, 26, 56);
    int rim = MakeColor(242, 200, 75);
    int rimDark = MakeColor(168, 116, 28);
    int gold = MakeColor(242, 200, 75);
    int cream = MakeColor(255, 246, 224);
};

// A plate in the style of the stage's counter plate, framed in gold.
void DrawPlate(const Colours& c) {
    const int w = ClearBanner::kWidth, h = ClearBanner::kHeight;
    DrawBox(0, 0, w, h, c.key, 1);
    DrawBox(3, 0, w - 3, h, c.ink, 1);
    DrawBox(0, 3, w, h - 3, c.ink, 1);
    DrawBox(1, 1, w - 1, h - 1, c.ink, 1);
    DrawBox(2, 2, w - 2, h - 2, c.rimDark, 0);
    DrawBox(3, 3, w - 3, h - 3, c.rim, 0);
    DrawBox(4, 4, w - 4, h - 4, c.plate, 1);
}

}  // namespace

ClearBanner::~ClearBanner() {
    if (image_ != -1) DeleteImage(image_, 0);
}

void ClearBanner::Compose(const ClearResult& result, const SubDraw& numbers) {
    if (image_ == -1) image_ = MakeScreenImage(kWidth, kHeight, 0);
    if (image_ == -1 || SetDrawTarget(image_) != 0) return;
    const Colours c;
    DrawPlate(c);
    DrawTextCentred("CLEAR", kWidth / 2, 10, c.gold, c.ink);

    // The steps against the par: "14 / 12", labelled above in small type.
    const int digitW = 8 * kDigitScale;
    const auto digits = [](int value) { return value >= 100 ? 3 : value >= 10 ? 2 : 1; };
    const int stepsLeft = kStepsRight - digits(result.steps) * digitW;
    numbers.DrawNumber(result.steps, stepsLeft, kNumbersY, SubDraw::kLeft, kDigitScale);
    DrawImageRectStretched(kWidth / 2 - 8, kNumbersY + 8, kWidth / 2 + 8, kNumbersY + 24, 80, 0, 16, 16,
                           numbers.image, 1);
    numbers.DrawNumber(result.par, kParLeft, kNumbersY, SubDraw::kLeft, kDigitScale);
    {
        FontSizeScope small(kLabelFontSize);
        DrawTextCentred("STEPS", (stepsLeft + kStepsRight) / 2, kNumbersY - 17, c.gold, c.ink);
        DrawTextCentred("PAR", kParLeft + digits(result.par) * digitW / 2, kNumbersY - 17, c.gold, c.ink);
    }

    // What the clear earned.
    FontSizeScope badge(kBadgeFontSize);
    const int badgeY = kNumbersY + 16 * kDigitScale + 6;
    if (result.newBest && result.WithinPar()) {
        DrawTextCentred("NEW BEST", kWidth / 2 - 40, badgeY, c.cream, c.ink);
        DrawTextCentred("PAR", kWidth / 2 + 72, badgeY, c.gold, c.ink);
    } else if (result.newBest) {
        DrawTextCentred("NEW BEST", kWidth / 2, badgeY, c.cream, c.ink);
    } else if (result.WithinPar()) {
        DrawTextCentred("PAR", kWidth / 2, badgeY, c.gold, c.ink);
    }
    SetDrawTarget(kBackBuffer);
}

int ClearBanner::LeftFor(int figureX) {
    const bool figureOnTheLeft = figureX + kFigureWidth / 2 < kScreenCentre;
    const int centre = figureOnTheLeft ? kScreenCentre + kScreenCentre / 2 : kScreenCentre / 2;
    return centre - kWidth / 2;
}

void ClearBanner::Draw(int figureX, int shownFrames) const {
    if (image_ == -1) return;
    const int opacity = std::clamp(255 * (shownFrames + 1) / kFadeInFrames, 0, 255);
    if (opacity < 255) SetBlendMode(1, opacity);
    DrawImage(LeftFor(figureX), kTop, image_, 1);
    if (opacity < 255) SetBlendMode(0, 0);
}
