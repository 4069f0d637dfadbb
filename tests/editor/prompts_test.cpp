// SPDX-License-Identifier: GPL-3.0-or-later
// The real file dialogs and message boxes behind the prompts seam, answered
// from inside their own modal loops.
#include "editor/prompts.h"
#include "editor/qt_translations.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QRegularExpression>
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

class QtTranslationsTest : public QtPromptsTest {
protected:
    // A button's text without its keyboard mnemonic, "はい(&Y)" -> "はい".
    static QString Plain(QString text) {
        return text.remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove(QChar('&'));
    }
};

TEST_F(QtTranslationsTest, TheOverwriteQuestionAnswersInJapanese) {
    const auto translator = InstallQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's Japanese catalogue (qt6-translations-l10n) is missing";
    QWidget owner;
    WhenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(Plain(box->button(QMessageBox::Yes)->text()), "はい");
        EXPECT_EQ(Plain(box->button(QMessageBox::No)->text()), "いいえ");
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompts.ShowMessage(&owner, "上書き保存しますか？", "確認", QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No),
              QMessageBox::Yes);
    EXPECT_TRUE(shown);
}

TEST_F(QtTranslationsTest, TheFileDialogsSpeakJapaneseAndEnglishComesBackWithoutTheCatalogue) {
    auto fileNameLabel = [this] {
        QString label;
        WhenShown<QFileDialog>([&label](QFileDialog* dialog) {
            if (const auto* name = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))) label = name->text();
            dialog->reject();
        });
        prompts.AskFileName(FileDialogKind::Open, "obj", "ObjData File(*.obj)");
        return Plain(label);
    };
    const QString english = fileNameLabel();
    EXPECT_FALSE(english.isEmpty());
    {
        const auto translator = InstallQtTranslations(*QCoreApplication::instance());
        ASSERT_NE(translator, nullptr);
        const QString japanese = fileNameLabel();
        EXPECT_NE(japanese, english);
        EXPECT_TRUE(japanese.contains(QStringLiteral("ファイル"))) << japanese.toStdString();
    }
    EXPECT_EQ(fileNameLabel(), english);  // the translator leaves with its owner
}
