// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the stage source reader. A source it accepts must
// compile into a stage file that the game's reader loads unchanged.
#include "stage_source.h"

#include "play/stage_file.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const StageSourceResult result = ParseStageSource(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result.ok) {
        if (result.line < 0 || result.reason.empty()) std::abort();
        return 0;
    }
    const StageFileResult loaded = ParseStageFile(EncodeStageFile(StageFileImageOf(result.source, 255)));
    if (!loaded || loaded.stage.board != result.source.board || loaded.stage.start != result.source.start ||
        loaded.stage.markLimit != result.source.markLimit) {
        std::abort();
    }
    return 0;
}
