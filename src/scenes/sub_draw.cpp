// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/sub_draw.h"

#include <array>
#include <cmath>

#include "media/media.h"
#include "resources/messages.h"
#include "resources/resource_manager.h"

namespace {

constexpr int kDigitWidth = 8;
constexpr int kDigitHeight = 16;

struct Digits {
    std::array<int, 10> digit{};  // most significant first
    int count = 0;
};

Digits SplitDigits(int value) {
    Digits out;
    std::array<int, 10> reversed{};
    do {
        reversed[out.count++] = value % 10;
        value /= 10;
    } while (value > 0);
    for (int k = 0; k < out.count; ++k) out.digit[k] = reversed[out.count - 1 - k];
    return out;
}

}  // namespace

SubDraw::SubDraw() : image(ResourceManager::Instance().GetImage(L"number.bfg")) {
    if (image == -1) ShowMessageBox(Translated("サブグラフィックの読み込みに失敗しました。"), Translated("エラー"));
}

void SubDraw::DrawNumber(int value, int x, int y, int align, double scale) const {
    if (value < 0) return;
    const Digits digits = SplitDigits(value);
    const int n = digits.count;
    const int w = static_cast<int>(std::floor(kDigitWidth * scale));
    const int h = static_cast<int>(std::floor(kDigitHeight * scale));
    for (int k = 0; k < n; ++k) {
        const int srcX = kDigitWidth * digits.digit[k];
        switch (align) {
            case kLeft:
                DrawImageRectStretched(x + k * w, y, x + k * w + w, y + h, srcX, 0, kDigitWidth,
                                       kDigitHeight, image, 1);
                break;
            case kCentre:
                DrawImageRect(x - 4 * n + 8 * k, y, srcX, 0, kDigitWidth, kDigitHeight, image, 1, 0);
                break;
            case kRight:
                DrawImageRect(x - 8 * n + 8 * k, y, srcX, 0, kDigitWidth, kDigitHeight, image, 1, 0);
                break;
            default:
                return;
        }
    }
}

void SubDraw::DrawPage(int page, int lastPage, double scale) const {
    DrawImageRect(128, 455, 80, 0, 16, 16, image, 1, 0);
    DrawNumber(page, 128, 455, kRight, scale);
    DrawNumber(lastPage, 144, 455, kLeft, scale);
}
