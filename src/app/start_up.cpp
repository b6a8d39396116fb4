#include "start_up.h"

#include "canvas/raster.h"

#include <QAccessible>
#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace app {
namespace {

// Sends what is queued for the window system without waiting for it.
void flushWindowSystem() {
#if QT_CONFIG(xcb)
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_flush(x11->connection());
    }
#endif
}

} // namespace

void startAccessibilityBridge() {
    QAccessible::isActive();
}

void prepareBackingStore(QWidget& window) {
    window.ensurePolished();
    window.adjustSize();
    window.setAttribute(Qt::WA_Resized, false);
    window.winId();
    QBackingStore* store = window.backingStore();
    if (store == nullptr) {
        return;
    }
    store->resize(window.size());
    flushWindowSystem();
    if (auto* image = dynamic_cast<QImage*>(store->paintDevice());
        image != nullptr && !image->isNull()) {
        canvas::mapPagesNow(image->constBits(), std::size_t(image->sizeInBytes()));
        image->fill(window.palette().window().color());
    }
}

} // namespace app
