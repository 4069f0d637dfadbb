// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up of the editor's dialog tests: the application on Qt's
// offscreen platform, prompts answered from a script, .bfg pictures made on
// the fly.
#pragma once

#include "editor/main_dialog.h"
#include "editor/prompts.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

// Answers file dialogs and message boxes from queues and records what was asked.
class ScriptedPrompts final : public EditorPrompts {
public:
    struct FileQuestion {
        FileDialogKind kind;
        QString suffix;
        QString filter;
    };
    struct ShownMessage {
        QWidget* owner;
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    QString AskFileName(FileDialogKind kind, const QString& defaultSuffix, const QString& filter) override;
    QMessageBox::StandardButton ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;

    std::deque<QString> fileAnswers;                      // empty: the dialog is cancelled
    std::deque<QMessageBox::StandardButton> buttonAnswers;  // empty: OK, or No when asked Yes/No
    std::vector<FileQuestion> fileQuestions;
    std::vector<ShownMessage> messages;
};

// A picture strip whose column x has a colour made from x, so slices can be told apart.
QImage MakeStrip(int width, int height);
// The PNG file bytes of image.
QByteArray PngBytes(const QImage& image);
// Writes image bytes as a .bfg file with the game's key and the given filler.
void WriteBfg(const QString& path, const QByteArray& imageFile);

class EditorDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the test's own temporary folder.
    QString PathOf(const QString& name) const { return folder_.filePath(name); }
    // Writes a strip picture of the given size as a .bfg in the folder.
    QString MakePicture(const QString& name, int width, int height);

    // Loads a picture through the menu command, answering the size dialog.
    void LoadPicture(const QString& path, const QString& width, const QString& height);
    // Answers the next size dialog with these texts and OK, or with Cancel.
    void AnswerSizeDialog(const QString& width, const QString& height, bool ok);

    // Clicks item k of the list, types the texts and presses "Write".
    void EditObject(int k, const QString& name, const QString& attribute);

    QStringList ItemNames() const;
    QStringList ItemAttributes() const;
    QString EditText(int id) const;
    int CheckedRadio() const;  // index of the checked direction, -1 none
    QByteArray FileBytes(const QString& path) const;

    ScriptedPrompts* prompts = nullptr;  // owned by dialog
    std::unique_ptr<MainDialog> dialog;
    bool sizeDialogAnswered = false;

private:
    QTemporaryDir folder_;
};
