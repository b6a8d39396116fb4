#include "canvas/fonts.h"
#include "design_files.h"
#include "files/atomic_file.h"
#include "files/translations.h"
#include "first_paint.h"
#include "main_window.h"
#include "start_up.h"
#include "window_fonts.h"
#include "window_style.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>

int main(int argc, char** argv) {
    std::jthread fontConfiguration = app::startLoadingFontConfiguration();
    QApplication application(argc, argv);
    app::startAccessibilityBridge();
    // Where the settings and the design kept at close live.
    QApplication::setOrganizationName(QStringLiteral("chengchuan-soft"));
    QApplication::setApplicationName(QStringLiteral("pattern-workshop"));
    QApplication::setStyle(new app::WindowStyle);
    // Saves that a killed window never finished (the kept design is saved there at close).
    files::removeStaleTemporaries(
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        QDateTime::currentDateTime());
    files::installTranslations(application, files::windowLocale());
    canvas::installFontSubstitutes();
    fontConfiguration.join();
    app::installWindowFonts();
    // The window is made and first painted without looking for plugins: the menu bar's, tool
    // bar's and dock's own icons are PNGs, which Qt reads itself, but it would load every image
    // format plugin to ask it about them. The plugins are looked for once the window is up, or
    // before a document given to it opens.
    const QStringList pluginPaths = QApplication::libraryPaths();
    QApplication::setLibraryPaths({});
    const auto lookForPlugins = [pluginPaths] {
        if (QApplication::libraryPaths().isEmpty()) {
            QApplication::setLibraryPaths(pluginPaths);
        }
    };
    app::MainWindow window;
    app::afterFirstPaint(window, lookForPlugins);
    // Last, so that it sees the first paint first: the work put off until then comes after it.
    app::reportFirstPaintOnRequest(window);
    app::prepareBackingStore(window);
    window.show();
    // A design document given by the file manager opens as 打开设计 would open it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        lookForPlugins();
        window.designFiles().openDesignFile(arguments.at(1));
    }
    return application.exec();
}
