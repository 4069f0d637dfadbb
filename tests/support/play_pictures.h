// SPDX-License-Identifier: GPL-3.0-or-later
// The small pictures, sounds and music the play tests write into their
// scratch folder: every picture made of flat colours that say, read back from
// the screen, which tile, figure frame or digit was drawn where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/test_pictures.h"

namespace play_pictures {

constexpr uint32_t kTransparent = 0x00FF00;  // the game's transparent colour
constexpr uint32_t kBackground = 0x101010;

// Upper and lower half of the 32x64 tile of a cell code.
constexpr uint32_t TileTop(int code) { return 0x000080u | (static_cast<uint32_t>(0x40 + 8 * code) << 8); }
constexpr uint32_t TileBottom(int code) { return 0x000040u | (static_cast<uint32_t>(0x40 + 8 * code) << 8); }
// A frame of the figure: column of the frame and row of its animation (0..5);
// the frame's top-left 4x4 pixels are transparent.
constexpr uint32_t Figure(int column, int row) {
    return 0xFF0000u | (static_cast<uint32_t>(0x20 * column) << 8) | static_cast<uint32_t>(0x20 * row);
}
constexpr bool IsFigure(uint32_t pixel) { return (pixel >> 16) == 0xFF; }
// Digit d of "number.bfg" (its last pixel column transparent) and the slash.
constexpr uint32_t NumberDigit(int d) { return 0x808000u | static_cast<uint32_t>(0x20 + 0x10 * d); }
constexpr uint32_t kSlash = 0x801010;
// "stage_title.bfg": the label and digit d.
constexpr uint32_t kLabel = 0x4040C0;
constexpr uint32_t TitleDigit(int d) { return 0x900090u | (static_cast<uint32_t>(0x20 + 0x10 * d) << 8); }

inline void WriteHeroine() {
    const int width = 160, height = 384;
    std::vector<uint32_t> pixels(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = x % 32 < 4 && y % 64 < 4;
            pixels[y * width + x] = corner ? kTransparent : Figure(x / 32, y / 64);
        }
    }
    test_pictures::WriteBfg("heroine.bfg", test_pictures::MakeBmp(width, height, pixels));
}

inline void WriteTiles() {
    const int width = 32 * 17, height = 64;
    std::vector<uint32_t> pixels(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int code = x / 32 + 1;
            pixels[y * width + x] = y < 32 ? TileTop(code) : TileBottom(code);
        }
    }
    test_pictures::WriteBfg("tails.bfg", test_pictures::MakeBmp(width, height, pixels));
}

inline void WriteNumbers() {
    const int width = 96, height = 16;
    std::vector<uint32_t> pixels(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x >= 80) {
                pixels[y * width + x] = kSlash;
            } else {
                pixels[y * width + x] = x % 8 == 7 ? kTransparent : NumberDigit(x / 8);
            }
        }
    }
    test_pictures::WriteBfg("number.bfg", test_pictures::MakeBmp(width, height, pixels));
}

inline void WriteStageTitle() {
    const int width = 160, height = 48;
    std::vector<uint32_t> pixels(width * height, kTransparent);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (y < 24) {
                if (x < 64) pixels[y * width + x] = kLabel;
            } else {
                pixels[y * width + x] = x % 16 == 15 ? kTransparent : TitleDigit(x / 16);
            }
        }
    }
    test_pictures::WriteBfg("stage_title.bfg", test_pictures::MakeBmp(width, height, pixels));
}

inline void WriteBackground(const std::string& name = "bg.bfg") {
    test_pictures::WriteBfg(name, test_pictures::MakeSolidBmp(640, 480, kBackground));
}

// A one-track Standard MIDI File with a single note.
inline std::vector<uint8_t> MakeMidi() {
    const std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                                        0x00, 0x90, 0x3C, 0x40, 0x83, 0x60, 0x80, 0x3C, 0x00,
                                        0x00, 0xFF, 0x2F, 0x00};
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0x00,
                                'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
    for (uint8_t byte : track) out.push_back(byte);
    return out;
}

inline void WriteSoundsAndMusic() {
    for (const char* name : {"footstep.wav", "footstep2.wav", "warp.wav", "brock.wav", "arrow.wav",
                             "erase.wav", "clear.wav", "undo.wav"}) {
        test_pictures::WriteFile(name, test_pictures::MakeWav());
    }
    test_pictures::WriteFile("stage1.mid", MakeMidi());
}

// Every picture, sound and tune the map scene and the title card ask for.
inline void WriteAll() {
    WriteHeroine();
    WriteTiles();
    WriteNumbers();
    WriteStageTitle();
    WriteBackground();
    WriteSoundsAndMusic();
}

inline uint32_t At(const std::vector<uint32_t>& frame, int x, int y) {
    return frame[static_cast<std::size_t>(y * 640 + x)];
}

}  // namespace play_pictures
