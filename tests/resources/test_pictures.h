// SPDX-License-Identifier: GPL-3.0-or-later
// Small pictures made by the tests themselves: BMP files from the shared test
// picture writers, packed into .bfg files with the same encoder the content build uses.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

#include "bfg_encode.h"
#include "media/image_writers.h"
#include "resources/blowfish.h"

namespace test_pictures {

// A 24-bit bottom-up BMP of width x height pixels given as 0x00RRGGBB.
inline std::vector<uint8_t> MakeBmp(int width, int height, std::span<const uint32_t> pixels) {
    return image_writers::BmpFile(image_writers::MakePicture(width, height, {pixels.begin(), pixels.end()}), {});
}

// A BMP filled with one colour.
inline std::vector<uint8_t> MakeSolidBmp(int width, int height, uint32_t color) {
    const std::vector<uint32_t> pixels(static_cast<std::size_t>(width * height), color);
    return MakeBmp(width, height, pixels);
}

inline void WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Writes image packed as a .bfg picture.
inline void WriteBfg(const std::filesystem::path& path, std::span<const uint8_t> image) {
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    WriteFile(path, EncodeBfg(image, cipher));
    cipher.Release();
}

// Plain pictures for the stage selection screen and the map scene it leads
// to; `selectBackground` fills the selection screen.
inline void WriteSelectAndMapPictures(uint32_t selectBackground) {
    WriteBfg("select_bg.bfg", MakeSolidBmp(640, 480, selectBackground));
    WriteBfg("select_frames.bfg", MakeSolidBmp(144, 48, 0x40A040));
    WriteBfg("select_icons.bfg", MakeSolidBmp(96, 64, 0x808080));
    WriteBfg("number.bfg", MakeSolidBmp(96, 16, 0xFFFFFF));
    WriteBfg("bg1.bfg", MakeSolidBmp(640, 480, 0x336699));
    WriteBfg("tails.bfg", MakeSolidBmp(576, 64, 0x999999));
    WriteBfg("heroine.bfg", MakeSolidBmp(128, 256, 0xAA5500));
}

// A mono 16-bit PCM WAV of a few samples, enough for LoadSound.
inline std::vector<uint8_t> MakeWav(int samples = 64) {
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
    };
    const uint32_t dataSize = static_cast<uint32_t>(samples * 2);
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(22050);
    put32(44100);
    put16(2);
    put16(16);
    tag("data");
    put32(dataSize);
    for (int i = 0; i < samples; ++i) put16(static_cast<uint16_t>((i % 16) * 1000));
    return out;
}

}  // namespace test_pictures
