// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the game's files from where the program itself lies, and the place
// where the player's progress is kept.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The folder of the game's files for the program at `programFile`: the
// program's own folder when it holds the first stage (the portable game
// folder), else the installed data folder at `installedData` relative to the
// program's folder (say "../share/games/veltrim" beside a games folder).
// Empty when neither holds the stages.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFile,
                                     const std::filesystem::path& installedData);

// Where an installed game's files lie relative to its program's folder, as
// this build installs them (say "../share/games/veltrim" beside /usr/games).
std::filesystem::path InstalledDataFolder();

// Makes the data folder found for the running program the current directory
// (the game reads its files relative to it). Returns that folder, or empty
// when none was found and the current directory stays.
std::filesystem::path EnterDataFolder(const std::filesystem::path& programFile);

// The running program's own file, empty when the system cannot tell.
std::filesystem::path RunningProgramFile();

// The user's folder for the game's data by the XDG base directory rules:
// $XDG_DATA_HOME/veltrim when that is an absolute path, else
// $HOME/.local/share/veltrim; empty when neither is known.
std::filesystem::path UserSaveFolder(const char* xdgDataHome, const char* home);

// How the game's files lie: in the program's own folder (the portable game
// folder) or in an installed data folder apart from the program.
enum class GameLayout { Portable, Installed };

// The layout of a game whose program is `programFile` and whose files were
// found in `dataFolder`.
GameLayout LayoutOf(const std::filesystem::path& dataFolder, const std::filesystem::path& programFile);

// Where data.sav is read and written, in order of preference. A portable
// game keeps it beside its files, or in the user's folder when its folder is
// read-only (a data.sav of the game folder still read until the user's
// folder holds one). An installed game keeps it in the user's folder only,
// whoever runs it: nothing is ever written among installed files.
std::vector<std::string> SavePlaces(const std::filesystem::path& dataFolder, GameLayout layout,
                                    const std::filesystem::path& userFolder);

// Enters the data folder and points the save data at its places: what the
// game does before anything else.
void SettleIntoGameFolders(const std::filesystem::path& programFile);
