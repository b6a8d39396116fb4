#include "tile_frame.h"

#include "canvas/surface.h"
#include "effect/effect.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>

namespace app {

TileFrame::TileFrame(std::function<QPolygonF()> outline, QWidget* view)
    : QWidget(view), outline_(std::move(outline)) {
    setObjectName(QStringLiteral("TileFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(view->rect());
    view->installEventFilter(this);
}

// The view changes its size with its surface; the frame follows.
bool TileFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void TileFrame::paintEvent(QPaintEvent*) {
    const QPolygonF outline = outline_();
    if (outline.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QRect client = rect().adjusted(canvas::kBorderPixels, canvas::kBorderPixels,
                                         -canvas::kBorderPixels, -canvas::kBorderPixels);
    painter.setClipRect(client);
    const QPolygonF onView = outline.translated(client.topLeft());
    // Black dashes on white gaps stay visible over any design.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPolygon(onView);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawPolygon(onView);
}

QIcon repeatIcon(tiling::Repeat repeat) {
    constexpr int kMotif = 12;
    constexpr int kIcon = 32;
    QPolygonF part = tiling::usedPart({kMotif, kMotif}, repeat);
    const QPointF middle =
        part.isEmpty() ? QPointF(kMotif / 2.0, kMotif / 2.0) : part.boundingRect().center();
    QImage motif(kMotif, kMotif, QImage::Format_RGB32);
    motif.fill(Qt::white);
    QPainter painter(&motif);
    painter.translate(middle.toPoint() - QPoint(1, 2));
    painter.fillRect(QRect(0, 0, 1, 5), Qt::darkBlue);
    painter.fillRect(QRect(0, 0, 3, 1), Qt::darkBlue);
    painter.fillRect(QRect(0, 2, 2, 1), Qt::darkBlue);
    painter.end();
    return QIcon(QPixmap::fromImage(tiling::repeatOver(motif, {kIcon, kIcon}, repeat)));
}

} // namespace app

namespace app {

SeamOutline::SeamOutline(std::function<std::pair<QSize, tiling::Repeat>()> layout, QWidget* view)
    : QWidget(view), layout_(std::move(layout)) {
    setObjectName(QStringLiteral("SeamOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(view->rect());
    view->installEventFilter(this);
}

void SeamOutline::setMarked(const QImage& marked) {
    marked_ = marked;
    update();
}

bool SeamOutline::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void SeamOutline::paintEvent(QPaintEvent*) {
    const auto [tile, repeat] = layout_();
    if (marked_.isNull() || tile.isEmpty()) {
        return;
    }
    const QRect client = rect().adjusted(canvas::kBorderPixels, canvas::kBorderPixels,
                                         -canvas::kBorderPixels, -canvas::kBorderPixels);
    const QImage shown = effect::stretchedToTile(marked_, tile);
    const auto markedAt = [&](int x, int y) {
        return (shown.pixel(tiling::tilePixelAt({x, y}, tile, repeat)) & 0xFFFFFFu) != 0;
    };
    // A marked page pixel beside an unmarked one is on the outline: magenta shows on most designs.
    QImage outline(client.size(), QImage::Format_ARGB32_Premultiplied);
    outline.fill(Qt::transparent);
    for (int y = 0; y < outline.height(); ++y) {
        for (int x = 0; x < outline.width(); ++x) {
            if (markedAt(x, y) && !(markedAt(x - 1, y) && markedAt(x + 1, y) &&
                                    markedAt(x, y - 1) && markedAt(x, y + 1))) {
                outline.setPixel(x, y, 0xFFFF00FFu);
            }
        }
    }
    QPainter(this).drawImage(client.topLeft(), outline);
}

} // namespace app
