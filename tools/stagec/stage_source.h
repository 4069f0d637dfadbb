// The readable source of a stage, as authors write it (see README.md in this
// folder), and its translation into a stage file.
#pragma once

#include "play/stage_file_writer.h"

#include <string>
#include <string_view>

struct StageSource {
    std::string title;      // for people only; not stored in the stage file
    std::uint8_t markLimit = 2;
    std::string backgroundName;
    Board board;            // the playing area filled in, border empty
    BoardCell start;
};

struct StageSourceResult {
    bool ok = false;
    StageSource source;
    int line = 0;           // where the fault is, when not ok
    std::string reason;
};

// Reads a stage source; on a fault, the first one with its line number.
StageSourceResult ParseStageSource(std::string_view text);

// The stage file image of a source with the given par.
StageFileImage StageFileImageOf(const StageSource& source, std::uint8_t par);
