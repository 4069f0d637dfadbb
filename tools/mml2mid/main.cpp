// SPDX-License-Identifier: GPL-3.0-or-later
// mml2mid <score.mml> <out.mid>: compiles a score into a Standard MIDI File
// and reports the piece's length in bars and seconds at its first tempo.
#include <fstream>
#include <iostream>
#include <sstream>

#include "mml2mid/midi_writer.h"
#include "mml2mid/mml_parser.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: mml2mid <score.mml> <out.mid>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "mml2mid: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    auto song = mml::CompileScore(text.str(), error);
    if (!song) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    for (const auto& t : song->tracks)
        if (t.length != song->length)
            std::cerr << argv[1] << ": warning: track " << t.name << " ends at tick " << t.length << " of "
                      << song->length << "\n";
    std::cout << argv[1] << ": " << song->length / (4.0 * mml::kTicksPerQuarter) << " bars, "
              << mml::SecondsAt(*song, song->length) << " s\n";
    if (!mml::WriteSmf(argv[2], *song)) {
        std::cerr << "mml2mid: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
