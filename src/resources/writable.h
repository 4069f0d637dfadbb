// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the game may change a file or folder, judged by its permission bits
// rather than by what the system would allow: root may write anything, yet a
// save file or a game folder made read-only must still be left alone.
#pragma once

#include <filesystem>

// True when `path` exists, lies on a file system mounted for writing, and the
// write bit of the class this process belongs to (owner, group or others) is
// set; an unprivileged process must also be let in by the system (ACLs).
bool WritableByMode(const std::filesystem::path& path);
