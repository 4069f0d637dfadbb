// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tile_pictures.h"

#include "resources/bfg_file.h"
#include "resources/blowfish.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <optional>

namespace {

constexpr int kCell = 32;

QImage ReadBfgPicture(const QString& path) {
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    const std::optional<BfgImage> file = ReadBfgFile(std::filesystem::path(QFile::encodeName(path).toStdString()), cipher);
    cipher.Release();
    if (!file) return {};
    const std::span<const std::uint8_t> bytes = file->Image();
    QImage image;
    if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) return {};
    // Pure green is transparent in every picture of the game.
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0x00FF00) line[x] = 0;
        }
    }
    return keyed;
}

}  // namespace

QString GameDataFolder() {
    const QString own = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {own + "/game", own, own + "/../share/veltrim"}) {
        if (QFileInfo::exists(candidate + "/tails.bfg")) return QDir(candidate).absolutePath();
    }
    return {};
}

QString GameProgram() {
    const QString own = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {own + "/game/veltrim", own + "/veltrim"}) {
        if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
    }
    return {};
}

TilePictures::TilePictures() {
    const QString folder = GameDataFolder();
    if (!folder.isEmpty()) strip_ = ReadBfgPicture(folder + "/tails.bfg");
}

QImage TilePictures::Tile(std::uint8_t code) const {
    if (strip_.isNull() || code == 0 || kCell * code > strip_.width()) return {};
    return strip_.copy(kCell * (code - 1), 0, kCell, 2 * kCell);
}

QImage TilePictures::PictureAt(const QString& path) { return ReadBfgPicture(path); }

QImage TilePictures::GamePicture(const QString& name) {
    const QString folder = GameDataFolder();
    return folder.isEmpty() || name.isEmpty() ? QImage() : ReadBfgPicture(folder + "/" + name);
}
