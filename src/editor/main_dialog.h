// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's main dialog (dialog 101 with menu 102): owns all editor state,
// shows the objects cut from one picture strip and reads and writes them as
// an ObjData file.
#pragma once

#include "editor/image_list.h"
#include "editor/prompts.h"
#include "editor/size_dialog.h"
#include "editor/wnd_base.h"
#include "resources/blowfish.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QListWidget;

class MainDialog : public CWndBase {
public:
    // Keys the cipher; the questions to the user go to prompts (the real
    // dialogs unless a test answers them).
    explicit MainDialog(std::unique_ptr<EditorPrompts> prompts = std::make_unique<QtPrompts>());
    virtual ~MainDialog();

    // Builds dialog 101 with its menu, attaches it and initialises it. The
    // window is not shown yet; it belongs to this object until command 2
    // destroys it.
    QDialog* Create();

    bool WindowProc(QWidget* window, QEvent* event) override;

    // Sets up the object list.
    void OnInitDialog();
    // Runs the menu command or button with this id; unknown ids do nothing.
    void OnCommand(int id);
    // The list control's selection moved to item (-1: none).
    void OnListItemChanged(int item);

    // Drops the picture, the list items and the image list.
    void ResetView();
    // Loads the picture at imagePath and cuts it into objects named "name"
    // with attribute "0". False when it cannot (the picture and its path are
    // then dropped).
    bool BuildObjectList();
    // Reads, decrypts and decodes the .bfg picture at path into bitmap. False
    // when the file cannot be opened, breaks the .bfg layout or does not decode.
    bool LoadBfgBitmap(const QString& path);
    // Asks for a file name; an empty string when the user cancelled.
    QString AskFileName(FileDialogKind kind, const QString& defaultExtension, const QString& filter);
    // Fills the dialog from the ObjData file at path and loads its picture.
    // False when the file cannot be opened or its direction byte is above 3.
    bool ReadObjData(const QString& path);
    // Writes the dialog's state to objPath. False when nothing was written.
    bool WriteObjData();

    // The control with this id (1001-1009), or null once the window is gone.
    QWidget* Control(int id) const;
    // The menu command with this id (40006-40011), or null.
    QAction* MenuCommand(int id) const;

    SizeDialog sizeDialog;
    BlowfishState cipher;                 // keyed with the .bfg key
    QPointer<QListWidget> listView;       // control 1001
    std::optional<ImageList> imageList;   // the object images, if a list is set up
    QString objPath;                      // the current ObjData file
    QString imagePath;                    // the current .bfg picture
    QImage bitmap;                        // the decoded picture; null if none
    std::uint16_t objectWidth = 32;
    std::uint16_t objectHeight = 64;
    std::uint8_t direction = 0;           // 0 up, 1 right, 2 down, 3 left
    int selectedItem = -1;                // item shown in the edit boxes; -1 none

private:
    enum class PictureResult { Ok, SizeMismatch, Unreadable };

    PictureResult CutPictureIntoObjects();
    void LoadPictureCommand();
    void SaveCommand(bool askForName);
    void SetUpImageList();
    void AppendObject(const QString& name, const QString& attribute);
    void CheckDirection(int index);
    int CheckedDirection() const;
    QMessageBox::StandardButton Message(QWidget* owner, const char* text, const char* caption,
                                        QMessageBox::Icon icon = QMessageBox::NoIcon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    std::unique_ptr<EditorPrompts> prompts_;
    std::map<int, QPointer<QWidget>> controls_;
    std::map<int, QPointer<QAction>> commands_;
};
