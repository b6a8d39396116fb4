#include "fonts.h"

#include <QStringList>

namespace canvas {

void installFontSubstitutes() {
    const QStringList sans{"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Zen Hei"};
    const QStringList serif{"Noto Serif CJK SC", "Noto Serif SC", "Noto Sans CJK SC"};
    QFont::insertSubstitutions(QStringLiteral("黑体"), sans);
    QFont::insertSubstitutions(QStringLiteral("SimHei"), sans);
    QFont::insertSubstitutions(QStringLiteral("宋体"), serif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), serif);
}

QFont aliasedFont(QFont font) {
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace canvas
