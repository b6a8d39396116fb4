#include "tile_frame.h"

#include "canvas/surface.h"
#include "effect/effect.h"

#include <QEvent>
#include <QPainter>

namespace app {

TileFrame::TileFrame(std::function<QSize()> tileSize, QWidget* view)
    : QWidget(view), tileSize_(std::move(tileSize)) {
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
    const QSize tile = tileSize_();
    if (tile.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QRect client = rect().adjusted(canvas::kBorderPixels, canvas::kBorderPixels,
                                         -canvas::kBorderPixels, -canvas::kBorderPixels);
    painter.setClipRect(client);
    // Black dashes on white gaps stay visible over any design.
    const QRect outline(client.topLeft(), tile - QSize(1, 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(outline);
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
