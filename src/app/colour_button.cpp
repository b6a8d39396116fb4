#include "colour_button.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace app {
namespace {

constexpr int kBorderWidth = 2;

// One side of the bevel as a trapezoid whose ends meet the neighbouring sides on the diagonal,
// drawn smoothed like the style sheet's borders: the bottom, right, left and top in that order.
void drawBevel(QPainter& painter, const QRectF& rect, const QColor& colour, bool sunken) {
    const QColor light = colour.lighter();
    const QColor& raisedSide = sunken ? colour : light;  // top and left
    const QColor& loweredSide = sunken ? light : colour; // bottom and right
    const qreal w = kBorderWidth;
    const qreal left = rect.left();
    const qreal top = rect.top();
    const qreal right = rect.right();
    const qreal bottom = rect.bottom();
    const std::pair<QPolygonF, const QColor&> sides[] = {
        {QPolygonF{
             {left + w, bottom - w}, {left, bottom}, {right, bottom}, {right - w, bottom - w}},
         loweredSide},
        {QPolygonF{{right - w, top + w}, {right - w, bottom - w}, {right, bottom}, {right, top}},
         loweredSide},
        {QPolygonF{{left, top}, {left, bottom}, {left + w, bottom - w}, {left + w, top + w}},
         raisedSide},
        {QPolygonF{{left, top}, {left + w, top + w}, {right - w, top + w}, {right, top}},
         raisedSide},
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const auto& [side, sideColour] : sides) {
        painter.setBrush(sideColour);
        painter.drawConvexPolygon(side);
    }
    painter.restore();
}

} // namespace

ColourButton::ColourButton(const QString& caption, const QColor& colour, QWidget* parent)
    : QPushButton(caption, parent), colour_(colour) {}

void ColourButton::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    drawBevel(painter, QRectF(rect()), colour_, option.state & QStyle::State_Sunken);

    const QRect contents =
        rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    style()->drawItemText(&painter, contents, flags, option.palette,
                          option.state & QStyle::State_Enabled, option.text, QPalette::ButtonText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = contents;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace app
