// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/main_dialog.h"

#include "editor/dialog_layout.h"
#include "editor/editor_language.h"
#include "editor/resource_ids.h"
#include "editor/stage_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace quillon;

namespace {

QString Text(const char* utf8) {
    return EditorText(utf8);
}

QLineEdit* NewEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kMaxEditText);
    return edit;
}

}  // namespace

MainDialog::MainDialog(std::unique_ptr<EditorPrompts> prompts) : prompts_(std::move(prompts)) {
    KeyWithBfgKey(cipher);
}

MainDialog::~MainDialog() {
    delete hwnd.data();
    cipher.Release();
}

QDialog* MainDialog::Create() {
    auto* dialog = new QDialog(nullptr);
    dialog->setWindowTitle(Text(text::kMainCaption));

    auto* menuBar = new QMenuBar(dialog);
    QMenu* fileMenu = menuBar->addMenu(Text(text::kFileMenu));
    const std::pair<int, const char*> items[] = {
        {kIdNew, text::kNewCommand},
        {kIdOpen, text::kOpenCommand},
        {kIdSave, text::kSaveCommand},
        {kIdSaveAs, text::kSaveAsCommand},
        {0, nullptr},
        {kIdLoadPicture, text::kLoadPictureCommand},
    };
    for (const auto& [id, label] : items) {
        if (label == nullptr) {
            fileMenu->addSeparator();
            continue;
        }
        QAction* action = fileMenu->addAction(Text(label));
        action->setData(id);
        QObject::connect(action, &QAction::triggered, dialog, [this, id = id] { OnCommand(id); });
        commands_[id] = action;
    }
    // Beside the file menu, which stays as it was: the stage editor.
    QMenu* stageMenu = menuBar->addMenu(Text(text::kStageMenu));
    QAction* stageEditor = stageMenu->addAction(Text(text::kStageEditorCommand));
    stageEditor->setData(kIdStageEditor);
    QObject::connect(stageEditor, &QAction::triggered, dialog, [this] { OnCommand(kIdStageEditor); });
    commands_[kIdStageEditor] = stageEditor;

    // The controls, in tab order, placed by the dialog's layout units.
    auto* client = new QWidget(dialog);
    const DialogLayout layout(dialog->font());
    auto* list = new QListWidget(client);
    layout.Place(list, 6, 24, 222, 72);
    auto* nameLabel = new QLabel(Text(text::kNameLabel), client);
    layout.Place(nameLabel, 6, 105, 17, 8);
    auto* nameEdit = NewEdit(client);
    layout.Place(nameEdit, 30, 103, 72, 12);
    auto* attributeLabel = new QLabel(Text(text::kAttributeLabel), client);
    layout.Place(attributeLabel, 114, 105, 17, 8);
    auto* attributeEdit = NewEdit(client);
    layout.Place(attributeEdit, 132, 103, 48, 12);
    auto* write = new QPushButton(Text(text::kWriteButton), client);
    write->setAutoDefault(false);
    layout.Place(write, 192, 103, 36, 12);
    auto* directions = new QButtonGroup(dialog);
    for (int k = 0; k < 4; ++k) {
        auto* radio = new QRadioButton(Text(text::kDirections[k]), client);
        radio->setFocusPolicy(Qt::ClickFocus);
        layout.Place(radio, 66 + 30 * k, 6, 24, 8);
        directions->addButton(radio, k);
        controls_[kIdDirectionUp + k] = radio;
    }
    auto* directionLabel = new QLabel(Text(text::kDirectionLabel), client);
    layout.Place(directionLabel, 12, 6, 33, 8);
    layout.FitClient(client, 232, 121);

    auto* frame = new QVBoxLayout(dialog);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(menuBar);
    frame->addWidget(client);
    frame->setSizeConstraint(QLayout::SetFixedSize);

    controls_[kIdObjectList] = list;
    controls_[kIdNameEdit] = nameEdit;
    controls_[kIdAttributeEdit] = attributeEdit;
    controls_[kIdWrite] = write;
    QObject::connect(write, &QPushButton::clicked, dialog, [this] { OnCommand(kIdWrite); });
    QObject::connect(list, &QListWidget::currentRowChanged, dialog,
                     [this](int row) { OnListItemChanged(row); });

    Attach(dialog, this);
    OnInitDialog();
    return dialog;
}

bool MainDialog::WindowProc(QWidget*, QEvent* event) {
    if (IsCancelRequest(event)) {
        OnCommand(kIdCancel);
        return true;
    }
    return false;
}

void MainDialog::OnInitDialog() {
    listView = qobject_cast<QListWidget*>(Control(kIdObjectList));
    if (listView == nullptr) {
        return;
    }
    // Icon view; the objects run in columns from the left, so a strip reads
    // left to right as in the picture.
    listView->setViewMode(QListView::IconMode);
    listView->setFlow(QListView::TopToBottom);
    listView->setWrapping(true);
    listView->setMovement(QListView::Static);
    listView->setResizeMode(QListView::Adjust);
    listView->setSelectionMode(QAbstractItemView::SingleSelection);
    listView->setIconSize(QSize(objectWidth, objectHeight));
    // A static icon view places its items only when they are added; a label
    // that grows later would run into its neighbours, and clicks would land
    // on the item that used to be there.
    QListWidget* list = listView;
    QObject::connect(list->model(), &QAbstractItemModel::dataChanged, list,
                     [list](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                         if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) list->doItemsLayout();
                     });
}

void MainDialog::OnCommand(int id) {
    switch (id) {
    case kIdCancel:
        imageList.reset();
        if (hwnd != nullptr) {
            hwnd->hide();
            hwnd->deleteLater();
        }
        break;
    case kIdWrite: {
        QListWidgetItem* item = listView != nullptr ? listView->item(selectedItem) : nullptr;
        if (selectedItem == -1 || item == nullptr) {
            break;
        }
        const auto* nameEdit = qobject_cast<QLineEdit*>(Control(kIdNameEdit));
        const auto* attributeEdit = qobject_cast<QLineEdit*>(Control(kIdAttributeEdit));
        item->setText(nameEdit->text().left(kMaxEditText));
        item->setData(Qt::UserRole, attributeEdit->text().left(kMaxEditText));
        break;
    }
    case kIdNew:
        ResetView();
        objPath.clear();
        imagePath.clear();
        break;
    case kIdOpen:
        objPath = AskFileName(FileDialogKind::Open, Text(text::kObjSuffix), Text(text::kObjFilter));
        if (!objPath.isEmpty()) {
            ResetView();
            ReadObjData(objPath);
        }
        break;
    case kIdSave:
        SaveCommand(objPath.isEmpty());
        break;
    case kIdSaveAs:
        SaveCommand(true);
        break;
    case kIdStageEditor: {
        // A window of its own, alive until it is closed.
        auto* stageWindow = new StageWindow();
        stageWindow->setAttribute(Qt::WA_DeleteOnClose, true);
        stageWindow->show();
        break;
    }
    case kIdLoadPicture:
        LoadPictureCommand();
        break;
    default:
        break;
    }
}

void MainDialog::SaveCommand(bool askForName) {
    if (imagePath.isEmpty()) {
        return;
    }
    if (!askForName) {
        const auto answer = Message(hwnd, text::kConfirmOverwrite, text::kConfirmCaption,
                                    QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            WriteObjData();
        }
        return;
    }
    objPath = AskFileName(FileDialogKind::Save, Text(text::kObjSuffix), Text(text::kObjFilter));
    if (!objPath.isEmpty()) {
        WriteObjData();
    }
}

void MainDialog::LoadPictureCommand() {
    imagePath = AskFileName(FileDialogKind::Open, Text(text::kPictureSuffix), Text(text::kPictureFilter));
    if (imagePath.isEmpty()) {
        return;
    }
    if (sizeDialog.DoModal(hwnd) != kIdOk) {
        imagePath.clear();
        return;
    }
    objectWidth = static_cast<std::uint16_t>(sizeDialog.width);
    objectHeight = static_cast<std::uint16_t>(sizeDialog.height);
    switch (CutPictureIntoObjects()) {
    case PictureResult::Ok:
        break;
    case PictureResult::SizeMismatch:
        Message(hwnd, text::kSizeMismatch, text::kErrorCaption);
        break;
    case PictureResult::Unreadable:
        Message(hwnd, text::kPictureUnreadable, text::kErrorCaption);
        break;
    }
}

void MainDialog::OnListItemChanged(int item) {
    if (item < 0 || listView == nullptr || item >= listView->count()) {
        return;
    }
    selectedItem = item;
    const QListWidgetItem* entry = listView->item(item);
    qobject_cast<QLineEdit*>(Control(kIdNameEdit))->setText(entry->text().left(kMaxEditText));
    qobject_cast<QLineEdit*>(Control(kIdAttributeEdit))
        ->setText(entry->data(Qt::UserRole).toString().left(kMaxEditText));
}

QWidget* MainDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.data();
}

QAction* MainDialog::MenuCommand(int id) const {
    const auto found = commands_.find(id);
    return found == commands_.end() ? nullptr : found->second.data();
}

void MainDialog::CheckDirection(int index) {
    for (int k = 0; k < 4; ++k) {
        if (auto* radio = qobject_cast<QRadioButton*>(Control(kIdDirectionUp + k))) {
            radio->setChecked(k == index);
        }
    }
}

int MainDialog::CheckedDirection() const {
    for (int k = 0; k < 4; ++k) {
        const auto* radio = qobject_cast<QRadioButton*>(Control(kIdDirectionUp + k));
        if (radio != nullptr && radio->isChecked()) {
            return k;
        }
    }
    return -1;
}

QMessageBox::StandardButton MainDialog::Message(QWidget* owner, const char* text, const char* caption,
                                                QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons) {
    return prompts_->ShowMessage(owner, Text(text), Text(caption), icon, buttons);
}
