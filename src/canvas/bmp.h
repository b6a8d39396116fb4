#pragma once

#include <QByteArray>
#include <QImage>

namespace canvas {

// A standard uncompressed 24-bit Windows bitmap of the image: BITMAPINFOHEADER, bottom-up rows
// padded to four bytes, 96 dots per inch.
QByteArray encodeBmp(const QImage& image);

} // namespace canvas
