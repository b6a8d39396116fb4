#include "tile_frame.h"

#include "canvas/surface.h"

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
