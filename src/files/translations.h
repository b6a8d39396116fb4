#pragma once

#include <QLocale>

class QCoreApplication;

namespace files {

// Installs Qt's own texts (qtbase: dialogs, buttons, context menus) and this program's messages in
// the locale's language, where translations for it exist; English stays otherwise.
void installTranslations(QCoreApplication& application, const QLocale& locale);

// The locale the window always speaks.
inline QLocale windowLocale() {
    return QLocale(QLocale::Chinese, QLocale::China);
}

} // namespace files
