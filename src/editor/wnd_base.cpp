// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/wnd_base.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QVariant>

namespace {

constexpr const char* kOwnerProperty = "CPP_CLASS";

// Installed once on each attached window; forwards to CWndBase::StaticWndProc.
// A child of the window, so it goes away with it.
class WindowHook final : public QObject {
public:
    explicit WindowHook(QObject* window) : QObject(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return CWndBase::StaticWndProc(watched, event);
    }
};

}  // namespace

bool CWndBase::WindowProc(QWidget*, QEvent*) {
    return false;
}

bool CWndBase::StaticWndProc(QObject* window, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(window);
    auto* object = static_cast<CWndBase*>(window->property(kOwnerProperty).value<void*>());
    if (widget == nullptr || object == nullptr) {
        return false;
    }
    return object->WindowProc(widget, event);
}

int CWndBase::Attach(QWidget* window, CWndBase* object) {
    if (window == nullptr) {
        return 0;
    }
    object->hwnd = window;
    object->isDialog = qobject_cast<QDialog*>(window) != nullptr;
    // A window that already has an owner already has its hook.
    const bool hooked = window->property(kOwnerProperty).isValid();
    window->setProperty(kOwnerProperty, QVariant::fromValue(static_cast<void*>(object)));
    if (!hooked) {
        window->installEventFilter(new WindowHook(window));
    }
    return 1;
}

bool CWndBase::IsCancelRequest(const QEvent* event) {
    if (event->type() == QEvent::Close) {
        return true;
    }
    return event->type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Cancel);
}
