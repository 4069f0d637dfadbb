// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/prompts.h"

#include <QDir>
#include <QFileDialog>

QString QtPrompts::AskFileName(FileDialogKind kind, const QString& defaultSuffix,
                               const QString& filter) {
    // No owner, starting in the current directory; the save dialog asks before
    // replacing a file, and neither dialog insists that the file exists.
    QFileDialog dialog(nullptr, QString(), QDir::currentPath(), filter);
    dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen
                                                      : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton QtPrompts::ShowMessage(QWidget* owner, const QString& text,
                                                   const QString& caption, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
