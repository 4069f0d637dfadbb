// Quillon: the editor tool for the objects of the game's picture strips.
#include "editor/main_dialog.h"
#include "editor/qt_translations.h"

#include <QApplication>
#include <QDialog>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The desktop entry and the icon installed with it (Wayland's app id; on
    // X11 the window class is the program's name, as the entry says).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrim.Quillon"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.veltrim.Quillon")));
    const auto qtTexts = InstallQtTranslations(application);
    MainDialog mainDialog;
    QDialog* window = mainDialog.Create();
    // Command 2 destroys the main dialog, and that ends the program.
    QObject::connect(window, &QObject::destroyed, &application, &QCoreApplication::quit);
    window->show();
    application.exec();
    return 0;
}
