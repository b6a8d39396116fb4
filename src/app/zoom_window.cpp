#include "zoom_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace app {
namespace {

// Light enough not to hide a cell's colour, dark enough to show on the pale ones: the grid
// pixels are the cell's colour moved this far, out of 255, towards mid grey.
constexpr int kGridGrey = 128;
constexpr int kGridWeight = 72;

QRgb gridPixel(QRgb pixel) {
    auto towardsGrey = [](int channel) {
        return channel + (kGridGrey - channel) * kGridWeight / 255;
    };
    return qRgb(towardsGrey(qRed(pixel)), towardsGrey(qGreen(pixel)), towardsGrey(qBlue(pixel)));
}

} // namespace

// The enlarged design itself: one square of zoom x zoom screen pixels per design pixel. The
// squares are kept drawn, and a refresh redraws and repaints only the pixels that changed, so a
// press that colours one cell costs a small repaint, not one of the whole enlarged design.
class ZoomCanvas : public QWidget {
    Q_OBJECT
  public:
    ZoomCanvas(const canvas::Surface& design, QWidget* parent) : QWidget(parent), design_(design) {
        setObjectName(QStringLiteral("zoomCanvas"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        redrawAll();
    }

    int zoom() const { return zoom_; }
    void setZoom(int zoom) {
        zoom_ = zoom;
        redrawAll();
    }

    void followDesign() {
        const QImage& image = design_.imageRef();
        if (image.size() != shown_.size()) {
            redrawAll();
            return;
        }
        const QRect changed = changedPixels(image);
        if (changed.isEmpty()) {
            return;
        }
        for (int y = changed.top(); y <= changed.bottom(); ++y) {
            std::memcpy(shown_.scanLine(y) + changed.left() * sizeof(QRgb),
                        image.constScanLine(y) + changed.left() * sizeof(QRgb),
                        std::size_t(changed.width()) * sizeof(QRgb));
        }
        drawSquares(changed);
        update(QRect(changed.topLeft() * zoom_, changed.size() * zoom_));
    }

  signals:
    void pixelPressed(int x, int y, Qt::KeyboardModifiers modifiers);
    void pointerOver(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect().topLeft(), squares_, event->rect());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (const std::optional<QPoint> pixel = pixelAt(event->position())) {
            emit pixelPressed(pixel->x(), pixel->y(), event->modifiers());
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const std::optional<QPoint> pixel = pixelAt(event->position());
        if (pixel && pixel != lastPointedPixel_) {
            emit pointerOver(pixel->x(), pixel->y());
        }
        lastPointedPixel_ = pixel;
    }

    void leaveEvent(QEvent*) override { lastPointedPixel_.reset(); }

  private:
    std::optional<QPoint> pixelAt(QPointF position) const {
        const QPoint pixel(int(std::floor(position.x() / zoom_)),
                           int(std::floor(position.y() / zoom_)));
        if (!shown_.rect().contains(pixel)) {
            return std::nullopt;
        }
        return pixel;
    }

    void redrawAll() {
        // Shares the design's pixels until either side changes them.
        shown_ = design_.imageRef().convertToFormat(QImage::Format_RGB32);
        squares_ = QImage(shown_.size() * zoom_, QImage::Format_RGB32);
        drawSquares(shown_.rect());
        setFixedSize(squares_.size());
        update();
    }

    // The smallest rectangle holding every design pixel that differs from the one shown.
    QRect changedPixels(const QImage& image) const {
        QRect changed;
        for (int y = 0; y < image.height(); ++y) {
            const auto* now = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            const auto* before = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
            if (std::equal(now, now + image.width(), before)) {
                continue;
            }
            const auto first = std::mismatch(now, now + image.width(), before).first - now;
            auto last = image.width() - 1;
            while (now[last] == before[last]) {
                --last;
            }
            changed |= QRect(int(first), y, int(last - first + 1), 1);
        }
        return changed;
    }

    // The squares of the given design pixels, with the grid along their top and left from 6x.
    void drawSquares(const QRect& pixels) {
        const bool grid = zoom_ >= ZoomWindow::kFirstZoomWithGrid;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
            for (int row = 0; row < zoom_; ++row) {
                auto* target = reinterpret_cast<QRgb*>(squares_.scanLine(y * zoom_ + row));
                for (int x = pixels.left(); x <= pixels.right(); ++x) {
                    const QRgb pixel = source[x] | 0xFF000000u;
                    const QRgb lined = grid ? gridPixel(pixel) : pixel;
                    QRgb* square = target + x * zoom_;
                    square[0] = lined;
                    std::fill(square + 1, square + zoom_, row == 0 ? lined : pixel);
                }
            }
        }
    }

    const canvas::Surface& design_;
    int zoom_ = ZoomWindow::kDefaultZoom;
    QImage shown_;   // the design pixels as last drawn
    QImage squares_; // the enlarged design
    std::optional<QPoint> lastPointedPixel_;
};

ZoomWindow::ZoomWindow(const canvas::Surface& design, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("ZoomWindow"));
    setWindowTitle(QStringLiteral("放大编辑"));

    zoomChoice_ = new QSpinBox(this);
    zoomChoice_->setObjectName(QStringLiteral("zoomChoice"));
    zoomChoice_->setRange(kMinimumZoom, kMaximumZoom);
    zoomChoice_->setValue(kDefaultZoom);
    zoomChoice_->setSuffix(QStringLiteral(" 倍"));
    zoomChoice_->setToolTip(QStringLiteral("每个图案像素显示的大小，6 倍起显示像素格"));
    auto* zoomLabel = new QLabel(QStringLiteral("放大倍数(&Z)："), this);
    zoomLabel->setBuddy(zoomChoice_);

    canvas_ = new ZoomCanvas(design, this);
    canvas_->setToolTip(
        QStringLiteral("单击给区域上色，与在主图上单击相同；选了画图工具时，拖动画出笔画"));
    auto* scroller = new QScrollArea(this);
    scroller->setWidget(canvas_);
    scroller->setAlignment(Qt::AlignCenter);
    // The keys start on the design, where 吸色 (I) acts, not in the zoom choice.
    canvas_->setFocusPolicy(Qt::StrongFocus);
    canvas_->setFocus();

    choiceRow_ = new QHBoxLayout;
    choiceRow_->addWidget(zoomLabel);
    choiceRow_->addWidget(zoomChoice_);
    choiceRow_->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choiceRow_);
    layout->addWidget(scroller);
    fitToCanvas(scroller);

    connect(zoomChoice_, &QSpinBox::valueChanged, canvas_, &ZoomCanvas::setZoom);
    connect(canvas_, &ZoomCanvas::pixelPressed, this, &ZoomWindow::designPixelPressed);
    connect(canvas_, &ZoomCanvas::pointerOver, this, &ZoomWindow::pointerOverPixel);
}

// Opens large enough to show the whole design at the default zoom, within the screen.
void ZoomWindow::fitToCanvas(QScrollArea* scroller) {
    const int frame = 2 * scroller->frameWidth();
    const QSize wanted = sizeHint() + canvas_->size() + QSize(frame, frame) - scroller->sizeHint();
    resize(wanted.boundedTo(screen()->availableSize() * 9 / 10));
}

int ZoomWindow::zoom() const {
    return canvas_->zoom();
}

void ZoomWindow::setZoom(int zoom) {
    zoomChoice_->setValue(zoom);
}

QWidget* ZoomWindow::designView() const {
    return canvas_;
}

QPointF ZoomWindow::designPoint(QPointF viewPosition) const {
    // From the middle of the screen pixel, so that each lands inside its design pixel.
    const QPointF half(0.5, 0.5);
    return (viewPosition + half) / zoom() - half;
}

void ZoomWindow::addToolBar(QWidget* bar) {
    choiceRow_->insertWidget(choiceRow_->count() - 1, bar);
}

void ZoomWindow::refresh() {
    canvas_->followDesign();
}

} // namespace app

#include "zoom_window.moc"
