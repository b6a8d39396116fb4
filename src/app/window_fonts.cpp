#include "window_fonts.h"

#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>
#include <QFontInfo>

namespace app {

void installWindowFonts() {
    for (QDirIterator subsets(QStringLiteral(":/window-fonts"), QDir::Files); subsets.hasNext();) {
        QFontDatabase::addApplicationFont(subsets.next());
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
