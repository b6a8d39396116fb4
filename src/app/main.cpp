#include "canvas/fonts.h"
#include "design_files.h"
#include "files/atomic_file.h"
#include "files/translations.h"
#include "first_paint.h"
#include "main_window.h"
#include "window_fonts.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Where the settings and the design kept at close live.
    QApplication::setOrganizationName(QStringLiteral("chengchuan-soft"));
    QApplication::setApplicationName(QStringLiteral("pattern-workshop"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Saves that a killed window never finished (the kept design is saved there at close).
    files::removeStaleTemporaries(
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        QDateTime::currentDateTime());
    files::installTranslations(application, files::windowLocale());
    canvas::installFontSubstitutes();
    app::installWindowFonts();
    app::MainWindow window;
    app::reportFirstPaintOnRequest(window);
    window.show();
    app::prepareFirstPaint(window);
    // A design document given by the file manager opens as 打开设计 would open it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        window.designFiles().openDesignFile(arguments.at(1));
    }
    return application.exec();
}
