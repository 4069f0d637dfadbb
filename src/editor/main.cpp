// SPDX-License-Identifier: GPL-3.0-or-later
// Quillon: the editor tool for the objects of the game's picture strips, and
// its stage editor.
//   quillon                  the object editor
//   quillon --stage [FILE]   the stage editor, with FILE open (a stage source or stage file)
#include "editor/editor_language.h"
#include "editor/main_dialog.h"
#include "editor/stage_window.h"

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The desktop entry and the icon installed with it (Wayland's app id; on
    // X11 the window class is the program's name, as the entry says).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrim.Quillon"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.veltrim.Quillon")));
    const EditorTranslations texts = InstallEditorTranslations(application, EditorLanguageOfEnvironment());
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == QStringLiteral("--stage")) {
        if (arguments.size() > 2) {
            std::fprintf(stderr, "usage: quillon [--stage [FILE]]\n");
            return 2;
        }
        StageWindow window;
        if (arguments.size() == 2) window.OpenFile(arguments.at(1));
        window.show();
        return application.exec();
    }
    if (!arguments.isEmpty()) {
        std::fprintf(stderr, "usage: quillon [--stage [FILE]]\n");
        return 2;
    }
    MainDialog mainDialog;
    QDialog* window = mainDialog.Create();
    // Command 2 destroys the main dialog, and that ends the program.
    QObject::connect(window, &QObject::destroyed, &application, &QCoreApplication::quit);
    window->show();
    application.exec();
    return 0;
}
