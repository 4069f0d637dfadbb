// SPDX-License-Identifier: GPL-3.0-or-later
// The thin base that binds a toolkit window to the object that handles it.
#pragma once

#include <QPointer>
#include <QWidget>

class QEvent;

// Base of every window object. Attaching a window routes each of its events
// through StaticWndProc to the owning object's WindowProc before the window's
// own handling runs.
class CWndBase {
public:
    // Handles one event of the attached window. Returns true when the event was
    // taken and the window's own handling must not run; the base takes none.
    virtual bool WindowProc(QWidget* window, QEvent* event);

    // The hook every attached window's events pass through: finds the owning
    // object from the window's "CPP_CLASS" property and calls its WindowProc.
    static bool StaticWndProc(QObject* window, QEvent* event);

    // Binds window to object. Returns 0 for a null window, 1 otherwise.
    static int Attach(QWidget* window, CWndBase* object);

    // True for the close box and for Escape: both mean "cancel" to a dialog.
    static bool IsCancelRequest(const QEvent* event);

    QPointer<QWidget> hwnd;  // the attached window; null before attaching and once it is destroyed
    bool isDialog = false;   // the attached window is a dialog

protected:
    CWndBase() = default;
    ~CWndBase() = default;  // owned and deleted as the derived type only
    CWndBase(const CWndBase&) = delete;
    CWndBase& operator=(const CWndBase&) = delete;
};
