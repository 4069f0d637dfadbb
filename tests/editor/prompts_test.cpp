// The real file dialogs and message boxes behind the prompts seam, answered
// from inside their own modal loops.
#include "editor/prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

class QtPromptsTest : public ::testing::Test {
protected:
    // Runs answer on the modal dialog that the next prompt opens.
    template <typename Dialog>
    void WhenShown(std::function<void(Dialog*)> answer) {
        QTimer::singleShot(0, [this, answer] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            shown = dialog != nullptr;
            if (dialog != nullptr) {
                answer(dialog);
            }
        });
    }

    QtPrompts prompts;
    bool shown = false;
};

TEST_F(QtPromptsTest, OpenDialogStartsInTheCurrentFolderWithTheFilter) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString chosen = folder.filePath("new.obj");
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);  // a name that does not exist yet is fine
        EXPECT_EQ(dialog->nameFilters(), QStringList({"ObjData File(*.obj)"}));
        EXPECT_EQ(dialog->defaultSuffix(), "obj");
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();  // public in the base, runs the file dialog's own
    });
    EXPECT_EQ(prompts.AskFileName(FileDialogKind::Open, "obj", "ObjData File(*.obj)"), chosen);
    EXPECT_TRUE(shown);
    QDir::setCurrent(previous);
}

TEST_F(QtPromptsTest, CancelledSaveDialogGivesAnEmptyName) {
    WhenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->reject();
    });
    EXPECT_TRUE(prompts.AskFileName(FileDialogKind::Save, "obj", "ObjData File(*.obj)").isEmpty());
    EXPECT_TRUE(shown);
}

TEST_F(QtPromptsTest, MessageBoxShowsTextCaptionAndButtonsAndReportsTheAnswer) {
    QWidget owner;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->text(), "上書き保存しますか？");
        EXPECT_EQ(box->windowTitle(), "確認");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->parentWidget(), &owner);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.ShowMessage(&owner, "上書き保存しますか？", "確認", QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No),
              QMessageBox::No);
    EXPECT_TRUE(shown);
}
