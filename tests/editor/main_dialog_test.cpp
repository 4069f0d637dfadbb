// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog's window, controls and command table, driven by id.
#include "editor_fixture.h"

#include "editor/dialog_layout.h"
#include "editor/resource_ids.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

using namespace quillon;

class MainDialogWindowTest : public EditorDialogTest {};

TEST_F(MainDialogWindowTest, ShowsTheDialogsTextsAndStartsWithNothingChecked) {
    QWidget* window = dialog->hwnd;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(dialog->isDialog);
    EXPECT_EQ(window->windowTitle(), "Quillon");
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        labels << label->text();
    }
    labels.sort();
    QStringList expected{"名前", "属性", "描画方向"};
    expected.sort();
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog->Control(kIdWrite))->text(), "Write");
    const char* directions[] = {"上", "右", "下", "左"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(qobject_cast<QRadioButton*>(dialog->Control(kIdDirectionUp + k))->text(), directions[k]);
    }
    EXPECT_EQ(CheckedRadio(), -1);
    EXPECT_EQ(dialog->listView->viewMode(), QListView::IconMode);
    EXPECT_EQ(dialog->objectWidth, 32);
    EXPECT_EQ(dialog->objectHeight, 64);
    EXPECT_EQ(dialog->selectedItem, -1);
}

TEST_F(MainDialogWindowTest, WriteKeepsItsPlaceAndFitsItsText) {
    auto* write = qobject_cast<QPushButton*>(dialog->Control(kIdWrite));
    const QWidget* list = dialog->Control(kIdObjectList);
    const QRect planned = DialogLayout(dialog->hwnd->font()).ToPixels(192, 103, 36, 12);
    EXPECT_EQ(write->geometry().left(), planned.left());
    EXPECT_EQ(write->geometry().width(), planned.width());
    EXPECT_EQ(write->geometry().right(), list->geometry().right());  // both end at unit 228
    // The label is drawn whole inside the button's own contents area.
    QStyleOptionButton option;
    option.initFrom(write);
    option.rect = write->rect();
    option.text = write->text();
    const QRect contents = write->style()->subElementRect(QStyle::SE_PushButtonContents, &option, write);
    EXPECT_LE(write->fontMetrics().horizontalAdvance(write->text()), contents.width());
    EXPECT_LE(write->fontMetrics().height(), contents.height());
}

TEST_F(MainDialogWindowTest, MenuHoldsTheFileCommandsInOrder) {
    const QMenuBar* bar = dialog->hwnd->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    // The file menu, then the stage editor's menu beside it.
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "ファイル(&F)");
    EXPECT_EQ(bar->actions()[1]->text(), "ステージ(&T)");
    const QMenu* menu = bar->actions()[0]->menu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    QList<int> ids;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QString("-") : action->text());
        ids << action->data().toInt();
    }
    EXPECT_EQ(texts, QStringList({"新規作成(&N)", "読み込み(&O)", "上書き保存(&S)", "名前をつけて保存(&A)", "-",
                                  "画像の読み込み(&G)"}));
    EXPECT_EQ(ids, QList<int>({40006, 40007, 40008, 40009, 0, 40010}));
}

TEST_F(MainDialogWindowTest, MenuCommandRunsThroughOnCommand) {
    prompts->fileAnswers.push_back(QString());
    dialog->MenuCommand(kIdLoadPicture)->trigger();
    ASSERT_EQ(prompts->fileQuestions.size(), 1u);
    EXPECT_EQ(prompts->fileQuestions[0].kind, FileDialogKind::Open);
    EXPECT_EQ(prompts->fileQuestions[0].suffix, "bfg");
    EXPECT_EQ(prompts->fileQuestions[0].filter, "Image File(*.bfg)");
}

TEST_F(MainDialogWindowTest, EscapeClosesTheDialogAndDropsTheImageList) {
    const QString picture = MakePicture("p.bfg", 64, 64);
    LoadPicture(picture, "32", "64");
    ASSERT_TRUE(dialog->imageList.has_value());
    dialog->hwnd->show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog->hwnd, &escape);
    EXPECT_FALSE(dialog->imageList.has_value());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog->hwnd, nullptr);
    EXPECT_EQ(dialog->listView, nullptr);
    // With the window gone, commands have nothing to act on and do no harm.
    dialog->OnCommand(kIdWrite);
    dialog->OnCommand(kIdNew);
}

TEST_F(MainDialogWindowTest, CloseBoxIsCommandTwo) {
    dialog->hwnd->show();
    dialog->hwnd->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog->hwnd, nullptr);
}

class WindowBindingTest : public ::testing::Test {};

namespace {
// Counts the events of the window it is attached to and takes key presses.
class CountingWindow : public CWndBase {
public:
    bool WindowProc(QWidget* window, QEvent* event) override {
        lastWindow = window;
        if (event->type() == QEvent::KeyPress) {
            ++keyPresses;
            return true;
        }
        return false;
    }
    QWidget* lastWindow = nullptr;
    int keyPresses = 0;
};
}  // namespace

TEST_F(WindowBindingTest, AttachRoutesTheWindowsEventsToItsObject) {
    CountingWindow object;
    EXPECT_EQ(CWndBase::Attach(nullptr, &object), 0);
    EXPECT_EQ(object.hwnd, nullptr);

    auto widget = std::make_unique<QLineEdit>();
    EXPECT_EQ(CWndBase::Attach(widget.get(), &object), 1);
    EXPECT_EQ(object.hwnd, widget.get());
    EXPECT_FALSE(object.isDialog);
    EXPECT_EQ(CWndBase::Attach(widget.get(), &object), 1);  // attaching twice hooks once

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(widget.get(), &key);
    EXPECT_EQ(object.keyPresses, 1);
    EXPECT_EQ(object.lastWindow, widget.get());
    EXPECT_EQ(widget->text(), "");  // taken by the object, so the edit never saw it

    widget.reset();
    EXPECT_EQ(object.hwnd, nullptr);
}

class CommandTest : public EditorDialogTest {};

TEST_F(CommandTest, SaveWithoutAPictureDoesNothing) {
    dialog->OnCommand(kIdSave);
    dialog->OnCommand(kIdSaveAs);
    EXPECT_TRUE(prompts->fileQuestions.empty());
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_FALSE(dialog->WriteObjData());

    // Also after New drops a loaded picture.
    LoadPicture(MakePicture("p.bfg", 32, 32), "32", "32");
    dialog->objPath = PathOf("x.obj");
    dialog->OnCommand(kIdNew);
    EXPECT_TRUE(dialog->objPath.isEmpty());
    EXPECT_TRUE(dialog->imagePath.isEmpty());
    dialog->OnCommand(kIdSave);
    EXPECT_EQ(prompts->fileQuestions.size(), 1u);  // only the picture's
    EXPECT_FALSE(QFile::exists(PathOf("x.obj")));
}

TEST_F(CommandTest, OverwriteAsksAndNoLeavesTheFileUntouched) {
    LoadPicture(MakePicture("p.bfg", 64, 32), "32", "32");
    const QString obj = PathOf("doc.obj");
    prompts->fileAnswers.push_back(obj);
    dialog->OnCommand(kIdSaveAs);
    const QByteArray before = FileBytes(obj);
    ASSERT_FALSE(before.isEmpty());

    EditObject(0, "changed", "5");
    dialog->OnCommand(kIdSave);
    ASSERT_EQ(prompts->messages.size(), 1u);
    const auto& question = prompts->messages[0];
    EXPECT_EQ(question.text, "上書き保存しますか？");
    EXPECT_EQ(question.caption, "確認");
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.owner, dialog->hwnd.data());
    EXPECT_EQ(FileBytes(obj), before);

    prompts->buttonAnswers.push_back(QMessageBox::Yes);
    dialog->OnCommand(kIdSave);
    EXPECT_NE(FileBytes(obj), before);
    EXPECT_TRUE(FileBytes(obj).contains(QByteArray("c\0h\0a\0n\0g\0e\0d\0", 14)));
}

TEST_F(CommandTest, SaveAsCancelledForgetsTheFileName) {
    LoadPicture(MakePicture("p.bfg", 32, 32), "32", "32");
    dialog->objPath = PathOf("old.obj");
    dialog->OnCommand(kIdSaveAs);
    EXPECT_TRUE(dialog->objPath.isEmpty());
    EXPECT_FALSE(QFile::exists(PathOf("old.obj")));
    ASSERT_EQ(prompts->fileQuestions.size(), 2u);
    EXPECT_EQ(prompts->fileQuestions[1].kind, FileDialogKind::Save);
    EXPECT_EQ(prompts->fileQuestions[1].filter, "ObjData File(*.obj)");
    EXPECT_EQ(prompts->fileQuestions[1].suffix, "obj");
}

TEST_F(CommandTest, OpenCancelledClearsThePathAndKeepsTheView) {
    LoadPicture(MakePicture("p.bfg", 64, 32), "32", "32");
    dialog->objPath = PathOf("old.obj");
    dialog->OnCommand(kIdOpen);
    EXPECT_TRUE(dialog->objPath.isEmpty());
    EXPECT_EQ(dialog->listView->count(), 2);
    EXPECT_FALSE(dialog->bitmap.isNull());
}

TEST_F(CommandTest, CancellingTheSizeDialogClearsThePicturePath) {
    LoadPicture(MakePicture("first.bfg", 64, 32), "32", "32");
    ASSERT_EQ(dialog->listView->count(), 2);

    prompts->fileAnswers.push_back(MakePicture("second.bfg", 96, 32));
    AnswerSizeDialog("16", "16", false);
    dialog->OnCommand(kIdLoadPicture);
    EXPECT_TRUE(sizeDialogAnswered);
    EXPECT_TRUE(dialog->imagePath.isEmpty());
    EXPECT_EQ(dialog->listView->count(), 2);  // the view keeps what it showed
    EXPECT_EQ(dialog->objectWidth, 32);

    dialog->OnCommand(kIdSaveAs);
    EXPECT_EQ(prompts->fileQuestions.size(), 2u);  // no save dialog
}

TEST_F(CommandTest, WidthThatDoesNotDivideThePictureShowsTheMessage) {
    LoadPicture(MakePicture("p.bfg", 100, 32), "32", "32");
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, "画像のサイズは指定したオブジェクトの\n横の倍率である必要があります。");
    EXPECT_EQ(prompts->messages[0].caption, "エラー");
    EXPECT_EQ(prompts->messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(dialog->listView->count(), 0);
    EXPECT_TRUE(dialog->bitmap.isNull());
    EXPECT_TRUE(dialog->imagePath.isEmpty());
}

TEST_F(CommandTest, WidthZeroIsASizeThatDoesNotFit) {
    LoadPicture(MakePicture("p.bfg", 64, 32), "", "32");
    EXPECT_EQ(dialog->objectWidth, 0);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "エラー");
    EXPECT_EQ(dialog->listView->count(), 0);
    EXPECT_TRUE(dialog->imagePath.isEmpty());
}

TEST_F(CommandTest, PictureThatDoesNotDecodeIsDropped) {
    const QString garbage = PathOf("garbage.bfg");
    WriteBfg(garbage, QByteArray("this is no image file"));
    LoadPicture(garbage, "32", "32");
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "エラー");
    EXPECT_TRUE(dialog->imagePath.isEmpty());
    EXPECT_TRUE(dialog->bitmap.isNull());

    LoadPicture(PathOf("missing.bfg"), "32", "32");
    EXPECT_EQ(prompts->messages.size(), 2u);
    EXPECT_TRUE(dialog->imagePath.isEmpty());
}

TEST_F(CommandTest, PictureIsCutIntoNamedObjectsOfTheTypedSize) {
    LoadPicture(MakePicture("p.bfg", 96, 48), " 24xyz", "+48");
    EXPECT_EQ(dialog->objectWidth, 24);
    EXPECT_EQ(dialog->objectHeight, 48);
    EXPECT_EQ(ItemNames(), QStringList({"name", "name", "name", "name"}));
    EXPECT_EQ(ItemAttributes(), QStringList({"0", "0", "0", "0"}));
    EXPECT_EQ(dialog->listView->iconSize(), QSize(24, 48));
    ASSERT_EQ(dialog->imageList->Count(), 4);
    const QImage strip = MakeStrip(96, 48);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dialog->imageList->Image(k).toImage().pixel(5, 7), strip.pixel(24 * k + 5, 7)) << k;
    }
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(CommandTest, SizeDialogKeepsTheLow16BitsOfTheNumbers) {
    LoadPicture(MakePicture("p.bfg", 32, 32), "65568", "-65504");  // 0x10020 and -0xFFE0
    EXPECT_EQ(dialog->sizeDialog.width, 65568);
    EXPECT_EQ(dialog->objectWidth, 32);
    EXPECT_EQ(dialog->objectHeight, 32);
    EXPECT_EQ(dialog->listView->count(), 1);
}

TEST_F(CommandTest, NewKeepsDirectionSizeAndEditTexts) {
    LoadPicture(MakePicture("p.bfg", 64, 16), "16", "16");
    qobject_cast<QRadioButton*>(dialog->Control(kIdDirectionDown))->setChecked(true);
    dialog->listView->setCurrentRow(2);
    dialog->OnCommand(kIdNew);
    EXPECT_EQ(dialog->listView->count(), 0);
    EXPECT_EQ(dialog->selectedItem, -1);
    EXPECT_FALSE(dialog->imageList.has_value());
    EXPECT_EQ(CheckedRadio(), 2);
    EXPECT_EQ(dialog->objectWidth, 16);
    EXPECT_EQ(EditText(kIdNameEdit), "name");
    EXPECT_EQ(EditText(kIdAttributeEdit), "0");
}

TEST_F(CommandTest, UnknownIdsDoNothing) {
    LoadPicture(MakePicture("p.bfg", 32, 32), "32", "32");
    dialog->OnCommand(kIdOk);
    dialog->OnCommand(12345);
    EXPECT_EQ(dialog->listView->count(), 1);
    EXPECT_NE(dialog->hwnd, nullptr);
}

class ObjectEditTest : public EditorDialogTest {};

TEST_F(ObjectEditTest, ClickingAnItemFillsBothEditsAndWriteStoresThem) {
    LoadPicture(MakePicture("p.bfg", 96, 32), "32", "32");
    QListWidget* list = dialog->listView;
    list->item(1)->setText("torch");
    list->item(1)->setData(Qt::UserRole, "12");

    const QRect itemRect = list->visualItemRect(list->item(1));
    QMouseEvent press(QEvent::MouseButtonPress, itemRect.center(), list->viewport()->mapToGlobal(itemRect.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    EXPECT_EQ(dialog->selectedItem, 1);
    EXPECT_EQ(EditText(kIdNameEdit), "torch");
    EXPECT_EQ(EditText(kIdAttributeEdit), "12");

    qobject_cast<QLineEdit*>(dialog->Control(kIdNameEdit))->setText("lamp");
    qobject_cast<QLineEdit*>(dialog->Control(kIdAttributeEdit))->setText("300");
    qobject_cast<QPushButton*>(dialog->Control(kIdWrite))->click();
    EXPECT_EQ(ItemNames(), QStringList({"name", "lamp", "name"}));
    EXPECT_EQ(ItemAttributes(), QStringList({"0", "300", "0"}));  // checked only when written to a file
}

// Presses the left button at pos of the list's viewport.
static void ClickAt(QListWidget* list, QPoint pos) {
    QMouseEvent press(QEvent::MouseButtonPress, pos, list->viewport()->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, list->viewport()->mapToGlobal(pos), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &release);
}

TEST_F(ObjectEditTest, ALongerNameMakesRoomInsteadOfOverlapping) {
    dialog->hwnd->show();
    LoadPicture(MakePicture("p.bfg", 96, 64), "32", "64");
    QListWidget* list = dialog->listView;
    QCoreApplication::processEvents();
    EditObject(0, "changed-name", "0");
    QCoreApplication::processEvents();

    std::vector<QRect> rects;
    for (int k = 0; k < list->count(); ++k) rects.push_back(list->visualItemRect(list->item(k)));
    ASSERT_EQ(rects.size(), 3u);
    for (size_t a = 0; a < rects.size(); ++a) {
        EXPECT_GE(rects[a].width(), 32) << a;  // the whole icon still shows
        for (size_t b = a + 1; b < rects.size(); ++b)
            EXPECT_FALSE(rects[a].intersects(rects[b])) << a << " and " << b;
    }
    EXPECT_GT(rects[0].width(), rects[1].width());  // the longer label has its room
    // A click lands on the item drawn under the pointer.
    for (const int k : {1, 0, 2}) {
        ClickAt(list, rects[static_cast<size_t>(k)].center());
        EXPECT_EQ(dialog->selectedItem, k);
    }
}

TEST_F(ObjectEditTest, WriteWithNoItemClickedDoesNothing) {
    LoadPicture(MakePicture("p.bfg", 64, 32), "32", "32");
    qobject_cast<QLineEdit*>(dialog->Control(kIdNameEdit))->setText("lost");
    qobject_cast<QPushButton*>(dialog->Control(kIdWrite))->click();
    EXPECT_EQ(ItemNames(), QStringList({"name", "name"}));
}

TEST_F(ObjectEditTest, EditBoxesHoldAtMost254Characters) {
    LoadPicture(MakePicture("p.bfg", 32, 32), "32", "32");
    EditObject(0, QString(300, QChar('a')), "1");
    EXPECT_EQ(ItemNames()[0].size(), 254);
}

class ImageListTest : public ::testing::Test {};

TEST_F(ImageListTest, CutsWholeSlicesAndNeverMoreRowsThanThePictureHas) {
    ImageList images(QSize(32, 65535));
    images.Add(MakeStrip(100, 16));
    ASSERT_EQ(images.Count(), 3);  // the last 4 columns make no whole slice
    EXPECT_EQ(images.Image(2).size(), QSize(32, 16));
    EXPECT_EQ(images.Image(2).toImage().pixel(1, 3), MakeStrip(100, 16).pixel(65, 3));
    EXPECT_TRUE(images.Image(3).isNull());

    ImageList zeroWide(QSize(0, 16));
    zeroWide.Add(MakeStrip(64, 16));
    EXPECT_EQ(zeroWide.Count(), 0);
}
