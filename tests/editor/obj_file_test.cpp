// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading ObjData files through the main dialog.
#include "editor_fixture.h"

#include "editor/resource_ids.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>

using namespace quillon;

class ObjFileTest : public EditorDialogTest {};

TEST_F(ObjFileTest, WrittenFileReadsBackIntoTheDialog) {
    const QString picture = MakePicture("strip.bfg", 96, 40);
    LoadPicture(picture, "32", "40");
    ASSERT_EQ(ItemNames(), QStringList({"name", "name", "name"}));
    EditObject(0, "剣", "300");
    EditObject(1, "shield", "-1");
    EditObject(2, "", "many");
    qobject_cast<QRadioButton*>(dialog->Control(kIdDirectionLeft))->setChecked(true);

    const QString obj = PathOf("items.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    ASSERT_TRUE(QFile::exists(obj));
    EXPECT_EQ(dialog->objPath, obj);

    // The picture is named without its folder.
    const QByteArray bytes = FileBytes(obj);
    ASSERT_GE(bytes.size(), 22);
    EXPECT_EQ(bytes.left(4), QByteArray("KOB\x09", 4));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 4), 9), "strip.bfg");

    dialog->OnCommand(kIdNew);
    EXPECT_EQ(dialog->listView->count(), 0);
    dialog->objectWidth = 1;
    dialog->objectHeight = 1;
    qobject_cast<QRadioButton*>(dialog->Control(kIdDirectionUp))->setChecked(true);

    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdOpen);
    EXPECT_EQ(ItemNames(), QStringList({"剣", "shield", ""}));
    EXPECT_EQ(ItemAttributes(), QStringList({"44", "255", "0"}));
    EXPECT_EQ(dialog->objectWidth, 32);
    EXPECT_EQ(dialog->objectHeight, 40);
    EXPECT_EQ(dialog->direction, 3);
    EXPECT_EQ(CheckedRadio(), 3);
    EXPECT_EQ(dialog->imagePath, picture);
    EXPECT_EQ(dialog->bitmap.size(), QSize(96, 40));
    ASSERT_TRUE(dialog->imageList.has_value());
    EXPECT_EQ(dialog->imageList->Count(), 3);
    // Object 1 is the second 32-pixel slice of the strip.
    EXPECT_EQ(dialog->imageList->Image(1).toImage().pixel(0, 0), MakeStrip(96, 40).pixel(32, 0));
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(ObjFileTest, EmptyListIsSavedAsHeaderOnlyAndReadsBackEmpty) {
    const QString picture = MakePicture("p.bfg", 64, 64);
    LoadPicture(picture, "32", "64");
    dialog->listView->clear();
    const QString obj = PathOf("empty.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    EXPECT_EQ(FileBytes(obj).size(), 10 + 2 * 5);

    dialog->OnCommand(kIdNew);
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdOpen);
    EXPECT_EQ(dialog->listView->count(), 0);
    EXPECT_FALSE(dialog->bitmap.isNull());
    ASSERT_TRUE(dialog->imageList.has_value());
    EXPECT_EQ(dialog->imageList->Count(), 2);
}

TEST_F(ObjFileTest, DirectionFourStopsReadingAfterTheImageListIsSetUp) {
    MakePicture("p.bfg", 64, 64);
    const QString obj = PathOf("bad.obj");
    QByteArray bytes("KOB\x05p\0.\0b\0f\0g\0", 14);
    bytes.append(QByteArray("\x20\0\x40\0\x04\x01\x01n\0\x07", 10));
    QFile file(obj);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    EXPECT_FALSE(dialog->ReadObjData(obj));
    EXPECT_EQ(dialog->imagePath, PathOf("p.bfg"));
    EXPECT_FALSE(dialog->bitmap.isNull());
    ASSERT_TRUE(dialog->imageList.has_value());
    EXPECT_EQ(dialog->imageList->ImageSize(), QSize(32, 64));
    EXPECT_EQ(dialog->imageList->Count(), 2);
    EXPECT_EQ(dialog->listView->count(), 0);
    EXPECT_EQ(CheckedRadio(), -1);
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(ObjFileTest, MovedFileFindsItsPictureInItsNewFolder) {
    const QString picture = MakePicture("walk.bfg", 64, 32);
    LoadPicture(picture, "32", "32");
    EditObject(1, "second", "9");
    const QString obj = PathOf("walk.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);

    ASSERT_TRUE(QDir(PathOf("")).mkdir("moved"));
    ASSERT_TRUE(QFile::rename(obj, PathOf("moved/walk.obj")));
    ASSERT_TRUE(QFile::rename(picture, PathOf("moved/walk.bfg")));

    dialog->OnCommand(kIdNew);
    prompts->fileAnswers.push_back(PathOf("moved/walk.obj"));
    dialog->OnCommand(kIdOpen);
    EXPECT_EQ(dialog->imagePath, PathOf("moved/walk.bfg"));
    EXPECT_EQ(dialog->bitmap.size(), QSize(64, 32));
    EXPECT_EQ(ItemNames(), QStringList({"name", "second"}));
    EXPECT_EQ(ItemAttributes(), QStringList({"0", "9"}));
}

TEST_F(ObjFileTest, MissingPictureStillLeavesADocumentThatSaves) {
    const QString picture = MakePicture("gone.bfg", 32, 32);
    LoadPicture(picture, "32", "32");
    const QString obj = PathOf("gone.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    const QByteArray saved = FileBytes(obj);
    ASSERT_TRUE(QFile::remove(picture));

    dialog->OnCommand(kIdNew);
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdOpen);
    EXPECT_TRUE(dialog->bitmap.isNull());
    EXPECT_EQ(dialog->imagePath, picture);
    EXPECT_EQ(ItemNames(), QStringList({"name"}));

    prompts->buttonAnswers.push_back(QMessageBox::Yes);
    ASSERT_TRUE(QFile::remove(obj));
    dialog->OnCommand(kIdSave);
    EXPECT_EQ(FileBytes(obj), saved);
}

TEST_F(ObjFileTest, TruncatedFileKeepsTheObjectsReadAndSaysSo) {
    const QString picture = MakePicture("t.bfg", 96, 32);
    LoadPicture(picture, "32", "32");
    EditObject(0, "first", "1");
    EditObject(1, "second", "2");
    const QString obj = PathOf("t.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    QByteArray bytes = FileBytes(obj);
    bytes.chop(3);  // into the last record's name
    QFile file(obj);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    dialog->OnCommand(kIdNew);
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdOpen);
    EXPECT_EQ(ItemNames(), QStringList({"first", "second"}));
    EXPECT_EQ(dialog->imagePath, picture);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, "データのロードに失敗しました。");
    EXPECT_EQ(prompts->messages[0].caption, "error");
}

TEST_F(ObjFileTest, MoreThan255ObjectsAreRefusedAndTheFileIsUntouched) {
    const QString picture = MakePicture("wide.bfg", 256, 8);
    LoadPicture(picture, "1", "8");
    ASSERT_EQ(dialog->listView->count(), 256);
    const QString obj = PathOf("wide.obj");
    QFile file(obj);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    EXPECT_EQ(FileBytes(obj), QByteArray("keep me"));
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "エラー");
    EXPECT_EQ(prompts->messages[0].owner, dialog->hwnd.data());

    delete dialog->listView->takeItem(255);
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    EXPECT_EQ(FileBytes(obj).size(), 10 + 2 * 8 + 255 * (1 + 8 + 1));
}

TEST_F(ObjFileTest, FileThatCannotBeCreatedIsReported) {
    const QString picture = MakePicture("p.bfg", 32, 32);
    LoadPicture(picture, "32", "32");
    prompts->fileAnswers.push_back(PathOf("no/such/folder/x.obj"));
    dialog->OnCommand(kIdSaveAs);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, "データのセーブに失敗しました。");
    EXPECT_EQ(prompts->messages[0].caption, "error");
    EXPECT_FALSE(dialog->WriteObjData());
}
