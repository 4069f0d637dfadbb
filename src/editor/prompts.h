// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's questions to the user: file dialogs and message boxes. They go
// through this interface so tests can answer them without a person.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Open or save file dialog.
enum class FileDialogKind { Open, Save };

class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;

    // Asks for a file name; returns the chosen full path, or an empty string
    // when the user cancelled. filter is "Description(*.ext)".
    virtual QString AskFileName(FileDialogKind kind, const QString& defaultSuffix,
                                const QString& filter) = 0;

    // Shows a message box (owner may be null) and returns the button pressed.
    virtual QMessageBox::StandardButton ShowMessage(QWidget* owner, const QString& text,
                                                    const QString& caption, QMessageBox::Icon icon,
                                                    QMessageBox::StandardButtons buttons) = 0;
};

// The real dialogs of the toolkit.
class QtPrompts final : public EditorPrompts {
public:
    QString AskFileName(FileDialogKind kind, const QString& defaultSuffix,
                        const QString& filter) override;
    QMessageBox::StandardButton ShowMessage(QWidget* owner, const QString& text,
                                            const QString& caption, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons) override;
};
