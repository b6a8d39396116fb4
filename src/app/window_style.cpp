#include "window_style.h"

#include <QLinearGradient>
#include <QMainWindow>
#include <QPainter>
#include <QStyleOptionToolBar>

namespace app {
namespace {

// Fusion's shades for the light and the dark edge of a bar.
constexpr QColor kLightEdge(255, 255, 255, 90);
constexpr QColor kDarkEdge(0, 0, 0, 60);

bool drawnInDevicePixels(const QPainter& painter) {
    return painter.transform().type() <= QTransform::TxTranslate &&
           painter.device()->devicePixelRatio() == 1;
}

} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    const bool ownBar = element == CE_ToolBar && bar != nullptr &&
                        bar->toolBarArea == Qt::TopToolBarArea &&
                        (option->state & State_Horizontal) &&
                        (widget == nullptr || qobject_cast<QMainWindow*>(widget->parentWidget())) &&
                        drawnInDevicePixels(*painter);
    if (!ownBar) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect& rect = option->rect;
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, option->palette.window().color().lighter(104));
    gradient.setColorAt(1, option->palette.window().color());
    painter->fillRect(rect, gradient);
    const auto edge = [&](int y, const QColor& colour) {
        painter->fillRect(QRect(rect.left(), y, rect.width(), 1), colour);
    };
    // The last bar of the top area blends into the window below it with a double line.
    if (bar->positionOfLine == QStyleOptionToolBar::End ||
        bar->positionOfLine == QStyleOptionToolBar::OnlyOne) {
        edge(rect.bottom(), kLightEdge);
        edge(rect.bottom() - 1, kDarkEdge);
    } else {
        edge(rect.bottom(), kDarkEdge);
    }
    edge(rect.top(), kLightEdge);
}

} // namespace app
