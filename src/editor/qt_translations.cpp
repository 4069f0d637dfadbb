// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

std::unique_ptr<QTranslator> InstallQtTranslations(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>();
    // Japanese whatever the user's locale: the editor's own texts are Japanese only.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !application.installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}
