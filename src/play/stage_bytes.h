// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a stage file's bytes from the game's folder, for the map scene and
// the title card; the parsing itself is pure (stage_file.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the file at `path` (at most 1 MiB of it, more than any stage file
// holds); false when it cannot be opened. A file that cannot be measured
// reads as empty and fails to parse.
bool ReadStageBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// The name stage `stage` carries in its file; empty when it has none or the
// file cannot be read.
std::string ReadStageName(int stage);
