// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/erasures_label.h"

#include "media/media.h"
#include "scenes/caption_text.h"

namespace {

// The counter plate's small type.
constexpr int kLabelFontSize = 12;
constexpr int kWidth = ErasuresLabel::kRight - ErasuresLabel::kLeft;
constexpr int kHeight = ErasuresLabel::kBottom - ErasuresLabel::kTop;
// The text ends left of the eraser's face (at x 580 on the screen).
constexpr int kTextRight = 580 - 6 - ErasuresLabel::kLeft;

}  // namespace

ErasuresLabel::~ErasuresLabel() {
    if (image_ != -1) DeleteImage(image_, 0);
}

void ErasuresLabel::Compose() {
    image_ = MakeScreenImage(kWidth, kHeight, 0);
    if (image_ == -1 || SetDrawTarget(image_) != 0) return;
    const int key = MakeColor(0, 255, 0);
    const int plate = MakeColor(kPlateR, kPlateG, kPlateB);
    DrawBox(0, 0, kWidth, kHeight, key, 1);  // rounded corners: see-through
    DrawBox(1, 0, kWidth - 1, kHeight, plate, 1);
    DrawBox(0, 1, kWidth, kHeight - 1, plate, 1);
    DrawBox(1, 1, kWidth - 1, kHeight - 1, MakeColor(54, 64, 120), 0);
    {
        FontSizeScope small(kLabelFontSize);
        const char* text = "ERASURES LEFT";
        const int width = GetTextWidth(text);
        if (width > 0) DrawText(kTextRight - width, (kHeight - kLabelFontSize) / 2 - 1, text, MakeColor(242, 200, 75), plate);
    }
    SetDrawTarget(kBackBuffer);
}

void ErasuresLabel::Draw() {
    if (image_ == -1) Compose();
    if (image_ != -1) DrawImage(kLeft, kTop, image_, 1);
}
