// SPDX-License-Identifier: GPL-3.0-or-later
// The readable source of a stage, as authors write it (see README.md in this
// folder), and its translation into a stage file.
#pragma once

#include "play/stage_file_writer.h"

#include <string>
#include <string_view>
#include <vector>

// What a stage sets out to do, for the stage critic's design rules; not
// stored in the stage file. Kind names: "arrow", "burst", "warp10",
// "warp11", "eraser", "goal5".."goal8" (tile kinds, by cell code where a kind
// has several codes), and "mark" and "frozen" (marks above the limit), which
// a stage may teach but not feature; a stage may also teach mechanics by
// their names (mechanics.h), such as "arrow-run".
struct StageDesign {
    std::vector<std::string> teaches;   // kinds and mechanics, in the order written
    bool Teaches(std::string_view name) const {
        for (const std::string& taught : teaches) {
            if (taught == name) return true;
        }
        return false;
    }
    std::vector<std::string> features;  // tile kinds the stage is built on
    bool trapsAllowed = false;          // "traps: allowed"
    bool operator==(const StageDesign&) const = default;
};

// True for the tile kind names `features:` accepts.
bool IsFeatureKind(std::string_view name);
// True for the names `teaches:` accepts: the tile kinds, "mark", "frozen" and
// the mechanics' names.
bool IsTeachableKind(std::string_view name);

struct StageSource {
    std::string title;      // the stage's name, shown on its title card
    StageDesign design;
    std::uint8_t markLimit = 2;
    std::string backgroundName;  // empty: the stage's own picture (OwnBackgroundName)
    Board board;            // the playing area filled in, border empty
    BoardCell start;
    bool operator==(const StageSource&) const = default;
};

struct StageSourceResult {
    bool ok = false;
    StageSource source;
    int line = 0;           // where the fault is, when not ok
    std::string reason;
};

// Reads a stage source; on a fault, the first one with its line number.
StageSourceResult ParseStageSource(std::string_view text);

// The map character of a cell code ('-' for floor; the start 'S' is floor
// too); 0 for a code no source can hold (above the eraser).
char SourceCharacterOf(std::uint8_t code);

// The stage number a source's file name starts with ("07-crossing.stage" is
// 7, folders ignored); 0 when it starts with no number from 1 to 255.
int StageNumberOfSourceName(std::string_view fileName);
// The background picture the content build draws for a stage from its
// source: "stage<n>.bfg".
std::string OwnBackgroundName(int stageNumber);

// The stage file image of a source with the given par.
StageFileImage StageFileImageOf(const StageSource& source, std::uint8_t par);
