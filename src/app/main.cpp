#include "canvas/fonts.h"
#include "canvas/raster.h"
#include "design_files.h"
#include "files/atomic_file.h"
#include "files/translations.h"
#include "first_paint.h"
#include "main_window.h"
#include "window_fonts.h"

#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QStandardPaths>

namespace {

// Makes the shown window's backing store, the picture its first paint fills whole, with its pages
// mapped in one call rather than a fault each.
void prepareFirstPaint(QWidget& window) {
    QBackingStore* store = window.backingStore();
    if (store == nullptr) {
        return;
    }
    store->resize(window.size());
    if (const auto* image = dynamic_cast<QImage*>(store->paintDevice());
        image != nullptr && !image->isNull()) {
        canvas::mapPagesNow(image->constBits(), std::size_t(image->sizeInBytes()));
    }
}

} // namespace

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
    app::reportFirstPaintOnRequest(window);
    app::afterFirstPaint(window, lookForPlugins);
    window.show();
    prepareFirstPaint(window);
    // A design document given by the file manager opens as 打开设计 would open it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        lookForPlugins();
        window.designFiles().openDesignFile(arguments.at(1));
    }
    return application.exec();
}
