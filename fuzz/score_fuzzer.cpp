// SPDX-License-Identifier: GPL-3.0-or-later
// The score compiler on arbitrary text: it must fail cleanly or produce a
// MIDI file, never crash or run away.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mml2mid/midi_writer.h"
#include "mml2mid/mml_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::string error;
    auto song = mml::CompileScore(std::string(reinterpret_cast<const char*>(data), size), error);
    if (song) {
        auto bytes = mml::SmfBytes(*song);
        if (bytes.size() < 14) __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();  // every failure says why
    }
    return 0;
}
