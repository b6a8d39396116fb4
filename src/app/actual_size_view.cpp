#include "actual_size_view.h"

#include "canvas/surface.h"
#include "export_dialog.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace app {
namespace {

constexpr double kCentimetresPerInch = 2.54;
// Tick lengths in pixels, and the closest ticks of each kind may come.
constexpr int kCentimetreTick = 12;
constexpr int kHalfTick = 7;
constexpr int kMillimetreTick = 4;
constexpr double kClosestTicks = 3;
constexpr double kClosestLabels = 24;
constexpr int kLabelPixels = 9;

} // namespace

ActualSizeView::ActualSizeView(const canvas::Surface& design,
                               std::function<tiling::Repeat()> repeat, QWidget* view)
    : QWidget(view), design_(design), repeat_(std::move(repeat)),
      screenDotsPerInch_([this] { return screen()->physicalDotsPerInch(); }) {
    setObjectName(QStringLiteral("ActualSizeView"));
    setGeometry(view->rect());
    view->installEventFilter(this);
}

void ActualSizeView::setScreenDotsPerInch(std::function<double()> dotsPerInch) {
    screenDotsPerInch_ = std::move(dotsPerInch);
    update();
}

int ActualSizeView::tilePixels() const {
    return std::max(1, int(std::lround(lastExportTileInches() * screenDotsPerInch_())));
}

// The view changes its size with its surface; this follows.
bool ActualSizeView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

QRect ActualSizeView::clientRect() const {
    return rect().adjusted(canvas::kBorderPixels, canvas::kBorderPixels, -canvas::kBorderPixels,
                           -canvas::kBorderPixels);
}

QPoint ActualSizeView::designPixelAt(QPoint shown, int tileSide) const {
    const QSize design = design_.imageRef().size();
    const QPoint inTile = tiling::tilePixelAt(shown, {tileSide, tileSide}, repeat_());
    return {inTile.x() * design.width() / tileSide, inTile.y() * design.height() / tileSide};
}

void ActualSizeView::paintEvent(QPaintEvent*) {
    const QRect client = clientRect();
    if (client.isEmpty()) {
        return;
    }
    const int side = tilePixels();
    const QImage& design = design_.imageRef();
    QImage shown(client.size(), QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            line[x] = design.pixel(designPixelAt({x, y}, side));
        }
    }
    QPainter painter(this);
    painter.drawImage(client.topLeft(), shown);
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    drawRulers(painter, screenDotsPerInch_() / kCentimetresPerInch);
}

// Millimetre, half and whole centimetre ticks as far apart as the screen allows, whole
// centimetres numbered.
void ActualSizeView::drawRulers(QPainter& painter, double pixelsPerCentimetre) const {
    const QSize client = clientRect().size();
    painter.fillRect(0, 0, client.width(), kRulerPixels, Qt::white);
    painter.fillRect(0, 0, kRulerPixels, client.height(), Qt::white);
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(kLabelPixels);
    painter.setFont(font);
    const int labelEvery = std::max(1, int(std::ceil(kClosestLabels / pixelsPerCentimetre)));
    const int longest = std::max(client.width(), client.height());
    for (int millimetres = 1; millimetres * pixelsPerCentimetre / 10 < longest; ++millimetres) {
        const bool whole = millimetres % 10 == 0;
        const bool half = millimetres % 5 == 0;
        const double step = pixelsPerCentimetre / (whole ? 1 : half ? 2 : 10);
        if (step < kClosestTicks) {
            continue;
        }
        const int at = int(std::lround(millimetres * pixelsPerCentimetre / 10));
        const int length = whole ? kCentimetreTick : half ? kHalfTick : kMillimetreTick;
        painter.drawLine(at, 0, at, length - 1);
        painter.drawLine(0, at, length - 1, at);
        if (whole && (millimetres / 10) % labelEvery == 0) {
            const QString label = QString::number(millimetres / 10);
            painter.drawText(at + 2, kRulerPixels - 2, label);
            painter.drawText(1, at + kLabelPixels + 1, label);
        }
    }
}

void ActualSizeView::mousePressEvent(QMouseEvent* event) {
    const QRect client = clientRect();
    const QPoint position = event->position().toPoint();
    if (client.contains(position)) {
        emit designPixelPressed(designPixelAt(position - client.topLeft(), tilePixels()));
    }
}

} // namespace app
