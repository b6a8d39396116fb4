#include "png_reading.h"

#include <algorithm>
#include <memory>
#include <png.h>

namespace design {
namespace {

// The simplified libpng reader, which keeps its error messages in the image, not on stderr.
class PngReading {
  public:
    explicit PngReading(const QByteArray& png) {
        image_.version = PNG_IMAGE_VERSION;
        begun_ = png_image_begin_read_from_memory(&image_, png.constData(),
                                                  std::size_t(png.size())) != 0;
    }
    ~PngReading() { png_image_free(&image_); }
    PngReading(const PngReading&) = delete;
    PngReading& operator=(const PngReading&) = delete;

    QSize size() const { return begun_ ? QSize(int(image_.width), int(image_.height)) : QSize(); }

    QImage read() {
        if (!begun_) {
            return {};
        }
        // ARGB32 holds B, G, R, A in memory on a little-endian machine, A, R, G, B otherwise.
        image_.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
        QImage picture(size(), QImage::Format_ARGB32);
        if (picture.isNull() ||
            png_image_finish_read(&image_, nullptr, picture.bits(),
                                  png_int_32(picture.bytesPerLine()), nullptr) == 0) {
            return {};
        }
        return picture;
    }

    QImage readLines(QRgb background) {
        if (!begun_) {
            return {};
        }
        image_.format = PNG_FORMAT_GRAY;
        // Every byte is written by the decoder: no need to clear them first.
        const std::unique_ptr<png_byte[]> grey(new png_byte[PNG_IMAGE_SIZE(image_)]);
        QImage lines(size(), QImage::Format_Mono);
        if (lines.isNull() ||
            png_image_finish_read(&image_, nullptr, grey.get(), 0, nullptr) == 0) {
            return {};
        }
        lines.setColorTable({background | 0xFF000000u, qRgb(0, 0, 0)});
        const int width = lines.width();
        for (int y = 0; y < lines.height(); ++y) {
            const png_byte* from = grey.get() + std::size_t(y) * std::size_t(width);
            uchar* to = lines.scanLine(y);
            std::fill(to, to + lines.bytesPerLine(), uchar(0));
            for (int x = 0; x < width; ++x) {
                to[x >> 3] |= uchar((from[x] < 128 ? 0x80u : 0u) >> (x & 7));
            }
        }
        return lines;
    }

  private:
    png_image image_{};
    bool begun_ = false;
};

} // namespace

QSize pngSize(const QByteArray& png) {
    return PngReading(png).size();
}

QImage decodePng(const QByteArray& png) {
    return PngReading(png).read();
}

QImage decodePngLines(const QByteArray& png, QRgb background) {
    return PngReading(png).readLines(background);
}

} // namespace design
