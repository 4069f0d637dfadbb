// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's own texts (standard buttons, file dialogs) in Japanese, like
// every other text of the editor.
#pragma once

#include <QTranslator>

#include <memory>

class QCoreApplication;

// Loads Qt's Japanese catalogue from the toolkit's translations folder and
// installs it in application; it stays installed while the returned object
// lives. Null when the catalogue is not installed: the toolkit's texts then
// stay English.
std::unique_ptr<QTranslator> InstallQtTranslations(QCoreApplication& application);
