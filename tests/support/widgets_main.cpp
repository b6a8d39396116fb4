#include "files/translations.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The window speaks Chinese whatever the locale, Qt's own dialogs included.
    files::installTranslations(app, files::windowLocale());
    return RUN_ALL_TESTS();
}
