// SPDX-License-Identifier: GPL-3.0-or-later
// The "solutions.txt" reader on arbitrary bytes: no crash, every line either
// read or kept verbatim with one error each, and a rewrite reads back to the
// same lines and the same kept text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "resources/solutions_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxSolutionsBytes / 2) return 0;  // a rewrite must not pass the read limit
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SolutionsText read = ParseSolutions(text);
    for (const SolutionLine& line : read.lines) {
        if (line.stage < 1 || line.stage > 255 || line.moves.size() > kMaxSolutionMoves) std::abort();
        if (line.moves.find_first_not_of("LURD") != std::string::npos) std::abort();
    }
    if (read.unreadLines.size() > read.errors.size()) std::abort();
    const SolutionsText again = ParseSolutions(FormatSolutions(read));
    if (again.lines != read.lines) std::abort();
    return 0;
}
