#include "surface_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {
namespace {

constexpr int kFrameMilliseconds = 16;

// The sunken border: a grey and a dark line at the top and left, white and light grey at the
// bottom and right.
constexpr QRgb kShadowOuter = 0xFF808080;
constexpr QRgb kShadowInner = 0xFF404040;
constexpr QRgb kLightOuter = 0xFFFFFFFF;
constexpr QRgb kLightInner = 0xFFD4D0C8;

void drawSunkenBorder(QPainter& painter, const QRect& outer) {
    const int right = outer.right();
    const int bottom = outer.bottom();
    painter.fillRect(0, 0, outer.width(), 1, QColor::fromRgb(kShadowOuter));
    painter.fillRect(0, 0, 1, outer.height(), QColor::fromRgb(kShadowOuter));
    painter.fillRect(1, 1, outer.width() - 2, 1, QColor::fromRgb(kShadowInner));
    painter.fillRect(1, 1, 1, outer.height() - 2, QColor::fromRgb(kShadowInner));
    painter.fillRect(0, bottom, outer.width(), 1, QColor::fromRgb(kLightOuter));
    painter.fillRect(right, 0, 1, outer.height(), QColor::fromRgb(kLightOuter));
    painter.fillRect(1, bottom - 1, outer.width() - 2, 1, QColor::fromRgb(kLightInner));
    painter.fillRect(right - 1, 1, 1, outer.height() - 2, QColor::fromRgb(kLightInner));
}

} // namespace

SurfaceView::SurfaceView(canvas::Surface& surface, const QString& name, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    frame_.setSingleShot(true);
    frame_.setInterval(kFrameMilliseconds);
    connect(&frame_, &QTimer::timeout, this, [this] {
        if (changedDuringFrame_) {
            changedDuringFrame_ = false;
            update();
            frame_.start();
        }
    });
    followSurface();
    surface_.setChangeListener([this] { followSurface(); });
}

SurfaceView::~SurfaceView() {
    surface_.setChangeListener({});
}

// The strip changes its outer size at run time; the view keeps the surface's size.
void SurfaceView::followSurface() {
    const QSize outer(int(surface_.width()), int(surface_.height()));
    if (size() != outer) {
        resize(outer);
    }
    if (frame_.isActive()) {
        changedDuringFrame_ = true;
        return;
    }
    update();
    frame_.start();
}

void SurfaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int border = canvas::kBorderPixels;
    const QRect client = rect().adjusted(border, border, -border, -border);
    painter.fillRect(client, QColor::fromRgb(canvas::toPixel(surface_.backColor())));
    if (!surface_.blankPixel()) {
        painter.setClipRect(client);
        painter.drawImage(client.topLeft(), surface_.imageRef());
        painter.setClipping(false);
    }
    drawSunkenBorder(painter, rect());
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
    const float unitsPerPixel = surface_.unitsPerPixel();
    const QPointF client =
        event->position() - QPointF(canvas::kBorderPixels, canvas::kBorderPixels);
    emit pressed(float(client.x()) * unitsPerPixel, float(client.y()) * unitsPerPixel,
                 event->button());
}

} // namespace app
