// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own tile pictures for the stage editor: "tails.bfg" read through
// the shared .bfg cipher, one 32 x 64 picture per cell code (the lower half
// is the tile's side, drawn over the cell below), pure green transparent.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

class TilePictures {
public:
    // Reads tails.bfg from the game's folder (GameDataFolder); without it
    // the tiles are drawn as plain coloured squares.
    TilePictures();

    bool Loaded() const { return !strip_.isNull(); }
    // The picture of a cell code (1..17), null when not loaded.
    QImage Tile(std::uint8_t code) const;
    // A picture of the game's folder (a stage background), decrypted; null
    // when it cannot be read.
    static QImage GamePicture(const QString& name);
    // A .bfg picture at any path, decrypted, green made transparent.
    static QImage PictureAt(const QString& path);

private:
    QImage strip_;
};

// The folder of the game's files as the editor finds them: beside the
// editor ("game/" of the build folder, or the editor's own folder) or
// installed ("../share/veltrim"); empty when none holds tails.bfg.
QString GameDataFolder();
// The game program: "veltrim" in the game's folder or beside the editor.
QString GameProgram();
