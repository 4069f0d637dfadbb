// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_language.h"

#include "editor/qt_translations.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string_view>

EditorLanguage EditorLanguageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    std::string_view name;
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value) {
            name = value;
            break;
        }
    }
    if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return EditorLanguage::AsWritten;
    if (name.rfind("ja", 0) == 0) return EditorLanguage::Japanese;
    return EditorLanguage::English;
}

EditorLanguage EditorLanguageOfEnvironment() {
    return EditorLanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

EditorTranslations InstallEditorTranslations(QCoreApplication& application, EditorLanguage language) {
    EditorTranslations installed;
    if (language != EditorLanguage::English) installed.toolkit = InstallQtTranslations(application);
    const QString catalogue = language == EditorLanguage::Japanese ? QStringLiteral(":/i18n/quillon_ja.qm")
                              : language == EditorLanguage::English ? QStringLiteral(":/i18n/quillon_en.qm")
                                                                     : QString();
    if (catalogue.isEmpty()) return installed;
    auto own = std::make_unique<QTranslator>();
    if (own->load(catalogue) && application.installTranslator(own.get())) installed.own = std::move(own);
    return installed;
}

QString EditorText(const char* utf8) { return QCoreApplication::translate("Quillon", utf8); }
