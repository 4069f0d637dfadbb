// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/size_dialog.h"

#include "editor/editor_language.h"

#include "editor/dialog_layout.h"
#include "editor/obj_data.h"
#include "editor/resource_ids.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

using namespace quillon;

namespace {

int TextToInt(const QString& text) {
    // The C runtime's atoi narrows the saturated long to int.
    return static_cast<int>(objdata::DecimalTextValue(text.left(kMaxEditText).toStdU16String()));
}

}  // namespace

SizeDialog::~SizeDialog() = default;

QDialog* SizeDialog::BuildWindow(QWidget* owner) {
    auto* dialog = new QDialog(owner);
    dialog->setWindowTitle(EditorText(text::kSizeCaption));
    auto* client = dialog;
    const DialogLayout layout(dialog->font());

    auto* ok = new QPushButton(EditorText(text::kOk), client);
    ok->setDefault(true);
    auto* cancel = new QPushButton(EditorText(text::kCancel), client);
    cancel->setAutoDefault(false);
    auto* widthLabel = new QLabel(EditorText(text::kWidthLabel), client);
    auto* heightLabel = new QLabel(EditorText(text::kHeightLabel), client);
    auto* widthEdit = new QLineEdit(client);
    auto* heightEdit = new QLineEdit(client);
    auto* widthDots = new QLabel(EditorText(text::kDots), client);
    auto* heightDots = new QLabel(EditorText(text::kDots), client);

    layout.Place(ok, 102, 6, 42, 12);
    layout.Place(cancel, 102, 24, 42, 12);
    layout.Place(widthLabel, 12, 8, 9, 8);
    layout.Place(heightLabel, 12, 26, 9, 8);
    layout.Place(widthEdit, 30, 6, 36, 12);
    layout.Place(heightEdit, 30, 24, 36, 12);
    layout.Place(widthDots, 72, 8, 17, 8);
    layout.Place(heightDots, 72, 26, 17, 8);
    layout.FitClient(client, 154, 42);

    // Tab order of the layout: the buttons first, then the two edit boxes.
    QWidget::setTabOrder(ok, cancel);
    QWidget::setTabOrder(cancel, widthEdit);
    QWidget::setTabOrder(widthEdit, heightEdit);

    controls_ = {{kIdOk, ok}, {kIdCancel, cancel}, {kIdWidthEdit, widthEdit}, {kIdHeightEdit, heightEdit}};
    QObject::connect(ok, &QPushButton::clicked, dialog, [this] { OnCommand(kIdOk); });
    QObject::connect(cancel, &QPushButton::clicked, dialog, [this] { OnCommand(kIdCancel); });
    return dialog;
}

int SizeDialog::DoModal(QWidget* owner) {
    // The window exists only while it is shown, so the edit boxes start empty.
    std::unique_ptr<QDialog> dialog(BuildWindow(owner));
    Attach(dialog.get(), this);
    controls_[kIdWidthEdit]->setFocus();
    const int result = dialog->exec();
    controls_.clear();
    return result == kIdOk ? kIdOk : kIdCancel;
}

bool SizeDialog::WindowProc(QWidget*, QEvent* event) {
    if (IsCancelRequest(event)) {
        OnCommand(kIdCancel);
        return true;
    }
    return false;
}

void SizeDialog::OnCommand(int id) {
    auto* dialog = qobject_cast<QDialog*>(hwnd.data());
    if (dialog == nullptr) {
        return;
    }
    if (id == kIdOk) {
        width = TextToInt(static_cast<QLineEdit*>(controls_[kIdWidthEdit])->text());
        height = TextToInt(static_cast<QLineEdit*>(controls_[kIdHeightEdit])->text());
        dialog->done(kIdOk);
    } else if (id == kIdCancel) {
        dialog->done(kIdCancel);
    }
}

QWidget* SizeDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}
