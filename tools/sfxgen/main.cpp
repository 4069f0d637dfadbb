// SPDX-License-Identifier: GPL-3.0-or-later
// sfxgen <effect.sfx> <out.wav>: synthesises one sound effect.
#include <fstream>
#include <iostream>
#include <sstream>

#include "sfxgen/sfx_params.h"
#include "sfxgen/sfx_synth.h"
#include "sfxgen/wav_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: sfxgen <effect.sfx> <out.wav>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "sfxgen: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    auto effect = sfx::ParseEffect(text.str(), error);
    if (!effect) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    if (!sfx::WriteWav(argv[2], sfx::ToPcm16(sfx::Render(*effect)), sfx::kSampleRate)) {
        std::cerr << "sfxgen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
