#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace design {

// PNG data decoded by libpng, whose complaints about bad data come back here instead of going to
// stderr as a Qt decoder lets them.

// The picture's size from its header; invalid when the data does not start as a PNG.
QSize pngSize(const QByteArray& png);
// The picture (ARGB32); null when the data is not a whole PNG.
QImage decodePng(const QByteArray& png);
// The picture as line art, 1 bit a pixel (Format_Mono, 1 where it is darker than mid-grey) with
// the colour table {background, black}; null when the data is not a whole PNG.
QImage decodePngLines(const QByteArray& png, QRgb background);

} // namespace design
