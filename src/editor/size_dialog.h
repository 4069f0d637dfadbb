// SPDX-License-Identifier: GPL-3.0-or-later
// The modal object-size dialog (dialog 103): asks for the width and height of
// one object of the picture strip.
#pragma once

#include "editor/wnd_base.h"

#include <map>

class QDialog;
class QLineEdit;

class SizeDialog : public CWndBase {
public:
    SizeDialog() = default;
    virtual ~SizeDialog();

    // Shows the dialog modally over owner, its edit boxes empty. Returns 1
    // when it ended with OK (width and height then hold the typed numbers),
    // 2 when it was cancelled.
    int DoModal(QWidget* owner);

    bool WindowProc(QWidget* window, QEvent* event) override;

    // The control with this id while the dialog is shown, else null.
    QWidget* Control(int id) const;

    int width = 0;   // typed width, read as a C runtime decimal integer
    int height = 0;  // typed height, likewise

private:
    QDialog* BuildWindow(QWidget* owner);
    void OnCommand(int id);

    std::map<int, QWidget*> controls_;
};
