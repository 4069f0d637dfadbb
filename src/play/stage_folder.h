// SPDX-License-Identifier: GPL-3.0-or-later
// Where the stages being played lie: the game's own "Stage" folder, or a
// folder of stages the player named on the command line ("veltrim FOLDER"),
// whose files are stage1.map, stage2.map, ... and whose pictures are looked
// for before the game's own.
#pragma once

#include <filesystem>
#include <string>

// Plays the stage files of `folder` from now on; an empty path goes back to
// the game's own stages.
void SetStageFolder(const std::filesystem::path& folder);
// The folder set by SetStageFolder; empty for the game's own stages.
const std::filesystem::path& StageFolder();

// The file of stage n: "Stage/stage<n>.map" of the game, or
// "<folder>/stage<n>.map".
std::string PlayedStagePath(int stage);
// The picture a stage names: the stage folder's file of that name when it
// has one, else the name itself (the game's picture).
std::string StagePicturePath(const std::string& name);
