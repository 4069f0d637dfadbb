// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a .bfg picture end to end: layout checks, decryption, then every
// image decoder behind CreateImageFromMemory.
//
// The first input byte picks what the rest is. Even: a .bfg file as stored.
// Odd: the image file inside a picture, packed here before it is read back,
// so the decoders see structured bytes rather than the cipher's noise; the
// second byte then also overrides the pad count, to reach lying pad counts.
#include <cstddef>
#include <cstdint>
#include <span>

#include "bfg_encode.h"
#include "media/headless.h"
#include "media/media.h"
#include "resources/bfg_file.h"

namespace {

const BlowfishState& Cipher() {
    static const BlowfishState cipher = [] {
        BlowfishState state;
        KeyWithBfgKey(state);
        return state;
    }();
    return cipher;
}

bool StartMedia() {
    headless::UseHeadlessPlatform();
    return InitMedia() == 0;
}

void Decode(std::span<const uint8_t> file) {
    const auto image = DecodeBfg(file, Cipher());
    if (!image) return;
    const std::span<const uint8_t> bytes = image->Image();
    const int handle = CreateImageFromMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, 0, 1, 0);
    if (handle != -1) DeleteImage(handle, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool started = StartMedia();
    if (!started || size == 0) return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if ((data[0] & 1) == 0) {
        Decode(rest);
        return 0;
    }
    if (rest.empty()) return 0;
    std::vector<uint8_t> file = EncodeBfg(rest.subspan(1), Cipher());
    if (rest[0] >= 0x80) file[0] = rest[0];  // a pad count that may lie
    Decode(file);
    return 0;
}
