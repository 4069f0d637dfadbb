// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the stage editor's opening of a file (a stage
// source or a stage file). A stage it opens must save back as a source that
// reads as the same stage, keep it through an edit and its undo, and export a
// stage file the game loads.
#include "stage_document.h"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StageDocument::Opened opened = StageDocument::FromBytes(std::span<const std::uint8_t>(data, size));
    if (!opened.document) {
        if (opened.error.empty()) std::abort();
        return 0;
    }
    StageDocument& document = *opened.document;
    const StageSource stage = document.Stage();
    const StageSourceResult reread = ParseStageSource(document.SourceText());
    if (!reread.ok || !(reread.source.board == stage.board) || !(reread.source.start == stage.start) ||
        reread.source.markLimit != stage.markLimit) {
        std::abort();
    }
    if (document.Paint({9, 6}, PaletteEntryOfCode(CELL_BURST)) && (!document.Undo() || !(document.Stage() == stage))) {
        std::abort();
    }
    if (!ParseStageFile(document.StageFileBytes(255, 1))) std::abort();
    return 0;
}
