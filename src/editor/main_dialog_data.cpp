// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog's document work: the picture, the object list and the
// ObjData file.
#include "editor/main_dialog.h"

#include "editor/obj_data.h"
#include "editor/resource_ids.h"
#include "resources/bfg_file.h"

#include <QFile>
#include <QListWidget>

#include <span>

using namespace quillon;

namespace {

QString FromU16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

std::u16string ToU16(const QString& text) {
    return text.toStdU16String();
}

}  // namespace

void MainDialog::ResetView() {
    bitmap = QImage();
    selectedItem = -1;
    if (listView != nullptr) {
        listView->clear();
    }
    imageList.reset();
}

bool MainDialog::BuildObjectList() {
    return CutPictureIntoObjects() == PictureResult::Ok;
}

MainDialog::PictureResult MainDialog::CutPictureIntoObjects() {
    ResetView();
    if (!LoadBfgBitmap(imagePath)) {
        imagePath.clear();
        return PictureResult::Unreadable;
    }
    const int pictureWidth = bitmap.width();
    // A width of 0 (an empty or non-numeric entry) divides nothing.
    if (objectWidth == 0 || pictureWidth % objectWidth != 0) {
        bitmap = QImage();
        imagePath.clear();
        return PictureResult::SizeMismatch;
    }
    SetUpImageList();
    const int count = pictureWidth / objectWidth;
    for (int k = 0; k < count; ++k) {
        AppendObject(QString::fromUtf8(text::kNewObjectName), QString::fromUtf8(text::kNewObjectAttribute));
    }
    return PictureResult::Ok;
}

bool MainDialog::LoadBfgBitmap(const QString& path) {
    const std::filesystem::path fileName(QFile::encodeName(path).toStdString());
    const std::optional<BfgImage> file = ReadBfgFile(fileName, cipher);
    if (!file) {
        return false;
    }
    const std::span<const uint8_t> image = file->Image();
    QImage decoded;
    if (!decoded.loadFromData(image.data(), static_cast<int>(image.size()))) {
        return false;
    }
    bitmap = std::move(decoded);
    return true;
}

QString MainDialog::AskFileName(FileDialogKind kind, const QString& defaultExtension, const QString& filter) {
    return prompts_->AskFileName(kind, defaultExtension, filter);
}

void MainDialog::SetUpImageList() {
    imageList.emplace(QSize(objectWidth, objectHeight));
    imageList->Add(bitmap);
    if (listView != nullptr) {
        listView->setIconSize(imageList->ImageSize());
    }
}

void MainDialog::AppendObject(const QString& name, const QString& attribute) {
    if (listView == nullptr) {
        return;
    }
    const int k = listView->count();
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, attribute);
    if (imageList) {
        const QPixmap image = imageList->Image(k);
        if (!image.isNull()) {
            item->setIcon(QIcon(image));
        }
    }
    listView->addItem(item);
}

bool MainDialog::ReadObjData(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Message(nullptr, text::kLoadFailed, text::kFileErrorCaption);
        return false;
    }
    // Nothing past the longest possible file can matter.
    const QByteArray bytes = file.read(static_cast<qint64>(objdata::kMaxFileSize));
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    const objdata::ParsedObjData parsed = objdata::ParseObjData(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    const objdata::ObjData& data = parsed.data;
    using objdata::ReadProgress;

    // Whatever the file got through is kept; a picture that does not load
    // still leaves its path, so the data can be saved again.
    if (parsed.progress >= ReadProgress::PictureName) {
        imagePath = FromU16(objdata::PicturePathBeside(ToU16(path), data.pictureName));
        LoadBfgBitmap(imagePath);
    } else {
        imagePath.clear();
    }
    if (parsed.progress >= ReadProgress::ObjectSize) {
        objectWidth = data.objectWidth;
        objectHeight = data.objectHeight;
        SetUpImageList();
    }
    if (parsed.end == objdata::ReadEnd::BadDirection) {
        direction = data.direction;
        return false;
    }
    if (parsed.progress >= ReadProgress::Direction) {
        direction = data.direction;
        CheckDirection(direction);
    }
    for (const objdata::ObjectRecord& object : data.objects) {
        AppendObject(FromU16(object.name), QString::number(object.attribute));
    }
    if (parsed.end == objdata::ReadEnd::Truncated || readFailed) {
        Message(nullptr, text::kLoadFailed, text::kFileErrorCaption);
    }
    return true;
}

bool MainDialog::WriteObjData() {
    if (imagePath.isEmpty()) {
        return false;
    }
    if (const int checked = CheckedDirection(); checked >= 0) {
        direction = static_cast<std::uint8_t>(checked);
    }
    objdata::ObjData data;
    data.pictureName = std::u16string(objdata::FinalComponent(ToU16(imagePath)));
    data.objectWidth = objectWidth;
    data.objectHeight = objectHeight;
    data.direction = direction;
    const int count = listView != nullptr ? listView->count() : 0;
    data.objects.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const QListWidgetItem* item = listView->item(k);
        data.objects.push_back({ToU16(item->text().left(kMaxEditText)),
                                objdata::AttributeFromText(ToU16(item->data(Qt::UserRole).toString()))});
    }

    // Checked before the file is touched, so a refused save loses nothing.
    const objdata::SerializedObjData serialized = objdata::SerializeObjData(data);
    if (serialized.error == objdata::WriteError::TooManyObjects) {
        Message(hwnd, text::kTooManyObjects, text::kErrorCaption);
        return false;
    }
    if (serialized.error != objdata::WriteError::None) {
        Message(nullptr, text::kSaveFailed, text::kFileErrorCaption);
        return false;
    }
    QFile file(objPath);
    const auto size = static_cast<qint64>(serialized.bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(serialized.bytes.data()), size) != size || !file.flush()) {
        Message(nullptr, text::kSaveFailed, text::kFileErrorCaption);
        return false;
    }
    return true;
}
