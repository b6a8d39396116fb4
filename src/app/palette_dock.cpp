#include "palette_dock.h"

#include "colour_menu.h"
#include "colouring/named_colours.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace app {
namespace {

constexpr QSize kChip{62, 40};
constexpr int kChipColumns = 4;
constexpr int kSwatchHeight = 22;

const QString kChipsHint =
    QStringLiteral("单击设为当前颜色；Ctrl+单击锁定或解锁；右键替换颜色或复制色值");

QString hexName(QRgb colour) {
    return QColor(colour).name(QColor::HexRgb).toUpper();
}

// A share of the area to one decimal; a colour that is there never shows as none.
QString shareText(int pixels, int total) {
    const double percent = 100.0 * pixels / std::max(1, total);
    if (pixels > 0 && percent < 0.05) {
        return QStringLiteral("<0.1 %");
    }
    return QStringLiteral("%1 %").arg(percent, 0, 'f', 1);
}

// A padlock drawn at a chip's corner.
void paintLock(QPainter& painter, QPoint corner) {
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawArc(QRect(corner + QPoint(2, 0), QSize(7, 8)), 0, 180 * 16);
    painter.drawRect(QRect(corner + QPoint(1, 4), QSize(9, 7)));
}

} // namespace

// Painted in one piece, only the chips in view, so that an update after a press costs the pixels
// it changed and the chips shown, whatever the number of colours.
class PaletteDock::Chips : public QWidget {
  public:
    explicit Chips(PaletteDock& dock) : dock_(dock) {
        setObjectName(QStringLiteral("PaletteChips"));
    }

    QRect chipRect(int index) const {
        return {
            QPoint((index % kChipColumns) * kChip.width(), (index / kChipColumns) * kChip.height()),
            kChip - QSize(4, 4)};
    }
    // The chip at a point, if any.
    std::optional<int> chipAt(QPoint point) const {
        if (point.x() < 0 || point.y() < 0 || point.x() >= kChipColumns * kChip.width()) {
            return std::nullopt;
        }
        const int index = point.y() / kChip.height() * kChipColumns + point.x() / kChip.width();
        if (index >= int(dock_.entries().size()) || !chipRect(index).contains(point)) {
            return std::nullopt;
        }
        return index;
    }
    void fitToEntries() {
        const int rows = (int(dock_.entries().size()) + kChipColumns - 1) / kChipColumns;
        setFixedSize(kChipColumns * kChip.width(), std::max(1, rows) * kChip.height());
    }

  protected:
    // The chip under the pointer tells its colour value, pixel count and share.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            setToolTip(kChipsHint);
            if (const auto index = chipAt(static_cast<QHelpEvent*>(event)->pos())) {
                const colouring::PaletteEntry& entry = dock_.entries()[std::size_t(*index)];
                // The value, then the name of the named colour nearest to it, if one is.
                const QString name = colouring::nearestColourName(entry.colour);
                setToolTip(QStringLiteral("%1%2\n%3 像素，占 %4\n%5")
                               .arg(hexName(entry.colour), name.isEmpty() ? name : ' ' + name,
                                    QLocale().toString(entry.pixels),
                                    shareText(entry.pixels, dock_.totalPixels()), kChipsHint));
            }
        }
        return QWidget::event(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        QFont font = painter.font();
        font.setPixelSize(11);
        painter.setFont(font);
        const auto& entries = dock_.entries();
        const QRect exposed = event->rect();
        const int first = exposed.top() / kChip.height() * kChipColumns;
        const int end =
            std::min(int(entries.size()), (exposed.bottom() / kChip.height() + 1) * kChipColumns);
        for (int index = first; index < end; ++index) {
            const colouring::PaletteEntry& entry = entries[std::size_t(index)];
            const QRect chip = chipRect(index);
            const QRect swatch(chip.topLeft(), QSize(chip.width(), kSwatchHeight));
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setBrush(QColor(entry.colour));
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
            painter.drawText(
                QRect(chip.left(), swatch.bottom(), chip.width(), chip.height() - kSwatchHeight),
                Qt::AlignCenter, shareText(entry.pixels, dock_.totalPixels()));
            if (dock_.tools_.lockedColours().contains(entry.colour)) {
                paintLock(painter, swatch.topLeft() + QPoint(2, 2));
            }
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            if (const auto colour = dock_.colourAt(event->position().toPoint())) {
                dock_.chipPressed(*colour, event->modifiers());
            }
        }
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (const auto colour = dock_.colourAt(event->pos())) {
            dock_.chipMenu(*colour, event->globalPos());
        }
    }

  private:
    PaletteDock& dock_;
};

PaletteDock::PaletteDock(const canvas::Surface& design, ColourTools& tools, QWidget* parent)
    : QDockWidget(QStringLiteral("调色板"), parent), design_(design), tools_(tools) {
    setObjectName(QStringLiteral("PaletteDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    count_ = new QLabel(body);
    count_->setObjectName(QStringLiteral("PaletteCount"));
    count_->setToolTip(QStringLiteral("图案用到的颜色数（丝网印刷所需的网版数）"));
    chips_ = new Chips(*this);
    chips_->setToolTip(kChipsHint);
    auto* scroll = new QScrollArea(body);
    scroll->setWidget(chips_);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(kChipColumns * kChip.width() + 24);
    layout->addWidget(count_);
    layout->addWidget(scroll, 1);
    setWidget(body);
    connect(&tools, &ColourTools::locksChanged, chips_, qOverload<>(&QWidget::update));
}

void PaletteDock::refresh() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    stale_ = false;
    const QImage& image = design_.imageRef();
    colouring::updatePalette(entries_, counted_, image);
    counted_ = image.copy();
    totalPixels_ = image.width() * image.height();
    count_->setText(QStringLiteral("共 %1 色").arg(entries_.size()));
    chips_->fitToEntries();
    chips_->update();
}

void PaletteDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (stale_) {
        refresh();
    }
}

std::optional<QRgb> PaletteDock::colourAt(QPoint point) const {
    if (const auto index = chips_->chipAt(point)) {
        return entries_[std::size_t(*index)].colour;
    }
    return std::nullopt;
}

QWidget* PaletteDock::chipArea() const {
    return chips_;
}

void PaletteDock::copyColourValue(QRgb colour) {
    QApplication::clipboard()->setText(hexName(colour));
}

void PaletteDock::chipPressed(QRgb colour, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::ControlModifier)) {
        tools_.toggleLock(colour);
    } else {
        tools_.pickColour(colour);
    }
}

void PaletteDock::chipMenu(QRgb colour, QPoint globalPosition) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("替换为当前颜色"), this,
                   [this, colour] { tools_.replaceWithCurrent(colour); });
    menu.addAction(QStringLiteral("复制色值"), this, [colour] { copyColourValue(colour); });
    menu.exec(globalPosition);
}

} // namespace app
