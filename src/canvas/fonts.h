#pragma once

#include <QFont>

namespace canvas {

// The Chinese faces the layout names ("黑体", "宋体") map to installed CJK faces, so captions and
// surface text show real glyphs on a machine without them. Call once before fonts are used.
void installFontSubstitutes();

// The same font, rasterised without antialiasing so that text pixels have exactly the text colour.
QFont aliasedFont(QFont font);

} // namespace canvas
