#include "window_fonts.h"

#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>
#include <QFontInfo>
#include <QResource>
#include <fontconfig/fontconfig.h>

namespace app {

std::jthread startLoadingFontConfiguration() {
    return std::jthread([] { FcInit(); });
}

void installWindowFonts() {
    for (QDirIterator subsets(QStringLiteral(":/window-fonts"), QDir::Files); subsets.hasNext();) {
        // Stored uncompressed, the data is the program's own: FreeType reads the glyphs it needs
        // from there, with no copy of the files in memory.
        QFontDatabase::addApplicationFontFromData(QResource(subsets.next()).uncompressedData());
    }
    QFont font = QApplication::font();
    // The platform's face keeps the Latin letters (its real name: the platform's font may name
    // an alias the families' list would skip); "黑体" stands for the installed Simplified
    // Chinese sans face (canvas::installFontSubstitutes), rather than the Japanese one the
    // platform falls back to.
    font.setFamilies({QFontInfo(font).family(), kWindowSans, QStringLiteral("黑体")});
    QApplication::setFont(font);
}

} // namespace app
