#include "colourways_window.h"

#include "colour_menu.h"
#include "effect/effect.h"
#include "file_dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr QSize kTileSize{240, 360};
constexpr int kColumns = 3;

const QString kSheetFilter = QStringLiteral("PNG 图片 (*.png)");

QString askSheetPath(QWidget* parent) {
    return askSavePath(parent, kSheetFilter);
}

} // namespace

// One colourway, painted as the sheet paints it; a click chooses it.
class ColourwaysWindow::Tile : public QWidget {
  public:
    Tile(ColourwaysWindow& window, int index) : QWidget(&window), window_(window), index_(index) {
        setObjectName(QStringLiteral("Colourway%1").arg(index + 1));
        setFixedSize(kTileSize);
        setCursor(Qt::PointingHandCursor);
        setToolTip(QStringLiteral("单击把这组配色用到图案上"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const auto& ways = window_.set_.ways;
        if (index_ >= int(ways.size())) {
            return;
        }
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        colouring::paintColourway(painter, rect(), ways[std::size_t(index_)], index_ + 1);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && index_ < int(window_.set_.ways.size())) {
            emit window_.colourwayChosen(window_.set_.ways[std::size_t(index_)]);
        }
    }

  private:
    ColourwaysWindow& window_;
    int index_;
};

ColourwaysWindow::ColourwaysWindow(const canvas::Surface& design, const ColourTools& tools,
                                   canvas::RandomSource& random,
                                   const std::function<QString()>& title, QWidget* parent)
    : QWidget(parent, Qt::Window), design_(design), tools_(tools), random_(random), title_(title),
      sheetPathDialog_(askSheetPath) {
    setObjectName(QStringLiteral("ColourwaysWindow"));
    setWindowTitle(QStringLiteral("配色方案"));
    auto* layout = new QVBoxLayout(this);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("ColourwaysNote"));
    note_->hide();
    layout->addWidget(note_);
    auto* grid = new QGridLayout;
    for (int index = 0; index < kWays; ++index) {
        auto* tile = new Tile(*this, index);
        tiles_ << tile;
        grid->addWidget(tile, index / kColumns, index % kColumns);
    }
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    auto* again = new QPushButton(QStringLiteral("再来一组"), this);
    again->setObjectName(QStringLiteral("ColourwaysAgain"));
    again->setShortcut(Qt::Key_Space);
    again->setToolTip(QStringLiteral("按当前颜色来源再配六组（空格键）"));
    auto* sheet = new QPushButton(QStringLiteral("导出方案图"), this);
    sheet->setObjectName(QStringLiteral("ColourwaysExport"));
    sheet->setToolTip(QStringLiteral("把六组配色连同色值存为 PNG 图片"));
    buttons->addStretch();
    buttons->addWidget(again);
    buttons->addWidget(sheet);
    layout->addLayout(buttons);
    connect(again, &QPushButton::clicked, this, &ColourwaysWindow::drawAgain);
    connect(sheet, &QPushButton::clicked, this, &ColourwaysWindow::exportSheet);
}

void ColourwaysWindow::drawAgain() {
    const colouring::PressOptions& options = tools_.options();
    set_ = colouring::makeColourways(design_.imageRef(), tools_.lockedColours(), options.rule,
                                     options.current, random_, kWays);
    const QString note = colouring::colourwayLimitNote(set_.limit);
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    for (Tile* tile : tiles_) {
        tile->update();
    }
}

void ColourwaysWindow::exportSheet() {
    const QString path = withFilterExtension(sheetPathDialog_(this), kSheetFilter);
    if (path.isEmpty()) {
        return;
    }
    const files::SaveOutcome outcome = effect::savePng(
        colouring::colourwaySheet(set_, QStringLiteral("配色方案：%1").arg(title_())), path);
    if (!outcome.saved) {
        QMessageBox::warning(this, QStringLiteral("导出方案图"), outcome.error);
    }
}

} // namespace app
