#include "canvas/fonts.h"
#include "canvas/raster.h"
#include "design_files.h"
#include "files/atomic_file.h"
#include "files/translations.h"
#include "first_paint.h"
#include "main_window.h"
#include "window_fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QStandardPaths>

namespace {

// Makes the window's native window and its backing store at the size showing it gives. For a large
// window the window system takes a while to make its own picture of that size; made before the
// window is shown, that overlaps the showing instead of holding back the first paint. As show()
// does, the size is the window's size hint and is not taken as set by the user.
void makeBackingStore(QWidget& window) {
    window.ensurePolished();
    window.adjustSize();
    window.setAttribute(Qt::WA_Resized, false);
    window.winId();
    if (QBackingStore* store = window.backingStore()) {
        store->resize(window.size());
    }
}

// Maps the pages of the backing store, the picture the first paint fills whole, in one call rather
// than a fault each.
void mapBackingStorePages(QWidget& window) {
    QBackingStore* store = window.backingStore();
    if (store == nullptr) {
        return;
    }
    if (const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
        image != nullptr && !image->isNull()) {
        canvas::mapPagesNow(image->constBits(), std::size_t(image->sizeInBytes()));
    }
}

// Asking whether accessibility is on starts the platform's accessibility bridge, which connects to
// the session bus; with no bus running, that connection first tries to start one in a child
// process. The first control given a text would ask; asked here, before the window is made, the
// child is forked from a small process, and fewer of the window's pages are left write-protected
// behind it.
void startAccessibilityBridge() {
    QAccessible::isActive();
}

} // namespace

int main(int argc, char** argv) {
    std::jthread fontConfiguration = app::startLoadingFontConfiguration();
    QApplication application(argc, argv);
    startAccessibilityBridge();
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
    app::reportFirstPaintOnRequest(window);
    app::afterFirstPaint(window, lookForPlugins);
    makeBackingStore(window);
    window.show();
    mapBackingStorePages(window);
    // A design document given by the file manager opens as 打开设计 would open it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        lookForPlugins();
        window.designFiles().openDesignFile(arguments.at(1));
    }
    return application.exec();
}
