#include "separations.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <unistd.h>

namespace print {
namespace {

class Separations {
    Q_DECLARE_TR_FUNCTIONS(Separations)
};

using Word = std::uint64_t;
constexpr int kWordBits = 64;
constexpr quint8 kNoScreen = 0xFF;
constexpr double kCentimetresPerInch = 2.54;

double relativeLuminance(QRgb colour) {
    const auto linear = [](int value) {
        const double v = value / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// The page as indices into its palette, any row at a time, when it has at most kMostScreens
// colours.
class IndexedPage {
  public:
    explicit IndexedPage(const PrintJob& job) : size_(job.page) {
        const QImage tile = job.tile.convertToFormat(QImage::Format_RGB32);
        if (tile.isNull()) {
            throw std::bad_alloc();
        }
        tileHeight_ = tile.height();
        if (auto palette = fewColours({&tile}, kMostScreens)) {
            palette_ = std::move(*palette);
            indices_ = layOutPixels(tile, PixelLayout::Index8, palette_);
            rows_.emplace(tiling::TileBytes{indices_.data(), tile.width(), tile.size(), 1},
                          size_.width(), job.repeat);
        }
    }
    bool separable() const { return rows_.has_value(); }
    const std::vector<QRgb>& palette() const { return palette_; }
    QSize size() const { return size_; }
    void fill(int y, uchar* row) const { rows_->fill(y, row); }

    // The pixels of each palette colour on the page. Every repeat's rows recur after two tile
    // heights, so only those rows are counted, each as often as it recurs.
    std::vector<qint64> colourPixels() const {
        const int period = 2 * tileHeight_;
        std::vector<qint64> pixels(palette_.size());
        std::vector<uchar> row(std::size_t(size_.width()));
        std::vector<int> inRow(palette_.size());
        for (int y = 0; y < std::min(size_.height(), period); ++y) {
            fill(y, row.data());
            std::fill(inRow.begin(), inRow.end(), 0);
            for (const uchar index : row) {
                ++inRow[index];
            }
            const qint64 recurrences = (size_.height() - 1 - y) / period + 1;
            for (std::size_t c = 0; c < pixels.size(); ++c) {
                pixels[c] += inRow[c] * recurrences;
            }
        }
        return pixels;
    }

  private:
    QSize size_;
    int tileHeight_ = 0;
    std::vector<QRgb> palette_;
    std::vector<uchar> indices_;
    std::optional<tiling::TiledRows> rows_;
};

QString colourValue(QRgb colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

// A name made safe for a file name: no folder separators or control characters.
QString fileNamePart(const QString& name) {
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\\\x00-\\x1F]"));
    return QString(name).replace(unsafe, QStringLiteral("-")).trimmed();
}

// The plan, with the screen (its place in the plan) of each palette index, kNoScreen for the
// unprinted colour.
SeparationPlan makePlan(const IndexedPage& page, const SeparationOptions& options,
                        std::optional<double> dotsPerInch, std::vector<quint8>& screenOf) {
    SeparationPlan plan;
    plan.margin = options.registrationMarks ? registrationMargin(dotsPerInch) : 0;
    if (!page.separable()) {
        plan.problem = Separations::tr("The page has more than %1 colours: separations take one "
                                       "screen a colour, at most %1.")
                           .arg(kMostScreens);
        return plan;
    }
    const std::vector<QRgb>& palette = page.palette();
    const std::vector<qint64> pixels = page.colourPixels();
    std::vector<int> order(palette.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = int(i);
    }
    std::sort(order.begin(), order.end(), [&palette](int a, int b) {
        const double lightA = relativeLuminance(palette[a]);
        const double lightB = relativeLuminance(palette[b]);
        return lightA != lightB ? lightA > lightB
                                : (palette[a] & 0xFFFFFFu) < (palette[b] & 0xFFFFFFu);
    });
    int unprinted = -1;
    if (options.unprintedBackground) {
        // The most frequent colour; of equals, the lightest.
        for (const int index : order) {
            if (unprinted < 0 || pixels[index] > pixels[unprinted]) {
                unprinted = index;
            }
        }
        plan.unprinted = palette[unprinted];
        plan.unprintedPixels = pixels[unprinted];
    }
    screenOf.assign(palette.size(), kNoScreen);
    for (const int index : order) {
        if (index == unprinted) {
            continue;
        }
        Screen screen;
        screen.order = int(plan.screens.size()) + 1;
        screen.colour = palette[index] | 0xFF000000u;
        screen.name = options.colourName ? options.colourName(screen.colour) : QString();
        screen.pixels = pixels[index];
        const QString name = fileNamePart(screen.name);
        screen.fileName = QStringLiteral("%1-%2%3.tif")
                              .arg(screen.order, 2, 10, QLatin1Char('0'))
                              .arg(colourValue(screen.colour),
                                   name.isEmpty() ? QString() : QLatin1Char('-') + name);
        screenOf[index] = quint8(plan.screens.size());
        plan.screens.push_back(screen);
    }
    return plan;
}

// Sets bits first to last (inclusive) of a row of words, a word at a time.
void setBits(Word* bits, int first, int last) {
    const auto from = [](int x) { return ~Word(0) << (x % kWordBits); };
    const auto upTo = [](int x) { return ~Word(0) >> (kWordBits - 1 - x % kWordBits); };
    const int firstWord = first / kWordBits;
    const int lastWord = last / kWordBits;
    if (firstWord == lastWord) {
        bits[firstWord] |= from(first) & upTo(last);
        return;
    }
    bits[firstWord] |= from(first);
    std::fill(bits + firstWord + 1, bits + lastWord, ~Word(0));
    bits[lastWord] |= upTo(last);
}

// Where the run of pixels equal to row[x] ends, compared eight at a time.
int runEnd(const uchar* row, int x, int width) {
    const Word same = Word(row[x]) * 0x0101010101010101u;
    int end = x + 1;
    for (; end + 8 <= width; end += 8) {
        Word eight;
        std::memcpy(&eight, row + end, sizeof eight);
        if (const Word differing = qFromLittleEndian(eight) ^ same; differing != 0) {
            return end + std::countr_zero(differing) / 8;
        }
    }
    while (end < width && row[end] == row[x]) {
        ++end;
    }
    return end;
}

// Grows the set bits of a row by `reach` pixels to either side, in steps that double.
void growAcross(std::vector<Word>& bits, int reach, std::vector<Word>& scratch) {
    const std::size_t count = bits.size();
    for (int grown = 0; grown < reach;) {
        const int step = std::min(grown + 1, reach - grown);
        scratch = bits;
        for (std::size_t i = 0; i < count; ++i) {
            Word spread = (scratch[i] << step) | (scratch[i] >> step);
            if (i > 0) {
                spread |= scratch[i - 1] >> (kWordBits - step);
            }
            if (i + 1 < count) {
                spread |= scratch[i + 1] << (kWordBits - step);
            }
            bits[i] |= spread;
        }
        grown += step;
    }
}

// The rows of every screen, made from a window of page rows around the one asked for: each
// screen's own pixels, grown over darker printed colours when trapping, with the registration
// marks. A row's bits have pixel x at bit x % 64 of word x / 64, screen coordinates.
class ScreenRows {
  public:
    ScreenRows(int screens, int screenWidth, int margin, int trap, std::vector<QRect> marks)
        : screens_(screens), margin_(margin), trap_(trap), window_(2 * trap + 1),
          words_((std::size_t(screenWidth) + kWordBits - 1) / kWordBits), marks_(std::move(marks)),
          ring_(std::size_t(window_) * std::size_t(screens) * words_, 0), out_(words_),
          darker_(words_), reach_(words_), scratch_(words_) {
        for (int d = 0; d <= trap; ++d) {
            halfWidth_.push_back(int(std::sqrt(double(trap * trap - d * d))));
        }
    }

    // Takes page row y into the window from its palette indices and the screen of each index
    // (kNoScreen for none), run by run, or as an empty row past the page's end.
    void take(int y, const uchar* indices, int width, const std::vector<quint8>& screenOf) {
        Word* slot = rowBits(y, 0);
        std::fill(slot, slot + std::size_t(screens_) * words_, 0);
        for (int x = 0, end = 0; x < (indices != nullptr ? width : 0); x = end) {
            end = runEnd(indices, x, width);
            if (const quint8 screen = screenOf[indices[x]]; screen != kNoScreen) {
                setBits(rowBits(y, screen), x + margin_, end - 1 + margin_);
            }
        }
    }

    // Screen row `row` into each screen's packed bytes (`rowBytes` each), from page row pageY
    // (none outside the page) whose window rows have been taken.
    void produce(int row, std::optional<int> pageY, const std::vector<uchar*>& packed,
                 int rowBytes) {
        std::fill(darker_.begin(), darker_.end(), 0);
        for (int s = screens_ - 1; s >= 0; --s) {
            std::fill(out_.begin(), out_.end(), 0);
            if (pageY) {
                const Word* own = rowBits(*pageY, s);
                if (trap_ > 0 && std::any_of(darker_.begin(), darker_.end(),
                                             [](Word word) { return word != 0; })) {
                    grownOver(*pageY, s);
                    for (std::size_t i = 0; i < words_; ++i) {
                        out_[i] = reach_[i] & darker_[i];
                    }
                }
                for (std::size_t i = 0; i < words_; ++i) {
                    out_[i] |= own[i];
                    darker_[i] |= own[i];
                }
            }
            for (const QRect& mark : marks_) {
                if (row >= mark.top() && row <= mark.bottom()) {
                    setBits(out_.data(), mark.left(), mark.right());
                }
            }
            pack(packed[std::size_t(s)], rowBytes);
        }
    }

  private:
    Word* rowBits(int y, int screen) {
        const int slot = tiling::wrapped(y, window_);
        return ring_.data() +
               (std::size_t(slot) * std::size_t(screens_) + std::size_t(screen)) * words_;
    }

    // reach_ = the screen's pixels within the disk around each pixel of row y: each window row
    // grown by its half-width, from the middle row out, so that every row is grown only once
    // more than the next one out.
    void grownOver(int y, int screen) {
        const Word* middle = rowBits(y, screen);
        std::copy(middle, middle + words_, reach_.begin());
        for (int d = 1; d <= trap_; ++d) {
            growAcross(reach_, halfWidth_[d - 1] - halfWidth_[d], scratch_);
            const Word* above = rowBits(y - d, screen);
            const Word* below = rowBits(y + d, screen);
            for (std::size_t i = 0; i < words_; ++i) {
                reach_[i] |= above[i] | below[i];
            }
        }
        growAcross(reach_, halfWidth_[trap_], scratch_);
    }

    // Leftmost pixel in each byte's most significant bit: the bits of every byte reversed, the
    // bytes in little-endian order.
    void pack(uchar* bytes, int rowBytes) const {
        for (std::size_t i = 0; i < words_; ++i) {
            Word word = out_[i];
            word = ((word >> 1) & 0x5555555555555555u) | ((word & 0x5555555555555555u) << 1);
            word = ((word >> 2) & 0x3333333333333333u) | ((word & 0x3333333333333333u) << 2);
            word = ((word >> 4) & 0x0F0F0F0F0F0F0F0Fu) | ((word & 0x0F0F0F0F0F0F0F0Fu) << 4);
            uchar little[sizeof(Word)];
            qToLittleEndian(word, little);
            const std::size_t at = i * sizeof(Word);
            std::memcpy(bytes + at, little, std::min(sizeof(Word), std::size_t(rowBytes) - at));
        }
    }

    int screens_;
    int margin_;
    int trap_;
    int window_;
    std::size_t words_;
    std::vector<QRect> marks_;
    std::vector<int> halfWidth_; // of the disk, at each distance from its middle row
    std::vector<Word> ring_;     // window rows x screens x words
    std::vector<Word> out_, darker_, reach_, scratch_;
};

// Crosses in the middle of each side's margin, a little thinner than a hundredth of an inch.
std::vector<QRect> registrationCrosses(QSize screen, int margin) {
    if (margin == 0) {
        return {};
    }
    const int arm = margin * 3 / 8;
    const int thickness = std::max(1, margin / 40);
    const QPoint centres[] = {{margin / 2, screen.height() / 2},
                              {screen.width() - 1 - margin / 2, screen.height() / 2},
                              {screen.width() / 2, margin / 2},
                              {screen.width() / 2, screen.height() - 1 - margin / 2}};
    std::vector<QRect> crosses;
    for (const QPoint centre : centres) {
        crosses.emplace_back(centre.x() - arm, centre.y() - thickness / 2, 2 * arm + 1, thickness);
        crosses.emplace_back(centre.x() - thickness / 2, centre.y() - arm, thickness, 2 * arm + 1);
    }
    return crosses;
}

// The sheet: the page, then the screens in the order they are printed.
QByteArray separationSheet(const SeparationPlan& plan, const PrintJob& job,
                           const SeparationOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(Separations::tr("Separations"));
    writer.setCreator(QStringLiteral("pattern-workshop"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    const double mm = 300 / 25.4;
    const qint64 pagePixels = qint64(job.page.width()) * job.page.height();
    const auto area = [&](qint64 pixels) {
        const QString percent =
            QString::number(100.0 * double(pixels) / double(pagePixels), 'f', 2);
        if (!job.dotsPerInch) {
            return std::pair{percent, QStringLiteral("–")};
        }
        const double side = kCentimetresPerInch / *job.dotsPerInch;
        return std::pair{percent, QString::number(double(pixels) * side * side, 'f', 1)};
    };

    QPainter painter(&writer);
    QFont font = painter.font();
    font.setPointSizeF(10);
    painter.setFont(font);
    const int width = painter.viewport().width();
    const int line = int(7 * mm);
    int y = line;
    QFont title = font;
    title.setPointSizeF(16);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(0, y, Separations::tr("Separations"));
    painter.setFont(font);
    y += line;
    QStringList facts;
    facts << Separations::tr("%1 screens").arg(plan.screens.size())
          << Separations::tr("page %1 x %2 pixels").arg(job.page.width()).arg(job.page.height());
    if (job.dotsPerInch) {
        facts << Separations::tr("%1 x %2 cm at %3 dpi")
                     .arg(job.page.width() * kCentimetresPerInch / *job.dotsPerInch, 0, 'f', 1)
                     .arg(job.page.height() * kCentimetresPerInch / *job.dotsPerInch, 0, 'f', 1)
                     .arg(*job.dotsPerInch);
    }
    facts << Separations::tr("printed lightest first");
    if (options.trap > 0) {
        facts << Separations::tr("trapping %1 px").arg(options.trap);
    }
    if (plan.margin > 0) {
        facts << Separations::tr("registration marks in a %1 px margin").arg(plan.margin);
    }
    QRect used;
    painter.drawText(QRect(0, y - line * 3 / 4, width, 4 * line), Qt::TextWordWrap,
                     facts.join(QStringLiteral(", ")), &used);
    y = used.bottom() + line * 3 / 4;
    if (plan.unprinted) {
        const QString name = options.colourName ? options.colourName(*plan.unprinted) : QString();
        painter.drawText(
            0, y,
            Separations::tr("Left unprinted: %1 %2 (%3 %)")
                .arg(colourValue(*plan.unprinted), name, area(plan.unprintedPixels).first)
                .simplified());
    }
    y += line * 2;
    const int columns[] = {
        0, int(18 * mm), int(40 * mm), int(70 * mm), int(120 * mm), int(145 * mm)};
    const QString headings[] = {Separations::tr("Order"),  QString(),
                                Separations::tr("Colour"), Separations::tr("Name"),
                                Separations::tr("Area %"), Separations::tr("Area cm²")};
    for (std::size_t c = 0; c < std::size(columns); ++c) {
        painter.drawText(columns[c], y, headings[c]);
    }
    painter.drawLine(0, y + int(2 * mm), width, y + int(2 * mm));
    const int rowHeight = int(9 * mm);
    y += rowHeight;
    for (const Screen& screen : plan.screens) {
        if (y > painter.viewport().height() - rowHeight) {
            writer.newPage();
            y = rowHeight;
        }
        const auto [percent, square] = area(screen.pixels);
        painter.drawText(columns[0], y, QString::number(screen.order));
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(QColor(screen.colour));
        painter.drawRect(columns[1], y - int(5 * mm), int(15 * mm), int(6.5 * mm));
        const QString cells[] = {colourValue(screen.colour), screen.name, percent, square};
        for (std::size_t c = 0; c < std::size(cells); ++c) {
            painter.drawText(columns[c + 2], y, cells[c]);
        }
        y += rowHeight;
    }
    painter.end();
    return bytes;
}

// A file of the separation, being written.
struct OpenFile {
    QByteArray path;
    bool existed = false; // a file was there before, which the commit replaces
    std::unique_ptr<files::AtomicFile> file;
};

SeparationOutcome writeSeparations(const PrintJob& job, const SeparationOptions& options,
                                   const QByteArray& folder, const PrintProgress& progress,
                                   const std::atomic<bool>* cancel) {
    const IndexedPage page(job);
    std::vector<quint8> screenOf;
    SeparationOutcome result{{}, makePlan(page, options, job.dotsPerInch, screenOf)};
    const SeparationPlan& plan = result.plan;
    if (!plan.problem.isEmpty()) {
        result.outcome = {false, files::SaveProblem::Other, plan.problem};
        return result;
    }
    const auto fail = [&result](files::SaveOutcome outcome) {
        result.outcome = std::move(outcome);
        return result;
    };
    const auto cancelled = [cancel] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    std::vector<OpenFile> opened;
    QStringList names;
    for (const Screen& screen : plan.screens) {
        names << screen.fileName;
    }
    names << QString::fromLatin1(kCompositeName) << QString::fromLatin1(kSheetName);
    for (const QString& name : names) {
        OpenFile file{folder + '/' + QFile::encodeName(name), false, nullptr};
        file.existed = ::access(file.path.constData(), F_OK) == 0;
        file.file = std::make_unique<files::AtomicFile>(file.path);
        if (const files::SaveOutcome outcome = file.file->open();
            outcome.problem != files::SaveProblem::None) {
            return fail(outcome);
        }
        opened.push_back(std::move(file));
    }
    const int screens = int(plan.screens.size());
    OpenFile& composite = opened[std::size_t(screens)];
    OpenFile& sheet = opened[std::size_t(screens) + 1];

    const QSize size = page.size();
    const int margin = plan.margin;
    const QSize screenSize = size + QSize(2 * margin, 2 * margin);
    PageFormat screenFormat{screenSize,
                            PixelLayout::Bit1,
                            {},
                            job.dotsPerInch,
                            options.compression == ScreenCompression::Group4
                                ? TiffCompression::Group4
                                : TiffCompression::Deflate,
                            options.bandBytes / std::max(screens, 1)};
    PageFormat compositeFormat{size, PixelLayout::Index8, page.palette(), job.dotsPerInch};
    std::vector<std::unique_ptr<PageEncoder>> encoders;
    for (int s = 0; s < screens; ++s) {
        encoders.push_back(
            makeEncoder(PrintFormat::Tiff, *opened[std::size_t(s)].file, screenFormat));
    }
    encoders.push_back(makeEncoder(PrintFormat::Png, *composite.file, compositeFormat));
    // The first encoder that failed, which alone knows why.
    std::size_t failed = encoders.size();
    const auto heard = [&failed](std::size_t encoder, bool done) {
        failed = done ? failed : std::min(failed, encoder);
        return done;
    };
    bool written = true;
    for (std::size_t e = 0; written && e < encoders.size(); ++e) {
        written = heard(e, encoders[e]->begin());
    }

    const int bits = indexBits(page.palette().size());
    const int rowBytes = screenFormat.rowBytes();
    const int bandRows = screens > 0 ? encoders.front()->bandRows() : screenSize.height();
    const qsizetype stride = screens > 0 ? encoders.front()->rowStride() : 0;
    std::vector<std::vector<uchar>> bands(std::size_t(screens),
                                          std::vector<uchar>(std::size_t(stride) * bandRows, 0));
    std::vector<uchar*> packed(std::size_t(screens), nullptr);
    std::vector<uchar> indices(std::size_t(size.width()));
    std::vector<uchar> compositeRow(std::size_t(compositeFormat.rowBytes()));
    ScreenRows rows(screens, screenSize.width(), margin, options.trap,
                    registrationCrosses(screenSize, margin));
    int taken = 0; // page rows taken into the window
    for (int row = 0; written && row < screenSize.height(); ++row) {
        const int pageY = row - margin;
        for (; written && taken <= std::min(pageY + options.trap, size.height() - 1 + options.trap);
             ++taken) {
            if (taken >= size.height()) {
                rows.take(taken, nullptr, 0, screenOf);
                continue;
            }
            page.fill(taken, indices.data());
            rows.take(taken, indices.data(), size.width(), screenOf);
            if (bits < 8) {
                packIndices(indices.data(), size.width(), bits, compositeRow.data());
            }
            written =
                heard(std::size_t(screens),
                      encoders.back()->writeRows(bits < 8 ? compositeRow.data() : indices.data(), 1,
                                                 RowsHeld::ForTheCall));
        }
        const int inBand = row % bandRows;
        for (int s = 0; s < screens; ++s) {
            packed[std::size_t(s)] = bands[std::size_t(s)].data() + qsizetype(inBand) * stride;
        }
        rows.produce(row, pageY >= 0 && pageY < size.height() ? std::optional(pageY) : std::nullopt,
                     packed, rowBytes);
        if (inBand == bandRows - 1 || row == screenSize.height() - 1) {
            for (int s = 0; written && s < screens; ++s) {
                written =
                    heard(std::size_t(s),
                          encoders[std::size_t(s)]->writeRows(bands[std::size_t(s)].data(),
                                                              inBand + 1, RowsHeld::ForTheCall));
            }
            if (cancelled()) {
                return fail(files::saveFailure(files::SaveProblem::Cancelled, folder));
            }
            if (written && progress) {
                progress(row + 1, screenSize.height());
            }
        }
    }
    for (std::size_t e = 0; written && e < encoders.size(); ++e) {
        written = heard(e, encoders[e]->finish());
    }
    if (!written) {
        // A write the file refused: its commit says why and keeps nothing.
        return fail(encoders[failed]->failure().isEmpty()
                        ? opened[failed].file->commit()
                        : files::saveFailure(files::SaveProblem::Other, opened[failed].path,
                                             encoders[failed]->failure()));
    }
    encoders.clear();
    const QByteArray sheetBytes = separationSheet(plan, job, options);
    if (!sheet.file->write(sheetBytes.constData(), std::size_t(sheetBytes.size()))) {
        return fail(sheet.file->commit());
    }
    for (std::size_t f = 0; f < opened.size(); ++f) {
        if (const files::SaveOutcome outcome = opened[f].file->commit(); !outcome.saved) {
            // Takes back the new files already in place; files they replaced cannot come back.
            for (std::size_t done = 0; done < f; ++done) {
                if (!opened[done].existed) {
                    ::unlink(opened[done].path.constData());
                }
            }
            return fail(outcome);
        }
    }
    result.outcome.saved = true;
    return result;
}

} // namespace

int registrationMargin(std::optional<double> dotsPerInch) {
    return int(std::lround(dotsPerInch.value_or(300.0) / kCentimetresPerInch));
}

SeparationPlan planSeparations(const PrintJob& page, const SeparationOptions& options) {
    std::vector<quint8> screenOf;
    return makePlan(IndexedPage(page), options, page.dotsPerInch, screenOf);
}

SeparationOutcome renderSeparations(const PrintJob& page, const SeparationOptions& options,
                                    const QByteArray& nativeFolder, const PrintProgress& progress,
                                    const std::atomic<bool>* cancel) {
    if (page.tile.isNull() || page.page.isEmpty()) {
        return {files::saveFailure(files::SaveProblem::NoPicture, nativeFolder), {}};
    }
    const int margin = options.registrationMarks ? registrationMargin(page.dotsPerInch) : 0;
    if (page.page.width() + 2 * margin > kMostPrintSide ||
        page.page.height() + 2 * margin > kMostPrintSide) {
        return {files::saveFailure(files::SaveProblem::TooLarge, nativeFolder), {}};
    }
    try {
        return writeSeparations(page, options, nativeFolder, progress, cancel);
    } catch (const std::bad_alloc&) {
        return {files::saveFailure(files::SaveProblem::OutOfMemory, nativeFolder), {}};
    }
}

} // namespace print
