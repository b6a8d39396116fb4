#include "canvas/fonts.h"
#include "main_window.h"
#include "workflow/translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Where the settings and the design kept at close live.
    QApplication::setOrganizationName(QStringLiteral("chengchuan-soft"));
    QApplication::setApplicationName(QStringLiteral("pattern-workshop"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    workflow::installTranslations(application, workflow::windowLocale());
    canvas::installFontSubstitutes();
    app::MainWindow window;
    window.show();
    return application.exec();
}
