// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the stage reader. A stage that loads must keep
// the board's invariants and survive a write-and-read round trip unchanged.
#include "play/stage_file.h"
#include "play/stage_file_writer.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const StageFileResult result = ParseStageFile(std::span(data, size));
    const std::optional<std::uint8_t> par = ParseStagePar(std::span(data, size));
    // The name is read from the head alone and may be anything, even when the rest is bad.
    const std::string name = ParseStageName(std::span(data, size));
    if (name.size() > 4 * 255) std::abort();
    if (!result) {
        if (result.stage.board != Board{}) std::abort();
        return 0;
    }
    const StageData& stage = result.stage;
    if (!par || *par != stage.par) std::abort();
    if (stage.markLimit < 1 || stage.markLimit > kMaxMarkLimit) std::abort();
    if (!Board::InPlayingArea(stage.start.column, stage.start.row)) std::abort();
    if (stage.board.At(stage.start) == CELL_EMPTY) std::abort();
    for (int r = 0; r < Board::kRows; ++r) {
        for (int c = 0; c < Board::kColumns; ++c) {
            if (!Board::InPlayingArea(c, r) && stage.board.At(c, r) != CELL_EMPTY) std::abort();
        }
    }
    const StageFileResult again = ParseStageFile(EncodeStageFile(StageFileImageOf(stage)));
    if (!again || again.stage.board != stage.board || again.stage.par != stage.par ||
        again.stage.markLimit != stage.markLimit || again.stage.start != stage.start ||
        again.stage.backgroundName != stage.backgroundName) {
        std::abort();
    }
    return 0;
}
