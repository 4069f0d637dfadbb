// SPDX-License-Identifier: GPL-3.0-or-later
// The ready game folder that the build fills, and reading its pictures the
// way the game does: decrypting the .bfg file and decoding it in the media
// layer with pure green as the transparent colour.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "resources/bfg_file.h"
#include "resources/blowfish.h"

namespace content_test {

inline std::filesystem::path GameFolder() { return std::filesystem::path(VELTRIM_BINARY_DIR) / "game"; }

// A colour no picture uses, painted behind pictures to see where they are
// transparent.
constexpr uint32_t kBackdrop = 0x010203;

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        ASSERT_EQ(InitMedia(), 0);
        SetTransparentColor(0, 255, 0);
        KeyWithBfgKey(cipher_);
    }
    void TearDown() override {
        cipher_.Release();
        EndMedia();
    }

    // The image handle of a picture of the game folder, or -1.
    int LoadPicture(const std::string& name) {
        auto bfg = ReadBfgFile(GameFolder() / name, cipher_);
        if (!bfg) return -1;
        auto image = bfg->Image();
        return CreateImageFromMemory(image.data(), static_cast<int>(image.size()), nullptr, 0, 1, 0);
    }

    static void PaintBackdrop() {
        DrawBox(0, 0, 640, 480, static_cast<int>(kBackdrop), 1);
    }

    static uint32_t Pixel(int x, int y) { return media_detail::BackBufferPixels()[y * 640 + x] & 0xFFFFFF; }

    // Draws the whole image at (0, 0) with every pixel, green included, and
    // measures it (pictures are at most the screen's size).
    static std::pair<int, int> SizeOf(int image) {
        PaintBackdrop();
        DrawImage(0, 0, image, 0);
        int w = 0, h = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (Pixel(x, y) != kBackdrop) {
                    w = std::max(w, x + 1);
                    h = std::max(h, y + 1);
                }
        return {w, h};
    }

    // Draws a part of the image at (0, 0) with transparency over the backdrop
    // and returns which of its pixels show (row by row).
    static std::vector<bool> Visible(int image, int srcX, int srcY, int w, int h) {
        PaintBackdrop();
        DrawImageRect(0, 0, srcX, srcY, w, h, image, 1, 0);
        std::vector<bool> shown;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) shown.push_back(Pixel(x, y) != kBackdrop);
        return shown;
    }

    static int Count(const std::vector<bool>& shown) {
        return static_cast<int>(std::count(shown.begin(), shown.end(), true));
    }

    BlowfishState cipher_;
};

}  // namespace content_test
