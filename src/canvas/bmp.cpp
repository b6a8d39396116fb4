#include "bmp.h"

#include <QtEndian>

namespace canvas {
namespace {

void put16(char*& out, quint16 value) {
    qToLittleEndian(value, out);
    out += 2;
}
void put32(char*& out, quint32 value) {
    qToLittleEndian(value, out);
    out += 4;
}

} // namespace

QByteArray encodeBmp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const quint32 rowBytes = (quint32(width) * 3u + 3u) & ~3u;
    const quint32 headerBytes = 14 + 40;
    const quint32 pixelBytes = rowBytes * quint32(height);
    constexpr quint32 kPixelsPerMetre = 3780; // 96 dots per inch

    QByteArray file(qsizetype(headerBytes + pixelBytes), '\0');
    char* out = file.data();
    *out++ = 'B';
    *out++ = 'M';
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);
    put32(out, headerBytes);
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        char* pixel = out;
        for (int x = 0; x < width; ++x) {
            *pixel++ = char(qBlue(row[x]));
            *pixel++ = char(qGreen(row[x]));
            *pixel++ = char(qRed(row[x]));
        }
        out += rowBytes;
    }
    return file;
}

} // namespace canvas
