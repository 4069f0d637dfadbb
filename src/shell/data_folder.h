// Finds the game's files when the program is started from another folder.
#pragma once

#include <filesystem>

// The game reads its stages, pictures and sounds relative to the current
// directory. When that directory holds no first stage but the program's own
// folder does, that folder becomes the current directory (a player starting
// the game by its path, or from a file manager, expects it to find its files).
// Returns true when the directory was changed.
bool EnterDataFolder(const std::filesystem::path& programFile);

// The running program's own file, empty when the system cannot tell.
std::filesystem::path RunningProgramFile();
