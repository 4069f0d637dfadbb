// SPDX-License-Identifier: GPL-3.0-or-later
// Quillon in its author's language. The original texts of the tool (its
// dialogs, menu and messages) are Japanese and stand as they are under a
// Japanese locale and under C/POSIX; under any other locale they are shown
// in English. The stage editor's own texts are English, shown in Japanese
// under a Japanese locale. Both directions are Qt translations compiled from
// the .ts sources in translations/.
#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

class QCoreApplication;

enum class EditorLanguage { Japanese, AsWritten, English };

// The language for the locale the environment names for messages: the first
// set of LC_ALL, LC_MESSAGES and LANG; none set means the C locale.
EditorLanguage EditorLanguageOf(const char* lcAll, const char* lcMessages, const char* lang);
// The same from the process's environment.
EditorLanguage EditorLanguageOfEnvironment();

// The translators in use; they stay installed while this lives.
struct EditorTranslations {
    std::unique_ptr<QTranslator> toolkit;  // Qt's own texts in Japanese
    std::unique_ptr<QTranslator> own;      // Quillon's texts
};
EditorTranslations InstallEditorTranslations(QCoreApplication& application, EditorLanguage language);

// One of the tool's original texts (UTF-8, as the resource table holds it),
// translated.
QString EditorText(const char* utf8);
