#include "page_encoders.h"

#include <QThreadPool>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <functional>
#include <latch>
#include <libdeflate.h>
#include <map>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>
#include <unordered_map>
#include <zlib.h>

namespace print {
namespace {

constexpr double kMetresPerInch = 0.0254;
// What a bitmap has always said when nobody asked for a resolution: 96 dots per inch.
constexpr quint32 kScreenPixelsPerMetre = 3780;
// Writes are collected into blocks of this many bytes.
constexpr qsizetype kBufferBytes = qsizetype(1) << 20;
// Repeats compress well at a fast level; level 2 is both faster and smaller than level 1 on them
// (its longer matches find the previous tile). Row filters would cost more time than they save
// bytes on flat-coloured designs, so only RGB rows take the cheapest one, Sub.
constexpr int kDeflateLevel = 2;

quint32 pixelsPerMetre(double dotsPerInch) {
    return quint32(std::lround(dotsPerInch / kMetresPerInch));
}

// Bands large enough for few calls, small enough to stay in cache; whole periods of a page that
// repeats every few bands.
int rowsPerBand(const PageFormat& page, qsizetype rowBytes) {
    const qsizetype rows =
        std::max<qsizetype>(page.bandBytes / std::max<qsizetype>(rowBytes, 1), 1);
    const qsizetype period = page.periodRows;
    const qsizetype band =
        period > 0 && period <= 4 * rows ? period * std::max<qsizetype>(rows / period, 1) : rows;
    return int(std::clamp<qsizetype>(band, 1, std::max(page.size.height(), 1)));
}

// Collects small writes into large ones.
class BufferedFile {
  public:
    explicit BufferedFile(files::AtomicFile& file) : file_(file) { buffer_.reserve(kBufferBytes); }
    bool write(const void* data, std::size_t size) {
        if (buffer_.size() + size > buffer_.capacity()) {
            if (!flush()) {
                return false;
            }
            if (size >= buffer_.capacity()) {
                return file_.write(data, size);
            }
        }
        const auto* bytes = static_cast<const uchar*>(data);
        buffer_.insert(buffer_.end(), bytes, bytes + size);
        return true;
    }
    bool flush() {
        const bool written = buffer_.empty() || file_.write(buffer_.data(), buffer_.size());
        buffer_.clear();
        return written;
    }

  private:
    files::AtomicFile& file_;
    std::vector<uchar> buffer_;
};

// 24-bit uncompressed, bottom row first, each row padded to four bytes.
class BmpEncoder final : public PageEncoder {
  public:
    BmpEncoder(files::AtomicFile& file, const PageFormat& page)
        : file_(file), page_(page), stride_((qsizetype(page.size.width()) * 3 + 3) & ~3) {}

    static quint64 fileBytes(QSize size) {
        return kHeaderBytes +
               quint64((qsizetype(size.width()) * 3 + 3) & ~3) * quint64(size.height());
    }

    bool begin() override {
        const quint32 pixelBytes = quint32(fileBytes(page_.size) - kHeaderBytes);
        const quint32 resolution =
            page_.dotsPerInch ? pixelsPerMetre(*page_.dotsPerInch) : kScreenPixelsPerMetre;
        uchar header[kHeaderBytes] = {'B', 'M'};
        const quint32 fields[] = {
            kHeaderBytes + pixelBytes,   0, kHeaderBytes, 40, quint32(page_.size.width()),
            quint32(page_.size.height())};
        uchar* out = header + 2;
        for (const quint32 field : fields) {
            qToLittleEndian(field, out);
            out += 4;
        }
        qToLittleEndian(quint16(1), out); // planes
        qToLittleEndian(quint16(24), out + 2);
        out += 4;
        const quint32 rest[] = {0, pixelBytes, resolution, resolution, 0, 0};
        for (const quint32 field : rest) {
            qToLittleEndian(field, out);
            out += 4;
        }
        return file_.write(header, sizeof header);
    }
    bool writeRows(const uchar* rows, int count, RowsHeld) override {
        return file_.write(rows, std::size_t(stride_) * std::size_t(count));
    }
    bool finish() override { return true; }
    int bandRows() const override { return rowsPerBand(page_, stride_); }
    qsizetype rowStride() const override { return stride_; }

  private:
    static constexpr quint32 kHeaderBytes = 14 + 40;
    files::AtomicFile& file_;
    PageFormat page_;
    qsizetype stride_;
};

// Deflates a page's rows a piece of about a band at a time, as many pieces at once as it has
// threads. A PNG's rows go in with their filter byte and its pieces join into one zlib stream: each
// ends with a full flush, and starts primed with the 32 KB before it so that repeats across a seam
// still find their match. A TIFF's pieces are strips, each a whole stream of its own.
class ParallelDeflate {
  public:
    enum class Stream { PngRows, TiffStrips };
    // Takes each deflated piece, in the page's order.
    using Sink = std::function<bool(const uchar* bytes, std::size_t size)>;

    // Pieces are reused only where they are whole periods of the page (periodRows, 0 for none):
    // elsewhere the same rows seldom come back at a piece's start.
    ParallelDeflate(Stream stream, qsizetype rowBytes, int pieceRows, int threads, bool subFilter,
                    int periodRows)
        : stream_(stream), rowBytes_(rowBytes), inputRowBytes_(rowBytes + (png() ? 1 : 0)),
          pieceRows_(pieceRows), threads_(std::max(threads, 1)), subFilter_(subFilter),
          reusePieces_(periodRows > 0 && pieceRows % periodRows == 0),
          input_(std::make_unique_for_overwrite<uchar[]>(
              std::size_t(history()) +
              std::size_t(inputRowBytes_) * std::size_t(pieceRows) * std::size_t(threads_))),
          pieces_(std::size_t(threads_)) {
        // Room for a piece that does not compress at all; only the pages written are ever touched.
        const std::size_t most = std::size_t(inputRowBytes_) * std::size_t(pieceRows_);
        outputBytes_ = png() ? std::size_t(compressBound(uLong(most))) + 16
                             : libdeflate_zlib_compress_bound(nullptr, most);
        for (Piece& piece : pieces_) {
            piece.bytes = std::make_unique_for_overwrite<uchar[]>(outputBytes_);
        }
    }
    ~ParallelDeflate() {
        for (Piece& piece : pieces_) {
            if (piece.stream.state != nullptr) {
                deflateEnd(&piece.stream);
            }
            libdeflate_free_compressor(piece.strips);
        }
    }
    ParallelDeflate(const ParallelDeflate&) = delete;
    ParallelDeflate& operator=(const ParallelDeflate&) = delete;

    int pieceRows() const { return pieceRows_; }
    // Why deflating failed, when it did.
    QString failure() const { return failure_; }

    // Takes `count` rows. Kept rows stay as they are, at that address, until the page is done: a
    // piece of kept rows met again at the same address (and, in a PNG, after the same history)
    // is not deflated again, so a page that repeats deflates each piece of its period once.
    bool add(const uchar* rows, int count, bool kept, const Sink& sink) {
        // Whole strips deflate from where the caller holds them, without a copy.
        while (!png() && rows_ == 0 && count >= pieceRows_) {
            const int strips = std::min(count / pieceRows_, threads_);
            for (int i = 0; i < strips; ++i) {
                sources_[std::size_t(i)] =
                    kept ? rows + qsizetype(i) * pieceRows_ * rowBytes_ : nullptr;
            }
            if (!deflateBand(rows, strips * pieceRows_, false, sink)) {
                return false;
            }
            rows += qsizetype(strips) * pieceRows_ * rowBytes_;
            count -= strips * pieceRows_;
        }
        const int band = pieceRows_ * threads_;
        for (int i = 0; i < count; ++i) {
            // A full band waits for the next row, so that the last piece is never empty.
            if (rows_ == band && !deflateBand(false, sink)) {
                return false;
            }
            const uchar* row = rows + qsizetype(i) * rowBytes_;
            if (rows_ % pieceRows_ == 0) {
                sources_[std::size_t(rows_ / pieceRows_)] =
                    kept && count - i >= pieceRows_ ? row : nullptr;
            }
            addRow(row);
        }
        return true;
    }
    // Deflates the rows left, the last piece ending the stream.
    bool finish(const Sink& sink) { return deflateBand(true, sink); }

  private:
    // What a piece deflated to, kept to be used again.
    struct Deflated {
        std::vector<uchar> bytes;
        uLong adler = 0;
    };
    // Where a piece's kept rows are held and, for a PNG, where the kept rows before it ended.
    using PieceKey = std::pair<std::uintptr_t, std::uintptr_t>;
    // Pieces deflated once are looked up by their key; a band's worth of pieces of a period
    // suffices, and the bytes kept are bounded whatever the pieces deflate to.
    static constexpr qsizetype kMostDeflatedBytes = qsizetype(16) << 20;

    // A thread's piece with its compressor, made once on the caller's thread: the threads never
    // allocate.
    struct Piece {
        z_stream stream{};
        libdeflate_compressor* strips = nullptr;
        std::unique_ptr<uchar[]> bytes;
        std::size_t size = 0;
        uLong adler = 0;
        bool ok = false;
        const Deflated* reused = nullptr;
    };

    bool png() const { return stream_ == Stream::PngRows; }
    // Bytes kept in front of the rows: the end of what went before, for the next band to find.
    qsizetype history() const { return png() ? kWindowBytes : 0; }

    void addRow(const uchar* row) {
        uchar* out = input_.get() + history() + qsizetype(rows_++) * inputRowBytes_;
        if (!png()) {
            std::memcpy(out, row, std::size_t(rowBytes_));
            return;
        }
        *out++ = subFilter_ ? PNG_FILTER_VALUE_SUB : PNG_FILTER_VALUE_NONE;
        if (!subFilter_) {
            std::memcpy(out, row, std::size_t(rowBytes_));
            return;
        }
        // Each byte less the one of the pixel before it: flat colours become runs of zeros.
        std::memcpy(out, row, std::min<std::size_t>(3, std::size_t(rowBytes_)));
        for (qsizetype i = 3; i < rowBytes_; ++i) {
            out[i] = uchar(row[i] - row[i - 3]);
        }
    }

    // Deflates the rows taken, a piece a thread, and hands the pieces on.
    bool deflateBand(bool last, const Sink& sink) {
        if (!deflateBand(input_.get() + history(), rows_, last, sink)) {
            return false;
        }
        keepHistory(qsizetype(rows_) * inputRowBytes_);
        rows_ = 0;
        return true;
    }

    // Deflates `rows` rows from `first` on, a piece a thread, and hands the pieces on. A PNG's
    // rows are those taken, with the history before them.
    bool deflateBand(const uchar* first, int rows, bool last, const Sink& sink) {
        const int count = (rows + pieceRows_ - 1) / pieceRows_;
        const qsizetype bytes = qsizetype(rows) * inputRowBytes_;
        std::vector<std::optional<PieceKey>> keys(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            Piece& piece = pieces_[std::size_t(i)];
            if (!readyToDeflate(piece)) {
                failure_ = QStringLiteral("out of memory");
                return false;
            }
            keys[std::size_t(i)] = reuseKey(i, last && i == count - 1);
            const auto found =
                keys[std::size_t(i)] ? deflated_.find(*keys[std::size_t(i)]) : deflated_.end();
            piece.reused = found == deflated_.end() ? nullptr : &found->second;
        }
        runOnThreads(count, [&](int i) {
            if (pieces_[std::size_t(i)].reused == nullptr) {
                deflatePiece(i, first, bytes, last && i == count - 1);
            }
        });
        for (int i = 0; i < count; ++i) {
            Piece& piece = pieces_[std::size_t(i)];
            if (piece.reused == nullptr && !piece.ok) {
                failure_ = QStringLiteral("deflate failed");
                return false;
            }
            if (piece.reused == nullptr && keys[std::size_t(i)] &&
                deflatedBytes_ + qsizetype(piece.size) <= kMostDeflatedBytes) {
                deflated_.emplace(
                    *keys[std::size_t(i)],
                    Deflated{{piece.bytes.get(), piece.bytes.get() + piece.size}, piece.adler});
                deflatedBytes_ += qsizetype(piece.size);
            }
            if (png()) {
                const uLong input =
                    uLong(std::min(qsizetype(pieceRows_), rows - qsizetype(i) * pieceRows_) *
                          inputRowBytes_);
                adler_ = adler32_combine(adler_, piece.reused ? piece.reused->adler : piece.adler,
                                         z_off_t(input));
                if (last && i == count - 1) {
                    qToBigEndian(quint32(adler_), piece.bytes.get() + piece.size);
                    piece.size += 4;
                }
            }
            const bool reused = piece.reused != nullptr;
            if (!sink(reused ? piece.reused->bytes.data() : piece.bytes.get(),
                      reused ? piece.reused->bytes.size() : piece.size)) {
                return false;
            }
        }
        keptEnd_ =
            count > 0 && rows % pieceRows_ == 0 ? endOf(sources_[std::size_t(count - 1)]) : nullptr;
        started_ = started_ || count > 0;
        return true;
    }

    // The key under which piece `index` of the band may be reused, if it may: a whole piece of
    // kept rows (only those have sources), not the one ending the stream, unlike the same rows
    // met before. A PNG piece is primed with the 32 KB before it, so those must be the same kept
    // rows too.
    std::optional<PieceKey> reuseKey(int index, bool ending) const {
        const uchar* source = sources_[std::size_t(index)];
        if (!reusePieces_ || ending || source == nullptr) {
            return std::nullopt;
        }
        if (!png()) {
            return PieceKey{std::uintptr_t(source), 0};
        }
        const uchar* before = index == 0 ? keptEnd_ : endOf(sources_[std::size_t(index - 1)]);
        if (before == nullptr || qsizetype(pieceRows_) * inputRowBytes_ < kWindowBytes) {
            return std::nullopt;
        }
        return PieceKey{std::uintptr_t(source), std::uintptr_t(before)};
    }

    // Just after a piece's kept rows, or null.
    const uchar* endOf(const uchar* source) const {
        return source ? source + qsizetype(pieceRows_) * rowBytes_ : nullptr;
    }

    void deflatePiece(int index, const uchar* first, qsizetype bandBytes, bool last) {
        Piece& piece = pieces_[std::size_t(index)];
        const qsizetype begin = qsizetype(index) * pieceRows_ * inputRowBytes_;
        const qsizetype size = std::min(qsizetype(pieceRows_) * inputRowBytes_, bandBytes - begin);
        if (!png()) {
            deflateStrip(piece, first + begin, size, outputBytes_);
            return;
        }
        deflateRows(piece, index, first + begin, size, last);
    }

    // Rows of a PNG as part of its one stream: primed with what came before, ending at a byte
    // boundary with a full flush, or ending the stream.
    void deflateRows(Piece& piece, int index, const uchar* in, qsizetype size, bool last) const {
        z_stream& stream = piece.stream;
        deflateReset(&stream);
        uchar* out = piece.bytes.get();
        if (!started_ && index == 0) {
            // The zlib header: deflate with a 32 KB window at a fast level, its check bits.
            *out++ = 0x78;
            *out++ = 0x5E;
        }
        const qsizetype primed = std::min(kWindowBytes, heldHistory(index));
        if (primed > 0) {
            deflateSetDictionary(&stream, in - primed, uInt(primed));
        }
        stream.next_in = const_cast<uchar*>(in); // zlib leaves its input as it was
        stream.avail_in = uInt(size);
        stream.next_out = out;
        stream.avail_out = uInt(piece.bytes.get() + outputBytes_ - out);
        const int ending = last ? Z_FINISH : Z_FULL_FLUSH;
        const int result = deflate(&stream, ending);
        piece.ok =
            result == (last ? Z_STREAM_END : Z_OK) && stream.avail_in == 0 && stream.avail_out > 0;
        piece.size = std::size_t(stream.next_out - piece.bytes.get());
        piece.adler = adler32(1, in, uInt(size));
    }

    // A strip on its own, with libdeflate as libtiff would: faster and smaller than zlib at the
    // same level.
    static void deflateStrip(Piece& piece, const uchar* in, qsizetype size, std::size_t room) {
        piece.size =
            libdeflate_zlib_compress(piece.strips, in, std::size_t(size), piece.bytes.get(), room);
        piece.ok = piece.size > 0;
    }

    bool readyToDeflate(Piece& piece) const {
        if (!png()) {
            piece.strips = piece.strips ? piece.strips : libdeflate_alloc_compressor(kDeflateLevel);
            return piece.strips != nullptr;
        }
        const int strategy = subFilter_ ? Z_FILTERED : Z_DEFAULT_STRATEGY;
        return piece.stream.state != nullptr ||
               deflateInit2(&piece.stream, kDeflateLevel, Z_DEFLATED, -kWindowBits, 8, strategy) ==
                   Z_OK;
    }

    // How many bytes of the stream before piece `index` are in the buffer.
    qsizetype heldHistory(int index) const {
        return heldHistory_ + qsizetype(index) * pieceRows_ * inputRowBytes_;
    }
    // Moves the stream's last 32 KB in front of where the next band's rows go.
    void keepHistory(qsizetype bandBytes) {
        if (!png()) {
            return;
        }
        const qsizetype held = std::min(kWindowBytes, heldHistory_ + bandBytes);
        std::memmove(input_.get() + kWindowBytes - held,
                     input_.get() + kWindowBytes + bandBytes - held, std::size_t(held));
        heldHistory_ = held;
    }

    // Runs work(0) ... work(count - 1): the first on the caller's thread, the others on the pool's
    // threads, which stay from band to band; with no thread free, on the caller's in turn.
    template <typename Work> static void runOnThreads(int count, const Work& work) {
        std::latch finished(std::max(count - 1, 0));
        for (int i = 1; i < count; ++i) {
            const auto piece = [&work, &finished, i] {
                work(i);
                finished.count_down();
            };
            if (!QThreadPool::globalInstance()->tryStart(piece)) {
                piece();
            }
        }
        if (count > 0) {
            work(0);
        }
        finished.wait();
    }

    static constexpr int kWindowBits = 15;
    static constexpr qsizetype kWindowBytes = qsizetype(1) << kWindowBits;
    Stream stream_;
    qsizetype rowBytes_;
    qsizetype inputRowBytes_;
    int pieceRows_;
    int threads_;
    bool subFilter_;
    bool reusePieces_;
    std::unique_ptr<uchar[]> input_;
    std::vector<Piece> pieces_;
    std::size_t outputBytes_ = 0;
    // The kept rows each piece of the band comes from, or null.
    std::vector<const uchar*> sources_ = std::vector<const uchar*>(std::size_t(threads_));
    // Just after the kept rows of the stream's last piece, or null.
    const uchar* keptEnd_ = nullptr;
    std::map<PieceKey, Deflated> deflated_;
    qsizetype deflatedBytes_ = 0;
    int rows_ = 0;
    qsizetype heldHistory_ = 0;
    bool started_ = false;
    QString failure_;
    uLong adler_ = adler32(0, nullptr, 0);
};

// libpng writes the chunks around the image data, which ParallelDeflate makes. libpng reports
// errors by a long jump; every call into it goes through guarded(), whose frame holds no object
// that needs destroying.
class PngEncoder final : public PageEncoder {
  public:
    PngEncoder(files::AtomicFile& file, const PageFormat& page)
        : out_(file), page_(page), deflater_(ParallelDeflate::Stream::PngRows, page.rowBytes(),
                                             rowsPerBand(page, page.rowBytes() + 1), page.threads,
                                             page.layout != PixelLayout::Index8, page.periodRows) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &PngEncoder::onError,
                                       &PngEncoder::onWarning);
        info_ = png_ ? png_create_info_struct(png_) : nullptr;
        if (info_ == nullptr) {
            failure_ = QStringLiteral("out of memory");
        }
    }
    ~PngEncoder() override { png_destroy_write_struct(&png_, &info_); }

    bool begin() override {
        return info_ != nullptr && guarded([](PngEncoder& self) { self.writeHeader(); });
    }
    bool writeRows(const uchar* rows, int count, RowsHeld held) override {
        return deflater_.add(rows, count, held == RowsHeld::UntilFinished, chunkSink());
    }
    bool finish() override {
        return deflater_.finish(chunkSink()) && guarded([](PngEncoder& self) {
                   png_write_chunk(self.png_, reinterpret_cast<png_const_bytep>("IEND"), nullptr,
                                   0);
               }) &&
               out_.flush();
    }
    int bandRows() const override { return deflater_.pieceRows() * std::max(page_.threads, 1); }
    qsizetype rowStride() const override { return page_.rowBytes(); }
    QString failure() const override { return failure_.isEmpty() ? deflater_.failure() : failure_; }

  private:
    bool guarded(void (*step)(PngEncoder&)) {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return false;
        }
        step(*this);
        return true;
    }

    // Each piece of the image data as an IDAT chunk.
    ParallelDeflate::Sink chunkSink() {
        return [this](const uchar* bytes, std::size_t size) {
            chunk_ = bytes;
            chunkSize_ = size;
            return guarded([](PngEncoder& self) {
                png_write_chunk(self.png_, reinterpret_cast<png_const_bytep>("IDAT"), self.chunk_,
                                self.chunkSize_);
            });
        };
    }

    void writeHeader() {
        png_set_write_fn(png_, this, &PngEncoder::onWrite, &PngEncoder::onFlush);
        const bool indexed = page_.layout == PixelLayout::Index8;
        png_set_IHDR(png_, info_, png_uint_32(page_.size.width()), png_uint_32(page_.size.height()),
                     indexed ? indexBits(page_.palette.size()) : 8,
                     indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (indexed) {
            std::vector<png_color> colours;
            for (const QRgb colour : page_.palette) {
                colours.push_back(
                    {png_byte(qRed(colour)), png_byte(qGreen(colour)), png_byte(qBlue(colour))});
            }
            png_set_PLTE(png_, info_, colours.data(), int(colours.size()));
        }
        if (page_.dotsPerInch) {
            const png_uint_32 resolution = pixelsPerMetre(*page_.dotsPerInch);
            png_set_pHYs(png_, info_, resolution, resolution, PNG_RESOLUTION_METER);
        }
        png_write_info(png_, info_);
    }

    static void onWrite(png_structp png, png_bytep data, png_size_t size) {
        auto* self = static_cast<PngEncoder*>(png_get_io_ptr(png));
        if (!self->out_.write(data, size)) {
            png_longjmp(png, 1); // the file knows why
        }
    }
    static void onFlush(png_structp) {}
    static void onError(png_structp png, png_const_charp message) {
        auto* self = static_cast<PngEncoder*>(png_get_error_ptr(png));
        self->failure_ = QString::fromUtf8(message);
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}

    BufferedFile out_;
    PageFormat page_;
    ParallelDeflate deflater_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    const uchar* chunk_ = nullptr;
    std::size_t chunkSize_ = 0;
    QString failure_;
};

// Strips of about a band, each compressed on its own with deflate at a fast level (or, for a
// screen, CCITT Group 4 if asked); BigTIFF when the file might pass 4 GB.
class TiffEncoder final : public PageEncoder {
  public:
    TiffEncoder(files::AtomicFile& file, const PageFormat& page)
        : file_(file), page_(page), stripRows_(rowsPerBand(page, rowStride())),
          deflater_(ParallelDeflate::Stream::TiffStrips, rowStride(), stripRows_,
                    groupFour() ? 1 : page.threads, false, page.periodRows) {}
    ~TiffEncoder() override {
        if (tiff_ != nullptr) {
            TIFFClose(tiff_);
        }
    }

    bool begin() override {
        const quint64 pixelBytes = quint64(rowStride()) * quint64(page_.size.height());
        const quint64 strips = quint64(page_.size.height() + stripRows_ - 1) / quint64(stripRows_);
        // Deflate grows incompressible data by well under one part in a thousand.
        const bool big =
            pixelBytes + pixelBytes / 1000 + strips * 16 + (1u << 20) > quint64(UINT32_MAX);
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        TIFFOpenOptionsSetErrorHandlerExtR(options, &TiffEncoder::onMessage, this);
        TIFFOpenOptionsSetWarningHandlerExtR(options, &TiffEncoder::onWarning, this);
        tiff_ =
            TIFFClientOpenExt("page", big ? "w8" : "w", this, &TiffEncoder::onRead,
                              &TiffEncoder::onWrite, &TiffEncoder::onSeek, &TiffEncoder::onClose,
                              &TiffEncoder::onSize, nullptr, nullptr, options);
        TIFFOpenOptionsFree(options);
        if (tiff_ == nullptr) {
            return false;
        }
        const bool indexed = page_.layout == PixelLayout::Index8;
        const bool screen = page_.layout == PixelLayout::Bit1;
        TIFFSetField(tiff_, TIFFTAG_IMAGEWIDTH, uint32_t(page_.size.width()));
        TIFFSetField(tiff_, TIFFTAG_IMAGELENGTH, uint32_t(page_.size.height()));
        TIFFSetField(tiff_, TIFFTAG_BITSPERSAMPLE,
                     screen    ? 1
                     : indexed ? indexBits(page_.palette.size())
                               : 8);
        TIFFSetField(tiff_, TIFFTAG_SAMPLESPERPIXEL, indexed || screen ? 1 : 3);
        TIFFSetField(tiff_, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff_, TIFFTAG_PHOTOMETRIC,
                     screen    ? PHOTOMETRIC_MINISWHITE
                     : indexed ? PHOTOMETRIC_PALETTE
                               : PHOTOMETRIC_RGB);
        TIFFSetField(tiff_, TIFFTAG_ROWSPERSTRIP, uint32_t(stripRows_));
        TIFFSetField(tiff_, TIFFTAG_COMPRESSION,
                     groupFour() ? COMPRESSION_CCITTFAX4 : COMPRESSION_ADOBE_DEFLATE);
        if (indexed) {
            const std::size_t entries = std::size_t(1) << indexBits(page_.palette.size());
            std::vector<uint16_t> red(entries), green(entries), blue(entries);
            for (std::size_t i = 0; i < page_.palette.size(); ++i) {
                red[i] = uint16_t(qRed(page_.palette[i]) * 257);
                green[i] = uint16_t(qGreen(page_.palette[i]) * 257);
                blue[i] = uint16_t(qBlue(page_.palette[i]) * 257);
            }
            TIFFSetField(tiff_, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
        }
        if (page_.dotsPerInch) {
            TIFFSetField(tiff_, TIFFTAG_XRESOLUTION, float(*page_.dotsPerInch));
            TIFFSetField(tiff_, TIFFTAG_YRESOLUTION, float(*page_.dotsPerInch));
            TIFFSetField(tiff_, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        }
        return failure().isEmpty();
    }
    // Group 4 strips are libtiff's to encode, a band each; deflated ones come whole from
    // ParallelDeflate.
    bool writeRows(const uchar* rows, int count, RowsHeld held) override {
        if (!groupFour()) {
            return deflater_.add(rows, count, held == RowsHeld::UntilFinished, stripSink());
        }
        const tmsize_t bytes = tmsize_t(count) * rowStride();
        // libtiff takes a non-const buffer but leaves it as it was.
        return TIFFWriteEncodedStrip(tiff_, strip_++, const_cast<uchar*>(rows), bytes) == bytes;
    }
    bool finish() override {
        const bool flushed =
            (groupFour() || deflater_.finish(stripSink())) && TIFFFlush(tiff_) == 1;
        TIFFClose(tiff_);
        tiff_ = nullptr;
        return flushed && failure().isEmpty() && !writeFailed_;
    }
    int bandRows() const override {
        return groupFour() ? stripRows_ : stripRows_ * std::max(page_.threads, 1);
    }
    qsizetype rowStride() const override { return page_.rowBytes(); }
    QString failure() const override {
        return writeFailed_ ? QString() : failure_.isEmpty() ? deflater_.failure() : failure_;
    }

  private:
    bool groupFour() const {
        return page_.layout == PixelLayout::Bit1 && page_.compression == TiffCompression::Group4;
    }
    ParallelDeflate::Sink stripSink() {
        return [this](const uchar* bytes, std::size_t size) {
            // libtiff takes a non-const buffer but leaves it as it was.
            return TIFFWriteRawStrip(tiff_, strip_++, const_cast<uchar*>(bytes), tmsize_t(size)) ==
                   tmsize_t(size);
        };
    }

    static TiffEncoder& self(thandle_t handle) { return *static_cast<TiffEncoder*>(handle); }
    static tmsize_t onRead(thandle_t handle, void* data, tmsize_t size) {
        return ::read(self(handle).file_.descriptor(), data, std::size_t(size));
    }
    static tmsize_t onWrite(thandle_t handle, void* data, tmsize_t size) {
        files::AtomicFile& file = self(handle).file_;
        const auto* bytes = static_cast<const char*>(data);
        tmsize_t done = 0;
        while (done < size) {
            const ssize_t written =
                ::write(file.descriptor(), bytes + done, std::size_t(size - done));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                self(handle).writeFailed_ = true;
                file.setFailed(written < 0 ? errno : ENOSPC);
                return -1;
            }
            done += written;
        }
        return done;
    }
    static toff_t onSeek(thandle_t handle, toff_t offset, int whence) {
        return toff_t(::lseek(self(handle).file_.descriptor(), off_t(offset), whence));
    }
    static int onClose(thandle_t) { return 0; }
    static toff_t onSize(thandle_t handle) {
        const int descriptor = self(handle).file_.descriptor();
        const off_t here = ::lseek(descriptor, 0, SEEK_CUR);
        const off_t end = ::lseek(descriptor, 0, SEEK_END);
        ::lseek(descriptor, here, SEEK_SET);
        return toff_t(end);
    }
    static int onMessage(TIFF*, void* user, const char*, const char* format, va_list arguments) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        static_cast<TiffEncoder*>(user)->failure_ = QString::fromUtf8(text);
        return 1;
    }
    static int onWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

    files::AtomicFile& file_;
    PageFormat page_;
    int stripRows_;
    ParallelDeflate deflater_;
    TIFF* tiff_ = nullptr;
    uint32_t strip_ = 0;
    bool writeFailed_ = false; // the file knows why
    QString failure_;
};

} // namespace

int indexBits(std::size_t colours) {
    int bits = 1;
    while (bits < 8 && (std::size_t(1) << bits) < colours) {
        bits *= 2;
    }
    return bits;
}

void packIndices(const uchar* indices, int width, int bits, uchar* packed) {
    const int perByte = 8 / bits;
    int x = 0;
    for (; x + perByte <= width; x += perByte) {
        unsigned byte = 0;
        for (int i = 0; i < perByte; ++i) {
            byte = (byte << bits) | indices[x + i];
        }
        *packed++ = uchar(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        for (int i = 0; i < perByte; ++i) {
            byte = (byte << bits) | (x + i < width ? indices[x + i] : 0u);
        }
        *packed = uchar(byte);
    }
}

int PageFormat::rowBytes() const {
    if (layout == PixelLayout::Bit1) {
        return int((qint64(size.width()) + 7) / 8);
    }
    if (layout == PixelLayout::Index8) {
        return int((qint64(size.width()) * indexBits(palette.size()) + 7) / 8);
    }
    return size.width() * bytesPerPixel(layout);
}

int bytesPerPixel(PixelLayout layout) {
    return layout == PixelLayout::Index8 ? 1 : 3;
}

std::optional<std::vector<QRgb>> fewColours(const std::vector<const QImage*>& images,
                                            std::size_t most) {
    std::vector<QRgb> colours;
    std::unordered_map<QRgb, bool> seen;
    for (const QImage* image : images) {
        for (int y = 0; y < image->height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image->constScanLine(y));
            QRgb last = ~row[0];
            for (int x = 0; x < image->width(); ++x) {
                const QRgb colour = row[x] | 0xFF000000u;
                if (colour == last || !seen.emplace(colour, true).second) {
                    last = colour;
                    continue;
                }
                last = colour;
                colours.push_back(colour);
                if (colours.size() > most) {
                    return std::nullopt;
                }
            }
        }
    }
    return colours;
}

std::vector<uchar> layOutPixels(const QImage& rgb32, PixelLayout layout,
                                const std::vector<QRgb>& palette) {
    std::unordered_map<QRgb, uchar> indexOf;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        indexOf.emplace(palette[i], uchar(i));
    }
    const int size = bytesPerPixel(layout);
    std::vector<uchar> bytes(std::size_t(rgb32.width()) * std::size_t(rgb32.height()) *
                             std::size_t(size));
    uchar* out = bytes.data();
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < rgb32.width(); ++x, out += size) {
            const QRgb colour = row[x] | 0xFF000000u;
            switch (layout) {
            case PixelLayout::Index8:
                out[0] = indexOf.at(colour);
                break;
            case PixelLayout::Rgb24:
                out[0] = uchar(qRed(colour));
                out[1] = uchar(qGreen(colour));
                out[2] = uchar(qBlue(colour));
                break;
            case PixelLayout::Bgr24:
                out[0] = uchar(qBlue(colour));
                out[1] = uchar(qGreen(colour));
                out[2] = uchar(qRed(colour));
                break;
            case PixelLayout::Bit1: // screens are made a bit at a time, never laid out here
                break;
            }
        }
    }
    return bytes;
}

PixelLayout layoutFor(PrintFormat format, bool fewColours) {
    if (format == PrintFormat::Bmp) {
        return PixelLayout::Bgr24;
    }
    return fewColours ? PixelLayout::Index8 : PixelLayout::Rgb24;
}

bool bottomUp(PrintFormat format) {
    return format == PrintFormat::Bmp;
}

bool beyondFormat(PrintFormat format, QSize page) {
    if (format == PrintFormat::Bmp) {
        return BmpEncoder::fileBytes(page) > quint64(UINT32_MAX);
    }
    return page.width() > kMostPrintSide || page.height() > kMostPrintSide;
}

std::unique_ptr<PageEncoder> makeEncoder(PrintFormat format, files::AtomicFile& file,
                                         const PageFormat& page) {
    switch (format) {
    case PrintFormat::Png:
        return std::make_unique<PngEncoder>(file, page);
    case PrintFormat::Tiff:
        return std::make_unique<TiffEncoder>(file, page);
    case PrintFormat::Bmp:
        break;
    }
    return std::make_unique<BmpEncoder>(file, page);
}

} // namespace print
