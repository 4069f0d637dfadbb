// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file of the player's by way of a temporary file beside it, so
// a failed write never loses the previous contents. Shared by the save data
// and the kept solutions, which live side by side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` as `file`, creating its folders. A file or folder without
// write permission is left alone; a failed write leaves the old file whole.
bool ReplaceFile(const std::string& file, const std::vector<std::uint8_t>& bytes);
